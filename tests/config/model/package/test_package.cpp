#include "fulldisk.h"
#include "lockrows.h"
#include "package.h"
#include "packagelock.h"
#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

const QByteArray kMissing = "(missing)";
const QByteArray kPathFile =
    "c:\\hl\r\nenglish.lang\r\nc:\\hl\\cstrike\\gfx\\shell\\kb_act.lst\r\nc:\\hl\\cstrike\\commandmenu.txt\r\n";

QByteArray fileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += ToWindows1252(line) + "\r\n";
    return bytes;
}

// A package folder in a game tree of its own, <tmp>/Half-Life/cstrike/qor,
// while the current directory is another folder beside it, <tmp>/elsewhere,
// which the model must never read or write.
struct Elsewhere
{
    QTemporaryDir root;
    QString halfLife;
    QString qor;
    QString current;
    QString previous = QDir::currentPath();

    Elsewhere()
        : halfLife(root.filePath(QStringLiteral("Half-Life")))
        , qor(halfLife + QStringLiteral("/cstrike/qor"))
        , current(root.filePath(QStringLiteral("elsewhere")))
    {
        if (!root.isValid() || !QDir().mkpath(qor) || !QDir().mkpath(current) || !QDir::setCurrent(current))
            qFatal("cannot make the folders");
    }
    ~Elsewhere() { QDir::setCurrent(previous); }

    static void put(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : kMissing;
    }
    QString inPackage(const QString &name) const { return QDir(qor).filePath(name); }
    QStringList currentEntries() const
    {
        return QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
};

// What a start reads, and from which file.
enum class Probe { HalfLife, Language, KeyBindings, Big2, Reload, PersonalMode, ItemBuyBlocker };

QString probed(Package &package, Probe probe)
{
    switch (probe) {
    case Probe::HalfLife:
        return package.pathFile().file.halfLife;
    case Probe::Language:
        return package.recordedLanguage();
    case Probe::KeyBindings:
        return package.pathFile().file.keyBindings;
    case Probe::Big2:
        return package.settings.field(Varia::BigRestock2).text;
    case Probe::Reload:
        return package.settings.field(Buy::Reload).text;
    case Probe::PersonalMode:
        return package.settings.module(PackageModule::PersonalMode) ? QStringLiteral("on") : QStringLiteral("off");
    case Probe::ItemBuyBlocker:
        return package.settings.module(PackageModule::ItemBuyBlocker) ? QStringLiteral("on") : QStringLiteral("off");
    }
    return {};
}

// "<root>" stands for the temporary folder, "<sep>" for the system's separator.
QString placed(const QString &pattern, const QString &root)
{
    QString path = pattern;
    path.replace(QStringLiteral("<root>"), QDir::toNativeSeparators(root));
    path.replace(QStringLiteral("<sep>"), QString(QDir::separator()));
    return path;
}

} // namespace

Q_DECLARE_METATYPE(Probe)
Q_DECLARE_METATYPE(PackageModule)

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void saveWritesIntoThePackageFolder_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("whole");  // else its start

        QStringList varis{"exec qor/fun.cfg", "", ""};
        for (int i = 1; i <= 5; ++i)
            varis << QStringLiteral("alias bigre_item%1 \"%2\"").arg(i).arg(i == 2 ? "hegrenade" : "");
        for (int i = 1; i <= 3; ++i)
            varis << QStringLiteral("alias smallre_item%1 \"\"").arg(i);
        for (const char *name : {"txt1", "txt2", "txt3", "txt4", "txt5", "snd1", "snd2", "snd3", "tm1", "tm2", "tm3"})
            varis << QStringLiteral("alias %1 \"\"").arg(QLatin1String(name));
        QStringList varia(Varia::LineCount);
        varia[Varia::BigRestock2] = QStringLiteral("hegrenade");
        QStringList buy(Buy::LineCount);
        buy[Buy::Reload] = QStringLiteral("Nachladen!");
        const QByteArray funStart = "//Vom Configurator erstellte Datei fuer Benutzerdefiniertes Sayscript\r\n"
                                    "alias sayreload \"say_team -=Nachladen!=-\"\r\n"
                                    "alias sayusp \"\"\r\n";

        QTest::newRow("path file") << "pfad.kst" << kPathFile << true;
        QTest::newRow("game script") << "varis.cfg" << fileBytes(varis) << true;
        QTest::newRow("first state file") << "varia.kst" << fileBytes(varia) << true;
        QTest::newRow("second state file") << "buy.kst" << fileBytes(buy) << true;
        QTest::newRow("personal mode script") << "fun.cfg" << funStart << false;
        QTest::newRow("personal mode marker") << "fun.kst" << QByteArray("fun aktiviert\r\n") << true;
        QTest::newRow("information marker, switched on and off") << "say.kst" << kMissing << true;
    }

    void saveWritesIntoThePackageFolder()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, whole);
        Elsewhere folders;
        Package package(folders.qor);
        QCOMPARE(package.lock(), PackageLock::Outcome::Held);
        QString error;
        QVERIFY(package.recordPathFile(QStringLiteral("c:\\hl"), QStringLiteral("english.lang"), &error));
        package.settings.field(Varia::BigRestock2).text = QStringLiteral("hegrenade");
        package.settings.field(Buy::Reload).text = QStringLiteral("Nachladen!");
        QString message;
        QVERIFY(package.switchModule(PackageModule::PersonalMode, true, &message));
        QVERIFY(package.switchModule(PackageModule::Information, true, &message));
        QVERIFY(package.switchModule(PackageModule::Information, false, &message));
        QVERIFY2(package.save(&error), qPrintable(error));

        const QByteArray written = Elsewhere::read(folders.inPackage(file));
        QCOMPARE(whole ? written : written.left(bytes.size()), bytes);
        package.unlock();
        QCOMPARE(folders.currentEntries(), QStringList());
    }

    void startReadsThePackageFolder_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Probe>("probe");
        QTest::addColumn<QString>("expected");

        const QByteArray varia = "\r\n\r\nvest\r\nhegrenade\r\n";
        QTest::newRow("path file, line 1") << "pfad.kst" << kPathFile << Probe::HalfLife << "c:\\hl";
        QTest::newRow("path file, line 2") << "pfad.kst" << kPathFile << Probe::Language << "english.lang";
        QTest::newRow("path file, line 3") << "pfad.kst" << kPathFile << Probe::KeyBindings
                                           << "c:\\hl\\cstrike\\gfx\\shell\\kb_act.lst";
        QTest::newRow("first state file") << "varia.kst" << varia << Probe::Big2 << "hegrenade";
        QTest::newRow("second state file") << "buy.kst" << QByteArray("Nachladen!\r\n") << Probe::Reload
                                           << "Nachladen!";
        QTest::newRow("marker of any content") << "fun.kst" << QByteArray() << Probe::PersonalMode << "on";
        QTest::newRow("no marker") << "say.kst" << QByteArray("say aktiviert\r\n") << Probe::ItemBuyBlocker
                                   << "off";
    }

    // The current directory holds a file of the same name saying something
    // else: only the package folder's counts.
    void startReadsThePackageFolder()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(Probe, probe);
        QFETCH(QString, expected);
        Elsewhere folders;
        Elsewhere::put(folders.inPackage(file), bytes);
        for (const char *decoy : {"pfad.kst", "varia.kst", "buy.kst", "fun.kst", "itim.kst"})
            Elsewhere::put(QDir(folders.current).filePath(QLatin1String(decoy)), "decoy\r\ndecoy\r\ndecoy\r\ndecoy\r\n");

        Package package(folders.qor);
        package.readPathFile();
        package.readSettings();
        QCOMPARE(probed(package, probe), expected);
    }

    void plugins_data()
    {
        QTest::addColumn<QList<int>>("present");
        QTest::newRow("none") << QList<int>{};
        QTest::newRow("only the third") << QList<int>{3};
        QTest::newRow("first and fourth") << QList<int>{1, 4};
        QTest::newRow("all four") << QList<int>{1, 2, 3, 4};
    }

    void plugins()
    {
        QFETCH(QList<int>, present);
        Elsewhere folders;
        for (int number = 1; number <= 4; ++number) {
            const QString name = QStringLiteral("plugin%1.cfg").arg(number);
            Elsewhere::put(QDir(present.contains(number) ? folders.qor : folders.current).filePath(name), "x");
        }
        const Package package(folders.qor);
        for (int number = 1; number <= 4; ++number)
            QCOMPARE(package.hasPlugin(number), present.contains(number));
    }

    void halfLifeFolder_data()
    {
        // The message that refuses it; -1 for a Half-Life folder.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("fault");
        const int none = -1, noCstrike = Texts::NoCstrikeFolder;
        QTest::newRow("holding cstrike") << "<root><sep>Half-Life" << none;
        QTest::newRow("holding cstrike, trailing separator") << "<root><sep>Half-Life<sep>" << none;
        QTest::newRow("relative, from the package folder") << "..\\.." << none;
        QTest::newRow("relative, from the current directory only") << "Game" << noCstrike;
        QTest::newRow("no cstrike in it") << "<root><sep>elsewhere" << noCstrike;
        QTest::newRow("cstrike is a file") << "<root><sep>Fake" << noCstrike;
        QTest::newRow("missing") << "<root><sep>gone" << noCstrike;
        QTest::newRow("empty") << "" << noCstrike;
        QTest::newRow("root of the file system") << "root" << int(Texts::RootIsNoHalfLifeFolder);
    }

    void halfLifeFolder()
    {
        QFETCH(QString, typed);
        QFETCH(int, fault);
        Elsewhere folders;
        QVERIFY(QDir().mkpath(folders.current + QStringLiteral("/Game/cstrike")));
        QVERIFY(QDir().mkpath(folders.root.filePath(QStringLiteral("Fake"))));
        Elsewhere::put(folders.root.filePath(QStringLiteral("Fake/cstrike")), "x");
        // Whether the root holds a cstrike or not, it is no Half-Life folder.
        if (typed == QLatin1String("root"))
            typed = QDir::toNativeSeparators(QDir::rootPath());
        const Package package(folders.qor);
        const std::optional<Texts::Id> got = package.halfLifeFolderFault(placed(typed, folders.root.path()));
        QCOMPARE(got ? int(*got) : -1, fault);
    }

    void firstRun_data()
    {
        QTest::addColumn<QString>("package");  // below the temporary folder
        QTest::addColumn<bool>("withPathFile");
        QTest::addColumn<QString>("suggested");
        const QString usual = QStringLiteral("c:\\sierra\\half-life");
        QTest::newRow("first run in a game tree") << "Half-Life/cstrike/qor" << false << "<root><sep>Half-Life";
        QTest::newRow("later run") << "Half-Life/cstrike/qor" << true << "<root><sep>Half-Life";
        QTest::newRow("first run in no game") << "Spiel/cs/qor" << false << usual;
        // The path file can't hold a name beyond Windows-1252.
        QTest::newRow("first run in a game the path file can't name")
            << QString::fromUtf8("\u03a9mega/cstrike/qor") << false << usual;
    }

    void firstRun()
    {
        QFETCH(QString, package);
        QFETCH(bool, withPathFile);
        QFETCH(QString, suggested);
        Elsewhere folders;
        const QString packageFolder = folders.root.filePath(package);
        QVERIFY(QDir().mkpath(packageFolder));
        if (withPathFile)
            Elsewhere::put(QDir(packageFolder).filePath(QStringLiteral("pfad.kst")), kPathFile);
        // A path file in the current directory makes no later run.
        Elsewhere::put(QDir(folders.current).filePath(QStringLiteral("pfad.kst")), kPathFile);

        Package started(packageFolder);
        started.readPathFile();
        QCOMPARE(started.firstRun(), !withPathFile);
        QCOMPARE(started.suggestedHalfLifeFolder(), placed(suggested, folders.root.path()));
    }

    // The package folder is the program's own: a shortcut without its start
    // folder starts it in the Half-Life folder or anywhere else, where nothing
    // of the package may be written. A build lying in no package (as the tests
    // run it) works in the package folder it is started in.
    void startFolderFits_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("program");      // the program's folder
        QTest::addColumn<QStringList>("files");    // below the game tree
        QTest::addColumn<bool>("fits");

        const QString qor = QStringLiteral("Half-Life/cstrike/qor");
        const QStringList shipped{qor + "/config", qor + "/english.lang", qor + "/english_kb_act.lst",
                                  qor + "/deutsch.lang"};
        const QStringList used = shipped + QStringList{qor + "/pfad.kst", qor + "/varia.kst"};
        QTest::newRow("in the package folder") << qor << qor << used << true;
        QTest::newRow("freshly unpacked, no path file yet") << qor << qor << shipped << true;
        QTest::newRow("in an emptied package folder") << qor << qor << QStringList{qor + "/config"} << true;
#ifndef Q_OS_WIN // links are Unix ones here
        QTest::newRow("in the package folder through a link") << "link" << qor << used << true;
#endif
        QTest::newRow("in the Half-Life folder, the package below") << "Half-Life" << qor << used << false;
        QTest::newRow("in the Half-Life folder, freshly unpacked below") << "Half-Life" << qor << shipped << false;
        QTest::newRow("in the Half-Life folder with files an older start left")
            << "Half-Life" << qor
            << used + QStringList{"Half-Life/pfad.kst", "Half-Life/varia.kst", "Half-Life/varis.cfg"} << false;
        QTest::newRow("in cstrike") << "Half-Life/cstrike" << qor << used << false;
        QTest::newRow("in an empty folder") << "empty" << qor << used << false;
        QTest::newRow("in a folder with another program's language file")
            << "launcher" << qor << used + QStringList{"launcher/english.lang"} << false;
        QTest::newRow("in another package folder")
            << "copy/cstrike/qor" << qor << used + QStringList{"copy/cstrike/qor/pfad.kst"} << false;
        QTest::newRow("a build, in a package folder") << qor << "build" << QStringList{qor + "/pfad.kst"} << true;
        QTest::newRow("a build, in a package folder with languages only")
            << qor << "build" << QStringList{qor + "/english.lang"} << true;
        QTest::newRow("a build, in a package folder with names in capitals")
            << qor << "build" << QStringList{qor + "/PFAD.KST", qor + "/English.LANG"} << true;
        QTest::newRow("a build, in a folder whose names only end alike")
            << "launcher" << "build" << QStringList{"launcher/english_lang", "launcher/xpfad.kst"} << false;
        QTest::newRow("a build, in an empty folder") << "empty" << "build" << QStringList() << false;
        QTest::newRow("a build, in the Half-Life folder") << "Half-Life" << "build" << used << false;
        QTest::newRow("a language folder named like a language file")
            << "launcher" << "build" << QStringList{"launcher/english.lang/readme.txt"} << false;
    }

    void startFolderFits()
    {
        QFETCH(QString, current);
        QFETCH(QString, program);
        QFETCH(QStringList, files);
        QFETCH(bool, fits);
        QTemporaryDir tree;
        const QDir root(tree.path());
        const QStringList folders{"Half-Life/cstrike/qor", "copy/cstrike/qor", "empty", "launcher", "build"};
        for (const QString &folder : folders)
            QVERIFY(root.mkpath(folder));
        for (const QString &name : files) {
            QVERIFY(root.mkpath(QFileInfo(root.filePath(name)).path()));
            QFile file(root.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
#ifndef Q_OS_WIN
        QVERIFY(QFile::link(root.filePath("Half-Life/cstrike/qor"), root.filePath("link")));
#endif
        QCOMPARE(Package::startFolderFits(root.filePath(current), root.filePath(program)), fits);
    }

    // The uninstaller's tests run the same rows through its own lock code and
    // expect the same verdict: what is not held is taken, unless it is no file.
    void lockJudgedAsTheUninstallerJudgesIt_data()
    {
        QTest::addColumn<int>("index");
        const QList<LockRow> rows = LockRows();
        for (int index = 0; index < rows.size(); ++index)
            QTest::newRow(rows[index].row) << index;
    }

    void lockJudgedAsTheUninstallerJudgesIt()
    {
        QFETCH(int, index);
        const LockRow row = LockRows().at(index);
        QTemporaryDir folder;
        QTemporaryDir elsewhere;
        QString skip;
        if (!makeLock(row, QDir(folder.path()).filePath(QStringLiteral("config.lock")), elsewhere.path(), &skip)) {
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QFAIL("the lock could not be made");
        }
        PackageLock lock(folder.path());
        const PackageLock::Outcome taken = lock.take();
        const PackageLock::Outcome expected = row.held ? PackageLock::Outcome::TakenByAnother
            : row.kind == LockRow::File               ? PackageLock::Outcome::Held
                                                      : PackageLock::Outcome::NotAFile;
        QCOMPARE(taken, expected);
    }

    // A switch acts on its marker file at once. One that can't be written or
    // removed (a folder, a link out of the game, a full disk) leaves the switch
    // as the next start will find it and says why; one removed from outside
    // already is no error.
    void switchingAModule_data()
    {
        QTest::addColumn<PackageModule>("module");
        QTest::addColumn<QString>("before");  // at the marker file: "file", "folder", "link out", "full disk"
        QTest::addColumn<bool>("on");         // switched on, else off
        QTest::addColumn<bool>("switched");
        QTest::addColumn<bool>("nowOn");  // also for the next start
        QTest::newRow("removed already") << PackageModule::ItemBuyBlocker << "file" << false << true << false;
        QTest::newRow("a folder, switched on") << PackageModule::Information << "folder" << true << false << true;
        QTest::newRow("a folder, switched off") << PackageModule::Information << "folder" << false << false << true;
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, no symbolic link
        QTest::newRow("a link out of the game, even leading nowhere")
            << PackageModule::Information << "link out" << true << false << false;
#endif
        QTest::newRow("a full disk") << PackageModule::PersonalMode << "full disk" << true << false << false;
    }

    void switchingAModule()
    {
        QFETCH(PackageModule, module);
        QFETCH(QString, before);
        QFETCH(bool, on);
        QFETCH(bool, switched);
        QFETCH(bool, nowOn);
        QTemporaryDir temporary;
        QTemporaryDir outside;
        std::optional<FullDisk> disk;
        QString folder = temporary.path();
        if (before == QLatin1String("full disk")) {
            disk.emplace(QStringLiteral("16k"));
            if (!disk->mounted())
                QSKIP(qPrintable(disk->whyNot()));
            folder = disk->path();
        }
        const QString marker = QDir(folder).filePath(MarkerFile(module));
        Elsewhere::put(QDir(folder).filePath(QStringLiteral("pfad.kst")),
                       "c:\\hl\r\n\r\nc:\\hl\\cstrike\\gfx\\shell\\kb_act.lst\r\nc:\\hl\\cstrike\\commandmenu.txt\r\n");
        if (before == QLatin1String("file"))
            Elsewhere::put(marker, "it aktiviert\r\n");
        else if (before == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(marker + QStringLiteral("/inhalt")));
        else if (before == QLatin1String("link out"))
            QVERIFY(QFile::link(outside.filePath(MarkerFile(module)), marker));
        else
            disk->fill();

        Package package(folder);
        package.readPathFile();
        package.readSettings();
        if (before == QLatin1String("file"))
            QVERIFY(QFile::remove(marker));
        QString message;
        QCOMPARE(package.switchModule(module, on, &message), switched);
        QVERIFY2(switched ? message.isEmpty() : message.contains(QDir::toNativeSeparators(marker)), qPrintable(message));
        QCOMPARE(package.settings.module(module), nowOn);
        QCOMPARE(QFileInfo(marker).isDir(), before == QLatin1String("folder"));
        QVERIFY(QDir(outside.path()).isEmpty());
        if (before == QLatin1String("full disk"))
            QVERIFY(!QFileInfo::exists(marker));

        Package next(folder);
        next.readPathFile();
        next.readSettings();
        QCOMPARE(next.settings.module(module), nowOn);
    }

    // One lock per package folder, whatever the current directory is.
    void lock()
    {
        Elsewhere folders;
        Package package(folders.qor);
        PackageLock other(folders.qor);
        const QString lockFile = folders.inPackage(PackageLock::kFileName);
        enum Step { Take, TakeOther, MoveCurrent, Release };
        const struct
        {
            const char *name;
            Step step;
            PackageLock::Outcome outcome;  // of a Take or TakeOther
            bool fileThere;
        } steps[] = {
            {"taken", Take, PackageLock::Outcome::Held, true},
            {"taken again", Take, PackageLock::Outcome::Held, true},
            {"another configurator", TakeOther, PackageLock::Outcome::TakenByAnother, true},
            {"current directory moved", MoveCurrent, PackageLock::Outcome::Held, true},
            {"still held", Take, PackageLock::Outcome::Held, true},
            {"released", Release, PackageLock::Outcome::Held, false},
            {"another after the release", TakeOther, PackageLock::Outcome::Held, true},
            {"this one now", Take, PackageLock::Outcome::TakenByAnother, true},
        };
        for (const auto &row : steps) {
            switch (row.step) {
            case Take:
                QVERIFY2(package.lock() == row.outcome, row.name);
                break;
            case TakeOther:
                QVERIFY2(other.take() == row.outcome, row.name);
                break;
            case MoveCurrent:
                QVERIFY(QDir::setCurrent(folders.root.path()));
                break;
            case Release:
                package.unlock();
                break;
            }
            QVERIFY2(QFileInfo::exists(lockFile) == row.fileThere, row.name);
        }
        QCOMPARE(package.lockFilePath(), QDir::toNativeSeparators(lockFile));
        other.release();
        QVERIFY(!other.held());
        QCOMPARE(folders.currentEntries(), QStringList());
    }

    // Each package holds the language in force for itself: two in one
    // process each say their own, whichever was started last.
    void eachPackageSaysItsOwnLanguage()
    {
        QTemporaryDir folders[2];
        const QString help[2] = {QStringLiteral("Hilfe A"), QStringLiteral("Help B")};
        const QString failed[2] = {QStringLiteral("Modul A: "), QStringLiteral("Module B: ")};
        std::optional<Package> packages[2];
        for (int i = 0; i < 2; ++i) {
            QStringList lines(Texts::lineOf(Texts::Count) - 1);
            lines[int(LanguageLine::Help) - 1] = help[i];
            lines[Texts::lineOf(Texts::SwitchOnFailed) - 1] = failed[i] + QStringLiteral("%1");
            QVERIFY(WriteTextFile(folders[i].filePath(QStringLiteral("own.lang")), lines));
            QVERIFY(WriteTextFile(folders[i].filePath(QStringLiteral("pfad.kst")), {QString(), "own.lang"}));
            // A folder where the marker goes: switching the module on fails.
            QVERIFY(QDir(folders[i].path()).mkdir(QStringLiteral("say.kst")));
            packages[i].emplace(folders[i].path());
            packages[i]->readPathFile();
            QVERIFY(packages[i]->applyLanguage(false).unusable.isEmpty());
        }
        for (const int i : {0, 1, 0}) {
            QCOMPARE(packages[i]->language().caption(LanguageLine::Help), help[i]);
            QString message;
            QVERIFY(!packages[i]->switchModule(PackageModule::Information, true, &message));
            QVERIFY2(message.startsWith(failed[i]), qPrintable(message));
        }
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "test_package.moc"
