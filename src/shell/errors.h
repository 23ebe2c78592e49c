#pragma once
// The program's errors: C++ exceptions carrying the text the user is shown.
// They travel up to the event handler, whose guard shows them in a message box.
#include <QString>
#include <stdexcept>

class VeltraError : public std::runtime_error {
public:
    explicit VeltraError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A failed file operation, carrying the system's error number.
class FileError : public VeltraError {
public:
    explicit FileError(int code);
    int code() const { return m_code; }

private:
    int m_code;
};

// The user-facing text of a file error number ("File not found" for 2, ...).
QString FileErrorText(int code);

// The file error number for a C library errno value.
int FileErrorCodeFromErrno(int err);

// Throws the FileError that matches errno.
[[noreturn]] void RaiseFileErrorFromErrno(int err);
