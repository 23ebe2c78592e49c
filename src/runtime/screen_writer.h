#pragma once
// Writing text onto the emulated screen at the cursor.
#include <QString>

// Writes the text at the cursor, cutting it at column 80 and scrolling at the
// bottom as needed, then applies printmode (end the line, stay, or move to the
// next tab stop) and stores the new cursor.
void WriteAtCursor(const QString& text);
