#include "language.h"

#include "texts.h"

#include "appearance.h"
#include "fileplatform.h"
#include "firstrun.h"
#include "forms.h"
#include "hauptmenu.h"
#include "languagetexts.h"
#include "message.h"
#include "packagefiles.h"
#include "write.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

namespace {

const int kKeyBindingsLine = 21;
const int kCommandMenuLine = 22;

QString shown(const QString &localPath)
{
    return QDir::toNativeSeparators(QFileInfo(localPath).absoluteFilePath());
}

// A caption, tooltip or help text is cut to 4,096 characters when the
// language file is read: no window shows more, and a longer one would only
// slow the start down.
constexpr qsizetype kLongestText = 4096;

// The language file's lines, read once for the whole step.
class LanguageFile
{
public:
    explicit LanguageFile(const QStringList &lines)
        : m_lines(lines)
    {
    }
    QString line(int number) const { return m_lines.value(number - 1); }

private:
    QStringList m_lines;
};

// The language's captions, help texts and tooltips: kept for the windows
// built later, and shown at once by those that exist.
void applyTexts(const LanguageFile &file)
{
    QStringList lines;
    for (int number = 1; number <= kLanguageLines; ++number)
        lines << file.line(number);
    Forms::shared<LanguageTexts>().replace(lines);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (LanguageCaptions::recaption(window))
            Appearance::refitCaptions(window);
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
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

// Replaces `target` with the bytes of `source`, whole or not at all: written
// beside the target, then renamed over it. On failure `*error` names the file
// and the reason.
bool replaceFile(const QString &source, const QString &target, QString *error)
{
    QByteArray bytes;
    if (!readRegularFile(source, &bytes, error))
        return false;
    // As the language is applied at every start: a game file that is the
    // copy already is not written again.
    QByteArray present;
    QString unused;
    const QFileInfo info(target);
    if (info.isFile() && info.size() == bytes.size() && readRegularFile(target, &present, &unused) && present == bytes)
        return true;
    return PackageFiles::WriteBytes(target, bytes, error);
}

// A file of the package folder: no folder part, nothing that leads up or
// elsewhere, so a language can never copy another file into the game.
bool isBareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QLatin1Char(':'));
}

// True when `gameFile` holds exactly what a language puts there: a file of
// the package folder named by line `copyLine` of one of its visible language
// files (the uninstaller asks the same before it deletes such a file), not
// the game's own file.
bool isLanguageCopy(const QString &gameFile, int copyLine)
{
    QByteArray game;
    QString error;
    if (!readRegularFile(gameFile, &game, &error))
        return false;
    for (const QString &languageName : LanguageFiles(QStringLiteral("."))) {
        const QString copy = ReadFileLines(languageName, nullptr, kLongestText).value(copyLine - 1);
        QByteArray bytes;
        if (isBareFileName(copy) && !PackageFiles::LeadsOutside(copy) && QFileInfo(copy).size() == game.size()
            && readRegularFile(copy, &bytes, &error) && bytes == game)
            return true;
    }
    return false;
}

// Keeps the game's own version of `gameFile` as `backupFile` for the
// uninstaller. A backup made earlier is never replaced. With `copyLine` (the
// language files' line that names the copy; 0 for none), a game file that
// isn't there is recorded as an empty "<backup>.none", so that no later start
// takes the language's copy for the game's own file. That marker stands only
// while the game file is missing or one of those copies: a game file put back
// since (by the game's own file check, say) is backed up, and the marker
// removed once the backup is safely written.
bool backUp(const QString &gameFile, const QString &backupFile, int copyLine, QString *error)
{
    const QString none = backupFile + QStringLiteral(".none");
    for (const QString &path : {gameFile, backupFile, none}) {
        if (PackageFiles::LeadsOutside(path)) {
            *error = PackageFiles::LeadsOutsideReason(path);
            return false;
        }
    }
    const bool missing = !QFileInfo::exists(gameFile);
    const bool marked = copyLine > 0 && QFileInfo(none).isFile();
    if (marked && (missing || isLanguageCopy(gameFile, copyLine)))
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
            return PackageFiles::WriteBytes(none, QByteArray(), error);
        if (!replaceFile(gameFile, backupFile, error))
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
    QString copies;      // the package folder's files a replacement can be: "*.lst", "*.txt"
};

// Replaces one game file with the language's version, after keeping the
// game's own version (and valve.rc) for the uninstaller. Adds a line to
// `problems` for everything that could not be done.
void replaceGameFile(const QStringList &language, const QString &languageName, const QString &halfLife,
                     const GameFile &file, QStringList *problems)
{
    const QString target = LocalPath(file.target);
    // Only the game's own file, as the setup dialog derives it from the
    // Half-Life folder: a changed path file names no other file to overwrite.
    if (!PackageFiles::SameFile(target, LocalPath(halfLife + file.suffix))) {
        problems->append(Texts::get(Texts::NotTheGameFile)
                             .arg(shown(target))
                             .arg(file.pathLine)
                             .arg(PackageFiles::kPathFile, shown(LocalPath(halfLife + file.suffix))));
        return;
    }
    const QString source = language.value(file.languageLine - 1);
    if (source.isEmpty()) {
        problems->append(Texts::get(Texts::NoReplacementNamed)
                             .arg(shown(target))
                             .arg(file.languageLine)
                             .arg(languageName));
        return;
    }
    // A key list only from a key list, a menu only from a text file: never
    // the program, its lock or one of its own files.
    const QString extension = file.copies.mid(1);
    if (!isBareFileName(source) || !source.endsWith(extension, Qt::CaseInsensitive)) {
        problems->append(Texts::get(Texts::NotABareFileName)
                             .arg(shown(target))
                             .arg(file.languageLine)
                             .arg(languageName, source, extension));
        return;
    }
    if (!QFileInfo::exists(source)) {
        problems->append(Texts::get(Texts::ReplacementMissing)
                             .arg(shown(target), shown(source))
                             .arg(file.languageLine)
                             .arg(languageName));
        return;
    }
    if (!QFileInfo(source).isFile()) {
        problems->append(Texts::get(Texts::ReplacementNoRegularFile)
                             .arg(shown(target), shown(source)));
        return;
    }
    for (const QString &path : {source, target}) {
        if (PackageFiles::LeadsOutside(path)) {
            problems->append(
                Texts::get(Texts::NotReplacedBecause).arg(shown(target), PackageFiles::LeadsOutsideReason(path)));
            return;
        }
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        problems->append(Texts::get(Texts::GameFolderMissing).arg(shown(target), QDir::toNativeSeparators(folder)));
        return;
    }

    const QString cstrike = LocalPath(halfLife + QStringLiteral("\\cstrike"));
    const QString backupFolder = cstrike + QStringLiteral("/backup/");
    QString error;
    if (!backUp(target, backupFolder + file.backupName, file.languageLine, &error)) {
        problems->append(Texts::get(Texts::NoBackup).arg(shown(target), error));
        return;
    }
    if (!backUp(cstrike + QStringLiteral("/valve.rc"), backupFolder + QStringLiteral("valve.rc"), 0, &error))
        problems->append(Texts::get(Texts::NoValveBackup).arg(error));

    if (!replaceFile(source, target, &error))
        problems->append(error + QLatin1Char('.'));
}

// Reads the language file into `*lines`. Returns why it can't be used, or ""
// when it can: missing, unreadable, or a link out of the Half-Life folder
// (which counts as unreadable).
QString readLanguage(const QString &languageName, QStringList *lines)
{
    const QString path = LocalPath(languageName);
    if (PackageFiles::LeadsOutside(path))
        return Texts::get(Texts::LanguageLeadsOutside).arg(shown(path));
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden() || FilePlatform::IsSystemFile(path))
        return Texts::get(Texts::LanguageMissing).arg(shown(path));
    bool failed = false;
    *lines = ReadFileLines(path, &failed, kLongestText);
    if (failed)
        return Texts::get(Texts::LanguageUnreadable).arg(shown(path));
    return {};
}

QString withBuiltInTexts(const QString &unusable)
{
    return unusable + QLatin1Char(' ') + Texts::get(Texts::BuiltInTextsStay);
}

struct Outcome
{
    QString unusable;      // the language file itself, when it could not be used
    QStringList problems;  // the game files that were not replaced
};

Outcome apply(const QString &languageName, bool withCommandMenu)
{
    Outcome outcome;
    QStringList language;
    outcome.unusable = readLanguage(languageName, &language);
    if (!outcome.unusable.isEmpty())
        return outcome;
    ShowAppliedLanguage(languageName);
    Texts::use(language);
    applyTexts(LanguageFile(language));

    hauptmenu *main = Forms::get<hauptmenu>();
    QList<GameFile> files{{kKeyBindingsLine, 3, main->gfx->text(), QStringLiteral("\\cstrike\\gfx\\shell\\kb_act.lst"),
                           QStringLiteral("kb_act.lst"), QStringLiteral("*.lst")}};
    if (withCommandMenu)
        files.append({kCommandMenuLine, 4, main->cmd->text(), QStringLiteral("\\cstrike\\commandmenu.txt"),
                      QStringLiteral("commandmenu.txt"), QStringLiteral("*.txt")});

    // Without a Half-Life folder nothing bounds the game files: none is touched.
    const QString halfLife = PackageFiles::PathFileLine(1);
    if (!PackageFiles::IsHalfLifeFolder(LocalPath(halfLife))) {
        QStringList targets;
        for (const GameFile &file : files)
            targets << shown(LocalPath(file.target));
        outcome.problems << Texts::get(Texts::NotAHalfLifeFolder).arg(targets.join(QStringLiteral(", ")), halfLife);
        return outcome;
    }
    for (const GameFile &file : files)
        replaceGameFile(language, languageName, halfLife, file, &outcome.problems);
    return outcome;
}

QStringList problemsOf(const Outcome &outcome)
{
    return outcome.unusable.isEmpty() ? outcome.problems : QStringList{withBuiltInTexts(outcome.unusable)};
}

} // namespace

QStringList LanguageFiles(const QString &folder)
{
    QStringList names;
    const QStringList found = QDir(folder).entryList({QStringLiteral("*.lang")}, QDir::Files,
                                                     QDir::Name | QDir::IgnoreCase);
    for (const QString &name : found) {
        // The name goes into the path file as one of its lines.
        if (PackageFiles::FitsPathFileLine(name))
            names.append(name);
    }
    return names;
}

QStringList ApplyLanguage()
{
    return problemsOf(apply(RecordedLanguage(), true));
}

QStringList ApplyLanguageOnClose()
{
    return problemsOf(apply(RecordedLanguage(), false));
}

void ApplyRecordedLanguage()
{
    const QString languageName = RecordedLanguage();
    if (languageName.isEmpty())
        return;
    // What was not replaced in the game is not worth a word at every start;
    // a language that can't be read at all is.
    const Outcome outcome = apply(languageName, true);
    if (!outcome.unusable.isEmpty())
        Message::show(QStringLiteral("Korvel Configurator"), withBuiltInTexts(outcome.unusable));
}

QString LanguageMessage(const QString &languageName, Texts::Id id)
{
    QStringList language;
    if (languageName.isEmpty() || !readLanguage(languageName, &language).isEmpty())
        return Texts::get(id);
    return Texts::fromLanguage(language, id);
}

void UseRecordedLanguageMessages()
{
    QStringList language;
    const QString languageName = PackageFiles::PathFileLine(2);
    if (!languageName.isEmpty() && readLanguage(languageName, &language).isEmpty())
        Texts::use(language);
}
