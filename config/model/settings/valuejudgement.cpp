#include "valuejudgement.h"

#include "language.h"
#include "textfiles.h"

#include <algorithm>

namespace {

// A character of `text` at `i`: a surrogate pair whole.
QString characterAt(const QString &text, qsizetype i)
{
    const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
    return text.mid(i, pair ? 2 : 1);
}

// The characters of `text` that Windows-1252 cannot store, each once.
QStringList unstorableCharacters(const QString &text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size();) {
        const QString character = characterAt(text, i);
        if (!FitsWindows1252(character) && !found.contains(character))
            found.append(character);
        i += character.size();
    }
    return found;
}

// `text` without the characters Windows-1252 cannot store.
QString storablePart(const QString &text)
{
    QString kept;
    for (qsizetype i = 0; i < text.size();) {
        const QString character = characterAt(text, i);
        if (FitsWindows1252(character))
            kept += character;
        i += character.size();
    }
    return kept;
}

QString unstorableText(const Language &language, const QStringList &refused)
{
    return language.message(refused.size() == 1 ? Texts::UnstorableCharacter : Texts::UnstorableCharacters)
        .arg(refused.join(QLatin1Char(' ')));
}

QString leftOutText(const Language &language, const QStringList &leftOut)
{
    return language.message(leftOut.size() == 1 ? Texts::LeftOutCharacter : Texts::LeftOutCharacters)
        .arg(leftOut.join(QLatin1Char(' ')));
}

QString notTaken(const Language &language, const QString &why)
{
    return language.message(Texts::NotTaken).arg(why);
}

EditJudgement refused(const QString &report)
{
    EditJudgement judged;
    judged.taken = false;
    judged.reports = QStringList{report};
    return judged;
}

// What an edit put into `before` to make `after`: everything between the
// first `*head` and the last `*tail` characters, which it left as they were.
// A surrogate pair stays whole.
QString insertedPart(const QString &before, const QString &after, qsizetype *head, qsizetype *tail)
{
    qsizetype h = 0;
    while (h < after.size() && h < before.size() && after.at(h) == before.at(h))
        ++h;
    if (h > 0 && after.at(h - 1).isHighSurrogate())
        --h;
    qsizetype t = 0;
    while (t < after.size() - h && t < before.size() - h
           && after.at(after.size() - 1 - t) == before.at(before.size() - 1 - t))
        ++t;
    if (t > 0 && after.at(after.size() - t).isLowSurrogate())
        --t;
    *head = h;
    *tail = t;
    return after.mid(h, after.size() - h - t);
}

bool isServer(ValueKind kind)
{
    return kind == ValueKind::ServerField || kind == ValueKind::ServerValue;
}

// The characters of a restock item that reach the game changed: each quote,
// and each "//" broken up by a space put in (a trailing backslash aside:
// typing one would say so at every key).
qsizetype changedInTheGame(ValueKind kind, const QString &text)
{
    if (kind != ValueKind::Restock)
        return 0;
    return text.count(QLatin1Char('"')) + ValueRules::RestockCommands(text).size() - text.size();
}

// What the team reads of a chat text, and what its box says of it: where
// that is not the text, and in team chat the room a place name may take.
void judgeChat(const Language &language, ValueKind kind, const QString &text, ValueJudgement *judged)
{
    qsizetype written = 0;
    judged->inGame = ValueRules::GameMessage(text, &written);
    qsizetype read = 0;
    const QString reads = ValueRules::TeamReads(QStringLiteral("-=") + judged->inGame + QStringLiteral("=-"), &read);
    judged->changedInGame = written + read;
    QStringList notes;
    if (reads != QStringLiteral("-=") + text + QStringLiteral("=-"))
        notes << language.message(Texts::InGameMessage).arg(reads);
    if (kind == ValueKind::SayTeam && !text.isEmpty())
        // The place and a space go before the line's end.
        notes << language.message(Texts::PlaceNameRoom)
                     .arg(std::max<qsizetype>(0, ValueRules::kChatLineRoom - 1 - reads.toUtf8().size()));
    judged->inGameNote = notes.join(QLatin1Char('\n'));
}

QString storedNote(const Language &language, const SettingValue &value)
{
    QStringList notes;
    if (value.storedLength > 0)
        notes << language.message(Texts::StoredCut).arg(value.storedLength).arg(ValueRules::ByteLength(value.text));
    if (value.storedCleaned)
        notes << language.message(Texts::StoredBreaksBecameSpaces);
    return notes.join(QLatin1Char('\n'));
}

// The password of a server access row, with its field name: the game takes the
// pair as it stands or not at all.
struct ServerPair
{
    QString field;
    QString password;
    bool written(const Language &language) const
    {
        return !password.isEmpty() && ValueRules::ServerPairProblem(language, field, password).isEmpty();
    }
};

ValueJudgement judge(const Language &language, ValueKind kind, const SettingValue &value, const ServerPair &pair)
{
    // A box holds its text cleaned; a value set otherwise is taken so too.
    const QString text = ValueRules::Clean(value.text);
    ValueJudgement judged;
    judged.storedNote = storedNote(language, value);
    judged.changedInGame = changedInTheGame(kind, text);
    switch (kind) {
    case ValueKind::Say:
    case ValueKind::SayTeam:
        judgeChat(language, kind, text, &judged);
        break;
    case ValueKind::Restock: {
        judged.inGame = ValueRules::GameRestock(text);
        if (judged.inGame != text)
            judged.inGameNote = language.message(Texts::InGameRestock).arg(judged.inGame);
        QStringList warnings;
        const QString split = ValueRules::RestockSplitCharacters(text);
        if (!split.isEmpty()) {
            QStringList named;
            for (const QChar c : split)
                named << QString(c);
            warnings << language.message(Texts::RestockRunsOtherwise).arg(named.join(QLatin1Char(' ')));
        }
        if (ValueRules::RestockWordsDropped(text))
            warnings << language.message(Texts::RestockWordsDropped);
        judged.warning = warnings.join(QLatin1Char('\n'));
        break;
    }
    case ValueKind::Sound: {
        judged.inGame = ValueRules::GameSoundName(text);
        const QString problem = ValueRules::Problem(language, kind, text);
        if (!problem.isEmpty())
            judged.warning = language.message(Texts::InGameSound).arg(judged.inGame, problem);
        break;
    }
    case ValueKind::ServerField:
    case ValueKind::ServerValue: {
        if (pair.written(language))
            judged.inGame = text;
        QString problem = ValueRules::Problem(language, kind, text);
        if (problem.isEmpty() && kind == ValueKind::ServerValue)
            problem = ValueRules::ServerPairProblem(language, pair.field, text);
        if (!problem.isEmpty())
            judged.warning = language.message(Texts::NotWrittenToVaris).arg(problem);
        break;
    }
    }
    return judged;
}

// The other box of a server access row.
Varia::Line partnerOf(Varia::Line line)
{
    switch (line) {
    case Varia::PasswordField1:
        return Varia::Password1;
    case Varia::Password1:
        return Varia::PasswordField1;
    case Varia::PasswordField2:
        return Varia::Password2;
    default:
        return Varia::PasswordField2;
    }
}

} // namespace

QString ValueJudgement::notes() const
{
    QStringList notes;
    for (const QString &note : {storedNote, warning, inGameNote, boxNote}) {
        if (!note.isEmpty())
            notes << note;
    }
    return notes.join(QStringLiteral("\n\n"));
}

ValueJudgement JudgeValue(const Language &language, const Settings &settings, Varia::Line line)
{
    const ValueKind kind = KindOf(line);
    ServerPair pair;
    if (isServer(kind)) {
        const QString own = ValueRules::Clean(settings.varia.at(line).text);
        const QString partner = ValueRules::Clean(settings.varia.at(partnerOf(line)).text);
        pair = kind == ValueKind::ServerField ? ServerPair{own, partner} : ServerPair{partner, own};
    }
    return judge(language, kind, settings.varia.at(line), pair);
}

ValueJudgement JudgeValue(const Language &language, const Settings &settings, Buy::Line line)
{
    ValueJudgement judged = judge(language, KindOf(line), settings.buy.at(line), {});
    if (line == Buy::Ak47) {
        // The package calls the alias by the name of the game's buy command.
        judged.boxNote = language.message(Texts::Ak47BuysNothing);
    } else if (line == Buy::Xm1014) {
        // Stored only: the game gets nothing of it, changed or not.
        judged.inGame.clear();
        judged.inGameNote.clear();
        judged.changedInGame = 0;
        judged.boxNote = language.message(Texts::Xm1014WrittenNowhere);
    }
    return judged;
}

bool EditCallsForNotes(const ValueJudgement &before, const ValueJudgement &after)
{
    return (!after.warning.isEmpty() && after.warning != before.warning)
           || after.changedInGame > before.changedInGame;
}

EditJudgement JudgeEdit(const Language &language, ValueKind kind, const QString &before, const QString &input)
{
    EditJudgement judged;
    const QString cleaned = ValueRules::Clean(input);
    qsizetype head = 0;
    qsizetype tail = 0;
    QString added = insertedPart(before, cleaned, &head, &tail);

    const QStringList unstorable = unstorableCharacters(added);
    if (!unstorable.isEmpty()) {
        // A character typed alone is refused; a paste or drop keeps the rest.
        added = storablePart(added);
        if (added.isEmpty())
            return refused(unstorableText(language, unstorable));
        judged.reports << leftOutText(language, unstorable);
    }
    const QString refusedCharacters = ValueRules::RefusedCharacters(kind, added);
    if (!refusedCharacters.isEmpty())
        return refused(notTaken(language, ValueRules::Problem(language, kind, refusedCharacters)));

    QString result = cleaned.left(head) + added + cleaned.right(tail);
    const qsizetype length = ValueRules::Length(kind, result);
    if (length > ValueRules::MaxLength(kind) && length > ValueRules::Length(kind, before)) {
        const qsizetype room = ValueRules::MaxLength(kind) - (length - ValueRules::Length(kind, added));
        // A password cut short would be a wrong one.
        const QString kept = isServer(kind) ? QString() : ValueRules::Cut(kind, added, room);
        if (kept.isEmpty())
            return refused(notTaken(language, ValueRules::AtMostText(language, kind)));
        added = kept;
        result = cleaned.left(head) + added + cleaned.right(tail);
        judged.reports << ValueRules::AtMostText(language, kind, true);
    }

    const QString problem = ValueRules::Problem(language, kind, result);
    if (!problem.isEmpty() && ValueRules::Problem(language, kind, before).isEmpty())
        return refused(notTaken(language, problem));

    if (cleaned != input)
        judged.reports.prepend(language.message(Texts::BreaksBecameSpaces));
    judged.text = result;
    judged.cursor = head + added.size();
    return judged;
}

EditJudgement JudgeStorableEdit(const Language &language, const QString &before, const QString &input)
{
    EditJudgement judged;
    judged.text = input;
    if (FitsWindows1252(input))
        return judged;
    qsizetype head = 0;
    qsizetype tail = 0;
    const QString added = insertedPart(before, input, &head, &tail);
    const QStringList leftOut = unstorableCharacters(added);
    const QString kept = input.left(head) + storablePart(added) + input.right(tail);
    if (kept.size() == head + tail) {
        if (leftOut.isEmpty()) {  // nothing put in: nothing to say
            judged.taken = false;
            return judged;
        }
        return refused(unstorableText(language, leftOut));
    }
    // Around a text the program set that the files cannot store, nothing is taken.
    if (!FitsWindows1252(kept))
        return refused(unstorableText(language, unstorableCharacters(input)));
    judged.text = kept;
    judged.cursor = kept.size() - tail;
    judged.reports << leftOutText(language, leftOut);
    return judged;
}
