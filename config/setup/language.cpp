#include "language.h"

#include "appearance.h"
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

// One read of the file per target: each caption takes its line straight from the file.
class LanguageFile
{
public:
    explicit LanguageFile(const QString &name)
        : m_path(LocalPath(name))
    {
    }
    QString line(int number) const { return ReadFileLine(m_path, number); }

private:
    QString m_path;
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
    }
}

// Replaces `target` with the bytes of `source`, whole or not at all: written
// beside the target, then renamed over it. On failure `*error` names the file
// and the reason.
bool replaceFile(const QString &source, const QString &target, QString *error)
{
    QFile in(source);
    QByteArray bytes;
    if (in.open(QIODevice::ReadOnly))
        bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        *error = QStringLiteral("%1: %2").arg(shown(source), in.errorString());
        return false;
    }
    in.close();

    return PackageFiles::WriteBytes(target, bytes, error);
}

// Keeps the game's own version of `gameFile` as `backupFile` for the
// uninstaller. A backup made earlier is never replaced. With `recordMissing`,
// a game file that isn't there is recorded as an empty "<backup>.none", so
// that no later start takes the language's copy for the game's own file.
bool backUp(const QString &gameFile, const QString &backupFile, bool recordMissing, QString *error)
{
    const QString none = backupFile + QStringLiteral(".none");
    if (QFileInfo(backupFile).isFile() || (recordMissing && QFileInfo(none).isFile()))
        return true;
    for (const QString &path : {gameFile, backupFile, none}) {
        if (PackageFiles::LeadsOutside(path)) {
            *error = PackageFiles::LeadsOutsideReason(path);
            return false;
        }
    }
    const bool missing = !QFileInfo::exists(gameFile);
    if ((missing && !recordMissing) || (!missing && !QFileInfo(gameFile).isFile()))
        return true;
    const QString folder = QFileInfo(backupFile).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("%1: der Ordner kann nicht angelegt werden").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (missing)
        return PackageFiles::WriteBytes(none, QByteArray(), error);
    return replaceFile(gameFile, backupFile, error);
}

// A file of the package folder: no folder part, nothing that leads up or
// elsewhere, so a language can never copy another file into the game.
bool isBareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QLatin1Char(':'));
}

struct GameFile
{
    int languageLine;    // of the language file, naming the replacement
    int pathLine;        // of the path file, naming the game's file
    QString target;      // as the path file holds it
    QString suffix;      // what the setup dialog adds to the Half-Life folder for it
    QString backupName;  // in the "backup" folder of cstrike
};

// Replaces one game file with the language's version, after keeping the
// game's own version (and valve.rc) for the uninstaller. Adds a line to
// `problems` for everything that could not be done.
void replaceGameFile(const QString &languageName, const GameFile &file, QStringList *problems)
{
    const QString halfLife = PackageFiles::PathFileLine(1);
    const QString target = LocalPath(file.target);
    // Only the game's own file, as the setup dialog derives it from the
    // Half-Life folder: a changed path file names no other file to overwrite.
    if (!PackageFiles::SameFile(target, LocalPath(halfLife + file.suffix))) {
        problems->append(QStringLiteral("%1: nicht ersetzt, Zeile %2 der Pfaddatei %3 nennt nicht die Spieldatei %4.")
                             .arg(shown(target))
                             .arg(file.pathLine)
                             .arg(PackageFiles::kPathFile, shown(LocalPath(halfLife + file.suffix))));
        return;
    }
    const QString source = ReadFileLine(LocalPath(languageName), file.languageLine);
    if (source.isEmpty()) {
        problems->append(QStringLiteral("%1: Zeile %2 der Sprachdatei %3 nennt keine Ersatzdatei.")
                             .arg(shown(target))
                             .arg(file.languageLine)
                             .arg(languageName));
        return;
    }
    if (!isBareFileName(source)) {
        problems->append(QStringLiteral("%1: nicht ersetzt, Zeile %2 der Sprachdatei %3 nennt \"%4\", keinen "
                                        "Dateinamen im Paketordner.")
                             .arg(shown(target))
                             .arg(file.languageLine)
                             .arg(languageName, source));
        return;
    }
    if (!QFileInfo(source).isFile()) {
        problems->append(QStringLiteral("%1: die Ersatzdatei %2 aus Zeile %3 der Sprachdatei %4 fehlt.")
                             .arg(shown(target), shown(source))
                             .arg(file.languageLine)
                             .arg(languageName));
        return;
    }
    for (const QString &path : {source, target}) {
        if (PackageFiles::LeadsOutside(path)) {
            problems->append(
                QStringLiteral("%1: nicht ersetzt (%2).").arg(shown(target), PackageFiles::LeadsOutsideReason(path)));
            return;
        }
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        problems->append(QStringLiteral("%1: nicht ersetzt, der Ordner %2 fehlt. Ist das Half-Life-Verzeichnis "
                                        "richtig angegeben?")
                             .arg(shown(target), QDir::toNativeSeparators(folder)));
        return;
    }

    const QString cstrike = LocalPath(halfLife + QStringLiteral("\\cstrike"));
    const QString backupFolder = cstrike + QStringLiteral("/backup/");
    QString error;
    if (!backUp(target, backupFolder + file.backupName, true, &error)) {
        problems->append(QStringLiteral("%1: nicht ersetzt, da keine Sicherungskopie angelegt werden konnte (%2).")
                             .arg(shown(target), error));
        return;
    }
    if (!backUp(cstrike + QStringLiteral("/valve.rc"), backupFolder + QStringLiteral("valve.rc"), false, &error))
        problems->append(QStringLiteral("Keine Sicherungskopie von valve.rc: %1.").arg(error));

    if (!replaceFile(source, target, &error))
        problems->append(error + QLatin1Char('.'));
}

// Why the language file can't be used, or "" when it can: missing, unreadable,
// or a link out of the Half-Life folder (which counts as unreadable).
QString unusable(const QString &languageName)
{
    const QString path = LocalPath(languageName);
    if (PackageFiles::LeadsOutside(path))
        return QStringLiteral("Die Sprachdatei %1 kann nicht gelesen werden: sie %2.")
            .arg(shown(path), QStringLiteral("führt über einen Verweis aus dem Half-Life-Verzeichnis hinaus"));
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden())
        return QStringLiteral("Die Sprachdatei %1 fehlt.").arg(shown(path));
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        file.read(1);
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("Die Sprachdatei %1 kann nicht gelesen werden: %2.").arg(shown(path), file.errorString());
    return {};
}

const QString kBuiltIn = QStringLiteral(" Es bleiben die eingebauten Texte, und keine Spieldatei wird ersetzt.");

struct Outcome
{
    QString unusable;      // the language file itself, when it could not be used
    QStringList problems;  // the game files that were not replaced
};

Outcome apply(const QString &languageName, bool withCommandMenu)
{
    Outcome outcome;
    outcome.unusable = unusable(languageName);
    if (!outcome.unusable.isEmpty())
        return outcome;
    ShowAppliedLanguage(languageName);
    applyTexts(LanguageFile(languageName));

    hauptmenu *main = Forms::get<hauptmenu>();
    replaceGameFile(languageName,
                    {kKeyBindingsLine, 3, main->gfx->text(), QStringLiteral("\\cstrike\\gfx\\shell\\kb_act.lst"),
                     QStringLiteral("kb_act.lst")},
                    &outcome.problems);
    if (withCommandMenu)
        replaceGameFile(languageName,
                        {kCommandMenuLine, 4, main->cmd->text(), QStringLiteral("\\cstrike\\commandmenu.txt"),
                         QStringLiteral("commandmenu.txt")},
                        &outcome.problems);
    return outcome;
}

QStringList problemsOf(const Outcome &outcome)
{
    return outcome.unusable.isEmpty() ? outcome.problems : QStringList{outcome.unusable + kBuiltIn};
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
        Message::show(QStringLiteral("Korvel Configurator"), outcome.unusable + kBuiltIn);
}
