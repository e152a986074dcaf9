#include "scripttext.h"

namespace {

// The setinfo line is not quoted; both of its values together stay well below
// the 1023 bytes after which the console cuts a line.
constexpr qsizetype kMaxSetinfoValue = 500;

const QString kFunComment = QStringLiteral("//Vom Configurator erstellte Datei fuer Benutzerdefiniertes Sayscript");

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

// Windows-1252 stores one byte per character; a character it lacks becomes
// one substitute byte, so a surrogate pair counts once and is never split.
qsizetype byteLength(const QString &text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++bytes) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return bytes;
}

QString cutToBytes(const QString &text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++bytes) {
        if (bytes >= maxBytes)
            return text.left(i);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return text;
}

class VarisWriter
{
public:
    explicit VarisWriter(const ScriptValues &values) : v(values) {}

    QStringList lines() const
    {
        QStringList out;
        out << QStringLiteral("exec qor/") + v.slot2 << v.slot1 << v.slot3;
        setinfo(out, Varia::Pwfeld, Varia::Pass);
        setinfo(out, Varia::AmcmText1, Varia::AmcmText2);

        const Varia::Line big[] = {Varia::Big1, Varia::Big2, Varia::Big3, Varia::Big4, Varia::Big5};
        for (int i = 0; i < 5; ++i)
            out << alias(QStringLiteral("bigre_item%1").arg(i + 1), GameText(v.varia.at(big[i]), kMaxAliasBody));
        const Varia::Line small[] = {Varia::Small1, Varia::Small2, Varia::Small3};
        for (int i = 0; i < 3; ++i)
            out << alias(QStringLiteral("smallre_item%1").arg(i + 1), GameText(v.varia.at(small[i]), kMaxAliasBody));

        const Varia::Line messages[] = {Varia::Text1, Varia::Text2, Varia::Text3, Varia::Text4, Varia::Text5};
        for (int i = 0; i < 5; ++i)
            chat(out, QStringLiteral("txt%1").arg(i + 1), QStringLiteral("say"), messages[i]);

        const Varia::Line sounds[] = {Varia::Snd1, Varia::Snd2, Varia::Snd3};
        for (int i = 0; i < 3; ++i)
            sound(out, QStringLiteral("snd%1").arg(i + 1), sounds[i]);

        const Varia::Line team[] = {Varia::Text6, Varia::Text7, Varia::Text8};
        for (int i = 0; i < 3; ++i)
            chat(out, QStringLiteral("tm%1").arg(i + 1), QStringLiteral("say_team"), team[i]);
        return out;
    }

private:
    const ScriptValues &v;

    QString alias(const QString &name, const QString &body) const
    {
        return QStringLiteral("alias ") + name + QLatin1Char(' ') + v.quote + body + v.quote;
    }

    // A server access entry counts once its password is there.
    void setinfo(QStringList &out, Varia::Line field, Varia::Line password) const
    {
        if (v.varia.at(password).isEmpty())
            return;
        out << QStringLiteral("setinfo ") + GameText(v.varia.at(field), kMaxSetinfoValue) + QLatin1Char(' ')
                   + GameText(v.varia.at(password), kMaxSetinfoValue);
    }

    void chat(QStringList &out, const QString &name, const QString &command, Varia::Line line) const
    {
        const QString &text = v.varia.at(line);
        if (text.isEmpty())
            return;
        const QString prefix = command + QStringLiteral(" -=");
        const QString suffix = QStringLiteral("=-");
        const qsizetype room = kMaxAliasBody - byteLength(prefix) - byteLength(suffix);
        out << alias(name, prefix + GameText(text, room) + suffix);
    }

    // The sound name is played and named in the chat, so it stands twice in
    // the body and gets half of the room.
    void sound(QStringList &out, const QString &name, Varia::Line line) const
    {
        const QString &text = v.varia.at(line);
        if (text.isEmpty())
            return;
        const QString play = QStringLiteral("speak ");
        const QString announce = v.semicolon + QStringLiteral(" say -=");
        const QString suffix = QStringLiteral("=-");
        const qsizetype room = (kMaxAliasBody - byteLength(play) - byteLength(announce) - byteLength(suffix)) / 2;
        const QString cut = GameText(text, room);
        out << alias(name, play + cut + announce + cut + suffix);
    }
};

QStringList funLines(const ScriptValues &v)
{
    const QString prefix = QStringLiteral("say_team -=");
    const QString suffix = QStringLiteral("=-");
    const qsizetype room = kMaxAliasBody - byteLength(prefix) - byteLength(suffix);
    QStringList out{kFunComment};
    for (const FunAlias &alias : kFunAliases) {
        out << QStringLiteral("alias ") + QLatin1String(alias.name) + QLatin1Char(' ') + v.quote + prefix
                   + GameText(v.buy.at(alias.box), room) + suffix + v.quote;
    }
    return out;
}

} // namespace

QString GameText(const QString &value, qsizetype maxBytes)
{
    QString text = value;
    text.replace(QLatin1Char('"'), QLatin1Char('\''));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return cutToBytes(text, maxBytes);
}

ScriptFiles GenerateScripts(const ScriptValues &values)
{
    Q_ASSERT(values.varia.size() == Varia::LineCount);
    Q_ASSERT(values.buy.size() == Buy::LineCount);
    return {VarisWriter(values).lines(), values.varia, values.buy, funLines(values)};
}
