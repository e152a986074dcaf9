#include "packagefiles.h"

#include "fileplatform.h"
#include "texts.h"
#include "write.h"

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

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

std::unique_ptr<QLockFile> &heldLock()
{
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

QString &heldFolder()
{
    static QString folder;
    return folder;
}

// True when the lock file at `path` was left by a configurator on another
// machine, whose process can't be looked up from here. As QLockFile decides
// "the same machine": by the machine ids when both are known, else by the
// host names.
bool lockOfAnotherMachine(const QString &path, const QLockFile &lock)
{
    qint64 pid = 0;
    QString host;
    if (!lock.getLockInfo(&pid, &host, nullptr))
        return false;
    const QString lockId = ReadFileLines(path).value(3);
    const QString ownId = FromWindows1252(QSysInfo::machineUniqueId());
    if (!lockId.isEmpty() && !ownId.isEmpty())
        return lockId != ownId;
    return !host.isEmpty() && host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) != 0;
}

QString lockPath()
{
    return QDir::current().filePath(kLockFile);
}

} // namespace

bool FitsPathFileLine(const QString &text)
{
    return FitsWindows1252(text) && !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
}

QStringList ReadPathFile(QString *problem)
{
    QString why;
    QStringList lines;
    const QFileInfo info(kPathFile);
    if (LeadsOutside(kPathFile, QDir::currentPath())) {
        why = Texts::get(Texts::LeadsOutsidePackage);
    } else if (info.exists() && !info.isFile()) {
        why = Texts::get(Texts::NoRegularFile);
    } else if (info.exists() && (info.isHidden() || FilePlatform::IsSystemFile(kPathFile))) {
        why = Texts::get(Texts::HiddenOrSystemFile);
    } else {
        bool failed = false;
        lines = ReadFileLines(kPathFile, &failed);
        if (failed)
            why = Texts::get(Texts::FileUnreadable);
    }
    if (problem)
        *problem = why.isEmpty() ? QString() : why.arg(shown(kPathFile));
    return lines;
}

QString PathFileLine(int number)
{
    return ReadPathFile().value(number - 1);
}

bool IsHalfLifeFolder(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return !canonical.isEmpty() && !QDir(canonical).isRoot()
           && QFileInfo(QDir(canonical).filePath(QStringLiteral("cstrike"))).isDir();
}

QString HalfLifeFolder()
{
    const QString folder = LocalPath(PathFileLine(1));
    return IsHalfLifeFolder(folder) ? folder : QString();
}

QString BoundingFolder()
{
    const QString halfLife = HalfLifeFolder();
    if (!halfLife.isEmpty())
        return halfLife;
    QDir above = QDir::current();
    if (above.cdUp() && above.cdUp() && !above.isRoot())
        return above.absolutePath();
    return QDir::currentPath();
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
    const QString plain = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!target.isEmpty() && target.compare(plain, kCase) == 0)
        return false;
    return !isWithin(target, ResolvedPath(folder));
}

bool LeadsOutside(const QString &path)
{
    return LeadsOutside(path, BoundingFolder());
}

QString LeadsOutsideReason(const QString &path)
{
    return Texts::get(Texts::LeadsOutsideHalfLife).arg(shown(path));
}

bool WriteText(const QString &path, const QStringList &lines, QString *error)
{
    if (LeadsOutside(path)) {
        if (error)
            *error = LeadsOutsideReason(path);
        return false;
    }
    return WriteTextFile(path, lines, error);
}

bool WriteBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    if (LeadsOutside(path)) {
        if (error)
            *error = LeadsOutsideReason(path);
        return false;
    }
    return WriteWholeFile(path, bytes, error);
}

bool WritePathFile(const QStringList &lines, QString *error)
{
    return WriteTextFile(kPathFile, lines, error);
}

Lock LockPackageFolder()
{
    const QString folder = QDir::currentPath();
    if (heldLock() && heldFolder() == folder)
        return Lock::Held;
    UnlockPackageFolder();

    // Checked before QLockFile touches it: a FIFO or a device would hang the
    // start for good, and a link could lead anywhere.
    const QString path = lockPath();
    const QFileInfo info(path);
    if (isLink(info) || (info.exists() && !info.isFile()))
        return Lock::NotAFile;

    auto lock = std::make_unique<QLockFile>(path);
    // However old, a lock is stale only when its process is gone.
    lock->setStaleLockTime(0);
    if (info.isFile() && lockOfAnotherMachine(path, *lock))
        lock->removeStaleLockFile();
    if (lock->tryLock(0)) {
        heldLock() = std::move(lock);
        heldFolder() = folder;
        return Lock::Held;
    }
    return lock->error() == QLockFile::LockFailedError ? Lock::TakenByAnother : Lock::NotPossible;
}

QString LockFileShown()
{
    return shown(lockPath());
}

void UnlockPackageFolder()
{
    heldLock().reset();
    heldFolder().clear();
}

void RemoveStaleTemporaries()
{
    const QString package = QDir::currentPath();
    if (!heldLock() || heldFolder() != package)
        return;
    const QString cstrike = QDir(BoundingFolder()).filePath(QStringLiteral("cstrike"));
    const QStringList folders{package, cstrike, cstrike + QStringLiteral("/gfx/shell"),
                              cstrike + QStringLiteral("/backup")};
    for (const QString &folder : folders) {
        if (LeadsOutside(folder))
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
