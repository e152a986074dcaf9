#pragma once

#include <QString>
#include <QStringList>

// The uninstall sequence. Every path is relative to the current directory,
// which must be the game's cstrike folder; '/' separates folders everywhere.

// Replaces target with the bytes of backup, whole or not at all.
// A missing backup means there is nothing to restore and counts as done;
// false means a backup exists but could not be put in place. A backup or
// game file that is no regular file (a folder, FIFO, device) is never opened
// and counts as not restored.
bool restoreFile(const QString &backup, const QString &target);

// Deletes the files directly inside folder, hidden ones included, and leaves
// every subfolder alone. Links are removed as links and never followed.
// Returns the files still there; a folder that is a link is returned itself,
// untouched, and one reached through a link yields nothing.
QStringList deleteFiles(const QString &folder);

// True when the current directory is a folder named cstrike (any case) that
// holds the package folder "qor" or a "backup" folder with a game file.
bool isPackageGameFolder();

struct UninstallResult {
    // False when the current directory is no package game folder; then
    // nothing was read, written or deleted.
    bool acted = false;
    // The package's files still there, for the user to delete.
    QStringList leftOver;
    // "backup\X -> X" for each game file not put back, for the user to copy;
    // these must not be deleted.
    QStringList notRestored;
    // Each game file kept where the game had none of its own, as it is not
    // the package's copy, with a note saying so; not to be deleted either.
    QStringList kept;
};

// Restores the three game files from "backup" (or, where the game had no
// kb_act.lst or commandmenu.txt, deletes the package's copy), deletes the
// temporary files that killed writes of the package left beside the files
// it writes, then the files of "qor" and "qor/sub". Nothing is read or
// written through a link that leads outside the Half-Life folder, the one
// above cstrike. A failing step never stops the next one. Paths come with
// native separators.
UninstallResult uninstallPackage();

// The closing message: the "Completed" text with what is left to delete,
// then, apart from it, the game files to copy back by hand and those kept;
// a line saying so when nothing is left.
QString completedTitle();
QString completedText(const UninstallResult &result);

// The message when started anywhere else.
QString wrongFolderTitle();
QString wrongFolderText();
