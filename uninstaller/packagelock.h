#pragma once

#include <QString>

#include <memory>

class QLockFile;

// The lock both programs of the package honour: "config.lock" in qor, which
// the configurator holds for as long as it is open. Held here while the
// uninstaller works, so that no configurator starts meanwhile.
class PackageLock
{
public:
    enum State {
        Held,
        HeldByAnother,      // a configurator is open
        HeldByUninstaller,  // another uninstaller is running: the lock names this program
        NotTaken,           // no lock file can be made, or one stands that is no regular file
    };

    // Takes the lock file at path (absolute). A lock is held by another only
    // while its file names a process alive on this machine, or while it names
    // none and its time lies within 2 seconds of now, either way (being
    // written). Stale, removed and taken: a lock of another machine, and one
    // that is empty or can't be parsed and dated further off, ahead too (a
    // clock that was off). The configurator judges a lock by the same rules.
    // A link, folder, FIFO or device there is never opened: it can't tell
    // whether a configurator is open.
    explicit PackageLock(const QString &path);
    ~PackageLock();

    State state() const { return m_state; }

    // Ends the hold, which deletes the lock file; true when it is gone.
    bool release();

private:
    std::unique_ptr<QLockFile> m_lock;
    State m_state = NotTaken;
};
