#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The few calls that differ between Windows and the other systems.
namespace Platform {

// Opens `address` in the default web browser, maximized where the system
// allows it; returns the system's answer (on Windows that of ShellExecuteA).
qint32 OpenWebAddress(const QString &address);

// Ends the process at once, with no further event handling.
void EndProcess(int exitCode);

// The sans-serif families that captions and typed text are drawn in, best
// first: the windows were laid out for 8-point "MS Sans Serif". On Windows
// that is a bitmap font, which loses strokes when scaled past 100 %: its
// TrueType successor "Microsoft Sans Serif" takes its place there. Wine lacks
// it and drops strokes of some faces at some sizes (Tahoma's at 150 %,
// Liberation Sans' "I" at 100 %): there the faces it draws whole stand in.
QStringList sansFamilies();

// Whether a caption that its window's family cuts may move to another of
// those families. Not on Windows: there every window keeps one face,
// condensed where needed, as beside it another family reads as another size.
bool captionsMayChangeFamily();

// Test hooks: replace the browser and the end of the process. Empty restores the real call.
void setOpenWebAddressHook(std::function<qint32(const QString &)> hook);
void setEndProcessHook(std::function<void(int)> hook);

} // namespace Platform
