#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the configurator may touch: the files of its package folder (the
// current directory) and the game files below the Half-Life folder named by
// line 1 of the path file; never a file that a link leads to outside that
// folder. A link is a symbolic link or, on Windows, a junction too.
namespace PackageFiles {

extern const QString kPathFile;  // "pfad.kst"
extern const QString kLockFile;  // "config.lock"

// True when `text` can stand as one line of the path file: Windows-1252, no line break.
bool FitsPathFileLine(const QString &text);

// The lines of the path file, read in one pass: a step that needs several
// of them reads it once. A path file that is a link leading out of the
// package folder reads as empty: it names the Half-Life folder, so no other
// folder can vouch for it. `*problem` (when given) says why a path file that
// is there gives nothing (such a link, no regular file, a hidden or system
// file, a read that failed), and is empty otherwise.
QStringList ReadPathFile(QString *problem = nullptr);
// Line `number` of the path file (a step that needs one line only).
QString PathFileLine(int number);

// True when `folder` can be a Half-Life folder: no root of the file system
// or of a drive, and holding a folder "cstrike".
bool IsHalfLifeFolder(const QString &folder);
// The Half-Life folder of line 1 of the path file, as the local file system
// spells it; "" when that line names no Half-Life folder.
QString HalfLifeFolder();
// The folder that no file of the configurator may lead out of: the
// Half-Life folder; without one, the folder the package folder lies in
// (two levels up, as in <Half-Life>/cstrike/qor), unless that is a root;
// else the package folder itself.
QString BoundingFolder();

// `path` with every link on the way followed, a last link that leads nowhere
// too; "" when it can't be resolved (a loop of links, say).
QString ResolvedPath(const QString &path);

// True when both paths, resolved, are the same file (existing or not).
bool SameFile(const QString &a, const QString &b);

// True when `path` is reached through a link that leads outside `folder`
// (both compared resolved); without a link on the way it stays where it is.
bool LeadsOutside(const QString &path, const QString &folder);
// The same against BoundingFolder().
bool LeadsOutside(const QString &path);
// "<path>: <why>", as the messages name a file that is skipped for it.
QString LeadsOutsideReason(const QString &path);

// The whole-or-nothing writers, refusing a file that is such a link: false,
// and `*error` names the file and the reason.
bool WriteText(const QString &path, const QStringList &lines, QString *error);
bool WriteBytes(const QString &path, const QByteArray &bytes, QString *error);
// The path file. One that is a link is replaced itself, never written
// through, so that a broken path file can always be written anew.
bool WritePathFile(const QStringList &lines, QString *error);

// One configurator per package folder: a lock file in it, held until the
// program ends. A lock left by a process that is gone, or by one on another
// machine (a game folder copied or shared), does not count.
enum class Lock {
    Held,            // this process holds it
    TakenByAnother,  // another configurator has this folder open
    NotPossible,     // the folder can't take the lock file (can't be written)
    NotAFile,        // the lock file is a folder, a link or a special file: never opened
};
Lock LockPackageFolder();
// The lock file of the package folder, as the messages name it.
QString LockFileShown();
// Gives the lock up, removing the lock file; every end of the program does.
void UnlockPackageFolder();

// Removes what saves killed between writing and renaming left behind: the
// writers' temporary files (IsTemporaryFileName), as regular files or links
// (never followed), in every folder the configurator writes to: the package
// folder and cstrike, cstrike/gfx/shell and cstrike/backup of the bounding
// folder. Only while this process holds the lock, so that no other save is
// still under way.
void RemoveStaleTemporaries();

} // namespace PackageFiles
