#include "runtime/data_file.h"

#include "shell/errors.h"

#include <QFileInfo>
#include <cerrno>

namespace {
const char kDataFileName[] = "data.dta";
}

void DataFile::OpenIfPresent()
{
    Close();
    if (!QFileInfo(QString::fromLatin1(kDataFileName)).isFile())
        return;
    m_file = std::fopen(kDataFileName, "r");
    if (!m_file)
        RaiseFileErrorFromErrno(errno);
}

void DataFile::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}
