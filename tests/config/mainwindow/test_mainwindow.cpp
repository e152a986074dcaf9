#include "appearance.h"
#include "gametree.h"
#include "lockrows.h"
#include "mainwindow.h"
#include "optiondialog.h"
#include "package.h"
#include "packagefiles.h"
#include "platform.h"
#include "setupdialog.h"
#include "testsupport.h"
#include "language.h"

#include <QAbstractButton>
#include <QDir>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {
const QByteArray kPathFile = "c:\\hl\r\n\r\nc:\\hl\\cstrike\\gfx\\shell\\kb_act.lst\r\nc:\\hl\\cstrike\\commandmenu.txt\r\n";

// What "varis.cfg" runs for the module as the window's package holds it.
QString slot(MainWindow *m, PackageModule module)
{
    return SlotText(module, m->package().settings.module(module));
}

// Every file, folder and link below `root` with what it holds or leads to,
// and when it was last changed: what a start that changes nothing leaves alike.
QStringList snapshot(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QString entry = info.filePath() + QLatin1Char(' ') + info.lastModified().toString(Qt::ISODateWithMs);
        if (info.isSymLink()) {
            entry += QStringLiteral(" -> ") + info.symLinkTarget();
        } else if (info.isFile()) {
            QFile file(info.filePath());
            entry += QLatin1Char(' ') + QString::fromLatin1((file.open(QIODevice::ReadOnly) ? file.readAll() : "?").toHex());
        }
        entries << entry;
    }
    entries.sort();
    return entries;
}

// The controls that Tab walks from `first` on, once round the window.
QStringList tabChain(QWidget *first)
{
    QStringList names{first->objectName()};
    for (QWidget *w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
    }
    return names;
}

// `name`, when the dialog of class W is on show.
template <class W>
void addShown(QStringList &seen, const char *name)
{
    if (hasDialog<W>() && dialog<W>()->isVisible())
        seen << QString::fromLatin1(name);
}

QString captionOf(QWidget *widget)
{
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return frame->title();
    return {};
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Appearance::applyApplicationFont(*qApp); }

    void controlsStandWhereTheyBelong()
    {
        PackageFolder folder;
        folder.write(QStringLiteral("pfad.kst"), kPathFile);
        MainWindow *m = restartConfigurator();

        QCOMPARE(m->windowTitle(), QStringLiteral("Korvel Configurator"));
        QCOMPARE(m->size(), QSize(520, 298));
        QCOMPARE(m->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
        const QImage background = m->palette().brush(QPalette::Window).texture().toImage();
        QCOMPARE(background.size(), QSize(557, 305));

        const struct {
            const char *name;
            const char *parent; // null: the window itself
            const char *caption;
            QRect geometry;
        } controls[] = {
            {"Frame3", nullptr, "Menu", {8, 40, 265, 97}},
            {"Command2", "Frame3", "Restockmenü", {8, 16, 105, 25}},
            {"Command4", "Frame3", "Admin-Mod Menü", {136, 16, 113, 25}},
            {"Command6", "Frame3", "Soundmenü", {8, 56, 105, 25}},
            {"Command7", "Frame3", "Textmenü", {136, 56, 113, 25}},
            {"Command8", nullptr, "Einstellungen", {440, 0, 81, 17}},
            {"Frame2", nullptr, "Switches", {8, 136, 505, 73}},
            {"Label3", "Frame2", "No-Itembuy", {24, 16, 65, 17}},
            {"it1", "Frame2", "AN", {24, 32, 65, 13}},
            {"it2", "Frame2", "AUS", {24, 48, 65, 13}},
            {"Command9", "Frame2", "Config", {216, 8, 65, 13}},
            {"Label2", "Frame2", "Personal Mode", {216, 24, 73, 17}},
            {"fun1", "Frame2", "AN", {216, 40, 65, 13}},
            {"fun2", "Frame2", "AUS", {216, 56, 65, 13}},
            {"sayscript", "Frame2", "Informationsscript", {400, 16, 89, 17}},
            {"say1", "Frame2", "AN", {408, 32, 65, 13}},
            {"say2", "Frame2", "AUS", {408, 48, 65, 13}},
            {"Frame1", nullptr, "Plugins", {8, 216, 505, 65}},
            {"plug1", "Frame1", "Korvel Server Plugin Detected", {16, 16, 257, 17}},
            {"plug2", "Frame1", "Server Conf Plugin Detected", {16, 32, 201, 17}},
            {"plug3", "Frame1", "Brisk Plugin Detected", {16, 48, 209, 17}},
            {"plug4", "Frame1", "Unknown Plugin Detected", {344, 16, 145, 17}},
            {"Command5", "Frame1", "Hilfe", {432, 48, 57, 13}},
            {"Label1", nullptr, "Korvel Configurator", {48, 8, 201, 25}},
            {"url", nullptr, "korvel.example", {8, 280, 105, 17}},
            {"Haftungsausschluss", nullptr, "Haftungsausschluss", {424, 280, 97, 17}},
        };
        QStringList names;
        for (const auto &expected : controls) {
            QWidget *widget = control<QWidget>(m, expected.name);
            QCOMPARE(captionOf(widget), QString::fromUtf8(expected.caption));
            QCOMPARE(widget->parentWidget(), expected.parent ? control<QWidget>(m, expected.parent) : m);
            QCOMPARE(widget->geometry(), expected.geometry);
            names << QString::fromLatin1(expected.name);
        }
        // No control under another name, none named twice.
        names.sort();
        QCOMPARE(controlNames(m), names);
        QCOMPARE(control<QPushButton>(m, "Command6")->toolTip(),
                 QStringLiteral("Stellen sie hier die Benutzerdefinierten Töne ein."));
        QCOMPARE(control<QPushButton>(m, "Command7")->toolTip(),
                 QStringLiteral("Stellen sie hier ihre Persönlichen Texte ein."));
        QVERIFY(control<QPushButton>(m, "Command2")->toolTip().isEmpty());

        // The title: white, bold italic, 14.25 points.
        const QLabel *title = control<QLabel>(m, "Label1");
        QVERIFY(title->font().bold());
        QVERIFY(title->font().italic());
        QCOMPARE(title->font().pointSizeF(), 14.25);
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::white));

        // The web address looks like a link, with a pointer of its own.
        const QLabel *url = control<QLabel>(m, "url");
        QCOMPARE(url->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(url->font().underline());
        QCOMPARE(url->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(url->cursor().pixmap().size(), QSize(32, 32));

        // Tab walks the table's buttons and clickable labels in its order,
        // the labels last; a clickable label that has the keyboard shows it.
        QCOMPARE(tabChain(control<QWidget>(m, "Command2")),
                 (QStringList{"Command2", "Command4", "Command6", "Command7", "Command8", "it1", "it2", "Command9",
                              "fun1", "fun2", "say1", "say2", "Command5", "Label1", "url", "Haftungsausschluss"}));
        QVERIFY(QTest::qWaitForWindowActive(m));
        control<QWidget>(m, "Command5")->setFocus();
        for (const char *name : {"Label1", "url", "Haftungsausschluss"}) {
            QLabel *label = control<QLabel>(m, name);
            const QImage unfocused = label->grab().toImage();
            QTest::keyClick(m->focusWidget(), Qt::Key_Tab);
            QVERIFY2(label->hasFocus(), name);
            QVERIFY2(label->grab().toImage() != unfocused, name);
        }
    }

    // Enter presses the focused button, Enter and Space the focused clickable
    // label; other keys do nothing.
    void keysPressTheFocusedControl_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("seen");
        const int enter = Qt::Key_Return;
        QTest::newRow("Restockmenü, Enter") << "Command2" << enter << QStringList{"restock"};
        QTest::newRow("Admin-Mod Menü, keypad Enter") << "Command4" << int(Qt::Key_Enter) << QStringList{"amcm"};
        QTest::newRow("plug-in help, Enter") << "Command5" << enter << QStringList{"message Plugin Information"};
        QTest::newRow("No-Itembuy AN, Enter") << "it1" << enter << QStringList{"itim.kst"};
        QTest::newRow("Restockmenü, Escape") << "Command2" << int(Qt::Key_Escape) << QStringList();
        QTest::newRow("title, Enter") << "Label1" << enter << QStringList{"message About"};
        QTest::newRow("title, Space") << "Label1" << int(Qt::Key_Space) << QStringList{"message About"};
        QTest::newRow("title, A") << "Label1" << int(Qt::Key_A) << QStringList();
        QTest::newRow("web address, Enter") << "url" << enter << QStringList{"https://korvel.example"};
        QTest::newRow("disclaimer, keypad Enter")
            << "Haftungsausschluss" << int(Qt::Key_Enter) << QStringList{"message Haftungsausschluss"};
    }

    void keysPressTheFocusedControl()
    {
        QFETCH(QString, name);
        QFETCH(int, key);
        QFETCH(QStringList, seen);
        PackageFolder folder;
        folder.write(QStringLiteral("pfad.kst"), kPathFile);
        MessageLog messages;
        QStringList opened;
        Platform::setOpenWebAddressHook([&opened](const QString &address) {
            opened << address;
            return 42;
        });
        auto restore = qScopeGuard([] { Platform::setOpenWebAddressHook({}); });
        MainWindow *m = restartConfigurator();
        QVERIFY(QTest::qWaitForWindowExposed(m));

        QWidget *pressed = control<QWidget>(m, qPrintable(name));
        pressed->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pressed, Qt::Key(key));

        QStringList happened;
        addShown<RestockDialog>(happened, "restock");
        addShown<ServerAccessDialog>(happened, "amcm");
        addShown<SoundDialog>(happened, "sound");
        addShown<TextMessageDialog>(happened, "text");
        addShown<PersonalModeDialog>(happened, "funmode");
        addShown<SetupDialog>(happened, "firstrun");
        for (const MessageLog::Entry &entry : messages.entries)
            happened << QStringLiteral("message ") + entry.title;
        happened << opened;
        for (const char *marker : {"say.kst", "fun.kst", "itim.kst"}) {
            if (folder.has(QLatin1String(marker)))
                happened << QLatin1String(marker);
        }
        QCOMPARE(happened, seen);
        QVERIFY(m->isVisible());
    }

    void startupReadsPathFileAndMarkers_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("plugs");    // visible indicators, 1 to 4
        QTest::addColumn<QString>("modules");  // say, fun, it: 1 = on

        QTest::newRow("empty folder") << QStringList() << "" << "000";
        QTest::newRow("only the path file") << QStringList{"pfad.kst"} << "" << "000";
        QTest::newRow("all markers") << QStringList{"pfad.kst", "say.kst", "fun.kst", "itim.kst"} << "" << "111";
        QTest::newRow("only plugin3") << QStringList{"pfad.kst", "plugin3.cfg"} << "3" << "000";
        QTest::newRow("plugins 1 2 4, fun") << QStringList{"pfad.kst", "plugin1.cfg", "plugin2.cfg", "plugin4.cfg", "fun.kst"}
                                           << "124" << "010";
    }

    void startupReadsPathFileAndMarkers()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, plugs);
        QFETCH(QString, modules);

        PackageFolder folder;
        for (const QString &name : files) // a marker of any content, even none, counts
            folder.write(name, name == QLatin1String("pfad.kst") ? kPathFile : QByteArray());
        MainWindow *m = restartConfigurator();

        // Without a path file the setup dialog shows in the main window's place.
        const bool pathFile = files.contains(QStringLiteral("pfad.kst"));
        QCOMPARE(m->isVisible(), pathFile);
        const PathFile &read = m->package().pathFile().file;
        QCOMPARE(read.keyBindings, pathFile ? QStringLiteral("c:\\hl\\cstrike\\gfx\\shell\\kb_act.lst") : QString());
        QCOMPARE(read.commandMenu, pathFile ? QStringLiteral("c:\\hl\\cstrike\\commandmenu.txt") : QString());

        const char *const indicators[] = {"plug1", "plug2", "plug3", "plug4"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(control<QLabel>(m, indicators[i])->isVisibleTo(m), plugs.contains(QString::number(i + 1)));

        const bool say = modules[0] == QLatin1Char('1');
        const bool fun = modules[1] == QLatin1Char('1');
        const bool it = modules[2] == QLatin1Char('1');
        QCOMPARE(control<QPushButton>(m, "say1")->isEnabled(), !say);
        QCOMPARE(control<QPushButton>(m, "say2")->isEnabled(), say);
        QCOMPARE(control<QPushButton>(m, "fun1")->isEnabled(), !fun);
        QCOMPARE(control<QPushButton>(m, "fun2")->isEnabled(), fun);
        QCOMPARE(control<QPushButton>(m, "it1")->isEnabled(), !it);
        QCOMPARE(control<QPushButton>(m, "it2")->isEnabled(), it);
        QCOMPARE(slot(m, PackageModule::Information), say ? QStringLiteral("sayscript") : QString());
        QCOMPARE(slot(m, PackageModule::PersonalMode), fun ? QStringLiteral("fun.cfg") : QStringLiteral("ori.cfg"));
        QCOMPARE(slot(m, PackageModule::ItemBuyBlocker), it ? QStringLiteral("noitembuy") : QString());
    }

    void switchesRoundTrip_data()
    {
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("onValue");
        QTest::addColumn<QString>("offValue");

        QTest::newRow("information") << "say" << "say.kst" << QByteArray("say aktiviert\r\n") << "sayscript" << "";
        QTest::newRow("personal mode") << "fun" << "fun.kst" << QByteArray("fun aktiviert\r\n") << "fun.cfg"
                                       << "ori.cfg";
        QTest::newRow("item buy") << "it" << "itim.kst" << QByteArray("it aktiviert\r\n") << "noitembuy" << "";
    }

    void switchesRoundTrip()
    {
        QFETCH(QString, module);
        QFETCH(QString, marker);
        QFETCH(QByteArray, content);
        QFETCH(QString, onValue);
        QFETCH(QString, offValue);

        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("pfad.kst"), kPathFile);
        MainWindow *m = restartConfigurator();
        const PackageModule which = module == QLatin1String("say")   ? PackageModule::Information
                                    : module == QLatin1String("fun") ? PackageModule::PersonalMode
                                                                     : PackageModule::ItemBuyBlocker;
        auto parts = [&](MainWindow *w) {
            if (module == QLatin1String("say"))
                return std::make_tuple(control<QPushButton>(w, "say1"), control<QPushButton>(w, "say2"));
            if (module == QLatin1String("fun"))
                return std::make_tuple(control<QPushButton>(w, "fun1"), control<QPushButton>(w, "fun2"));
            return std::make_tuple(control<QPushButton>(w, "it1"), control<QPushButton>(w, "it2"));
        };

        auto [on, off] = parts(m);
        QTest::mouseClick(on, Qt::LeftButton);
        QCOMPARE(folder.read(marker), content);
        QCOMPARE(slot(m, which), onValue);
        QVERIFY(!on->isEnabled());
        QVERIFY(off->isEnabled());

        // A restart finds the module on, as the click left it.
        m = restartConfigurator();
        std::tie(on, off) = parts(m);
        QCOMPARE(slot(m, which), onValue);
        QVERIFY(!on->isEnabled());
        QVERIFY(off->isEnabled());

        QTest::mouseClick(off, Qt::LeftButton);
        QVERIFY(!folder.has(marker));
        QCOMPARE(slot(m, which), offValue);
        QVERIFY(on->isEnabled());
        QVERIFY(!off->isEnabled());

        m = restartConfigurator();
        std::tie(on, off) = parts(m);
        QCOMPARE(slot(m, which), offValue);
        QVERIFY(on->isEnabled());
        QVERIFY(!off->isEnabled());
        QVERIFY(messages.entries.isEmpty());
    }

    // What the player sees of a marker that can't be written or removed: the
    // message box and the switch as the next start finds it.
    void markerThatCannotBeWrittenIsReported()
    {
        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("pfad.kst"), kPathFile);
        MainWindow *m = restartConfigurator();

        // A folder where the marker must go: the write fails, root or not. The
        // folder itself counts as a marker at the next start, so the switch
        // shows that instead of what was clicked.
        QVERIFY(QDir().mkdir(QStringLiteral("say.kst")));
        QVERIFY(QDir().mkdir(QStringLiteral("say.kst/inhalt")));
        control<QPushButton>(m, "say1")->click();
        QCOMPARE(messages.entries.size(), 1);
        QCOMPARE(messages.entries[0].title, QStringLiteral("Korvel Configurator"));
        QVERIFY2(messages.entries[0].text.contains(QStringLiteral("say.kst")), qPrintable(messages.entries[0].text));
        QVERIFY(QFileInfo(QStringLiteral("say.kst")).isDir());

        m = restartConfigurator();
        const bool onAfterRestart = !control<QPushButton>(m, "say1")->isEnabled();
        QCOMPARE(slot(m, PackageModule::Information), QStringLiteral("sayscript"));
        QVERIFY(onAfterRestart);

        // Switching off fails too: the folder cannot go, the switch stays on.
        messages.entries.clear();
        control<QPushButton>(m, "say2")->click();
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("say.kst")));
        QCOMPARE(slot(m, PackageModule::Information), QStringLiteral("sayscript"));
        QVERIFY(!control<QPushButton>(m, "say1")->isEnabled());
        QVERIFY(control<QPushButton>(m, "say2")->isEnabled());
    }

    // One configurator per package folder: a second start says so, names the
    // lock file and ends, writing nothing; the lock of one that was killed, or
    // of one on another machine, does not count, and the close gives it up.
    // A lock file that is no regular file is never opened (a FIFO or a device
    // would hang the start): the start names it and goes on.
    void secondStartInTheSameFolderEnds_data()
    {
        QTest::addColumn<QString>("lock");  // what config.lock is before the start
        QTest::addColumn<bool>("special");
        QTest::newRow("live") << "live" << false;
        QTest::newRow("the uninstaller at work") << "uninstaller" << false;
        QTest::newRow("another machine") << "machine" << false;
        QTest::newRow("empty, left by a power cut") << "empty" << false;
        QTest::newRow("garbled") << "garbled" << false;
        QTest::newRow("folder") << "folder" << true;
#ifndef Q_OS_WIN // FIFOs and links are Unix ones here
        QTest::newRow("FIFO") << "fifo" << true;
        QTest::newRow("link to /dev/zero") << "/dev/zero" << true;
        QTest::newRow("link outside") << "outside" << true;
#endif
    }

    void secondStartInTheSameFolderEnds()
    {
        QFETCH(QString, lock);
        QFETCH(bool, special);
        PackageFolder folder;
        QTemporaryDir outside;
        MessageLog messages;
        folder.write(QStringLiteral("pfad.kst"), kPathFile);
        const QString path = QDir(folder.path()).filePath(QStringLiteral("config.lock"));
        QProcess first;
        auto stop = qScopeGuard([&first] { first.kill(); first.waitForFinished(); });
        std::optional<OtherProgram> uninstaller;
        if (lock == QLatin1String("uninstaller")) {
            uninstaller.emplace(QStringLiteral("uninstaller"));
            if (!uninstaller->started())
                QSKIP("no program to run as the uninstaller here (Windows)");
            folder.write(QStringLiteral("config.lock"), uninstaller->lock());
        } else if (lock == QLatin1String("live")) {
#ifdef Q_OS_WIN
            QSKIP("the first configurator runs as a process of its own, which Wine gives no display");
#endif
            first.setWorkingDirectory(folder.path());
            first.start(QStringLiteral(KORVEL_CONFIG), {});
            QVERIFY(first.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(folder.has(QStringLiteral("config.lock")), 20000);
        } else if (lock == QLatin1String("machine")) {  // a running process (this one) on another machine
            folder.write(QStringLiteral("config.lock"),
                         QByteArray::number(QCoreApplication::applicationPid()) + '\n'
                             + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toUtf8()
                             + "\nanderer-rechner\n0123456789abcdef0123456789abcdef\n\n");
        } else if (lock == QLatin1String("empty") || lock == QLatin1String("garbled")) {
            folder.write(QStringLiteral("config.lock"), lock == QLatin1String("empty") ? "" : "\x01kein\nLock\x7f");
            QFile made(path);
            QVERIFY(made.open(QIODevice::ReadWrite));
            QVERIFY(made.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        } else if (lock == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path + QStringLiteral("/inhalt")));
#ifndef Q_OS_WIN
        } else if (lock == QLatin1String("fifo")) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QVERIFY(QFile::link(lock == QLatin1String("outside") ? outside.path() : lock, path));
#endif
        }

        QList<int> ends;
        Platform::setEndProcessHook([&ends](int code) { ends << code; });
        auto restore = qScopeGuard([] { Platform::setEndProcessHook({}); });
        MainWindow *m = restartConfigurator();
        if (lock == QLatin1String("live") || lock == QLatin1String("uninstaller")) {
            QCOMPARE(ends, QList<int>{1});
            QCOMPARE(messages.entries.size(), 1);
            QVERIFY(messages.entries[0].text.contains(lock == QLatin1String("live") ? QStringLiteral("schon geöffnet")
                                                                                    : QStringLiteral("Uninstaller")));
            QVERIFY(messages.entries[0].text.contains(QDir::toNativeSeparators(path)));
            QVERIFY(!m->isVisible());
            QVERIFY(!hasDialog<SetupDialog>());
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), (QStringList{"config.lock", "pfad.kst"}));
            first.kill();
            QVERIFY(lock != QLatin1String("live") || first.waitForFinished());
            uninstaller.reset();
            ends.clear();
            messages.entries.clear();
            m = restartConfigurator();
        }
        QVERIFY(m->isVisible());
        QCOMPARE(messages.entries.size(), int(special));
        QVERIFY(!special || messages.entries[0].text.contains(QDir::toNativeSeparators(path)));
        m->close();
        QCOMPARE(ends, QList<int>{0});
        // The close gives the lock up; what stood there instead stays.
        QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), special);
        QVERIFY(QDir(outside.path()).isEmpty());
    }

    // What an uninstaller running meanwhile leaves: files gone from the
    // package folder, or the folder itself (as older uninstallers removed an
    // emptied qor). What is gone reads as missing, never as a link leading out.
    void packageEmptiedBeforeTheStartReadsAsMissing_data()
    {
        QTest::addColumn<bool>("folderGone");
        QTest::newRow("the path file gone") << false;
        QTest::newRow("the package folder gone") << true;
    }

    void packageEmptiedBeforeTheStartReadsAsMissing()
    {
        QFETCH(bool, folderGone);
#ifdef Q_OS_WIN
        if (folderGone)
            QSKIP("Windows removes no folder that is a process's current directory, as the test's is");
#endif
        PackageFolder folder;
        MessageLog messages;
        folder.write(QStringLiteral("pfad.kst"), kPathFile);
        MainWindow *m = restartConfigurator();
        QVERIFY(m->isVisible());
        dropConfigurator();
        QVERIFY(folderGone ? QDir(folder.path()).removeRecursively()
                           : QFile::remove(QDir(folder.path()).filePath(QStringLiteral("pfad.kst"))));

        m = restartConfigurator();
        QVERIFY2(messages.entries.isEmpty(), qPrintable(messages.entries.value(0).text));
        QVERIFY(!m->package().pathFile().exists);
        QVERIFY(m->package().pathFile().problem.isEmpty());
        // As at a first start: the setup dialog, in the main window's place.
        QVERIFY(hasDialog<SetupDialog>() && dialog<SetupDialog>()->isVisible());
        QVERIFY(!m->isVisible());
    }

    // Started outside its package, the real start says where it was started
    // and where the package is, in the language the package records, and
    // writes nothing anywhere; started in it, it goes on without a word.
    void startOutsideThePackageChangesNothing_data()
    {
        QTest::addColumn<QString>("started");  // below the Half-Life folder
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("in the Half-Life folder") << "" << false;
        QTest::newRow("in cstrike") << "cstrike" << false;
        QTest::newRow("in the package folder") << "cstrike/qor" << true;
    }

    void startOutsideThePackageChangesNothing()
    {
        QFETCH(QString, started);
        QFETCH(bool, goesOn);
        GameTree game;
        MessageLog messages;
        QStringList language(Texts::lineOf(Texts::StartedOutsidePackage));
        language.last() = QStringLiteral("Started in %1, the package is in %2.");
        game.put(QStringLiteral("qor/language.lang"), language.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
        game.put(QStringLiteral("qor/pfad.kst"), "c:\\hl\r\nlanguage.lang\r\n\r\n\r\n");
        game.put(QStringLiteral("qor/config"), "the program");
        const QString folder = QDir(game.halfLife).filePath(started);
        QDir::setCurrent(folder);
        const QStringList before = snapshot(game.folder.path());

        QCOMPARE(MainWindow::startsInPackage(game.qor), goesOn);
        QCOMPARE(snapshot(game.folder.path()), before);
        QVERIFY(PackageFiles::SameFile(QDir::currentPath(), folder));
        if (goesOn) {
            QVERIFY(messages.entries.isEmpty());
            return;
        }
        QCOMPARE(messages.entries.size(), 1);
        QCOMPARE(messages.entries[0].title, QStringLiteral("Korvel Configurator"));
        QCOMPARE(messages.entries[0].text, QStringLiteral("Started in %1, the package is in %2.")
                                               .arg(QDir::toNativeSeparators(QDir::currentPath()),
                                                    QDir::toNativeSeparators(game.qor)));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
