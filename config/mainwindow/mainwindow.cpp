#include "mainwindow.h"

#include "appearance.h"
#include "keyboardcontrols.h"
#include "controls.h"
#include "message.h"
#include "package.h"
#include "optiondialog.h"
#include "placement.h"
#include "platform.h"
#include "setupdialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include <utility>

struct MainWindow::Module
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

// The help texts are read when asked for, so a language applied since shows.
void showPluginHelp(const Language &language)
{
    Message::show(language.message(Texts::PluginHelpTitle), language.caption(LanguageLine::PluginHelp));
}

void showDisclaimer(const Language &language)
{
    Message::show(language.message(Texts::DisclaimerTitle), language.caption(LanguageLine::DisclaimerText));
}

void showAbout(const Language &language)
{
    Message::show(language.message(Texts::AboutTitle),
                  language.message(Texts::AboutText).arg(QStringLiteral("Korvel Configurator " KORVEL_VERSION)));
}

void openWebAddress()
{
    // Nothing to tell the user when no browser opens.
    Platform::OpenWebAddress(QStringLiteral("https://korvel.example"));
}

} // namespace

MainWindow::MainWindow(Package &package)
    : m_package(package)
{
    setWindowTitle(kProgramName);
    setWindowIcon(Appearance::mainIcon());
    setFixedSize(520, 298);
    QPalette background = palette();
    background.setBrush(QPalette::Window, QBrush(Appearance::mainBackground()));
    setPalette(background);
    setAutoFillBackground(true);

    m_menuFrame = Controls::frame(this, "Frame3", QString(), 8, 40, 265, 97);
    QGroupBox *menu = m_menuFrame;
    m_restockButton = Controls::button(menu, "Command2", QString(), 8, 16, 105, 25);
    m_serverAccessButton = Controls::button(menu, "Command4", QString(), 136, 16, 113, 25);
    m_soundButton = Controls::button(menu, "Command6", QString(), 8, 56, 105, 25);
    m_textMessagesButton = Controls::button(menu, "Command7", QString(), 136, 56, 113, 25);
    Controls::line(menu, nullptr, QFrame::HLine, 8, 45, 249, 4);
    Controls::line(menu, nullptr, QFrame::VLine, 122, 16, 4, 65);

    m_setupButton = Controls::button(this, "Command8", QString(), 440, 0, 81, 17);

    m_switchesFrame = Controls::frame(this, "Frame2", QString(), 8, 136, 505, 73);
    QGroupBox *switches = m_switchesFrame;
    Controls::label(switches, "Label3", QStringLiteral("No-Itembuy"), 24, 16, 65, 17);
    m_itemBuyOn = Controls::button(switches, "it1", QString(), 24, 32, 65, 13);
    m_itemBuyOff = Controls::button(switches, "it2", QString(), 24, 48, 65, 13);
    QPushButton *personalModeLines = Controls::button(switches, "Command9", QStringLiteral("Config"), 216, 8, 65, 13);
    Controls::label(switches, "Label2", QStringLiteral("Personal Mode"), 216, 24, 73, 17);
    m_personalModeOn = Controls::button(switches, "fun1", QString(), 216, 40, 65, 13);
    m_personalModeOff = Controls::button(switches, "fun2", QString(), 216, 56, 65, 13);
    m_informationLabel = Controls::label(switches, "sayscript", QString(), 400, 16, 89, 17);
    m_informationOn = Controls::button(switches, "say1", QString(), 408, 32, 65, 13);
    m_informationOff = Controls::button(switches, "say2", QString(), 408, 48, 65, 13);

    QGroupBox *plugins = Controls::frame(this, "Frame1", QStringLiteral("Plugins"), 8, 216, 505, 65);
    m_plugins = {
        Controls::label(plugins, "plug1", QString(), 16, 16, 257, 17),
        Controls::label(plugins, "plug2", QString(), 16, 32, 201, 17),
        Controls::label(plugins, "plug3", QString(), 16, 48, 209, 17),
        Controls::label(plugins, "plug4", QString(), 344, 16, 145, 17),
    };
    m_pluginHelp = Controls::button(plugins, "Command5", QString(), 432, 48, 57, 13);

    // Made last, the clickable labels come last in the Tab order, after the plug-in help.
    m_title = Controls::clickableLabel(this, "Label1", kProgramName, 48, 8, 201, 25);
    m_title->setFont(Appearance::titleFont());
    QPalette white = m_title->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_title->setPalette(white);

    m_webAddress = Controls::clickableLabel(this, "url", QStringLiteral("korvel.example"), 8, 280, 105, 17);
    m_disclaimer = Controls::clickableLabel(this, "Haftungsausschluss", QString(), 424, 280, 97, 17);
    Controls::line(this, nullptr, QFrame::HLine, 8, 34, 265, 4);
    Controls::line(this, nullptr, QFrame::HLine, 8, 276, 505, 4);

    connect(m_informationOn, &QPushButton::clicked, this, [this] { switchPressed(information(), true); });
    connect(m_informationOff, &QPushButton::clicked, this, [this] { switchPressed(information(), false); });
    connect(m_personalModeOn, &QPushButton::clicked, this, [this] { switchPressed(personalMode(), true); });
    connect(m_personalModeOff, &QPushButton::clicked, this, [this] { switchPressed(personalMode(), false); });
    connect(m_itemBuyOn, &QPushButton::clicked, this, [this] { switchPressed(itemBuyBlocker(), true); });
    connect(m_itemBuyOff, &QPushButton::clicked, this, [this] { switchPressed(itemBuyBlocker(), false); });

    connect(m_restockButton, &QPushButton::clicked, this, &MainWindow::showDialog<RestockDialog>);
    connect(m_serverAccessButton, &QPushButton::clicked, this, &MainWindow::showDialog<ServerAccessDialog>);
    connect(m_pluginHelp, &QPushButton::clicked, this, [this] { showPluginHelp(m_package.language()); });
    connect(m_soundButton, &QPushButton::clicked, this, &MainWindow::showDialog<SoundDialog>);
    connect(m_textMessagesButton, &QPushButton::clicked, this, &MainWindow::showDialog<TextMessageDialog>);
    connect(personalModeLines, &QPushButton::clicked, this, &MainWindow::showDialog<PersonalModeDialog>);
    connect(m_setupButton, &QPushButton::clicked, this, &MainWindow::showDialog<SetupDialog>);
    connect(m_title, &ClickableLabel::clicked, this, [this] { showAbout(m_package.language()); });
    connect(m_webAddress, &ClickableLabel::clicked, this, &openWebAddress);
    connect(m_disclaimer, &ClickableLabel::clicked, this, [this] { showDisclaimer(m_package.language()); });
    retranslate();
}

MainWindow::~MainWindow()
{
    delete m_setup.data();
}

bool MainWindow::startsInPackage(const QString &programFolder)
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

void MainWindow::startup()
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
    load();
    // Once: the language, if any, has given the captions now.
    Appearance::fitCaptions(this);
    if (!m_firstRun)
        show();
}

void MainWindow::load()
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
    QPalette blue = m_webAddress->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_webAddress->setPalette(blue);
    QFont underlined = m_webAddress->font();
    underlined.setUnderline(true);
    m_webAddress->setFont(underlined);
    m_webAddress->setCursor(Appearance::linkCursor());

    // The plug-in indicators: both outcomes are set, whatever the labels were.
    for (int n = 0; n < m_plugins.size(); ++n)
        m_plugins[n]->setVisible(m_package.hasPlugin(n + 1));

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
        SetupDialog *setup = dialog<SetupDialog>();
        setup->offerFolderFound();
        Placement::showCentred(setup, QGuiApplication::primaryScreen());
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    saveAndEnd();
}

void MainWindow::saveAndEnd()
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

void MainWindow::showLanguage()
{
    for (QWidget *window : windows()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

void MainWindow::retranslate()
{
    const Language &language = m_package.language();
    const std::pair<QPushButton *, LanguageLine> captions[] = {
        {m_itemBuyOn, LanguageLine::On},
        {m_personalModeOn, LanguageLine::On},
        {m_informationOn, LanguageLine::On},
        {m_itemBuyOff, LanguageLine::Off},
        {m_personalModeOff, LanguageLine::Off},
        {m_informationOff, LanguageLine::Off},
        {m_setupButton, LanguageLine::SettingsButton},
        {m_restockButton, LanguageLine::RestockButton},
        {m_serverAccessButton, LanguageLine::ServerButton},
        {m_textMessagesButton, LanguageLine::TextButton},
        {m_soundButton, LanguageLine::SoundButton},
        {m_pluginHelp, LanguageLine::Help},
    };
    for (const auto &[button, line] : captions)
        Controls::setCaption(button, language.caption(line));
    Controls::setCaption(m_disclaimer, language.caption(LanguageLine::Disclaimer));
    m_menuFrame->setTitle(language.message(Texts::MenuFrame));
    m_switchesFrame->setTitle(language.message(Texts::SwitchesFrame));
    Controls::setCaption(m_informationLabel, language.message(Texts::InformationLabel));
    const Texts::Id plugins[] = {Texts::KorvelPluginFound, Texts::ServerConfPluginFound, Texts::BriskPluginFound,
                                 Texts::UnknownPluginFound};
    for (int n = 0; n < m_plugins.size(); ++n)
        Controls::setCaption(m_plugins[n], language.message(plugins[n]));
    const std::pair<QPushButton *, LanguageLine> tips[] = {
        {m_restockButton, LanguageLine::RestockTip},
        {m_serverAccessButton, LanguageLine::ServerTip},
        {m_soundButton, LanguageLine::SoundTip},
        {m_textMessagesButton, LanguageLine::TextTip},
    };
    for (const auto &[button, line] : tips)
        Controls::setTip(button, language.caption(line));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        Appearance::refitCaptions(this);
    }
    QWidget::changeEvent(event);
}

QList<QWidget *> MainWindow::windows() const
{
    QList<QWidget *> all{const_cast<MainWindow *>(this)};
    for (QWidget *window : std::initializer_list<QWidget *>{m_restock.get(), m_serverAccess.get(), m_sound.get(),
                                                            m_textMessages.get(), m_personalMode.get(),
                                                            m_setup.data()}) {
        if (window)
            all << window;
    }
    return all;
}

template <class W>
W *MainWindow::ensureBuilt(std::unique_ptr<W> &slot)
{
    if (!slot) {
        slot = std::make_unique<W>(m_package.settings, m_package.language());
        Appearance::fitCaptions(slot.get());
    }
    return slot.get();
}

template RestockDialog *MainWindow::ensureBuilt(std::unique_ptr<RestockDialog> &);
template ServerAccessDialog *MainWindow::ensureBuilt(std::unique_ptr<ServerAccessDialog> &);
template SoundDialog *MainWindow::ensureBuilt(std::unique_ptr<SoundDialog> &);
template TextMessageDialog *MainWindow::ensureBuilt(std::unique_ptr<TextMessageDialog> &);
template PersonalModeDialog *MainWindow::ensureBuilt(std::unique_ptr<PersonalModeDialog> &);

template <class W>
void MainWindow::showDialog()
{
    Placement::showOver(dialog<W>(), this);
}

SetupDialog *MainWindow::makeSetupDialog()
{
    m_setup = new SetupDialog(m_package, m_setupClosed);
    Appearance::fitCaptions(m_setup);
    connect(m_setup, &SetupDialog::languageApplied, this, &MainWindow::showLanguage);
    connect(m_setup, &SetupDialog::handOver, this, &QWidget::show);
    // On a first start with no path file written there is no main window to
    // go on with: the program ends, with an error status. Opened from the
    // main window, that stays.
    connect(m_setup, &SetupDialog::closed, this, [this] {
        m_setup.clear();
        m_setupClosed = true;
    });
    connect(m_setup, &SetupDialog::closedUnsaved, this, [this] {
        if (!isVisible()) {
            m_package.unlock();
            Platform::EndProcess(1);
        }
    });
    return m_setup;
}

MainWindow::Module MainWindow::information() const
{
    return {PackageModule::Information, m_informationOn, m_informationOff};
}

MainWindow::Module MainWindow::personalMode() const
{
    return {PackageModule::PersonalMode, m_personalModeOn, m_personalModeOff};
}

MainWindow::Module MainWindow::itemBuyBlocker() const
{
    return {PackageModule::ItemBuyBlocker, m_itemBuyOn, m_itemBuyOff};
}

void MainWindow::showModuleState(const Module &module, bool on)
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

void MainWindow::switchPressed(const Module &module, bool on)
{
    QString message;
    const bool switched = m_package.switchModule(module.which, on, &message);
    // What the next start will find, not what was asked for.
    showModuleState(module, m_package.settings.module(module.which));
    if (!switched)
        Message::show(kProgramName, message);
}
