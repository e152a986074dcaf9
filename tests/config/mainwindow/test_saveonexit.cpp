#include "gametree.h"
#include "mainwindow.h"
#include "notice.h"
#include "optiondialog.h"
#include "pathfile.h"
#include "platform.h"
#include "scripttext.h"
#include "setupdialog.h"
#include "testsupport.h"
#include "textfiles.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kPathFile = "c:\\hl\r\n\r\nc:\\hl\\cstrike\\gfx\\shell\\kb_act.lst\r\nc:\\hl\\cstrike\\commandmenu.txt\r\n";

// The controls behind the state files' lines, in line order, as the tests name them.
const char *const kVariaKeys[] = {
    "amcm.pwfeld", "amcm.pass", "restock.big1", "restock.big2", "restock.big3", "restock.big4",
    "restock.big5", "restock.small1", "restock.small2", "restock.small3", "text.Text1", "text.Text2",
    "text.Text3", "text.Text4", "text.Text5", "sound.snd1", "sound.snd2", "sound.snd3",
    "amcm.Text1", "amcm.Text2", "text.Text6", "text.Text7", "text.Text8",
};
const char *const kBuyKeys[] = {
    "reload", "usp", "glock", "p90", "mp5", "para", "scout", "awp", "g3sg1", "xm1014", "super90", "sigp228",
    "deagle", "ump45", "teampistol", "ak47", "uzi", "aug", "sg550", "he", "smoke", "flash", "defuse", "plant",
};
// "fun.cfg" lines 2 to 25: alias and box.
const char *const kFunAliases[][2] = {
    {"sayreload", "reload"}, {"sayusp", "usp"}, {"sayglock", "glock"}, {"sayp90", "p90"},
    {"saymp5", "mp5"}, {"saypara", "para"}, {"sayscout", "scout"}, {"sayawp", "awp"},
    {"sayg3sg1", "g3sg1"}, {"saym3", "super90"}, {"sayp228", "sigp228"}, {"saydeagle", "deagle"},
    {"sayump45", "ump45"}, {"sayteampistol", "teampistol"}, {"ak47", "ak47"}, {"sayteamrifle1", "ak47"},
    {"sayteamsmg", "uzi"}, {"sayteamrifle2", "aug"}, {"sayteamsniper", "sg550"}, {"sayhe", "he"},
    {"saysmoke", "smoke"}, {"sayflash", "flash"}, {"saydefuse", "defuse"}, {"sayplant", "plant"},
};

// The control behind `key`: "dialog.name", or a personal mode box by its name alone.
QWidget *controlOf(const QString &key)
{
    const QString window = key.contains(QLatin1Char('.')) ? key.section(QLatin1Char('.'), 0, 0) : QString();
    const QByteArray name = key.section(QLatin1Char('.'), -1).toLatin1();
    QWidget *owner = nullptr;
    if (window == QLatin1String("amcm"))
        owner = dialog<ServerAccessDialog>();
    else if (window == QLatin1String("restock"))
        owner = dialog<RestockDialog>();
    else if (window == QLatin1String("text"))
        owner = dialog<TextMessageDialog>();
    else if (window == QLatin1String("sound"))
        owner = dialog<SoundDialog>();
    else
        owner = dialog<PersonalModeDialog>();
    return control<QWidget>(owner, name.constData());
}

void setValue(const QString &key, const QString &value)
{
    QWidget *widget = controlOf(key);
    if (auto *box = qobject_cast<QComboBox *>(widget))
        box->setEditText(value);
    else
        qobject_cast<QLineEdit *>(widget)->setText(value);
}

QString valueOf(const QString &key)
{
    QWidget *widget = controlOf(key);
    if (auto *box = qobject_cast<QComboBox *>(widget))
        return box->currentText();
    return qobject_cast<QLineEdit *>(widget)->text();
}

QByteArray fileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += ToWindows1252(line) + "\r\n";
    return bytes;
}

// A game script's lines: one that says something in the chat is UTF-8, the others Windows-1252.
QByteArray scriptBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const bool chat = line.contains(QLatin1String(" \"say")) || line.contains(QLatin1String(" \"speak "));
        bytes += (chat ? line.toUtf8() : ToWindows1252(line)) + "\r\n";
    }
    return bytes;
}

// `text` cut to what a chat box takes: 100 bytes of UTF-8.
QString chatCut(QString text)
{
    while (text.toUtf8().size() > 100)
        text.chop(1);
    return text;
}

QStringList emptyLines(int count)
{
    return QStringList(count, QString());
}

QStringList restockAliases(const QStringList &items = emptyLines(8))
{
    QStringList lines;
    for (int i = 0; i < 5; ++i)
        lines << QStringLiteral("alias bigre_item%1 \"%2\"").arg(i + 1).arg(items.at(i));
    for (int i = 0; i < 3; ++i)
        lines << QStringLiteral("alias smallre_item%1 \"%2\"").arg(i + 1).arg(items.at(5 + i));
    return lines;
}

// The chat, sound and team message aliases of "varis.cfg", each with its body from `bodies` or empty.
QStringList messageAliases(const QHash<QString, QString> &bodies = {})
{
    QStringList lines;
    for (const char *name : {"txt1", "txt2", "txt3", "txt4", "txt5", "snd1", "snd2", "snd3", "tm1", "tm2", "tm3"})
        lines << QStringLiteral("alias %1 \"%2\"").arg(QLatin1String(name), bodies.value(QLatin1String(name)));
    return lines;
}

QStringList funLines(const QHash<QString, QString> &boxes = {})
{
    QStringList lines{QStringLiteral("//Vom Configurator erstellte Datei fuer Benutzerdefiniertes Sayscript")};
    for (const auto &alias : kFunAliases) {
        const QString box = boxes.value(alias[1]);
        lines << QStringLiteral("alias %1 \"%2\"")
                     .arg(QLatin1String(alias[0]), box.isEmpty() ? QString() : "say_team -=" + box + "=-");
    }
    return lines;
}

// Records how the process would end instead of ending it.
struct ProcessEnd
{
    QList<int> codes;
    ProcessEnd() { Platform::setEndProcessHook([this](int code) { codes << code; }); }
    ~ProcessEnd() { Platform::setEndProcessHook({}); }
};

// Types text as key presses, characters beyond ASCII included.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

MainWindow *start(const PackageFolder &folder)
{
    folder.write(QStringLiteral("pfad.kst"), kPathFile);
    return restartConfigurator();
}

} // namespace

class TestSaveOnExit : public QObject
{
    Q_OBJECT

private:
    static void verifyFile(const PackageFolder &folder, const QString &name, const QStringList &lines)
    {
        const QByteArray actual = folder.read(name);
        const QByteArray expected = name.endsWith(QLatin1String(".cfg")) ? scriptBytes(lines) : fileBytes(lines);
        if (actual != expected)
            qWarning().noquote() << name << "\n got:" << actual.left(3000) << "\nwant:" << expected.left(3000);
        QVERIFY2(actual == expected, qPrintable(name));
    }

private slots:
    void initTestCase() { qApp->setQuitOnLastWindowClosed(false); }

    void savedFiles_data()
    {
        // inputs: "control=value"; varia and buy: "line=value" over empty lines; fun: "box=text".
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("varis");
        QTest::addColumn<QStringList>("varia");
        QTest::addColumn<QStringList>("buy");
        QTest::addColumn<QStringList>("fun");

        const QStringList head{"exec qor/ori.cfg", "", ""};
        const QString long600 = QString::fromUtf8("Grüße aus Köln, 5 € für dich! ").repeated(20);

        QTest::newRow("everything empty") << QStringList() << head + restockAliases() + messageAliases()
                                          << QStringList() << QStringList() << QStringList();
        QTest::newRow("second server entry only")
            << QStringList{"amcm.Text1=_pw", "amcm.Text2=geheim"}
            << head + QStringList{"setinfo \"_pw\" \"geheim\""} + restockAliases() + messageAliases()
            << QStringList{"19=_pw", "20=geheim"} << QStringList() << QStringList();
        QTest::newRow("password without field name")
            << QStringList{"amcm.pass=geheim"} << head + restockAliases() + messageAliases()
            << QStringList{"2=geheim"} << QStringList() << QStringList();
        QTest::newRow("field name without password")
            << QStringList{"amcm.pwfeld=_pw"} << head + restockAliases() + messageAliases() << QStringList{"1=_pw"}
            << QStringList() << QStringList();
        QTest::newRow("only a space") << QStringList{"text.Text1= ", "reload= "}
                                      << head + restockAliases() + messageAliases({{"txt1", "say -= =-"}})
                                      << QStringList{"11= "} << QStringList{"1= "} << QStringList{"reload= "};
        QTest::newRow("sound in the second box only")
            << QStringList{"sound.snd2=hello"}
            << head + restockAliases() + messageAliases({{"snd2", "speak hello; say -=hello=-"}})
            << QStringList{"17=hello"} << QStringList() << QStringList();
        QTest::newRow("restock word not in the list")
            << QStringList{"restock.big2=Handgranate", "restock.small1=---"}
            << head + restockAliases({"", "Handgranate", "", "", "", "---", "", ""}) + messageAliases()
            << QStringList{"4=Handgranate", "8=---"} << QStringList() << QStringList();
        QTest::newRow("xm1014 is stored only")
            << QStringList{"xm1014=Schrotflinte"} << head + restockAliases() + messageAliases() << QStringList()
            << QStringList{"10=Schrotflinte"} << QStringList();
        QTest::newRow("quote and semicolon in a message")
            << QStringList{"text.Text2=Sag \"gg\"; quit", "he=\"Feuer\"; frei"}
            << head + restockAliases() + messageAliases({{"txt2", "say -=Sag 'gg': quit=-"}})
            << QStringList{"12=Sag \"gg\"; quit"} << QStringList{"20=\"Feuer\"; frei"}
            << QStringList{"he='Feuer': frei"};
        QTest::newRow("message of 600 characters, cut by the box")
            << QStringList{"text.Text6=" + long600}
            << head + restockAliases() + messageAliases({{"tm1", "say_team -=" + chatCut(long600) + "=-"}})
            << QStringList{"21=" + chatCut(long600)} << QStringList() << QStringList();
    }

    void savedFiles()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, varis);
        QFETCH(QStringList, varia);
        QFETCH(QStringList, buy);
        QFETCH(QStringList, fun);

        PackageFolder folder;
        ProcessEnd end;
        MainWindow *m = start(folder);
        for (const QString &input : inputs)
            setValue(input.section(QLatin1Char('='), 0, 0), input.section(QLatin1Char('='), 1));
        m->close();
        QCOMPARE(end.codes, QList<int>{0});

        QStringList variaLines = emptyLines(23);
        for (const QString &set : varia)
            variaLines[set.section(QLatin1Char('='), 0, 0).toInt() - 1] = set.section(QLatin1Char('='), 1);
        QStringList buyLines = emptyLines(24);
        for (const QString &set : buy)
            buyLines[set.section(QLatin1Char('='), 0, 0).toInt() - 1] = set.section(QLatin1Char('='), 1);
        QHash<QString, QString> funBoxes;
        for (const QString &set : fun)
            funBoxes.insert(set.section(QLatin1Char('='), 0, 0), set.section(QLatin1Char('='), 1));

        verifyFile(folder, QStringLiteral("varis.cfg"), varis);
        verifyFile(folder, QStringLiteral("varia.kst"), variaLines);
        verifyFile(folder, QStringLiteral("buy.kst"), buyLines);
        verifyFile(folder, QStringLiteral("fun.cfg"), funLines(funBoxes));
    }

    void germanEverywhereWithSwitchesOn()
    {
        PackageFolder folder;
        ProcessEnd end;
        MainWindow *m = start(folder);
        QTest::mouseClick(control<QPushButton>(m, "say1"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(m, "fun1"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(m, "it1"), Qt::LeftButton);
        // Sound names and server access take ASCII only: there the key itself.
        auto german = [](const char *key) {
            const QString name = QLatin1String(key);
            return name.startsWith(QLatin1String("amcm.")) || name.startsWith(QLatin1String("sound."))
                       ? name
                       : QString::fromUtf8("Grüße ß € ") + name;
        };
        QStringList variaLines, buyLines;
        for (const char *key : kVariaKeys) {
            setValue(QLatin1String(key), german(key));
            variaLines << german(key);
        }
        QHash<QString, QString> funBoxes;
        for (const char *key : kBuyKeys) {
            setValue(QLatin1String(key), german(key));
            buyLines << german(key);
            funBoxes.insert(QLatin1String(key), german(key));
        }
        m->close();
        QCOMPARE(end.codes, QList<int>{0});

        QStringList items;
        for (int i = 2; i < 10; ++i)
            items << german(kVariaKeys[i]);
        QStringList varis{"exec qor/fun.cfg", "sayscript", "noitembuy",
                          "setinfo \"amcm.pwfeld\" \"amcm.pass\"", "setinfo \"amcm.Text1\" \"amcm.Text2\""};
        varis += restockAliases(items);
        for (int i = 1; i <= 5; ++i)
            varis << QStringLiteral("alias txt%1 \"say -=%2=-\"").arg(i).arg(german(kVariaKeys[9 + i]));
        for (int i = 1; i <= 3; ++i) {
            const QString name = german(kVariaKeys[14 + i]);
            varis << QStringLiteral("alias snd%1 \"speak %2; say -=%2=-\"").arg(i).arg(name);
        }
        for (int i = 1; i <= 3; ++i)
            varis << QStringLiteral("alias tm%1 \"say_team -=%2=-\"").arg(i).arg(german(kVariaKeys[19 + i]));

        verifyFile(folder, QStringLiteral("varis.cfg"), varis);
        verifyFile(folder, QStringLiteral("varia.kst"), variaLines);
        verifyFile(folder, QStringLiteral("buy.kst"), buyLines);
        verifyFile(folder, QStringLiteral("fun.cfg"), funLines(funBoxes));
        // Restock entries stay Windows-1252, what the chat says is UTF-8.
        QVERIFY(folder.read(QStringLiteral("varis.cfg")).contains("\xfc\xdf" "e \xdf \x80 restock.big1"));
        QVERIFY(folder.read(QStringLiteral("varis.cfg")).contains("\xc3\xbc\xc3\x9f" "e \xc3\x9f \xe2\x82\xac text.Text1"));
    }
    void unchangedRestartWritesTheStateFilesBack()
    {
        PackageFolder folder;
        ProcessEnd end;
        QStringList varia;
        for (int i = 1; i <= 23; ++i)
            varia << QString::fromUtf8("Wert %1 für €; \"da\"  ").arg(i);
        varia[3] = QStringLiteral("hegrenade");
        varia[4] = QStringLiteral("Tippwort");
        varia[10] = QString();
        QStringList buy;
        for (int i = 1; i <= 24; ++i)
            buy << QString::fromUtf8("Team %1 ß").arg(i);
        buy[9] = QString();
        folder.write(QStringLiteral("varia.kst"), fileBytes(varia));
        folder.write(QStringLiteral("buy.kst"), fileBytes(buy));

        MainWindow *m = start(folder);
        for (int i = 0; i < 23; ++i)
            QCOMPARE(valueOf(QLatin1String(kVariaKeys[i])), varia.at(i));
        for (int i = 0; i < 24; ++i)
            QCOMPARE(valueOf(QLatin1String(kBuyKeys[i])), buy.at(i));
        // The edit text is set; no list item is picked by it, not even a matching one.
        QCOMPARE(control<QComboBox>(dialog<RestockDialog>(), "big2")->currentIndex(), -1);
        QCOMPARE(control<QComboBox>(dialog<RestockDialog>(), "big3")->currentText(), QStringLiteral("Tippwort"));

        m->close();
        QCOMPARE(end.codes, QList<int>{0});
        QCOMPARE(folder.read(QStringLiteral("varia.kst")), fileBytes(varia));
        QCOMPARE(folder.read(QStringLiteral("buy.kst")), fileBytes(buy));
    }

    // A close that has nothing new to write writes nothing: each file keeps
    // its time. A changed value writes the files that hold it again, whole.
    void unchangedFilesAreNotWrittenAgain()
    {
        PackageFolder folder;
        ProcessEnd end;
        start(folder)->close();
        const QStringList files{"varis.cfg", "varia.kst", "buy.kst", "fun.cfg"};
        const QDateTime longAgo(QDate(2001, 1, 1), QTime(12, 0), Qt::UTC);
        QHash<QString, QByteArray> saved;
        for (const QString &name : files) {
            QFile file(QDir(folder.path()).filePath(name));
            QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(longAgo, QFileDevice::FileModificationTime));
            saved.insert(name, folder.read(name));
        }
        const auto timeOf = [&folder](const QString &name) {
            return QFileInfo(QDir(folder.path()).filePath(name)).lastModified();
        };

        start(folder)->close();
        for (const QString &name : files) {
            QCOMPARE(timeOf(name), longAgo);
            QCOMPARE(folder.read(name), saved.value(name));
        }

        MainWindow *m = start(folder);
        setValue(QStringLiteral("text.Text1"), QStringLiteral("hallo"));
        m->close();
        QCOMPARE(end.codes, (QList<int>{0, 0, 0}));
        QVERIFY(timeOf(QStringLiteral("varis.cfg")) > longAgo);
        QVERIFY(timeOf(QStringLiteral("varia.kst")) > longAgo);
        QCOMPARE(timeOf(QStringLiteral("buy.kst")), longAgo);
        QCOMPARE(timeOf(QStringLiteral("fun.cfg")), longAgo);
        QVERIFY(folder.read(QStringLiteral("varis.cfg")).contains("\r\nalias txt1 \"say -=hallo=-\"\r\nalias txt2 \"\"\r\n"));
        QCOMPARE(folder.read(QStringLiteral("varia.kst")).split('\n').at(Varia::ChatMessage1), QByteArray("hallo\r"));
    }

    // A value that begins with a byte-order mark's bytes, or is nothing else,
    // stands first in its state file: saved as it is, shown again by the next
    // start, which saves it unchanged. Typed where the box takes it; the
    // server boxes take these letters only as a stored value.
    void markLikeValuesSurviveTheNextStart_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("typed");  // false: in the state file before the first start
        QTest::addColumn<QString>("file");
        QTest::newRow("Personal Mode, ÿþ typed") << "reload" << QString::fromUtf8("ÿþ gg") << true << "buy.kst";
        QTest::newRow("Personal Mode, þÿ typed") << "reload" << QString::fromUtf8("þÿ los") << true << "buy.kst";
        QTest::newRow("Personal Mode, ï»¿ typed") << "reload" << QString::fromUtf8("ï»¿Feuer") << true << "buy.kst";
        QTest::newRow("Personal Mode, ÿþ alone") << "reload" << QString::fromUtf8("ÿþ") << true << "buy.kst";
        QTest::newRow("field name, ÿþ stored") << "amcm.pwfeld" << QString::fromUtf8("ÿþ_pw") << false << "varia.kst";
        QTest::newRow("field name, þÿ alone stored") << "amcm.pwfeld" << QString::fromUtf8("þÿ") << false
                                                     << "varia.kst";
        QTest::newRow("field name, ï»¿ alone stored") << "amcm.pwfeld" << QString::fromUtf8("ï»¿") << false
                                                      << "varia.kst";
    }

    void markLikeValuesSurviveTheNextStart()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, typed);
        QFETCH(QString, file);
        PackageFolder folder;
        ProcessEnd end;
        MessageLog messages;
        QStringList lines = emptyLines(file == QLatin1String("buy.kst") ? 24 : 23);
        lines[0] = value;
        if (!typed)
            folder.write(file, fileBytes(lines));

        start(folder);
        if (typed) {
            QLineEdit *box = qobject_cast<QLineEdit *>(controlOf(key));
            QVERIFY(box);
            type(box, value);
        }
        QCOMPARE(valueOf(key), value);
        configurator()->close();
        QCOMPARE(folder.read(file), fileBytes(lines));

        MainWindow *m = start(folder);
        QCOMPARE(valueOf(key), value);
        m->close();
        QCOMPARE(end.codes, (QList<int>{0, 0}));
        QCOMPARE(folder.read(file), fileBytes(lines));
        QVERIFY(messages.entries.isEmpty());
    }

    void shortAndLongStateFiles()
    {
        PackageFolder folder;
        ProcessEnd end;
        folder.write(QStringLiteral("varia.kst"),
                     "_pw\r\ngeheim\r\nkevlar\r\nhegrenade\r\nflashbang\r\nmunition\r\n---\r\n"
                     "smokegrenade\r\nnightvision\r\nMein Wort");
        QByteArray buy;
        for (int i = 1; i <= 30; ++i)
            buy += "Zeile " + QByteArray::number(i) + "\r\n";
        folder.write(QStringLiteral("buy.kst"), buy);
        start(folder);

        const QStringList first10{"_pw", "geheim", "kevlar", "hegrenade", "flashbang", "munition", "---",
                                  "smokegrenade", "nightvision", "Mein Wort"};
        for (int i = 0; i < 23; ++i)
            QCOMPARE(valueOf(QLatin1String(kVariaKeys[i])), i < 10 ? first10.at(i) : QString());
        for (int i = 0; i < 24; ++i)
            QCOMPARE(valueOf(QLatin1String(kBuyKeys[i])), QStringLiteral("Zeile %1").arg(i + 1));

        configurator()->close();
        QStringList buyLines;
        for (int i = 1; i <= 24; ++i)
            buyLines << QStringLiteral("Zeile %1").arg(i);
        verifyFile(folder, QStringLiteral("buy.kst"), buyLines);
        verifyFile(folder, QStringLiteral("varia.kst"), first10 + emptyLines(13));
    }

    // Typed into dialogs, one hidden again with its "Schließen" button and one
    // still open when the main window closes.
    void typedEditsInHiddenAndOpenDialogsAreSaved()
    {
        PackageFolder folder;
        ProcessEnd end;
        MainWindow *m = start(folder);

        TextMessageDialog *t = dialog<TextMessageDialog>();
        t->show();
        type(control<QLineEdit>(t, "Text1"), QString::fromUtf8("Grüß dich"));
        QTest::mouseClick(control<QPushButton>(t, "Command2"), Qt::LeftButton);
        QVERIFY(t->isHidden());

        RestockDialog *r = dialog<RestockDialog>();
        r->show();
        type(control<QComboBox>(r, "small2"), QStringLiteral("eigenes"));
        QTest::mouseClick(control<QPushButton>(r, "Command1"), Qt::LeftButton);

        PersonalModeDialog *f = dialog<PersonalModeDialog>();
        f->show();
        type(control<QLineEdit>(f, "ak47"), QStringLiteral("Colt"));
        QVERIFY(f->isVisible());

        m->close();
        QCOMPARE(end.codes, QList<int>{0});
        QVERIFY(!m->isVisible());
        QStringList varis{"exec qor/ori.cfg", "", ""};
        varis += restockAliases({"", "", "", "", "", "", "eigenes", ""});
        varis += messageAliases({{"txt1", QString::fromUtf8("say -=Grüß dich=-")}});
        verifyFile(folder, QStringLiteral("varis.cfg"), varis);
        QCOMPARE(folder.read(QStringLiteral("varia.kst")).split('\n').at(10), ansi("Grüß dich\r"));
        QCOMPARE(folder.read(QStringLiteral("buy.kst")).split('\n').at(15), QByteArray("Colt\r"));
        verifyFile(folder, QStringLiteral("fun.cfg"), funLines({{"ak47", "Colt"}}));
    }

    // Stored values, however long (10 MB here), are cleaned and cut to what the boxes
    // take, flagged where changed or not reaching the game; the files then hold the boxes.
    void storedValuesAreCleanedAndCut()
    {
        PackageFolder folder;
        ProcessEnd end;
        QStringList varia = emptyLines(23);
        varia[Varia::ChatMessage1] = QString(10 * 1024 * 1024, QLatin1Char('m'));
        varia[Varia::BigRestock1] = QString(600, QLatin1Char('k'));
        varia[Varia::Sound1] = QStringLiteral("a b//c");
        varia[Varia::PasswordField1] = QStringLiteral("my field");
        varia[Varia::Password1] = QStringLiteral("geheim");
        varia[Varia::TeamMessage1] = QStringLiteral("a\x01" "b\tc");
        QStringList buy = emptyLines(24);
        buy[Buy::Reload] = QString(200, QLatin1Char('r'));
        folder.write(QStringLiteral("varia.kst"), fileBytes(varia));
        folder.write(QStringLiteral("buy.kst"), fileBytes(buy));

        MainWindow *m = start(folder);
        const QList<std::tuple<QString, QString, QString>> boxes = {
            {"text.Text1", QString(100, QLatin1Char('m')), "10485760 Zeichen lang"},
            {"restock.big1", QString(500, QLatin1Char('k')), "600 Zeichen lang"},
            {"sound.snd1", "a b//c", "Im Spiel: speak a_b//c"},
            {"amcm.pwfeld", "my field", "nicht: Leerzeichen"},
            {"amcm.pass", "geheim", "Feldname: "},
            {"text.Text6", "ab c", "Steuerzeichen"},
            {"reload", QString(100, QLatin1Char('r')), "200 Zeichen lang"},
        };
        for (const auto &[key, held, why] : boxes) {
            QCOMPARE(valueOf(key), held);
            QWidget *box = controlOf(key);
            auto *edit = qobject_cast<QLineEdit *>(box) ? qobject_cast<QLineEdit *>(box)
                                                        : qobject_cast<QComboBox *>(box)->lineEdit();
            QVERIFY2(edit->toolTip().contains(why), qPrintable(key + ": " + edit->toolTip()));
            QVERIFY(edit->actions().first()->isVisible());
        }
        QVERIFY(qobject_cast<QLineEdit *>(controlOf(QStringLiteral("text.Text2")))->toolTip().isEmpty());
        // The server access dialog says so as it opens.
        dialog<ServerAccessDialog>()->show();
        // Under Wine on a busy machine the showing takes its time.
        QTRY_VERIFY_WITH_TIMEOUT(Notice::shownFor(control<QLineEdit>(dialog<ServerAccessDialog>(), "pwfeld"))
                                     .contains(QStringLiteral("nicht in varis.cfg")),
                                 15000);
        m->close();

        varia[Varia::ChatMessage1] = QString(100, QLatin1Char('m'));
        varia[Varia::BigRestock1] = QString(500, QLatin1Char('k'));
        varia[Varia::TeamMessage1] = QStringLiteral("ab c");
        buy[Buy::Reload] = QString(100, QLatin1Char('r'));
        QCOMPARE(folder.read(QStringLiteral("varia.kst")), fileBytes(varia));
        QCOMPARE(folder.read(QStringLiteral("buy.kst")), fileBytes(buy));
        const QByteArray varis = folder.read(QStringLiteral("varis.cfg"));
        QVERIFY(!varis.contains("setinfo"));
        QVERIFY(varis.contains("alias bigre_item1 \"" + QByteArray(500, 'k') + "\"\r\n"));
        QVERIFY(varis.contains("alias snd1 \"speak a_b//c; say -=a_b//c=-\"\r\n"));
        QVERIFY(varis.contains("alias tm1 \"say_team -=ab c=-\"\r\n"));
    }

    // The start builds no dialog, not even the setup dialog; one never opened
    // loses nothing: the files come out byte for byte as when every dialog is
    // opened (each value as its box would hold it, cut, cleaned and flagged
    // ones included).
    void dialogsNeverOpenedLoseNothing()
    {
        PackageFolder folder;
        ProcessEnd end;
        QStringList varia, buy;
        for (int i = 1; i <= 23; ++i)
            varia << QString::fromUtf8("Wert %1 für €").arg(i);
        for (int i = 1; i <= 24; ++i)
            buy << QString::fromUtf8("Team %1 ß").arg(i);
        varia[Varia::ChatMessage1] = QString(300, QLatin1Char('m'));
        varia[Varia::TeamMessage2] = QStringLiteral("a\tb");
        varia[Varia::PasswordField1] = QStringLiteral("my field");
        varia[Varia::Sound2] = QStringLiteral("a b//c");
        varia[Varia::BigRestock3] = QStringLiteral("hegrenade");
        buy[Buy::Plant] = QString(200, QLatin1Char('p'));
        const QStringList files{"varis.cfg", "varia.kst", "buy.kst", "fun.cfg"};
        QList<bool> dialogsThere;
        const auto saved = [&](bool openDialogs) {
            folder.write(QStringLiteral("varia.kst"), fileBytes(varia));
            folder.write(QStringLiteral("buy.kst"), fileBytes(buy));
            MainWindow *m = start(folder);
            if (openDialogs) {
                for (QPushButton *opener : {control<QPushButton>(m, "Command2"), control<QPushButton>(m, "Command4"),
                                            control<QPushButton>(m, "Command6"), control<QPushButton>(m, "Command7"),
                                            control<QPushButton>(m, "Command9")})
                    QTest::mouseClick(opener, Qt::LeftButton);
            }
            dialogsThere << (hasDialog<RestockDialog>() || hasDialog<ServerAccessDialog>() || hasDialog<SoundDialog>()
                             || hasDialog<TextMessageDialog>() || hasDialog<PersonalModeDialog>()
                             || hasDialog<SetupDialog>());
            m->close();
            QList<QByteArray> bytes;
            for (const QString &name : files)
                bytes << folder.read(name);
            return bytes;
        };
        const QList<QByteArray> neverOpened = saved(false);
        QCOMPARE(neverOpened, saved(true));
        QCOMPARE(dialogsThere, QList<bool>({false, true}));
        QCOMPARE(end.codes, QList<int>({0, 0}));

        varia[Varia::ChatMessage1].truncate(100);
        varia[Varia::TeamMessage2] = QStringLiteral("a b");
        buy[Buy::Plant].truncate(100);
        QCOMPARE(neverOpened.at(1), fileBytes(varia));
        QCOMPARE(neverOpened.at(2), fileBytes(buy));
    }

    // Files that can't be written are each tried, and one message names every one that failed.
    void failedSaveTriesEveryFile_data()
    {
        // One letter per file of varis.cfg, varia.kst, buy.kst, fun.cfg: '-' writable,
        // 'F' a folder stands there, 'L' a link out of the game (to nothing for fun.cfg).
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QString>("halfLife");  // line 1 of the path file
        QTest::newRow("varis.cfg") << "F---" << "c:\\hl";
        QTest::newRow("varia.kst") << "-F--" << "c:\\hl";
        QTest::newRow("buy.kst and fun.cfg") << "--FF" << "c:\\hl";
#ifndef Q_OS_WIN  // QFile::link makes a shortcut there, no link
        QTest::newRow("links out of the game") << "L--L" << "c:\\hl";
        // The root is no Half-Life folder: it bounds nothing.
        QTest::newRow("links out, Half-Life folder /") << "L--L" << "/";
#endif
    }

    void failedSaveTriesEveryFile()
    {
        QFETCH(QString, kinds);
        QFETCH(QString, halfLife);
        const QStringList names{"varis.cfg", "varia.kst", "buy.kst", "fun.cfg"};
        PackageFolder folder;
        QTemporaryDir outside;
        ProcessEnd end;
        MessageLog messages;
        const QDir dir(folder.path());
        for (int i = 0; i < names.size(); ++i) {
            if (kinds[i] == QLatin1Char('F'))
                QVERIFY(dir.mkdir(names[i]));
            else if (kinds[i] == QLatin1Char('L'))
                QVERIFY(QFile::link(outside.filePath(names[i]), dir.filePath(names[i])));
            else
                folder.write(names[i], "alt\r\n");
        }
        QFile target(outside.filePath(QStringLiteral("varis.cfg")));
        QVERIFY(target.open(QIODevice::WriteOnly) && target.write("draussen\r\n") == 10);
        target.close();

        QVERIFY(WriteTextFile(QStringLiteral("pfad.kst"), PathFile::For(halfLife, QString()).lines()));
        MainWindow *m = restartConfigurator();
        setValue(QStringLiteral("text.Text1"), QStringLiteral("neu"));
        setValue(QStringLiteral("reload"), QStringLiteral("neu"));
        m->close();

        QCOMPARE(end.codes, QList<int>{1});
        QCOMPARE(messages.entries.size(), 1);
        const QString text = messages.entries.at(0).text;
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(text.contains(QDir::toNativeSeparators(dir.absoluteFilePath(names[i]))), kinds[i] != QLatin1Char('-'));
            if (kinds[i] == QLatin1Char('-'))
                QVERIFY2(folder.read(names[i]).contains("neu"), qPrintable(names[i]));
            else if (kinds[i] == QLatin1Char('F'))
                QVERIFY(QFileInfo(dir.filePath(names[i])).isDir());
        }
        QCOMPARE(QDir(outside.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"varis.cfg"});
        QVERIFY(target.open(QIODevice::ReadOnly));
        QCOMPARE(target.readAll(), QByteArray("draussen\r\n"));
    }

    // A state file that can't be read (here a link out of the game, which is
    // not followed) is named once and left as it is at exit, and so is the
    // script made from the same settings, but for the switch lines of
    // varis.cfg, which follow the switches; the other two are saved as usual.
    void unreadableStateFileIsKept_data()
    {
        QTest::addColumn<QString>("unreadable");
        QTest::addColumn<QString>("readable");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("before");  // the script at start; empty: none there
        QTest::addColumn<QByteArray>("after");
        const QByteArray values = "setinfo \"_pw\" \"alt\"\r\nalias txt1 \"say -=\xfc=-\"\n\r\nalias tm1 \"x\"";
        QTest::newRow("varia.kst") << "varia.kst" << "buy.kst" << "varis.cfg"
                                   << "exec qor/ori.cfg\r\n\nsayscript\r" + values
                                   << "exec qor/fun.cfg\r\n\r\nnoitembuy\r\n" + values;
        QTest::newRow("varia.kst, varis.cfg short") << "varia.kst" << "buy.kst" << "varis.cfg"
                                                    << QByteArray("exec qor/ori.cfg")
                                                    << QByteArray("exec qor/fun.cfg\r\n\r\nnoitembuy\r\n");
        QTest::newRow("varia.kst, no varis.cfg") << "varia.kst" << "buy.kst" << "varis.cfg" << QByteArray()
                                                 << QByteArray();
        QTest::newRow("buy.kst") << "buy.kst" << "varia.kst" << "fun.cfg" << QByteArray("alt\r\n")
                                 << QByteArray("alt\r\n");
    }

    void unreadableStateFileIsKept()
    {
#ifdef Q_OS_LINUX
        QFETCH(QString, unreadable);
        QFETCH(QString, readable);
        QFETCH(QString, script);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        PackageFolder folder;
        ProcessEnd end;
        MessageLog messages;
        const QString link = QDir(folder.path()).filePath(unreadable);
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), link));
        folder.write(readable, "eins\r\n");
        if (!before.isEmpty())
            folder.write(script, before);
        MainWindow *m = start(folder);

        QCOMPARE(messages.entries.size(), 1);
        QVERIFY(messages.entries.at(0).text.contains(QDir::toNativeSeparators(link)));
        QVERIFY(!messages.entries.at(0).text.contains(readable));
        setValue(QStringLiteral("text.Text8"), QStringLiteral("neu"));
        setValue(QStringLiteral("plant"), QStringLiteral("neu"));
        QTest::mouseClick(control<QPushButton>(m, "fun1"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(m, "it1"), Qt::LeftButton);
        m->close();

        QCOMPARE(end.codes, QList<int>{0});
        QCOMPARE(QFileInfo(link).symLinkTarget(), QStringLiteral("/proc/self/mem"));
        QVERIFY(folder.read(readable).startsWith("eins\r\n"));
        QVERIFY(folder.read(readable).endsWith("neu\r\n"));
        QCOMPARE(folder.has(script), !before.isEmpty());
        QCOMPARE(folder.read(script), after);
        QVERIFY(folder.read(script == QLatin1String("fun.cfg") ? QStringLiteral("varis.cfg") : QStringLiteral("fun.cfg"))
                    .contains("-=neu=-"));

        // The next start begins afresh: a readable file is saved again.
        QFile::remove(link);
        m = start(folder);
        m->close();
        QVERIFY(folder.has(unreadable));
        QVERIFY(!QFileInfo(link).isSymLink());
#else
        QSKIP("needs /proc/self/mem to make a read fail");
#endif
    }
    // What a save killed between writing and renaming left (a temporary of
    // the writers, a file or a link) is cleared at the next save, in each
    // folder the configurator writes to; the player's files of like names stay.
    void staleTemporaryFilesAreRemoved_data()
    {
        QTest::addColumn<QString>("folder");  // below cstrike
        QTest::newRow("package folder") << "qor";
        QTest::newRow("cstrike") << ".";
        QTest::newRow("gfx/shell") << "gfx/shell";
        QTest::newRow("backup") << "backup";
    }

    void staleTemporaryFilesAreRemoved()
    {
        QFETCH(QString, folder);
        GameTree tree;
        QTemporaryDir outside;
        ProcessEnd end;
        QVERIFY(WriteTextFile(QStringLiteral("pfad.kst"), PathFile::For(tree.halfLife, QString()).lines()));
        const QStringList stale{"varis.cfg.korvel-tmp-Ab12Cd", "kb_act.lst.korvel-tmp-x9Y8z7"};
        const QStringList kept{"varis.cfg.backup", "varis.cfg.ABCDEF", "fun.cfg.korvel-tmp-Ab12C"};
        for (const QString &name : stale + kept)
            tree.put(folder + QLatin1Char('/') + name, "x");
        // A leftover link goes as a link: what it leads to stays.
        const QString link = tree.cstrike + QLatin1Char('/') + folder + QStringLiteral("/valve.rc.korvel-tmp-QWERTZ");
#ifndef Q_OS_WIN // QFile::link makes a shortcut there, no link
        QVERIFY(QFile::link(outside.path(), link));
#endif

        restartConfigurator()->close();
        QCOMPARE(end.codes, QList<int>{0});
        for (const QString &name : stale)
            QVERIFY2(!tree.has(folder + QLatin1Char('/') + name), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(tree.has(folder + QLatin1Char('/') + name), qPrintable(name));
        QVERIFY(!QFileInfo(link).isSymLink() && QDir(outside.path()).exists());
    }

    // The setup dialog, open or hidden again, must not record its path at exit.
    void setupDialogAtExitLeavesThePathFile_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::newRow("open") << false;
        QTest::newRow("hidden") << true;
    }

    void setupDialogAtExitLeavesThePathFile()
    {
        QFETCH(bool, hidden);
        PackageFolder folder;
        ProcessEnd end;
        MainWindow *m = start(folder);
        QTest::mouseClick(control<QPushButton>(m, "Command8"), Qt::LeftButton);
        SetupDialog *setup = dialog<SetupDialog>();
        QVERIFY(setup->isVisible());
        control<QLineEdit>(setup, "pfad")->setText(QStringLiteral("d:\\anders"));
        if (hidden)
            setup->hide();

        m->close();
        QCOMPARE(end.codes, QList<int>{0});
        QVERIFY(hasDialog<SetupDialog>());
        QCOMPARE(setup->isVisible(), !hidden);
        QCOMPARE(folder.read(QStringLiteral("pfad.kst")), kPathFile);
        QVERIFY(folder.has(QStringLiteral("fun.cfg")));
    }
};

QTEST_MAIN(TestSaveOnExit)
#include "test_saveonexit.moc"
