#include "../common/failingfile.h"
#include "../common/fulldisk.h"
#include "../common/markercases.h"
#include "contract.h"
#include "files.h"
#include "gamedir.h"
#include "lockrows.h"
#include "texts.h"
#include "uninstall.h"

#include <QLockFile>
#include <optional>
#include <QtTest>

#include <set>

// The lists of a run: what is left to delete, "--", what to copy back and what was kept.
static QStringList listed(const UninstallResult &result)
{
    if (result.outcome == Outcome::ConfiguratorOpen)
        return {"configurator open"};
    if (result.outcome == Outcome::UninstallerRunning)
        return {"uninstaller running"};
    return result.outcome == Outcome::Done ? result.leftOver + QStringList("--") + result.notRestored + result.kept
                                           : QStringList("nothing done");
}

static const QString kKeptMenu = "commandmenu.txt (nicht die Kopie des Pakets, behalten)";

// Command menus: the standard tree's language copy, one an earlier version of
// the package placed, and the game's own.
static const QByteArray kMenuCopy = "\"1\" \"Menu\"\r\n{\r\n}\r\n";
static const QByteArray kEarlierMenu = "\"1\" \"Altes Menue\"\r\n{\r\n}\r\n";
static const QByteArray kOwnMenu = "// changed by the user, longer than the backup\r\n";
// A key list of the player's own, which no language names.
static const QByteArray kOwnKeys = "\"+attack\"\t\t\"Meins\"\r\n";

static QString notDeleted(const QString &path)
{
    return QDir::toNativeSeparators(path) + QString::fromUtf8(" (lässt sich nicht löschen: Operation not permitted)");
}

static QString copyBack(const QString &backup, const QString &target, bool link = false)
{
    return QDir::toNativeSeparators(backup) + " -> " + QDir::toNativeSeparators(target)
        + (link ? QString::fromUtf8(" (Link außerhalb des Half-Life-Ordners, übersprungen)") : "");
}

class TestUninstall : public QObject
{
    Q_OBJECT

private slots:
    void fullUninstall()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        Tree expected = snapshot(".");

        QCOMPARE(listed(uninstallPackage()), QStringList("--"));

        expected["commandmenu.txt"] = QByteArrayLiteral("\"1\" \"Men\xfc\"\r\n{\r\n}\r\n");
        expected["gfx/shell/kb_act.lst"] = QByteArrayLiteral("\"+attack\"\t\"Feuer\"\r\n\0tail");
        expected["valve.rc"] = "exec autoexec.cfg\r\n";
        for (const char *gone : {"qor/varis.cfg", "qor/fun.cfg", "qor/varia.kst", "qor/noextension",
                                 "qor/.hidden.kst", "qor/english.lang", "qor/english_kb_act.lst",
                                 "qor/english_commandmenu.txt", "qor/sub/sub.cfg", "qor/sub/.hidden"})
            QVERIFY(expected.remove(gone));
        // Beside the game's files only the leftover temporary files go, no name that looks alike.
        for (const QString &name : expected.keys()) {
            if (isLeftover(QFileInfo(name).fileName()))
                expected.remove(name);
        }
        // Backups, folders and other subfolders of qor stay; no temporary file is left.
        compareTree(snapshot("."), expected);
    }

    void missingParts_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::newRow("no backup folder") << "backup";
        QTest::newRow("one backup missing") << "backup/kb_act.lst";
        QTest::newRow("no qor folder") << "qor";
        QTest::newRow("no qor/sub folder") << "qor/sub";
    }
    void missingParts()
    {
        QFETCH(QString, removed);
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(QFileInfo(removed).isDir() ? QDir(removed).removeRecursively() : QFile::remove(removed));
        const Tree before = snapshot(".");

        QCOMPARE(listed(uninstallPackage()), QStringList("--"));
        compareTree(snapshot("."), expectedAfter(before));
    }

    void secondRun()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QCOMPARE(listed(uninstallPackage()), QStringList("--"));
        const Tree afterFirst = snapshot(".");
        QVERIFY(GameDir::put("valve.rc", "changed again"));

        QCOMPARE(listed(uninstallPackage()), QStringList("--"));
        compareTree(snapshot("."), afterFirst);
    }

    void unrestorableGameFiles_data()
    {
        QTest::addColumn<QString>("path"); // made unusable
        QTest::addColumn<QString>("as"); // "gone", "folder" or "FIFO"
        QTest::addColumn<QString>("target"); // the game file not restored
        QTest::newRow("no folder for the game file") << "gfx" << "gone" << "gfx/shell/kb_act.lst";
        QTest::newRow("backup is a folder") << "backup/valve.rc" << "folder" << "valve.rc";
        QTest::newRow("backup is a FIFO") << "backup/valve.rc" << "FIFO" << "valve.rc";
    }
    void unrestorableGameFiles()
    {
        QFETCH(QString, path);
        QFETCH(QString, as);
        QFETCH(QString, target);
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path));
        if (as == "folder")
            QVERIFY(QDir().mkdir(path));
        else if (as == "FIFO" && !GameDir::makeFifo(path))
            QSKIP("this system has no FIFOs");
        const Tree before = snapshot(".");

        // A backup with nowhere to go, or one that can't be read, is listed
        // apart from what is left to delete, and the game file is not lost on
        // the way; a FIFO is never opened, so the run does not wait for a writer.
        QCOMPARE(listed(uninstallPackage()),
                 (QStringList{"--", copyBack("backup/" + QFileInfo(target).fileName(), target)}));
        Tree expected = expectedAfter(before);
        if (before.contains(target))
            expected[target] = before[target];
        compareTree(snapshot("."), expected);
    }

    void undeletableFiles()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        if (!game.lock("qor/fun.cfg"))
            QSKIP("chattr +i failed: needs root and a file system with attributes");
        QVERIFY(game.lock("qor/sub/.hidden"));
        QVERIFY(game.lock("gfx/shell/" + kLeftover));
        QVERIFY(game.lock("valve.rc"));
        const Tree before = snapshot(".");

        const UninstallResult result = uninstallPackage();
        const QStringList left{notDeleted("gfx/shell/" + kLeftover), notDeleted("qor/fun.cfg"),
                               notDeleted("qor/sub/.hidden")};
        QCOMPARE(listed(result), (left + QStringList{"--", copyBack("backup/valve.rc", "valve.rc")}));

        // Every other file goes; the locked ones stay as they were.
        Tree expected = expectedAfter(before);
        for (const QString &kept : QStringList{"qor/fun.cfg", "qor/sub/.hidden", "gfx/shell/" + kLeftover, "valve.rc"})
            expected[kept] = before[kept];
        compareTree(snapshot("."), expected);

        // The game file is not among what the user is asked to delete; what
        // stays apart from both, each with its reason.
        QCOMPARE(completedText(result),
                 QString::fromUtf8("Deinstallation abgeschlossen, einige Elemente konnten nicht "
                                   "vollständig entfernt werden. Bitte löschen sie diese manuell.\n\n")
                     + left.join('\n')
                     + QString::fromUtf8("\n\nDiese Spieldateien wurden nicht wiederhergestellt. Bitte "
                                         "nicht löschen, sondern die Sicherung von Hand darüber kopieren:\n")
                     + copyBack("backup/valve.rc", "valve.rc") + "\n\n"
                     + "qor (Ordner nicht leer, behalten)\n"
                     + QDir::toNativeSeparators("qor/sub (Ordner nicht leer, behalten)\n")
                     + QString::fromUtf8("backup (die Originaldateien des Spiels, absichtlich behalten)\n")
                     + QDir::toNativeSeparators(QCoreApplication::applicationFilePath())
                     + QString::fromUtf8(" (der Uninstaller selbst, er kann sich nicht löschen, während er läuft)"));
    }

    void links_data()
    {
        QTest::addColumn<QString>("linkedFolder");
        QTest::newRow("links in qor") << QString();
        QTest::newRow("qor/sub is a link") << "qor/sub";
        QTest::newRow("qor is a link") << "qor";
    }
    void links()
    {
        QFETCH(QString, linkedFolder);
#ifdef Q_OS_WIN
        QSKIP("symbolic links need rights a test can't count on under Windows");
#endif
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(GameDir::put(game.outside("target.cfg"), "outside"));
        QVERIFY(GameDir::put(game.outside("folder/inner.cfg"), "inner"));
        QVERIFY(QFile::link(game.outside("target.cfg"), "qor/link.cfg"));
        QVERIFY(QFile::link(game.outside("folder"), "qor/folderlink"));
        QVERIFY(QFile::link(game.outside("gone"), "qor/sub/dangling"));
        QVERIFY(QFile::remove(kLeftover) && QFile::link(game.outside("target.cfg"), kLeftover));
        if (!linkedFolder.isEmpty()) {
            QVERIFY(QDir().rename(linkedFolder, game.outside("moved")));
            QVERIFY(QFile::link(game.outside("moved"), linkedFolder));
        }
        const Tree before = snapshot(".");
        const Tree outside = snapshot(game.outside(""));

        // File links go as links, folder links stay, nothing outside changes;
        // a linked package folder is left to the user, and named.
        QCOMPARE(listed(uninstallPackage()),
                 (linkedFolder.isEmpty()
                      ? QStringList("--")
                      : QStringList{QDir::toNativeSeparators(linkedFolder)
                                        + QString::fromUtf8(" (ein Link, nicht verfolgt: was darin liegt, "
                                                            "wurde nicht gelöscht)"),
                                    "--"}));
        compareTree(snapshot("."), expectedAfter(before));
        compareTree(snapshot(game.outside("")), outside);
    }

    void fullDiskKeepsTheGameFile()
    {
        FullDisk disk("64k");
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        QTemporaryDir source;
        const QString backup = source.filePath("valve.rc");
        const QString target = disk.path() + "/valve.rc";
        QVERIFY(GameDir::put(backup, QByteArray(2048, 'b')));
        QVERIFY(GameDir::put(target, "exec autoexec.cfg\r\n"));
        disk.fill();

        // The backup does not fit: the game file must stay whole.
        QVERIFY(!restoreFile(backup, target));
        QFile game(target);
        QVERIFY(game.open(QIODevice::ReadOnly));
        QCOMPARE(game.readAll(), QByteArray("exec autoexec.cfg\r\n"));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void linksOutside_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("to"); // what was at link moves there
        QTest::addColumn<bool>("dangling"); // and is deleted
        QTest::addColumn<QString>("target"); // the game file concerned
        QTest::newRow("game file linked outside")
            << "commandmenu.txt" << "outside/menu.txt" << false << "commandmenu.txt";
        QTest::newRow("dangling game file link") << "valve.rc" << "outside/new.rc" << true << "valve.rc";
        QTest::newRow("backup linked to a private file")
            << "backup/valve.rc" << "outside/private.rc" << false << "valve.rc";
        QTest::newRow("game folder linked outside") << "gfx" << "outside/gfx" << false << "gfx/shell/kb_act.lst";
        QTest::newRow("inside, through a linked Half-Life folder")
            << "backup/valve.rc" << "steam/cstrike/backup/real.rc" << false << "valve.rc";
    }
    void linksOutside()
    {
#ifdef Q_OS_WIN
        QSKIP("symbolic links need rights a test can't count on under Windows");
#endif
        QFETCH(QString, link);
        QFETCH(QString, to);
        QFETCH(bool, dangling);
        QFETCH(QString, target);
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(QDir().rename(link, game.root(to)) && (!dangling || QFile::remove(game.root(to))));
        QVERIFY(QFile::link(game.root(to), link));
        const Tree before = snapshot(".");
        const Tree outside = snapshot(game.outside(""));
        const bool restored = !to.startsWith("outside");

        QCOMPARE(listed(uninstallPackage()),
                 (restored ? QStringList("--")
                           : QStringList{"--", copyBack("backup/" + QFileInfo(target).fileName(), target, true)}));
        Tree expected = expectedAfter(before);
        if (restored)
            expected[target] = snapshot(game.root("steam/cstrike/backup")).value("real.rc");
        else if (before.contains(target))
            expected[target] = before[target];
        compareTree(snapshot("."), expected);
        compareTree(snapshot(game.outside("")), outside);
    }

    void noOriginal_data()
    {
        const auto record = [](const QByteArray &bytes) {
            return "sha256 " + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + "\r\n";
        };
        QTest::addColumn<QString>("menu"); // what commandmenu.txt is
        QTest::addColumn<QByteArray>("marker"); // backup/commandmenu.txt.none
        QTest::addColumn<QStringList>("listing");
        QTest::newRow("the package's copy") << "copy" << QByteArray() << QStringList("--");
        QTest::newRow("the package's copy, language with LF line ends") << "copy-lf" << QByteArray() << QStringList("--");
        QTest::newRow("the package's copy, language with one LF among CR LF")
            << "copy-mixed" << QByteArray() << QStringList("--");
        QTest::newRow("the game's own file") << "own" << QByteArray() << QStringList{"--", kKeptMenu};
        QTest::newRow("equal to a package file no language names")
            << "unnamed" << QByteArray() << QStringList{"--", kKeptMenu};
        // Left to delete by hand, not to copy over.
        QTest::newRow("the package's copy, undeletable")
            << "locked" << QByteArray() << QStringList{notDeleted("commandmenu.txt"), "--"};
        // A list an earlier version placed, which no language names any more.
        QTest::newRow("an earlier copy, its checksum recorded")
            << "earlier" << "written by the configurator\r\n" + record(kMenuCopy) + record(kEarlierMenu)
            << QStringList("--");
        // Only a record as the configurator writes it counts.
        QTest::newRow("the game's own file, matching no record")
            << "own" << record(kEarlierMenu) + record(kOwnMenu).toUpper() << QStringList{"--", kKeptMenu};
        // Where the game had none there is no backup to copy over it either.
        QTest::newRow("a link leading outside")
            << "link" << record(kMenuCopy)
            << QStringList{"--", QString::fromUtf8("commandmenu.txt (Link außerhalb des Half-Life-Ordners, übersprungen)")};
    }
    void noOriginal()
    {
        QFETCH(QString, menu);
        QFETCH(QByteArray, marker);
        QFETCH(QStringList, listing);
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(QFile::remove("backup/commandmenu.txt") && QFile::remove("backup/valve.rc"));
        for (const char *name : {"commandmenu.txt", "kb_act.lst", "valve.rc"})
            QVERIFY(GameDir::put(QString("backup/%1.none").arg(name), ""));
        QVERIFY(GameDir::put("backup/commandmenu.txt.none", marker));
        QVERIFY(GameDir::put("commandmenu.txt", menu == "earlier" ? kEarlierMenu : kOwnMenu));
        if (menu.startsWith("copy") || menu == "locked")
            QVERIFY(QFile::remove("commandmenu.txt") && QFile::copy("qor/english_commandmenu.txt", "commandmenu.txt"));
        if (menu == "copy-lf" || menu == "copy-mixed") {
            QFile language("qor/english.lang");
            QVERIFY(language.open(QIODevice::ReadOnly));
            QByteArray text = language.readAll();
            if (menu == "copy-lf")
                text.replace("\r\n", "\n");
            else
                text.replace(text.indexOf("\r\n"), 2, "\n");
            QVERIFY(GameDir::put("qor/english.lang", text));
        }
        else if (menu == "unnamed")
            QVERIFY(QFile::copy("commandmenu.txt", "qor/readme.txt"));
        if (menu == "locked" && !game.lock("commandmenu.txt"))
            QSKIP("chattr +i failed: needs root and a file system with attributes");
        if (menu == "link") {
#ifdef Q_OS_WIN
            QSKIP("symbolic links need rights a test can't count on under Windows");
#endif
            QVERIFY(GameDir::put(game.outside("menu.txt"), kMenuCopy));
            QVERIFY(QFile::remove("commandmenu.txt") && QFile::link(game.outside("menu.txt"), "commandmenu.txt"));
        }
        const Tree before = snapshot(".");
        const Tree outside = snapshot(game.outside(""));

        // Where the game had none, only the package's copy goes; a backup
        // beside its marker still counts; valve.rc always comes with the game and stays.
        QCOMPARE(listed(uninstallPackage()), listing);
        Tree expected = expectedAfter(before);
        if (listing == QStringList("--"))
            expected.remove("commandmenu.txt");
        compareTree(snapshot("."), expected);
        compareTree(snapshot(game.outside("")), outside);
    }

    // The path file and the language it names, read by the rules the
    // configurator reads them by: the table both programs' tests run.
    void filesAreReadAsTheConfiguratorReadsThem_data()
    {
        QTest::addColumn<int>("index");
        const QList<ContractRow> rows = ContractRows();
        for (int index = 0; index < rows.size(); ++index)
            QTest::addRow("%s: %s", rows[index].rule, rows[index].row) << index;
    }
    void filesAreReadAsTheConfiguratorReadsThem()
    {
        QFETCH(int, index);
        const ContractRow row = ContractRows().at(index);
        ContractFolders folders;
        std::unique_ptr<FailingFile> failure;
        QString skip;
        if (!folders.place(row, &failure, &skip)) {
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QFAIL("the row could not be laid out");
        }
        QVERIFY(QDir::setCurrent(folders.cstrike()));

        // As the texts are taken.
        QList<QByteArray> bytes;
        const bool read = Texts::readLanguage(Texts::recordedLanguage(), &bytes);
        QStringList lines;
        for (const QByteArray &line : bytes)
            lines << fromWindows1252(line);
        QCOMPARE(read ? lines : QStringList(), row.lines);
        QCOMPARE(read, !row.lines.isEmpty());
        QVERIFY(!failure || failure->failed());
    }

    // Markers are read as the configurator reads them, by the table both test.
    void markersAreJudgedAsTheConfiguratorJudgesThem_data()
    {
        QTest::addColumn<QByteArray>("marker");
        QTest::addColumn<int>("verdict");
        for (const MarkerCase &row : MarkerCases(kOwnKeys))
            QTest::newRow(row.row) << row.marker << int(row.verdict);
    }
    void markersAreJudgedAsTheConfiguratorJudgesThem()
    {
        QFETCH(QByteArray, marker);
        QFETCH(int, verdict);
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(QFile::remove("backup/kb_act.lst"));
        QVERIFY(GameDir::put("gfx/shell/kb_act.lst", kOwnKeys));
        if (marker == "<dir>")
            QVERIFY(QDir().mkdir("backup/kb_act.lst.none"));
        else if (marker == "<fifo>" && !GameDir::makeFifo("backup/kb_act.lst.none"))
            QSKIP("this system has no FIFOs");
        else if (!marker.startsWith('<'))
            QVERIFY(GameDir::put("backup/kb_act.lst.none", marker));
        const Tree before = snapshot(".");

        const QString list = QDir::toNativeSeparators("gfx/shell/kb_act.lst");
        const QStringList kept{
            "--", list + QString::fromUtf8(" (nicht die Kopie des Pakets, behalten)"),
            list + " (" + Texts::builtIn(Texts::NotJudged).arg(QDir::toNativeSeparators("backup/kb_act.lst.none")) + ')'};
        const QStringList expectedListing = verdict == int(MarkerVerdict::PackageCopy) ? QStringList("--")
            : verdict == int(MarkerVerdict::GamesOwn) ? kept.mid(0, 2)
                                                      : QStringList{kept[0], kept[2]};
        QCOMPARE(listed(uninstallPackage()), expectedListing);
        Tree expected = expectedAfter(before);
        if (verdict == int(MarkerVerdict::PackageCopy))
            expected.remove("gfx/shell/kb_act.lst");
        compareTree(snapshot("."), expected);
    }

    // A game file that is no regular file (a link, even one within the game,
    // a folder, a FIFO), or one that can't be read, is never the package's:
    // it stays as it is, and is named.
    void gameFilesThatAreNoFilesStay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("as");      // "fifo", "folder", "link" (to a file in cstrike), "unreadable"
        QTest::addColumn<bool>("backedUp");  // else the game had none: a marker records the copy
        QTest::newRow("a FIFO, backed up") << "valve.rc" << "fifo" << true;
        QTest::newRow("a folder, backed up") << "commandmenu.txt" << "folder" << true;
        QTest::newRow("a link within the game, backed up") << "gfx/shell/kb_act.lst" << "link" << true;
        QTest::newRow("a link within the game, marked") << "gfx/shell/kb_act.lst" << "link" << false;
        QTest::newRow("a FIFO, marked") << "gfx/shell/kb_act.lst" << "fifo" << false;
        QTest::newRow("unreadable this once, marked") << "gfx/shell/kb_act.lst" << "unreadable" << false;
    }
    void gameFilesThatAreNoFilesStay()
    {
        QFETCH(QString, target);
        QFETCH(QString, as);
        QFETCH(bool, backedUp);
#ifdef Q_OS_WIN
        if (as != "folder")
            QSKIP("FIFOs, symbolic links and the read hook are not what a Windows test can have");
#endif
        GameDir game;
        QVERIFY(game.makeStandardTree());
        const QString backup = "backup/" + QFileInfo(target).fileName();
        if (!backedUp) {
            QVERIFY(QFile::remove(backup));
            QVERIFY(GameDir::put(backup + ".none", MarkerRecord("\"+attack\"\t\"Fire\"\r\n") + "\r\n"));
        }
        QVERIFY(QFile::remove(target));
        if (as == "fifo" && !GameDir::makeFifo(target))
            QSKIP("this system has no FIFOs");
        if (as == "folder")
            QVERIFY(QDir().mkpath(target + "/inside"));
        if (as == "link") {
            QVERIFY(QFile::copy("qor/english_kb_act.lst", "mykeys.lst"));
            QVERIFY(QFile::link(QFileInfo("mykeys.lst").absoluteFilePath(), target));
        }
        if (as == "unreadable")
            QVERIFY(QFile::copy("qor/english_kb_act.lst", target));
        const Tree before = snapshot(".");

        std::optional<FailingFile> fail;
        if (as == "unreadable") {
            if (!FailingFile::available())
                QSKIP("the read hook stands in for the C library's open and read, on Linux");
            fail.emplace(target, FailingFile::Open, EIO);
        }
        const QString note = as == "unreadable"
            ? Texts::builtIn(Texts::NotJudged).arg(QDir::toNativeSeparators(target))
            : Texts::builtIn(Texts::NoRegularFile);
        QCOMPARE(listed(uninstallPackage()), (QStringList{"--", QDir::toNativeSeparators(target) + " (" + note + ')'}));
        QVERIFY(!fail || fail->failed());
        Tree expected = expectedAfter(before);
        expected[target] = before[target];
        if (as == "link")
            expected["mykeys.lst"] = before["mykeys.lst"];
        compareTree(snapshot("."), expected);
    }

    void lock_data()
    {
        QTest::addColumn<QByteArray>("lock"); // qor/config.lock; "<configurator>": a live program's but this one's
        QTest::addColumn<int>("age"); // seconds since it was written
        QTest::addColumn<QString>("verdict"); // as listed
        QTest::addColumn<int>("shared"); // the row of LockRows(), judged as the configurator judges it; -1: none
        QTest::newRow("held by a running configurator") << QByteArray("<configurator>") << 0 << "configurator open" << -1;
        // Two uninstallers started at once: the second names the first.
        QTest::newRow("held by another uninstaller") << QByteArray("<running>") << 0 << "uninstaller running" << -1;
        QTest::newRow("empty, being written this instant") << QByteArray() << 0 << "configurator open" << -1;
        QTest::newRow("empty, left by a power cut") << QByteArray() << 3600 << "--" << -1;
        QTest::newRow("garbage") << QByteArray("garbage\r\n") << 3600 << "--" << -1;
        QTest::newRow("of another machine") << QByteArray::number(QCoreApplication::applicationPid())
                + "\ntst_uninstall\nother-host\nother-machine-id\n" << 0 << "--" << -1;
        // Never opened, so no configurator can be told; removed as the package file it is.
        QTest::newRow("a FIFO") << QByteArray("<fifo>") << 0 << "--" << -1;
        const QList<LockRow> rows = LockRows();
        for (int index = 0; index < rows.size(); ++index)
            QTest::addRow("as the configurator judges it: %s", rows[index].row) << QByteArray() << 0 << QString() << index;
    }
    void lock()
    {
        QFETCH(QByteArray, lock);
        QFETCH(int, age);
        QFETCH(QString, verdict);
        QFETCH(int, shared);
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QFile file("qor/config.lock");
        QLockFile uninstaller(file.fileName()); // names this process, which is alive
        OtherProgram configurator;
        if (shared >= 0) {
            const LockRow row = LockRows().at(shared);
            QString skip;
            if (!makeLock(row, file.fileName(), game.outside(""), &skip)) {
                if (!skip.isEmpty())
                    QSKIP(qPrintable(skip));
                QFAIL("the lock could not be made");
            }
            // The same verdict; which program it names is told apart below.
            verdict = !row.held ? "--" : row.content.isEmpty() ? "configurator open" : "uninstaller running";
        } else if (lock == "<running>") {
            QVERIFY(uninstaller.tryLock(0));
        } else if (lock == "<configurator>") {
            if (!configurator.started())
                QSKIP("this system has no sleep program to stand for the configurator");
            QVERIFY(GameDir::put(file.fileName(), configurator.lock()));
        } else if (lock == "<fifo>" && !GameDir::makeFifo(file.fileName())) {
            QSKIP("this system has no FIFOs");
        } else if (!lock.startsWith('<')) {
            QVERIFY(GameDir::put(file.fileName(), lock));
        }
        if (age)
            QVERIFY(file.open(QIODevice::ReadWrite)
                    && file.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime));
        file.close();
        const Tree before = snapshot(".");

        QCOMPARE(listed(uninstallPackage()), QStringList(verdict));
        compareTree(snapshot("."), verdict == "--" ? expectedAfter(before) : before);
    }

    // Held while the uninstaller works, so that no configurator starts
    // meanwhile; its file goes last.
    void lockHeldWhileWorking()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QStringList filesLeft;
        bool taken = true;
        setLockHeldHook([&] {
            filesLeft = QDir("qor").entryList(QDir::Files | QDir::Hidden | QDir::System);
            QLockFile configurator("qor/config.lock");
            configurator.setStaleLockTime(0);
            taken = configurator.tryLock(0);
        });
        const auto noHook = qScopeGuard([] { setLockHeldHook({}); });

        QCOMPARE(listed(uninstallPackage()), QStringList("--"));
        QCOMPARE(filesLeft, QStringList("config.lock"));
        QVERIFY(!taken);
        QVERIFY(!QFileInfo::exists("qor/config.lock"));
    }

    // A package folder that can't be listed may hide the package's files: named, not passed over.
    void unreadableFolder()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(QDir("qor").removeRecursively() && GameDir::put("qor", "no folder"));
        const Tree before = snapshot(".");
        QCOMPARE(listed(uninstallPackage()),
                 (QStringList{QString::fromUtf8("qor (kein lesbarer Ordner, was darin liegt, wurde nicht gelöscht)"),
                              "--"}));
        compareTree(snapshot("."), expectedAfter(before));
    }

    // The uninstaller's texts come from lines 77 on of the language the
    // configurator recorded; where it gives none, the German stays.
    void languageTexts_data()
    {
        QTest::addColumn<QString>("language"); // line 2 of qor/pfad.kst
        QTest::addColumn<QByteArray>("line"); // the language's line of the closing text
        QTest::addColumn<QString>("shown"); // empty: the built-in German
        QTest::newRow("given") << "test.lang" << QByteArray("Done.") << "Done.";
        QTest::newRow("empty") << "test.lang" << QByteArray() << QString();
        QTest::newRow("another placeholder") << "test.lang" << QByteArray("Done %1") << QString();
        QTest::newRow("line breaks as \\n, Windows-1252")
            << "test.lang" << QByteArray("Done\\n\x96 all \x80") << QString::fromUtf8("Done\n– all €");
        QTest::newRow("longer than a reader keeps") << "test.lang" << QByteArray(100000, 'x') << QString(4096, 'x');
        QTest::newRow("no bare name") << "../qor/test.lang" << QByteArray("Done.") << QString();
        // Never opened: it would wait for a writer.
        QTest::newRow("a FIFO") << "test.lang" << QByteArray("<fifo>") << QString();
    }
    void languageTexts()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, line);
        QFETCH(QString, shown);
        // Run last, when the game folder is gone: the German again for the other tests.
        const auto german = qScopeGuard([] { Texts::useRecordedLanguage(); });
        GameDir game;
        QList<QByteArray> lines(Texts::lineOf(Texts::Count) - 1, "caption");
        lines[Texts::lineOf(Texts::Completed) - 1] = line;
        const QByteArray bytes = lines.join("\r\n") + "\r\n";
        QVERIFY(GameDir::put("qor/pfad.kst", "C:\\Sierra\\Half-Life\r\n" + language.toUtf8() + "\r\n"));
        if (line != "<fifo>")
            QVERIFY(GameDir::put("qor/test.lang", bytes));
        else if (!GameDir::makeFifo("qor/test.lang"))
            QSKIP("this system has no FIFOs");
        Texts::useRecordedLanguage();
        QCOMPARE(Texts::get(Texts::Completed), shown.isEmpty() ? Texts::builtIn(Texts::Completed) : shown);
    }

    // deutsch.lang gives every German text as built in, english.lang each in
    // English. The button and the titles are built in English: deutsch.lang
    // gives them in German, and the window's text names its button.
    void shippedLanguages()
    {
        const std::set<Texts::Id> english{Texts::StartButton, Texts::CompletedTitle, Texts::ConfiguratorOpenTitle,
                                          Texts::UninstallerRunningTitle, Texts::WrongFolderTitle};
        for (const char *name : {"deutsch.lang", "english.lang"}) {
            QFile file(QStringLiteral(KORVEL_LANGUAGES "/") + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            // The configurator's messages added since follow the uninstaller's lines.
            const QList<QByteArray> lines = file.readAll().split('\n');
            QVERIFY(lines.size() >= Texts::lineOf(Texts::Count));
            const bool deutsch = name[0] == 'd';
            for (int id = 0; id < Texts::Count; ++id) {
                const QByteArray line = lines.at(Texts::lineOf(Texts::Id(id)) - 1).chopped(1);
                const bool asBuiltIn = Texts::fromLanguage(line, Texts::Id(id)) == Texts::builtIn(Texts::Id(id));
                const bool builtInEnglish = english.count(Texts::Id(id)) != 0;
                const bool namesButton = deutsch && id == Texts::Explanation;
                QVERIFY2(!line.isEmpty() && asBuiltIn == (deutsch != builtInEnglish && !namesButton), line.constData());
            }
        }
    }

    void readOnlyOnWindows()
    {
#ifndef Q_OS_WIN
        QSKIP("only Windows refuses to delete a read-only file");
#endif
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(QFile::remove("backup/commandmenu.txt") && GameDir::put("backup/commandmenu.txt.none", ""));
        QVERIFY(QFile::remove("commandmenu.txt") && QFile::copy("qor/english_commandmenu.txt", "commandmenu.txt"));
        const QStringList readOnly{"qor/fun.cfg", "qor/sub/sub.cfg", "commandmenu.txt", "gfx/shell/" + kLeftover};
        for (const QString &path : readOnly)
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
        QCOMPARE(listed(uninstallPackage()), QStringList("--"));
        for (const QString &path : readOnly)
            QVERIFY2(!QFileInfo::exists(path), qPrintable(path));
    }
};

QTEST_GUILESS_MAIN(TestUninstall)
#include "tst_uninstall.moc"
