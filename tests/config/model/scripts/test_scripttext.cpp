#include "language.h"
#include "scripttext.h"
#include "textfiles.h"
#include "valuejudgement.h"
#include "valuerules.h"

#include <QtTest>

namespace {

QByteArray fileBytes(const QList<QByteArray> &lines)
{
    return lines.join("\r\n") + "\r\n";
}

// The bytes of `text` that make whole UTF-8 characters, the rest dropped, as
// the game code repairs a chat line.
QByteArray repairedUtf8(const QByteArray &text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size();) {
        const uchar lead = uchar(text.at(i));
        const int size = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                         : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
        bool whole = size > 0 && i + size <= text.size();
        for (int k = 1; whole && k < size; ++k)
            whole = (uchar(text.at(i + k)) & 0xC0) == 0x80;
        if (whole && QString::fromUtf8(text.mid(i, size)).toUtf8() == text.mid(i, size))
            out += text.mid(i, size);
        i += whole ? size : 1;
    }
    return out;
}

// The game code's chat handler on the server: what the players read of the
// text after "say " or "say_team " (`args`, as the server got it) when said
// with the chat format `format` ("#Cstrike_Chat_All"...), at a map place named
// `place` (none when empty). Empty when nothing is said.
QByteArray chatRead(QByteArray args, const QByteArray &format, const QByteArray &place = {})
{
    if (args.startsWith('"')) {
        args.remove(0, 1);
        args.chop(1);
    }
    QString text = QString::fromUtf8(repairedUtf8(args));
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || u == 0x2026 || (u >= 0x202A && u <= 0x202E) || (u >= 0x206A && u <= 0x206F);
    });
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    while (!text.isEmpty() && text.front().isSpace())
        text.remove(0, 1);
    QByteArray said = text.toUtf8();
    // 128 bytes less the line end, its terminator, the format's name and the place with its space.
    const qsizetype room = 128 - 3 - format.size() - (place.isEmpty() ? 0 : place.size() + 1);
    said.truncate(room);
    for (qsizetype i = 0; i < said.size(); ++i) {
        const char next = i + 1 < said.size() ? said.at(i + 1) : '\0';
        if (said.at(i) == '%' && next != 'l' && next != ' ' && next != '\0')
            said[i] = ' ';
    }
    return said;
}

// The chat formats of the game code, one for each state of the player.
const QByteArray kSayFormats[] = {"#Cstrike_Chat_All", "#Cstrike_Chat_AllDead", "#Cstrike_Chat_AllSpec"};
const QByteArray kSayTeamFormats[] = {"#Cstrike_Chat_CT", "#Cstrike_Chat_T", "#Cstrike_Chat_CT_Dead",
                                      "#Cstrike_Chat_T_Dead", "#Cstrike_Chat_Spec"};

// The game's console as it reads a script, with the quirks of both the
// original GoldSrc engine and Xash3D FWGS at once. Every command that runs
// becomes one event: its words joined by '|', or for a chat command the
// command and what the team reads of it, said by a dead player (whose line
// the game code keeps shortest). `chatSent` keeps what the server got of each.
class Console
{
public:
    QList<QByteArray> events;
    int dropped = 0;  // words after a command's 80th, which it ran without
    QList<QByteArray> chatSent;

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
            const QByteArray sent = (argv.at(0) + ' ' + args).left(127);
            chatSent << sent;
            const QByteArray format = name == "say" ? "#Cstrike_Chat_AllDead" : "#Cstrike_Chat_CT_Dead";
            events << argv.at(0) + ' ' + chatRead(sent.mid(argv.at(0).size() + 1), format);
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
    // "fun.cfg": each alias runs the one command meant, each chat line reaches
    // the team whole, as its box's note says, a server access pair is set
    // exactly as typed or not at all, and nothing else runs.
    void consoleRunsWhatWasMeant_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("said");          // what the team reads between "-=" and "=-"
        QTest::addColumn<QString>("sound");         // the name `speak` gets
        QTest::addColumn<QStringList>("restock");   // the commands a restock item runs
        QTest::addColumn<bool>("password");         // set as a password with the field name "_pw"
        QTest::addColumn<bool>("field");            // set as a field name with the password "pw"
        QTest::addColumn<QString>("split");         // where engine builds split a restock item differently

        const QString x2000(2000, QLatin1Char('x'));
        const QString slashes(130, QLatin1Char('/'));
        const QString words81 = QStringList(81, QStringLiteral("a")).join(QLatin1Char(' '));
        const QString umlauts(60, QChar(0xFC));
        // An empty box: its aliases say nothing.
        QTest::newRow("empty") << "" << "" << "" << QStringList{} << false << false << "";
        QTest::newRow("ordinary") << "hallo" << "hallo" << "hallo" << QStringList{"hallo"} << true << true << "";
        QTest::newRow("smiley") << "-=gg ;) wp=-" << "-=gg :) wp=-" << "-_gg____wp_-" << QStringList{"-=gg", ")|wp=-"}
                                << true << false << ")";
        QTest::newRow("quit") << "hi; quit" << "hi: quit" << "hi__quit" << QStringList{"hi", "quit"}
                              << true << false << "";
        QTest::newRow("comment") << "//" << "//" << "/_" << QStringList{"/|/"} << true << true << "";
        QTest::newRow("comment inside") << "buy // x" << "buy / / x" << "buy_//_x" << QStringList{"buy|/|/|x"}
                                        << true << false << "";
        QTest::newRow("comment after a semicolon") << "x;//y" << "x://y" << "x_//y" << QStringList{"x", "/|/y"}
                                                   << true << true << "";
        QTest::newRow("comment after an umlaut") << "ä//x" << "ä//x" << "_//x" << QStringList{"/|/x"}
                                                 << false << false << "ä";
        QTest::newRow("slashes after a space") << "a ///b" << "a / / /b" << "a_///b" << QStringList{"a|/|/|/b"}
                                               << true << false << "";
        QTest::newRow("slashes inside a word") << "http://x.y/a//b" << "http://x.y/a//b" << "http_//x.y/a//b"
                                               << QStringList{"http|:|/|/x.y/a//b"} << true << true << ":";
        QTest::newRow("slash backslash") << "/\\" << "/\\" << "/_" << QStringList{"/"} << false << false << "";
        QTest::newRow("backslash") << "\\" << "\\" << "_" << QStringList{} << false << false << "";
        QTest::newRow("quote") << "\"" << "'" << "_" << QStringList{"'"} << false << false << "'";
        QTest::newRow("breaks, tab, control") << "a\tb\r\nc\x01" "d" << "a b cd" << "a_b_cd" << QStringList{"a|b|cd"}
                                              << true << false << "";
        QTest::newRow("German and euro") << "Grüße €" << "Grüße €" << "Gr__e__" << QStringList{"Gr|e"}
                                         << false << false << "üß€";
        QTest::newRow("percent") << "100% %s %l %" << "100%  s %l  " << "100___s__l__" << QStringList{"100%|%s|%l|%"}
                                 << true << false << "";
        QTest::newRow("ellipsis") << "Moment…" << "Moment" << "Moment_" << QStringList{"Moment"} << false << false
                                  << "…";
        QTest::newRow("2000 bytes") << x2000 << x2000.left(100) << x2000.left(64) << QStringList{x2000.left(500)}
                                    << false << false << "";
        QTest::newRow("umlauts, two bytes each") << umlauts << umlauts.left(50) << QString(60, QLatin1Char('_'))
                                                 << QStringList{} << false << false << QString(QChar(0xFC));
        QTest::newRow("130 slashes") << slashes << slashes.left(100) << "/_" + QString(62, QLatin1Char('/'))
                                     << QStringList{QStringList(80, QStringLiteral("/")).join(QLatin1Char('|'))}
                                     << false << false << "";
        QTest::newRow("81 words") << words81 + ";b" << words81.left(100) << QString(words81).replace(' ', '_').left(64)
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
            filled ? QList<QByteArray>{("say_team -=" + said + "=-").toUtf8()} : QList<QByteArray>{};
        QList<std::pair<QByteArray, QList<QByteArray>>> aliases;
        const auto expect = [&aliases](const QByteArray &name, int count, const QList<QByteArray> &runs) {
            for (int i = 1; i <= count; ++i)
                aliases.push_back({name + QByteArray::number(i), runs});
        };
        expect("bigre_item", 5, restockRuns);
        expect("smallre_item", 3, restockRuns);
        expect("txt", 5, filled ? QList<QByteArray>{("say -=" + said + "=-").toUtf8()} : QList<QByteArray>{});
        expect("snd", 3,
               filled ? QList<QByteArray>{"speak|" + sound.toLatin1(), "say -=" + sound.toLatin1() + "=-"}
                      : QList<QByteArray>{});
        expect("tm", 3, team);
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
        // A chat box's note shows what the team reads.
        for (const Varia::Line line : {Varia::ChatMessage1, Varia::TeamMessage1}) {
            const QString inGame = JudgeValue(Language(), values, line).inGame;
            QCOMPARE(ValueRules::TeamReads("-=" + inGame + "=-"), "-=" + said + "=-");
        }

        // The state files keep one value a line, as a box holds it.
        QCOMPARE(files.variaKst.size(), int(Varia::LineCount));
        QCOMPARE(files.buyKst.size(), int(Buy::LineCount));
        for (const QString &line : files.variaKst + files.buyKst)
            QVERIFY(!line.contains(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f-\\x9f]"))));
    }

    // The model of the game code's chat handler, held to what it does with
    // the text after "say " or "say_team ".
    void chatHandlerModel_data()
    {
        QTest::addColumn<QByteArray>("args");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QByteArray>("place");
        QTest::addColumn<QByteArray>("reads");
        const QByteArray x(120, 'x');
        QTest::newRow("Windows-1252 letters dropped") << QByteArray("Gr\xfc\xdf" "e an alle") << kSayFormats[0]
                                                      << QByteArray() << QByteArray("Gre an alle");
        QTest::newRow("UTF-8 letters kept") << QByteArray("Gr\xc3\xbc\xc3\x9f" "e") << kSayFormats[0] << QByteArray()
                                            << QByteArray("Gr\xc3\xbc\xc3\x9f" "e");
        QTest::newRow("quotes around") << QByteArray("\"hi there\"") << kSayFormats[0] << QByteArray()
                                       << QByteArray("hi there");
        QTest::newRow("spaces at the ends, an ellipsis") << QByteArray("  a\xe2\x80\xa6" "b  ") << kSayFormats[0]
                                                         << QByteArray() << QByteArray("ab");
        QTest::newRow("percent signs") << QByteArray("%s %l % 5%") << kSayFormats[0] << QByteArray()
                                       << QByteArray(" s %l % 5%");
        QTest::newRow("all, alive") << x << kSayFormats[0] << QByteArray() << x.left(108);
        QTest::newRow("all, dead") << x << kSayFormats[1] << QByteArray() << x.left(104);
        QTest::newRow("team, CT") << x << kSayTeamFormats[0] << QByteArray() << x.left(109);
        QTest::newRow("team, T") << x << kSayTeamFormats[1] << QByteArray() << x.left(110);
        QTest::newRow("team, CT at a place") << x << kSayTeamFormats[0] << QByteArray("BombsiteA") << x.left(99);
        QTest::newRow("nothing but spaces") << QByteArray("   ") << kSayFormats[0] << QByteArray() << QByteArray();
    }

    void chatHandlerModel()
    {
        QFETCH(QByteArray, args);
        QFETCH(QByteArray, format);
        QFETCH(QByteArray, place);
        QFETCH(QByteArray, reads);
        QCOMPARE(chatRead(args, format, place), reads);
    }

    // The longest values of every chat box: each line the scripts say reaches
    // every player whole, dead or alive, in every team; in team chat a place
    // name of the length the box's note gives leaves it whole, one longer cuts it.
    void chatLinesReachEveryPlayerWhole_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("ASCII") << QString(100, QLatin1Char('x'));
        QTest::newRow("umlauts") << QString(50, QChar(0xFC));
        QTest::newRow("euro signs") << QString(33, QChar(0x20AC)) + QLatin1Char('x');
        QTest::newRow("percent signs") << QString(100, QLatin1Char('%'));
        QTest::newRow("quotes and semicolons") << QStringLiteral("a ;\"").repeated(25);
        QTest::newRow("comments after spaces") << QStringLiteral(" //").repeated(34);
        QTest::newRow("ellipses") << QString(33, QChar(0x2026)) + QLatin1Char('x');
        QTest::newRow("spaces") << QString(100, QLatin1Char(' '));
    }

    void chatLinesReachEveryPlayerWhole()
    {
        QFETCH(QString, value);
        Settings values;
        for (QList<SettingValue> *file : {&values.varia, &values.buy}) {
            for (SettingValue &each : *file)
                each.text = value;
        }
        const ScriptFiles files = GenerateScripts(values);
        Console game;
        game.run(fileBytes(files.varisCfg));
        game.run(fileBytes(files.funCfg));
        for (const char *name : {"txt1", "snd1", "tm1", "sayreload", "ak47"})
            game.run(QByteArray(name) + "\n");
        QCOMPARE(game.chatSent.size(), 5);

        for (const QByteArray &sent : std::as_const(game.chatSent)) {
            const bool team = sent.startsWith("say_team ");
            const QByteArray args = sent.mid(team ? 9 : 4);
            const QByteArray whole = chatRead(args, "#Cstrike_Chat_AllDead");
            QVERIFY2(whole.startsWith("-=") && whole.endsWith("=-"), whole);
            for (const QByteArray &format : team ? QList<QByteArray>(std::begin(kSayTeamFormats),
                                                                      std::end(kSayTeamFormats))
                                                  : QList<QByteArray>(std::begin(kSayFormats), std::end(kSayFormats)))
                QCOMPARE(chatRead(args, format), whole);
        }

        // The longest place name that leaves a team line whole, as the team box's note gives it.
        const QByteArray teamArgs = game.chatSent.at(2).mid(9);
        qsizetype longest = 0;
        while (chatRead(teamArgs, "#Cstrike_Chat_CT_Dead", QByteArray(longest + 1, 'P')).endsWith("=-"))
            ++longest;
        QVERIFY(!chatRead(teamArgs, "#Cstrike_Chat_CT_Dead", QByteArray(longest + 1, 'P')).endsWith("=-"));
        const QString note = JudgeValue(Language(), values, Varia::TeamMessage1).inGameNote;
        QVERIFY2(note.contains(Texts::builtIn(Texts::PlaceNameRoom).arg(longest)), qPrintable(note));
    }
};

QTEST_APPLESS_MAIN(TestScriptText)
#include "test_scripttext.moc"
