#include "packagelock.h"

#include "files.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

namespace {

// A lock being written this instant may still be empty.
constexpr qint64 kWritingSpareMs = 2000;

// As QLockFile decides "the same machine": by the machine ids when both are
// known, else by the host names. Another machine's process can't be looked
// up from here, and an empty or garbled lock names none.
bool isStale(const QLockFile &lock, const QString &path)
{
    qint64 pid = 0;
    QString host;
    if (!lock.getLockInfo(&pid, &host, nullptr))
        return QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime()) > kWritingSpareMs;
    const QByteArray lockId = readLine(path, 4, QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath());
    const QByteArray ownId = QSysInfo::machineUniqueId();
    if (!lockId.isEmpty() && !ownId.isEmpty())
        return lockId != ownId;
    return !host.isEmpty() && host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) != 0;
}

} // namespace

PackageLock::PackageLock(const QString &path)
{
    // Checked before QLockFile touches it: a FIFO would hang, a link could lead anywhere.
    const QFileInfo info(path);
    if (isLink(info) || (info.exists() && !info.isFile()))
        return;
    m_lock = std::make_unique<QLockFile>(path);
    // However old, a lock is stale only when its process is gone.
    m_lock->setStaleLockTime(0);
    if (info.isFile() && isStale(*m_lock, path))
        m_lock->removeStaleLockFile();
    if (m_lock->tryLock(0))
        m_state = Held;
    else if (m_lock->error() == QLockFile::LockFailedError)
        m_state = HeldByAnother;
}

PackageLock::~PackageLock() = default;

bool PackageLock::release()
{
    if (m_state != Held)
        return true;
    m_lock->unlock();
    m_state = NotTaken;
    const QFileInfo info(m_lock->fileName());
    return !info.exists() && !isLink(info);
}
