#include "appearance.h"
#include "mainwindow.h"
#include "notice.h"
#include "package.h"
#include "platform.h"
#include "setupdialog.h"
#include "testsupport.h"
#include "textfiles.h"

#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString kDefault = QStringLiteral("c:\\sierra\\half-life");

QByteArray pathFile(const char *directory, const char *language)
{
    const QByteArray dir(directory);
    return dir + "\r\n" + language + "\r\n" + dir + "\\cstrike\\gfx\\shell\\kb_act.lst\r\n" + dir
           + "\\cstrike\\commandmenu.txt\r\n";
}

void clickItem(QListWidget *list, const QString &name)
{
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

// Types `text` key by key, any character (keyClicks knows Latin-1 only).
void type(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

QStringList listed(QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

QString selectedIn(QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

// The tab chain of `window`, keeping only the controls that take focus by Tab.
QList<QWidget *> tabChain(QWidget *first, int count)
{
    QList<QWidget *> chain{first};
    QWidget *w = first;
    while (chain.size() < count) {
        w = w->nextInFocusChain();
        if (w == first)
            break;
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
    }
    return chain;
}

} // namespace

class TestSetupDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Appearance::applyApplicationFont(*qApp); }

    void controlsStandWhereTheyBelong()
    {
        PackageFolder folder;
        SetupDialog *d = dialog<SetupDialog>();
        QVERIFY(!d->isVisible());

        QCOMPARE(d->windowTitle(), QStringLiteral("firstrun"));
        QCOMPARE(d->size(), QSize(305, 202));
        QCOMPARE(d->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
        const QLabel *title = control<QLabel>(d, "Label1");
        QVERIFY(title->font().bold());
        QCOMPARE(title->font().pointSize(), 12);
        // Windows' "MS Sans Serif" is a bitmap font: its TrueType successor is asked for there.
#ifdef Q_OS_WIN
        QCOMPARE(title->font().families().first(), QStringLiteral("Microsoft Sans Serif"));
#else
        QCOMPARE(title->font().families().first(), QStringLiteral("MS Sans Serif"));
#endif

        const struct {
            const char *name;
            QString caption;
            QRect geometry;
        } controls[] = {
            {"Label1", "Basic Configuration", {72, 16, 281, 25}},
            {"Label2", "Half-Life Path:", {8, 40, 121, 17}},
            {"Command1", "Help", {208, 40, 89, 13}},
            {"pfad", kDefault, {8, 56, 193, 19}},
            {"search", "Search Path", {208, 56, 89, 25}},
            {"Label3", "Please Select your Language", {8, 88, 121, 33}},
            {"language", {}, {136, 88, 161, 45}},
            {"Label4", "Current Language:", {8, 136, 89, 17}},
            {"lang2", {}, {104, 136, 81, 17}},
            {"Label5", "New Language:", {8, 152, 89, 17}},
            {"sellang", {}, {104, 152, 81, 17}},
            {"Command2", "Save and Go", {56, 176, 185, 17}},
            {"lang", {}, {256, 176, 41, 17}}, // the recorded language: none yet
        };
        QStringList names = {"Line1", "Line2", "Line3", "Line4", "Line5"};
        for (const auto &expected : controls) {
            QWidget *widget = control<QWidget>(d, expected.name);
            QCOMPARE(widget->geometry(), expected.geometry);
            QCOMPARE(widget->parentWidget(), d);
            if (auto *button = qobject_cast<QPushButton *>(widget))
                QCOMPARE(button->text(), expected.caption);
            else if (auto *label = qobject_cast<QLabel *>(widget))
                QCOMPARE(label->text(), expected.caption);
            names << QString::fromLatin1(expected.name);
        }
        // No control under another name, none named twice; the border's lines too.
        names.sort();
        QCOMPARE(controlNames(d), names);
        QVERIFY(control<QLabel>(d, "lang")->isHidden());
        QLineEdit *path = control<QLineEdit>(d, "pfad");
        QCOMPARE(tabChain(path, 5), (QList<QWidget *>{path, control<QPushButton>(d, "Command1"),
                                                      control<QPushButton>(d, "Command2"),
                                                      control<QPushButton>(d, "search"),
                                                      control<QListWidget>(d, "language")}));
        QCOMPARE(d->focusWidget(), path);

        // The path file can't hold what Windows-1252 lacks: such a character is refused.
        type(path, QStringLiteral("\\Ж"));
        QCOMPARE(path->text(), kDefault + QStringLiteral("\\"));
        // Pasted among others, it is left out, and the notice beside the box names it.
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        QGuiApplication::clipboard()->setText(QStringLiteral("Ж€x"));
        QTest::keyClick(path, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(path->text(), kDefault + QStringLiteral("\\€x"));
        QVERIFY(Notice::shownFor(path).contains(QStringLiteral("Ausgelassen: Ж")));

        // The label stays a label when a language line looks like markup.
        control<QLabel>(d, "sellang")->setText(QStringLiteral("<b>x</b>"));
        QCOMPARE(control<QLabel>(d, "sellang")->textFormat(), Qt::PlainText);
    }

    void firstStartShowsTheSetupDialogInstead()
    {
        PackageFolder folder;
        MainWindow *m = restartConfigurator();
        QVERIFY(!m->isVisible());
        QVERIFY(hasDialog<SetupDialog>());
        SetupDialog *d = dialog<SetupDialog>();
        QVERIFY(d->isVisible());
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), kDefault);
        QVERIFY(!folder.has(QStringLiteral("pfad.kst")));
    }

    // The package where it belongs, <Half-Life>/cstrike/qor, names the Half-Life folder.
    void firstStartOffersTheHalfLifeFolder_data()
    {
        QTest::addColumn<QString>("package"); // below the temporary folder
        QTest::addColumn<QString>("offered"); // the same; empty for the default
        QTest::newRow("in a game") << "Half-Life/cstrike/qor" << "Half-Life";
        QTest::newRow("windows-1252 letters") << "Spiele/Hälf-Life €/cstrike/qor" << "Spiele/Hälf-Life €";
        QTest::newRow("no cstrike") << "Half-Life/valve/qor" << "";
        QTest::newRow("not storable") << "Half-Life ✓/cstrike/qor" << "";
    }

    void firstStartOffersTheHalfLifeFolder()
    {
        QFETCH(QString, package);
        QFETCH(QString, offered);
        PackageFolder folder;
        QVERIFY(QDir().mkpath(folder.path() + QLatin1Char('/') + package));
        QVERIFY(QDir::setCurrent(folder.path() + QLatin1Char('/') + package));
        restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        QVERIFY(d->isVisible());
        const QString root = QDir(folder.path()).canonicalPath() + QLatin1Char('/');
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(),
                 offered.isEmpty() ? kDefault : QDir::toNativeSeparators(root + offered));
    }

    void startWithPathFileFillsTheDialogHidden()
    {
        PackageFolder folder;
        folder.write(QStringLiteral("pfad.kst"), pathFile("d:\\spiele\\hl", ""));
        MainWindow *m = restartConfigurator();
        QVERIFY(m->isVisible());
        SetupDialog *d = dialog<SetupDialog>();
        QVERIFY(!d->isVisible());
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), QStringLiteral("d:\\spiele\\hl"));
        QCOMPARE(control<QLabel>(d, "lang")->text(), QString());
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));
    }

    void saveAndGoWritesThePathFile_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("expected");

        // Each a folder with a cstrike folder (made by the test): relative to
        // the package folder but for the default.
        QTest::newRow("default folder") << kDefault << pathFile("c:\\sierra\\half-life", "english.lang");
        QTest::newRow("trailing backslash")
            << QStringLiteral("games\\Half-Life\\")
            << QByteArray("games\\Half-Life\\\r\nenglish.lang\r\n"
                          "games\\Half-Life\\\\cstrike\\gfx\\shell\\kb_act.lst\r\n"
                          "games\\Half-Life\\\\cstrike\\commandmenu.txt\r\n");
        QTest::newRow("windows-1252 kept") << QStringLiteral("Spiele\\Größe €")
                                           << ansi("Spiele\\Größe €\r\nenglish.lang\r\n"
                                                   "Spiele\\Größe €\\cstrike\\gfx\\shell\\kb_act.lst\r\n"
                                                   "Spiele\\Größe €\\cstrike\\commandmenu.txt\r\n");
        // The path file's first bytes are then those of a byte-order mark.
        QTest::newRow("begins with ÿþ") << QString::fromUtf8("ÿþhl")
                                        << ansi("ÿþhl\r\nenglish.lang\r\nÿþhl\\cstrike\\gfx\\shell\\kb_act.lst\r\n"
                                                "ÿþhl\\cstrike\\commandmenu.txt\r\n");
        QTest::newRow("only ï»¿") << QString::fromUtf8("ï»¿")
                                  << ansi("ï»¿\r\nenglish.lang\r\nï»¿\\cstrike\\gfx\\shell\\kb_act.lst\r\n"
                                          "ï»¿\\cstrike\\commandmenu.txt\r\n");
    }

    void saveAndGoWritesThePathFile()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);

        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("english.lang"), "ON\r\n");
        const QString cstrike = LocalPath(typed + QStringLiteral("\\cstrike"));
        if (QDir::isAbsolutePath(cstrike))
            QSKIP("c: is a drive here: the test makes folders only inside its own");
        QVERIFY(QDir().mkpath(cstrike));
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();

        control<QLineEdit>(d, "pfad")->clear();
        type(control<QLineEdit>(d, "pfad"), typed);
        clickItem(control<QListWidget>(d, "language"), QStringLiteral("english.lang"));
        QCOMPARE(control<QLabel>(d, "sellang")->text(), QStringLiteral("english.lang"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);

        QCOMPARE(folder.read(QStringLiteral("pfad.kst")), expected);
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), typed);
        QCOMPARE(control<QLabel>(d, "lang")->text(), QStringLiteral("english.lang"));
        QCOMPARE(control<QLabel>(d, "lang2")->text(), QStringLiteral("english.lang"));
        QCOMPARE(m->package().pathFile().file.keyBindings, typed + QStringLiteral("\\cstrike\\gfx\\shell\\kb_act.lst"));
        QCOMPARE(m->package().pathFile().file.commandMenu, typed + QStringLiteral("\\cstrike\\commandmenu.txt"));
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("ON"));
        QVERIFY(m->isVisible());
        QVERIFY(!d->isVisible());
        QVERIFY(hasDialog<SetupDialog>());

        // The folder names no game here: one message says what was not replaced.
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("kb_act.lst")));
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("commandmenu.txt")));

        // The next start reads back what was written.
        const PathFileRead next = restartConfigurator()->package().pathFile();
        QCOMPARE(next.problem, QString());
        QCOMPARE(next.file.halfLife, typed);
        QCOMPARE(next.file.language, QStringLiteral("english.lang"));
    }

    void saveAndGoWithoutLanguageStays()
    {
        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("english.lang"), "ON\r\n");
        QVERIFY(QDir().mkpath(QStringLiteral("hl/cstrike")));
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();

        control<QLineEdit>(d, "pfad")->setText(QStringLiteral("hl"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        QCOMPARE(folder.read(QStringLiteral("pfad.kst")), pathFile("hl", ""));
        QCOMPARE(control<QLabel>(d, "lang")->text(), QString());
        QCOMPARE(m->package().pathFile().file.keyBindings, QStringLiteral("hl\\cstrike\\gfx\\shell\\kb_act.lst"));
        QVERIFY(d->isVisible());
        QVERIFY(!m->isVisible());
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));
        QCOMPARE(messages.entries.size(), 1);
        QCOMPARE(messages.entries[0].title, QStringLiteral("firstrun"));
        QCOMPARE(messages.entries[0].text, QStringLiteral("Please choose a language from the list."));

        // Opened from a visible main window, the main window stays as it was too.
        m = restartConfigurator();
        QVERIFY(m->isVisible());
        QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        d = dialog<SetupDialog>();
        QVERIFY(d->isVisible());
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        QVERIFY(d->isVisible());
        QVERIFY(m->isVisible());
        QCOMPARE(messages.entries.size(), 2);
    }

    void clickingALanguageOnlyShowsIt()
    {
        PackageFolder folder;
        folder.write(QStringLiteral("pfad.kst"), pathFile("c:\\hl", ""));
        folder.write(QStringLiteral("deutsch.lang"), "EIN\r\n");
        MainWindow *m = restartConfigurator();
        QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        SetupDialog *d = dialog<SetupDialog>();

        clickItem(control<QListWidget>(d, "language"), QStringLiteral("deutsch.lang"));
        QCOMPARE(control<QLabel>(d, "sellang")->text(), QStringLiteral("deutsch.lang"));
        QCOMPARE(control<QLabel>(d, "lang2")->text(), QString());
        QCOMPARE(control<QLabel>(d, "lang")->text(), QString());
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));
        QCOMPARE(folder.read(QStringLiteral("pfad.kst")), pathFile("c:\\hl", ""));
    }

    void languageListShowsLanguageFilesOnly()
    {
        PackageFolder folder;
        folder.write(QStringLiteral("pfad.kst"), pathFile("c:\\hl", ""));
        for (const char *name : {"zulu.lang", "Alpha.lang", "beta.lang", ".hidden.lang", "notes.txt", "lang"})
            folder.write(QString::fromLatin1(name), "x\r\n");
        QVERIFY(QDir().mkdir(QStringLiteral("folder.lang")));
#ifdef Q_OS_WIN
        // Hidden there by its attribute, not by the dot; a system file is no language either.
        QVERIFY(SetFileAttributesW(L".hidden.lang", FILE_ATTRIBUTE_HIDDEN));
        folder.write(QStringLiteral("system.lang"), "x\r\n");
        QVERIFY(SetFileAttributesW(L"system.lang", FILE_ATTRIBUTE_SYSTEM));
#endif
        restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        QCOMPARE(listed(control<QListWidget>(d, "language")), (QStringList{"Alpha.lang", "beta.lang", "zulu.lang"}));
        QCOMPARE(selectedIn(control<QListWidget>(d, "language")), QString());

        // Filled when the dialog is made, not refreshed while it lives.
        folder.write(QStringLiteral("later.lang"), "x\r\n");
        QCOMPARE(control<QListWidget>(d, "language")->count(), 3);
    }

    void closingWithoutChoiceTakesEnglish()
    {
        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("english.lang"), "ON\r\nOFF\r\n");
        folder.write(QStringLiteral("deutsch.lang"), "EIN\r\n");
        QVERIFY(QDir().mkpath(QStringLiteral("hl/cstrike")));
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        control<QLineEdit>(d, "pfad")->setText(QStringLiteral("hl"));

        QVERIFY(d->close());
        QVERIFY(!hasDialog<SetupDialog>());
        QCOMPARE(folder.read(QStringLiteral("pfad.kst")), pathFile("hl", "english.lang"));
        QVERIFY(m->isVisible());
        QCOMPARE(control<QPushButton>(m, "it2")->text(), QStringLiteral("OFF"));
        QCOMPARE(m->package().pathFile().file.keyBindings, QStringLiteral("hl\\cstrike\\gfx\\shell\\kb_act.lst"));
        // The closing variant leaves the command menu alone: only the list is missed.
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("kb_act.lst")));
        QVERIFY(!messages.entries[0].text.contains(QStringLiteral("commandmenu.txt")));

        // Opened again: made afresh from the path file, with nothing new
        // chosen; the recorded language stands selected.
        QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        QVERIFY(hasDialog<SetupDialog>());
        d = dialog<SetupDialog>();
        QVERIFY(d->isVisible());
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), QStringLiteral("hl"));
        QCOMPARE(control<QLabel>(d, "lang2")->text(), QString());
        QCOMPARE(control<QLabel>(d, "sellang")->text(), QString());
        QCOMPARE(selectedIn(control<QListWidget>(d, "language")), QStringLiteral("english.lang"));
        QCOMPARE(control<QLabel>(d, "lang")->text(), QStringLiteral("english.lang"));
    }

    void closingKeepsTheChosenLanguage()
    {
        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("english.lang"), "ON\r\n");
        folder.write(QStringLiteral("deutsch.lang"), "EIN\r\n");
        QVERIFY(QDir().mkpath(QStringLiteral("hl/cstrike")));
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        control<QLineEdit>(d, "pfad")->setText(QStringLiteral("hl"));
        clickItem(control<QListWidget>(d, "language"), QStringLiteral("deutsch.lang"));
        QVERIFY(d->close());
        QCOMPARE(folder.read(QStringLiteral("pfad.kst")), pathFile("hl", "deutsch.lang"));
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("EIN"));
    }

    // Closing is never refused and the main window takes over, but only a
    // Half-Life folder is recorded: a folder without cstrike leaves no path
    // file (the next start asks again) and says so once.
    void closingWithNoEnglishListedStillShowsTheMainWindow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("escapeIn"); // the control that has the keyboard; none: the title bar
        QTest::newRow("a Half-Life folder") << "hl" << "";
        QTest::newRow("no Half-Life folder") << "c:\\sierra\\half-life" << "";
        QTest::newRow("Escape in the path box") << "hl" << "pfad";
        QTest::newRow("Escape in the language list, no Half-Life folder") << "c:\\sierra\\half-life" << "language";
    }
    void closingWithNoEnglishListedStillShowsTheMainWindow()
    {
        QFETCH(QString, typed);
        QFETCH(QString, escapeIn);
        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("deutsch.lang"), "EIN\r\n");
        QVERIFY(QDir().mkpath(QStringLiteral("hl/cstrike")));
        MainWindow *m = restartConfigurator();
        QVERIFY(!m->isVisible());
        SetupDialog *d = dialog<SetupDialog>();
        control<QLineEdit>(d, "pfad")->setText(typed);

        if (escapeIn.isEmpty()) {
            QVERIFY(d->close());
        } else {
            QWidget *focused = control<QWidget>(d, qPrintable(escapeIn));
            focused->setFocus(Qt::TabFocusReason);
            QTest::keyClick(focused, Qt::Key_Escape);
        }
        QVERIFY(!hasDialog<SetupDialog>());
        const bool recorded = typed == QLatin1String("hl");
        QCOMPARE(folder.read(QStringLiteral("pfad.kst")), recorded ? pathFile("hl", "") : QByteArray());
        QVERIFY(m->isVisible());
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));
        QCOMPARE(messages.entries.size(), recorded ? 0 : 1);
        if (!recorded) {
            QVERIFY2(messages.entries[0].text.contains('"' + typed + "\" enthält keinen Ordner cstrike"),
                     qPrintable(messages.entries[0].text));
            QVERIFY(!restartConfigurator()->isVisible());
            QVERIFY(dialog<SetupDialog>()->isVisible());
        }
    }

    void helpShowsTheWelcome_data()
    {
        QTest::addColumn<int>("key"); // pressed with the button focused; none: clicked
        QTest::newRow("clicked") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void helpShowsTheWelcome()
    {
        QFETCH(int, key);
        PackageFolder folder;
        MessageLog messages;
        restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        QPushButton *help = control<QPushButton>(d, "Command1");
        if (key) {
            help->setFocus(Qt::TabFocusReason);
            QTest::keyClick(help, Qt::Key(key));
        } else {
            QTest::mouseClick(help, Qt::LeftButton);
        }
        QCOMPARE(messages.entries.size(), 1);
        QCOMPARE(messages.entries[0].title, QStringLiteral("Herzlich Willkommen"));
        QCOMPARE(messages.entries[0].text,
                 QStringLiteral("This program require the complete path to your Half-Life directory. "
                                "Most time it is c:\\sierra\\half-life"));
        QCOMPARE(control<QLineEdit>(d, "pfad")->text(), kDefault);
        QVERIFY(d->isVisible());
        QVERIFY(!folder.has(QStringLiteral("pfad.kst")));
    }

    // A package folder that can't be written (immutable). The start
    // goes on without a lock; Save and Go keeps the dialog, closing it on a
    // first start ends the program; from "Einstellungen" the main window stays.
    void pathFileThatCannotBeWritten()
    {
        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("english.lang"), "ON\r\n");
        QVERIFY(QDir().mkpath(QStringLiteral("hl/cstrike")));
        // chattr +i: nothing can be made in the folder, not even by root.
        const bool frozen = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder.path()}) == 0;
        auto thaw = qScopeGuard([&] {
            if (frozen)
                QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder.path()});
        });
        if (!frozen)
            QSKIP("needs chattr +i (Linux, as root) to make a folder that nobody can write");
        QList<int> ends;
        Platform::setEndProcessHook([&ends](int code) { ends << code; });
        MainWindow *m = restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        QVERIFY(d->isVisible());

        control<QLineEdit>(d, "pfad")->setText(QStringLiteral("hl"));
        clickItem(control<QListWidget>(d, "language"), QStringLiteral("english.lang"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("pfad.kst")));
        QVERIFY(d->isVisible());
        QVERIFY(!m->isVisible());
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));
        QVERIFY(ends.isEmpty());

        QVERIFY(d->close());
        QCOMPARE(messages.entries.size(), 2);
        QVERIFY(!hasDialog<SetupDialog>());
        QCOMPARE(ends, QList<int>{1});

        // Opened from the main window: the message, the dialog closes, the main window stays.
        m->show();
        QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        QVERIFY(dialog<SetupDialog>()->close());
        QCOMPARE(messages.entries.size(), 3);
        QVERIFY(m->isVisible());
        QCOMPARE(ends, QList<int>{1});
        Platform::setEndProcessHook({});
    }

    // A path file that can't be read (here a link out of the package folder)
    // is named at start; the main window opens with the built-in texts, and
    // "Einstellungen" writes a new one in its place, replacing the link itself.
    void pathFileThatCannotBeReadIsNamed()
    {
#ifdef Q_OS_WIN
        QSKIP("QFile::link makes a shortcut on Windows, no symbolic link");
#endif
        PackageFolder folder;
        QTemporaryDir outside;
        MessageLog messages;
        folder.write(QStringLiteral("english.lang"), "ON\r\n");
        const QString path = QDir(folder.path()).filePath(QStringLiteral("pfad.kst"));
        const QString target = outside.filePath(QStringLiteral("pfad.kst"));
        const QString halfLife = QDir::toNativeSeparators(outside.path());
        QVERIFY(QDir(outside.path()).mkdir(QStringLiteral("cstrike")));
        QVERIFY(WriteTextFile(target, {halfLife, QStringLiteral("english.lang")}));
        QVERIFY(QFile::link(target, path));
        MainWindow *m = restartConfigurator();
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QDir::toNativeSeparators(path)));
        QVERIFY(m->isVisible());
        QCOMPARE(control<QPushButton>(m, "it1")->text(), QStringLiteral("AN"));

        QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        clickItem(control<QListWidget>(dialog<SetupDialog>(), "language"), QStringLiteral("english.lang"));
        control<QLineEdit>(dialog<SetupDialog>(), "pfad")->setText(halfLife);
        QTest::mouseClick(control<QPushButton>(dialog<SetupDialog>(), "Command2"), Qt::LeftButton);
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(ReadFileLines(path).value(1), QStringLiteral("english.lang"));
        QCOMPARE(ReadFileLines(target), (QStringList{halfLife, "english.lang"}));
    }

    void directoryOutsideWindows1252IsRefused()
    {
        PackageFolder folder;
        MessageLog messages;
        QVERIFY(QDir().mkpath(QStringLiteral("Игры/cstrike")));
        restartConfigurator();
        SetupDialog *d = dialog<SetupDialog>();
        control<QLineEdit>(d, "pfad")->setText(QStringLiteral("Игры"));
        QTest::mouseClick(control<QPushButton>(d, "Command2"), Qt::LeftButton);
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("pfad.kst")));
        QVERIFY(!folder.has(QStringLiteral("pfad.kst")));
        QVERIFY(d->isVisible());
    }
};

QTEST_MAIN(TestSetupDialog)
#include "test_setupdialog.moc"
