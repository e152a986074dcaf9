#include "amcm.h"
#include "appearance.h"
#include "firstrun.h"
#include "forms.h"
#include "funmode.h"
#include "gametree.h"
#include "hauptmenu.h"
#include "fulldisk.h"
#include "language.h"
#include "restock.h"
#include "sound.h"
#include "text.h"
#include "write.h"

#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QtTest>

#include <cerrno>
#include <cstring>

namespace {

const QByteArray kGameKeys = "\"+attack\"\t\t\"Fire\"\r\n";
const QByteArray kGameMenu = "\"1\" \"Buy\" { \"buy\" }\r\n";
const QByteArray kGameValve = "exec autoexec.cfg\r\n";
const QByteArray kLanguageKeys = "\"+attack\"\t\t\"Shoot\"\r\n\"+jump\"\t\t\"Jump\"\r\n";
const QByteArray kLanguageMenu = "\"1\" \"Radio\"\r\n{\r\n\t\"1\" \"Cover me\" \"coverme\"\r\n}\r\n";

// Line n reads "text n" (Windows-1252 umlauts included); 21 and 22 name the game files.
QByteArray languageFile(const QByteArray &keys = "test_kb_act.lst", const QByteArray &menu = "test_commandmenu.txt")
{
    QByteArray bytes;
    for (int n = 1; n <= 20; ++n)
        bytes += ansi("Zeile ä ") + QByteArray::number(n) + "\r\n";
    return bytes + keys + "\r\n" + menu + "\r\n";
}

QString line(int n)
{
    return QStringLiteral("Zeile ä %1").arg(n);
}

// A fresh game with its own three files, the package holding "test.lang" and its two files.
void installGame(const GameTree &tree)
{
    tree.put(QStringLiteral("gfx/shell/kb_act.lst"), kGameKeys);
    tree.put(QStringLiteral("commandmenu.txt"), kGameMenu);
    tree.put(QStringLiteral("valve.rc"), kGameValve);
    tree.folder.write(QStringLiteral("Half-Life/cstrike/qor/test.lang"), languageFile());
    tree.folder.write(QStringLiteral("Half-Life/cstrike/qor/test_kb_act.lst"), kLanguageKeys);
    tree.folder.write(QStringLiteral("Half-Life/cstrike/qor/test_commandmenu.txt"), kLanguageMenu);
}

// The Half-Life folder as a Windows user would type it: backslashes throughout.
QString typed(const GameTree &tree)
{
    QString path = tree.halfLife;
    return path.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

void choose(firstrun *d, const QString &directory, const QString &language)
{
    d->pfad->setText(directory);
    const QList<QListWidgetItem *> found = d->language->findItems(language, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(language));
    QTest::mouseClick(d->language->viewport(), Qt::LeftButton, {},
                      d->language->visualItemRect(found.first()).center());
}

// A first start: Save and Go in the setup dialog with this folder and language.
void saveAndGo(const QString &directory, const QString &language = QStringLiteral("test.lang"))
{
    restartConfigurator();
    firstrun *d = Forms::get<firstrun>();
    choose(d, directory, language);
    QTest::mouseClick(d->Command2, Qt::LeftButton);
}

void recordLanguage(const GameTree &tree, const QString &directory, const char *language)
{
    QStringList lines = PathFileLines(directory, QString::fromLatin1(language));
    QString error;
    if (!WriteTextFile(tree.qor + QStringLiteral("/pfad.kst"), lines, &error))
        qFatal("%s", qPrintable(error));
}

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
        installGame(tree);
        hauptmenu *m = restartConfigurator();
        firstrun *d = Forms::get<firstrun>();
        choose(d, typed(tree), QStringLiteral("test.lang"));
        QTest::mouseClick(d->Command2, Qt::LeftButton);

        QVERIFY2(messages.entries.isEmpty(), qPrintable(messages.entries.value(0).text));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("backup/commandmenu.txt")), kGameMenu);
        QCOMPARE(tree.read(QStringLiteral("backup/valve.rc")), kGameValve);
        QCOMPARE(tree.read(QStringLiteral("valve.rc")), kGameValve);
        QCOMPARE(QDir(tree.cstrike + QStringLiteral("/backup")).entryList(QDir::Files | QDir::Hidden).size(), 3);
        QCOMPARE(d->lang2->text(), QStringLiteral("test.lang"));
        QCOMPARE(m->it1->text(), line(1));
        QVERIFY(m->isVisible());
        QVERIFY(!d->isVisible());
    }

    void everyTargetTakesItsLine()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        hauptmenu *m = restartConfigurator();
        // One dialog is there before the language comes, the others are built
        // after it; the language changes no value of it.
        amcm *a = Forms::get<amcm>();
        a->pwfeld->setText(QStringLiteral("_pw"));
        firstrun *d = Forms::get<firstrun>();
        choose(d, typed(tree), QStringLiteral("test.lang"));
        QTest::mouseClick(d->Command2, Qt::LeftButton);
        QCOMPARE(a->pwfeld->text(), QStringLiteral("_pw"));

        restock *r = Forms::get<restock>();
        sound *s = Forms::get<sound>();
        text *t = Forms::get<text>();
        funmode *f = Forms::get<funmode>();
        const struct {
            QWidget *widget;
            int line;
        } captions[] = {
            {m->it1, 1},      {m->fun1, 1},     {m->say1, 1},      {m->it2, 2},      {m->fun2, 2},
            {m->say2, 2},     {m->Haftungsausschluss, 3},           {m->Command8, 4}, {m->Command2, 5},
            {m->Command4, 6}, {m->Command7, 7}, {m->Command6, 8},  {m->Command5, 9}, {a->Command2, 9},
            {r->Command4, 9}, {s->Command1, 9}, {t->Command1, 9},  {a->Command1, 10}, {f->Command1, 10},
            {r->Command1, 10}, {s->Command2, 10}, {t->Command2, 10},
        };
        for (const auto &target : captions) {
            const QString caption = qobject_cast<QLabel *>(target.widget)
                                        ? qobject_cast<QLabel *>(target.widget)->text()
                                        : qobject_cast<QPushButton *>(target.widget)->text();
            QCOMPARE(caption, line(target.line));
        }
        QCOMPARE(m->Command2->toolTip(), line(17));
        QCOMPARE(m->Command4->toolTip(), line(18));
        QCOMPARE(m->Command6->toolTip(), line(19));
        QCOMPARE(m->Command7->toolTip(), line(20));
        // Never shown by the language.
        for (QWidget *dialog : std::initializer_list<QWidget *>{a, r, s, t, f})
            QVERIFY(!dialog->isVisible());

        // The help boxes show the language's texts.
        QTest::mouseClick(m->Command5, Qt::LeftButton);
        for (QPushButton *help : {a->Command2, r->Command4, s->Command1, t->Command1})
            help->click();
        QTest::mouseClick(m->Haftungsausschluss, Qt::LeftButton);
        QCOMPARE(messages.entries.size(), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(messages.entries[i].text, line(11 + i));
    }

    void backupsAreNeverOverwritten()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        tree.put(QStringLiteral("backup/commandmenu.txt"), "older\r\n");
        recordLanguage(tree, typed(tree), "test.lang");

        restartConfigurator();
        QCOMPARE(tree.read(QStringLiteral("backup/commandmenu.txt")), QByteArray("older\r\n"));
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);

        // The game files change (the user, the game's updater); the next
        // start replaces them again but keeps the first backups.
        tree.put(QStringLiteral("gfx/shell/kb_act.lst"), "changed\r\n");
        tree.put(QStringLiteral("valve.rc"), "changed\r\n");
        restartConfigurator();
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("backup/valve.rc")), kGameValve);
        QVERIFY(messages.entries.isEmpty());
    }

    void missingGameFileHasNothingToBackUp()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        QVERIFY(QFile::remove(tree.cstrike + QStringLiteral("/commandmenu.txt")));
        QVERIFY(QFile::remove(tree.cstrike + QStringLiteral("/valve.rc")));
        recordLanguage(tree, typed(tree), "test.lang");

        restartConfigurator();
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        QVERIFY(!tree.has(QStringLiteral("backup/commandmenu.txt")));
        QVERIFY(!tree.has(QStringLiteral("backup/valve.rc")));
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kGameKeys);
        // There was no original: recorded as such, so that the next start,
        // finding the language's copy, does not keep it as the game's.
        QVERIFY(tree.has(QStringLiteral("backup/commandmenu.txt.none")));
        QCOMPARE(tree.read(QStringLiteral("backup/commandmenu.txt.none")), QByteArray());
        QVERIFY(!tree.has(QStringLiteral("backup/kb_act.lst.none")));
        restartConfigurator();
        QVERIFY(!tree.has(QStringLiteral("backup/commandmenu.txt")));
        QVERIFY(messages.entries.isEmpty());
    }

    void startWithLanguageRecordedReappliesSilently()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        recordLanguage(tree, typed(tree), "test.lang");

        hauptmenu *m = restartConfigurator();
        QVERIFY(m->isVisible());
        QVERIFY(!Forms::get<firstrun>()->isVisible());
        QCOMPARE(Forms::get<firstrun>()->lang2->text(), QStringLiteral("test.lang"));
        QCOMPARE(m->Command8->text(), line(4));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);

        // A wrong folder at startup: nothing is said and nothing is made.
        recordLanguage(tree, typed(tree) + QStringLiteral("\\nirgends"), "test.lang");
        m = restartConfigurator();
        QVERIFY(m->isVisible());
        QCOMPARE(m->Command8->text(), line(4));
        QVERIFY(!QFileInfo::exists(tree.halfLife + QStringLiteral("/nirgends")));
        QVERIFY(messages.entries.isEmpty());
    }

    void startWithoutLanguageChangesNothing()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        recordLanguage(tree, typed(tree), "");
        hauptmenu *m = restartConfigurator();
        QCOMPARE(m->it1->text(), QStringLiteral("AN"));
        QCOMPARE(Forms::get<firstrun>()->lang2->text(), QString());
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
        QVERIFY(!tree.has(QStringLiteral("backup")));
    }

    void wrongHalfLifeFolderIsReportedAndChangesNothing()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        hauptmenu *m = restartConfigurator();
        firstrun *d = Forms::get<firstrun>();
        const QString wrong = tree.folder.path() + QStringLiteral("/Sierra");
        choose(d, wrong, QStringLiteral("test.lang"));
        QTest::mouseClick(d->Command2, Qt::LeftButton);

        QCOMPARE(messages.entries.size(), 1);
        const QString text = messages.entries[0].text;
        QVERIFY2(text.contains(QDir::toNativeSeparators(wrong + QStringLiteral("/cstrike/gfx/shell/kb_act.lst"))),
                 qPrintable(text));
        QVERIFY(text.contains(QDir::toNativeSeparators(wrong + QStringLiteral("/cstrike/commandmenu.txt"))));
        QVERIFY(text.contains(QStringLiteral("Half-Life-Verzeichnis")));
        QVERIFY(!QFileInfo::exists(wrong));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
        QVERIFY(!tree.has(QStringLiteral("backup")));
        // The captions are the language's all the same, and the main window takes over.
        QCOMPARE(m->it1->text(), line(1));
        QVERIFY(m->isVisible());
    }

    void aFailedCopyIsSkippedAndTheOtherMade_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("blocked");   // "list": a folder where the list goes; "backup": a file where the backups go
        QTest::addColumn<QString>("mentioned"); // the part of the message that names the cause

        QTest::newRow("line 21 empty") << languageFile("") << QString() << "Zeile 21";
        QTest::newRow("line 21 names a missing file") << languageFile("fehlt.lst") << QString() << "fehlt.lst";
        QTest::newRow("a folder where the list goes")
            << languageFile() << "list" << "kb_act.lst";
        QTest::newRow("a file where the backups go") << languageFile() << QString("backup") << "backup";
    }

    void aFailedCopyIsSkippedAndTheOtherMade()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, blocked);
        QFETCH(QString, mentioned);

        GameTree tree;
        MessageLog messages;
        installGame(tree);
        tree.folder.write(QStringLiteral("Half-Life/cstrike/qor/test.lang"), language);
        if (blocked == QLatin1String("backup")) {
            tree.put(blocked, "no folder\r\n");
        } else if (blocked == QLatin1String("list")) {
            QVERIFY(QFile::remove(tree.cstrike + QStringLiteral("/gfx/shell/kb_act.lst")));
            QVERIFY(QDir().mkpath(tree.cstrike + QStringLiteral("/gfx/shell/kb_act.lst/inhalt")));
        }
        hauptmenu *m = restartConfigurator();
        firstrun *d = Forms::get<firstrun>();
        choose(d, typed(tree), QStringLiteral("test.lang"));
        QTest::mouseClick(d->Command2, Qt::LeftButton);

        QCOMPARE(messages.entries.size(), 1);
        const QString text = messages.entries[0].text;
        QVERIFY2(text.contains(QStringLiteral("kb_act.lst")) && text.contains(mentioned), qPrintable(text));
        QVERIFY(m->isVisible());
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
            QVERIFY(QFileInfo(tree.cstrike + QStringLiteral("/gfx/shell/kb_act.lst/inhalt")).isDir());
    }

    void closingReplacesOnlyTheKeyBindings()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        hauptmenu *m = restartConfigurator();
        firstrun *d = Forms::get<firstrun>();
        choose(d, typed(tree), QStringLiteral("test.lang"));
        QVERIFY(d->close());

        QVERIFY(messages.entries.isEmpty());
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kLanguageKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
        QCOMPARE(tree.read(QStringLiteral("backup/kb_act.lst")), kGameKeys);
        QVERIFY(!tree.has(QStringLiteral("backup/commandmenu.txt")));
        QCOMPARE(m->it2->text(), line(2));
        QVERIFY(m->isVisible());
    }

    void closingWithAMissingReplacementKeepsTheGamesList()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        tree.folder.write(QStringLiteral("Half-Life/cstrike/qor/test.lang"), languageFile("fehlt.lst"));
        hauptmenu *m = restartConfigurator();
        firstrun *d = Forms::get<firstrun>();
        choose(d, typed(tree), QStringLiteral("test.lang"));
        QVERIFY(d->close());

        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kGameMenu);
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("fehlt.lst")));
        QVERIFY(!Forms::exists<firstrun>());
        QVERIFY(m->isVisible());
    }

    // The language step reads and writes inside the game only: lines 21 and
    // 22 name files of the package folder (a folder part, "..", an absolute
    // path is skipped), and no link out of the Half-Life folder is followed.
    // What is skipped is named; a Half-Life folder reached through a link is fine.
    void languageStepStaysInside_data()
    {
        QTest::addColumn<QByteArray>("keys"); // line 21
        QTest::addColumn<QString>("link");    // what becomes a link to the outside folder
        QTest::addColumn<bool>("keysReplaced");
        QTest::addColumn<bool>("menuReplaced");
        const QByteArray own = "test_kb_act.lst";
        // '/' separates on every system, so the file named is really there to take.
        QTest::newRow("leads up") << QByteArray("../private.lst") << "-" << false << true;
        QTest::newRow("subfolder") << QByteArray("sub/keys.lst") << "-" << false << true;
        QTest::newRow("absolute") << QByteArray("ABSOLUTE") << "-" << false << true;
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, no link
        QTest::newRow("gfx/shell folder") << own << "gfx/shell" << false << true;
        QTest::newRow("backup folder") << own << "backup" << false << false;
        QTest::newRow("game kb_act.lst, leading nowhere") << own << "gfx/shell/kb_act.lst" << false << true;
        QTest::newRow("replacement file") << own << "qor/test_kb_act.lst" << false << true;
        QTest::newRow("language file") << own << "qor/test.lang" << false << false;
        QTest::newRow("Half-Life folder itself") << own << "" << true << true;
#endif
    }

    void languageStepStaysInside()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QString, link);
        QFETCH(bool, keysReplaced);
        QFETCH(bool, menuReplaced);
        GameTree tree;
        QTemporaryDir outside;
        MessageLog messages;
        installGame(tree);
        tree.put(QStringLiteral("qor/sub/keys.lst"), "private\r\n");
        tree.put(QStringLiteral("private.lst"), "private\r\n");
        if (keys == "ABSOLUTE")
            keys = QDir::toNativeSeparators(tree.cstrike + QStringLiteral("/private.lst")).toLocal8Bit();
        tree.folder.write(QStringLiteral("Half-Life/cstrike/qor/test.lang"), languageFile(keys));
        QString halfLife = typed(tree);
        if (link.isEmpty()) {
            halfLife = outside.filePath(QStringLiteral("steam"));
            QVERIFY(QFile::link(tree.halfLife, halfLife));
        } else if (link != QLatin1String("-")) {
            const QString path = tree.cstrike + QLatin1Char('/') + link;
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
        saveAndGo(halfLife);

        QCOMPARE(snapshot(), before);
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")) == kLanguageKeys, keysReplaced);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")) == kLanguageMenu, menuReplaced);
        QCOMPARE(messages.entries.size(), keysReplaced ? 0 : 1);
        if (link == QLatin1String("-")) {
            QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
            QVERIFY2(messages.entries[0].text.contains(QString::fromLocal8Bit(keys)), qPrintable(messages.entries[0].text));
        }
        if (link == QLatin1String("qor/test.lang"))
            QCOMPARE(Forms::get<hauptmenu>()->it1->text(), QStringLiteral("AN"));
    }

    // A changed path file names another file as line 3 or 4: it is left
    // alone, without a word at start.
    void pathFileLinesOtherThanTheGameFilesAreSkipped()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        QStringList lines = PathFileLines(typed(tree), QStringLiteral("test.lang"));
        lines[2] = typed(tree) + QStringLiteral("\\cstrike\\valve.rc");
        QVERIFY(WriteTextFile(tree.qor + QStringLiteral("/pfad.kst"), lines));

        hauptmenu *m = restartConfigurator();
        QCOMPARE(tree.read(QStringLiteral("valve.rc")), kGameValve);
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), kLanguageMenu);
        QCOMPARE(m->it1->text(), line(1));
        QVERIFY(messages.entries.isEmpty());
    }

    // On a full disk the message names the real reason, not a wrong folder.
    void fullDiskIsNamedAsSuch()
    {
        FullDisk disk(QStringLiteral("256k"));
        if (!disk.mounted())
            QSKIP(qPrintable(disk.whyNot()));
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        // The game's list is there, its backup and the command menu are not: each write fails.
        const QString halfLife = disk.path() + QStringLiteral("/Half-Life");
        QVERIFY(QDir().mkpath(halfLife + QStringLiteral("/cstrike/gfx/shell")));
        QVERIFY(WriteTextFile(halfLife + QStringLiteral("/cstrike/gfx/shell/kb_act.lst"), {QStringLiteral("x")}));
        disk.fill();
        saveAndGo(halfLife);
        QCOMPARE(messages.entries.size(), 1);
        const QString text = messages.entries[0].text;
        QVERIFY2(text.contains(QString::fromLocal8Bit(strerror(ENOSPC))), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("Half-Life-Verzeichnis")), qPrintable(text));
    }

    void linesAreShownAsPlainText()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        QByteArray language = languageFile();
        language.replace("Zeile \xe4 1\r\n", "&Ja\r\n");
        language.replace("Zeile \xe4 3\r\n", "<i>Haftung</i>\r\n");
        language.replace("Zeile \xe4 10\r\n", "&Zu\r\n");
        language.replace("Zeile \xe4 17\r\n", "<b>fett</b> & mehr\r\n");
        tree.folder.write(QStringLiteral("Half-Life/cstrike/qor/test.lang"), language);
        recordLanguage(tree, typed(tree), "test.lang");

        hauptmenu *m = restartConfigurator();
        // "&&" is how a button shows one '&' and makes no shortcut of it.
        QCOMPARE(m->it1->text(), QStringLiteral("&&Ja"));
        QCOMPARE(m->Haftungsausschluss->text(), QStringLiteral("<i>Haftung</i>"));
        QCOMPARE(m->Haftungsausschluss->textFormat(), Qt::PlainText);
        QCOMPARE(QTextDocumentFragment::fromHtml(m->Command2->toolTip()).toPlainText(),
                 QStringLiteral("<b>fett</b> & mehr"));
        QCOMPARE(m->Command4->toolTip(), line(18));
        // The same for a dialog built after the language came.
        QCOMPARE(Forms::get<funmode>()->Command1->text(), QStringLiteral("&&Zu"));
    }

    // A language file that is gone keeps the built-in texts and is named at
    // start (at Save and Go: the link row of languageStepStaysInside).
    void languageFileGoneKeepsTheBuiltInTexts()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        recordLanguage(tree, typed(tree), "weg.lang");
        hauptmenu *m = restartConfigurator();
        QCOMPARE(m->it1->text(), QStringLiteral("AN"));
        QCOMPARE(m->Command6->toolTip(), QStringLiteral("Stellen sie hier die Benutzerdefinierten Töne ein."));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), kGameKeys);
        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries[0].text.contains(QStringLiteral("weg.lang")));
    }

    void sampleEnglishWorks()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        const QStringList files = samples.entryList(QDir::Files);
        QCOMPARE(files, (QStringList{"deutsch.lang", "deutsch_commandmenu.txt", "deutsch_kb_act.lst", "english.lang",
                                     "english_commandmenu.txt", "english_kb_act.lst"}));
        for (const QString &name : files)
            QVERIFY(QFile::copy(samples.filePath(name), tree.qor + QLatin1Char('/') + name));
        const auto bytes = [&](const QString &name) {
            return tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/") + name);
        };

        // 22 lines, every one ended by CR LF, none empty.
        const QByteArray language = bytes(QStringLiteral("english.lang"));
        QCOMPARE(language.count("\r\n"), 22);
        QVERIFY(language.endsWith("\r\n"));
        QVERIFY(!language.contains("\r\n\r\n"));
        QCOMPARE(language.count('\n'), 22);

        hauptmenu *m = restartConfigurator();
        firstrun *d = Forms::get<firstrun>();
        choose(d, typed(tree), QStringLiteral("english.lang"));
        QTest::mouseClick(d->Command2, Qt::LeftButton);
        QVERIFY2(messages.entries.isEmpty(), qPrintable(messages.entries.value(0).text));
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")), bytes(QStringLiteral("english_kb_act.lst")));
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")), bytes(QStringLiteral("english_commandmenu.txt")));
        QCOMPARE(m->Command8->text(), QStringLiteral("Settings"));
        QCOMPARE(Forms::get<restock>()->Command1->text(), QStringLiteral("Close"));
    }

    // German is kept by choosing it: every caption, help text and tooltip the
    // same as built in, and the game gets the German key list and menu.
    void sampleGermanKeepsTheBuiltInTexts()
    {
        GameTree tree;
        MessageLog messages;
        installGame(tree);
        const QDir samples(QStringLiteral(KORVEL_LANGUAGES));
        for (const QString &name : samples.entryList({QStringLiteral("deutsch*")}, QDir::Files))
            QVERIFY(QFile::copy(samples.filePath(name), tree.qor + QLatin1Char('/') + name));
        const QByteArray language = tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/deutsch.lang"));
        QCOMPARE(language.count("\r\n"), 22);
        QCOMPARE(language.count('\n'), 22);
        QCOMPARE(language.count('\r'), 22);
        recordLanguage(tree, typed(tree), "");

        hauptmenu *m = restartConfigurator();
        // Every option dialog too, though none is opened at start.
        Forms::get<amcm>();
        Forms::get<restock>();
        Forms::get<sound>();
        Forms::get<text>();
        Forms::get<funmode>();
        const auto texts = [] {
            QStringList all;
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (qobject_cast<firstrun *>(window))
                    continue; // names the language chosen
                for (QPushButton *button : window->findChildren<QPushButton *>())
                    all << button->text() << button->toolTip();
                for (QLabel *label : window->findChildren<QLabel *>())
                    all << label->text();
            }
            return all;
        };
        const QStringList builtIn = texts();
        QTest::mouseClick(m->Command8, Qt::LeftButton);
        firstrun *d = Forms::get<firstrun>();
        choose(d, typed(tree), QStringLiteral("deutsch.lang"));
        QTest::mouseClick(d->Command2, Qt::LeftButton);

        QVERIFY2(messages.entries.isEmpty(), qPrintable(messages.entries.value(0).text));
        QCOMPARE(d->lang2->text(), QStringLiteral("deutsch.lang"));
        QCOMPARE(texts(), builtIn);
        QCOMPARE(tree.read(QStringLiteral("gfx/shell/kb_act.lst")),
                 tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/deutsch_kb_act.lst")));
        QCOMPARE(tree.read(QStringLiteral("commandmenu.txt")),
                 tree.folder.read(QStringLiteral("Half-Life/cstrike/qor/deutsch_commandmenu.txt")));
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
