#include "scripttext.h"

#include "language.h"
#include "textfiles.h"
#include "valuejudgement.h"

namespace {

const QString kFunComment = QStringLiteral("//Vom Configurator erstellte Datei fuer Benutzerdefiniertes Sayscript");
// The console's quote, around alias bodies and setinfo words, and its command separator.
const QByteArray kQuote = "\"";
const QByteArray kSemicolon = ";";

struct FunAlias
{
    const char *name;
    Buy::Line box;
};

// "fun.cfg" in file order: `xm1014` says nothing, `ak47` speaks twice.
const FunAlias kFunAliases[] = {
    {"sayreload", Buy::Reload},         {"sayusp", Buy::Usp},
    {"sayglock", Buy::Glock},           {"sayp90", Buy::P90},
    {"saymp5", Buy::Mp5},               {"saypara", Buy::Para},
    {"sayscout", Buy::Scout},           {"sayawp", Buy::Awp},
    {"sayg3sg1", Buy::G3sg1},           {"saym3", Buy::Super90},
    {"sayp228", Buy::Sigp228},          {"saydeagle", Buy::Deagle},
    {"sayump45", Buy::Ump45},           {"sayteampistol", Buy::Teampistol},
    {"ak47", Buy::Ak47},                {"sayteamrifle1", Buy::Ak47},
    {"sayteamsmg", Buy::Uzi},           {"sayteamrifle2", Buy::Aug},
    {"sayteamsniper", Buy::Sg550},      {"sayhe", Buy::He},
    {"saysmoke", Buy::Smoke},           {"sayflash", Buy::Flash},
    {"saydefuse", Buy::Defuse},         {"sayplant", Buy::Plant},
};

QByteArray ansi(const QString &text)
{
    return ToWindows1252(text);
}

// A chat command: its text, which the game code reads as UTF-8, fits the room
// the game keeps of a chat line whole, markers included (ValueRules).
QByteArray chatCommand(ValueKind kind, const QString &inGame)
{
    return (kind == ValueKind::Say ? "say -=" : "say_team -=") + inGame.toUtf8() + "=-";
}

QByteArray alias(const QByteArray &name, const QByteArray &body)
{
    return "alias " + name + ' ' + kQuote + body + kQuote;
}

class VarisWriter
{
public:
    explicit VarisWriter(const Settings &values) : v(values) {}

    QList<QByteArray> lines() const
    {
        QList<QByteArray> out;
        out << "exec qor/" + slot(PackageModule::PersonalMode) << slot(PackageModule::Information)
            << slot(PackageModule::ItemBuyBlocker);
        setinfo(out, Varia::PasswordField1, Varia::Password1);
        setinfo(out, Varia::PasswordField2, Varia::Password2);

        const Varia::Line big[] = {Varia::BigRestock1, Varia::BigRestock2, Varia::BigRestock3, Varia::BigRestock4,
                                   Varia::BigRestock5};
        for (int i = 0; i < 5; ++i)
            out << alias("bigre_item" + QByteArray::number(i + 1), ansi(inGame(big[i])));
        const Varia::Line small[] = {Varia::SmallRestock1, Varia::SmallRestock2, Varia::SmallRestock3};
        for (int i = 0; i < 3; ++i)
            out << alias("smallre_item" + QByteArray::number(i + 1), ansi(inGame(small[i])));

        const Varia::Line messages[] = {Varia::ChatMessage1, Varia::ChatMessage2, Varia::ChatMessage3,
                                        Varia::ChatMessage4, Varia::ChatMessage5};
        for (int i = 0; i < 5; ++i)
            out << chat("txt" + QByteArray::number(i + 1), ValueKind::Say, messages[i]);

        const Varia::Line sounds[] = {Varia::Sound1, Varia::Sound2, Varia::Sound3};
        for (int i = 0; i < 3; ++i)
            out << sound("snd" + QByteArray::number(i + 1), sounds[i]);

        const Varia::Line team[] = {Varia::TeamMessage1, Varia::TeamMessage2, Varia::TeamMessage3};
        for (int i = 0; i < 3; ++i)
            out << chat("tm" + QByteArray::number(i + 1), ValueKind::SayTeam, team[i]);
        return out;
    }

private:
    const Settings &v;

    QByteArray slot(PackageModule module) const { return ansi(SlotText(module, v.module(module))); }

    // What the game gets, not what is said of it: the German texts will do.
    QString inGame(Varia::Line line) const { return JudgeValue(Language(), v, line).inGame; }

    // Quoted and exactly as typed, or not at all: a cut or changed password
    // is a wrong one, and the game refuses a pair that breaks its rules.
    void setinfo(QList<QByteArray> &out, Varia::Line field, Varia::Line password) const
    {
        const QString secret = inGame(password);
        if (secret.isEmpty())
            return;
        out << "setinfo " + kQuote + ansi(inGame(field)) + kQuote + ' ' + kQuote + ansi(secret) + kQuote;
    }

    // A key bound to the alias of an empty box says nothing, rather than
    // sending the alias's name to the server as an unknown command.
    QByteArray chat(const QByteArray &name, ValueKind kind, Varia::Line line) const
    {
        const QString text = inGame(line);
        return alias(name, text.isEmpty() ? QByteArray() : chatCommand(kind, text));
    }

    // The sound is played with `speak` and named in the chat.
    QByteArray sound(const QByteArray &name, Varia::Line line) const
    {
        const QString played = inGame(line);
        if (played.isEmpty())
            return alias(name, {});
        return alias(name, "speak " + ansi(played) + kSemicolon + ' ' + chatCommand(ValueKind::Say, played));
    }
};

// The package's scripts call every alias, so each one is defined; an empty
// box gives one that says nothing, not "-==-" to the team at every reload.
QList<QByteArray> funLines(const Settings &v)
{
    QList<QByteArray> out{ansi(kFunComment)};
    for (const FunAlias &each : kFunAliases) {
        const QString text = JudgeValue(Language(), v, each.box).inGame;
        out << alias(each.name, text.isEmpty() ? QByteArray() : chatCommand(KindOf(each.box), text));
    }
    return out;
}

QStringList cleaned(const QList<SettingValue> &values)
{
    QStringList out;
    for (const SettingValue &value : values)
        out << ValueRules::Clean(value.text);
    return out;
}

} // namespace

ScriptFiles GenerateScripts(const Settings &values)
{
    Q_ASSERT(values.varia.size() == Varia::LineCount);
    Q_ASSERT(values.buy.size() == Buy::LineCount);
    return {VarisWriter(values).lines(), cleaned(values.varia), cleaned(values.buy), funLines(values)};
}
