#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The uninstall sequence. Every path is relative to the current directory,
// which must be the game's cstrike folder; '/' separates folders everywhere.

// Replaces target with the bytes of backup, whole or not at all.
// A missing backup means there is nothing to restore and counts as done;
// false means a backup exists but could not be put in place. A backup or
// game file that is no regular file (a folder, FIFO, device) is never opened
// and counts as not restored.
bool restoreFile(const QString &backup, const QString &target);

// True when the current directory is a folder named cstrike (any case) that
// holds the package folder "qor" or a "backup" folder with a game file.
bool isPackageGameFolder();

enum class Outcome {
    WrongFolder,       // no package game folder: nothing was read, written or deleted
    ConfiguratorOpen,  // a configurator holds the package folder: nothing was changed
    UninstallerRunning,  // another uninstaller holds it: nothing was changed
    Done,
};

// Each list entry is a path with native separators, most with a note in
// brackets saying why it is listed.
struct UninstallResult {
    Outcome outcome = Outcome::WrongFolder;
    // What the package put there and could not be removed, for the user to delete.
    QStringList leftOver;
    // "backup\X -> X" for each game file not put back, for the user to copy;
    // these must not be deleted.
    QStringList notRestored;
    // Each game file kept where the game had none of its own, as it is not
    // the package's copy or can't be looked at; not to be deleted either.
    QStringList kept;
    // What stays and needs nothing: the package folders, empty or holding
    // more than the package's files, the backups, the uninstaller itself.
    QStringList remaining;
    // The lock file of the open configurator or the running uninstaller.
    QString lockFile;
};

// Takes the package folder's lock, restores the three game files from
// "backup" (or, where the game had no kb_act.lst or commandmenu.txt, deletes
// the package's copy), deletes the temporary files that killed writes of the
// package left beside the files it writes, then the files of "qor" and
// "qor/sub", the lock last. The two folders stay, and are named among what
// is left.
// Nothing is read or written through a link that leads outside the
// Half-Life folder, the one above cstrike. A failing step never stops the
// next one.
UninstallResult uninstallPackage();

// For tests: called while the package folder's lock is still held, once
// every other file of qor and qor/sub is deleted.
void setLockHeldHook(std::function<void()> hook);

// The closing message: the "Completed" text, which asks to delete by hand
// only when some of the package is left, and the list of it; then, apart,
// the game files to copy back by hand; last what stays, and why.
QString completedTitle();
QString completedText(const UninstallResult &result);

// The message when a configurator is open.
QString configuratorOpenTitle();
QString configuratorOpenText(const UninstallResult &result);

// The message when another uninstaller is running.
QString uninstallerRunningTitle();
QString uninstallerRunningText(const UninstallResult &result);

// The message when started anywhere else.
QString wrongFolderTitle();
QString wrongFolderText();
