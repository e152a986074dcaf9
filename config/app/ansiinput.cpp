#include "ansiinput.h"

#include "write.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QToolTip>
#include <QValidator>

#include <limits>

namespace {

// The characters of `text` that Windows-1252 cannot store, each once.
QStringList unstorableCharacters(const QString &text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString character = text.mid(i, pair ? 2 : 1);
        if (!FitsWindows1252(character) && !found.contains(character))
            found.append(character);
        i += character.size();
    }
    return found;
}

QString unstorableText(const QStringList &refused)
{
    const QString text = refused.size() == 1
        ? QStringLiteral("Nicht übernommen: %1\nDieses Zeichen kann nicht gespeichert werden.")
        : QStringLiteral("Nicht übernommen: %1\nDiese Zeichen können nicht gespeichert werden.");
    return text.arg(refused.join(QLatin1Char(' ')));
}

// A tooltip rather than a message box: it tells why without stopping the typing.
void showTip(QLineEdit *edit, const QString &text)
{
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), text, edit);
}

class AnsiValidator : public QValidator
{
public:
    explicit AnsiValidator(QObject *parent)
        : QValidator(parent)
    {
    }

    State validate(QString &input, int &) const override
    {
        if (FitsWindows1252(input))
            return Acceptable;
        m_refused = unstorableCharacters(input);
        return Invalid;
    }

    // What the last refused edit held that the files cannot store.
    QStringList refused() const { return m_refused; }

private:
    mutable QStringList m_refused;
};

bool isMessage(ValueKind kind)
{
    return kind == ValueKind::Say || kind == ValueKind::SayTeam;
}

bool isServer(ValueKind kind)
{
    return kind == ValueKind::ServerField || kind == ValueKind::ServerValue;
}

// The characters of a message that reach the game changed.
qsizetype changedInTheGame(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool slashBefore = c == QLatin1Char('/') && i + 1 < text.size()
                                 && (text.at(i + 1) == QLatin1Char('/') || text.at(i + 1) == QLatin1Char('\\'));
        if (c == QLatin1Char('"') || c == QLatin1Char(';') || c == QLatin1Char('\\') || slashBefore)
            ++count;
    }
    return count;
}

// Cleans what is typed, pasted or dropped into a box of the option dialogs,
// refuses what the game cannot take as a value of its kind, and keeps the
// box's tooltip and warning mark up to date.
class ValueGuard : public QValidator
{
public:
    ValueGuard(QLineEdit *edit, ValueKind kind)
        : QValidator(edit), m_edit(edit), m_kind(kind), m_accepted(edit->text())
    {
        m_mark = edit->addAction(edit->style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition);
        m_mark->setVisible(false);
        connect(m_mark, &QAction::triggered, this, [this] { showTip(m_edit, m_edit->toolTip()); });
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
        // What the edit put in: everything between the parts it left as they were.
        qsizetype head = 0;
        while (head < cleaned.size() && head < m_accepted.size() && cleaned.at(head) == m_accepted.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < cleaned.size() - head && tail < m_accepted.size() - head
               && cleaned.at(cleaned.size() - 1 - tail) == m_accepted.at(m_accepted.size() - 1 - tail))
            ++tail;
        QString added = cleaned.mid(head, cleaned.size() - head - tail);

        const QStringList unstorable = unstorableCharacters(added);
        if (!unstorable.isEmpty())
            return refuse(unstorableText(unstorable));
        const QString refused = ValueRules::RefusedCharacters(m_kind, added);
        if (!refused.isEmpty())
            return refuse(ValueRules::Problem(m_kind, refused));

        const qsizetype max = ValueRules::MaxLength(m_kind);
        QString result = cleaned;
        if (cleaned.size() > max && cleaned.size() > m_accepted.size()) {
            const qsizetype room = max - (cleaned.size() - added.size());
            // A password cut short would be a wrong one.
            if (room <= 0 || isServer(m_kind))
                return refuse(QStringLiteral("Höchstens %1 Zeichen.").arg(max));
            added = added.left(room);
            result = cleaned.left(head) + added + cleaned.right(tail);
            m_reports << QStringLiteral("Höchstens %1 Zeichen: der Rest wurde nicht übernommen.").arg(max);
        }

        const QString problem = ValueRules::Problem(m_kind, result);
        if (!problem.isEmpty() && ValueRules::Problem(m_kind, m_accepted).isEmpty())
            return refuse(problem);

        if (cleaned != input)
            m_reports.prepend(QStringLiteral("Zeilenumbrüche und Tabulatoren wurden zu Leerzeichen, "
                                             "andere Steuerzeichen entfallen."));
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

        QStringList notes;
        if (value.storedLength > 0)
            notes << QStringLiteral("Der gespeicherte Text war %1 Zeichen lang; hier stehen die ersten %2.")
                         .arg(value.storedLength)
                         .arg(ValueRules::ByteLength(value.text));
        if (value.storedCleaned)
            notes << QStringLiteral("Zeilenumbrüche und Tabulatoren des gespeicherten Texts wurden zu Leerzeichen, "
                                    "andere Steuerzeichen entfallen.");
        m_storedNotice = notes.join(QLatin1Char('\n'));
        refresh();
    }

    void pairWith(QLineEdit *field)
    {
        m_field = field;
        connect(field, &QLineEdit::textChanged, this, &ValueGuard::refresh);
        refresh();
    }

protected:
    // A box whose value will not reach the game as it stands says so when its dialog opens.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_edit && event->type() == QEvent::Show && m_mark->isVisible())
            showTip(m_edit, m_edit->toolTip());
        return QValidator::eventFilter(watched, event);
    }

private:
    QLineEdit *m_edit;
    ValueKind m_kind;
    QLineEdit *m_field = nullptr;
    QAction *m_mark;
    QString m_accepted;          // the text before the edit being validated
    QString m_storedNotice;      // what became of the value read from the state file
    bool m_loading = false;
    mutable QString m_produced;  // the text this guard made of the last edit
    mutable QStringList m_reports;

    State refuse(const QString &why) const
    {
        m_reports = QStringList{why.startsWith(QLatin1String("Nicht übernommen")) ? why
                                                                                  : QStringLiteral("Nicht übernommen. ") + why};
        return Invalid;
    }

    void rejected()
    {
        if (!m_reports.isEmpty())
            showTip(m_edit, m_reports.join(QLatin1Char('\n')));
        m_reports.clear();
    }

    void edited(const QString &text)
    {
        const qsizetype changedBefore = changedInTheGame(m_accepted);
        const QString warnedBefore = warning(m_accepted);
        m_accepted = text;
        m_produced.clear();
        // The user has taken the value in hand: what became of the stored one no longer matters.
        m_storedNotice.clear();
        refresh();
        QStringList tips = m_reports;
        m_reports.clear();
        const QString warns = warning(text);
        if (!warns.isEmpty() && warns != warnedBefore)
            tips << warns;
        if (isMessage(m_kind) && changedInTheGame(text) > changedBefore)
            tips << m_edit->toolTip();
        if (!tips.isEmpty())
            showTip(m_edit, tips.join(QLatin1Char('\n')));
    }

    void changed(const QString &text)
    {
        m_accepted = text;
        m_produced.clear();
        refresh();
    }

    // Why the value will not reach the game as it stands; empty when it will.
    QString warning(const QString &text) const
    {
        if (m_kind == ValueKind::Sound) {
            const QString problem = ValueRules::Problem(m_kind, text);
            return problem.isEmpty() ? QString()
                                     : QStringLiteral("Im Spiel: speak %1\n%2").arg(ValueRules::GameSoundName(text), problem);
        }
        if (isServer(m_kind)) {
            QString problem = ValueRules::Problem(m_kind, text);
            if (problem.isEmpty() && m_field)
                problem = ValueRules::ServerPairProblem(m_field->text(), text);
            return problem.isEmpty() ? QString() : QStringLiteral("Wird nicht in varis.cfg geschrieben. ") + problem;
        }
        return {};
    }

    void refresh()
    {
        const QString text = m_edit->text();
        const QString warns = warning(text);
        QStringList notes;
        if (!m_storedNotice.isEmpty())
            notes << m_storedNotice;
        if (!warns.isEmpty())
            notes << warns;
        if (isMessage(m_kind)) {
            const QString game = ValueRules::GameMessage(text, ValueRules::MaxLength(m_kind));
            if (game != text)
                notes << QStringLiteral("Im Spiel: %1\n(\" wird zu ', ; zu :, \\ zu / und // zu / /)").arg(game);
        }
        m_edit->setToolTip(notes.join(QStringLiteral("\n\n")));
        m_mark->setVisible(!m_storedNotice.isEmpty() || !warns.isEmpty());
    }
};

// Values restored from the files may be longer than the 32767 a box takes by
// default; each guard cuts them itself.
void takeAnyLength(QLineEdit *edit)
{
    edit->setMaxLength(std::numeric_limits<int>::max());
}

} // namespace

void guardAnsiInput(QLineEdit *edit)
{
    takeAnyLength(edit);
    auto *validator = new AnsiValidator(edit);
    edit->setValidator(validator);
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit, validator] {
        const QStringList refused = validator->refused();
        if (!refused.isEmpty())
            showTip(edit, unstorableText(refused));
    });
}

void guardValueInput(QLineEdit *edit, ValueKind kind)
{
    takeAnyLength(edit);
    edit->setValidator(new ValueGuard(edit, kind));
}

void pairServerBoxes(QLineEdit *field, QLineEdit *password)
{
    if (auto *guard = dynamic_cast<ValueGuard *>(const_cast<QValidator *>(password->validator())))
        guard->pairWith(field);
}

void setStoredValue(QLineEdit *edit, const SettingValue &value)
{
    if (auto *guard = dynamic_cast<ValueGuard *>(const_cast<QValidator *>(edit->validator())))
        guard->setStored(value);
    else
        edit->setText(value.text);
}
