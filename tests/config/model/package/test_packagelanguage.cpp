#include "language.h"
#include "package.h"
#include "textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What one package folder records and what its package then says: a help
// button's caption, and the message of a module it could not switch on.
struct Side
{
    QString help;      // line 9 of its language file; empty: no language recorded
    QString switchOn;  // its line for that message; empty: left to the built-in one
    QString shownHelp;
    QString shownSwitchOn;  // the message up to the reason
};

struct Row
{
    const char *name;
    Side first;
    Side second;
};

QList<Row> rows()
{
    const QString builtIn = Texts::builtIn(Texts::SwitchOnFailed).arg(QString());
    return {
        {"two languages",
         {"Hilfe A", "Modul A: %1", "Hilfe A", "Modul A: "},
         {"Help B", "Module B: %1", "Help B", "Module B: "}},
        {"a language beside the built-in texts",
         {"Aide", "Module non activé : %1", "Aide", "Module non activé : "},
         {"", "", "Hilfe", builtIn}},
        {"a language of captions only beside one with messages",
         {"Ayuda", "", "Ayuda", builtIn},
         {"Help B", "Module B: %1", "Help B", "Module B: "}},
    };
}

// The package of a folder of its own, started as the configurator starts
// one: the path file read, its language put in force. The marker of the
// information module is a folder, so that switching it on fails.
void start(const QTemporaryDir &folder, const Side &side, Package *package)
{
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("say.kst")));
    if (!side.help.isEmpty()) {
        QStringList lines(Texts::lineOf(Texts::Count) - 1);
        lines[int(LanguageLine::Help) - 1] = side.help;
        lines[Texts::lineOf(Texts::SwitchOnFailed) - 1] = side.switchOn;
        QVERIFY(WriteTextFile(folder.filePath(QStringLiteral("own.lang")), lines));
        QVERIFY(WriteTextFile(folder.filePath(QStringLiteral("pfad.kst")), {QString(), QStringLiteral("own.lang")}));
    }
    package->readPathFile();
    if (!side.help.isEmpty())
        QVERIFY(package->applyLanguage(false).unusable.isEmpty());
}

void says(const Side &side, Package &package)
{
    QCOMPARE(package.language().caption(LanguageLine::Help), side.shownHelp);
    QString message;
    QVERIFY(!package.switchModule(PackageModule::Information, true, &message));
    QVERIFY2(message.startsWith(side.shownSwitchOn), qPrintable(message));
}

} // namespace

// Each package holds the language in force for itself: two in one process
// each say their own, whichever was started last.
class TestPackageLanguage : public QObject
{
    Q_OBJECT

private slots:
    void eachPackageSaysItsOwn_data()
    {
        QTest::addColumn<int>("row");
        const QList<Row> all = rows();
        for (int row = 0; row < all.size(); ++row)
            QTest::newRow(all[row].name) << row;
    }

    void eachPackageSaysItsOwn()
    {
        QFETCH(int, row);
        const Row r = rows().at(row);
        QTemporaryDir firstFolder;
        QTemporaryDir secondFolder;
        Package first(firstFolder.path());
        Package second(secondFolder.path());
        start(firstFolder, r.first, &first);
        start(secondFolder, r.second, &second);
        says(r.first, first);
        says(r.second, second);
        // The first again, after the second has spoken.
        says(r.first, first);
    }
};

QTEST_GUILESS_MAIN(TestPackageLanguage)
#include "test_packagelanguage.moc"
