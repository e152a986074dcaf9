#include "packagelock.h"

#include "packagefiles.h"
#include "textfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

const QString PackageLock::kFileName = QStringLiteral("config.lock");

namespace {

// A lock file holds a few short lines: a process id, a program and a host name, a machine id.
constexpr qint64 kLongestLockLine = 256;

// A lock being written this instant may still be empty.
constexpr qint64 kWritingSpareMs = 2000;

bool isLink(const QFileInfo &info)
{
    return info.isSymbolicLink() || info.isJunction();
}

// The machine id, line 4, read as QLockFile reads its lines; the uninstaller
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

} // namespace

PackageLock::PackageLock(const QString &folder)
    : m_folder(folder)
{
}

PackageLock::~PackageLock()
{
    release();
}

PackageLock::Outcome PackageLock::take()
{
    if (held())
        return Outcome::Held;
    release();

    // Checked before QLockFile touches it: a FIFO or a device would hang the
    // start for good, and a link could lead anywhere.
    const QString path = filePath();
    const QFileInfo info(path);
    if (isLink(info) || (info.exists() && !info.isFile()))
        return Outcome::NotAFile;

    auto lock = std::make_unique<QLockFile>(path);
    // However old, a lock is stale only when its process is gone.
    lock->setStaleLockTime(0);
    if (info.isFile() && (namesNoProcess(path, *lock) || lockOfAnotherMachine(path, *lock)))
        lock->removeStaleLockFile();
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return Outcome::Held;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return Outcome::NotPossible;
    // The lock names the program that holds it as its file name, without
    // ".exe": the package's uninstaller is "uninstaller".
    QString program;
    lock->getLockInfo(nullptr, nullptr, &program);
    if (program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        program.chop(4);
    return program.compare(QLatin1String("uninstaller"), Qt::CaseInsensitive) == 0 ? Outcome::TakenByUninstaller
                                                                                  : Outcome::TakenByAnother;
}

void PackageLock::release()
{
    m_lock.reset();
}

bool PackageLock::held() const
{
    return m_lock && m_lock->isLocked();
}

QString PackageLock::filePath() const
{
    return QDir(m_folder).filePath(kFileName);
}

QString PackageLock::nativePath() const
{
    return QDir::toNativeSeparators(filePath());
}

void PackageLock::removeStaleTemporaries(const QString &bound) const
{
    if (!held())
        return;
    const QString cstrike = QDir(bound).filePath(QStringLiteral("cstrike"));
    const QStringList folders{m_folder, cstrike, cstrike + QStringLiteral("/gfx/shell"),
                              cstrike + QStringLiteral("/backup")};
    for (const QString &folder : folders) {
        if (PackageFiles::LeadsOutside(folder, bound))
            continue;
        const QDir dir(folder);
        const QFileInfoList entries =
            dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo &entry : entries) {
            if (!IsTemporaryFileName(entry.fileName()))
                continue;
            // A link goes itself (on Windows one to a folder only as a folder); a folder stays.
            if (entry.isFile() || isLink(entry)) {
                if (!QFile::remove(entry.absoluteFilePath()) && isLink(entry))
                    dir.rmdir(entry.fileName());
            }
        }
    }
}
