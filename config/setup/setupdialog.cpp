#include "setupdialog.h"

#include "appearance.h"
#include "controls.h"
#include "folderbrowser.h"
#include "message.h"
#include "package.h"
#include "placement.h"
#include "valueguard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
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

SetupDialog::SetupDialog(Package &package, bool afresh)
    : m_package(package)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(Appearance::setupIcon());
    setFixedSize(305, 202);

    Controls::label(this, "Label1", QString(), 72, 16, 281, 25)->setFont(headingFont());
    Controls::label(this, "Label2", QString(), 8, 40, 121, 17);
    QPushButton *help = Controls::button(this, "Command1", QString(), 208, 40, 89, 13);
    m_halfLifeFolder = new QLineEdit(Package::kUsualHalfLifeFolder, this);
    m_halfLifeFolder->setObjectName(QStringLiteral("pfad"));
    m_halfLifeFolder->setGeometry(8, 56, 193, 19);
    guardAnsiInput(m_halfLifeFolder, package.language());
    QPushButton *search = Controls::button(this, "search", QString(), 208, 56, 89, 25);
    Controls::label(this, "Label3", QString(), 8, 88, 121, 33)->setWordWrap(true);
    m_languages = new QListWidget(this);
    m_languages->setObjectName(QStringLiteral("language"));
    m_languages->setGeometry(136, 88, 161, 45);
    m_languages->setSelectionMode(QAbstractItemView::SingleSelection);
    m_languages->addItems(package.languageFiles());
    Controls::label(this, "Label4", QString(), 8, 136, 89, 17);
    m_languageInForce =
        Controls::label(this, "lang2", afresh ? QString() : package.appliedLanguage(), 104, 136, 81, 17);
    Controls::label(this, "Label5", QString(), 8, 152, 89, 17);
    m_languageChosen = Controls::label(this, "sellang", QString(), 104, 152, 81, 17);
    QPushButton *save = Controls::button(this, "Command2", QString(), 56, 176, 185, 17);
    m_languageRecorded = Controls::label(this, "lang", package.recordedLanguage(), 256, 176, 41, 17);
    m_languageRecorded->hide();

    // A border along the window's edges.
    Controls::line(this, "Line1", QFrame::HLine, 0, 0, 305, 2);
    Controls::line(this, "Line2", QFrame::VLine, 0, 0, 2, 202);
    Controls::line(this, "Line3", QFrame::VLine, 303, 0, 2, 202);
    Controls::line(this, "Line4", QFrame::HLine, 0, 200, 305, 2);
    Controls::line(this, "Line5", QFrame::HLine, 2, 196, 301, 2);

    setTabOrder(m_halfLifeFolder, help);
    setTabOrder(help, save);
    setTabOrder(save, search);
    setTabOrder(search, m_languages);
    m_halfLifeFolder->setFocus();

    connect(help, &QPushButton::clicked, this, [this] {
        const Language &language = m_package.language();
        Message::show(language.message(Texts::SetupHelpTitle), language.message(Texts::SetupHelpText));
    });
    connect(search, &QPushButton::clicked, this, [this] { Placement::showOver(browser(), this); });
    connect(m_languages, &QListWidget::itemSelectionChanged, this,
            [this] { m_languageChosen->setText(selectedLanguage()); });
    connect(save, &QPushButton::clicked, this, &SetupDialog::saveAndGo);

    retranslate();
    showPathFile();
}

void SetupDialog::retranslate()
{
    const Language &language = m_package.language();
    setWindowTitle(language.message(Texts::SetupTitle));
    const std::pair<const char *, Texts::Id> labels[] = {
        {"Label1", Texts::SetupHeading},         {"Label2", Texts::HalfLifePathLabel},
        {"Label3", Texts::ChooseLanguageLabel},  {"Label4", Texts::CurrentLanguageLabel},
        {"Label5", Texts::NewLanguageLabel},
    };
    for (const auto &[name, text] : labels)
        Controls::setCaption(findChild<QLabel *>(QLatin1String(name)), language.message(text));
    const std::pair<const char *, Texts::Id> buttons[] = {
        {"Command1", Texts::SetupHelpButton},
        {"search", Texts::SearchPathButton},
        {"Command2", Texts::SaveAndGoButton},
    };
    for (const auto &[name, text] : buttons)
        Controls::setCaption(findChild<QPushButton *>(QLatin1String(name)), language.message(text));
}

void SetupDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        Appearance::refitCaptions(this);
        // Its own window, which the main window doesn't know of.
        if (m_browser) {
            QEvent change(QEvent::LanguageChange);
            QCoreApplication::sendEvent(m_browser, &change);
        }
    }
    QWidget::changeEvent(event);
}

SetupDialog::~SetupDialog()
{
    delete m_browser.data();
}

void SetupDialog::showPathFile()
{
    // The path file as the package holds it: read at the start or written since.
    if (m_package.pathFile().exists)
        m_halfLifeFolder->setText(m_package.pathFile().file.halfLife);
    // The recorded language stands chosen, exactly as line 2 names it, so
    // that opening the dialog changes no language. No click of the player's:
    // "New Language" stays empty.
    const QSignalBlocker notClicked(m_languages);
    selectLanguage(m_package.recordedLanguage(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void SetupDialog::offerFolderFound()
{
    m_halfLifeFolder->setText(m_package.suggestedHalfLifeFolder());
}

FolderBrowser *SetupDialog::browser()
{
    if (!m_browser) {
        m_browser = new FolderBrowser(m_package.language());
        Appearance::fitCaptions(m_browser);
        connect(m_browser, &FolderBrowser::chosen, m_halfLifeFolder, &QLineEdit::setText);
        connect(m_browser, &FolderBrowser::closed, this, [this] { m_browser.clear(); });
    }
    return m_browser;
}

// Said in the language chosen, before it is applied.
bool SetupDialog::refusesHalfLifeFolder() const
{
    const QString typed = m_halfLifeFolder->text();
    const std::optional<Texts::Id> fault = m_package.halfLifeFolderFault(typed);
    if (fault)
        Message::show(kProgramName, m_package.textInChosenLanguage(selectedLanguage(), *fault).arg(typed));
    return fault.has_value();
}

void SetupDialog::saveAndGo()
{
    // The package folder, which the directory browser gives at once, or any
    // other folder without the game's cstrike would record no game at all.
    if (refusesHalfLifeFolder())
        return;
    if (!writePathFile())
        return;
    if (m_package.recordedLanguage().isEmpty()) {
        // The path is recorded all the same; the dialog waits for a language.
        const Language &language = m_package.language();
        Message::show(language.message(Texts::SetupTitle), language.message(Texts::ChooseLanguage));
        return;
    }
    const LanguageOutcome outcome = m_package.applyLanguage(true);
    m_languageInForce->setText(m_package.appliedLanguage());
    emit languageApplied();
    emit handOver();
    hide();
    reportLanguageProblems(m_package.language(), outcome);
}

bool SetupDialog::recordOnClose()
{
    // English only when no language is chosen or recorded at all.
    if (m_package.languageToRecord(selectedLanguage()).isEmpty())
        selectLanguage(kDefaultLanguage, Qt::MatchFixedString);
    // Closing is never refused, but a folder that is no Half-Life folder is
    // never recorded: the path file stays as it was (or there is none, and the
    // next start asks again).
    if (refusesHalfLifeFolder()) {
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
        m_languageInForce->setText(m_package.appliedLanguage());
        emit languageApplied();
    }
    emit handOver();
    reportLanguageProblems(m_package.language(), outcome);
    return true;
}

void SetupDialog::closeEvent(QCloseEvent *event)
{
    // Closing is never refused; the dialog is dropped (WA_DeleteOnClose).
    const bool saved = recordOnClose();
    event->accept();
    emit closed();
    if (!saved)
        emit closedUnsaved();
}

void SetupDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString SetupDialog::selectedLanguage() const
{
    const QList<QListWidgetItem *> selected = m_languages->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void SetupDialog::selectLanguage(const QString &name, Qt::MatchFlags match)
{
    const QList<QListWidgetItem *> found = m_languages->findItems(name, match);
    if (found.isEmpty())
        return;
    found.first()->setSelected(true);
    m_languages->scrollToItem(found.first());
}

// Writes the path file; the package holds it then. False when it could not
// be written; the user is told why and nothing else changes.
bool SetupDialog::writePathFile()
{
    const QString directory = m_halfLifeFolder->text();
    if (!PackageFiles::FitsPathFileLine(directory)) {
        Message::show(kProgramName,
                      m_package.language().message(Texts::PathFileCharacters).arg(kPathFile, directory));
        return false;
    }
    QString error;
    if (!m_package.recordPathFile(directory, m_package.languageToRecord(selectedLanguage()), &error)) {
        Message::show(kProgramName, m_package.language().message(Texts::PathFileNotWritten).arg(kPathFile, error));
        return false;
    }
    m_languageRecorded->setText(m_package.recordedLanguage());
    return true;
}
