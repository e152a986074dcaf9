#include "languagestep.h"

#include "fileplatform.h"
#include "packagefiles.h"
#include "pathfile.h"
#include "texts.h"
#include "write.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const int kKeyBindingsLine = 21;
const int kCommandMenuLine = 22;

// A caption, tooltip or help text is cut to 4,096 characters when the
// language file is read: no window shows more, and a longer one would only
// slow the start down. Lines past the last message are not read at all.
constexpr qsizetype kLongestText = 4096;
constexpr qsizetype kLanguageFileLines = Texts::lineOf(Texts::Id(Texts::Count - 1));

// A marker holds one short line for each copy placed; a damaged one is read
// no further than this.
constexpr qsizetype kMarkerLines = 1000;
constexpr qsizetype kLongestMarkerLine = 80;

QString shown(const QString &localPath)
{
    return QDir::toNativeSeparators(QFileInfo(localPath).absoluteFilePath());
}

// The bytes of the regular file `path`; false and `*error` when it is no
// regular file (a FIFO or a device would never end) or can't be read.
bool readRegularFile(const QString &path, QByteArray *bytes, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        *error = Texts::get(Texts::NoRegularFile).arg(shown(path));
        return false;
    }
    QFile in(path);
    if (in.open(QIODevice::ReadOnly))
        *bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        *error = QStringLiteral("%1: %2").arg(shown(path), in.errorString());
        return false;
    }
    return true;
}

// True when the regular file `path` holds exactly `bytes`.
bool holds(const QString &path, const QByteArray &bytes)
{
    QByteArray present;
    QString unused;
    const QFileInfo info(path);
    return info.isFile() && info.size() == bytes.size() && readRegularFile(path, &present, &unused)
           && present == bytes;
}

// Puts `bytes` in the place of `target`, whole or not at all. As the language
// is applied at every start, a game file that is the copy already is not
// written again.
bool place(const QString &bound, const QString &target, const QByteArray &bytes, QString *error)
{
    return holds(target, bytes) || PackageFiles::WriteBytes(bound, target, bytes, error);
}

// A file of the package folder: no folder part, nothing that leads up or
// elsewhere, so a language can never copy another file into the game.
bool isBareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QLatin1Char(':'));
}

// True when `game` is exactly what a language of the package folder puts
// there today: a file of the package folder named by line `copyLine` of one
// of its visible language files (the uninstaller asks the same before it
// deletes such a file). A language file that is a link out of `bound` is
// not read.
bool isLanguageCopy(const QByteArray &game, int copyLine, const QString &bound)
{
    for (const QString &languageName : LanguageFiles(QStringLiteral("."))) {
        QStringList language;
        if (!ReadLanguageFile(languageName, bound, &language).isEmpty())
            continue;
        const QString copy = language.value(copyLine - 1);
        if (isBareFileName(copy) && !PackageFiles::LeadsOutside(copy, bound) && holds(copy, game))
            return true;
    }
    return false;
}

QStringList markerLines(const QString &marker)
{
    return ReadFileLines(marker, nullptr, kLongestMarkerLine, nullptr, kMarkerLines);
}

// True when the game file holds a copy the package placed: one its marker
// records (of this version of the package or an earlier one), or, for a
// marker written before markers recorded their copies, one a language of
// the package folder names today.
bool isPackageCopy(const QString &gameFile, const QString &marker, int copyLine, const QString &bound)
{
    QByteArray game;
    QString unused;
    if (!readRegularFile(gameFile, &game, &unused))
        return false;
    return markerLines(marker).contains(MarkerLine(game)) || isLanguageCopy(game, copyLine, bound);
}

// Adds the copy of `bytes` to the copies the marker records, before it is placed.
bool recordCopy(const QString &bound, const QString &marker, const QByteArray &bytes, QString *error)
{
    QStringList lines = markerLines(marker);
    if (lines.contains(MarkerLine(bytes)))
        return true;
    lines << MarkerLine(bytes);
    return PackageFiles::WriteText(bound, marker, lines, error);
}

// Keeps the game's own version of `gameFile` as `backupFile` for the
// uninstaller. A backup made earlier is never replaced. With `copyLine` (the
// language files' line that names the copy; 0 for none), a game file that
// isn't there is recorded as "<backup>.none", with the copy about to be
// placed, so that no later start takes the package's copy for the game's own
// file. That marker stands only while the game file is missing or one of
// the package's copies: a game file put back since (by the game's own file
// check, say) is backed up, and the marker removed once the backup is
// safely written.
bool backUp(const QString &bound, const QString &gameFile, const QString &backupFile, int copyLine,
            const QByteArray &copy, QString *error)
{
    const QString none = backupFile + QStringLiteral(".none");
    for (const QString &path : {gameFile, backupFile, none}) {
        if (PackageFiles::LeadsOutside(path, bound)) {
            *error = PackageFiles::LeadsOutsideReason(path);
            return false;
        }
    }
    const bool missing = !QFileInfo::exists(gameFile);
    const bool marked = copyLine > 0 && QFileInfo(none).isFile();
    if (marked && (missing || isPackageCopy(gameFile, none, copyLine, bound)))
        return true;
    if (!QFileInfo(backupFile).isFile()) {
        if ((missing && copyLine == 0) || (!missing && !QFileInfo(gameFile).isFile()))
            return true;
        const QString folder = QFileInfo(backupFile).absolutePath();
        if (!QDir().mkpath(folder)) {
            *error = Texts::get(Texts::FolderNotMade).arg(QDir::toNativeSeparators(folder));
            return false;
        }
        if (missing)
            return PackageFiles::WriteText(bound, none, {MarkerLine(copy)}, error);
        QByteArray own;
        if (!readRegularFile(gameFile, &own, error) || !place(bound, backupFile, own, error))
            return false;
    }
    if (marked && !QFile::remove(none)) {
        *error = Texts::get(Texts::MarkerNotRemoved).arg(shown(none));
        return false;
    }
    return true;
}

struct GameFile
{
    int languageLine;    // of the language file, naming the replacement
    int pathLine;        // of the path file, naming the game's file
    QString target;      // as the path file holds it
    QString suffix;      // what the setup dialog adds to the Half-Life folder for it
    QString backupName;  // in the "backup" folder of cstrike
    QString extension;   // what the package folder's replacement must end in: ".lst", ".txt"
};

// Replaces one game file with the language's version, after keeping the
// game's own version (and valve.rc) for the uninstaller. Adds a line to
// `outcome` for what was replaced or could not be.
void replaceGameFile(const QStringList &language, const QString &languageName, const QString &halfLife,
                     const QString &bound, const GameFile &file, LanguageOutcome *outcome)
{
    QStringList &problems = outcome->problems;
    const QString target = LocalPath(file.target);
    const QString gameFile = LocalPath(halfLife + file.suffix);
    // Only the game's own file, as the setup dialog derives it from the
    // Half-Life folder: a changed path file names no other file to overwrite.
    if (!PackageFiles::SameFile(target, gameFile)) {
        problems << Texts::get(Texts::NotTheGameFile)
                        .arg(shown(target), QString::number(file.pathLine), PackageFiles::kPathFile, shown(gameFile));
        return;
    }
    const QString source = language.value(file.languageLine - 1);
    if (source.isEmpty()) {
        problems << Texts::get(Texts::NoReplacementNamed)
                        .arg(shown(target), QString::number(file.languageLine), languageName);
        return;
    }
    // A key list only from a key list, a menu only from a text file: never
    // the program, its lock or one of its own files.
    if (!isBareFileName(source) || !source.endsWith(file.extension, Qt::CaseInsensitive)) {
        problems << Texts::get(Texts::NotABareFileName)
                        .arg(shown(target), QString::number(file.languageLine), languageName, source, file.extension);
        return;
    }
    if (!QFileInfo::exists(source)) {
        problems << Texts::get(Texts::ReplacementMissing)
                        .arg(shown(target), shown(source), QString::number(file.languageLine), languageName);
        return;
    }
    if (!QFileInfo(source).isFile()) {
        problems << Texts::get(Texts::ReplacementNoRegularFile).arg(shown(target), shown(source));
        return;
    }
    for (const QString &path : {source, target}) {
        if (PackageFiles::LeadsOutside(path, bound)) {
            problems << Texts::get(Texts::NotReplacedBecause).arg(shown(target), PackageFiles::LeadsOutsideReason(path));
            return;
        }
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        problems << Texts::get(Texts::GameFolderMissing).arg(shown(target), QDir::toNativeSeparators(folder));
        return;
    }
    QByteArray copy;
    QString error;
    if (!readRegularFile(source, &copy, &error)) {
        problems << error + QLatin1Char('.');
        return;
    }

    const QString cstrike = LocalPath(halfLife + QStringLiteral("\\cstrike"));
    const QString backupFolder = cstrike + QStringLiteral("/backup/");
    const QString backup = backupFolder + file.backupName;
    if (!backUp(bound, target, backup, file.languageLine, copy, &error)) {
        problems << Texts::get(Texts::NoBackup).arg(shown(target), error);
        return;
    }
    if (!backUp(bound, cstrike + QStringLiteral("/valve.rc"), backupFolder + QStringLiteral("valve.rc"), 0, {},
                &error))
        problems << Texts::get(Texts::NoValveBackup).arg(error);

    // Where the game had none, the copy is recorded before it is placed.
    const QString marker = backup + QStringLiteral(".none");
    if (QFileInfo(marker).isFile() && !recordCopy(bound, marker, copy, &error)) {
        problems << Texts::get(Texts::NoBackup).arg(shown(target), error);
        return;
    }
    if (place(bound, target, copy, &error))
        outcome->replaced << shown(target);
    else
        problems << error + QLatin1Char('.');
}

} // namespace

QStringList LanguageFiles(const QString &folder)
{
    QStringList names;
    const QDir dir(folder);
    const QStringList found = dir.entryList({QStringLiteral("*.lang")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : found) {
        // QDir::Files passes Windows system files: the readers refuse them, so the list does too.
        // The name goes into the path file as one of its lines.
        if (!FilePlatform::IsSystemFile(dir.filePath(name)) && PackageFiles::FitsPathFileLine(name))
            names.append(name);
    }
    return names;
}

QString ReadLanguageFile(const QString &name, const QString &bound, QStringList *lines)
{
    const QString path = LocalPath(name);
    if (PackageFiles::LeadsOutside(path, bound))
        return Texts::get(Texts::LanguageLeadsOutside).arg(shown(path));
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden() || FilePlatform::IsSystemFile(path))
        return Texts::get(Texts::LanguageMissing).arg(shown(path));
    bool failed = false;
    *lines = ReadFileLines(path, &failed, kLongestText, nullptr, kLanguageFileLines);
    if (failed)
        return Texts::get(Texts::LanguageUnreadable).arg(shown(path));
    return {};
}

QStringList LanguageProblems(const LanguageOutcome &outcome)
{
    if (outcome.unusable.isEmpty())
        return outcome.problems;
    return {outcome.unusable + QLatin1Char(' ') + Texts::get(Texts::BuiltInTextsStay)};
}

LanguageOutcome ReplaceGameFiles(const QStringList &language, const QString &languageName, const PathFile &pathFile,
                                 const QString &bound, bool withCommandMenu)
{
    LanguageOutcome outcome;
    QList<GameFile> files{{kKeyBindingsLine, 3, pathFile.keyBindings, QStringLiteral("\\cstrike\\gfx\\shell\\kb_act.lst"),
                           QStringLiteral("kb_act.lst"), QStringLiteral(".lst")}};
    if (withCommandMenu)
        files.append({kCommandMenuLine, 4, pathFile.commandMenu, QStringLiteral("\\cstrike\\commandmenu.txt"),
                      QStringLiteral("commandmenu.txt"), QStringLiteral(".txt")});

    // Without a Half-Life folder nothing bounds the game files: none is touched.
    const QString &halfLife = pathFile.halfLife;
    if (!PackageFiles::IsHalfLifeFolder(LocalPath(halfLife))) {
        QStringList targets;
        for (const GameFile &file : files)
            targets << shown(LocalPath(file.target));
        outcome.problems << Texts::get(Texts::NotAHalfLifeFolder).arg(targets.join(QStringLiteral(", ")), halfLife);
        return outcome;
    }
    for (const GameFile &file : files)
        replaceGameFile(language, languageName, halfLife, bound, file, &outcome);
    return outcome;
}

QString MarkerLine(const QByteArray &bytes)
{
    return QStringLiteral("sha256 ")
           + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}
