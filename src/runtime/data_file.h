#pragma once
// The program's data file "data.dta": open for reading during a run when it
// exists, never read.
#include <cstdio>

class DataFile {
public:
    DataFile() = default;
    ~DataFile() { Close(); }
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Opens "data.dta" of the current directory for reading when such a file
    // exists. Raises FileError when it exists but cannot be opened.
    void OpenIfPresent();
    bool IsOpen() const { return m_file != nullptr; }
    // Closes the file; closing what was never opened, or a failing close, is ignored.
    void Close();

private:
    std::FILE* m_file = nullptr;
};
