#include "fileplatform.h"

#ifdef Q_OS_WIN
#include <QDir>

#include <windows.h>
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

} // namespace FilePlatform
