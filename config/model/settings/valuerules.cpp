#include "valuerules.h"

#include "language.h"

#include <QStringList>

namespace ValueRules {

namespace {

// `speak` takes one word, and the original engine splits words at every byte
// from 0x80 up; these are the characters sound file names are made of.
bool soundCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' || u == '.'
           || u == '/' || u == '!' || u == '-';
}

// User info keys and values: printable ASCII, no space (setinfo takes
// exactly three words), no `"` (it ends the quoted word) and no `\` (it
// separates the user info's fields).
bool serverCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u > 0x20 && u < 0x7F && u != '"' && u != '\\';
}

bool refuses(ValueKind kind, QChar c)
{
    switch (kind) {
    case ValueKind::Sound:
        return !soundCharacter(c);
    case ValueKind::ServerField:
    case ValueKind::ServerValue:
        return !serverCharacter(c);
    default:
        return false;
    }
}

QString shown(const Language &language, const QString &characters)
{
    QStringList names;
    for (const QChar c : characters)
        names << (c == QLatin1Char(' ') ? language.message(Texts::SpaceName) : QString(c));
    return names.join(QLatin1Char(' '));
}

} // namespace

qsizetype MaxLength(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Say:
        return 119;          // "say -=" ... "=-" fills the 127 bytes the server takes
    case ValueKind::SayTeam:
        return 114;          // the same with "say_team"
    case ValueKind::Sound:
        return 64;
    case ValueKind::ServerField:
        return 16;           // two entries and the game's own fields stay within
    case ValueKind::ServerValue:
        return 32;           // the user info's 256 bytes
    case ValueKind::Restock:
        return 500;          // the console takes a quoted word below 515 bytes
    }
    return 0;
}

QString Clean(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == '\r' && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            continue;                        // the LF that follows makes the one space
        if (u == '\r' || u == '\n' || u == '\t')
            out += QLatin1Char(' ');
        else if (u >= 0x20 && (u < 0x7F || u > 0x9F))
            out += text.at(i);
    }
    return out;
}

QString RefusedCharacters(ValueKind kind, const QString &text)
{
    QString found;
    for (const QChar c : text) {
        if (refuses(kind, c) && !found.contains(c))
            found += c;
    }
    return found;
}

QString Problem(const Language &language, ValueKind kind, const QString &text)
{
    const QString refused = RefusedCharacters(kind, text);
    if (!refused.isEmpty()) {
        return language.message(kind == ValueKind::Sound ? Texts::SoundNameCharacters : Texts::ServerCharacters)
            .arg(shown(language, refused));
    }
    if (ByteLength(text) > MaxLength(kind))
        return language.message(Texts::AtMost).arg(MaxLength(kind));
    if (kind == ValueKind::Sound && text.contains(QLatin1String("//")))
        return language.message(Texts::TwoSlashes);
    if ((kind == ValueKind::ServerField || kind == ValueKind::ServerValue) && text.contains(QLatin1String("..")))
        return language.message(Texts::TwoDots);
    if (kind == ValueKind::ServerField && text.startsWith(QLatin1Char('*')))
        return language.message(Texts::StarFirst);
    return {};
}

QString ServerPairProblem(const Language &language, const QString &field, const QString &value)
{
    if (value.isEmpty())
        return {};
    if (field.isEmpty())
        return language.message(Texts::NoFieldName);
    const QString fieldProblem = Problem(language, ValueKind::ServerField, field);
    if (!fieldProblem.isEmpty())
        return language.message(Texts::FieldNameProblem).arg(fieldProblem);
    const QString valueProblem = Problem(language, ValueKind::ServerValue, value);
    if (!valueProblem.isEmpty())
        return language.message(Texts::PasswordProblem).arg(valueProblem);
    return {};
}

QString GameMessage(const QString &text, qsizetype room)
{
    // The changes only lengthen the text, so the first `room` characters decide.
    QString out = CutToBytes(text, room);
    out.replace(QLatin1Char('"'), QLatin1Char('\''));
    out.replace(QLatin1Char(';'), QLatin1Char(':'));
    out.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // One pass leaves "///" as "/ //": repeat until none is left.
    while (out.contains(QLatin1String("//")))
        out.replace(QLatin1String("//"), QLatin1String("/ /"));
    return CutToBytes(out, room);
}

QString GameSoundName(const QString &text)
{
    QString out = CutToBytes(text, MaxLength(ValueKind::Sound));
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (!soundCharacter(out.at(i)) || (out.at(i) == QLatin1Char('/') && i > 0 && out.at(i - 1) == QLatin1Char('/')))
            out[i] = QLatin1Char('_');
    }
    return out;
}

QString GameRestock(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QLatin1Char('\''));
    // Xash3D reads "//" as a comment even inside quotes: the rest of the alias would be lost.
    while (out.contains(QLatin1String("//")))
        out.replace(QLatin1String("//"), QLatin1String("/ /"));
    out = CutToBytes(out, MaxLength(ValueKind::Restock));
    // A backslash before the closing quote would escape it in Xash3D.
    while (out.endsWith(QLatin1Char('\\')))
        out.chop(1);
    return out;
}

QString RestockSplitCharacters(const QString &text)
{
    QString found;
    for (const QChar c : GameRestock(text)) {
        if ((c.unicode() > 0x7F || QStringView(u"{}()',:").contains(c)) && !found.contains(c))
            found += c;
    }
    return found;
}

qsizetype ByteLength(const QString &text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++bytes) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return bytes;
}

QString CutToBytes(const QString &text, qsizetype maxBytes)
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

} // namespace ValueRules
