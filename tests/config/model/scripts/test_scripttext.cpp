#include "scripttext.h"
#include "valuerules.h"
#include "textfiles.h"

#include <QtTest>

namespace {

QByteArray fileBytes(const QStringList &lines)
{
    return ToWindows1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The game's console as it reads a script, with the quirks of both the
// original GoldSrc engine and Xash3D FWGS at once. Every command that runs
// becomes one event: its words joined by '|', or for a chat command what the
// server gets of it.
class Console
{
public:
    QList<QByteArray> events;
    int dropped = 0;  // words after a command's 80th, which it ran without

    // Runs `text` like a script file, to its end, aliases included.
    void run(const QByteArray &text)
    {
        m_buffer = text;
        for (int commands = 0; !m_buffer.isEmpty() && commands < 10000; ++commands) {
            // A command ends at a ';' outside quotes or at a line end; Xash3D
            // skips an escaped quote inside quotes and drops a "//" comment
            // at the command's start or after a byte up to 0x20.
            qsizetype end = 0;
            qsizetype comment = -1;
            bool quoted = false;
            for (; end < m_buffer.size(); ++end) {
                const char c = m_buffer.at(end);
                if (c == '\n' || c == '\r')
                    break;
                if (quoted && c == '\\' && end + 1 < m_buffer.size()
                    && (m_buffer.at(end + 1) == '"' || m_buffer.at(end + 1) == '\\')) {
                    ++end;
                } else if (c == '"') {
                    quoted = !quoted;
                } else if (!quoted && comment < 0 && m_buffer.mid(end, 2) == "//"
                           && (end == 0 || uchar(m_buffer.at(end - 1)) <= 0x20)) {
                    comment = end;
                } else if (!quoted && comment < 0 && c == ';') {
                    break;
                }
            }
            // Lines of 1023 bytes or more are cut.
            const QByteArray line = m_buffer.left(comment >= 0 ? comment : end).left(1022);
            m_buffer.remove(0, end + 1);
            execute(line);
        }
    }

private:
    QByteArray m_buffer;
    QHash<QByteArray, QByteArray> m_aliases;

    static bool space(char c) { return uchar(c) <= 0x20 || uchar(c) >= 0x80; }  // signed chars in GoldSrc
    static bool single(char c) { return QByteArray("{}()',:").contains(c); }

    void execute(const QByteArray &line)
    {
        QList<QByteArray> argv;
        QByteArray args;  // the raw rest after the first word
        for (qsizetype p = 0;;) {
            while (p < line.size() && space(line.at(p)))
                ++p;
            if (p >= line.size() || line.mid(p, 2) == "//")
                break;
            if (argv.size() == 1)
                args = line.mid(p);
            QByteArray word;
            if (line.at(p) == '"') {
                for (++p; p < line.size() && line.at(p) != '"'; ++p) {
                    if (line.at(p) == '\\' && p + 1 < line.size() && line.at(p + 1) == '"')
                        ++p;
                    word += line.at(p);
                }
                ++p;
            } else if (single(line.at(p))) {
                word = line.mid(p++, 1);
            } else {
                while (p < line.size() && !space(line.at(p)) && !single(line.at(p)))
                    word += line.at(p++);
            }
            if (word.size() >= 515)  // stops the line
                break;
            if (argv.size() < 80)
                argv << word;
            else
                ++dropped;
        }
        if (argv.isEmpty())
            return;

        const QByteArray name = argv.at(0).toLower();
        if (name == "alias" && argv.size() >= 2) {
            // The words after the name, each followed by a space, then a line end.
            QByteArray body;
            for (qsizetype i = 2; i < argv.size(); ++i)
                body += argv.at(i) + ' ';
            m_aliases.insert(argv.at(1).toLower(), body + '\n');
            events << "alias|" + argv.at(1);
        } else if (m_aliases.contains(name)) {
            m_buffer.prepend(m_aliases.value(name));
        } else if (name == "say" || name == "say_team") {
            // The server takes 127 bytes of the command.
            QByteArray sent = (argv.at(0) + ' ' + args).left(127);
            while (sent.endsWith(' '))
                sent.chop(1);
            events << sent;
        } else {
            events << argv.join('|');
        }
    }
};

} // namespace

class TestScriptText : public QObject
{
    Q_OBJECT

private slots:
    // The same value in every box, read as the game reads "varis.cfg" and
    // "fun.cfg": each alias runs the one command meant, each message is said
    // by the rules within the server's 127 bytes, a server access pair is set
    // exactly as typed or not at all, and nothing else runs.
    void consoleRunsWhatWasMeant_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("said");          // the message as the game gets it, within 119 bytes
        QTest::addColumn<QString>("sound");         // the name `speak` gets
        QTest::addColumn<QStringList>("restock");   // the commands a restock item runs
        QTest::addColumn<bool>("password");         // set as a password with the field name "_pw"
        QTest::addColumn<bool>("field");            // set as a field name with the password "pw"
        QTest::addColumn<QString>("split");         // where engine builds split a restock item differently

        const QString x2000(2000, QLatin1Char('x'));
        const QString slashes(130, QLatin1Char('/'));
        const QString words81 = QStringList(81, QStringLiteral("a")).join(QLatin1Char(' '));
        // An empty box: no chat alias in "varis.cfg"; the Personal Mode aliases are there and say nothing.
        QTest::newRow("empty") << "" << "" << "" << QStringList{} << false << false << "";
        QTest::newRow("ordinary") << "hallo" << "hallo" << "hallo" << QStringList{"hallo"} << true << true << "";
        QTest::newRow("smiley") << "-=gg ;) wp=-" << "-=gg :) wp=-" << "-_gg____wp_-" << QStringList{"-=gg", ")|wp=-"}
                                << true << false << ")";
        QTest::newRow("quit") << "hi; quit" << "hi: quit" << "hi__quit" << QStringList{"hi", "quit"}
                              << true << false << "";
        QTest::newRow("comment") << "//" << "/ /" << "/_" << QStringList{"/|/"} << true << true << "";
        QTest::newRow("comment inside") << "buy // x" << "buy / / x" << "buy_//_x" << QStringList{"buy|/|/|x"}
                                        << true << false << "";
        QTest::newRow("comment after a semicolon") << "x;//y" << "x:/ /y" << "x_//y" << QStringList{"x", "/|/y"}
                                                   << true << true << "";
        QTest::newRow("comment after an umlaut") << "ä//x" << "ä/ /x" << "_//x" << QStringList{"/|/x"}
                                                 << false << false << "ä";
        QTest::newRow("slashes inside a word") << "http://x.y/a//b" << "http:/ /x.y/a/ /b" << "http_//x.y/a//b"
                                               << QStringList{"http|:|/|/x.y/a//b"} << true << true << ":";
        QTest::newRow("slash backslash") << "/\\" << "/ /" << "/_" << QStringList{"/"} << false << false << "";
        QTest::newRow("backslash") << "\\" << "/" << "_" << QStringList{} << false << false << "";
        QTest::newRow("quote") << "\"" << "'" << "_" << QStringList{"'"} << false << false << "'";
        QTest::newRow("breaks, tab, control") << "a\tb\r\nc\x01" "d" << "a b cd" << "a_b_cd" << QStringList{"a|b|cd"}
                                              << true << false << "";
        QTest::newRow("German and euro") << "Grüße €" << "Grüße €" << "Gr__e__" << QStringList{"Gr|e"}
                                         << false << false << "üß€";
        QTest::newRow("2000 bytes") << x2000 << x2000.left(119) << x2000.left(64) << QStringList{x2000.left(500)}
                                    << false << false << "";
        QTest::newRow("130 slashes") << slashes << QStringLiteral("/ ").repeated(60).left(119)
                                     << "/_" + QString(62, QLatin1Char('/'))
                                     << QStringList{QStringList(80, QStringLiteral("/")).join(QLatin1Char('|'))}
                                     << false << false << "";
        QTest::newRow("81 words") << words81 + ";b" << words81.left(119) << QString(words81).replace(' ', '_').left(64)
                                  << QStringList{QStringList(80, QStringLiteral("a")).join(QLatin1Char('|')), "b"}
                                  << false << false << "";
        QTest::newRow("81 single-character words") << QString(81, QLatin1Char('(')) << QString(81, QLatin1Char('('))
                                                   << QString(64, QLatin1Char('_'))
                                                   << QStringList{QStringList(80, QStringLiteral("(")).join('|')}
                                                   << false << false << "(";
        QTest::newRow("punctuation") << "p(a,ss:w'd" << "p(a,ss:w'd" << "p_a_ss_w_d"
                                     << QStringList{"p|(|a|,|ss|:|w|'|d"} << true << true << "(,:'";
        QTest::newRow("two dots") << ".." << ".." << ".." << QStringList{".."} << false << false << "";
        QTest::newRow("star") << "*pw" << "*pw" << "_pw" << QStringList{"*pw"} << true << false << "";
        QTest::newRow("umlaut first") << "überall" << "überall" << "_berall" << QStringList{"berall"}
                                      << false << false << "ü";
        QTest::newRow("17 bytes") << "0123456789abcdefg" << "0123456789abcdefg" << "0123456789abcdefg"
                                  << QStringList{"0123456789abcdefg"} << true << false << "";
    }

    void consoleRunsWhatWasMeant()
    {
        QFETCH(QString, value);
        QFETCH(QString, said);
        QFETCH(QString, sound);
        QFETCH(QStringList, restock);
        QFETCH(bool, password);
        QFETCH(bool, field);
        QFETCH(QString, split);
        QCOMPARE(ValueRules::RestockSplitCharacters(value), split);

        Settings values;
        for (QList<SettingValue> *file : {&values.varia, &values.buy}) {
            for (SettingValue &each : *file)
                each.text = value;
        }
        values.varia[Varia::PasswordField1].text = QStringLiteral("_pw");
        values.varia[Varia::Password2].text = QStringLiteral("pw");
        const ScriptFiles files = GenerateScripts(values);

        // Each alias of "varis.cfg" and "fun.cfg", in file order, with what it must run.
        QList<QByteArray> restockRuns;
        for (const QString &command : restock)
            restockRuns << ToWindows1252(command);
        const bool filled = !value.isEmpty();
        const QList<QByteArray> team =
            filled ? QList<QByteArray>{ToWindows1252("say_team -=" + said.left(114) + "=-")} : QList<QByteArray>{};
        QList<std::pair<QByteArray, QList<QByteArray>>> aliases;
        const auto expect = [&aliases](const QByteArray &name, int count, const QList<QByteArray> &runs) {
            for (int i = 1; i <= count; ++i)
                aliases.push_back({name + QByteArray::number(i), runs});
        };
        expect("bigre_item", 5, restockRuns);
        expect("smallre_item", 3, restockRuns);
        if (filled) {
            expect("txt", 5, {ToWindows1252("say -=" + said + "=-")});
            expect("snd", 3, {"speak|" + sound.toLatin1(), "say -=" + sound.toLatin1() + "=-"});
            expect("tm", 3, team);
        }
        for (const char *name : {"sayreload", "sayusp", "sayglock", "sayp90", "saymp5", "saypara", "sayscout",
                                 "sayawp", "sayg3sg1", "saym3", "sayp228", "saydeagle", "sayump45", "sayteampistol",
                                 "ak47", "sayteamrifle1", "sayteamsmg", "sayteamrifle2", "sayteamsniper", "sayhe",
                                 "saysmoke", "sayflash", "saydefuse", "sayplant"})
            aliases.push_back({name, team});

        Console game;
        game.run(fileBytes(files.varisCfg));
        game.run(fileBytes(files.funCfg));
        QList<QByteArray> loaded{"exec|qor/ori.cfg"};
        // As the box holds it: cleaned.
        const QByteArray secret = ValueRules::Clean(value).toLatin1();
        if (password)
            loaded << "setinfo|_pw|" + secret;
        if (field)
            loaded << "setinfo|" + secret + "|pw";
        for (const auto &[name, runs] : aliases)
            loaded << "alias|" + name;
        QCOMPARE(game.events, loaded);
        for (const auto &[name, runs] : aliases) {
            game.events.clear();
            game.dropped = 0;
            game.run(name + "\n");
            QVERIFY2(game.events == runs, name + ": " + game.events.join(" / "));
            // A restock item is written as the game runs it: no word left to drop.
            if (name.contains("re_item"))
                QCOMPARE(game.dropped, 0);
        }

        // The state files keep one value a line, as a box holds it.
        QCOMPARE(files.variaKst.size(), int(Varia::LineCount));
        QCOMPARE(files.buyKst.size(), int(Buy::LineCount));
        for (const QString &line : files.variaKst + files.buyKst)
            QVERIFY(!line.contains(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f-\\x9f]"))));
    }
};

QTEST_APPLESS_MAIN(TestScriptText)
#include "test_scripttext.moc"
