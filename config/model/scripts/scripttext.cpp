#include "scripttext.h"

#include "language.h"
#include "valuejudgement.h"

namespace {

const QString kFunComment = QStringLiteral("//Vom Configurator erstellte Datei fuer Benutzerdefiniertes Sayscript");
// The console's quote, around alias bodies and setinfo words, and its command separator.
const QString kQuote = QStringLiteral("\"");
const QString kSemicolon = QStringLiteral(";");

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

// The server takes 127 bytes of a chat command, "say " included; the
// message as the game gets it (ValueJudgement) fits what the command and the
// markers leave.
QString chatBody(ValueKind kind, const QString &inGame)
{
    return (kind == ValueKind::Say ? QStringLiteral("say -=") : QStringLiteral("say_team -=")) + inGame
           + QStringLiteral("=-");
}

class VarisWriter
{
public:
    explicit VarisWriter(const Settings &values) : v(values) {}

    QStringList lines() const
    {
        QStringList out;
        out << QStringLiteral("exec qor/") + slot(PackageModule::PersonalMode) << slot(PackageModule::Information)
            << slot(PackageModule::ItemBuyBlocker);
        setinfo(out, Varia::PasswordField1, Varia::Password1);
        setinfo(out, Varia::PasswordField2, Varia::Password2);

        const Varia::Line big[] = {Varia::BigRestock1, Varia::BigRestock2, Varia::BigRestock3, Varia::BigRestock4,
                                   Varia::BigRestock5};
        for (int i = 0; i < 5; ++i)
            out << alias(QStringLiteral("bigre_item%1").arg(i + 1), inGame(big[i]));
        const Varia::Line small[] = {Varia::SmallRestock1, Varia::SmallRestock2, Varia::SmallRestock3};
        for (int i = 0; i < 3; ++i)
            out << alias(QStringLiteral("smallre_item%1").arg(i + 1), inGame(small[i]));

        const Varia::Line messages[] = {Varia::ChatMessage1, Varia::ChatMessage2, Varia::ChatMessage3,
                                        Varia::ChatMessage4, Varia::ChatMessage5};
        for (int i = 0; i < 5; ++i)
            chat(out, QStringLiteral("txt%1").arg(i + 1), ValueKind::Say, messages[i]);

        const Varia::Line sounds[] = {Varia::Sound1, Varia::Sound2, Varia::Sound3};
        for (int i = 0; i < 3; ++i)
            sound(out, QStringLiteral("snd%1").arg(i + 1), sounds[i]);

        const Varia::Line team[] = {Varia::TeamMessage1, Varia::TeamMessage2, Varia::TeamMessage3};
        for (int i = 0; i < 3; ++i)
            chat(out, QStringLiteral("tm%1").arg(i + 1), ValueKind::SayTeam, team[i]);
        return out;
    }

private:
    const Settings &v;

    QString slot(PackageModule module) const { return SlotText(module, v.module(module)); }

    // What the game gets, not what is said of it: the German texts will do.
    QString inGame(Varia::Line line) const { return JudgeValue(Language(), v, line).inGame; }

    QString alias(const QString &name, const QString &body) const
    {
        return QStringLiteral("alias ") + name + QLatin1Char(' ') + kQuote + body + kQuote;
    }

    // Quoted and exactly as typed, or not at all: a cut or changed password
    // is a wrong one, and the game refuses a pair that breaks its rules.
    void setinfo(QStringList &out, Varia::Line field, Varia::Line password) const
    {
        const QString secret = inGame(password);
        if (secret.isEmpty())
            return;
        out << QStringLiteral("setinfo ") + kQuote + inGame(field) + kQuote + QLatin1Char(' ') + kQuote + secret
                   + kQuote;
    }

    // An empty message gives no alias.
    void chat(QStringList &out, const QString &name, ValueKind kind, Varia::Line line) const
    {
        const QString text = inGame(line);
        if (text.isEmpty())
            return;
        out << alias(name, chatBody(kind, text));
    }

    // The sound is played with `speak` and named in the chat.
    void sound(QStringList &out, const QString &name, Varia::Line line) const
    {
        const QString played = inGame(line);
        if (played.isEmpty())
            return;
        out << alias(name, QStringLiteral("speak ") + played + kSemicolon + QStringLiteral(" say -=") + played
                               + QStringLiteral("=-"));
    }
};

// The package's scripts call every alias, so each one is defined; an empty
// box gives one that says nothing, not "-==-" to the team at every reload.
QStringList funLines(const Settings &v)
{
    QStringList out{kFunComment};
    for (const FunAlias &alias : kFunAliases) {
        const QString text = JudgeValue(Language(), v, alias.box).inGame;
        out << QStringLiteral("alias ") + QLatin1String(alias.name) + QLatin1Char(' ') + kQuote
                   + (text.isEmpty() ? QString() : chatBody(KindOf(alias.box), text)) + kQuote;
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
