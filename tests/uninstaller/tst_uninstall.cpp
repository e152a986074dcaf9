#include "gamedir.h"
#include "uninstall.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

class TestUninstall : public QObject
{
    Q_OBJECT

private slots:
    void fullUninstall()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        Tree expected = snapshot(".");

        QCOMPARE(uninstallPackage(), QStringList());

        expected["commandmenu.txt"] = QByteArrayLiteral("\"1\" \"Men\xfc\"\r\n{\r\n}\r\n");
        expected["gfx/shell/kb_act.lst"] = QByteArrayLiteral("\"+attack\"\t\"Feuer\"\r\n\0tail");
        expected["valve.rc"] = "exec autoexec.cfg\r\n";
        for (const char *gone : {"qor/varis.cfg", "qor/fun.cfg", "qor/varia.kst", "qor/noextension",
                                 "qor/.hidden.kst", "qor/sub/sub.cfg", "qor/sub/.hidden"})
            QVERIFY(expected.remove(gone));
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

        QCOMPARE(uninstallPackage(), QStringList());
        compareTree(snapshot("."), expectedAfter(before));
    }

    void secondRun()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QCOMPARE(uninstallPackage(), QStringList());
        const Tree afterFirst = snapshot(".");
        QVERIFY(GameDir::put("valve.rc", "changed again"));

        QCOMPARE(uninstallPackage(), QStringList());
        compareTree(snapshot("."), afterFirst);
    }

    void unrestorableGameFiles()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(QDir("gfx").removeRecursively());
        QVERIFY(QFile::remove("backup/valve.rc") && QDir().mkdir("backup/valve.rc"));
        const Tree before = snapshot(".");

        // A backup with nowhere to go, or one that can't be read, is listed,
        // and the game file is not lost on the way.
        QCOMPARE(uninstallPackage(),
                 (QStringList{QDir::toNativeSeparators("gfx/shell/kb_act.lst"), "valve.rc"}));
        Tree expected = expectedAfter(before);
        expected["valve.rc"] = before["valve.rc"];
        compareTree(snapshot("."), expected);
    }

    void undeletableFiles()
    {
        GameDir game;
        QVERIFY(game.makeStandardTree());
        if (!game.lock("qor/fun.cfg"))
            QSKIP("chattr +i failed: needs root and a file system with attributes");
        QVERIFY(game.lock("qor/sub/.hidden"));
        QVERIFY(game.lock("valve.rc"));
        const Tree before = snapshot(".");

        const QStringList left = uninstallPackage();
        QCOMPARE(left, (QStringList{"valve.rc", QDir::toNativeSeparators("qor/fun.cfg"),
                                    QDir::toNativeSeparators("qor/sub/.hidden")}));

        // Every other file goes; the locked ones stay as they were.
        Tree expected = expectedAfter(before);
        for (const char *kept : {"qor/fun.cfg", "qor/sub/.hidden", "valve.rc"})
            expected[kept] = before[kept];
        compareTree(snapshot("."), expected);

        QCOMPARE(completedText(left),
                 QString::fromUtf8("Deinstallation abgeschlossen, einige Elemente konnten nicht "
                                   "vollständig entfernt werden. Bitte löschen sie diese manuell.\n\n")
                     + left.join('\n'));
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
        GameDir game;
        QVERIFY(game.makeStandardTree());
        QVERIFY(GameDir::put(game.outside("target.cfg"), "outside"));
        QVERIFY(GameDir::put(game.outside("folder/inner.cfg"), "inner"));
        QVERIFY(QFile::link(game.outside("target.cfg"), "qor/link.cfg"));
        QVERIFY(QFile::link(game.outside("folder"), "qor/folderlink"));
        QVERIFY(QFile::link(game.outside("gone"), "qor/sub/dangling"));
        if (!linkedFolder.isEmpty()) {
            QVERIFY(QDir().rename(linkedFolder, game.outside("moved")));
            QVERIFY(QFile::link(game.outside("moved"), linkedFolder));
        }
        const Tree before = snapshot(".");
        const Tree outside = snapshot(game.outside(""));

        // File links go as links, folder links stay, nothing outside changes.
        QCOMPARE(uninstallPackage(), QStringList());
        compareTree(snapshot("."), expectedAfter(before));
        compareTree(snapshot(game.outside("")), outside);
    }

    void fullDiskKeepsTheGameFile()
    {
#ifdef Q_OS_LINUX
        if (geteuid() != 0)
            QSKIP("mounting a small tmpfs to fill it needs root");
        QTemporaryDir mountPoint;
        const QString where = mountPoint.path();
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", where}) != 0)
            QSKIP("this machine does not let the test mount a tmpfs");
        auto unmount = qScopeGuard([&] { QProcess::execute("umount", {where}); });

        QTemporaryDir source;
        const QString backup = source.filePath("valve.rc");
        QFile big(backup);
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(QByteArray(2048, 'b'));
        big.close();

        const QString target = where + "/valve.rc";
        QFile game(target);
        QVERIFY(game.open(QIODevice::WriteOnly));
        game.write("exec autoexec.cfg\r\n");
        game.close();

        QFile filler(where + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        // The backup does not fit: the game file must stay whole.
        QVERIFY(!restoreFile(backup, target));
        QVERIFY(game.open(QIODevice::ReadOnly));
        QCOMPARE(game.readAll(), QByteArray("exec autoexec.cfg\r\n"));
        QCOMPARE(QDir(where).entryList(QDir::Files | QDir::Hidden).size(), 2);
#else
        QSKIP("the full-disk test mounts a Linux tmpfs");
#endif
    }
};

QTEST_GUILESS_MAIN(TestUninstall)
#include "tst_uninstall.moc"
