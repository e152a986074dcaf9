#include "contract.h"
#include "failingfile.h"
#include "fulldisk.h"
#include "gamefolder.h"
#include "gamefiles.h"
#include "language.h"
#include "markercases.h"
#include "package.h"
#include "packagefiles.h"
#include "pathfile.h"
#include "textfiles.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

namespace {

// The same list as an earlier version of the package shipped it.
const QByteArray kEarlierKeys = "\"+attack\"\t\t\"Shoot\"\r\n";
const QByteArray kOtherKeys = "\"+jump\"\t\"Hop\"\r\n";

// The temporary folder, made before the game tree in it.
struct TemporaryRoot
{
    QTemporaryDir root;
};

// A game tree of its own; the current directory plays no part.
struct Game : TemporaryRoot, GameFolder
{
    Game()
        : GameFolder(root.path())
    {
    }
    // Another language of the package, naming only its key list.
    void installOther() const
    {
        put(QStringLiteral("qor/other_kb_act.lst"), kOtherKeys);
        put(QStringLiteral("qor/other.lang"), QByteArray("\r\n").repeated(20) + "other_kb_act.lst\r\n");
    }
};

// A start of the package: the path file read, the recorded language applied
// with the command menu.
struct Start
{
    Package package;
    LanguageOutcome outcome;

    explicit Start(const QString &qor)
        : package(qor)
    {
        package.readPathFile();
        if (!package.recordedLanguage().isEmpty())
            outcome = package.applyLanguage(true);
    }
    // Nothing worth a word at a start: the language usable, every game file judged.
    bool quiet() const { return outcome.unusable.isEmpty() && outcome.unjudged.isEmpty(); }
};

bool quietStart(const QString &qor)
{
    return Start(qor).quiet();
}

// "Save and Go" in the setup dialog, after a start: the Half-Life folder
// judged, the path file written, the language applied with the command menu.
struct Save
{
    Package package;
    bool refused = false;
    LanguageOutcome outcome;

    Save(const QString &qor, const QString &halfLife, const QString &language)
        : package(qor)
    {
        package.readPathFile();
        QString error;
        refused = package.halfLifeFolderFault(halfLife).has_value()
                  || !package.recordPathFile(halfLife, package.languageToRecord(language), &error);
        if (!refused)
            outcome = package.applyLanguage(true);
    }
    // What the player is told of the game files: "" for nothing.
    QString said() const { return LanguageProblems(package.language(), outcome).join(QLatin1Char('\n')); }
};

} // namespace

// The language step's rules for the game files, on a package in a game tree
// of its own: backups, markers and records, files that can't be read or are
// no regular files, links leading out, path-file lines, a full disk.
class TestGameFiles : public QObject
{
    Q_OBJECT

private slots:
    // A folder or file name with "%2" in it is shown as it is, in every
    // message that names several things.
    void messagesShowNamesAsTheyAre_data()
    {
        QTest::addColumn<QString>("keyBindings");  // line 3 of the path file, below the Half-Life folder
        QTest::addColumn<QString>("copy");         // line 21 of the language file
        QTest::newRow("not the game file") << "\\cstrike\\valve.rc" << "x.lst";
        QTest::newRow("no copy named") << "\\cstrike\\gfx\\shell\\kb_act.lst" << "";
        QTest::newRow("no bare file name") << "\\cstrike\\gfx\\shell\\kb_act.lst" << "sub%1\\x%2.lst";
        QTest::newRow("copy missing") << "\\cstrike\\gfx\\shell\\kb_act.lst" << "fehlt%2.lst";
    }
    void messagesShowNamesAsTheyAre()
    {
        QFETCH(QString, keyBindings);
        QFETCH(QString, copy);
        QTemporaryDir root;
        const QString halfLife = root.filePath(QStringLiteral("Half%1Life%2"));
        QVERIFY(QDir().mkpath(halfLife + QStringLiteral("/cstrike/gfx/shell")));
        QVERIFY(QDir().mkpath(halfLife + QStringLiteral("/cstrike/qor")));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(halfLife + QStringLiteral("/cstrike/qor"));
        auto back = qScopeGuard([&] { QDir::setCurrent(previous); });

        PathFile pathFile = PathFile::For(halfLife, QStringLiteral("a%2b.lang"));
        pathFile.keyBindings = halfLife + keyBindings;
        QStringList language(22);
        language[20] = copy;
        const QString qor = QDir::currentPath();
        const LanguageOutcome outcome = ReplaceGameFiles(Language(), language, pathFile.language, pathFile, qor,
                                                         PackageFiles::BoundingFolder(halfLife, qor), false);
        QCOMPARE(outcome.problems.size(), 1);
        const QString problem = outcome.problems[0];
        QVERIFY2(problem.contains(QDir::toNativeSeparators(LocalPath(pathFile.keyBindings))), qPrintable(problem));
        QVERIFY2(keyBindings.endsWith(QLatin1String("valve.rc")) || problem.contains(pathFile.language),
                 qPrintable(problem));
        QVERIFY(outcome.replaced.isEmpty());
    }

    // The backup holds the game's list as it was before the package last
    // replaced it: a list that is neither the backup nor one of the package's
    // copies (the player's own after an uninstall and a new install, or the
    // game's, updated) becomes the backup, and the backup before is put aside,
    // never lost. Copies the package placed are recorded beside the backup.
    void aBackupIsNeverLost_data()
    {
        QTest::addColumn<QString>("file");     // below cstrike
        QTest::addColumn<QByteArray>("game");  // at the start; empty: none
        QTest::addColumn<QString>("before");   // "earlier copy": an earlier version's list placed first
        QTest::addColumn<bool>("newBackup");

        const QString keys = QStringLiteral("gfx/shell/kb_act.lst");
        const QByteArray own = kOwnKeys;
        QTest::newRow("the player's own list") << keys << own << "" << true;
        QTest::newRow("the backup's list") << keys << kGameKeys << "" << false;
        QTest::newRow("this language's copy") << keys << kLanguageKeys << "" << false;
        QTest::newRow("another language's copy") << keys << kOtherKeys << "" << false;
        QTest::newRow("an earlier version's copy, recorded") << keys << kEarlierKeys << "earlier copy" << false;
        // Nothing tells it from the player's: kept, and the backup before too.
        QTest::newRow("an earlier version's copy, not recorded") << keys << kEarlierKeys << "" << true;
        QTest::newRow("no list") << keys << QByteArray() << "" << false;
        QTest::newRow("the player's own menu") << "commandmenu.txt" << own << "" << true;
        QTest::newRow("the player's own valve.rc") << "valve.rc" << own << "" << true;
        QTest::newRow("the backup's valve.rc") << "valve.rc" << kGameValve << "" << false;
        QTest::newRow("no valve.rc") << "valve.rc" << QByteArray() << "" << false;
    }

    void aBackupIsNeverLost()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, game);
        QFETCH(QString, before);
        QFETCH(bool, newBackup);
        Game tree;
        tree.install();
        tree.installOther();
        tree.recordLanguage(tree.typed(), "test.lang");
        if (!before.isEmpty()) {
            tree.put(QStringLiteral("qor/test_kb_act.lst"), kEarlierKeys);
            QVERIFY(quietStart(tree.qor));
            tree.put(QStringLiteral("qor/test_kb_act.lst"), kLanguageKeys);
        }
        QVERIFY(quietStart(tree.qor));  // installed
        const QString backup = QStringLiteral("backup/") + QFileInfo(file).fileName();
        const QByteArray first = tree.read(backup);
        QCOMPARE(first, file == QLatin1String("valve.rc") ? kGameValve
                        : file == QLatin1String("commandmenu.txt") ? kGameMenu : kGameKeys);

        QFile::remove(tree.path(file));
        if (!game.isEmpty())
            tree.put(file, game);
        QVERIFY(quietStart(tree.qor));
        const QStringList aside =
            QDir(tree.path(QStringLiteral("backup"))).entryList({QFileInfo(backup).fileName() + ".older-*"});
        QCOMPARE(tree.read(backup), newBackup ? game : first);
        QCOMPARE(aside.size(), newBackup ? 1 : 0);
        if (newBackup) {
            QVERIFY2(QRegularExpression(QStringLiteral("^[a-z_.]+\\.older-\\d{8}-\\d{6}$")).match(aside[0]).hasMatch(),
                     qPrintable(aside[0]));
            QCOMPARE(tree.read(QStringLiteral("backup/") + aside[0]), first);
        }
        if (file != QLatin1String("valve.rc")) {
            const QByteArray copy = file == QLatin1String("commandmenu.txt") ? kLanguageMenu : kLanguageKeys;
            QCOMPARE(tree.read(file), copy);
            QVERIFY(!tree.has(backup + QStringLiteral(".none")));
            // Every copy placed over the backed-up file is recorded, each once.
            const QByteArray placed = tree.read(backup + QStringLiteral(".placed"));
            QVERIFY2(placed.contains(MarkerRecord(copy)), placed.constData());
            QCOMPARE(placed.count("sha256 "), before.isEmpty() ? 1 : 2);
        } else {
            QCOMPARE(tree.read(file), game);
        }

        // Another start finds the backup as it is: nothing more is put aside.
        const QStringList backups = QDir(tree.path(QStringLiteral("backup"))).entryList(QDir::Files);
        QVERIFY(quietStart(tree.qor));
        QCOMPARE(QDir(tree.path(QStringLiteral("backup"))).entryList(QDir::Files), backups);
    }

    // The path file and the language it names, read by the rules the
    // uninstaller reads them by: the table both programs' tests run.
    void filesAreReadAsTheUninstallerReadsThem_data()
    {
        QTest::addColumn<int>("index");
        const QList<ContractRow> rows = ContractRows();
        for (int index = 0; index < rows.size(); ++index)
            QTest::addRow("%s: %s", rows[index].rule, rows[index].row) << index;
    }
    void filesAreReadAsTheUninstallerReadsThem()
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
        QVERIFY(QDir::setCurrent(folders.qor()));

        // As a start reads them.
        const PathFileRead pathFile = ReadPathFile(Language(), folders.qor());
        QStringList lines;
        const QString bound = PackageFiles::BoundingFolder(pathFile.file.halfLife, folders.qor());
        const QString why = ReadLanguageFile(Language(), folders.qor(), pathFile.file.language, bound, &lines);
        QCOMPARE(why.isEmpty() ? lines : QStringList(), row.lines);
        // What gives nothing is named.
        QCOMPARE(why.isEmpty(), !row.lines.isEmpty());
        QVERIFY(!failure || failure->failed());
    }

    // Markers are judged as the uninstaller judges them, by the table both test.
    void markersAreJudgedAsTheUninstallerJudgesThem_data()
    {
        QTest::addColumn<QByteArray>("marker");
        QTest::addColumn<int>("verdict");
        for (const MarkerCase &row : MarkerCases(kOwnKeys))
            QTest::newRow(row.row) << row.marker << int(row.verdict);
    }

    void markersAreJudgedAsTheUninstallerJudgesThem()
    {
        QFETCH(QByteArray, marker);
        QFETCH(int, verdict);
        Game tree;
        tree.install();
        const QString markerPath = tree.path(QStringLiteral("backup/kb_act.lst.none"));
        tree.put(QStringLiteral("gfx/shell/kb_act.lst"), kOwnKeys);
        if (marker == "<dir>") {
            QVERIFY(QDir().mkpath(markerPath));
        } else if (marker == "<fifo>") {
            QDir().mkpath(QFileInfo(markerPath).path());
            if (QProcess::execute(QStringLiteral("mkfifo"), {markerPath}) != 0)
                QSKIP("this system has no FIFOs");
        } else {
            tree.put(QStringLiteral("backup/kb_act.lst.none"), marker);
        }
        tree.recordLanguage(tree.typed(), "test.lang");
        const Start start(tree.qor);

        const QByteArray recorded = MarkerRecord(kLanguageKeys) + "\r\n";
        switch (MarkerVerdict(verdict)) {
        case MarkerVerdict::PackageCopy:
            // Every byte the marker held stays, the copy placed is added.
            QVERIFY(start.quiet());
            QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
            QVERIFY(!tree.has(QStringLiteral("backup/kb_act.lst")));
            QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst.none")),
                     marker + (marker.endsWith('\n') || marker.endsWith('\r') ? "" : "\r\n") + recorded);
            break;
        case MarkerVerdict::GamesOwn:
            QVERIFY(start.quiet());
            QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
            QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kOwnKeys);
            QVERIFY(!tree.has(QStringLiteral("backup/kb_act.lst.none")));
            QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst.placed")), recorded);
            break;
        case MarkerVerdict::NotJudged: {
            // Left as it is for this start, and named; the command menu is replaced all the same.
            QVERIFY(start.outcome.unusable.isEmpty());
            const QString named = start.outcome.unjudged.join(QLatin1Char('\n'));
            QVERIFY2(named.contains(QDir::toNativeSeparators(markerPath)), qPrintable(named));
            QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kOwnKeys);
            QVERIFY(!tree.has(QStringLiteral("backup/kb_act.lst")));
            QVERIFY(!tree.has(QStringLiteral("backup/kb_act.lst.placed")));
            if (!marker.startsWith('<'))
                QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst.none")), marker);
            QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
            break;
        }
        }
    }

    // A file the step judges by that can't be read this once (a virus scanner,
    // a sharing violation) leaves the game's list as it is for this start,
    // named; the next start goes on as usual.
    void aFileThatCantBeReadIsNotGuessedAt_data()
    {
        QTest::addColumn<QString>("failing");  // below cstrike
        QTest::addColumn<int>("call");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("situation");  // "marker": the game had no list; "backup": it had one
        QTest::newRow("the list, open: EACCES") << "gfx/shell/kb_act.lst" << int(FailingFile::Open) << EACCES << "marker";
        QTest::newRow("the list, read: EIO") << "gfx/shell/kb_act.lst" << int(FailingFile::Read) << EIO << "marker";
        QTest::newRow("the marker, read: EIO") << "backup/kb_act.lst.none" << int(FailingFile::Read) << EIO << "marker";
        QTest::newRow("the backup, open: EACCES") << "backup/kb_act.lst" << int(FailingFile::Open) << EACCES << "backup";
        QTest::newRow("the record, read: ENOSPC")
            << "backup/kb_act.lst.placed" << int(FailingFile::Read) << ENOSPC << "backup";
        QTest::newRow("a language's copy, read: EIO")
            << "qor/other_kb_act.lst" << int(FailingFile::Read) << EIO << "backup";
    }

    void aFileThatCantBeReadIsNotGuessedAt()
    {
        QFETCH(QString, failing);
        QFETCH(int, call);
        QFETCH(int, error);
        QFETCH(QString, situation);
        if (!FailingFile::available())
            QSKIP("the read hook stands in for the C library's open and read, on Linux");
        Game tree;
        tree.install();
        tree.installOther();
        if (situation == QLatin1String("marker"))
            QVERIFY(QFile::remove(tree.path(QStringLiteral("gfx/shell/kb_act.lst"))));
        tree.recordLanguage(tree.typed(), "test.lang");
        QVERIFY(quietStart(tree.qor));  // installed: a marker or a backup, and the record of the copy
        // The game's list now holds another language's copy.
        tree.put(QStringLiteral("gfx/shell/kb_act.lst"), kOtherKeys);
        const QList<QByteArray> backups{tree.read(QStringLiteral("backup/kb_act.lst")),
                                        tree.read(QStringLiteral("backup/kb_act.lst.none")),
                                        tree.read(QStringLiteral("backup/kb_act.lst.placed"))};
        QVERIFY(tree.has(failing));
        {
            FailingFile fail(tree.path(failing), FailingFile::Call(call), error);
            const Start start(tree.qor);
            QVERIFY(fail.failed());
            QVERIFY(start.outcome.unusable.isEmpty());
            const QString named = start.outcome.unjudged.join(QLatin1Char('\n'));
            QVERIFY2(named.contains(QDir::toNativeSeparators(tree.path(failing))), qPrintable(named));
        }
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kOtherKeys);
        const QList<QByteArray> after{tree.read(QStringLiteral("backup/kb_act.lst")),
                                      tree.read(QStringLiteral("backup/kb_act.lst.none")),
                                      tree.read(QStringLiteral("backup/kb_act.lst.placed"))};
        QCOMPARE(after, backups);
        QCOMPARE(QDir(tree.path(QStringLiteral("backup"))).entryList({QStringLiteral("*.older-*")}), QStringList());

        QVERIFY(quietStart(tree.qor));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), backups[0]);
        QCOMPARE(tree.has(QStringLiteral("backup/kb_act.lst.none")), situation == QLatin1String("marker"));
    }

    // A game file that is no regular file is left as it is, and named, as
    // one that leads out; the other game file is replaced all the same.
    void gameFilesThatAreNoFilesStay_data()
    {
        QTest::addColumn<QString>("file");  // below cstrike
        QTest::addColumn<QString>("as");    // "fifo", "folder", "link" (to a file of the game), "dangling"
        QTest::newRow("a FIFO as the menu") << "commandmenu.txt" << "fifo";
        QTest::newRow("a folder as the menu") << "commandmenu.txt" << "folder";
        QTest::newRow("a link to a list of the game") << "gfx/shell/kb_act.lst" << "link";
        QTest::newRow("a link leading nowhere") << "gfx/shell/kb_act.lst" << "dangling";
    }

    void gameFilesThatAreNoFilesStay()
    {
        QFETCH(QString, file);
        QFETCH(QString, as);
#ifdef Q_OS_WIN
        if (as != QLatin1String("folder"))
            QSKIP("FIFOs and symbolic links are not what a Windows test can make");
#endif
        Game tree;
        tree.install();
        const QString path = tree.path(file);
        QVERIFY(QFile::remove(path));
        tree.put(QStringLiteral("mykeys.lst"), kGameKeys);
        if (as == QLatin1String("fifo"))
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {path}), 0);
        else if (as == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path + QStringLiteral("/inhalt")));
        else
            QVERIFY(QFile::link(tree.cstrike + (as == QLatin1String("link") ? "/mykeys.lst" : "/gone.lst"), path));
        const QFileInfo before(path);
        const Save save(tree.qor, tree.typed(), QStringLiteral("test.lang"));

        // Named where the player chose the language; a start leaves it as quietly.
        QVERIFY(!save.refused);
        QVERIFY2(save.said().contains(QDir::toNativeSeparators(path)), qPrintable(save.said()));
        QVERIFY(quietStart(tree.qor));
        const QFileInfo after(path);
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.isFile(), before.isFile());
        QCOMPARE(tree.read(QStringLiteral("mykeys.lst")), kGameKeys);
        const QString backup = QStringLiteral("backup/") + QFileInfo(file).fileName();
        for (const QString &name : {backup, backup + ".none", backup + ".placed"})
            QVERIFY2(!tree.has(name), qPrintable(name));
        const bool menu = file == QLatin1String("commandmenu.txt");
        QCOMPARE(tree.read(menu ? QStringLiteral("gfx/shell/kb_act.lst") : QStringLiteral("commandmenu.txt")),
                 menu ? kLanguageKeys : kLanguageMenu);
    }

    void missingGameFileHasNothingToBackUp()
    {
        Game tree;
        tree.install();
        QVERIFY(QFile::remove(tree.path(QStringLiteral("commandmenu.txt"))));
        QVERIFY(QFile::remove(tree.path(QStringLiteral("valve.rc"))));
        tree.recordLanguage(tree.typed(), "test.lang");

        QVERIFY(quietStart(tree.qor));
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        QVERIFY(!tree.has(QStringLiteral("backup/commandmenu.txt")));
        QVERIFY(!tree.has(QStringLiteral("backup/valve.rc")));
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kGameKeys);
        // There was no original: recorded as such, so that the next start,
        // finding the language's copy, does not keep it as the game's.
        QVERIFY(tree.has(QStringLiteral("backup/commandmenu.txt.none")));
        QCOMPARE(tree.read(QStringLiteral("backup/commandmenu.txt.none")), (MarkerLine(kLanguageMenu) + "\r\n").toLatin1());
        QVERIFY(!tree.has(QStringLiteral("backup/kb_act.lst.none")));
        QVERIFY(quietStart(tree.qor));
        QVERIFY(!tree.has(QStringLiteral("backup/commandmenu.txt")));
    }

    // A marker stands only while the game has no key list of its own: a list
    // put back since (Steam's file check, say) is backed up before it is
    // replaced, and the marker goes; a copy of the package keeps the marker,
    // one placed by an earlier version of the package too, which the marker
    // records. A marker of a package that recorded no copies knows only the
    // copies the languages name now.
    void markerStandsOnlyForAMissingListOrACopy_data()
    {
        QTest::addColumn<QByteArray>("game");  // the game's list at the next start; empty: none
        QTest::addColumn<bool>("backedUp");
        QTest::addColumn<QString>("update");  // what became of the package in between
        QTest::newRow("still missing") << QByteArray() << false << "";
        QTest::newRow("this language's copy") << kLanguageKeys << false << "";
        QTest::newRow("another language's copy") << kOtherKeys << false << "";
        QTest::newRow("the game's own, put back") << kGameKeys << true << "";
        QTest::newRow("a package file no language names") << QByteArray("\"+duck\"\t\"Stray\"\r\n") << true << "";
        QTest::newRow("an earlier version's copy") << kEarlierKeys << false << "updated";
        QTest::newRow("an earlier version's copy, old marker") << kEarlierKeys << true << "old marker";
#ifndef Q_OS_WIN // QFile::link makes a shortcut there
        // A language file that leads out of the Half-Life folder is not read.
        QTest::newRow("a copy only a language outside names") << QByteArray("\"+duck\"\t\"Stray\"\r\n") << true
                                                               << "language outside";
#endif
    }

    void markerStandsOnlyForAMissingListOrACopy()
    {
        QFETCH(QByteArray, game);
        QFETCH(bool, backedUp);
        QFETCH(QString, update);
        Game tree;
        tree.install();
        if (!update.isEmpty())
            tree.put(QStringLiteral("qor/test_kb_act.lst"), kEarlierKeys);
        tree.installOther();
        tree.put(QStringLiteral("qor/stray.lst"), "\"+duck\"\t\"Stray\"\r\n");
        QVERIFY(QFile::remove(tree.path(QStringLiteral("gfx/shell/kb_act.lst"))));
        tree.recordLanguage(tree.typed(), "test.lang");
        QVERIFY(quietStart(tree.qor));  // makes the marker
        if (!update.isEmpty())
            tree.put(QStringLiteral("qor/test_kb_act.lst"), kLanguageKeys);
        if (update == QLatin1String("old marker"))
            tree.put(QStringLiteral("backup/kb_act.lst.none"), QByteArray());
        QTemporaryDir outside;
        if (update == QLatin1String("language outside")) {
            QFile language(outside.filePath(QStringLiteral("stray.lang")));
            QVERIFY(language.open(QIODevice::WriteOnly));
            language.write(QByteArray("\r\n").repeated(20) + "stray.lst\r\n");
            language.close();
            QVERIFY(QFile::link(language.fileName(), tree.qor + QStringLiteral("/stray.lang")));
        }
        QFile::remove(tree.path(QStringLiteral("gfx/shell/kb_act.lst")));
        if (!game.isEmpty())
            tree.put(QStringLiteral("gfx/shell/kb_act.lst"), game);
        QVERIFY(quietStart(tree.qor));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.has(QStringLiteral("backup/kb_act.lst.none")), !backedUp);
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), backedUp ? game : QByteArray());
    }

    void aFailedCopyIsSkippedAndTheOtherMade_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("blocked");    // "list": a folder where the list goes; "backup": a file where the backups go
        QTest::addColumn<QString>("mentioned");  // the part of the message that names the cause

        QTest::newRow("line 21 empty") << languageFile("") << QString() << "Zeile 21";
        QTest::newRow("line 21 names a missing file") << languageFile("fehlt.lst") << QString() << "fehlt.lst";
        QTest::newRow("a folder where the list goes") << languageFile() << "list" << "kb_act.lst";
        QTest::newRow("a file where the backups go") << languageFile() << QString("backup") << "backup";
    }

    void aFailedCopyIsSkippedAndTheOtherMade()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, blocked);
        QFETCH(QString, mentioned);
        Game tree;
        tree.install();
        tree.put(QStringLiteral("qor/test.lang"), language);
        if (blocked == QLatin1String("backup")) {
            tree.put(blocked, "no folder\r\n");
        } else if (blocked == QLatin1String("list")) {
            QVERIFY(QFile::remove(tree.path(QStringLiteral("gfx/shell/kb_act.lst"))));
            QVERIFY(QDir().mkpath(tree.path(QStringLiteral("gfx/shell/kb_act.lst/inhalt"))));
        }
        const Save save(tree.qor, tree.typed(), QStringLiteral("test.lang"));

        QVERIFY(!save.refused);
        const QString text = save.said();
        QVERIFY2(text.contains(QStringLiteral("kb_act.lst")) && text.contains(mentioned), qPrintable(text));
        if (blocked != QLatin1String("backup")) {
            QVERIFY(!text.contains(QStringLiteral("commandmenu.txt")));
            QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        } else {
            // Without a place for the backups neither game file is given away.
            QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
            QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        }
        if (blocked.isEmpty())
            QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        if (blocked == QLatin1String("list"))
            QVERIFY(QFileInfo(tree.path(QStringLiteral("gfx/shell/kb_act.lst/inhalt"))).isDir());
    }

    // The language step reads and writes inside the game only: lines 21 and
    // 22 name files of the package folder (a folder part, "..", an absolute
    // path is skipped), and no link out of the Half-Life folder is followed.
    // What is skipped is named; a Half-Life folder reached through a link is fine.
    void languageStepStaysInside_data()
    {
        QTest::addColumn<QByteArray>("keys");  // line 21
        QTest::addColumn<QByteArray>("menu");  // line 22
        QTest::addColumn<QString>("link");     // what becomes a link to the outside folder
        QTest::addColumn<bool>("keysReplaced");
        QTest::addColumn<bool>("menuReplaced");
        const QByteArray own = "test_kb_act.lst";
        const QByteArray menu = "test_commandmenu.txt";
        // '/' separates on every system, so the file named is really there to take.
        QTest::newRow("leads up") << QByteArray("../private.lst") << menu << "-" << false << true;
        QTest::newRow("subfolder") << QByteArray("sub/keys.lst") << menu << "-" << false << true;
        QTest::newRow("absolute") << QByteArray("ABSOLUTE") << menu << "-" << false << true;
        // A key list only from a .lst file, a menu only from a .txt file.
        QTest::newRow("the program") << QByteArray("config") << menu << "-" << false << true;
        QTest::newRow("the lock") << QByteArray("config.lock") << menu << "-" << false << true;
        QTest::newRow("the path file") << QByteArray("pfad.kst") << menu << "-" << false << true;
        QTest::newRow("a state file") << QByteArray("varia.kst") << menu << "-" << false << true;
        QTest::newRow("a key list as menu") << own << own << "-" << true << false;
        QTest::newRow("capitals") << QByteArray("KEYS.LST") << menu << "-" << true << true;
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, no link
        QTest::newRow("gfx/shell folder") << own << menu << "gfx/shell" << false << true;
        QTest::newRow("backup folder") << own << menu << "backup" << false << false;
        QTest::newRow("game kb_act.lst, leading nowhere") << own << menu << "gfx/shell/kb_act.lst" << false << true;
        QTest::newRow("replacement file") << own << menu << "qor/test_kb_act.lst" << false << true;
        QTest::newRow("language file") << own << menu << "qor/test.lang" << false << false;
        QTest::newRow("Half-Life folder itself") << own << menu << "" << true << true;
#endif
    }

    void languageStepStaysInside()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QByteArray, menu);
        QFETCH(QString, link);
        QFETCH(bool, keysReplaced);
        QFETCH(bool, menuReplaced);
        Game tree;
        QTemporaryDir outside;
        tree.install();
        tree.put(QStringLiteral("qor/sub/keys.lst"), "private\r\n");
        tree.put(QStringLiteral("private.lst"), "private\r\n");
        tree.put(QStringLiteral("qor/config"), "\x7f" "ELF\r\n");
        tree.put(QStringLiteral("qor/varia.kst"), "_pw\r\ngeheim\r\n");
        tree.put(QStringLiteral("qor/KEYS.LST"), kLanguageKeys);
        if (keys == "ABSOLUTE")
            keys = QDir::toNativeSeparators(tree.path(QStringLiteral("private.lst"))).toLocal8Bit();
        tree.put(QStringLiteral("qor/test.lang"), languageFile(keys, menu));
        QString halfLife = tree.typed();
        if (link.isEmpty()) {
            halfLife = outside.filePath(QStringLiteral("steam"));
            QVERIFY(QFile::link(tree.halfLife, halfLife));
        } else if (link != QLatin1String("-")) {
            const QString path = tree.path(link);
            const QString target = outside.filePath(QFileInfo(path).fileName());
            if (link == QLatin1String("gfx/shell/kb_act.lst"))
                QVERIFY(QFile::remove(path));
            else
                QVERIFY(QFile::rename(path, target) || QDir().mkpath(target));
            QVERIFY(QFile::link(target, path));
        }
        const auto snapshot = [&] {
            QByteArray all;
            for (QDirIterator it(outside.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
                const QString file = it.next();
                all += file.toUtf8() + ReadFileLine(file, 1).toUtf8();
            }
            return all;
        };
        const QByteArray before = snapshot();
        const Save save(tree.qor, halfLife, QStringLiteral("test.lang"));

        QVERIFY(!save.refused);
        QCOMPARE(snapshot(), before);
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")) == kLanguageKeys, keysReplaced);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")) == kLanguageMenu, menuReplaced);
        QCOMPARE(save.said().isEmpty(), keysReplaced && menuReplaced);
        if (link == QLatin1String("-") && !(keysReplaced && menuReplaced)) {
            const QByteArray refused = keysReplaced ? menu : keys;
            QVERIFY2(save.said().contains(QString::fromLocal8Bit(refused)), qPrintable(save.said()));
        }
        if (link == QLatin1String("qor/test.lang"))
            QCOMPARE(save.package.language().caption(LanguageLine::On), QStringLiteral("AN"));
    }

    // A changed path file names another file as line 3 or 4: it is left
    // alone, without a word at start.
    void pathFileLinesOtherThanTheGameFilesAreSkipped()
    {
        Game tree;
        tree.install();
        QStringList lines = PathFile::For(tree.typed(), QStringLiteral("test.lang")).lines();
        lines[2] = tree.typed() + QStringLiteral("\\cstrike\\valve.rc");
        QVERIFY(WriteTextFile(tree.qor + QStringLiteral("/pfad.kst"), lines));

        const Start start(tree.qor);
        QVERIFY(start.quiet());
        QCOMPARE(tree.read(QStringLiteral("valve.rc")), kGameValve);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        QCOMPARE(start.package.language().caption(LanguageLine::On), QString::fromUtf8("Zeile ä 1"));
    }

    // On a full disk the message names the real reason, not a wrong folder.
    void fullDiskIsNamedAsSuch()
    {
        FullDisk disk(QStringLiteral("256k"));
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        Game tree;
        tree.install();
        // The game's list is there, its backup and the command menu are not: each write fails.
        const QString halfLife = disk.path() + QStringLiteral("/Half-Life");
        QVERIFY(QDir().mkpath(halfLife + QStringLiteral("/cstrike/gfx/shell")));
        QVERIFY(WriteTextFile(halfLife + QStringLiteral("/cstrike/gfx/shell/kb_act.lst"), {QStringLiteral("x")}));
        disk.fill();
        const Save save(tree.qor, halfLife, QStringLiteral("test.lang"));
        QVERIFY(!save.refused);
        const QString text = save.said();
        QVERIFY2(text.contains(QString::fromLocal8Bit(strerror(ENOSPC))), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("Half-Life-Verzeichnis")), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestGameFiles)
#include "test_gamefiles.moc"
