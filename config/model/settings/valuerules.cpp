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

bool isChat(ValueKind kind)
{
    return kind == ValueKind::Say || kind == ValueKind::SayTeam;
}

// The UTF-16 units of the character at `i`: a surrogate pair is one.
qsizetype characterSize(const QString &text, qsizetype i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
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
    case ValueKind::SayTeam:
        return kChatLineRoom - 4;  // with "-=" and "=-"
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

qsizetype Length(ValueKind kind, const QString &text)
{
    return isChat(kind) ? text.toUtf8().size() : ByteLength(text);
}

QString Cut(ValueKind kind, const QString &text, qsizetype max)
{
    if (!isChat(kind))
        return CutToBytes(text, max);
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype size = characterSize(text, i);
        bytes += text.mid(i, size).toUtf8().size();
        if (bytes > max)
            return text.left(i);
        i += size;
    }
    return text;
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

QString AtMostText(const Language &language, ValueKind kind, bool restDropped)
{
    const Texts::Id chat = restDropped ? Texts::ChatAtMostRestDropped : Texts::ChatAtMost;
    const Texts::Id other = restDropped ? Texts::AtMostRestDropped : Texts::AtMost;
    return language.message(isChat(kind) ? chat : other).arg(MaxLength(kind));
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
    if (Length(kind, text) > MaxLength(kind))
        return AtMostText(language, kind);
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

QString GameMessage(const QString &text, qsizetype *changes)
{
    // The changes only lengthen the text, so its first MaxLength bytes decide.
    const QString kept = Cut(ValueKind::Say, text, MaxLength(ValueKind::Say));
    QString out;
    qsizetype changed = 0;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const QChar c = kept.at(i);
        if (c == QLatin1Char('"') || c == QLatin1Char(';')) {
            out += c == QLatin1Char('"') ? QLatin1Char('\'') : QLatin1Char(':');
            ++changed;
        } else if (c == QLatin1Char('/') && out.endsWith(QLatin1Char(' ')) && i + 1 < kept.size()
                   && kept.at(i + 1) == QLatin1Char('/')) {
            // Xash3D reads "//" after a space as a comment, to the line's end;
            // the space this puts in makes the next slash one after a space too.
            out += QLatin1String("/ ");
            ++changed;
        } else {
            out += c;
        }
    }
    if (changes)
        *changes = changed;
    return Cut(ValueKind::Say, out, MaxLength(ValueKind::Say));
}

QString TeamReads(const QString &said, qsizetype *changes)
{
    // The game code also strips spaces at both ends, which the markers keep from happening.
    QString out;
    qsizetype changed = 0;
    for (qsizetype i = 0; i < said.size(); ++i) {
        const char16_t u = said.at(i).unicode();
        const char16_t next = i + 1 < said.size() ? said.at(i + 1).unicode() : u'\0';
        if (u < 0x20 || u == 0x2026 || (u >= 0x202A && u <= 0x202E) || (u >= 0x206A && u <= 0x206F)) {
            ++changed;
        } else if (u == '%' && next != 'l' && next != ' ' && next != u'\0') {
            out += QLatin1Char(' ');
            ++changed;
        } else {
            out += said.at(i);
        }
    }
    if (changes)
        *changes = changed;
    return out;
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
