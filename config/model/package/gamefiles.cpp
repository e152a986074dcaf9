#include "gamefiles.h"

#include "fileplatform.h"
#include "packagefiles.h"
#include "pathfile.h"
#include "language.h"
#include "textfiles.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const int kKeyBindingsLine = 21;
const int kCommandMenuLine = 22;

// Lines past the last message are not read at all.
constexpr qsizetype kLanguageFileLines = Texts::lineOf(Texts::Id(Texts::Count - 1));

// A marker or record of the package's copies holds one short line for each
// copy placed. One larger than this, with a zero byte or with more lines is
// damaged: it is not judged, and nothing it stands for is touched. The
// uninstaller reads markers by the same rule.
constexpr qint64 kLargestMarker = 64 * 1024;
constexpr qsizetype kMarkerLines = 1000;

QString shown(const QString &localPath)
{
    return QDir::toNativeSeparators(QFileInfo(localPath).absoluteFilePath());
}

// The bytes of the regular file `path`; false and `*error` when it is no
// regular file (a FIFO or a device would never end) or can't be read.
bool readRegularFile(const Language &language, const QString &path, QByteArray *bytes, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        *error = language.message(Texts::NoRegularFile).arg(shown(path));
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

// A file the language step is about to judge, read once: whatever it is
// judged by is what it held then.
struct Found
{
    enum Kind {
        Missing,
        File,
        Other,    // a link, a folder or a special file
        Unjudged  // can't be read, or a damaged marker
    } kind = Missing;
    QByteArray bytes;  // of a File
    QString why;       // of Other and Unjudged: which file and why
};

// A link (even one leading to a file inside the game), a folder or a special
// file is no game file the package may replace or take for the game's own:
// it stays as it is. So does one that can't be read this time (a virus
// scanner holding it, say): nothing is done on a guess.
Found examine(const Language &language, const QString &path)
{
    const QFileInfo info(path);
    Found found;
    if (!info.exists() && !info.isSymLink())
        return found;
    if (info.isSymLink() || info.isJunction() || !info.isFile()) {
        found.kind = Found::Other;
        found.why = language.message(Texts::NoRegularFile).arg(shown(path));
        return found;
    }
    QString unused;
    if (!readRegularFile(language, path, &found.bytes, &unused)) {
        found.kind = Found::Unjudged;
        found.why = language.message(Texts::FileUnreadable).arg(shown(path));
        return found;
    }
    found.kind = Found::File;
    return found;
}

// A marker (or record) of the copies placed: its bytes and its lines. One
// that can't be read or is damaged is Unjudged.
struct Marker
{
    Found file;
    QStringList lines;
};

// The lines of a marker: a line ends at CR LF, a lone CR or a lone LF, and a
// line break at the very end adds no empty line.
QList<QByteArray> markerLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        lines << line;
        line.clear();
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

Marker readMarker(const Language &language, const QString &path)
{
    Marker marker{examine(language, path), {}};
    if (marker.file.kind != Found::File)
        return marker;
    const QByteArray &bytes = marker.file.bytes;
    const QList<QByteArray> lines = markerLines(bytes);
    if (bytes.size() > kLargestMarker || bytes.contains('\0') || lines.size() > kMarkerLines) {
        marker.file.kind = Found::Unjudged;
        marker.file.why = language.message(Texts::MarkerDamaged).arg(shown(path));
        return marker;
    }
    for (const QByteArray &line : lines)
        marker.lines << QString::fromLatin1(line);
    return marker;
}

// The marker with the copy of `bytes` recorded, every byte it held kept.
// False and `*error` when it is full.
bool recordCopy(const Language &language, const QString &bound, const QString &path, const Marker &marker,
                const QByteArray &bytes, QString *error)
{
    if (marker.lines.contains(MarkerLine(bytes)))
        return true;
    if (marker.lines.size() >= kMarkerLines) {
        *error = language.message(Texts::MarkerDamaged).arg(shown(path));
        return false;
    }
    QByteArray recorded = marker.file.bytes;
    if (!recorded.isEmpty() && !recorded.endsWith('\n') && !recorded.endsWith('\r'))
        recorded += "\r\n";
    recorded += MarkerLine(bytes).toLatin1() + "\r\n";
    return PackageFiles::WriteBytes(language, bound, path, recorded, error);
}

// A file of the package folder: no folder part, nothing that leads up or
// elsewhere, so a language can never copy another file into the game.
bool isBareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QLatin1Char(':'));
}

enum class Verdict { No, Yes, Unjudged };

// Whether `game` is exactly what a language of the package folder puts there
// today: a file of the package folder named by line `copyLine` of one of its
// visible language files (the uninstaller asks the same before it deletes
// such a file). A language file that is a link out of `bound` is not read.
// A copy of the same size that can't be read leaves it open.
Verdict isLanguageCopy(const Language &language, const QByteArray &game, int copyLine, const QString &folder,
                       const QString &bound, QString *why)
{
    for (const QString &languageName : LanguageFiles(folder)) {
        QStringList lines;
        if (!ReadLanguageFile(language, folder, languageName, bound, &lines).isEmpty())
            continue;
        const QString name = lines.value(copyLine - 1);
        if (!isBareFileName(name))
            continue;
        const QString copy = QDir(folder).filePath(name);
        const QFileInfo info(copy);
        if (PackageFiles::LeadsOutside(copy, bound) || !info.isFile() || info.size() != game.size())
            continue;
        QByteArray bytes;
        if (!readRegularFile(language, copy, &bytes, why))
            return Verdict::Unjudged;
        if (bytes == game)
            return Verdict::Yes;
    }
    return Verdict::No;
}

// Whether the game file holds a copy the package placed: one its marker or
// record lists (of this version of the package or an earlier one), or one a
// language of the package folder names today (all that a marker written
// before markers recorded their copies can go by).
Verdict isPackageCopy(const Language &language, const QByteArray &game, const QStringList &records, int copyLine,
                      const QString &folder, const QString &bound, QString *why)
{
    if (records.contains(MarkerLine(game)))
        return Verdict::Yes;
    return isLanguageCopy(language, game, copyLine, folder, bound, why);
}

// Puts the backup `backupFile` aside as "<name>.older-<date and time>",
// never over another file: a backup is never lost.
bool putAside(const Language &language, const QString &backupFile, QString *error)
{
    const QString stem = backupFile + QStringLiteral(".older-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stem;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = stem + QLatin1Char('-') + QString::number(n);
    if (QFile::rename(backupFile, aside))
        return true;
    *error = language.message(Texts::BackupNotPutAside).arg(shown(backupFile), shown(aside));
    return false;
}

// Makes `game` the backup: the one there before, if any, is put aside first.
bool replaceBackup(const Language &language, const QString &bound, const QString &backupFile, const Found &backup,
                   const QByteArray &game, QString *error)
{
    if (backup.kind == Found::File && !putAside(language, backupFile, error))
        return false;
    const QString folder = QFileInfo(backupFile).absolutePath();
    if (!QDir::root().mkpath(folder)) {
        *error = language.message(Texts::FolderNotMade).arg(QDir::toNativeSeparators(folder));
        return false;
    }
    return PackageFiles::WriteBytes(language, bound, backupFile, game, error);
}

// Keeps the game's own version of a game file as `backupFile` for the
// uninstaller, before the package's copy `copy` goes in; `copyLine` is the
// language files' line that names the copy (0 for valve.rc, which the package
// never replaces). The backup holds the game's file as it was before the
// package last replaced it: a game file that is neither the backup nor one
// of the package's copies (the player's own, or the game's, changed since
// or put back after an uninstall) becomes the backup, and the one before is
// put aside. Where the game had no such file, a marker "<backup>.none"
// stands instead and records the copies placed; where it had one,
// "<backup>.placed" records them, so that no later start takes a copy of
// the package (of this or an earlier version) for the game's own file.
// Anything but Done, and `*error`, when the game file must stay as it is
// this time.
enum class BackedUp {
    Done,
    NoRegularFile,  // the game file is none (a link, a folder, a special file) or leads out
    NotJudged,      // a file it is judged by can't be read or is damaged
    Failed          // the backup or the marker can't be written
};
BackedUp backUp(const Language &language, const QString &folder, const QString &bound, const QString &gameFile,
                const Found &game, const QString &backupFile, int copyLine, const QByteArray &copy, QString *error)
{
    // valve.rc is only kept, never replaced: where there is no file to keep, nothing is done.
    if (copyLine == 0 && (game.kind == Found::Missing || game.kind == Found::Other))
        return BackedUp::Done;
    const QString none = backupFile + QStringLiteral(".none");
    const QString placed = backupFile + QStringLiteral(".placed");
    for (const QString &path : {gameFile, backupFile, none, placed}) {
        if (PackageFiles::LeadsOutside(path, bound)) {
            *error = PackageFiles::LeadsOutsideReason(language, path);
            return BackedUp::NoRegularFile;
        }
    }
    const Marker marker = copyLine > 0 ? readMarker(language, none) : Marker{};
    const Marker records = copyLine > 0 ? readMarker(language, placed) : Marker{};
    const Found backup = examine(language, backupFile);
    if (game.kind == Found::Other) {
        *error = game.why;
        return BackedUp::NoRegularFile;
    }
    for (const Found *found : {&game, &marker.file, &records.file, &backup}) {
        if (found->kind == Found::Other || found->kind == Found::Unjudged) {
            *error = found->why;
            return BackedUp::NotJudged;
        }
    }
    const bool marked = marker.file.kind == Found::File;
    if (game.kind == Found::Missing) {
        if (marked || backup.kind == Found::File)
            return BackedUp::Done;
        const QString folder = QFileInfo(none).absolutePath();
        if (!QDir::root().mkpath(folder)) {
            *error = language.message(Texts::FolderNotMade).arg(QDir::toNativeSeparators(folder));
            return BackedUp::Failed;
        }
        return recordCopy(language, bound, none, marker, copy, error) ? BackedUp::Done : BackedUp::Failed;
    }
    if (marked || backup.kind == Found::File) {
        if (backup.kind == Found::File && backup.bytes == game.bytes)
            return BackedUp::Done;
        if (copyLine > 0) {
            if (game.bytes == copy)
                return BackedUp::Done;
            const QStringList recorded = marker.lines + records.lines;
            switch (isPackageCopy(language, game.bytes, recorded, copyLine, folder, bound, error)) {
            case Verdict::Yes:
                return BackedUp::Done;
            case Verdict::Unjudged:
                return BackedUp::NotJudged;
            case Verdict::No:
                break;
            }
        }
    }
    if (!replaceBackup(language, bound, backupFile, backup, game.bytes, error))
        return BackedUp::Failed;
    if (marked && !QFile::remove(none)) {
        *error = language.message(Texts::MarkerNotRemoved).arg(shown(none));
        return BackedUp::Failed;
    }
    return BackedUp::Done;
}

// Records the copy about to be placed: in the marker where the game had no
// file, else beside the backup.
bool recordPlacedCopy(const Language &language, const QString &bound, const QString &backupFile, const QByteArray &copy,
                      QString *error)
{
    QString record = backupFile + QStringLiteral(".none");
    if (!QFileInfo(record).isFile())
        record = backupFile + QStringLiteral(".placed");
    const Marker marker = readMarker(language, record);
    if (marker.file.kind == Found::Other || marker.file.kind == Found::Unjudged) {
        *error = marker.file.why;
        return false;
    }
    return recordCopy(language, bound, record, marker, copy, error);
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
void replaceGameFile(const Language &language, const QStringList &lines, const QString &languageName,
                     const QString &halfLife, const QString &folder, const QString &bound, const GameFile &file,
                     LanguageOutcome *outcome)
{
    QStringList &problems = outcome->problems;
    const QString target = PackageFiles::PathIn(folder, file.target);
    const QString gameFile = PackageFiles::PathIn(folder, halfLife + file.suffix);
    // Only the game's own file, as the setup dialog derives it from the
    // Half-Life folder: a changed path file names no other file to overwrite.
    if (!PackageFiles::SameFile(target, gameFile)) {
        problems << language.message(Texts::NotTheGameFile)
                        .arg(shown(target), QString::number(file.pathLine), PackageFiles::kPathFile, shown(gameFile));
        return;
    }
    const QString sourceName = lines.value(file.languageLine - 1);
    if (sourceName.isEmpty()) {
        problems << language.message(Texts::NoReplacementNamed)
                        .arg(shown(target), QString::number(file.languageLine), languageName);
        return;
    }
    // A key list only from a key list, a menu only from a text file: never
    // the program, its lock or one of its own files.
    if (!isBareFileName(sourceName) || !sourceName.endsWith(file.extension, Qt::CaseInsensitive)) {
        problems << language.message(Texts::NotABareFileName)
                        .arg(shown(target), QString::number(file.languageLine), languageName, sourceName,
                             file.extension);
        return;
    }
    const QString source = QDir(folder).filePath(sourceName);
    if (!QFileInfo::exists(source)) {
        problems << language.message(Texts::ReplacementMissing)
                        .arg(shown(target), shown(source), QString::number(file.languageLine), languageName);
        return;
    }
    if (!QFileInfo(source).isFile()) {
        problems << language.message(Texts::ReplacementNoRegularFile).arg(shown(target), shown(source));
        return;
    }
    for (const QString &path : {source, target}) {
        if (PackageFiles::LeadsOutside(path, bound)) {
            problems << language.message(Texts::NotReplacedBecause)
                            .arg(shown(target), PackageFiles::LeadsOutsideReason(language, path));
            return;
        }
    }
    const QString targetFolder = QFileInfo(target).absolutePath();
    if (!QFileInfo(targetFolder).isDir()) {
        problems << language.message(Texts::GameFolderMissing)
                        .arg(shown(target), QDir::toNativeSeparators(targetFolder));
        return;
    }
    QByteArray copy;
    QString error;
    if (!readRegularFile(language, source, &copy, &error)) {
        problems << error + QLatin1Char('.');
        return;
    }

    const QString cstrike = PackageFiles::PathIn(folder, halfLife + QStringLiteral("\\cstrike"));
    const QString backupFolder = cstrike + QStringLiteral("/backup/");
    const QString backup = backupFolder + file.backupName;
    const Found game = examine(language, target);
    switch (backUp(language, folder, bound, target, game, backup, file.languageLine, copy, &error)) {
    case BackedUp::Done:
        break;
    case BackedUp::NoRegularFile:
        problems << language.message(Texts::NotReplacedBecause).arg(shown(target), error);
        return;
    case BackedUp::NotJudged:
        problems << language.message(Texts::NotReplacedBecause).arg(shown(target), error);
        outcome->unjudged << problems.last();
        return;
    case BackedUp::Failed:
        problems << language.message(Texts::NoBackup).arg(shown(target), error);
        return;
    }
    const QString valve = cstrike + QStringLiteral("/valve.rc");
    const QString valveBackup = backupFolder + QStringLiteral("valve.rc");
    if (backUp(language, folder, bound, valve, examine(language, valve), valveBackup, 0, {}, &error)
        != BackedUp::Done)
        problems << language.message(Texts::NoValveBackup).arg(error);

    // The copy is recorded before it is placed.
    if (!recordPlacedCopy(language, bound, backup, copy, &error)) {
        problems << language.message(Texts::NoBackup).arg(shown(target), error);
        return;
    }
    if (game.kind == Found::File && game.bytes == copy)
        outcome->replaced << shown(target);
    else if (PackageFiles::WriteBytes(language, bound, target, copy, &error))
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

QString ReadLanguageFile(const Language &language, const QString &folder, const QString &name, const QString &bound,
                         QStringList *lines)
{
    // Only a file of the package folder is a language, as the list offers them
    // (and the uninstaller reads them).
    if (!isBareFileName(name))
        return language.message(Texts::LanguageMissing).arg(name);
    const QString path = QDir(folder).filePath(name);
    if (PackageFiles::LeadsOutside(path, bound))
        return language.message(Texts::LanguageLeadsOutside).arg(shown(path));
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden() || FilePlatform::IsSystemFile(path))
        return language.message(Texts::LanguageMissing).arg(shown(path));
    bool failed = false;
    *lines = ReadFileLines(path, &failed, kLongestLine, nullptr, kLanguageFileLines);
    if (failed)
        return language.message(Texts::LanguageUnreadable).arg(shown(path));
    return {};
}

QStringList LanguageProblems(const Language &language, const LanguageOutcome &outcome)
{
    if (outcome.unusable.isEmpty())
        return outcome.problems;
    return {outcome.unusable + QLatin1Char(' ') + language.message(Texts::BuiltInTextsStay)};
}

LanguageOutcome ReplaceGameFiles(const Language &language, const QStringList &lines, const QString &languageName,
                                 const PathFile &pathFile, const QString &folder, const QString &bound,
                                 bool withCommandMenu)
{
    LanguageOutcome outcome;
    QList<GameFile> files{{kKeyBindingsLine, 3, pathFile.keyBindings, QStringLiteral("\\cstrike\\gfx\\shell\\kb_act.lst"),
                           QStringLiteral("kb_act.lst"), QStringLiteral(".lst")}};
    if (withCommandMenu)
        files.append({kCommandMenuLine, 4, pathFile.commandMenu, QStringLiteral("\\cstrike\\commandmenu.txt"),
                      QStringLiteral("commandmenu.txt"), QStringLiteral(".txt")});

    // Without a Half-Life folder nothing bounds the game files: none is touched.
    const QString &halfLife = pathFile.halfLife;
    if (!PackageFiles::IsHalfLifeFolder(PackageFiles::PathIn(folder, halfLife))) {
        QStringList targets;
        for (const GameFile &file : files)
            targets << shown(PackageFiles::PathIn(folder, file.target));
        outcome.problems << language.message(Texts::NotAHalfLifeFolder)
                                .arg(targets.join(QStringLiteral(", ")), halfLife);
        return outcome;
    }
    for (const GameFile &file : files)
        replaceGameFile(language, lines, languageName, halfLife, folder, bound, file, &outcome);
    return outcome;
}

QString MarkerLine(const QByteArray &bytes)
{
    return QStringLiteral("sha256 ")
           + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}
