#include "packagefiles.h"

#include "texts.h"
#include "write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <memory>

namespace PackageFiles {

const QString kPathFile = QStringLiteral("pfad.kst");
const QString kLockFile = QStringLiteral("config.lock");

namespace {

// Every file the configurator writes into its package folder.
const QStringList kOwnFiles = {
    QStringLiteral("varis.cfg"), QStringLiteral("varia.kst"), QStringLiteral("buy.kst"), QStringLiteral("fun.cfg"),
    kPathFile, QStringLiteral("say.kst"), QStringLiteral("fun.kst"), QStringLiteral("itim.kst"),
};

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

} // namespace

bool FitsPathFileLine(const QString &text)
{
    return FitsWindows1252(text) && !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
}

QString PathFileLine(int number)
{
    if (LeadsOutside(kPathFile, QDir::currentPath()))
        return {};
    return ReadFileLine(kPathFile, number);
}

QString HalfLifeFolder()
{
    return LocalPath(PathFileLine(1));
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
    const QString folder = HalfLifeFolder();
    return LeadsOutside(path, folder);
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
    if (LeadsOutside(kPathFile, QDir::currentPath())) {
        if (error)
            *error = Texts::get(Texts::LeadsOutsidePackage).arg(shown(kPathFile));
        return false;
    }
    return WriteTextFile(kPathFile, lines, error);
}

Lock LockPackageFolder()
{
    const QString folder = QDir::currentPath();
    if (heldLock() && heldFolder() == folder)
        return Lock::Held;
    UnlockPackageFolder();

    const QString path = QDir(folder).filePath(kLockFile);
    auto lock = std::make_unique<QLockFile>(path);
    // However old, a lock is stale only when its process is gone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        heldLock() = std::move(lock);
        heldFolder() = folder;
        return Lock::Held;
    }
    // Something that is no lock file (a folder, say) is no other configurator either.
    if (lock->error() == QLockFile::LockFailedError && QFileInfo(path).isFile() && !isLink(QFileInfo(path)))
        return Lock::TakenByAnother;
    return Lock::NotPossible;
}

void UnlockPackageFolder()
{
    heldLock().reset();
    heldFolder().clear();
}

void RemoveStaleTemporaries()
{
    const QString folder = QDir::currentPath();
    if (!heldLock() || heldFolder() != folder)
        return;
    // The writer's temporary files: the final name, a dot and six letters or digits.
    static const QRegularExpression temporary(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = temporary.match(name);
        if (match.hasMatch() && kOwnFiles.contains(match.captured(1), kCase))
            QFile::remove(QDir(folder).filePath(name));
    }
}

} // namespace PackageFiles
