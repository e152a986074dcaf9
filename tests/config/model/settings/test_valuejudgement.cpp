#include "language.h"
#include "settings.h"
#include "valuejudgement.h"

#include <QtTest>

namespace {

// A line of either state file, as a row of a table names it.
struct Where
{
    bool buy = false;
    int line = 0;
};

const Where kNowhere{false, -1};

Where varia(Varia::Line line)
{
    return {false, line};
}

ValueKind kindOf(Where where)
{
    return where.buy ? KindOf(Buy::Line(where.line)) : KindOf(Varia::Line(where.line));
}

// The settings with `value` at `where` and `other` at `otherWhere` (the other box of a server access row).
ValueJudgement judge(Where where, const SettingValue &value, Where otherWhere = kNowhere, const QString &other = {})
{
    Settings settings;
    if (otherWhere.line >= 0)
        settings.field(Varia::Line(otherWhere.line)).text = other;
    if (where.buy) {
        settings.field(Buy::Line(where.line)) = value;
        return JudgeValue(Language(), settings, Buy::Line(where.line));
    }
    settings.field(Varia::Line(where.line)) = value;
    return JudgeValue(Language(), settings, Varia::Line(where.line));
}

SettingValue typed(const QString &text)
{
    SettingValue value;
    value.text = text;
    return value;
}

QString say(Texts::Id id)
{
    return Texts::builtIn(id);
}

QString notTaken(const QString &why)
{
    return say(Texts::NotTaken).arg(why);
}

} // namespace

Q_DECLARE_METATYPE(Where)

class TestValueJudgement : public QObject
{
    Q_OBJECT

private slots:
    // Each kind of value, as typed or as read from its state file: what the
    // game gets and every note its box shows.
    void valuesAreJudged_data()
    {
        QTest::addColumn<Where>("where");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("stored");        // read from the state file (StoredValue), or typed
        QTest::addColumn<Where>("otherWhere");   // the other box of a server access row
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("inGame");
        QTest::addColumn<QString>("storedNote");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("inGameNote");
        QTest::addColumn<QString>("boxNote");

        const QString x(200, QLatin1Char('x'));
        const QString space = say(Texts::SpaceName);
        const QString cut = say(Texts::StoredCut);
        const QString cleaned = say(Texts::StoredBreaksBecameSpaces);
        const QString notWritten = say(Texts::NotWrittenToVaris);
        const QString place = say(Texts::PlaceNameRoom);
        const Where pass = varia(Varia::Password1);
        const Where field = varia(Varia::PasswordField1);
        const QString words80 = QStringList(80, QStringLiteral("a")).join(QLatin1Char(' '));

        QTest::newRow("message: empty") << varia(Varia::ChatMessage1) << "" << false << kNowhere << "" << "" << "" << ""
                                        << "" << "";
        QTest::newRow("message: as typed") << varia(Varia::ChatMessage2) << "hallo" << false << kNowhere << ""
                                           << "hallo" << "" << "" << "" << "";
        QTest::newRow("message: changed in the game")
            << varia(Varia::ChatMessage3) << "gg ;) \"/\\ //x 5% \u2026" << false << kNowhere << ""
            << "gg :) '/\\ / /x 5% \u2026" << "" << "" << say(Texts::InGameMessage).arg("-=gg :) '/\\ / /x 5% =-")
            << "";
        QTest::newRow("message: a percent sign before the marker")
            << varia(Varia::ChatMessage4) << "100%" << false << kNowhere << "" << "100%" << "" << ""
            << say(Texts::InGameMessage).arg("-=100 =-") << "";
        QTest::newRow("message: stored, cut") << varia(Varia::ChatMessage5) << x << true << kNowhere << ""
                                              << x.left(100) << cut.arg(200).arg(100) << "" << "" << "";
        QTest::newRow("message: stored umlauts, cut in bytes")
            << varia(Varia::ChatMessage1) << QString(60, QChar(0xFC)) << true << kNowhere << ""
            << QString(50, QChar(0xFC)) << cut.arg(60).arg(50) << "" << "" << "";
        QTest::newRow("team message: stored, cut and cleaned")
            << varia(Varia::TeamMessage1) << "a\tb" + x << true << kNowhere << "" << ("a b" + x).left(100)
            << cut.arg(203).arg(100) + "\n" + cleaned << "" << place.arg(0) << "";
        QTest::newRow("personal: stored, cleaned") << Where{true, Buy::Reload} << "a\r\nb\x01" << true << kNowhere
                                                   << "" << "a b" << cleaned << "" << place.arg(96) << "";
        QTest::newRow("personal: changed in the game")
            << Where{true, Buy::Plant} << "a;b" << false << kNowhere << "" << "a:b" << "" << ""
            << say(Texts::InGameMessage).arg("-=a:b=-") + "\n" + place.arg(96) << "";
        QTest::newRow("personal: AK47, named as the buy command")
            << Where{true, Buy::Ak47} << "Colt" << false << kNowhere << "" << "Colt" << "" << "" << place.arg(95)
            << say(Texts::Ak47BuysNothing);
        QTest::newRow("personal: AK47, empty") << Where{true, Buy::Ak47} << "" << false << kNowhere << "" << "" << ""
                                               << "" << "" << say(Texts::Ak47BuysNothing);
        QTest::newRow("personal: XM1014, written nowhere")
            << Where{true, Buy::Xm1014} << "a;b" << false << kNowhere << "" << "" << "" << "" << ""
            << say(Texts::Xm1014WrittenNowhere);
        QTest::newRow("restock: empty") << varia(Varia::BigRestock1) << "" << false << kNowhere << "" << "" << "" << ""
                                        << "" << "";
        QTest::newRow("restock: changed in the game")
            << varia(Varia::SmallRestock2) << "buy //x\"" << false << kNowhere << "" << "buy / /x'" << ""
            << say(Texts::RestockRunsOtherwise).arg("'") << say(Texts::InGameRestock).arg("buy / /x'") << "";
        QTest::newRow("restock: two slashes inside a word") << varia(Varia::SmallRestock1) << "say a//b" << false
                                                            << kNowhere << "" << "say a//b" << "" << "" << "" << "";
        QTest::newRow("restock: a command past 80 words")
            << varia(Varia::BigRestock4) << words80 + " a ;b" << false << kNowhere << "" << words80 + ";b" << ""
            << say(Texts::RestockWordsDropped) << say(Texts::InGameRestock).arg(words80 + ";b") << "";
        QTest::newRow("restock: the builds split it")
            << varia(Varia::BigRestock3) << "(y):z" << false << kNowhere << "" << "(y):z" << ""
            << say(Texts::RestockRunsOtherwise).arg("( ) :") << "" << "";
        QTest::newRow("restock: stored, cut") << varia(Varia::BigRestock5) << QString(600, 'k') << true
                                              << kNowhere << "" << QString(500, 'k') << cut.arg(600).arg(500) << ""
                                              << "" << "";
        QTest::newRow("sound: as typed") << varia(Varia::Sound1) << "hello" << false << kNowhere << "" << "hello" << ""
                                         << "" << "" << "";
        QTest::newRow("sound: stored with a space and two slashes")
            << varia(Varia::Sound2) << "a b//c" << true << kNowhere << "" << "a_b//c" << ""
            << say(Texts::InGameSound).arg("a_b//c", say(Texts::SoundNameCharacters).arg(space)) << "" << "";
        QTest::newRow("sound: two slashes first") << varia(Varia::Sound3) << "//x" << false << kNowhere << ""
                                                  << "/_x" << ""
                                                  << say(Texts::InGameSound).arg("/_x", say(Texts::TwoSlashes))
                                                  << "" << "";
        QTest::newRow("password: with a field name") << pass << "geheim" << false << field << "_pw" << "geheim" << ""
                                                     << "" << "" << "";
        QTest::newRow("password: with spaces") << pass << " mein pw " << false << field << "_pw" << " mein pw "
                                               << "" << "" << "" << "";
        QTest::newRow("password: without a field name")
            << pass << "geheim" << true << field << "" << "" << "" << notWritten.arg(say(Texts::NoFieldName)) << ""
            << "";
        QTest::newRow("password: its field name has a space")
            << pass << "geheim" << true << field << "my field" << "" << ""
            << notWritten.arg(say(Texts::FieldNameProblem).arg(say(Texts::FieldNameCharacters).arg(space))) << "" << "";
        QTest::newRow("password: second row, without a field name")
            << varia(Varia::Password2) << "pw" << false << varia(Varia::PasswordField2) << "" << "" << ""
            << notWritten.arg(say(Texts::NoFieldName)) << "" << "";
        QTest::newRow("password: second row, the first row's field name is not its own")
            << varia(Varia::Password2) << "pw" << false << field << "_pw" << "" << ""
            << notWritten.arg(say(Texts::NoFieldName)) << "" << "";
        QTest::newRow("password: stored, past what the game takes")
            << pass << x << true << field << "_pw" << "" << cut.arg(200).arg(127)
            << notWritten.arg(say(Texts::AtMost).arg(32)) << "" << "";
        QTest::newRow("password: stored, too long for the box but whole")
            << pass << x.left(33) << true << field << "_pw" << "" << ""
            << notWritten.arg(say(Texts::AtMost).arg(32)) << "" << "";
        QTest::newRow("field name: with a password") << field << "_pw" << false << pass << "geheim" << "_pw" << ""
                                                     << "" << "" << "";
        QTest::newRow("field name: without a password") << varia(Varia::PasswordField2) << "_pw" << false
                                                        << varia(Varia::Password2) << "" << "" << "" << "" << "" << "";
        QTest::newRow("field name: star first") << field << "*x" << true << pass << "geheim" << "" << ""
                                                << notWritten.arg(say(Texts::StarFirst)) << "" << "";
        QTest::newRow("field name: two dots") << field << "a..b" << true << pass << "geheim" << "" << ""
                                              << notWritten.arg(say(Texts::TwoDots)) << "" << "";
    }

    void valuesAreJudged()
    {
        QFETCH(Where, where);
        QFETCH(QString, text);
        QFETCH(bool, stored);
        QFETCH(Where, otherWhere);
        QFETCH(QString, other);
        QFETCH(QString, inGame);
        QFETCH(QString, storedNote);
        QFETCH(QString, warning);
        QFETCH(QString, inGameNote);
        QFETCH(QString, boxNote);

        const SettingValue value = stored ? StoredValue(kindOf(where), text) : typed(text);
        const ValueJudgement judged = judge(where, value, otherWhere, other);
        QCOMPARE(judged.inGame, inGame);
        QCOMPARE(judged.storedNote, storedNote);
        QCOMPARE(judged.warning, warning);
        QCOMPARE(judged.inGameNote, inGameNote);
        QCOMPARE(judged.boxNote, boxNote);
        QCOMPARE(judged.marked(), !storedNote.isEmpty() || !warning.isEmpty());
        QStringList notes{storedNote, warning, inGameNote, boxNote};
        notes.removeAll(QString());
        QCOMPARE(judged.notes(), notes.join("\n\n"));

        // Taken in hand, the value no longer says what became of the stored one.
        SettingValue edited = value;
        edited.takeInHand();
        QCOMPARE(judge(where, edited, otherWhere, other).storedNote, QString());
    }

    // What an edit makes of a box's text, and what the box says at once.
    void editsAreTakenOrRefused_data()
    {
        QTest::addColumn<Where>("where");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QStringList>("reports");

        const QString x(600, QLatin1Char('x'));
        const QString space = say(Texts::SpaceName);
        const Where message = varia(Varia::ChatMessage1);

        QTest::newRow("message: typed") << message << "a" << "a\"" << true << "a\"" << 2 << QStringList{};
        QTest::newRow("message: typed inside") << message << "ab" << "aXb" << true << "aXb" << 2 << QStringList{};
        QTest::newRow("message: line breaks and tab pasted")
            << message << "" << "first\r\nsecond\tthird\x01" << true << "first second third" << 18
            << QStringList{say(Texts::BreaksBecameSpaces)};
        QTest::newRow("message: typed past 100") << message << x.left(100) << x.left(101) << false << "" << 0
                                                 << QStringList{notTaken(say(Texts::ChatAtMost).arg(100))};
        QTest::newRow("message: an umlaut, two bytes, past 100")
            << message << x.left(99) << x.left(99) + QChar(0xFC) << false << "" << 0
            << QStringList{notTaken(say(Texts::ChatAtMost).arg(100))};
        QTest::newRow("team message: pasted past 100") << varia(Varia::TeamMessage1) << "" << x << true << x.left(100)
                                                       << 100 << QStringList{say(Texts::ChatAtMostRestDropped).arg(100)};
        QTest::newRow("personal: umlauts pasted, cut at a whole one")
            << Where{true, Buy::Awp} << "x" << "x" + QString(60, QChar(0xFC)) << true << "x" + QString(49, QChar(0xFC))
            << 50 << QStringList{say(Texts::ChatAtMostRestDropped).arg(100)};
        QTest::newRow("message: an unstorable character typed")
            << message << "ab" << "abЖ" << false << "" << 0 << QStringList{say(Texts::UnstorableCharacter).arg("Ж")};
        QTest::newRow("message: an emoji typed") << message << "a" << "a😀" << false << "" << 0
                                                 << QStringList{say(Texts::UnstorableCharacter).arg("😀")};
        QTest::newRow("message: pasted, two left out")
            << message << "" << "ab\u03A9cd\u0416" << true << "abcd" << 4
            << QStringList{say(Texts::LeftOutCharacters).arg("\u03A9 \u0416")};
        QTest::newRow("message: pasted with a break and a tick")
            << message << "" << "Eins\r\n✓ zwei" << true << "Eins  zwei" << 10
            << QStringList{say(Texts::BreaksBecameSpaces), say(Texts::LeftOutCharacter).arg("✓")};
        QTest::newRow("personal: typed") << Where{true, Buy::Ak47} << "" << "Colt" << true << "Colt" << 4
                                         << QStringList{};
        QTest::newRow("restock: pasted past 500") << varia(Varia::BigRestock1) << "" << x << true << x.left(500) << 500
                                                  << QStringList{say(Texts::AtMostRestDropped).arg(500)};
        QTest::newRow("sound: space") << varia(Varia::Sound1) << "a" << "a b" << false << "" << 0
                                      << QStringList{notTaken(say(Texts::SoundNameCharacters).arg(space))};
        QTest::newRow("sound: two slashes inside") << varia(Varia::Sound2) << "a/" << "a//" << true << "a//" << 3
                                                   << QStringList{};
        QTest::newRow("sound: two slashes first") << varia(Varia::Sound2) << "/" << "//" << false << "" << 0
                                                  << QStringList{notTaken(say(Texts::TwoSlashes))};
        QTest::newRow("sound: a stored fault stays editable") << varia(Varia::Sound3) << "//" << "//b" << true
                                                              << "//b" << 3 << QStringList{};
        QTest::newRow("password: pasted past 32") << varia(Varia::Password1) << "" << x.left(33) << false << "" << 0
                                                  << QStringList{notTaken(say(Texts::AtMost).arg(32))};
        QTest::newRow("password: quote") << varia(Varia::Password2) << "" << "\"" << false << "" << 0
                                         << QStringList{notTaken(say(Texts::PasswordCharacters).arg("\""))};
        QTest::newRow("password: space") << varia(Varia::Password1) << "a" << "a b" << true << "a b" << 3
                                         << QStringList{};
        QTest::newRow("field name: space") << varia(Varia::PasswordField1) << "a" << "a b" << false << "" << 0
                                           << QStringList{notTaken(say(Texts::FieldNameCharacters).arg(space))};
        QTest::newRow("field name: star first") << varia(Varia::PasswordField1) << "" << "*" << false << "" << 0
                                                << QStringList{notTaken(say(Texts::StarFirst))};
        QTest::newRow("field name: two dots") << varia(Varia::PasswordField2) << "a." << "a.." << false << "" << 0
                                              << QStringList{notTaken(say(Texts::TwoDots))};
    }

    void editsAreTakenOrRefused()
    {
        QFETCH(Where, where);
        QFETCH(QString, before);
        QFETCH(QString, input);
        QFETCH(bool, taken);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(QStringList, reports);
        const EditJudgement judged = JudgeEdit(Language(), kindOf(where), before, input);
        QCOMPARE(judged.taken, taken);
        QCOMPARE(judged.reports, reports);
        if (taken) {
            QCOMPARE(judged.text, text);
            QCOMPARE(judged.cursor, cursor);
        }
    }

    // A text that is only to be stored (a path): all Windows-1252 holds is taken.
    void storableEditsAreTakenOrRefused_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("storable") << "c:\\" << "c:\\ü€" << true << "c:\\ü€" << QStringList{};
        QTest::newRow("typed alone") << "c:" << "c:Ж" << false << "" << QStringList{say(Texts::UnstorableCharacter)
                                                                                         .arg("Ж")};
        QTest::newRow("pasted") << "c:" << "c:\\Ж\\x" << true << "c:\\\\x"
                                << QStringList{say(Texts::LeftOutCharacter).arg("Ж")};
        QTest::newRow("around a text set so") << "Ж" << "Жa" << false << ""
                                              << QStringList{say(Texts::UnstorableCharacter).arg("Ж")};
        QTest::newRow("nothing put in") << "Жab" << "Жa" << false << "" << QStringList{};
    }

    void storableEditsAreTakenOrRefused()
    {
        QFETCH(QString, before);
        QFETCH(QString, input);
        QFETCH(bool, taken);
        QFETCH(QString, text);
        QFETCH(QStringList, reports);
        const EditJudgement judged = JudgeStorableEdit(Language(), before, input);
        QCOMPARE(judged.taken, taken);
        QCOMPARE(judged.reports, reports);
        if (taken)
            QCOMPARE(judged.text, text);
    }

    // An edit calls for the box's notes at once where it brings a new warning
    // or one more character that the game gets changed.
    void editsCallForNotes_data()
    {
        QTest::addColumn<Where>("where");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("calls");
        const QString words80 = QStringList(80, QStringLiteral("w")).join(QLatin1Char(' '));
        QTest::newRow("message: a quote more") << varia(Varia::ChatMessage1) << "a" << "a\"" << true;
        QTest::newRow("message: a letter after it") << varia(Varia::ChatMessage1) << "a\"" << "a\"b" << false;
        QTest::newRow("message: a semicolon more") << varia(Varia::TeamMessage2) << "a;" << "a;;" << true;
        QTest::newRow("message: one less") << varia(Varia::ChatMessage1) << "a;;" << "a;" << false;
        QTest::newRow("personal: a backslash, which the game keeps") << Where{true, Buy::He} << "a" << "a\\" << false;
        QTest::newRow("message: a percent sign before the marker") << varia(Varia::ChatMessage2) << "5" << "5%" << true;
        QTest::newRow("message: an ellipsis") << varia(Varia::ChatMessage2) << "a" << "a\u2026" << true;
        QTest::newRow("team message: slashes after a space") << varia(Varia::TeamMessage3) << "a /" << "a //" << true;
        QTest::newRow("team message: slashes in a word") << varia(Varia::TeamMessage3) << "a/" << "a//" << false;
        QTest::newRow("restock: a trailing backslash") << varia(Varia::BigRestock1) << "a" << "a\\" << false;
        QTest::newRow("restock: two slashes") << varia(Varia::BigRestock1) << "a /" << "a //" << true;
        QTest::newRow("restock: two slashes inside a word") << varia(Varia::BigRestock1) << "a/" << "a//" << false;
        QTest::newRow("restock: the 81st word") << varia(Varia::BigRestock3) << words80 << words80 + " b" << true;
        QTest::newRow("restock: the 82nd word") << varia(Varia::BigRestock3) << words80 + " b" << words80 + " b c"
                                                << false;
        QTest::newRow("restock: a new split") << varia(Varia::BigRestock2) << "a" << "a(" << true;
        QTest::newRow("restock: the same split") << varia(Varia::BigRestock2) << "a(" << "a((" << false;
        QTest::newRow("restock: another split") << varia(Varia::BigRestock2) << "a(" << "a()" << true;
        QTest::newRow("personal: XM1014, written nowhere") << Where{true, Buy::Xm1014} << "a" << "a\"" << false;
        QTest::newRow("sound: nothing to say") << varia(Varia::Sound1) << "a" << "ab" << false;
        QTest::newRow("password: no field name") << varia(Varia::Password1) << "" << "g" << true;
        QTest::newRow("password: still no field name") << varia(Varia::Password1) << "g" << "ge" << false;
    }

    void editsCallForNotes()
    {
        QFETCH(Where, where);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, calls);
        QCOMPARE(EditCallsForNotes(judge(where, typed(before)), judge(where, typed(after))), calls);
    }
};

QTEST_APPLESS_MAIN(TestValueJudgement)
#include "test_valuejudgement.moc"
