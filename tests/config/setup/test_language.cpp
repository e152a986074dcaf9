#include "appearance.h"
#include "folderbrowser.h"
#include "gametree.h"
#include "language.h"
#include "mainwindow.h"
#include "markercases.h"
#include "notice.h"
#include "package.h"
#include "packagefiles.h"
#include "optiondialog.h"
#include "platform.h"
#include "settings.h"
#include "setupdialog.h"
#include "textfiles.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLockFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QtTest>

namespace {

// What the shipped key lists must offer, each once: the game's own list and the package's commands.
const char *const kKeyListCommands[] = {
    "+forward", "+back", "+left", "+right", "+moveleft", "+moveright", "+speed", "+jump", "+duck", "+moveup",
    "+movedown", "+lookup", "+lookdown", "centerview", "+strafe", "+mlook", "+klook", "+voicerecord", "radio1",
    "radio2", "radio3", "+commandmenu", "messagemode", "messagemode2", "buy", "buyequip", "buyammo1", "buyammo2",
    "autobuy", "rebuy", "chooseteam", "slot1", "slot2", "slot3", "slot4", "slot5", "slot6", "slot7", "slot8", "slot9",
    "slot10", "+showscores", "showbriefing", "+attack", "+attack2", "+reload", "invprev", "invnext", "lastinv",
    "nightvision", "drop", "+use", "impulse 100", "impulse 201", "snapshot", "cheer", "toggleconsole", "quit",
    "sayscript", "noitembuy", "txt1", "txt2", "txt3", "txt4", "txt5", "tm1", "tm2", "tm3", "snd1", "snd2", "snd3",
};

QString line(int n)
{
    return QStringLiteral("Zeile ä %1").arg(n);
}

void choose(SetupDialog *d, const QString &directory, const QString &language)
{
    control<QLineEdit>(d, "pfad")->setText(directory);
    const QList<QListWidgetItem *> found = control<QListWidget>(d, "language")->findItems(language, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(language));
    QTest::mouseClick(control<QListWidget>(d, "language")->viewport(), Qt::LeftButton, {},
                      control<QListWidget>(d, "language")->visualItemRect(found.first()).center());
}

// A first start: Save and Go in the setup dialog with this folder and language.
void saveAndGo(const QString &directory, const QString &language = QStringLiteral("test.lang"))
{
    restartConfigurator();
    SetupDialog *d = dialog<SetupDialog>();
    choose(d, directory, language);
    QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
}

// Types into `box` in its active dialog, then does what the pointer and the
// window system may do meanwhile: leave the box for the notice, where it
// appears under the pointer, and hand the activation away and back, as Wine
// does as a window opens. The notice that stays beside the box.
QString noticeAfterTyping(QLineEdit *box, const QString &typed)
{
    box->window()->show();
    if (!QTest::qWaitForWindowActive(box->window()))
        return {};
    box->setFocus();
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    if (const Notice *notice = Notice::of(box->window()))
        QCursor::setPos(notice->geometry().center());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box, &leave);
    QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
    QApplication::sendEvent(box->window(), &deactivate);
    QApplication::sendEvent(box->window(), &activate);
    drainEvents();
    return Notice::shownFor(box);
}

// A message of ours brought about as a player meets it: the notice shown, or ""
// for the one message box.
struct Scene
{
    const char *name;
    QList<Texts::Id> shown;
    QString (*show)(const GameTree &tree, const QString &language);
};

const Scene kScenes[] = {
    {"refused character",
     {Texts::UnstorableCharacter},
     [](const GameTree &, const QString &) {
         return noticeAfterTyping(control<QLineEdit>(dialog<TextMessageDialog>(), "Text1"), "Ж");
     }},
    {"length",
     {Texts::NotTaken, Texts::ChatAtMost},
     [](const GameTree &, const QString &) {
         return noticeAfterTyping(control<QLineEdit>(dialog<TextMessageDialog>(), "Text1"), QString(120, 'x'));
     }},
    {"preview of the whole text",
     {Texts::InGameMessage},
     [](const GameTree &, const QString &) {
         const QString tip
             = noticeAfterTyping(control<QLineEdit>(dialog<TextMessageDialog>(), "Text1"), "Hi \"all\"; gg");
         return tip.contains(": -=Hi 'all': gg=-\n") ? tip : QString();
     }},
    {"paste with a character left out",
     {Texts::LeftOutCharacter},
     [](const GameTree &, const QString &) {
         QGuiApplication::clipboard()->setText(QStringLiteral("Eins\r\n✓ zwei"));
         QLineEdit *box = control<QLineEdit>(dialog<TextMessageDialog>(), "Text1");
         noticeAfterTyping(box, QString());
         QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
         return box->text() == QStringLiteral("Eins  zwei") ? Notice::shownFor(box) : QString();
     }},
    {"restock entry the builds split",
     {Texts::RestockRunsOtherwise},
     [](const GameTree &, const QString &) {
         return noticeAfterTyping(control<QComboBox>(dialog<RestockDialog>(), "big1")->lineEdit(),
                                  QStringLiteral("(y):z"));
     }},
    {"hover help of the Personal Mode boxes AK47 and XM1014",
     {Texts::Ak47BuysNothing, Texts::Xm1014WrittenNowhere},
     [](const GameTree &, const QString &) {
         PersonalModeDialog *d = dialog<PersonalModeDialog>();
         return control<QLineEdit>(d, "ak47")->toolTip() + '\n' + control<QLineEdit>(d, "xm1014")->toolTip();
     }},
    {"warning mark",
     {Texts::NotWrittenToVaris, Texts::NoFieldName},
     [](const GameTree &, const QString &) {
         configurator()->package().settings.field(Varia::Password1) = StoredValue(ValueKind::ServerValue, "geheim");
         return control<QLineEdit>(dialog<ServerAccessDialog>(), "pass")->toolTip();
     }},
    {"save",
     {Texts::SaveIncomplete},
     [](const GameTree &, const QString &) {
         QDir().mkpath("varis.cfg/inhalt");
         configurator()->close();
         return QString();
     }},
    {"second start",
     {Texts::AlreadyOpen},
     [](const GameTree &tree, const QString &) {
         configurator()->package().unlock();
         QLockFile first(tree.qor + "/config.lock");
         first.tryLock(0);
         restartConfigurator();
         return QString();
     }},
    {"language step",
     {Texts::LanguageIncomplete, Texts::ReplacementMissing, Texts::GameFolderMissing},
     [](const GameTree &tree, const QString &language) {
         QFile::remove(language.chopped(5) + "_commandmenu.txt");
         QDir(tree.cstrike + "/gfx").removeRecursively();
         saveAndGo(tree.typed(), language);
         return QString();
     }},
    // In the language chosen, which is not applied yet.
    {"no cstrike folder",
     {Texts::NoCstrikeFolder},
     [](const GameTree &tree, const QString &language) {
         QFile::remove("pfad.kst");
         saveAndGo(tree.qor, language);
         return QString();
     }},
};

// The windows, each with a text of the language that it shows.
struct LanguageWindow
{
    const char *name;
    QWidget *(*window)();
    const char *control;  // a button
    LanguageLine line;
    bool tip;             // the button's tooltip rather than its caption
};

const LanguageWindow kLanguageWindows[] = {
    {"main window", []() -> QWidget * { return configurator(); }, "Command8", LanguageLine::SettingsButton, false},
    {"main window's tooltip", []() -> QWidget * { return configurator(); }, "Command6", LanguageLine::SoundTip, true},
    {"restock", []() -> QWidget * { return dialog<RestockDialog>(); }, "Command4", LanguageLine::Help, false},
    {"server access", []() -> QWidget * { return dialog<ServerAccessDialog>(); }, "Command1", LanguageLine::Close,
     false},
    {"sound", []() -> QWidget * { return dialog<SoundDialog>(); }, "Command1", LanguageLine::Help, false},
    {"text", []() -> QWidget * { return dialog<TextMessageDialog>(); }, "Command2", LanguageLine::Close, false},
    {"personal mode", []() -> QWidget * { return dialog<PersonalModeDialog>(); }, "Command1", LanguageLine::Close,
     false},
};

QString textOf(const LanguageWindow &shown)
{
    QPushButton *button = control<QPushButton>(shown.window(), shown.control);
    return shown.tip ? button->toolTip() : button->text();
}

// The texts of ours built in English; the other built-in texts are German.
const Texts::Id kBuiltInEnglish[] = {
    Texts::ChooseLanguage,    Texts::MenuFrame,           Texts::SwitchesFrame,        Texts::KorvelPluginFound,
    Texts::ServerConfPluginFound, Texts::BriskPluginFound, Texts::UnknownPluginFound,  Texts::PluginHelpTitle,
    Texts::RestockHelpTitle,  Texts::ServerHelpTitle,     Texts::SoundHelpTitle,       Texts::TextHelpTitle,
    Texts::SoundsLabel,       Texts::MessageNumber,       Texts::TeamMessageNumber,    Texts::SetupTitle,
    Texts::SetupHeading,      Texts::HalfLifePathLabel,   Texts::SetupHelpButton,      Texts::SearchPathButton,
    Texts::ChooseLanguageLabel, Texts::CurrentLanguageLabel, Texts::NewLanguageLabel, Texts::SaveAndGoButton,
    Texts::SetupHelpText,     Texts::PathLabel,           Texts::NoPathChosen,         Texts::ShowHalfLifeFolder,
    Texts::AboutTitle,        Texts::AboutText,
};

bool builtInEnglish(Texts::Id id)
{
    return std::find(std::begin(kBuiltInEnglish), std::end(kBuiltInEnglish), id) != std::end(kBuiltInEnglish);
}

// Names that no language line gives: the program's, the web address, the
// modules', the game's terms and the server mods', the row numbers.
const char *const kNames[] = {
    "Korvel Configurator", "korvel.example", "No-Itembuy", "Personal Mode", "Config", "Plugins", "Restocks",
    "Big Restock                        Small Retock  ", "Clanmod/Adminmod Config", "1", "2",
    "Personal Mode - Config", "OK",
};

// A built-in text as a window shows it, numbered labels with their number.
QStringList shownForms(Texts::Id id)
{
    const QString text = Texts::builtIn(id);
    if (!text.contains(QLatin1String("%1")))
        return {text};
    QStringList numbered;
    for (int n = 1; n <= 5; ++n)
        numbered << text.arg(n);
    return numbered;
}

// Every text a window shows that a language could give: its title and the
// captions of its frames, labels and buttons. Not the names of the
// languages, the folder typed, or the Personal Mode rows, which are the
// game's names of its weapons and items.
QStringList windowTexts(QWidget *window)
{
    QStringList texts{window->windowTitle()};
    for (QGroupBox *frame : window->findChildren<QGroupBox *>())
        texts << frame->title();
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QString name = label->objectName();
        if (!name.startsWith(QLatin1String("lang")) && name != QLatin1String("sellang")
            && !name.endsWith(QLatin1String("Label")) && !name.isEmpty())
            texts << label->text();
    }
    for (QPushButton *button : window->findChildren<QPushButton *>())
        texts << button->text();
    return texts;
}

QWidget *languageWindow(int n)
{
    switch (n) {
    case 0: return configurator();
    case 1: return dialog<RestockDialog>();
    case 2: return dialog<ServerAccessDialog>();
    case 3: return dialog<SoundDialog>();
    case 4: return dialog<TextMessageDialog>();
    case 5: return dialog<PersonalModeDialog>();
    case 6: return dialog<SetupDialog>();
    default: return dialog<SetupDialog>()->browser();
    }
}

// The controls of each window that open a message box, whose title counts too.
const std::vector<const char *> kBoxOpeners[] = {
    {"Command5", "Label1", "Haftungsausschluss"}, {"Command4"}, {"Command2"}, {"Command1"}, {"Command1"}, {},
    {"Command1"}, {},
};

// The window's texts and the titles of the message boxes it opens.
QStringList shownTexts(int window, MessageLog &boxes)
{
    QWidget *shown = languageWindow(window);
    QStringList texts = windowTexts(shown);
    boxes.entries.clear();
    for (const char *name : kBoxOpeners[window])
        QTest::mouseClick(shown->findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton);
    for (const MessageLog::Entry &box : std::as_const(boxes.entries))
        texts << box.title;
    boxes.entries.clear();
    return texts;
}

const char *const kWindowNames[] = {"main window", "restock", "server access", "sound",
                                    "text",        "personal mode", "setup", "directory browser"};

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Appearance::applyApplicationFont(*qApp); }

    void saveAndGoReplacesTheGameFilesAfterBackingThemUp()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        choose(d, tree.typed(), QStringLiteral("test.lang"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);

        QVERIFY2(messages.entries.isEmpty(), qPrintable(messages.entries.value(0).text));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("backup/commandmenu.txt")), kGameMenu);
        QCOMPARE(tree.read(QStringLiteral("backup/valve.rc")), kGameValve);
        QCOMPARE(tree.read(QStringLiteral("valve.rc")), kGameValve);
        // The records of the copies placed over the game's own files.
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst.placed")), MarkerRecord(kLanguageKeys) + "\r\n");
        QCOMPARE(tree.read(QStringLiteral("backup/commandmenu.txt.placed")), MarkerRecord(kLanguageMenu) + "\r\n");
        QCOMPARE(QDir(tree.cstrike + QStringLiteral("/backup")).entryList(QDir::Files | QDir::Hidden).size(), 5);
        QCOMPARE(control<QLabel>(d, "lang2")->text(), QStringLiteral("test.lang"));
        QCOMPARE(control<QPushButton>(m, "it1")->text(), line(1));
        QVERIFY(m->isVisible());
        QVERIFY(!d->isVisible());
    }

    void everyTargetTakesItsLine()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        MainWindow *m = restartConfigurator();
        // One dialog is there before the language comes, the others are built
        // after it; the language changes no value of it.
        ServerAccessDialog *a = dialog<ServerAccessDialog>();
        control<QLineEdit>(a, "pwfeld")->setText(QStringLiteral("_pw"));
        SetupDialog *d = dialog<SetupDialog>();
        choose(d, tree.typed(), QStringLiteral("test.lang"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(a, "pwfeld")->text(), QStringLiteral("_pw"));

        RestockDialog *r = dialog<RestockDialog>();
        SoundDialog *s = dialog<SoundDialog>();
        TextMessageDialog *t = dialog<TextMessageDialog>();
        PersonalModeDialog *f = dialog<PersonalModeDialog>();
        const struct {
            QWidget *widget;
            int line;
        } captions[] = {
            {control<QPushButton>(m, "it1"), 1},           {control<QPushButton>(m, "fun1"), 1},
            {control<QPushButton>(m, "say1"), 1},          {control<QPushButton>(m, "it2"), 2},
            {control<QPushButton>(m, "fun2"), 2},          {control<QPushButton>(m, "say2"), 2},
            {control<QLabel>(m, "Haftungsausschluss"), 3}, {control<QPushButton>(m, "Command8"), 4},
            {control<QPushButton>(m, "Command2"), 5},      {control<QPushButton>(m, "Command4"), 6},
            {control<QPushButton>(m, "Command7"), 7},      {control<QPushButton>(m, "Command6"), 8},
            {control<QPushButton>(m, "Command5"), 9},      {control<QPushButton>(a, "Command2"), 9},
            {control<QPushButton>(r, "Command4"), 9},      {control<QPushButton>(s, "Command1"), 9},
            {control<QPushButton>(t, "Command1"), 9},      {control<QPushButton>(a, "Command1"), 10},
            {control<QPushButton>(f, "Command1"), 10},     {control<QPushButton>(r, "Command1"), 10},
            {control<QPushButton>(s, "Command2"), 10},     {control<QPushButton>(t, "Command2"), 10},
        };
        for (const auto &target : captions) {
            const QString caption = qobject_cast<QLabel *>(target.widget)
                                        ? qobject_cast<QLabel *>(target.widget)->text()
                                        : qobject_cast<QPushButton *>(target.widget)->text();
            QCOMPARE(caption, line(target.line));
        }
        QCOMPARE(control<QPushButton>(m, "Command2")->toolTip(), line(17));
        QCOMPARE(control<QPushButton>(m, "Command4")->toolTip(), line(18));
        QCOMPARE(control<QPushButton>(m, "Command6")->toolTip(), line(19));
        QCOMPARE(control<QPushButton>(m, "Command7")->toolTip(), line(20));
        // Never shown by the language.
        for (QWidget *dialog : std::initializer_list<QWidget *>{a, r, s, t, f})
            QVERIFY(!dialog->isVisible());

        // The help boxes show the language's texts.
        QTest::mouseClick(control<QPushButton>(m, "Command5"), Qt::LeftButton);
        for (QPushButton *help : {control<QPushButton>(a, "Command2"), control<QPushButton>(r, "Command4"),
                                  control<QPushButton>(s, "Command1"), control<QPushButton>(t, "Command1")})
            help->click();
        QTest::mouseClick(control<QLabel>(m, "Haftungsausschluss"), Qt::LeftButton);
        QCOMPARE(messages.entries.size(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(messages.entries[i].text, line(11 + i));
    }

    // A window says the language in force when it is built, and again when
    // it alone is told that the language changed; the others wait for theirs.
    void aWindowSaysTheLanguageInForce_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("builtAfter");
        for (int n = 0; n < int(std::size(kLanguageWindows)); ++n) {
            QTest::addRow("%s, told alone", kLanguageWindows[n].name) << n << false;
            // The main window is there before any language can be.
            if (n >= 2)
                QTest::addRow("%s, built after", kLanguageWindows[n].name) << n << true;
        }
    }

    void aWindowSaysTheLanguageInForce()
    {
        QFETCH(int, window);
        QFETCH(bool, builtAfter);
        PackageFolder folder;
        MessageLog messages;
        QStringList lines;
        for (int n = 1; n <= kLanguageLines; ++n)
            lines << line(n);
        const LanguageWindow &shown = kLanguageWindows[window];
        if (!builtAfter) {
            for (const LanguageWindow &each : kLanguageWindows)
                each.window();
        }
        putLanguageInForce(lines);
        if (!builtAfter) {
            QEvent change(QEvent::LanguageChange);
            QCoreApplication::sendEvent(shown.window(), &change);
        }
        QCOMPARE(textOf(shown), line(int(shown.line)));
        for (const LanguageWindow &each : kLanguageWindows) {
            if (!builtAfter && each.window() != shown.window())
                QCOMPARE(textOf(each), Texts::builtInCaption(each.line));
        }
        QVERIFY(messages.entries.isEmpty());
    }

    // What the player is told of game files the step leaves as they are; the
    // model's tests hold every case of each rule.
    // A marker the step can't judge: named at the start, the list left as it is.
    void unjudgedMarkerIsNamedAtStart()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        const QString markerPath = tree.cstrike + QStringLiteral("/backup/kb_act.lst.none");
        tree.put(QStringLiteral("gfx/shell/kb_act.lst"), kOwnKeys);
        QVERIFY(QDir().mkpath(markerPath));
        tree.recordLanguage(tree.typed(), "test.lang");
        restartConfigurator();

        QCOMPARE(messages.entries.size(), 1);
        QVERIFY2(messages.entries[0].text.contains(QDir::toNativeSeparators(markerPath)),
                 qPrintable(messages.entries[0].text));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kOwnKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
    }

    // A game file that is no regular file: named where the player chose the
    // language; a start leaves it as quietly.
    void gameFileThatIsNoFileIsNamedAtSaveAndGo()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        const QString path = tree.cstrike + QStringLiteral("/commandmenu.txt");
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inhalt")));
        saveAndGo(tree.typed());

        QCOMPARE(messages.entries.size(), 1);
        QVERIFY2(messages.entries[0].text.contains(QDir::toNativeSeparators(path)), qPrintable(messages.entries[0].text));
        restartConfigurator();
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
    }

    // A copy that can't be made, or that lies outside the package folder, is
    // named; the other one is made, and the main window takes over all the same.
    void aCopyNotMadeIsNamedAndTheMainWindowTakesOver_data()
    {
        QTest::addColumn<QByteArray>("copy");  // line 21 of the language file
        QTest::newRow("missing") << QByteArray("fehlt.lst");
        QTest::newRow("outside the package folder") << QByteArray("../private.lst");
    }

    void aCopyNotMadeIsNamedAndTheMainWindowTakesOver()
    {
        QFETCH(QByteArray, copy);
        GameTree tree;
        MessageLog messages;
        tree.install();
        tree.put(QStringLiteral("private.lst"), "private\r\n");
        tree.put(QStringLiteral("qor/test.lang"), languageFile(copy));
        saveAndGo(tree.typed());

        QCOMPARE(messages.entries.size(), 1);
        const QString text = messages.entries[0].text;
        QVERIFY2(text.contains(QStringLiteral("kb_act.lst")) && text.contains(QString::fromLatin1(copy)),
                 qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("commandmenu.txt")));
        QVERIFY(configurator()->isVisible());
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
    }

    void startWithLanguageRecordedReappliesSilently()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        tree.recordLanguage(tree.typed(), "test.lang");

        MainWindow *m = restartConfigurator();
        QVERIFY(m->isVisible());
        QVERIFY(!dialog<SetupDialog>()->isVisible());
        QCOMPARE(control<QLabel>(dialog<SetupDialog>(), "lang2")->text(), QStringLiteral("test.lang"));
        QCOMPARE(control<QPushButton>(m, "Command8")->text(), line(4));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);

        // A wrong folder at startup: nothing is said and nothing is made.
        tree.recordLanguage(tree.typed() + QStringLiteral("\\nirgends"), "test.lang");
        m = restartConfigurator();
        QVERIFY(m->isVisible());
        QCOMPARE(control<QPushButton>(m, "Command8")->text(), line(4));
        QVERIFY(!QFileInfo::exists(tree.halfLife + QStringLiteral("/nirgends")));
        QVERIFY(messages.entries.isEmpty());
    }

    void startWithoutLanguageChangesNothing()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        tree.recordLanguage(tree.typed(), "");
        MainWindow *m = restartConfigurator();
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));
        QCOMPARE(control<QLabel>(dialog<SetupDialog>(), "lang2")->text(), QString());
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
        QVERIFY(!tree.has(QStringLiteral("backup")));
    }

    // A folder that is no Half-Life folder (missing, without cstrike, a root):
    // Save and Go names it once and saves nothing; recorded by hand, it bounds
    // no game file.
    void wrongHalfLifeFolderIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<QString>("folder");  // below the test's folder; "/": the root
        QTest::addColumn<QString>("why");     // follows the folder's name in the message
        QTest::newRow("missing") << "Sierra" << QString::fromUtf8("\" enthält keinen Ordner cstrike");
        QTest::newRow("without cstrike") << "Half-Life/cstrike" << QString::fromUtf8("\" enthält keinen Ordner cstrike");
        QTest::newRow("root") << "/" << QStringLiteral("\" ist ein Wurzelverzeichnis");
    }

    void wrongHalfLifeFolderIsReportedAndChangesNothing()
    {
        QFETCH(QString, folder);
        QFETCH(QString, why);
        GameTree tree;
        MessageLog messages;
        tree.install();
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        const QString wrong = QDir::toNativeSeparators(folder == QLatin1String("/") ? QDir::rootPath()
                                                                             : tree.folder.path() + QLatin1Char('/') + folder);
        choose(d, wrong, QStringLiteral("test.lang"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);

        QCOMPARE(messages.entries.size(), 1);
        const QString text = messages.entries[0].text;
        QVERIFY2(text.contains('"' + wrong + why), qPrintable(text));
        QVERIFY(!tree.has(QStringLiteral("qor/pfad.kst")));
        QVERIFY(QFileInfo::exists(wrong) == (folder != QLatin1String("Sierra")));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
        QVERIFY(!tree.has(QStringLiteral("backup")));
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));
        QVERIFY(d->isVisible());
        QVERIFY(!m->isVisible());

        // Written into the path file by hand, it bounds no game file either:
        // the language step replaces none and says so once.
        tree.recordLanguage(wrong, "test.lang");
        restartConfigurator();
        Package &package = configurator()->package();
        const LanguageOutcome outcome = package.applyLanguage(true);
        const QStringList problems = LanguageProblems(package.language(), outcome);
        QCOMPARE(problems.size(), 1);
        for (const QString &gameFile : PathFile::For(wrong, QString()).lines().mid(2))
            QVERIFY2(problems[0].contains(QDir::toNativeSeparators(QFileInfo(LocalPath(gameFile)).absoluteFilePath())),
                     qPrintable(problems[0]));
        QCOMPARE(problems[0].count(QStringLiteral("kein Half-Life-Verzeichnis")), 1);
    }

    // Opening the setup dialog changes no language: the recorded one stands
    // selected (no click: "New Language" stays empty), and closing or "Save
    // and Go" without a new choice keeps it, re-applied as a start applies it.
    // Only with none recorded does closing fall back to English and "Save and
    // Go" ask for one.
    void settingsKeepTheRecordedLanguage_data()
    {
        QTest::addColumn<QString>("recorded");  // line 2 at the start; "-": no path file (a first run)
        QTest::addColumn<QString>("clicked");   // in the list; "" for no click
        QTest::addColumn<bool>("saveAndGo");    // else the dialog is closed
        QTest::addColumn<QString>("language");  // line 2 afterwards
        QTest::addColumn<QString>("said");      // in the one message the step shows; "" for none

        const QString ask = Texts::builtIn(Texts::ChooseLanguage);
        QTest::newRow("deutsch, closed") << "deutsch.lang" << "" << false << "deutsch.lang" << "";
        QTest::newRow("deutsch, Save and Go") << "deutsch.lang" << "" << true << "deutsch.lang" << "";
        QTest::newRow("english, closed") << "english.lang" << "" << false << "english.lang" << "";
        QTest::newRow("deutsch, english clicked, closed") << "deutsch.lang" << "english.lang" << false
                                                          << "english.lang" << "";
        QTest::newRow("deutsch, english clicked, Save and Go") << "deutsch.lang" << "english.lang" << true
                                                               << "english.lang" << "";
        QTest::newRow("english, deutsch clicked, Save and Go") << "english.lang" << "deutsch.lang" << true
                                                               << "deutsch.lang" << "";
        QTest::newRow("recorded file gone, closed") << "fehlt.lang" << "" << false << "fehlt.lang" << "fehlt.lang";
        QTest::newRow("recorded file gone, Save and Go") << "fehlt.lang" << "" << true << "fehlt.lang"
                                                         << "fehlt.lang";
        // Past a first line of 70,000 characters, where the reader no longer looks for zero bytes.
        const QString damaged = QString::fromLatin1("deutsch\0.lang", 13);
        QTest::newRow("recorded name with a zero byte, closed") << damaged << "" << false << "english.lang" << "";
        QTest::newRow("recorded name with a zero byte, Save and Go") << damaged << "" << true << "" << ask;
        QTest::newRow("none recorded, closed") << "" << "" << false << "english.lang" << "";
        QTest::newRow("none recorded, Save and Go") << "" << "" << true << "" << ask;
        QTest::newRow("first run, closed") << "-" << "" << false << "english.lang" << "";
        QTest::newRow("first run, Save and Go") << "-" << "" << true << "" << ask;
    }

    void settingsKeepTheRecordedLanguage()
    {
        QFETCH(QString, recorded);
        QFETCH(QString, clicked);
        QFETCH(bool, saveAndGo);
        QFETCH(QString, language);
        QFETCH(QString, said);
        GameTree tree;
        MessageLog messages;
        tree.install();
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        for (const QString &name : samples.entryList({QStringLiteral("deutsch*"), QStringLiteral("english*")}))
            QVERIFY(QFile::copy(samples.filePath(name), tree.qor + '/' + name));
        const bool firstRun = recorded == QLatin1String("-");
        if (recorded.contains(QChar(0)))
            tree.folder.write(QStringLiteral("Half-Life/cstrike/qor/pfad.kst"),
                              QByteArray(70000, 'x') + "\r\n" + ToWindows1252(recorded) + "\r\n");
        else if (!firstRun)
            tree.recordLanguage(tree.typed(), recorded);

        MainWindow *m = restartConfigurator();
        const QByteArray keysAtStart = tree.read(QStringLiteral("gfx/shell/kb_act.lst"));
        const QByteArray menuAtStart = tree.read(QStringLiteral("commandmenu.txt"));
        const qsizetype messagesAtStart = messages.entries.size();
        if (!firstRun)
            QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        SetupDialog *d = dialog<SetupDialog>();
        QVERIFY(d->isVisible());
        control<QLineEdit>(d, "pfad")->setText(tree.typed());
        const QList<QListWidgetItem *> selected = control<QListWidget>(d, "language")->selectedItems();
        const bool listed = QFileInfo::exists(recorded);
        QCOMPARE(selected.size(), listed ? 1 : 0);
        if (listed)
            QCOMPARE(selected.first()->text(), recorded);
        QCOMPARE(control<QLabel>(d, "sellang")->text(), QString());
        if (!clicked.isEmpty()) {
            choose(d, tree.typed(), clicked);
            QCOMPARE(control<QLabel>(d, "sellang")->text(), clicked);
        }
        if (saveAndGo)
            QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        else
            QVERIFY(d->close());

        QCOMPARE(tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/pfad.kst")),
                 ToWindows1252(PathFile::For(tree.typed(), language).lines().join("\r\n") + "\r\n"));
        QCOMPARE(messages.entries.size(), messagesAtStart + (said.isEmpty() ? 0 : 1));
        if (!said.isEmpty())
            QVERIFY2(messages.entries.last().text.contains(said), qPrintable(messages.entries.last().text));
        // The asked dialog waits; otherwise the main window has taken over.
        const bool asked = said == Texts::builtIn(Texts::ChooseLanguage);
        QCOMPARE(hasDialog<SetupDialog>() && dialog<SetupDialog>()->isVisible(), asked);
        QCOMPARE(m->isVisible(), !asked || !firstRun);

        // The captions and the game's files of the language in force; the
        // built-in texts and the files as they were without one.
        const bool inForce = !asked && QFileInfo::exists(language);
        const QString stem = QFileInfo(language).completeBaseName();
        QCOMPARE(control<QPushButton>(m, "Command8")->text(),
                 inForce ? ReadFileLines(language).value(3) : Texts::builtInCaption(LanguageLine::SettingsButton));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")),
                 inForce ? tree.folder.read("Half-Life/cstrike/qor/" + stem + "_kb_act.lst") : keysAtStart);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")),
                 inForce && saveAndGo ? tree.folder.read("Half-Life/cstrike/qor/" + stem + "_commandmenu.txt")
                                      : menuAtStart);
    }

    void closingReplacesOnlyTheKeyBindings()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        choose(d, tree.typed(), QStringLiteral("test.lang"));
        QVERIFY(d->close());

        QVERIFY(messages.entries.isEmpty());
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kGameKeys);
        QVERIFY(!tree.has(QStringLiteral("backup/commandmenu.txt")));
        QCOMPARE(control<QPushButton>(m, "it2")->text(), line(2));
        QVERIFY(m->isVisible());
    }

    void closingWithAMissingReplacementKeepsTheGamesList()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        tree.put(QStringLiteral("qor/test.lang"), languageFile("fehlt.lst"));
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        choose(d, tree.typed(), QStringLiteral("test.lang"));
        QVERIFY(d->close());

        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("fehlt.lst")));
        QVERIFY(!hasDialog<SetupDialog>());
        QVERIFY(m->isVisible());
    }

    void linesAreShownAsPlainText()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        QByteArray language = languageFile();
        language.replace("Zeile \xe4 1\r\n", "&Ja\r\n");
        language.replace("Zeile \xe4 3\r\n", "<i>Haftung</i>\r\n");
        language.replace("Zeile \xe4 10\r\n", "&Zu\r\n");
        language.replace("Zeile \xe4 17\r\n", "<b>fett</b> & mehr\r\n");
        // A help text past 4,096 characters is cut there.
        language.replace("Zeile \xe4 11\r\n", QByteArray(5000, 'h') + "\r\n");
        // Unix line ends, as an editor may save the files, end lines too.
        tree.put(QStringLiteral("qor/test.lang"), language.replace("\r\n", "\n"));
        tree.recordLanguage(tree.typed(), "test.lang");
        tree.put(QStringLiteral("qor/pfad.kst"), tree.read(QStringLiteral("qor/pfad.kst")).replace("\r\n", "\n"));

        MainWindow *m = restartConfigurator();
        // "&&" is how a button shows one '&' and makes no shortcut of it.
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("&&Ja"));
        QCOMPARE(control<QLabel>(m, "Haftungsausschluss")->text(), QStringLiteral("<i>Haftung</i>"));
        QCOMPARE(control<QLabel>(m, "Haftungsausschluss")->textFormat(), Qt::PlainText);
        QCOMPARE(QTextDocumentFragment::fromHtml(control<QPushButton>(m, "Command2")->toolTip()).toPlainText(),
                 QStringLiteral("<b>fett</b> & mehr"));
        QCOMPARE(control<QPushButton>(m, "Command4")->toolTip(), line(18));
        QCOMPARE(m->package().language().caption(LanguageLine::PluginHelp), QString(4096, QLatin1Char('h')));
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        // The same for a dialog built after the language came.
        QCOMPARE(control<QPushButton>(dialog<PersonalModeDialog>(), "Command1")->text(), QStringLiteral("&&Zu"));
    }

    // A language file that is gone keeps the built-in texts and is named at
    // start (at Save and Go: the model's languageStepStaysInside, its link row).
    void languageFileGoneKeepsTheBuiltInTexts()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        tree.recordLanguage(tree.typed(), "weg.lang");
        MainWindow *m = restartConfigurator();
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));
        QCOMPARE(control<QPushButton>(m, "Command6")->toolTip(),
                 QStringLiteral("Stellen sie hier die Benutzerdefinierten Töne ein."));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("weg.lang")));
    }

    void sampleEnglishWorks()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        const QStringList files = samples.entryList(QDir::Files);
        QCOMPARE(files, (QStringList{"deutsch.lang", "deutsch_commandmenu.txt", "deutsch_kb_act.lst", "english.lang",
                                     "english_commandmenu.txt", "english_kb_act.lst"}));
        for (const QString &name : files)
            QVERIFY(QFile::copy(samples.filePath(name), tree.qor + QLatin1Char('/') + name));
        const auto bytes = [&](const QString &name) {
            return tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/") + name);
        };

        // 22 lines, one for each message and window text of ours and the uninstaller's, every one ended by
        // CR LF, none empty.
        const QByteArray language = bytes(QStringLiteral("english.lang"));
        const int lines = Texts::lineOf(Texts::Count) - 1;
        QCOMPARE(language.count("\r\n"), lines);
        QVERIFY(language.endsWith("\r\n"));
        QVERIFY(!language.contains("\r\n\r\n"));
        QCOMPARE(language.count('\n'), lines);
        // Every message in English, not the German it falls back to (those built in English aside).
        const QStringList english = ReadFileLines(tree.qor + QStringLiteral("/english.lang"));
        for (int id = 0; id < Texts::Count; ++id) {
            const bool german = Texts::fromLanguage(english, Texts::Id(id)) == Texts::builtIn(Texts::Id(id));
            QVERIFY2(!german || builtInEnglish(Texts::Id(id)),
                     qPrintable(english.value(Texts::lineOf(Texts::Id(id)) - 1)));
        }

        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        choose(d, tree.typed(), QStringLiteral("english.lang"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        QVERIFY2(messages.entries.isEmpty(), qPrintable(messages.entries.value(0).text));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), bytes(QStringLiteral("english_kb_act.lst")));
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), bytes(QStringLiteral("english_commandmenu.txt")));
        QCOMPARE(control<QPushButton>(m, "Command8")->text(), QStringLiteral("Settings"));
        QCOMPARE(control<QPushButton>(dialog<RestockDialog>(), "Command1")->text(), QStringLiteral("Close"));
    }

    // Each list line as the game reads it: "command", two tabs, "description",
    // with no quote or tab inside a field and no "#" that the game would take
    // for the name of one of its own texts. Plain ASCII: one game's menu reads
    // the list as UTF-8, the other in its 8-bit code page, and only ASCII
    // reads the same in both.
    void shippedKeyListsOfferEveryAction()
    {
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        static const QRegularExpression format(QStringLiteral("^\"([^\"\\t]+)\"\\t\\t\"([^\"\\t#][^\"\\t]*)\"$"));
        QStringList expected;
        for (const char *command : kKeyListCommands)
            expected << QLatin1String(command);
        expected.sort();

        const char *const names[] = {"english_kb_act.lst", "deutsch_kb_act.lst"};
        QMap<QString, QString> described[2];
        for (int i = 0; i < 2; ++i) {
            const QString path = samples.filePath(QLatin1String(names[i]));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(QString::fromUtf8(bytes), QString::fromLatin1(bytes));
            const qsizetype lines = bytes.count("\r\n");
            QVERIFY(bytes.endsWith("\r\n"));
            QCOMPARE(bytes.count('\r'), lines);
            QCOMPARE(bytes.count('\n'), lines);

            QStringList commands;
            for (int n = 1; n <= lines; ++n) {
                const QRegularExpressionMatch match = format.match(ReadFileLine(path, n));
                QVERIFY2(match.hasMatch(), qPrintable(QStringLiteral("%1 line %2").arg(names[i]).arg(n)));
                if (match.captured(1) == QLatin1String("blank"))
                    continue;
                commands << match.captured(1);
                described[i].insert(match.captured(1), match.captured(2));
            }
            commands.sort();
            QCOMPARE(commands, expected);
        }

        // German of its own, not the English copied, its umlauts spelled out.
        QString german;
        for (auto it = described[1].cbegin(); it != described[1].cend(); ++it) {
            QVERIFY2(it.value() != described[0].value(it.key()), qPrintable(it.key()));
            german += it.value();
        }
        QVERIFY(german.contains(QLatin1String("ae")) && german.contains(QLatin1String("ue")));
    }

    // The command menus as the game's menu reads them: quoted words and braces,
    // "//" to the end of the line a comment; an entry is a key, a label and a
    // command, or a key, a label and a submenu in braces. Both offer the same
    // keys and commands, in plain ASCII (as the key lists above).
    void shippedCommandMenusOfferEveryCommand()
    {
        const auto entries = [](const QByteArray &bytes) {
            QStringList tokens;
            for (QByteArray line : bytes.split('\n')) {
                const qsizetype comment = line.indexOf("//");
                if (comment >= 0)
                    line.truncate(comment);
                static const QRegularExpression token(QStringLiteral("\"([^\"]*)\"|[{}]"));
                for (auto it = token.globalMatch(QString::fromLatin1(line)); it.hasNext();) {
                    const QRegularExpressionMatch match = it.next();
                    tokens << (match.captured(0).startsWith(u'"') ? match.captured(1) : match.captured(0));
                }
            }
            // "key label command" and "key label {", each entry named by its keys on the way.
            QStringList found;
            QStringList path;
            for (qsizetype i = 0; i < tokens.size();) {
                if (tokens[i] == QLatin1String("}")) {
                    path.removeLast();
                    ++i;
                } else if (tokens.value(i + 2) == QLatin1String("{")) {
                    path << tokens[i];
                    found << path.join(u'.') + QLatin1String(" {");
                    i += 3;
                } else {
                    found << (path + QStringList(tokens[i])).join(u'.') + u' ' + tokens.value(i + 2);
                    i += 3;
                }
            }
            return found;
        };

        const QStringList expected{
            "1 {", "1.1 coverme", "1.2 followme", "1.3 enemyspot", "1.4 needbackup",
            "2 {", "2.1 buyammo1", "2.2 buyammo2", "2.3 buyequip",
            "3 {", "3.1 sayscript", "3.2 noitembuy",
        };
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        for (const char *name : {"english_commandmenu.txt", "deutsch_commandmenu.txt"}) {
            QFile file(samples.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(QString::fromUtf8(bytes), QString::fromLatin1(bytes));
            QCOMPARE(entries(bytes), expected);
        }
    }

    // German is kept by choosing it: every caption, help text and tooltip the
    // same as built in, and the game gets the German key list and menu.
    void sampleGermanKeepsTheBuiltInTexts()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        for (const QString &name : samples.entryList({QStringLiteral("deutsch*")}, QDir::Files))
            QVERIFY(QFile::copy(samples.filePath(name), tree.qor + QLatin1Char('/') + name));
        const QByteArray language = tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/deutsch.lang"));
        const int lines = Texts::lineOf(Texts::Count) - 1;
        QCOMPARE(language.count("\r\n"), lines);
        QCOMPARE(language.count('\n'), lines);
        QCOMPARE(language.count('\r'), lines);
        // Its messages are the built-in ones, each given, but in German where those are English.
        const QStringList german = ReadFileLines(tree.qor + QStringLiteral("/deutsch.lang"));
        for (int id = 0; id < Texts::Count; ++id) {
            QString line = german.value(Texts::lineOf(Texts::Id(id)) - 1);
            QVERIFY2((line.replace("\\n", "\n") == Texts::builtIn(Texts::Id(id))) != builtInEnglish(Texts::Id(id)),
                     qPrintable(line));
        }
        tree.recordLanguage(tree.typed(), "");

        MainWindow *m = restartConfigurator();
        // Every option dialog too, though none is opened at start.
        dialog<ServerAccessDialog>();
        dialog<RestockDialog>();
        dialog<SoundDialog>();
        dialog<TextMessageDialog>();
        dialog<PersonalModeDialog>();
        const auto texts = [] {
            QStringList all;
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (qobject_cast<SetupDialog *>(window))
                    continue; // names the language chosen
                for (QPushButton *button : window->findChildren<QPushButton *>())
                    all << button->text() << button->toolTip();
                for (QLabel *label : window->findChildren<QLabel *>())
                    all << label->text();
            }
            return all;
        };
        const QStringList builtIn = texts();
        QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        SetupDialog *d = dialog<SetupDialog>();
        choose(d, tree.typed(), QStringLiteral("deutsch.lang"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);

        QVERIFY2(messages.entries.isEmpty(), qPrintable(messages.entries.value(0).text));
        QCOMPARE(control<QLabel>(d, "lang2")->text(), QStringLiteral("deutsch.lang"));
        // The English of ours in German, the rest as built in.
        const QStringList shown = texts();
        QCOMPARE(shown.size(), builtIn.size());
        QStringList english;
        for (const Texts::Id id : kBuiltInEnglish)
            english << shownForms(id);
        for (int n = 0; n < shown.size(); ++n)
            QVERIFY2((shown[n] == builtIn[n]) != english.contains(builtIn[n]), qPrintable(shown[n]));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")),
                 tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/deutsch_kb_act.lst")));
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")),
                 tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/deutsch_commandmenu.txt")));
    }

    // Each window, and the titles of its message boxes, in each shipped
    // language: english.lang leaves none of the German built in, deutsch.lang
    // none of the English; only names stay.
    void everyWindowSaysTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("window");
        for (const char *language : {"deutsch.lang", "english.lang"})
            for (int window = 0; window < int(std::size(kWindowNames)); ++window)
                QTest::addRow("%s, %s", language, kWindowNames[window]) << QString(language) << window;
    }

    void everyWindowSaysTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(int, window);
        GameTree tree;
        MessageLog messages;
        tree.install();
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        for (const QString &name : samples.entryList({language.chopped(5) + '*'}))
            QVERIFY(QFile::copy(samples.filePath(name), tree.qor + '/' + name));
        tree.recordLanguage(tree.typed(), "");
        MainWindow *m = restartConfigurator();
        const QStringList builtIn = shownTexts(window, messages);
        QCOMPARE(builtIn.size(), windowTexts(languageWindow(window)).size() + int(kBoxOpeners[window].size()));
        QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        choose(dialog<SetupDialog>(), tree.typed(), language);
        QTest::mouseClick(control<QPushButton>(dialog<SetupDialog>(), "Command2"), Qt::LeftButton);
        QVERIFY2(messages.entries.isEmpty(), qPrintable(messages.entries.value(0).text));
        const QStringList shown = shownTexts(window, messages);

        QStringList english, german;
        for (int n = 1; n <= kLanguageLines; ++n)
            german << Texts::builtInCaption(LanguageLine(n));
        for (int id = 0; id < Texts::Count; ++id)
            (builtInEnglish(Texts::Id(id)) ? english : german) << shownForms(Texts::Id(id));
        QCOMPARE(shown.size(), builtIn.size());
        for (int n = 0; n < shown.size(); ++n) {
            const QString &text = builtIn[n];
            const bool name = std::find(std::begin(kNames), std::end(kNames), text) != std::end(kNames);
            QVERIFY2(name || english.contains(text) || german.contains(text), qPrintable("no line: " + text));
            if (language == QLatin1String("english.lang") && german.contains(text))
                QVERIFY2(shown[n] != text, qPrintable(text));
            if (language == QLatin1String("deutsch.lang"))
                QVERIFY2((shown[n] == text) != english.contains(text), qPrintable(shown[n]));
        }
    }

    // Every kind of message of ours in each shipped language, as the file's
    // line for it gives it (deutsch.lang: as built in).
    void ownMessagesInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("scene");
        for (const char *language : {"deutsch.lang", "english.lang"})
            for (int scene = 0; scene < int(std::size(kScenes)); ++scene)
                QTest::addRow("%s, %s", language, kScenes[scene].name) << QString(language) << scene;
    }

    void ownMessagesInTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(int, scene);
        GameTree tree;
        MessageLog messages;
        Platform::setEndProcessHook([](int) {});
        auto restore = qScopeGuard([] { Platform::setEndProcessHook({}); });
        tree.install();
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        for (const QString &name : samples.entryList({language.chopped(5) + '*'}))
            QVERIFY(QFile::copy(samples.filePath(name), tree.qor + '/' + name));
        tree.recordLanguage(tree.typed(), language);
        restartConfigurator();

        QString shown = kScenes[scene].show(tree, language);
        if (shown.isEmpty() && messages.entries.size() == 1)
            shown = messages.entries[0].text;
        const QStringList lines = ReadFileLines(samples.filePath(language));
        for (const Texts::Id id : kScenes[scene].shown) {
            // The line's words, whatever its placeholders stand for.
            QStringList words = Texts::fromLanguage(lines, id).split(QRegularExpression("%\\d"));
            for (QString &word : words)
                word = QRegularExpression::escape(word);
            const QRegularExpression said(words.join(".*"), QRegularExpression::DotMatchesEverythingOption);
            QVERIFY2(shown.contains(said), qPrintable(shown));
        }
    }

    // A language switched to while the program runs: a box's hover help and
    // notice say their notes in it, not in the one before.
    void boxNotesFollowALanguageSwitch()
    {
        GameTree tree;
        MessageLog messages;
        tree.install();
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        for (const QString &name : samples.entryList({QStringLiteral("english*")}))
            QVERIFY(QFile::copy(samples.filePath(name), tree.qor + '/' + name));
        restartConfigurator();
        configurator()->package().settings.field(Varia::Password1) = StoredValue(ValueKind::ServerValue, "geheim");
        ServerAccessDialog *a = dialog<ServerAccessDialog>();
        a->show();
        QTRY_VERIFY(Notice::shownFor(control<QLineEdit>(a, "pass")).contains(QStringLiteral("Ohne Feldnamen")));

        SetupDialog *d = dialog<SetupDialog>();
        choose(d, tree.typed(), QStringLiteral("english.lang"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        QVERIFY2(control<QLineEdit>(a, "pass")->toolTip().contains(QStringLiteral("Without a field name")),
                 qPrintable(control<QLineEdit>(a, "pass")->toolTip()));
        QCOMPARE(Notice::shownFor(control<QLineEdit>(a, "pass")), QString());
        a->hide();
        a->show();
        QTRY_VERIFY(Notice::shownFor(control<QLineEdit>(a, "pass")).contains(QStringLiteral("Without a field name")));
    }

    // A message's line that is missing, empty or whose placeholders are not
    // the German's keeps the German.
    void messageLinesAreChecked_data()
    {
        QTest::addColumn<QString>("line"); // for "...:\n%1: %2"
        QTest::addColumn<QString>("message");
        const QString german = Texts::builtIn(Texts::SwitchOffFailed);
        QTest::newRow("taken, in any order") << "Off:\\n%2 / %1" << "Off:\n%2 / %1";
        QTest::newRow("empty") << "" << german;
        QTest::newRow("one placeholder lost") << "Off: %1" << german;
        QTest::newRow("one too many") << "Off: %1 %2 %3" << german;
        QTest::newRow("a percent sign, no number") << "100 % off:\\n%1: %2" << "100 % off:\n%1: %2";
        QTest::newRow("side by side") << "%%1%2" << "%%1%2";
        QTest::newRow("%10 is no %1") << "Off: %10 %2" << german;
        QTest::newRow("cut as captions are") << "%1 %2" + QString(5000, 'x') << "%1 %2" + QString(4091, 'x');
    }

    void messageLinesAreChecked()
    {
        QFETCH(QString, line);
        QFETCH(QString, message);
        QStringList lines(Texts::lineOf(Texts::SwitchOffFailed) - 1);
        QCOMPARE(Texts::fromLanguage(lines, Texts::SwitchOffFailed), Texts::builtIn(Texts::SwitchOffFailed));
        QCOMPARE(Texts::fromLanguage(lines << line, Texts::SwitchOffFailed), message);
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
