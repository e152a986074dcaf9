#include "scripttext.h"

#include <QtTest>

namespace {

ScriptValues emptyValues()
{
    ScriptValues values;
    values.slot2 = QStringLiteral("ori.cfg");
    values.quote = QStringLiteral("\"");
    values.semicolon = QStringLiteral(";");
    for (int i = 0; i < Varia::LineCount; ++i)
        values.varia << QString();
    for (int i = 0; i < Buy::LineCount; ++i)
        values.buy << QString();
    return values;
}

QString times(char c, int n)
{
    return QString(n, QLatin1Char(c));
}

} // namespace

// What the game console would cut or misread never reaches the game scripts,
// while the state files keep the value as typed.
class TestScriptText : public QObject
{
    Q_OBJECT

private slots:
    void gameScriptsFitTheConsole_data()
    {
        QTest::addColumn<bool>("personal");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");

        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");

        QTest::newRow("team message of 600") << false << int(Varia::Text8) << times('t', 600)
                                             << "alias tm3 \"say_team -=" + times('t', 487) + "=-\"";
        QTest::newRow("restock word of 600") << false << int(Varia::Small3) << times('k', 600)
                                             << "alias smallre_item3 \"" + times('k', 500) + "\"";
        QTest::newRow("sound name of 300, said twice")
            << false << int(Varia::Snd1) << times('s', 300)
            << "alias snd1 \"speak " + times('s', 242) + "; say -=" + times('s', 242) + "=-\"";
        QTest::newRow("quote and semicolon") << false << int(Varia::Text2) << QStringLiteral("a\"b;c")
                                             << QStringLiteral("alias txt2 \"say -=a'b;c=-\"");
        QTest::newRow("line breaks") << false << int(Varia::Text3) << QStringLiteral("a\r\nb\nc")
                                     << QStringLiteral("alias txt3 \"say -=a  b c=-\"");
        QTest::newRow("quoted sound name") << false << int(Varia::Snd2) << QStringLiteral("\"hi\"")
                                           << QStringLiteral("alias snd2 \"speak 'hi'; say -='hi'=-\"");
        QTest::newRow("character outside Windows-1252 is not split")
            << false << int(Varia::Text4) << times('x', 491) + emoji + QStringLiteral("zz")
            << "alias txt4 \"say -=" + times('x', 491) + emoji + "=-\"";
        QTest::newRow("quote in a restock word") << false << int(Varia::Big1) << QStringLiteral("kev\"lar")
                                                 << QStringLiteral("alias bigre_item1 \"kev'lar\"");
        QTest::newRow("quote in a password") << false << int(Varia::Pass) << QStringLiteral("ge\"heim")
                                             << QStringLiteral("setinfo  ge'heim");
        QTest::newRow("personal line of 600 with a quote")
            << true << int(Buy::Reload) << "\"" + times('r', 600)
            << "alias sayreload \"say_team -='" + times('r', 486) + "=-\"";
        QTest::newRow("personal line break") << true << int(Buy::Plant) << QStringLiteral("a\nb")
                                             << QStringLiteral("alias sayplant \"say_team -=a b=-\"");
    }

    void gameScriptsFitTheConsole()
    {
        QFETCH(bool, personal);
        QFETCH(int, line);
        QFETCH(QString, value);
        QFETCH(QString, expected);

        ScriptValues values = emptyValues();
        (personal ? values.buy : values.varia)[line] = value;
        const ScriptFiles files = GenerateScripts(values);

        const QStringList &script = personal ? files.funCfg : files.varisCfg;
        QVERIFY2(script.contains(expected), qPrintable(script.join(QLatin1Char('\n')).left(2000)));
        QCOMPARE((personal ? files.buyKst : files.variaKst).at(line), value);
    }

    // Field name and password are not quoted; each is kept to 500 bytes, so
    // the line stays below the 1023 bytes after which the console cuts it.
    void setinfoLineStaysBelowTheLineLimit()
    {
        ScriptValues values = emptyValues();
        values.varia[Varia::AmcmText1] = times('f', 900);
        values.varia[Varia::AmcmText2] = times('p', 900);
        const ScriptFiles files = GenerateScripts(values);
        QCOMPARE(files.varisCfg.at(3), "setinfo " + times('f', 500) + " " + times('p', 500));
        QVERIFY(files.varisCfg.at(3).size() < 1023);
        QCOMPARE(files.variaKst.at(Varia::AmcmText1), times('f', 900));
    }
};

QTEST_APPLESS_MAIN(TestScriptText)
#include "test_scripttext.moc"
