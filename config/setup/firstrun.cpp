#include "firstrun.h"

#include "appearance.h"
#include "controls.h"
#include "firstrun2.h"
#include "message.h"
#include "package.h"
#include "placement.h"
#include "valueguard.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

using PackageFiles::kPathFile;
const QString kDefaultLanguage = QStringLiteral("english.lang");

QFont headingFont()
{
    QFont font = Appearance::sansFont();
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

// One message for everything the language step could not copy.
void reportLanguageProblems(const Language &language, const LanguageOutcome &outcome)
{
    const QStringList problems = LanguageProblems(language, outcome);
    if (problems.isEmpty())
        return;
    Message::show(kProgramName, language.message(Texts::LanguageIncomplete).arg(problems.join(QLatin1Char('\n'))));
}

} // namespace

firstrun::firstrun(Package &package, bool afresh)
    : m_package(package)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("firstrun"));
    setWindowIcon(Appearance::setupIcon());
    setFixedSize(305, 202);

    Label1 = Controls::label(this, QStringLiteral("Basic Configuration"), 72, 16, 281, 25);
    Label1->setFont(headingFont());
    Label2 = Controls::label(this, QStringLiteral("Half-Life Path:"), 8, 40, 121, 17);
    Command1 = Controls::button(this, QStringLiteral("Help"), 208, 40, 89, 13);
    pfad = new QLineEdit(Package::kUsualHalfLifeFolder, this);
    pfad->setGeometry(8, 56, 193, 19);
    guardAnsiInput(pfad, package.language());
    search = Controls::button(this, QStringLiteral("Search Path"), 208, 56, 89, 25);
    Label3 = Controls::label(this, QStringLiteral("Please Select your Language"), 8, 88, 121, 33);
    Label3->setWordWrap(true);
    language = new QListWidget(this);
    language->setGeometry(136, 88, 161, 45);
    language->setSelectionMode(QAbstractItemView::SingleSelection);
    language->addItems(package.languageFiles());
    Label4 = Controls::label(this, QStringLiteral("Current Language:"), 8, 136, 89, 17);
    lang2 = Controls::label(this, afresh ? QString() : package.appliedLanguage(), 104, 136, 81, 17);
    Label5 = Controls::label(this, QStringLiteral("New Language:"), 8, 152, 89, 17);
    sellang = Controls::label(this, QString(), 104, 152, 81, 17);
    Command2 = Controls::button(this, QStringLiteral("Save and Go"), 56, 176, 185, 17);
    lang = Controls::label(this, package.recordedLanguage(), 256, 176, 41, 17);
    lang->hide();

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

firstrun::~firstrun()
{
    delete m_browser.data();
}

void firstrun::form_load()
{
    // The path file as the package holds it: read at the start or written since.
    if (m_package.pathFile().exists)
        pfad->setText(m_package.pathFile().file.halfLife);
    // The recorded language stands chosen, exactly as line 2 names it, so
    // that opening the dialog changes no language. No click of the player's:
    // "New Language" stays empty.
    const QSignalBlocker notClicked(language);
    selectLanguage(m_package.recordedLanguage(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void firstrun::offerFolderFound()
{
    pfad->setText(m_package.suggestedHalfLifeFolder());
}

firstrun2 *firstrun::browser()
{
    if (!m_browser) {
        m_browser = new firstrun2;
        Appearance::fitCaptions(m_browser);
        connect(m_browser, &firstrun2::chosen, pfad, &QLineEdit::setText);
        connect(m_browser, &firstrun2::closed, this, [this] { m_browser.clear(); });
    }
    return m_browser;
}

void firstrun::Command1_Click()
{
    Message::show(QStringLiteral("Herzlich Willkommen"),
                  QStringLiteral("This program require the complete path to your Half-Life directory. "
                                 "Most time it is c:\\sierra\\half-life"));
}

void firstrun::search_Click()
{
    Placement::showOver(browser(), this);
}

void firstrun::language_Click()
{
    sellang->setText(selectedLanguage());
}

// Said in the language chosen, before it is applied.
QString firstrun::noHalfLifeFolder() const
{
    return m_package.textInChosenLanguage(selectedLanguage(), Texts::NoCstrikeFolder).arg(pfad->text());
}

void firstrun::Command2_Click()
{
    // The package folder, which the directory browser gives at once, or any
    // other folder without the game's cstrike would record no game at all.
    if (!m_package.isHalfLifeFolder(pfad->text())) {
        Message::show(kProgramName, noHalfLifeFolder());
        return;
    }
    if (!writePathFile())
        return;
    if (m_package.recordedLanguage().isEmpty()) {
        // The path is recorded all the same; the dialog waits for a language.
        Message::show(QStringLiteral("firstrun"), m_package.language().message(Texts::ChooseLanguage));
        return;
    }
    const LanguageOutcome outcome = m_package.applyLanguage(true);
    lang2->setText(m_package.appliedLanguage());
    emit languageApplied();
    emit handOver();
    hide();
    reportLanguageProblems(m_package.language(), outcome);
}

bool firstrun::form_unload()
{
    // English only when no language is chosen or recorded at all.
    if (m_package.languageToRecord(selectedLanguage()).isEmpty())
        selectLanguage(kDefaultLanguage, Qt::MatchFixedString);
    // Closing is never refused, but a folder that is no Half-Life folder is
    // never recorded: the path file stays as it was (or there is none, and the
    // next start asks again).
    if (!m_package.isHalfLifeFolder(pfad->text())) {
        Message::show(kProgramName, noHalfLifeFolder());
        emit handOver();
        return true;
    }
    if (!writePathFile())
        return false;
    // Without any language listed nothing is applied, but the main window
    // still takes over: the program must never be left without a window.
    LanguageOutcome outcome;
    if (!m_package.recordedLanguage().isEmpty()) {
        outcome = m_package.applyLanguage(false);
        lang2->setText(m_package.appliedLanguage());
        emit languageApplied();
    }
    emit handOver();
    reportLanguageProblems(m_package.language(), outcome);
    return true;
}

void firstrun::closeEvent(QCloseEvent *event)
{
    // Closing is never refused; the dialog is dropped (WA_DeleteOnClose).
    const bool saved = form_unload();
    event->accept();
    emit closed();
    if (!saved)
        emit closedUnsaved();
}

QString firstrun::selectedLanguage() const
{
    const QList<QListWidgetItem *> selected = language->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void firstrun::selectLanguage(const QString &name, Qt::MatchFlags match)
{
    const QList<QListWidgetItem *> found = language->findItems(name, match);
    if (found.isEmpty())
        return;
    found.first()->setSelected(true);
    language->scrollToItem(found.first());
}

// Writes the path file; the package holds it then. False when it could not
// be written; the user is told why and nothing else changes.
bool firstrun::writePathFile()
{
    const QString directory = pfad->text();
    if (!PackageFiles::FitsPathFileLine(directory)) {
        Message::show(kProgramName, m_package.language().message(Texts::PathFileCharacters).arg(kPathFile, directory));
        return false;
    }
    QString error;
    if (!m_package.recordPathFile(directory, m_package.languageToRecord(selectedLanguage()), &error)) {
        Message::show(kProgramName, m_package.language().message(Texts::PathFileNotWritten).arg(kPathFile, error));
        return false;
    }
    lang->setText(m_package.recordedLanguage());
    return true;
}
