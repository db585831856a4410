#pragma once

#include <QString>
#include <QtGlobal>

#ifdef _WIN32
#include <cstdlib>
#include <string>
#endif

namespace kvarton::test {

// Sets a variable that the program reads with qEnvironmentVariable. On Windows that reads the
// wide environment, which qputenv fills through the ANSI code page: a folder under a Cyrillic
// user's profile would arrive garbled wherever that code page is not 1251.
inline void setEnvironment(const char* name, const QString& value)
{
#ifdef _WIN32
    const std::wstring entry = QString::fromLatin1(name).toStdWString() + L'=' + value.toStdWString();
    _wputenv(entry.c_str());
#else
    qputenv(name, value.toUtf8());
#endif
}

} // namespace kvarton::test
