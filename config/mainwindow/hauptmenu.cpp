#include "hauptmenu.h"

#include "amcm.h"
#include "appearance.h"
#include "controls.h"
#include "firstrun.h"
#include "funmode.h"
#include "languagetexts.h"
#include "message.h"
#include "package.h"
#include "placement.h"
#include "platform.h"
#include "restock.h"
#include "sound.h"
#include "text.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

struct hauptmenu::Module
{
    PackageModule which;
    QPushButton *on;
    QPushButton *off;
};

namespace {

QString shown(const QString &name)
{
    return QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
}

// `script` is made from the same values: written from empty ones it would
// lose what the state file still holds, so it stays as it is with it.
void tellUnreadable(const Language &language, const QString &file, const QString &script)
{
    Message::show(kProgramName, language.message(Texts::StateUnreadable).arg(shown(file), file, script));
}

} // namespace

hauptmenu::hauptmenu(Package &package)
    : m_package(package)
{
    const Language &language = package.language();
    setWindowTitle(kProgramName);
    setWindowIcon(Appearance::mainIcon());
    setFixedSize(520, 298);
    QPalette background = palette();
    background.setBrush(QPalette::Window, QBrush(Appearance::mainBackground()));
    setPalette(background);
    setAutoFillBackground(true);

    Frame3 = Controls::frame(this, QStringLiteral("Menu"), 8, 40, 265, 97);
    Command2 = Controls::button(Frame3, LanguageLine::RestockButton, 8, 16, 105, 25, language);
    LanguageCaptions::followTip(Command2, LanguageLine::RestockTip, language);
    Command4 = Controls::button(Frame3, LanguageLine::ServerButton, 136, 16, 113, 25, language);
    LanguageCaptions::followTip(Command4, LanguageLine::ServerTip, language);
    Command6 = Controls::button(Frame3, LanguageLine::SoundButton, 8, 56, 105, 25, language);
    LanguageCaptions::followTip(Command6, LanguageLine::SoundTip, language);
    Command7 = Controls::button(Frame3, LanguageLine::TextButton, 136, 56, 113, 25, language);
    LanguageCaptions::followTip(Command7, LanguageLine::TextTip, language);
    Controls::line(Frame3, QFrame::HLine, 8, 45, 249, 4);
    Controls::line(Frame3, QFrame::VLine, 122, 16, 4, 65);

    Command8 = Controls::button(this, LanguageLine::SettingsButton, 440, 0, 81, 17, language);

    Frame2 = Controls::frame(this, QStringLiteral("Switches"), 8, 136, 505, 73);
    Label3 = Controls::label(Frame2, QStringLiteral("No-Itembuy"), 24, 16, 65, 17);
    it1 = Controls::button(Frame2, LanguageLine::On, 24, 32, 65, 13, language);
    it2 = Controls::button(Frame2, LanguageLine::Off, 24, 48, 65, 13, language);
    Command9 = Controls::button(Frame2, QStringLiteral("Config"), 216, 8, 65, 13);
    Label2 = Controls::label(Frame2, QStringLiteral("Personal Mode"), 216, 24, 73, 17);
    fun1 = Controls::button(Frame2, LanguageLine::On, 216, 40, 65, 13, language);
    fun2 = Controls::button(Frame2, LanguageLine::Off, 216, 56, 65, 13, language);
    sayscript = Controls::label(Frame2, QStringLiteral("Informationsscript"), 400, 16, 89, 17);
    say1 = Controls::button(Frame2, LanguageLine::On, 408, 32, 65, 13, language);
    say2 = Controls::button(Frame2, LanguageLine::Off, 408, 48, 65, 13, language);

    Frame1 = Controls::frame(this, QStringLiteral("Plugins"), 8, 216, 505, 65);
    plug1 = Controls::label(Frame1, QStringLiteral("Korvel Server Plugin Detected"), 16, 16, 257, 17);
    plug2 = Controls::label(Frame1, QStringLiteral("Server Conf Plugin Detected"), 16, 32, 201, 17);
    plug3 = Controls::label(Frame1, QStringLiteral("Brisk Plugin Detected"), 16, 48, 209, 17);
    plug4 = Controls::label(Frame1, QStringLiteral("Unknown Plugin Detected"), 344, 16, 145, 17);
    Command5 = Controls::button(Frame1, LanguageLine::Help, 432, 48, 57, 13, language);

    Label1 = Controls::label(this, kProgramName, 48, 8, 201, 25);
    Label1->setFont(Appearance::titleFont());
    QPalette white = Label1->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(white);

    url = Controls::label(this, QStringLiteral("korvel.example"), 8, 280, 105, 17);
    Haftungsausschluss = Controls::label(this, LanguageLine::Disclaimer, 424, 280, 97, 17, language);
    Controls::line(this, QFrame::HLine, 8, 34, 265, 4);
    Controls::line(this, QFrame::HLine, 8, 276, 505, 4);

    connect(say1, &QPushButton::clicked, this, &hauptmenu::say1_Click);
    connect(say2, &QPushButton::clicked, this, &hauptmenu::say2_Click);
    connect(fun1, &QPushButton::clicked, this, &hauptmenu::fun1_Click);
    connect(fun2, &QPushButton::clicked, this, &hauptmenu::fun2_Click);
    connect(it1, &QPushButton::clicked, this, &hauptmenu::it1_Click);
    connect(it2, &QPushButton::clicked, this, &hauptmenu::it2_Click);

    connect(Command2, &QPushButton::clicked, this, &hauptmenu::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &hauptmenu::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &hauptmenu::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &hauptmenu::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &hauptmenu::Command7_Click);
    connect(Command9, &QPushButton::clicked, this, &hauptmenu::Command9_Click);
    connect(Command8, &QPushButton::clicked, this, &hauptmenu::Command8_Click);
    Label1->installEventFilter(this);
    url->installEventFilter(this);
    Haftungsausschluss->installEventFilter(this);
}

hauptmenu::~hauptmenu()
{
    delete m_setup.data();
}

bool hauptmenu::startsInPackage(const QString &programFolder)
{
    const QString started = QDir::currentPath();
    if (Package::startFolderFits(started, programFolder))
        return true;
    // Said in the player's language: the package's own path file and language
    // file, only read, never written.
    Package package(programFolder);
    package.readPathFile();
    package.useRecordedMessages();
    Message::show(kProgramName,
                  package.language().message(Texts::StartedOutsidePackage)
                      .arg(QDir::toNativeSeparators(started), QDir::toNativeSeparators(programFolder)));
    return false;
}

void hauptmenu::startup()
{
    // The path file once for the whole start: the Half-Life folder that
    // bounds every path, the recorded language, the game files it replaces.
    m_package.readPathFile();
    // One configurator per package folder, or the one closed last would
    // silently undo the other's work. A folder that can't take the lock file
    // can't take the settings either; the start goes on and says so when saving.
    switch (m_package.lock()) {
    case PackageLock::Outcome::TakenByAnother:
        // Said in the player's language, though this start applies none.
        m_package.useRecordedMessages();
        Message::show(kProgramName,
                      m_package.language().message(Texts::AlreadyOpen)
                          .arg(QDir::toNativeSeparators(m_package.folder()), m_package.lockFilePath()));
        Platform::EndProcess(1);
        return;
    case PackageLock::Outcome::TakenByUninstaller:
        m_package.useRecordedMessages();
        Message::show(kProgramName,
                      m_package.language().message(Texts::UninstallerAtWork).arg(m_package.lockFilePath()));
        Platform::EndProcess(1);
        return;
    case PackageLock::Outcome::NotAFile:
        m_package.useRecordedMessages();
        Message::show(kProgramName, m_package.language().message(Texts::LockNotAFile).arg(m_package.lockFilePath()));
        break;
    default:
        break;
    }
    form_load();
    // Once: the language, if any, has given the captions now.
    Appearance::fitCaptions(this);
    if (!m_firstRun)
        show();
}

void hauptmenu::form_load()
{
    // The path file as the start read it.
    const QString pathFileProblem = m_package.pathFile().problem;
    if (!pathFileProblem.isEmpty())
        Message::show(kProgramName, m_package.language().message(Texts::PathFileUnreadable).arg(pathFileProblem));
    // The recorded language, when there is one. What was not replaced in
    // the game is not worth a word at every start; a language that can't be
    // read at all is, and so is a game file left as it is because a file it
    // is judged by could not be read this time.
    if (!m_package.recordedLanguage().isEmpty()) {
        const LanguageOutcome outcome = m_package.applyLanguage(true);
        const Language &language = m_package.language();
        if (!outcome.unusable.isEmpty())
            Message::show(kProgramName, LanguageProblems(language, outcome).join(QLatin1Char('\n')));
        else if (!outcome.unjudged.isEmpty())
            Message::show(kProgramName,
                          language.message(Texts::LanguageIncomplete).arg(outcome.unjudged.join(QLatin1Char('\n'))));
        showLanguage();
    }
    // The settings saved at the last exit, and the module switches.
    // The option dialogs show them when they are opened.
    m_package.readSettings();
    const Settings &settings = m_package.settings;
    if (settings.variaUnreadable)
        tellUnreadable(m_package.language(), kVariaFile, QStringLiteral("varis.cfg"));
    if (settings.buyUnreadable)
        tellUnreadable(m_package.language(), kBuyFile, QStringLiteral("fun.cfg"));

    // The web address looks and feels like a link.
    QPalette blue = url->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    url->setPalette(blue);
    QFont underlined = url->font();
    underlined.setUnderline(true);
    url->setFont(underlined);
    url->setCursor(Appearance::linkCursor());

    // The plug-in indicators: both outcomes are set, whatever the labels were.
    plug1->setVisible(m_package.hasPlugin(1));
    plug2->setVisible(m_package.hasPlugin(2));
    plug3->setVisible(m_package.hasPlugin(3));
    plug4->setVisible(m_package.hasPlugin(4));

    // The module switches as their marker files were found.
    for (const Module &module : {information(), personalMode(), itemBuyBlocker()}) {
        if (settings.module(module.which))
            showModuleState(module, true);
        else
            module.off->setEnabled(false);
    }

    // A first run, with no path file yet, shows the setup dialog instead.
    m_firstRun = m_package.firstRun();
    if (m_firstRun) {
        hide();
        firstrun *setup = dialog<firstrun>();
        setup->offerFolderFound();
        Placement::showCentred(setup, QGuiApplication::primaryScreen());
    }
}

void hauptmenu::closeEvent(QCloseEvent *event)
{
    event->accept();
    form_unload();
}

void hauptmenu::form_unload()
{
    QString error;
    const bool saved = m_package.save(&error);
    if (!saved)
        Message::show(kProgramName, m_package.language().message(Texts::SaveIncomplete).arg(error));
    // Ends here and now: no other window's close handling may run, so an open
    // setup dialog does not write the path file again. The lock goes first,
    // or it would block every later start from another machine.
    m_package.unlock();
    Platform::EndProcess(saved ? 0 : 1);
}

void hauptmenu::showLanguage()
{
    for (QWidget *window : windows()) {
        if (LanguageCaptions::recaption(window, m_package.language()))
            Appearance::refitCaptions(window);
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

QList<QWidget *> hauptmenu::windows() const
{
    QList<QWidget *> all{const_cast<hauptmenu *>(this)};
    for (QWidget *window : std::initializer_list<QWidget *>{m_restock.get(), m_amcm.get(), m_sound.get(),
                                                            m_text.get(), m_funmode.get(), m_setup.data()}) {
        if (window)
            all << window;
    }
    return all;
}

template <class W>
W *hauptmenu::built(std::unique_ptr<W> &slot)
{
    if (!slot) {
        slot = std::make_unique<W>(m_package.settings, m_package.language());
        Appearance::fitCaptions(slot.get());
    }
    return slot.get();
}

template restock *hauptmenu::built(std::unique_ptr<restock> &);
template amcm *hauptmenu::built(std::unique_ptr<amcm> &);
template sound *hauptmenu::built(std::unique_ptr<sound> &);
template text *hauptmenu::built(std::unique_ptr<text> &);
template funmode *hauptmenu::built(std::unique_ptr<funmode> &);

firstrun *hauptmenu::makeSetupDialog()
{
    m_setup = new firstrun(m_package, m_setupClosed);
    Appearance::fitCaptions(m_setup);
    connect(m_setup, &firstrun::languageApplied, this, &hauptmenu::showLanguage);
    connect(m_setup, &firstrun::handOver, this, &QWidget::show);
    // On a first start with no path file written there is no main window to
    // go on with: the program ends, with an error status. Opened from the
    // main window, that stays.
    connect(m_setup, &firstrun::closed, this, [this] {
        m_setup.clear();
        m_setupClosed = true;
    });
    connect(m_setup, &firstrun::closedUnsaved, this, [this] {
        if (!isVisible()) {
            m_package.unlock();
            Platform::EndProcess(1);
        }
    });
    return m_setup;
}

hauptmenu::Module hauptmenu::information() const
{
    return {PackageModule::Information, say1, say2};
}

hauptmenu::Module hauptmenu::personalMode() const
{
    return {PackageModule::PersonalMode, fun1, fun2};
}

hauptmenu::Module hauptmenu::itemBuyBlocker() const
{
    return {PackageModule::ItemBuyBlocker, it1, it2};
}

void hauptmenu::showModuleState(const Module &module, bool on)
{
    QPushButton *enabled = on ? module.off : module.on;
    QPushButton *disabled = on ? module.on : module.off;
    // The keyboard stays with the module: a disabled button would pass the
    // focus on to the next module's, and a second key would switch that one.
    const bool focused = focusWidget() == disabled;
    enabled->setEnabled(true);
    if (focused)
        enabled->setFocus(Qt::OtherFocusReason);
    disabled->setEnabled(false);
}

void hauptmenu::switchModule(const Module &module, bool on)
{
    QString message;
    const bool switched = m_package.switchModule(module.which, on, &message);
    // What the next start will find, not what was asked for.
    showModuleState(module, m_package.settings.module(module.which));
    if (!switched)
        Message::show(kProgramName, message);
}

void hauptmenu::say1_Click() { switchModule(information(), true); }
void hauptmenu::say2_Click() { switchModule(information(), false); }
void hauptmenu::fun1_Click() { switchModule(personalMode(), true); }
void hauptmenu::fun2_Click() { switchModule(personalMode(), false); }
void hauptmenu::it1_Click() { switchModule(itemBuyBlocker(), true); }
void hauptmenu::it2_Click() { switchModule(itemBuyBlocker(), false); }

// Each dialog's one window, shown without modality over this one; a second
// click shows the same window again.
void hauptmenu::Command2_Click() { Placement::showOver(dialog<restock>(), this); }
void hauptmenu::Command4_Click() { Placement::showOver(dialog<amcm>(), this); }
void hauptmenu::Command6_Click() { Placement::showOver(dialog<sound>(), this); }
void hauptmenu::Command7_Click() { Placement::showOver(dialog<text>(), this); }
void hauptmenu::Command9_Click() { Placement::showOver(dialog<funmode>(), this); }
void hauptmenu::Command8_Click() { Placement::showOver(dialog<firstrun>(), this); }

// The help texts are read when asked for, so a language applied since shows.
void hauptmenu::Command5_Click()
{
    Message::show(QStringLiteral("Plugin Information"), m_package.language().caption(LanguageLine::PluginHelp));
}

void hauptmenu::Haftungsausschluss_Click()
{
    Message::show(QStringLiteral("Haftungsausschluss"),
                  m_package.language().caption(LanguageLine::DisclaimerText));
}

void hauptmenu::Label1_Click()
{
    Message::show(QStringLiteral("About"),
                  QStringLiteral("Korvel Configurator, written by the Korvel Configurator developers."));
}

void hauptmenu::url_Click()
{
    // Nothing to tell the user when no browser opens.
    Platform::OpenWebAddress(QStringLiteral("https://korvel.example"));
}

bool hauptmenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *label = qobject_cast<QLabel *>(watched);
        // Qt sends the release to the label that took the press: a left click that ends over it.
        if (label && mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            if (label == Label1)
                Label1_Click();
            else if (label == url)
                url_Click();
            else if (label == Haftungsausschluss)
                Haftungsausschluss_Click();
        }
    }
    return QWidget::eventFilter(watched, event);
}
