#include "fileplatform.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#include <unistd.h>
#endif

namespace FilePlatform {

bool IsSystemFile(const QString &path)
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

bool SyncToDisk(QFileDevice &file, QString *reason)
{
#ifdef Q_OS_WIN
    // Qt keeps a native handle of its own and no C descriptor (handle() is
    // -1): a second handle flushes the same file's buffers.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(file.fileName()).utf16()),
                                      GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool flushed = handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
    if (!flushed)
        *reason = qt_error_string(int(GetLastError()));
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    return flushed;
#else
    if (fsync(file.handle()) == 0)
        return true;
    *reason = qt_error_string(errno);
    return false;
#endif
}

bool RenameOver(const QString &from, const QString &to, QString *reason)
{
#ifdef Q_OS_WIN
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    *reason = qt_error_string(int(GetLastError()));
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *reason = qt_error_string(errno);
#endif
    return false;
}

} // namespace FilePlatform
