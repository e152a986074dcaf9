#include "uninstall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "platform.h"

namespace {

struct GameFile {
    const char *backup;
    const char *target;
    // The line of a language file that names the package's copy of this file.
    // The configurator leaves "<backup>.none" instead of a backup when the game
    // had no such file; valve.rc always comes with the game and has no copy: 0.
    int languageLine;
};

constexpr GameFile kGameFiles[] = {
    {"backup/commandmenu.txt", "commandmenu.txt", 22},
    {"backup/kb_act.lst", "gfx/shell/kb_act.lst", 21},
    {"backup/valve.rc", "valve.rc", 0},
};

constexpr const char *kPackageFolders[] = {"qor", "qor/sub"};

// Where the package's programs write, besides qor, whose files all go anyway.
constexpr const char *kWrittenFolders[] = {".", "gfx/shell", "backup"};

// For a restored game file that did not exist before, as a new file usually gets.
constexpr QFileDevice::Permissions kNewFilePermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

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

// Where path ends up once every link on the way is followed, also where it
// does not exist yet; empty for a loop of links.
QString resolvedPath(const QString &path, int links = 0)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    // A dangling link: writing through it would create its target.
    if (isLink(info))
        return links < 32 ? resolvedPath(info.symLinkTarget(), links + 1) : QString();
    if (info.isRoot())
        return QString();
    const QString folder = resolvedPath(info.absolutePath(), links);
    return folder.isEmpty() ? folder : QDir::cleanPath(folder + u'/' + info.fileName());
}

// The Half-Life folder: the one above cstrike, resolved.
QString halfLifeFolder()
{
    QDir folder(QDir::current().canonicalPath());
    return folder.cdUp() ? folder.path() : QString();
}

bool leadsOutside(const QString &path, const QString &halfLife)
{
    const QString resolved = resolvedPath(path);
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    const QString prefix = halfLife.endsWith(u'/') ? halfLife : halfLife + u'/';
    return resolved.isEmpty() || halfLife.isEmpty() || !resolved.startsWith(prefix, cs);
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

// Only a regular file is opened: a FIFO would wait for a writer, a device
// might never end.
bool readRegularFile(const QString &path, QByteArray *bytes)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// Puts bytes in the place of target, whole or not at all: written beside it
// as "<name>.korvel-tmp-XXXXXX", the name both programs of the package give
// their temporary files, then renamed over it. A link is written where it leads.
bool replaceWhole(const QString &target, const QByteArray &bytes)
{
    const QString path = isLink(QFileInfo(target)) ? resolvedPath(target) : target;
    const QFileInfo info(path);
    // Only a regular file the user may change is replaced.
    if (path.isEmpty() || (info.exists() && (!info.isFile() || !info.isWritable())))
        return false;
    QString temporaryName;
    bool written = false;
    {
        QTemporaryFile temporary(info.absolutePath() + u'/' + info.fileName() + QStringLiteral(".korvel-tmp-XXXXXX"));
        temporary.setAutoRemove(false);
        if (!temporary.open())
            return false;
        temporaryName = temporary.fileName();
        // Flushed and checked before the rename: a buffered write may fail
        // only at the flush (seen on a full disk).
        written = temporary.setPermissions(info.exists() ? info.permissions() : kNewFilePermissions)
            && temporary.write(bytes) == bytes.size() && temporary.flush() && syncToDisk(temporary);
    } // A temporary file's close() keeps its handle open: only its end lets Windows rename it.
    if (written && renameOver(temporaryName, path))
        return true;
    QFile::remove(temporaryName);
    return false;
}

// Line `number` of a language file as the configurator reads it: a line ends at
// CR LF, at a lone CR or at a lone LF. Windows-1252 beyond Latin-1 is not
// decoded, so such a name is not found and its game file is kept.
QString languageLine(QByteArray text, int number)
{
    const QList<QByteArray> lines = text.replace("\r\n", "\n").replace('\r', '\n').split('\n');
    return number <= lines.size() ? QString::fromLatin1(lines.at(number - 1)) : QString();
}

// True when gameFile holds exactly the bytes of the copy a language of the
// package puts there: a file of qor named by line `line` of one of the
// visible "*.lang" files there, as the configurator lists and reads them.
bool isLanguageCopy(const QString &gameFile, int line, const QString &halfLife)
{
    QByteArray game;
    if (!readRegularFile(gameFile, &game))
        return false;
    const QStringList languages = QDir(QStringLiteral("qor")).entryList({QStringLiteral("*.lang")}, QDir::Files);
    for (const QString &language : languages) {
        const QString languagePath = QStringLiteral("qor/") + language;
        QByteArray text;
        if (leadsOutside(languagePath, halfLife) || !readRegularFile(languagePath, &text))
            continue;
        // A bare file name of qor: the only copy the configurator makes.
        const QString name = languageLine(text, line);
        if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(u':'))
            continue;
        const QString copyPath = QStringLiteral("qor/") + name;
        QByteArray copy;
        if (QFileInfo(copyPath).size() == game.size() && !leadsOutside(copyPath, halfLife)
            && readRegularFile(copyPath, &copy) && copy == game)
            return true;
    }
    return false;
}

// What a write killed between writing and renaming left: some name,
// ".korvel-tmp-" and six ASCII letters or digits.
bool isLeftoverTemporary(const QString &name)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral(".+\\.korvel-tmp-[A-Za-z0-9]{6}")),
        QRegularExpression::DotMatchesEverythingOption);
    return pattern.match(name).hasMatch();
}

// Deletes the leftover temporary files directly in folder, a link as a link;
// returns those still there.
QStringList deleteLeftoverTemporaries(const QString &folder, const QString &halfLife)
{
    if (!QFileInfo(folder).isDir() || leadsOutside(folder, halfLife))
        return {};
    QStringList left;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (!isLeftoverTemporary(entry.fileName()) || !(isLink(entry) || entry.isFile()))
            continue;
        const QString path = folder == QLatin1String(".") ? entry.fileName() : folder + u'/' + entry.fileName();
        if (!removeFile(path, entry))
            left << path;
    }
    return left;
}

} // namespace

bool restoreFile(const QString &backup, const QString &target)
{
    if (!QFileInfo::exists(backup))
        return true;
    QByteArray bytes;
    return readRegularFile(backup, &bytes) && replaceWhole(target, bytes);
}

QStringList deleteFiles(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return {};
    // Its files may lie anywhere: the user decides about them.
    if (isLink(info))
        return {folder};
    if (!reachedWithoutLinks(folder))
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

bool isPackageGameFolder()
{
    if (QDir::current().dirName().compare(u"cstrike", Qt::CaseInsensitive) != 0)
        return false;
    if (QFileInfo(QStringLiteral("qor")).isDir())
        return true;
    for (const GameFile &file : kGameFiles) {
        if (QFileInfo::exists(QString::fromLatin1(file.backup)))
            return true;
    }
    return false;
}

UninstallResult uninstallPackage()
{
    UninstallResult result;
    if (!isPackageGameFolder())
        return result;
    result.acted = true;

    const QString halfLife = halfLifeFolder();
    for (const GameFile &file : kGameFiles) {
        const QString backup = QString::fromLatin1(file.backup);
        const QString target = QString::fromLatin1(file.target);
        const QFileInfo backupInfo(backup);
        const QFileInfo targetInfo(target);
        const bool restore = backupInfo.exists() || isLink(backupInfo);
        // The game had none of its own when the package came.
        const bool marked = !restore && file.languageLine != 0
            && QFileInfo::exists(backup + QStringLiteral(".none"))
            && (targetInfo.exists() || isLink(targetInfo));
        if (!restore && !marked)
            continue;

        const QString copyBack = QDir::toNativeSeparators(backup) + QStringLiteral(" -> ")
            + QDir::toNativeSeparators(target);
        if (leadsOutside(backup, halfLife) || leadsOutside(target, halfLife)) {
            result.notRestored << copyBack
                    + QString::fromUtf8(" (Link außerhalb des Half-Life-Ordners, übersprungen)");
        } else if (marked) {
            // Only the package's own copy goes: a marker alone must not cost the game its file.
            if (!isLanguageCopy(target, file.languageLine, halfLife))
                result.kept << QDir::toNativeSeparators(target)
                        + QStringLiteral(" (nicht die Kopie des Pakets, behalten)");
            else if (!removeFile(target, targetInfo))
                result.leftOver << QDir::toNativeSeparators(target);
        } else if (!restoreFile(backup, target)) {
            result.notRestored << copyBack;
        }
    }
    for (const char *folder : kWrittenFolders) {
        for (const QString &path : deleteLeftoverTemporaries(QString::fromLatin1(folder), halfLife))
            result.leftOver << QDir::toNativeSeparators(path);
    }
    for (const char *folder : kPackageFolders) {
        for (const QString &path : deleteFiles(QString::fromLatin1(folder)))
            result.leftOver << QDir::toNativeSeparators(path);
    }
    return result;
}

QString completedTitle()
{
    return QStringLiteral("Completed");
}

QString completedText(const UninstallResult &result)
{
    QString text = QString::fromUtf8(
        "Deinstallation abgeschlossen, einige Elemente konnten nicht vollständig entfernt werden. "
        "Bitte löschen sie diese manuell.");
    if (result.leftOver.isEmpty() && result.notRestored.isEmpty() && result.kept.isEmpty())
        return text + QString::fromUtf8("\n\nEs ist nichts übrig geblieben.");
    if (!result.leftOver.isEmpty())
        text += QStringLiteral("\n\n") + result.leftOver.join(u'\n');
    // Apart from the list above: deleting these would delete the game's own files.
    if (!result.notRestored.isEmpty())
        text += QString::fromUtf8("\n\nDiese Spieldateien wurden nicht wiederhergestellt. Bitte nicht "
                                  "löschen, sondern die Sicherung von Hand darüber kopieren:\n")
            + result.notRestored.join(u'\n');
    if (!result.kept.isEmpty())
        text += QStringLiteral("\n\n") + result.kept.join(u'\n');
    return text;
}

QString wrongFolderTitle()
{
    return QStringLiteral("Wrong folder");
}

QString wrongFolderText()
{
    return QString::fromUtf8("Dieser Ordner ist kein cstrike-Ordner mit Korvel (kein Ordner qor und keine "
                             "Sicherung in backup). Es wurde nichts verändert. Bitte starten sie den "
                             "Uninstaller im Ordner cstrike des Spiels.\n\n")
        + QDir::toNativeSeparators(QDir::currentPath());
}
