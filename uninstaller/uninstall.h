#pragma once

#include <QString>
#include <QStringList>

// The uninstall sequence. Every path is relative to the current directory,
// which must be the game's cstrike folder; '/' separates folders everywhere.

// Replaces target with the bytes of backup, whole or not at all.
// A missing backup means there is nothing to restore and counts as done;
// false means a backup exists but could not be put in place.
bool restoreFile(const QString &backup, const QString &target);

// Deletes the files directly inside folder, hidden ones included, and leaves
// every subfolder alone. Links are removed as links; a folder that is, or is
// reached through, a link is not entered. Returns the files still there.
QStringList deleteFiles(const QString &folder);

// Restores the three game files from "backup", then deletes the files of
// "qor" and "qor/sub". A failing step never stops the next one. Returns what
// the user has to restore or remove by hand, with native separators.
QStringList uninstallPackage();

// The closing message; leftOver is listed below the text when not empty.
QString completedTitle();
QString completedText(const QStringList &leftOver);
