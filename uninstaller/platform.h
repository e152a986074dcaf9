#pragma once

#include <QString>
#include <QStringList>

class QFileDevice;

// The file calls and fonts that differ between Windows and the other systems.

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

// The sans-serif families of the window, best first: it was laid out for
// "MS Sans Serif". On Windows that is a bitmap font, which loses strokes when
// scaled past 100 %: its TrueType successor "Microsoft Sans Serif" takes its
// place there. Wine lacks it and drops strokes of some faces at some sizes
// (Tahoma's at 150 %, Liberation Sans' "I" at 100 %): there the faces it
// draws whole stand in.
QStringList sansFamilies();

// Whether a caption that the window's family draws too large for its box may
// move to another of those families. Not on Windows: there the window keeps
// one face, condensed where needed, as beside it another family reads as
// another size.
bool captionsMayChangeFamily();
