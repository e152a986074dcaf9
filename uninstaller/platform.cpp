#include "platform.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#include <dirent.h>
#include <unistd.h>
#endif

bool syncToDisk(QFileDevice &file)
{
#ifdef Q_OS_WIN
    // Qt keeps a native handle of its own and no C descriptor (handle() is
    // -1): a second handle flushes the same file's buffers.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(file.fileName()).utf16()),
                                      GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    return flushed;
#else
    const int handle = file.handle();
    return handle != -1 && fsync(handle) == 0;
#endif
}

bool renameOver(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
        != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

bool isSystemFile(const QString &path)
{
#ifdef Q_OS_WIN
    const DWORD attributes =
        GetFileAttributesW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM);
#else
    Q_UNUSED(path)
    return false;
#endif
}

bool canListFolder(const QString &path)
{
#ifdef Q_OS_WIN
    WIN32_FIND_DATAW data;
    const QString pattern = QDir::toNativeSeparators(path) + QStringLiteral("\\*");
    const HANDLE find = FindFirstFileExW(reinterpret_cast<const wchar_t *>(pattern.utf16()), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND; // a drive root without entries
    FindClose(find);
    return true;
#else
    DIR *folder = opendir(QFile::encodeName(path).constData());
    if (!folder)
        return false;
    closedir(folder);
    return true;
#endif
}

QStringList sansFamilies()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans Condensed"),
            QStringLiteral("Tahoma")};
#else
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed")};
#endif
}

bool captionsMayChangeFamily()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}
