#include "language.h"

#include "amcm.h"
#include "appearance.h"
#include "firstrun.h"
#include "forms.h"
#include "funmode.h"
#include "hauptmenu.h"
#include "message.h"
#include "packagefiles.h"
#include "restock.h"
#include "sound.h"
#include "text.h"
#include "texts.h"
#include "write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

namespace {

const int kKeyBindingsLine = 21;
const int kCommandMenuLine = 22;

QString shown(const QString &localPath)
{
    return QDir::toNativeSeparators(QFileInfo(localPath).absoluteFilePath());
}

// A line of a language file is text, never markup: an '&' in a button
// caption is no shortcut, and a tooltip that looks like HTML is shown as typed.
void setCaption(QPushButton *button, const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    button->setText(escaped);
}

void setCaption(QLabel *label, const QString &text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

void setTip(QWidget *widget, const QString &text)
{
    widget->setToolTip(Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text);
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

void applyTexts(const LanguageFile &file)
{
    // Dialogs not used yet are made here, hidden, so that they show the language when opened.
    hauptmenu *main = Forms::get<hauptmenu>();
    amcm *access = Forms::get<amcm>();
    restock *buy = Forms::get<restock>();
    sound *sounds = Forms::get<sound>();
    text *texts = Forms::get<text>();
    funmode *personal = Forms::get<funmode>();

    setCaption(main->it1, file.line(1));
    setCaption(main->fun1, file.line(1));
    setCaption(main->say1, file.line(1));
    setCaption(main->it2, file.line(2));
    setCaption(main->fun2, file.line(2));
    setCaption(main->say2, file.line(2));
    setCaption(main->Haftungsausschluss, file.line(3));
    setCaption(main->Command8, file.line(4));
    setCaption(main->Command2, file.line(5));
    setCaption(main->Command4, file.line(6));
    setCaption(main->Command7, file.line(7));
    setCaption(main->Command6, file.line(8));
    setCaption(main->Command5, file.line(9));
    setCaption(access->Command2, file.line(9));
    setCaption(buy->Command4, file.line(9));
    setCaption(sounds->Command1, file.line(9));
    setCaption(texts->Command1, file.line(9));
    setCaption(access->Command1, file.line(10));
    setCaption(personal->Command1, file.line(10));
    setCaption(buy->Command1, file.line(10));
    setCaption(sounds->Command2, file.line(10));
    setCaption(texts->Command2, file.line(10));
    setCaption(buy->help1, file.line(11));
    setCaption(buy->help2, file.line(12));
    setCaption(buy->help3, file.line(13));
    setCaption(buy->help4, file.line(14));
    setCaption(buy->help5, file.line(15));
    setCaption(buy->help6, file.line(16));

    setTip(main->Command2, file.line(17));
    setTip(main->Command4, file.line(18));
    setTip(main->Command6, file.line(19));
    setTip(main->Command7, file.line(20));

    for (QWidget *window : std::initializer_list<QWidget *>{main, access, buy, sounds, texts, personal})
        Appearance::fitCaptions(window);
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
        *error = Texts::get(Texts::FolderNotMade).arg(QDir::toNativeSeparators(folder));
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
        problems->append(Texts::get(Texts::NotTheGameFile)
                             .arg(shown(target))
                             .arg(file.pathLine)
                             .arg(PackageFiles::kPathFile, shown(LocalPath(halfLife + file.suffix))));
        return;
    }
    const QString source = ReadFileLine(LocalPath(languageName), file.languageLine);
    if (source.isEmpty()) {
        problems->append(Texts::get(Texts::NoReplacementNamed)
                             .arg(shown(target))
                             .arg(file.languageLine)
                             .arg(languageName));
        return;
    }
    if (!isBareFileName(source)) {
        problems->append(Texts::get(Texts::NotABareFileName)
                             .arg(shown(target))
                             .arg(file.languageLine)
                             .arg(languageName, source));
        return;
    }
    if (!QFileInfo(source).isFile()) {
        problems->append(Texts::get(Texts::ReplacementMissing)
                             .arg(shown(target), shown(source))
                             .arg(file.languageLine)
                             .arg(languageName));
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
    if (!backUp(target, backupFolder + file.backupName, true, &error)) {
        problems->append(Texts::get(Texts::NoBackup).arg(shown(target), error));
        return;
    }
    if (!backUp(cstrike + QStringLiteral("/valve.rc"), backupFolder + QStringLiteral("valve.rc"), false, &error))
        problems->append(Texts::get(Texts::NoValveBackup).arg(error));

    if (!replaceFile(source, target, &error))
        problems->append(error + QLatin1Char('.'));
}

// Why the language file can't be used, or "" when it can: missing, unreadable,
// or a link out of the Half-Life folder (which counts as unreadable).
QString unusable(const QString &languageName)
{
    const QString path = LocalPath(languageName);
    if (PackageFiles::LeadsOutside(path))
        return Texts::get(Texts::LanguageLeadsOutside).arg(shown(path));
    const QFileInfo info(path);
    if (!info.isFile() || info.isHidden())
        return Texts::get(Texts::LanguageMissing).arg(shown(path));
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        file.read(1);
    if (file.error() != QFileDevice::NoError)
        return Texts::get(Texts::LanguageUnreadable).arg(shown(path), file.errorString());
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

Outcome apply(bool withCommandMenu)
{
    const QString languageName = Forms::get<firstrun>()->lang->text();
    Outcome outcome;
    outcome.unusable = unusable(languageName);
    if (!outcome.unusable.isEmpty())
        return outcome;
    Forms::get<firstrun>()->lang2->setText(languageName);
    applyTexts(LanguageFile(languageName));
    Texts::use(ReadFileLines(LocalPath(languageName)));

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
    return problemsOf(apply(true));
}

QStringList ApplyLanguageOnClose()
{
    return problemsOf(apply(false));
}

void ApplyRecordedLanguage()
{
    if (Forms::get<firstrun>()->lang->text().isEmpty())
        return;
    // What was not replaced in the game is not worth a word at every start;
    // a language that can't be read at all is.
    const Outcome outcome = apply(true);
    if (!outcome.unusable.isEmpty())
        Message::show(QStringLiteral("Korvel Configurator"), withBuiltInTexts(outcome.unusable));
}

QString LanguageMessage(const QString &languageName, Texts::Id id)
{
    if (languageName.isEmpty() || !unusable(languageName).isEmpty())
        return Texts::get(id);
    return Texts::fromLanguage(ReadFileLines(LocalPath(languageName)), id);
}

void UseRecordedLanguageMessages()
{
    const QString languageName = PackageFiles::PathFileLine(2);
    if (!languageName.isEmpty() && unusable(languageName).isEmpty())
        Texts::use(ReadFileLines(LocalPath(languageName)));
}
