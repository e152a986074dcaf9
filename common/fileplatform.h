#pragma once

#include <QString>

// The file-system calls of the text-file helpers that differ on Windows.
namespace FilePlatform {

// True when `path` carries Windows' system attribute; always false elsewhere.
bool IsSystemFile(const QString &path);

} // namespace FilePlatform
