#pragma once
// Replacing a file whole without ever leaving half of it behind: the content
// goes to a temporary file beside the target, is flushed to disk and renamed
// over the target. On any failure the old file stays as it was.
#include <QByteArray>
#include <QString>

// Raises FileError with the number a plain write would have failed with: a
// target that exists but is not writable fails with "File access denied"
// before anything is written. The replacement keeps the target's permissions.
void ReplaceFileContents(const QString& path, const QByteArray& content);
