#include "valueguard.h"

#include "notice.h"
#include "valuejudgement.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <QValidator>

#include <functional>
#include <limits>

namespace {

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
        connect(edit, &QLineEdit::inputRejected, this, &AnsiValidator::tell);
        connect(edit, &QLineEdit::textEdited, this, &AnsiValidator::tell);
    }

    State validate(QString &input, int &pos) const override
    {
        const EditJudgement judged = JudgeStorableEdit(m_language, m_accepted, input);
        // A text taken as it is says nothing new: the second round, on the
        // text this made of an edit, keeps what the first had to say.
        if (judged.taken && judged.text == input)
            return Acceptable;
        m_reports = judged.reports;
        if (!judged.taken)
            return Invalid;
        input = judged.text;
        pos = int(judged.cursor);
        return Acceptable;
    }

private:
    void tell()
    {
        Notice::typedIn(m_edit);
        if (!m_reports.isEmpty())
            Notice::showFor(m_edit, m_reports.join(QLatin1Char('\n')));
        m_reports.clear();
    }

    QLineEdit *m_edit;
    const Language &m_language;       // the one in force, whichever that is
    QString m_accepted;               // the text before the edit being validated
    mutable QStringList m_reports;    // what the last edit calls for the box to say
};

// The box of one value of the settings. It cleans and refuses edits, and
// says the value's notes, as the model judges them; it hands every change
// back to the settings, which hold the value.
class ValueGuard : public QValidator
{
public:
    using Value = std::function<SettingValue &()>;
    using Judge = std::function<ValueJudgement(const Language &)>;

    ValueGuard(QLineEdit *edit, ValueKind kind, Value value, Judge judge, const Language &language)
        : QValidator(edit)
        , m_edit(edit)
        , m_kind(kind)
        , m_value(std::move(value))
        , m_judge(std::move(judge))
        , m_language(language)
    {
        m_mark = edit->addAction(edit->style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition);
        m_mark->setVisible(false);
        m_loading = true;
        edit->setText(m_value().text);
        m_loading = false;
        m_accepted = edit->text();
        connect(m_mark, &QAction::triggered, this, &ValueGuard::showNotes);
        connect(edit, &QLineEdit::inputRejected, this, &ValueGuard::rejected);
        connect(edit, &QLineEdit::textEdited, this, &ValueGuard::edited);
        connect(edit, &QLineEdit::textChanged, this, &ValueGuard::changed);
        edit->installEventFilter(this);
        refresh();
    }

    // `input` is the whole text after the edit; the text before it is m_accepted.
    State validate(QString &input, int &pos) const override
    {
        // The second round, after this guard changed the edit, and the program's own values.
        if (m_loading || input == m_accepted || input == m_produced)
            return Acceptable;
        m_produced.clear();
        const EditJudgement judged = JudgeEdit(m_language, m_kind, m_accepted, input);
        m_reports = judged.reports;
        if (!judged.taken)
            return Invalid;
        if (judged.text != input) {
            input = judged.text;
            pos = int(judged.cursor);
            m_produced = judged.text;
        }
        return Acceptable;
    }

    // The notice of a marked box, as its dialog opens; false for a box without mark.
    bool explainMark()
    {
        if (!m_mark->isVisible() || !m_edit->isVisible())
            return false;
        showNotes();
        return true;
    }

    // The notes (hover help and mark) of the value as it stands, in the language in force.
    void refresh()
    {
        m_judgement = m_judge(m_language);
        m_edit->setToolTip(asTip(m_judgement.notes()));
        m_mark->setVisible(m_judgement.marked());
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
    QLineEdit *m_edit;
    ValueKind m_kind;
    Value m_value;
    Judge m_judge;
    const Language &m_language;    // the one in force, whichever that is
    QAction *m_mark;
    QString m_accepted;            // the text before the edit being validated
    ValueJudgement m_judgement;    // of the value as the box shows it
    QString m_followed;            // the notice shown with the notes, which follows the typing
    bool m_loading = false;
    mutable QString m_produced;    // the text this guard made of the last edit
    mutable QStringList m_reports;

    void showNotes()
    {
        m_followed = m_judgement.notes();
        Notice::showFor(m_edit, m_followed);
    }

    void rejected()
    {
        Notice::typedIn(m_edit);
        if (!m_reports.isEmpty())
            Notice::showFor(m_edit, m_reports.join(QLatin1Char('\n')));
        m_reports.clear();
    }

    // Comes before textChanged: the settings and m_judgement still hold the text before the edit.
    void edited(const QString &text)
    {
        const ValueJudgement before = m_judgement;
        // A notice with the notes follows the typing: it says what they say of the whole text.
        const bool following = !m_followed.isEmpty() && Notice::shownFor(m_edit) == m_followed;
        m_value().takeInHand();
        changed(text);
        Notice::typedIn(m_edit);
        QStringList tips = m_reports;
        m_reports.clear();
        const QString notes = m_judgement.notes();
        const bool follow = !notes.isEmpty() && (following || EditCallsForNotes(before, m_judgement));
        if (follow)
            tips << notes;
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
        m_value().text = text;
        m_accepted = text;
        m_produced.clear();
        refresh();
    }
};

// Values restored from the files may be longer than the 32767 a box takes by
// default; each guard cuts them itself.
void takeAnyLength(QLineEdit *edit)
{
    edit->setMaxLength(std::numeric_limits<int>::max());
}

template <class Line>
void guard(QLineEdit *edit, Line line, Settings &settings, const Language &language)
{
    takeAnyLength(edit);
    // Looked up at each use: reading the state files again replaces the values.
    edit->setValidator(new ValueGuard(
        edit, KindOf(line), [&settings, line]() -> SettingValue & { return settings.field(line); },
        [&settings, line](const Language &inForce) { return JudgeValue(inForce, settings, line); }, language));
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

void guardSetting(QLineEdit *edit, Varia::Line line, Settings &settings, const Language &language)
{
    guard(edit, line, settings, language);
}

void guardSetting(QLineEdit *edit, Buy::Line line, Settings &settings, const Language &language)
{
    guard(edit, line, settings, language);
}

void pairServerBoxes(QLineEdit *field, QLineEdit *password)
{
    if (ValueGuard *judged = guardOf(password))
        QObject::connect(field, &QLineEdit::textChanged, judged, &ValueGuard::refresh);
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
