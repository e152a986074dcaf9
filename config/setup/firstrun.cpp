#include "firstrun.h"

#include "ansiinput.h"
#include "appearance.h"
#include "controls.h"
#include "firstrun2.h"
#include "forms.h"
#include "hauptmenu.h"
#include "language.h"
#include "message.h"
#include "packagefiles.h"
#include "placement.h"
#include "platform.h"
#include "texts.h"
#include "write.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

using PackageFiles::kPathFile;
using PackageFiles::PathFileLine;
const QString kDefaultDirectory = QStringLiteral("c:\\sierra\\half-life");
const QString kDefaultLanguage = QStringLiteral("english.lang");

QFont headingFont()
{
    QFont font = Appearance::sansFont();
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

// The setup dialog's `lang` and `lang2` as set while it was not built; it
// takes them when it is, and leaves the design-time texts for a later one.
struct LanguageNames
{
    QString recorded = QStringLiteral("German");
    QString applied;
};

// Sets a label of the setup dialog, or keeps the text for it until it is built.
void showName(QLabel *firstrun::*label, QString LanguageNames::*kept, const QString &name)
{
    if (Forms::exists<firstrun>())
        (Forms::get<firstrun>()->*label)->setText(name);
    else
        Forms::shared<LanguageNames>().*kept = name;
}

// One message for everything the language step could not copy.
void reportLanguageProblems(const QStringList &problems)
{
    if (problems.isEmpty())
        return;
    Message::show(QStringLiteral("Korvel Configurator"),
                  Texts::get(Texts::LanguageIncomplete).arg(problems.join(QLatin1Char('\n'))));
}

// The Half-Life folder when the package lies where it belongs, in
// <Half-Life>/cstrike/qor, and the path file can hold its path; otherwise the
// usual folder of a Windows installation.
QString suggestedDirectory()
{
    QDir halfLife(QDir::currentPath());
    if (!halfLife.cdUp() || !halfLife.cdUp() || !QFileInfo(halfLife.filePath(QStringLiteral("cstrike"))).isDir())
        return kDefaultDirectory;
    const QString found = QDir::toNativeSeparators(halfLife.absolutePath());
    return PackageFiles::FitsPathFileLine(found) ? found : kDefaultDirectory;
}

} // namespace

QStringList PathFileLines(const QString &directory, const QString &languageFile)
{
    return {directory, languageFile, directory + QStringLiteral("\\cstrike\\gfx\\shell\\kb_act.lst"),
            directory + QStringLiteral("\\cstrike\\commandmenu.txt")};
}

firstrun::firstrun()
{
    setWindowTitle(QStringLiteral("firstrun"));
    setWindowIcon(Appearance::setupIcon());
    setFixedSize(305, 202);

    Label1 = Controls::label(this, QStringLiteral("Basic Configuration"), 72, 16, 281, 25);
    Label1->setFont(headingFont());
    Label2 = Controls::label(this, QStringLiteral("Half-Life Path:"), 8, 40, 121, 17);
    Command1 = Controls::button(this, QStringLiteral("Help"), 208, 40, 89, 13);
    pfad = new QLineEdit(kDefaultDirectory, this);
    pfad->setGeometry(8, 56, 193, 19);
    guardAnsiInput(pfad);
    search = Controls::button(this, QStringLiteral("Search Path"), 208, 56, 89, 25);
    Label3 = Controls::label(this, QStringLiteral("Please Select your Language"), 8, 88, 121, 33);
    Label3->setWordWrap(true);
    language = new QListWidget(this);
    language->setGeometry(136, 88, 161, 45);
    language->setSelectionMode(QAbstractItemView::SingleSelection);
    language->addItems(LanguageFiles(QStringLiteral(".")));
    LanguageNames &names = Forms::shared<LanguageNames>();
    Label4 = Controls::label(this, QStringLiteral("Current Language:"), 8, 136, 89, 17);
    lang2 = Controls::label(this, names.applied, 104, 136, 81, 17);
    Label5 = Controls::label(this, QStringLiteral("New Language:"), 8, 152, 89, 17);
    sellang = Controls::label(this, QString(), 104, 152, 81, 17);
    Command2 = Controls::button(this, QStringLiteral("Save and Go"), 56, 176, 185, 17);
    lang = Controls::label(this, names.recorded, 256, 176, 41, 17);
    lang->hide();
    names = LanguageNames();

    Line1 = Controls::line(this, QFrame::HLine, 0, 0, 305, 2);
    Line2 = Controls::line(this, QFrame::VLine, 0, 0, 2, 202);
    Line3 = Controls::line(this, QFrame::VLine, 303, 0, 2, 202);
    Line4 = Controls::line(this, QFrame::HLine, 0, 200, 305, 2);
    Line5 = Controls::line(this, QFrame::HLine, 2, 196, 301, 2);

    setTabOrder(pfad, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, search);
    setTabOrder(search, language);
    pfad->setFocus();

    connect(Command1, &QPushButton::clicked, this, &firstrun::Command1_Click);
    connect(search, &QPushButton::clicked, this, &firstrun::search_Click);
    connect(language, &QListWidget::itemSelectionChanged, this, &firstrun::language_Click);
    connect(Command2, &QPushButton::clicked, this, &firstrun::Command2_Click);

    form_load();
}

void firstrun::form_load()
{
    if (FileExists(kPathFile))
        pfad->setText(PathFileLine(1));
}

void firstrun::Command1_Click()
{
    Message::show(QStringLiteral("Herzlich Willkommen"),
                  QStringLiteral("This program require the complete path to your Half-Life directory. "
                                 "Most time it is c:\\sierra\\half-life"));
}

void firstrun::search_Click()
{
    Placement::showOver(Forms::get<firstrun2>(), this);
}

void firstrun::language_Click()
{
    sellang->setText(selectedLanguage());
}

void firstrun::Command2_Click()
{
    // The package folder, which the directory browser gives at once, or any
    // other folder without the game's cstrike would record no game at all.
    if (!QFileInfo(LocalPath(pfad->text() + QStringLiteral("\\cstrike"))).isDir()) {
        Message::show(QStringLiteral("Korvel Configurator"),
                      LanguageMessage(selectedLanguage(), Texts::NoCstrikeFolder).arg(pfad->text()));
        return;
    }
    if (!writePathFile())
        return;
    if (lang->text().isEmpty()) {
        // The path is recorded all the same; the dialog waits for a language.
        Message::show(QStringLiteral("firstrun"), Texts::get(Texts::ChooseLanguage));
        return;
    }
    const QStringList problems = ApplyLanguage();
    Forms::get<hauptmenu>()->show();
    hide();
    reportLanguageProblems(problems);
}

bool firstrun::form_unload()
{
    if (selectedLanguage().isEmpty())
        selectLanguage(kDefaultLanguage);
    if (!writePathFile())
        return false;
    // Without any language listed nothing is applied, but the main window
    // still takes over: the program must never be left without a window.
    const QStringList problems = lang->text().isEmpty() ? QStringList() : ApplyLanguageOnClose();
    Forms::get<hauptmenu>()->show();
    reportLanguageProblems(problems);
    return true;
}

void firstrun::closeEvent(QCloseEvent *event)
{
    // Closing is never refused. When the path file could not be written on a
    // first start there is no main window to go on with: the program ends,
    // with an error status. Opened from the main window, that stays.
    const bool saved = form_unload();
    event->accept();
    Forms::unload<firstrun>();
    if (!saved && !Forms::get<hauptmenu>()->isVisible()) {
        PackageFiles::UnlockPackageFolder();
        Platform::EndProcess(1);
    }
}

QString firstrun::selectedLanguage() const
{
    const QList<QListWidgetItem *> selected = language->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void firstrun::selectLanguage(const QString &name)
{
    const QList<QListWidgetItem *> found = language->findItems(name, Qt::MatchFixedString);
    if (!found.isEmpty())
        found.first()->setSelected(true);
}

// Writes the path file and takes its lines back into the windows. False when
// it could not be written; the user is told why and nothing else changes.
bool firstrun::writePathFile()
{
    const QString directory = pfad->text();
    if (!PackageFiles::FitsPathFileLine(directory)) {
        Message::show(QStringLiteral("Korvel Configurator"),
                      Texts::get(Texts::PathFileCharacters).arg(kPathFile, directory));
        return false;
    }
    QString error;
    if (!PackageFiles::WritePathFile(PathFileLines(directory, selectedLanguage()), &error)) {
        Message::show(QStringLiteral("Korvel Configurator"),
                      Texts::get(Texts::PathFileNotWritten).arg(kPathFile, error));
        return false;
    }

    const QStringList written = PackageFiles::ReadPathFile();
    hauptmenu *main = Forms::get<hauptmenu>();
    main->cmd->setText(written.value(3));
    main->gfx->setText(written.value(2));
    lang->setText(written.value(1));
    pfad->setText(written.value(0));
    return true;
}

QString RecordedLanguage()
{
    return Forms::exists<firstrun>() ? Forms::get<firstrun>()->lang->text() : Forms::shared<LanguageNames>().recorded;
}

void ShowAppliedLanguage(const QString &name)
{
    showName(&firstrun::lang2, &LanguageNames::applied, name);
}

void LoadRecordedLanguage(const QString &languageFile)
{
    showName(&firstrun::lang, &LanguageNames::recorded, languageFile);
}

bool ShowSetupOnFirstRun()
{
    if (FileExists(kPathFile))
        return false;
    firstrun *setup = Forms::get<firstrun>();
    setup->pfad->setText(suggestedDirectory());
    Placement::showCentred(setup, QGuiApplication::primaryScreen());
    return true;
}
