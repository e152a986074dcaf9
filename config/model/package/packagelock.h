#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One configurator per package folder: a lock file in it, held until the
// program ends. A lock left by a process that is gone, by one on another
// machine (a game folder copied or shared), or one that names no process at
// all (empty or garbled, as a power cut right after a start leaves it), does
// not count. The uninstaller takes the same lock.
class PackageLock
{
public:
    enum class Outcome {
        Held,                // this process holds it
        TakenByAnother,      // another configurator has this folder open
        TakenByUninstaller,  // the uninstaller is removing the package from this folder
        NotPossible,         // the folder can't take the lock file (can't be written)
        NotAFile,            // the lock file is a folder, a link or a special file: never opened
    };

    static const QString kFileName;  // "config.lock"

    // The lock of the package folder `folder`, an absolute path; not taken yet.
    explicit PackageLock(const QString &folder);
    ~PackageLock();
    PackageLock(const PackageLock &) = delete;
    PackageLock &operator=(const PackageLock &) = delete;

    // Takes the lock of its folder.
    Outcome take();
    // Gives it up, removing the lock file; every end of the program does.
    void release();
    // True while this process holds the lock of its folder.
    bool held() const;
    // The lock file's full path, as the messages name it.
    QString nativePath() const;

    // Removes what saves killed between writing and renaming left behind:
    // the writers' temporary files (IsTemporaryFileName, the whole name), as
    // regular files or links (never followed), in every folder the
    // configurator writes to: the package folder and cstrike,
    // cstrike/gfx/shell and cstrike/backup of `bound`. Only while the lock is
    // held, so that no other save is still under way.
    void removeStaleTemporaries(const QString &bound) const;

private:
    QString filePath() const;

    const QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
};
