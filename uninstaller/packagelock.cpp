#include "packagelock.h"

#include "files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

namespace {

// A lock file holds a few short lines: a process id, a program and a host name, a machine id.
constexpr qint64 kLongestLockLine = 256;

// A lock being written this instant may still be empty.
constexpr qint64 kWritingSpareMs = 2000;

// The machine id, line 4, read as QLockFile reads its lines; the configurator
// reads it alike, so that both programs judge one lock the same way.
QByteArray lockMachineId(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QByteArray line;
    for (int number = 1; number <= 4; ++number) {
        line = file.readLine(kLongestLockLine);
        if (line.isEmpty())
            return {};
    }
    return line.endsWith('\n') ? line.chopped(1) : line;
}

// True when the lock was left by a program on another machine, whose process
// can't be looked up from here. As QLockFile decides "the same machine": by
// the machine ids when both are known, else by the host names.
bool lockOfAnotherMachine(const QString &path, const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    if (!lock.getLockInfo(&pid, &host, nullptr))
        return false;
    const QByteArray lockId = lockMachineId(path);
    const QByteArray ownId = QSysInfo::machineUniqueId();
    if (!lockId.isEmpty() && !ownId.isEmpty())
        return lockId != ownId;
    return !host.isEmpty() && host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) != 0;
}

// A lock file that names no process: QLockFile can't read it, and it was not
// made this instant. Its time may lie ahead as well as behind (a clock that
// was off): only one within the spare of now counts as being written.
bool namesNoProcess(const QString &path, const QLockFile &lock)
{
    if (lock.getLockInfo(nullptr, nullptr, nullptr))
        return false;
    const QDateTime modified = QFileInfo(path).lastModified();
    return !modified.isValid() || qAbs(modified.msecsTo(QDateTime::currentDateTime())) > kWritingSpareMs;
}

// QLockFile names a program by its file name, on Windows without the extension.
bool isThisProgram(const QString &name)
{
    if (!QCoreApplication::instance() || name.isEmpty())
        return false;
    const QFileInfo self(QCoreApplication::applicationFilePath());
    return name == self.fileName() || name == self.completeBaseName();
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
    if (info.isFile() && (namesNoProcess(path, *m_lock) || lockOfAnotherMachine(path, *m_lock)))
        m_lock->removeStaleLockFile();
    if (m_lock->tryLock(0)) {
        m_state = Held;
    } else if (m_lock->error() == QLockFile::LockFailedError) {
        QString program;
        m_lock->getLockInfo(nullptr, nullptr, &program);
        m_state = isThisProgram(program) ? HeldByUninstaller : HeldByAnother;
    }
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
