#pragma once

#include <QString>

class QFileDevice;

// The file calls that differ between Windows and the other systems.

// Pushes what was written to the open `file` onto the disk.
bool syncToDisk(QFileDevice &file);

// Renames `from` over `to` in one step, replacing a file at `to`: whoever
// reads `to` finds the old file or the new one, never a part.
bool renameOver(const QString &from, const QString &to);

// True when `path` carries Windows' system attribute; always false elsewhere.
bool isSystemFile(const QString &path);

// True when the folder at `path` can be listed: false for anything else
// standing there and for a folder the system won't list.
bool canListFolder(const QString &path);
