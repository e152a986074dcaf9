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

// Line `number` of the path file. A path file that is a link leading out of
// the package folder reads as empty: it names the Half-Life folder, so no
// other folder can vouch for it.
QString PathFileLine(int number);

// The Half-Life folder of line 1 of the path file, as the local file system spells it.
QString HalfLifeFolder();

// `path` with every link on the way followed, a last link that leads nowhere
// too; "" when it can't be resolved (a loop of links, say).
QString ResolvedPath(const QString &path);

// True when both paths, resolved, are the same file (existing or not).
bool SameFile(const QString &a, const QString &b);

// True when `path` is reached through a link that leads outside `folder`
// (both compared resolved); without a link on the way it stays where it is.
bool LeadsOutside(const QString &path, const QString &folder);
// The same against the Half-Life folder.
bool LeadsOutside(const QString &path);
// "<path>: <why>", as the messages name a file that is skipped for it.
QString LeadsOutsideReason(const QString &path);

// The whole-or-nothing writers, refusing a file that is such a link: false,
// and `*error` names the file and the reason.
bool WriteText(const QString &path, const QStringList &lines, QString *error);
bool WriteBytes(const QString &path, const QByteArray &bytes, QString *error);
// The path file, which may not lead out of the package folder.
bool WritePathFile(const QStringList &lines, QString *error);

// One configurator per package folder: a lock file in it, held until the
// process ends. A lock left by a process that is gone does not count.
enum class Lock {
    Held,            // this process holds it
    TakenByAnother,  // another configurator has this folder open
    NotPossible,     // the folder can't take the lock file (can't be written)
};
Lock LockPackageFolder();
// Gives the lock up, as the end of the process does.
void UnlockPackageFolder();

// Removes what saves killed between writing and renaming left in the package
// folder: our files' names plus the writer's temporary suffix. Only while
// this process holds the lock, so that no other save is still under way.
void RemoveStaleTemporaries();

} // namespace PackageFiles
