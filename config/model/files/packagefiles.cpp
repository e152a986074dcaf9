#include "packagefiles.h"

#include "fileplatform.h"
#include "language.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>

namespace PackageFiles {

const QString kPathFile = QStringLiteral("pfad.kst");

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

// True when a link stands on the way to `path`, which alone can make it lead
// elsewhere.
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

QString PathIn(const QString &folder, const QString &pathFromFile)
{
    return pathFromFile.isEmpty() ? QString() : QDir(folder).filePath(LocalPath(pathFromFile));
}

QString BoundingFolder(const QString &halfLife, const QString &packageFolder)
{
    const QString folder = PathIn(packageFolder, halfLife);
    if (IsHalfLifeFolder(folder))
        return ResolvedPath(folder);
    QDir above(packageFolder);
    if (above.cdUp() && above.cdUp() && !above.isRoot())
        return ResolvedPath(above.absolutePath());
    return ResolvedPath(packageFolder);
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

} // namespace PackageFiles
