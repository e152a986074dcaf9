#include "uninstall.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "files.h"
#include "packagelock.h"
#include "platform.h"
#include "texts.h"

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

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif

std::function<void()> &lockHeldHook()
{
    static std::function<void()> hook;
    return hook;
}

// A list entry: the path and why it is listed.
QString noted(const QString &path, Texts::Id note, const QString &detail = QString())
{
    QString why = Texts::get(note);
    if (!detail.isEmpty())
        why = why.arg(detail);
    return QDir::toNativeSeparators(path) + QStringLiteral(" (") + why + u')';
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

// Deletes one file, a link as a link; the system's reason when it stays.
QString removeFile(const QString &path, const QFileInfo &info)
{
    QFile file(path);
    if (file.remove())
        return QString();
    const QString why = file.errorString();
    // Windows refuses to delete read-only files; package files may carry the flag.
    // Never for a link: changing permissions would reach its target.
    if (isLink(info) || info.isWritable())
        return why;
    const QFileDevice::Permissions old = info.permissions();
    if (QFile::setPermissions(path, old | QFileDevice::WriteOwner | QFileDevice::WriteUser)
        && QFile::remove(path))
        return QString();
    QFile::setPermissions(path, old);
    return why;
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

// True when the game file with this checksum and size holds exactly the
// copy a language of the package puts there: a file of qor named by line
// `line` of one of the visible "*.lang" files there, as the configurator
// lists and reads them.
bool isLanguageCopy(const QByteArray &checksum, qint64 size, int line, const QString &halfLife)
{
    const QStringList languages = QDir(QStringLiteral("qor")).entryList({QStringLiteral("*.lang")}, QDir::Files);
    for (const QString &language : languages) {
        const QString name = fromWindows1252(readLine(QStringLiteral("qor/") + language, line, halfLife));
        // A bare file name of qor: the only copy the configurator makes.
        if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(u':'))
            continue;
        const QString copy = QStringLiteral("qor/") + name;
        if (QFileInfo(copy).size() == size && !leadsOutside(copy, halfLife) && fileSha256(copy) == checksum)
            return true;
    }
    return false;
}

// A marker holds one short line for each copy the configurator placed. One
// larger than this, with a zero byte or with more lines is damaged, and so
// is one that is no regular file or can't be read: the configurator reads
// markers by the same rule, and neither program judges by a damaged one.
constexpr qint64 kLargestMarker = 64 * 1024;
constexpr qsizetype kMarkerLines = 1000;

// The lines of the marker, or false when it is damaged. A line ends at CR
// LF, a lone CR or a lone LF; a line break at the very end adds no line.
bool readMarker(const QString &marker, const QString &halfLife, QList<QByteArray> *lines)
{
    const QFileInfo info(marker);
    QByteArray bytes;
    if (isLink(info) || !info.isFile() || leadsOutside(marker, halfLife) || info.size() > kLargestMarker
        || !readRegularFile(marker, &bytes) || bytes.size() > kLargestMarker || bytes.contains('\0'))
        return false;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        lines->append(line);
        line.clear();
    }
    if (!line.isEmpty())
        lines->append(line);
    return lines->size() <= kMarkerLines;
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
        const QString why = removeFile(path, entry);
        if (!why.isEmpty())
            left << noted(path, Texts::NotDeleted, why);
    }
    return left;
}

// Deletes the files directly inside folder, hidden ones included, and leaves
// every subfolder and the files of `spared` (absolute paths) alone. Links are
// removed as links and never followed. Returns what is still there, and
// names a folder that is a link or can't be listed: what is in it stays.
QStringList deleteFiles(const QString &folder, const QStringList &spared)
{
    if (!reachedWithoutLinks(QFileInfo(folder).path()))
        return {};
    const QFileInfo info(folder);
    // Its files may lie anywhere: the user decides about them.
    if (isLink(info))
        return {noted(folder, Texts::LinkedFolder)};
    if (!info.exists())
        return {};
    if (!info.isDir() || !canListFolder(folder))
        return {noted(folder, Texts::FolderUnreadable)};

    QStringList left;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        // Folders stay, and a link to a folder is a folder here too.
        if (entry.isDir() || spared.contains(entry.absoluteFilePath(), kCase)
            || (!isLink(entry) && spared.contains(entry.canonicalFilePath(), kCase)))
            continue;
        const QString path = folder + u'/' + entry.fileName();
        const QString why = removeFile(path, entry);
        if (!why.isEmpty())
            left << noted(path, Texts::NotDeleted, why);
    }
    return left;
}

// The uninstaller's own file: it can't delete itself while it runs.
QString ownProgram()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

// Names the package folders as kept, empty or not: they stay, which costs
// nothing and leaves a configurator started in qor meanwhile its folder. qor
// holding nothing but an empty qor/sub counts as empty. One that is a link
// or can't be listed is named already.
void nameKeptFolders(UninstallResult *result)
{
    const auto listable = [](const QString &folder) {
        const QFileInfo info(folder);
        return !isLink(info) && info.isDir() && reachedWithoutLinks(folder) && canListFolder(folder);
    };
    const auto entries = [](const QString &folder) {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    const QString qor = QStringLiteral("qor");
    const QString sub = QStringLiteral("qor/sub");
    const bool subEmpty = listable(sub) && entries(sub).isEmpty();
    if (listable(qor)) {
        QStringList inside = entries(qor);
        if (subEmpty)
            inside.removeIf([](const QString &name) { return name.compare(u"sub", kCase) == 0; });
        result->remaining << noted(qor, inside.isEmpty() ? Texts::EmptyFolderKept : Texts::FolderNotEmpty);
    }
    if (listable(sub))
        result->remaining << noted(sub, subEmpty ? Texts::EmptyFolderKept : Texts::FolderNotEmpty);
}

// Puts back the game files, or, where the game had none, removes the package's
// copy. A game file that is a link (even one within the game), a folder or a
// special file is never the package's: it stays, as does one that can't be
// judged.
void restoreGameFiles(const QString &halfLife, UninstallResult *result)
{
    for (const GameFile &file : kGameFiles) {
        const QString backup = QString::fromLatin1(file.backup);
        const QString target = QString::fromLatin1(file.target);
        const QString marker = backup + QStringLiteral(".none");
        const QFileInfo backupInfo(backup);
        const QFileInfo targetInfo(target);
        const QFileInfo markerInfo(marker);
        const bool restore = backupInfo.exists() || isLink(backupInfo);
        const bool present = targetInfo.exists() || isLink(targetInfo);
        const bool ordinary = !isLink(targetInfo) && targetInfo.isFile();
        // The game had none of its own when the package came.
        const bool marked = !restore && file.languageLine != 0 && (markerInfo.exists() || isLink(markerInfo))
            && present;

        if (marked) {
            // Only the package's own copy goes: a marker alone must not cost the game its file.
            QList<QByteArray> records;
            QByteArray checksum;
            if (leadsOutside(target, halfLife))
                result->kept << noted(target, Texts::LinkOutside);
            else if (!ordinary)
                result->kept << noted(target, Texts::NoRegularFile);
            else if (!readMarker(marker, halfLife, &records))
                result->kept << noted(target, Texts::NotJudged, QDir::toNativeSeparators(marker));
            else if ((checksum = fileSha256(target)).isEmpty())
                result->kept << noted(target, Texts::NotJudged, QDir::toNativeSeparators(target));
            else if (!records.contains("sha256 " + checksum.toHex())
                     && !isLanguageCopy(checksum, targetInfo.size(), file.languageLine, halfLife))
                result->kept << noted(target, Texts::NotPackageCopy);
            else if (const QString why = removeFile(target, targetInfo); !why.isEmpty())
                result->leftOver << noted(target, Texts::NotDeleted, why);
        } else if (restore) {
            const QString copyBack = QDir::toNativeSeparators(backup) + QStringLiteral(" -> ")
                + QDir::toNativeSeparators(target);
            if (leadsOutside(backup, halfLife) || leadsOutside(target, halfLife))
                result->notRestored << noted(copyBack, Texts::LinkOutside);
            else if (present && !ordinary)
                result->kept << noted(target, Texts::NoRegularFile);
            else if (!restoreFile(backup, target))
                result->notRestored << copyBack;
        }
    }
}

} // namespace

bool restoreFile(const QString &backup, const QString &target)
{
    if (!QFileInfo::exists(backup))
        return true;
    QByteArray bytes;
    return readRegularFile(backup, &bytes) && replaceWhole(target, bytes);
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
    const QString halfLife = halfLifeFolder();

    // Before anything changes: an open configurator would write its files
    // back at its close.
    const QString lockPath = QDir::current().absoluteFilePath(QStringLiteral("qor/config.lock"));
    std::unique_ptr<PackageLock> lock;
    if (QFileInfo(QStringLiteral("qor")).isDir() && !leadsOutside(QStringLiteral("qor"), halfLife)) {
        lock = std::make_unique<PackageLock>(lockPath);
        if (lock->state() == PackageLock::HeldByAnother || lock->state() == PackageLock::HeldByUninstaller) {
            result.outcome = lock->state() == PackageLock::HeldByAnother ? Outcome::ConfiguratorOpen
                                                                         : Outcome::UninstallerRunning;
            result.lockFile = QDir::toNativeSeparators(lockPath);
            return result;
        }
    }
    result.outcome = Outcome::Done;

    restoreGameFiles(halfLife, &result);
    for (const char *folder : kWrittenFolders)
        result.leftOver << deleteLeftoverTemporaries(QString::fromLatin1(folder), halfLife);

    // The lock file goes last, as the lock is released.
    const QString self = ownProgram();
    QStringList spared{QFileInfo(self).canonicalFilePath()};
    if (lock && lock->state() == PackageLock::Held)
        spared << lockPath;
    for (const char *folder : kPackageFolders)
        result.leftOver << deleteFiles(QString::fromLatin1(folder), spared);
    if (lockHeldHook())
        lockHeldHook()();
    if (lock && !lock->release()) {
        QFile file(lockPath);
        if (!file.remove())
            result.leftOver << noted(QStringLiteral("qor/config.lock"), Texts::NotDeleted, file.errorString());
    }
    nameKeptFolders(&result);

    if (QFileInfo(QStringLiteral("backup")).isDir())
        result.remaining << noted(QStringLiteral("backup"), Texts::BackupKept);
    if (!self.isEmpty()) {
        const QString relative = QDir::current().relativeFilePath(self);
        const bool inside = QDir::isRelativePath(relative) && !relative.startsWith(QLatin1String("../"));
        result.remaining << noted(inside ? relative : self, Texts::Itself);
    }
    return result;
}

void setLockHeldHook(std::function<void()> hook)
{
    lockHeldHook() = std::move(hook);
}

QString completedTitle()
{
    return Texts::get(Texts::CompletedTitle);
}

QString completedText(const UninstallResult &result)
{
    // Asks to delete by hand only what the package put there.
    QString text = Texts::get(result.leftOver.isEmpty() ? Texts::Completed : Texts::CompletedLeftOver);
    if (!result.leftOver.isEmpty())
        text += QStringLiteral("\n\n") + result.leftOver.join(u'\n');
    // Apart from the list above: deleting these would delete the game's own files.
    if (!result.notRestored.isEmpty())
        text += QStringLiteral("\n\n") + Texts::get(Texts::NotRestored) + u'\n' + result.notRestored.join(u'\n');
    const QStringList stays = result.kept + result.remaining;
    if (!stays.isEmpty())
        text += QStringLiteral("\n\n") + stays.join(u'\n');
    return text;
}

QString configuratorOpenTitle()
{
    return Texts::get(Texts::ConfiguratorOpenTitle);
}

QString configuratorOpenText(const UninstallResult &result)
{
    return Texts::get(Texts::ConfiguratorOpen).arg(result.lockFile);
}

QString uninstallerRunningTitle()
{
    return Texts::get(Texts::UninstallerRunningTitle);
}

QString uninstallerRunningText(const UninstallResult &result)
{
    return Texts::get(Texts::UninstallerRunning).arg(result.lockFile);
}

QString wrongFolderTitle()
{
    return Texts::get(Texts::WrongFolderTitle);
}

QString wrongFolderText()
{
    return Texts::get(Texts::WrongFolder).arg(QDir::toNativeSeparators(QDir::currentPath()));
}
