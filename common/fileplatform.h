#pragma once

#include <QString>

class QFileDevice;

// The file-system calls of the text-file helpers that differ on Windows.
namespace FilePlatform {

// True when `path` carries Windows' system attribute; always false elsewhere.
bool IsSystemFile(const QString &path);

// Writes what the system still buffers of the open `file` to the disk.
// False and `*reason` when that fails.
bool SyncToDisk(QFileDevice &file, QString *reason);

// Renames `from` over `to` in one step: whatever stood at `to` (a link
// itself, never what it leads to) is replaced, and nothing sees a part of
// either. False and `*reason` when that fails; both then stay as they were.
bool RenameOver(const QString &from, const QString &to, QString *reason);

} // namespace FilePlatform
