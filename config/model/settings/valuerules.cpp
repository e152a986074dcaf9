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

// User info keys and values: printable ASCII, no `"` (it ends the quoted
// word) and no `\` (it separates the user info's fields). A value is one
// quoted word and keeps its spaces; a key is named in one word.
bool serverCharacter(ValueKind kind, QChar c)
{
    const char16_t u = c.unicode();
    return (u > 0x20 || (u == 0x20 && kind == ValueKind::ServerValue)) && u < 0x7F && u != '"' && u != '\\';
}

// The original engine splits words at every byte up to 0x20 and, as its
// chars are signed, at every byte from 0x80 up; { } ( ) ' , : are words of
// their own.
bool wordSpace(QChar c)
{
    return c.unicode() <= 0x20 || c.unicode() > 0x7F;
}

bool singleWord(QChar c)
{
    return QStringView(u"{}()',:").contains(c);
}

// Whether "//" at `i` of restock commands starts a comment in one build: at
// the start of a command, after a word's end as the original engine splits
// them (Xash3D reads one only after a byte up to 0x20, which that includes).
// Inside a word, as in "a//b", it is part of the word in every build.
bool commentAt(const QString &text, qsizetype i)
{
    if (QStringView(text).mid(i, 2) != u"//")
        return false;
    if (i == 0)
        return true;
    const QChar before = text.at(i - 1);
    return before == QLatin1Char(';') || wordSpace(before) || singleWord(before);
}

// `command` up to the end of its `most`th word, as the original engine
// counts them, which splits the most: it drops the words after those.
QString firstWords(const QString &command, int most)
{
    int words = 0;
    qsizetype end = 0;
    for (qsizetype p = 0; p < command.size();) {
        if (wordSpace(command.at(p))) {
            ++p;
            continue;
        }
        if (words == most)
            return command.left(end);
        ++words;
        if (singleWord(command.at(p))) {
            ++p;
        } else {
            while (p < command.size() && !wordSpace(command.at(p)) && !singleWord(command.at(p)))
                ++p;
        }
        end = p;
    }
    return command;
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
        return !serverCharacter(kind, c);
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
        const Texts::Id why = kind == ValueKind::Sound         ? Texts::SoundNameCharacters
                              : kind == ValueKind::ServerValue ? Texts::PasswordCharacters
                                                               : Texts::FieldNameCharacters;
        return language.message(why).arg(shown(language, refused));
    }
    if (Length(kind, text) > MaxLength(kind))
        return AtMostText(language, kind);
    if (kind == ValueKind::Sound && text.startsWith(QLatin1String("//")))
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
        if (!soundCharacter(out.at(i)))
            out[i] = QLatin1Char('_');
    }
    // "speak //x" reads a comment, in Xash3D to the line end, "say" and all.
    // Inside the name "//" is part of the word in every build, and `speak`
    // looks the name up as a path below sound/vox like any other: a "_" in
    // its place would name a file that surely is not there, so it stays.
    if (out.startsWith(QLatin1String("//")))
        out[1] = QLatin1Char('_');
    return out;
}

QString RestockCommands(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QLatin1Char('\''));
    // The alias runs its text unquoted: a comment would take the rest of it.
    // A "/" after the space put in can start the next one, as in "///".
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (commentAt(out, i))
            out.insert(i + 1, QLatin1Char(' '));
    }
    return out;
}

bool RestockWordsDropped(const QString &text)
{
    const QStringList commands = RestockCommands(text).split(QLatin1Char(';'));
    for (const QString &command : commands) {
        if (firstWords(command, kCommandWords) != command)
            return true;
    }
    return false;
}

QString GameRestock(const QString &text)
{
    QStringList commands = RestockCommands(text).split(QLatin1Char(';'));
    for (QString &command : commands)
        command = firstWords(command, kCommandWords);
    QString out = CutToBytes(commands.join(QLatin1Char(';')), MaxLength(ValueKind::Restock));
    // A backslash before the closing quote would escape it in Xash3D.
    while (out.endsWith(QLatin1Char('\\')))
        out.chop(1);
    return out;
}

QString RestockSplitCharacters(const QString &text)
{
    QString found;
    for (const QChar c : GameRestock(text)) {
        if ((c.unicode() > 0x7F || singleWord(c)) && !found.contains(c))
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
