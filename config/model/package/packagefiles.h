#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class Language;
class QLockFile;

// What the configurator may touch: the files of its package folder (the
// current directory) and the game files below the Half-Life folder named by
// line 1 of the path file; never a file that a link leads to outside that
// folder. A link is a symbolic link or, on Windows, a junction too.
namespace PackageFiles {

extern const QString kPathFile;  // "pfad.kst"
extern const QString kLockFile;  // "config.lock"

// True when `text` can stand as one line of the path file: Windows-1252, no
// line break, and no zero character, which would make the file unreadable.
bool FitsPathFileLine(const QString &text);

// True when `folder` can be a Half-Life folder: no root of the file system
// or of a drive, and holding a folder "cstrike".
bool IsHalfLifeFolder(const QString &folder);
// The folder that no file of the configurator may lead out of, for the
// Half-Life folder `halfLife` as line 1 of the path file names it: that
// folder; without one, the folder the package folder lies in (two levels up,
// as in <Half-Life>/cstrike/qor), unless that is a root; else the package
// folder itself. Resolved, computed once per step and passed on.
QString BoundingFolder(const QString &halfLife);

// `path` with every link on the way followed, a last link that leads nowhere
// too; "" when it can't be resolved (a loop of links, say).
QString ResolvedPath(const QString &path);

// True when both paths, resolved, are the same file (existing or not).
bool SameFile(const QString &a, const QString &b);

// True when `path` is reached through a link that leads outside `folder`
// (both compared resolved); without a link on the way it stays where it is,
// also when it, or the folder it lies in, is gone.
bool LeadsOutside(const QString &path, const QString &folder);
// "<path>: <why>", as the messages name a file that is skipped for it.
QString LeadsOutsideReason(const Language &language, const QString &path);

// The whole-or-nothing writers, refusing a file that is a link leading out
// of `bound`: false, and `*error` names the file and the reason, in `language`.
bool WriteText(const Language &language, const QString &bound, const QString &path, const QStringList &lines,
               QString *error);
bool WriteBytes(const Language &language, const QString &bound, const QString &path, const QByteArray &bytes,
                QString *error);

// One configurator per package folder: a lock file in it, held until the
// program ends. A lock left by a process that is gone, by one on another
// machine (a game folder copied or shared), or one that names no process at
// all (empty or garbled, as a power cut right after a start leaves it), does
// not count. The uninstaller takes the same lock.
enum class Lock {
    Held,            // this process holds it
    TakenByAnother,  // another configurator has this folder open
    TakenByUninstaller,  // the uninstaller is removing the package from this folder
    NotPossible,     // the folder can't take the lock file (can't be written)
    NotAFile,        // the lock file is a folder, a link or a special file: never opened
};
class PackageLock
{
public:
    PackageLock();
    ~PackageLock();
    PackageLock(const PackageLock &) = delete;
    PackageLock &operator=(const PackageLock &) = delete;

    // Takes the lock of the current directory.
    Lock take();
    // Gives it up, removing the lock file; every end of the program does.
    void release();
    // True while this process holds the lock of the current directory.
    bool held() const;
    // The lock file, as the messages name it.
    static QString shown();

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_folder;
};

// Removes what saves killed between writing and renaming left behind: the
// writers' temporary files (IsTemporaryFileName, the whole name), as regular
// files or links (never followed), in every folder the configurator writes
// to: the package folder and cstrike, cstrike/gfx/shell and cstrike/backup of
// `bound`. Only while `lock` is held, so that no other save is still under way.
void RemoveStaleTemporaries(const PackageLock &lock, const QString &bound);

} // namespace PackageFiles
