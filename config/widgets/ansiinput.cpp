#include "ansiinput.h"

#include "language.h"
#include "notice.h"
#include "textfiles.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <QValidator>

#include <limits>

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

// Hover help: a tooltip shows what was typed as typed, a "<b>" in a box is no markup.
QString asTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}

// Takes what the files can store. A character they can't, typed, is refused;
// a paste or drop that holds other characters too is taken without it.
class AnsiValidator : public QValidator
{
public:
    AnsiValidator(QLineEdit *edit, const Language &language)
        : QValidator(edit), m_edit(edit), m_language(language), m_accepted(edit->text())
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_accepted = text; });
        connect(edit, &QLineEdit::inputRejected, this, [this] { tell(unstorableText(m_language, m_leftOut)); });
        connect(edit, &QLineEdit::textEdited, this, [this] { tell(leftOutText(m_language, m_leftOut)); });
    }

    State validate(QString &input, int &pos) const override
    {
        if (FitsWindows1252(input))
            return Acceptable;
        qsizetype head = 0;
        qsizetype tail = 0;
        const QString added = insertedPart(m_accepted, input, &head, &tail);
        m_leftOut = unstorableCharacters(added);
        const QString kept = input.left(head) + storablePart(added) + input.right(tail);
        if (kept.size() == head + tail)
            return Invalid;
        // Around a text the program set that the files cannot store, nothing is taken.
        if (!FitsWindows1252(kept)) {
            m_leftOut = unstorableCharacters(input);
            return Invalid;
        }
        input = kept;
        pos = int(kept.size() - tail);
        return Acceptable;
    }

private:
    void tell(const QString &what)
    {
        Notice::typedIn(m_edit);
        if (!m_leftOut.isEmpty())
            Notice::showFor(m_edit, what);
        m_leftOut.clear();
    }

    QLineEdit *m_edit;
    const Language &m_language;       // the one in force, whichever that is
    QString m_accepted;               // the text before the edit being validated
    mutable QStringList m_leftOut;    // what the last edit held that the files cannot store
};

bool isMessage(ValueKind kind)
{
    return kind == ValueKind::Say || kind == ValueKind::SayTeam;
}

bool isServer(ValueKind kind)
{
    return kind == ValueKind::ServerField || kind == ValueKind::ServerValue;
}

// The characters of a message or restock item that reach the game changed
// (a trailing backslash of a restock item aside: typing one would say so at every key).
qsizetype changedInTheGame(ValueKind kind, const QString &text)
{
    const bool message = isMessage(kind);
    if (!message && kind != ValueKind::Restock)
        return 0;
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        const bool slashBefore =
            c == QLatin1Char('/') && (next == QLatin1Char('/') || (message && next == QLatin1Char('\\')));
        if (c == QLatin1Char('"') || slashBefore
            || (message && (c == QLatin1Char(';') || c == QLatin1Char('\\'))))
            ++count;
    }
    return count;
}

// Cleans what is typed, pasted or dropped into a box of the option dialogs,
// refuses what the game cannot take as a value of its kind, and keeps the
// box's notes (its hover help), its warning mark and its notice up to date.
class ValueGuard : public QValidator
{
public:
    ValueGuard(QLineEdit *edit, ValueKind kind, const Language &language)
        : QValidator(edit), m_edit(edit), m_kind(kind), m_language(language), m_accepted(edit->text())
    {
        m_mark = edit->addAction(edit->style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition);
        m_mark->setVisible(false);
        connect(m_mark, &QAction::triggered, this, &ValueGuard::showNotes);
        connect(edit, &QLineEdit::inputRejected, this, &ValueGuard::rejected);
        connect(edit, &QLineEdit::textEdited, this, &ValueGuard::edited);
        connect(edit, &QLineEdit::textChanged, this, &ValueGuard::changed);
        edit->installEventFilter(this);
    }

    // `input` is the whole text after the edit; the text before it is m_accepted.
    State validate(QString &input, int &pos) const override
    {
        // The second round, after this guard changed the edit, and the program's own values.
        if (m_loading || input == m_accepted || input == m_produced)
            return Acceptable;
        m_reports.clear();
        m_produced.clear();

        const QString cleaned = ValueRules::Clean(input);
        qsizetype head = 0;
        qsizetype tail = 0;
        QString added = insertedPart(m_accepted, cleaned, &head, &tail);

        const QStringList unstorable = unstorableCharacters(added);
        if (!unstorable.isEmpty()) {
            // A character typed alone is refused; a paste or drop keeps the rest.
            added = storablePart(added);
            if (added.isEmpty())
                return refuse(unstorableText(m_language, unstorable));
            m_reports << leftOutText(m_language, unstorable);
        }
        const QString refused = ValueRules::RefusedCharacters(m_kind, added);
        if (!refused.isEmpty())
            return refuse(notTaken(ValueRules::Problem(m_language, m_kind, refused)));

        const qsizetype max = ValueRules::MaxLength(m_kind);
        QString result = cleaned.left(head) + added + cleaned.right(tail);
        if (result.size() > max && result.size() > m_accepted.size()) {
            const qsizetype room = max - (result.size() - added.size());
            // A password cut short would be a wrong one.
            if (room <= 0 || isServer(m_kind))
                return refuse(notTaken(m_language.message(Texts::AtMost).arg(max)));
            added = added.left(room);
            result = cleaned.left(head) + added + cleaned.right(tail);
            m_reports << m_language.message(Texts::AtMostRestDropped).arg(max);
        }

        const QString problem = ValueRules::Problem(m_language, m_kind, result);
        if (!problem.isEmpty() && ValueRules::Problem(m_language, m_kind, m_accepted).isEmpty())
            return refuse(notTaken(problem));

        if (cleaned != input)
            m_reports.prepend(m_language.message(Texts::BreaksBecameSpaces));
        if (result != input) {
            input = result;
            pos = int(head + added.size());
            m_produced = result;
        }
        return Acceptable;
    }

    void setStored(const SettingValue &value)
    {
        m_loading = true;
        m_edit->setText(value.text);
        m_loading = false;
        m_stored = {value.storedLength, ValueRules::ByteLength(value.text), value.storedCleaned};
        refresh();
    }

    void pairWith(QLineEdit *field)
    {
        m_field = field;
        connect(field, &QLineEdit::textChanged, this, &ValueGuard::refresh);
        refresh();
    }

    // The notice of a marked box, as its dialog opens; false for a box without mark.
    bool explainMark()
    {
        if (!m_mark->isVisible() || !m_edit->isVisible())
            return false;
        showNotes();
        return true;
    }

    // The notes (hover help and mark) for the box's text, in the messages in force.
    void refresh()
    {
        const QString text = m_edit->text();
        const QString stored = storedNotice();
        const QString warns = warning(text);
        QStringList notes;
        if (!stored.isEmpty())
            notes << stored;
        if (!warns.isEmpty())
            notes << warns;
        if (isMessage(m_kind)) {
            const QString game = ValueRules::GameMessage(text, ValueRules::MaxLength(m_kind));
            if (game != text)
                notes << m_language.message(Texts::InGameMessage).arg(game);
        } else if (m_kind == ValueKind::Restock) {
            const QString game = ValueRules::GameRestock(text);
            if (game != text)
                notes << m_language.message(Texts::InGameRestock).arg(game);
        }
        m_notes = notes.join(QStringLiteral("\n\n"));
        m_edit->setToolTip(asTip(m_notes));
        m_mark->setVisible(!stored.isEmpty() || !warns.isEmpty());
    }

protected:
    // The notice beside the box says what its hover help would: no tooltip over it.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_edit && event->type() == QEvent::ToolTip && !Notice::shownFor(m_edit).isEmpty())
            return true;
        return QValidator::eventFilter(watched, event);
    }

private:
    // What became of the value read from the state file.
    struct Stored
    {
        qsizetype length = 0;  // of the stored text, when it was cut
        qsizetype kept = 0;    // of what the box holds of it
        bool cleaned = false;
    };

    QLineEdit *m_edit;
    ValueKind m_kind;
    const Language &m_language;  // the one in force, whichever that is
    QLineEdit *m_field = nullptr;
    QAction *m_mark;
    QString m_accepted;          // the text before the edit being validated
    Stored m_stored;
    QString m_notes;             // the box's hover help as plain text
    QString m_followed;          // the notice shown with the notes, which follows the typing
    bool m_loading = false;
    mutable QString m_produced;  // the text this guard made of the last edit
    mutable QStringList m_reports;

    QString notTaken(const QString &why) const { return m_language.message(Texts::NotTaken).arg(why); }

    State refuse(const QString &report) const
    {
        m_reports = QStringList{report};
        return Invalid;
    }

    void showNotes()
    {
        Notice::showFor(m_edit, m_notes);
        m_followed = m_notes;
    }

    void rejected()
    {
        Notice::typedIn(m_edit);
        if (!m_reports.isEmpty())
            Notice::showFor(m_edit, m_reports.join(QLatin1Char('\n')));
        m_reports.clear();
    }

    void edited(const QString &text)
    {
        const qsizetype changedBefore = changedInTheGame(m_kind, m_accepted);
        const QString warnedBefore = warning(m_accepted);
        // A notice with the notes follows the typing: it says what they say of the whole text.
        const bool following = !m_followed.isEmpty() && Notice::shownFor(m_edit) == m_followed;
        m_accepted = text;
        m_produced.clear();
        // The user has taken the value in hand: what became of the stored one no longer matters.
        m_stored = {};
        refresh();
        Notice::typedIn(m_edit);
        QStringList tips = m_reports;
        m_reports.clear();
        const QString warns = warning(text);
        const bool follow = !m_notes.isEmpty()
                            && (following || (!warns.isEmpty() && warns != warnedBefore)
                                || changedInTheGame(m_kind, text) > changedBefore);
        if (follow)
            tips << m_notes;
        m_followed.clear();
        if (!tips.isEmpty()) {
            const QString shown = tips.join(QLatin1Char('\n'));
            Notice::showFor(m_edit, shown);
            if (follow)
                m_followed = shown;
        } else if (following) {
            Notice::hideFor(m_edit);  // the text no longer calls for it
        }
    }

    void changed(const QString &text)
    {
        m_accepted = text;
        m_produced.clear();
        refresh();
    }

    // Why the value will not reach the game as it stands, or may not; empty when it will.
    QString warning(const QString &text) const
    {
        if (m_kind == ValueKind::Sound) {
            const QString problem = ValueRules::Problem(m_language, m_kind, text);
            if (problem.isEmpty())
                return {};
            return m_language.message(Texts::InGameSound).arg(ValueRules::GameSoundName(text), problem);
        }
        if (isServer(m_kind)) {
            QString problem = ValueRules::Problem(m_language, m_kind, text);
            if (problem.isEmpty() && m_field)
                problem = ValueRules::ServerPairProblem(m_language, m_field->text(), text);
            return problem.isEmpty() ? QString() : m_language.message(Texts::NotWrittenToVaris).arg(problem);
        }
        if (m_kind == ValueKind::Restock) {
            const QString split = ValueRules::RestockSplitCharacters(text);
            QStringList named;
            for (const QChar c : split)
                named << QString(c);
            return split.isEmpty() ? QString()
                                   : m_language.message(Texts::RestockRunsOtherwise).arg(named.join(QLatin1Char(' ')));
        }
        return {};
    }

    QString storedNotice() const
    {
        QStringList notes;
        if (m_stored.length > 0)
            notes << m_language.message(Texts::StoredCut).arg(m_stored.length).arg(m_stored.kept);
        if (m_stored.cleaned)
            notes << m_language.message(Texts::StoredBreaksBecameSpaces);
        return notes.join(QLatin1Char('\n'));
    }
};

// Values restored from the files may be longer than the 32767 a box takes by
// default; each guard cuts them itself.
void takeAnyLength(QLineEdit *edit)
{
    edit->setMaxLength(std::numeric_limits<int>::max());
}

ValueGuard *guardOf(QLineEdit *edit)
{
    return dynamic_cast<ValueGuard *>(const_cast<QValidator *>(edit->validator()));
}

} // namespace

void guardAnsiInput(QLineEdit *edit, const Language &language)
{
    takeAnyLength(edit);
    edit->setValidator(new AnsiValidator(edit, language));
}

void guardValueInput(QLineEdit *edit, ValueKind kind, const Language &language)
{
    takeAnyLength(edit);
    edit->setValidator(new ValueGuard(edit, kind, language));
}

void pairServerBoxes(QLineEdit *field, QLineEdit *password)
{
    if (ValueGuard *guard = guardOf(password))
        guard->pairWith(field);
}

void setStoredValue(QLineEdit *edit, const SettingValue &value)
{
    if (ValueGuard *guard = guardOf(edit))
        guard->setStored(value);
    else
        edit->setText(value.text);
}

bool explainMark(QLineEdit *edit)
{
    ValueGuard *guard = guardOf(edit);
    return guard && guard->explainMark();
}

void renewNotes(QLineEdit *edit)
{
    if (ValueGuard *guard = guardOf(edit))
        guard->refresh();
}
