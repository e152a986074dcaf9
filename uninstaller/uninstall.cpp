#include "uninstall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

struct GameFile {
    const char *backup;
    const char *target;
};

constexpr GameFile kGameFiles[] = {
    {"backup/commandmenu.txt", "commandmenu.txt"},
    {"backup/kb_act.lst", "gfx/shell/kb_act.lst"},
    {"backup/valve.rc", "valve.rc"},
};

constexpr const char *kPackageFolders[] = {"qor", "qor/sub"};

bool isLink(const QFileInfo &info)
{
    return info.isSymLink() || info.isJunction();
}

// A folder reached through a link may lie anywhere, outside the package.
bool reachedWithoutLinks(const QString &path)
{
    QString prefix;
    for (const QString &part : path.split(u'/', Qt::SkipEmptyParts)) {
        prefix += prefix.isEmpty() ? part : u'/' + part;
        if (isLink(QFileInfo(prefix)))
            return false;
    }
    return true;
}

bool removeFile(const QString &path, const QFileInfo &info)
{
    if (QFile::remove(path))
        return true;
    // Windows refuses to delete read-only files; package files may carry the flag.
    // Never for a link: changing permissions would reach its target.
    if (isLink(info) || info.isWritable())
        return false;
    const QFileDevice::Permissions old = info.permissions();
    if (QFile::setPermissions(path, old | QFileDevice::WriteOwner | QFileDevice::WriteUser)
        && QFile::remove(path))
        return true;
    QFile::setPermissions(path, old);
    return false;
}

} // namespace

bool restoreFile(const QString &backup, const QString &target)
{
    QFile source(backup);
    if (!source.exists())
        return true;
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;
    source.close();

    // Written beside the target and renamed over it, so the game never sees half a file.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // Flushed and checked before the commit: commit() alone can report success
    // after a buffered write failed (seen on a full disk), leaving a short file.
    // Without a commit the temporary file is discarded and the target stays as it was.
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QStringList deleteFiles(const QString &folder)
{
    if (!QFileInfo(folder).isDir() || !reachedWithoutLinks(folder))
        return {};
    const QDir dir(folder);
    if (!dir.isReadable())
        return {folder};

    QStringList left;
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        // Folders stay, and a link to a folder is a folder here too.
        if (entry.isDir())
            continue;
        const QString path = folder + u'/' + entry.fileName();
        if (!removeFile(path, entry))
            left << path;
    }
    return left;
}

QStringList uninstallPackage()
{
    QStringList left;
    for (const GameFile &file : kGameFiles) {
        if (!restoreFile(QString::fromLatin1(file.backup), QString::fromLatin1(file.target)))
            left << QString::fromLatin1(file.target);
    }
    for (const char *folder : kPackageFolders)
        left << deleteFiles(QString::fromLatin1(folder));

    for (QString &path : left)
        path = QDir::toNativeSeparators(path);
    return left;
}

QString completedTitle()
{
    return QStringLiteral("Completed");
}

QString completedText(const QStringList &leftOver)
{
    QString text = QString::fromUtf8(
        "Deinstallation abgeschlossen, einige Elemente konnten nicht vollständig entfernt werden. "
        "Bitte löschen sie diese manuell.");
    if (!leftOver.isEmpty())
        text += QStringLiteral("\n\n") + leftOver.join(u'\n');
    return text;
}
