#include "packagefiles.h"

#include "fileplatform.h"
#include "language.h"
#include "write.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <memory>

namespace PackageFiles {

const QString kPathFile = QStringLiteral("pfad.kst");
const QString kLockFile = QStringLiteral("config.lock");

namespace {

// A lock file holds a few short lines: a process id, a program and a host name, a machine id.
constexpr qint64 kLongestLockLine = 256;

// A lock being written this instant may still be empty.
constexpr qint64 kWritingSpareMs = 2000;

bool isLink(const QFileInfo &info)
{
    return info.isSymbolicLink() || info.isJunction();
}

#ifdef Q_OS_WIN
const Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
const Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif

bool isWithin(const QString &resolved, const QString &folder)
{
    if (resolved.isEmpty() || folder.isEmpty())
        return false;
    if (resolved.compare(folder, kCase) == 0)
        return true;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return resolved.startsWith(prefix, kCase);
}

QString resolved(const QString &path, int depth)
{
    if (path.isEmpty() || depth > 64)
        return {};
    const QFileInfo info(path);
    // exists() follows links: true only when whatever the path leads to is there.
    if (info.exists())
        return info.canonicalFilePath();
    if (isLink(info))
        return resolved(info.symLinkTarget(), depth + 1);
    const QString name = info.fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    const QString parent = resolved(info.path(), depth + 1);
    if (parent.isEmpty())
        return {};
    return parent.endsWith(QLatin1Char('/')) ? parent + name : parent + QLatin1Char('/') + name;
}

// True when a link stands on the way to `path`, which alone can make it lead
// elsewhere. Relative paths stay relative: a current directory that was
// removed has no absolute path.
bool linkOnTheWay(const QString &path)
{
    QFileInfo info(path);
    for (;;) {
        if (isLink(info))
            return true;
        const QString parent = info.path();
        if (parent == info.filePath())
            return false;
        info.setFile(parent);
    }
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
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

QString lockPath()
{
    return QDir::current().filePath(kLockFile);
}

} // namespace

bool FitsPathFileLine(const QString &text)
{
    return FitsWindows1252(text) && !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))
           && !text.contains(QChar(0));
}

bool IsHalfLifeFolder(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return !canonical.isEmpty() && !QDir(canonical).isRoot()
           && QFileInfo(QDir(canonical).filePath(QStringLiteral("cstrike"))).isDir();
}

QString BoundingFolder(const QString &halfLife)
{
    const QString folder = LocalPath(halfLife);
    if (IsHalfLifeFolder(folder))
        return ResolvedPath(folder);
    QDir above = QDir::current();
    if (above.cdUp() && above.cdUp() && !above.isRoot())
        return ResolvedPath(above.absolutePath());
    return ResolvedPath(QDir::currentPath());
}

QString ResolvedPath(const QString &path)
{
    return resolved(path, 0);
}

bool SameFile(const QString &a, const QString &b)
{
    const QString first = ResolvedPath(a);
    return !first.isEmpty() && first.compare(ResolvedPath(b), kCase) == 0;
}

bool LeadsOutside(const QString &path, const QString &folder)
{
    const QString target = ResolvedPath(path);
    // What can't be resolved for want of a link vanished, perhaps with the
    // package folder itself (an uninstaller at work): it is missing, not linked.
    if (target.isEmpty() && !linkOnTheWay(path))
        return false;
    const QString plain = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!target.isEmpty() && target.compare(plain, kCase) == 0)
        return false;
    return !isWithin(target, ResolvedPath(folder));
}

QString LeadsOutsideReason(const Language &language, const QString &path)
{
    return language.message(Texts::LeadsOutsideHalfLife).arg(shown(path));
}

bool WriteText(const Language &language, const QString &bound, const QString &path, const QStringList &lines,
               QString *error)
{
    if (LeadsOutside(path, bound)) {
        if (error)
            *error = LeadsOutsideReason(language, path);
        return false;
    }
    return WriteTextFile(path, lines, error);
}

bool WriteBytes(const Language &language, const QString &bound, const QString &path, const QByteArray &bytes,
                QString *error)
{
    if (LeadsOutside(path, bound)) {
        if (error)
            *error = LeadsOutsideReason(language, path);
        return false;
    }
    return WriteWholeFile(path, bytes, error);
}

PackageLock::PackageLock() = default;

PackageLock::~PackageLock()
{
    release();
}

Lock PackageLock::take()
{
    const QString folder = QDir::currentPath();
    if (held())
        return Lock::Held;
    release();

    // Checked before QLockFile touches it: a FIFO or a device would hang the
    // start for good, and a link could lead anywhere.
    const QString path = lockPath();
    const QFileInfo info(path);
    if (isLink(info) || (info.exists() && !info.isFile()))
        return Lock::NotAFile;

    auto lock = std::make_unique<QLockFile>(path);
    // However old, a lock is stale only when its process is gone.
    lock->setStaleLockTime(0);
    if (info.isFile() && (namesNoProcess(path, *lock) || lockOfAnotherMachine(path, *lock)))
        lock->removeStaleLockFile();
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        m_folder = folder;
        return Lock::Held;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return Lock::NotPossible;
    // The lock names the program that holds it as its file name, without
    // ".exe": the package's uninstaller is "uninstaller".
    QString program;
    lock->getLockInfo(nullptr, nullptr, &program);
    if (program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        program.chop(4);
    return program.compare(QLatin1String("uninstaller"), Qt::CaseInsensitive) == 0 ? Lock::TakenByUninstaller
                                                                                  : Lock::TakenByAnother;
}

void PackageLock::release()
{
    m_lock.reset();
    m_folder.clear();
}

bool PackageLock::held() const
{
    return m_lock && m_folder == QDir::currentPath();
}

QString PackageLock::shown()
{
    return PackageFiles::shown(lockPath());
}

void RemoveStaleTemporaries(const PackageLock &lock, const QString &bound)
{
    const QString package = QDir::currentPath();
    if (!lock.held())
        return;
    const QString cstrike = QDir(bound).filePath(QStringLiteral("cstrike"));
    const QStringList folders{package, cstrike, cstrike + QStringLiteral("/gfx/shell"),
                              cstrike + QStringLiteral("/backup")};
    for (const QString &folder : folders) {
        if (LeadsOutside(folder, bound))
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

} // namespace PackageFiles
