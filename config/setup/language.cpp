#include "language.h"

#include "amcm.h"
#include "appearance.h"
#include "firstrun.h"
#include "forms.h"
#include "funmode.h"
#include "hauptmenu.h"
#include "restock.h"
#include "sound.h"
#include "text.h"
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

    return WriteWholeFile(target, bytes, error);
}

// Keeps the game's own version of `gameFile` as `backupFile` for the
// uninstaller. A backup made earlier is never replaced, and a game file that
// isn't there has nothing to keep.
bool backUp(const QString &gameFile, const QString &backupFile, QString *error)
{
    if (!QFileInfo(gameFile).isFile() || QFileInfo(backupFile).isFile())
        return true;
    const QString folder = QFileInfo(backupFile).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("%1: der Ordner kann nicht angelegt werden").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    return replaceFile(gameFile, backupFile, error);
}

struct GameFile
{
    int line;            // of the language file, naming the replacement
    QString target;      // as the path file holds it
    QString backupName;  // in the "backup" folder of cstrike
};

// Replaces one game file with the language's version, after keeping the
// game's own version (and valve.rc) for the uninstaller. Adds a line to
// `problems` for everything that could not be done.
void replaceGameFile(const QString &languageName, const GameFile &file, QStringList *problems)
{
    const QString target = LocalPath(file.target);
    const QString source = ReadFileLine(LocalPath(languageName), file.line);
    if (source.isEmpty()) {
        problems->append(QStringLiteral("%1: Zeile %2 der Sprachdatei %3 nennt keine Ersatzdatei.")
                             .arg(shown(target))
                             .arg(file.line)
                             .arg(languageName));
        return;
    }
    const QString localSource = LocalPath(source);
    if (!QFileInfo(localSource).isFile()) {
        problems->append(QStringLiteral("%1: die Ersatzdatei %2 aus Zeile %3 der Sprachdatei %4 fehlt.")
                             .arg(shown(target), shown(localSource))
                             .arg(file.line)
                             .arg(languageName));
        return;
    }

    const QString cstrike = LocalPath(Forms::get<firstrun>()->pfad->text() + QStringLiteral("\\cstrike"));
    const QString backupFolder = cstrike + QStringLiteral("/backup/");
    QString error;
    if (!backUp(target, backupFolder + file.backupName, &error)) {
        problems->append(QStringLiteral("%1: nicht ersetzt, da keine Sicherungskopie angelegt werden konnte (%2).")
                             .arg(shown(target), error));
        return;
    }
    if (!backUp(cstrike + QStringLiteral("/valve.rc"), backupFolder + QStringLiteral("valve.rc"), &error))
        problems->append(QStringLiteral("Keine Sicherungskopie von valve.rc: %1.").arg(error));

    if (!replaceFile(localSource, target, &error))
        problems->append(error + QLatin1Char('.'));
}

QStringList apply(bool withCommandMenu)
{
    const QString languageName = Forms::get<firstrun>()->lang->text();
    Forms::get<firstrun>()->lang2->setText(languageName);
    applyTexts(LanguageFile(languageName));

    hauptmenu *main = Forms::get<hauptmenu>();
    QStringList problems;
    replaceGameFile(languageName, {kKeyBindingsLine, main->gfx->text(), QStringLiteral("kb_act.lst")}, &problems);
    if (withCommandMenu)
        replaceGameFile(languageName, {kCommandMenuLine, main->cmd->text(), QStringLiteral("commandmenu.txt")},
                        &problems);
    return problems;
}

} // namespace

QStringList LanguageFiles(const QString &folder)
{
    QStringList names;
    const QStringList found = QDir(folder).entryList({QStringLiteral("*.lang")}, QDir::Files,
                                                     QDir::Name | QDir::IgnoreCase);
    for (const QString &name : found) {
        // The name goes into the path file as one line of Windows-1252 text.
        if (FitsWindows1252(name) && !name.contains(QLatin1Char('\r')) && !name.contains(QLatin1Char('\n')))
            names.append(name);
    }
    return names;
}

QStringList ApplyLanguage()
{
    return apply(true);
}

QStringList ApplyLanguageOnClose()
{
    return apply(false);
}

void ApplyRecordedLanguage()
{
    if (!Forms::get<firstrun>()->lang->text().isEmpty())
        ApplyLanguage();
}
