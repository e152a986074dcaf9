#include "ansiinput.h"

#include "texts.h"
#include "write.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QValidator>

#include <algorithm>
#include <limits>
#include <utility>

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
    return Texts::get(refused.size() == 1 ? Texts::UnstorableCharacter : Texts::UnstorableCharacters)
        .arg(refused.join(QLatin1Char(' ')));
}

// The box the user sees of `edit`: a combo box's whole frame.
QWidget *boxOf(QLineEdit *edit)
{
    auto *combo = qobject_cast<QComboBox *>(edit->parentWidget());
    return combo ? static_cast<QWidget *>(combo) : edit;
}

QRect globalRect(const QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// Where the tooltip of `edit` goes: beside the box, never over another input
// box of the dialog, where a click meant for that box would land in the
// tooltip. Right of the box, else above it, else right of, left of, above or
// below the whole dialog: the first place the screen shows whole that covers
// no box. Qt's own place when none does. Returns how far the tip was moved.
QPoint placeTip(QLineEdit *edit, QWidget *tip)
{
    QWidget *own = boxOf(edit);
    QList<QRect> boxes;
    for (QWidget *child : edit->window()->findChildren<QWidget *>()) {
        auto *line = qobject_cast<QLineEdit *>(child);
        QWidget *box = line ? boxOf(line) : child;
        if ((line || qobject_cast<QComboBox *>(child)) && box->isVisible())
            boxes << globalRect(box);
    }
    const QRect box = globalRect(own);
    const QRect dialog = edit->window()->frameGeometry();
    const QSize size = tip->size();
    const int gap = 4;
    const QPoint places[] = {
        {box.right() + gap, box.top()},
        {box.left(), box.top() - gap - size.height()},
        {dialog.right() + gap, box.top()},
        {dialog.left() - gap - size.width(), box.top()},
        {box.left(), dialog.top() - gap - size.height()},
        {box.left(), dialog.bottom() + gap},
    };
    const QRect screen = own->screen()->availableGeometry();
    for (const QPoint &place : places) {
        const QRect rect(place, size);
        const auto covers = [&rect](const QRect &other) { return rect.intersects(other); };
        if (screen.contains(rect) && std::none_of(boxes.cbegin(), boxes.cend(), covers)) {
            const QPoint moved = place - tip->pos();
            tip->move(place);
            return moved;
        }
    }
    return {};
}

// Moves the tooltip on show, if any, to its place beside `edit`; returns how far.
QPoint placeShownTip(QLineEdit *edit)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto tip = std::find_if(windows.cbegin(), windows.cend(), [](const QWidget *window) {
        return window->windowType() == Qt::ToolTip && window->isVisible();
    });
    return tip != windows.cend() ? placeTip(edit, *tip) : QPoint();
}

// A tip shows what was typed as typed: a "<b>" in a box is no markup.
QString asTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}

// QToolTip hides a tip 0.3 s after any Leave event, as a tip for what the
// pointer rests on. Ours tell what was typed: they would vanish whenever the
// pointer crosses into another widget or window, as it does at once where a
// tip (or a dialog opening) appears under the resting pointer. Shown again at
// once (for another widget, and back), the tip stays its full time. It is
// shown again for a point as far from where Qt puts it as it was moved: a tip
// moving away from under the pointer and back would make a new Leave (on
// Windows), and so on without end.
// Qt hides a tip as its window loses activation too. The window system may
// hand the activation away and back as a window opens (seen under Wine, at
// times only after a while), which is no doing of the user: a tip shown less
// than three seconds ago comes back whenever its window is activated again.
class TipKeeper : public QObject
{
public:
    static void show(QLineEdit *edit, const QPoint &at, const QString &text)
    {
        static QPointer<TipKeeper> keeper;
        // Made before the first tip, so that QToolTip's own filter, made with
        // each tip, always sees a Leave first.
        if (!keeper)
            keeper = new TipKeeper;
        keeper->m_edit = edit;
        keeper->m_text = text;
        keeper->m_shown.start();
        QToolTip::showText(at, text, edit);
        keeper->m_at = at + placeShownTip(edit);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QLineEdit *const edit = this->edit();
        const bool ours = edit && QToolTip::text() == m_text;
        if (event->type() == QEvent::Leave && ours && QToolTip::isVisible()) {
            QToolTip::showText(m_at, m_text, edit->window());
            showAgain(edit);
        } else if (event->type() == QEvent::WindowActivate && edit && watched == edit->window()) {
            // After the activation's own events (focus among them), which would hide it again.
            if (m_shown.isValid() && m_shown.elapsed() < 3000)
                QTimer::singleShot(0, this, [this] {
                    QLineEdit *const shown = this->edit();
                    if (shown && shown->isVisible() && !QToolTip::isVisible())
                        showAgain(shown);
                });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TipKeeper()
        : QObject(qApp)
    {
        qApp->installEventFilter(this);
    }

    void showAgain(QLineEdit *edit)
    {
        QToolTip::showText(m_at, m_text, edit);
        placeShownTip(edit);
    }

    // The box of the tip, while it is one: events still come while it is
    // being destroyed, when it is no box any more and qobject_cast says so.
    QLineEdit *edit() const { return qobject_cast<QLineEdit *>(m_edit.data()); }

    QPointer<QObject> m_edit;
    QPoint m_at;
    QString m_text;
    QElapsedTimer m_shown;  // since the tip was shown
};

// A tooltip rather than a message box: it tells why without stopping the typing.
void showTip(QLineEdit *edit, const QString &text)
{
    TipKeeper::show(edit, globalRect(boxOf(edit)).bottomLeft(), asTip(text));
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
// box's tooltip and warning mark up to date.
class ValueGuard : public QValidator
{
public:
    ValueGuard(QLineEdit *edit, ValueKind kind)
        : QValidator(edit), m_edit(edit), m_kind(kind), m_accepted(edit->text())
    {
        m_mark = edit->addAction(edit->style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition);
        m_mark->setVisible(false);
        connect(m_mark, &QAction::triggered, this, [this] { showTip(m_edit, m_notes); });
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
            return refuse(notTaken(ValueRules::Problem(m_kind, refused)));

        const qsizetype max = ValueRules::MaxLength(m_kind);
        QString result = cleaned;
        if (cleaned.size() > max && cleaned.size() > m_accepted.size()) {
            const qsizetype room = max - (cleaned.size() - added.size());
            // A password cut short would be a wrong one.
            if (room <= 0 || isServer(m_kind))
                return refuse(notTaken(Texts::get(Texts::AtMost).arg(max)));
            added = added.left(room);
            result = cleaned.left(head) + added + cleaned.right(tail);
            m_reports << Texts::get(Texts::AtMostRestDropped).arg(max);
        }

        const QString problem = ValueRules::Problem(m_kind, result);
        if (!problem.isEmpty() && ValueRules::Problem(m_kind, m_accepted).isEmpty())
            return refuse(notTaken(problem));

        if (cleaned != input)
            m_reports.prepend(Texts::get(Texts::BreaksBecameSpaces));
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
            notes << Texts::get(Texts::StoredCut).arg(value.storedLength).arg(ValueRules::ByteLength(value.text));
        if (value.storedCleaned)
            notes << Texts::get(Texts::StoredBreaksBecameSpaces);
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
    // A box whose value will not reach the game as it stands says so when its
    // dialog opens: once the window is active and has stayed so a moment, as
    // the window system's activation, the focus it gives a box and (under
    // Wine) the activation handed away and back just after hide any tip
    // shown before.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_edit && event->type() == QEvent::Show && m_mark->isVisible()) {
            m_tipWhenActive = true;
            m_edit->window()->installEventFilter(this);
        } else if (watched == m_edit->window() && event->type() == QEvent::WindowActivate
                   && std::exchange(m_tipWhenActive, false)) {
            QTimer::singleShot(300, this, [this] {
                if (!m_edit->isVisible())
                    return;
                if (m_edit->window()->isActiveWindow())
                    showTip(m_edit, m_notes);
                else
                    m_tipWhenActive = true;  // at the activation's return
            });
        }
        return QValidator::eventFilter(watched, event);
    }

private:
    QLineEdit *m_edit;
    ValueKind m_kind;
    QLineEdit *m_field = nullptr;
    QAction *m_mark;
    QString m_accepted;          // the text before the edit being validated
    QString m_storedNotice;      // what became of the value read from the state file
    QString m_notes;             // the box's tooltip as plain text
    QString m_previewTip;        // the last tip shown with what the game gets
    bool m_tipWhenActive = false;
    bool m_loading = false;
    mutable QString m_produced;  // the text this guard made of the last edit
    mutable QStringList m_reports;

    static QString notTaken(const QString &why) { return Texts::get(Texts::NotTaken).arg(why); }

    State refuse(const QString &report) const
    {
        m_reports = QStringList{report};
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
        const qsizetype changedBefore = changedInTheGame(m_kind, m_accepted);
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
        // A preview on show follows the typing: it shows what the game gets of the whole text.
        const bool previewShown =
            !m_previewTip.isEmpty() && QToolTip::isVisible() && QToolTip::text() == asTip(m_previewTip);
        const bool preview =
            (isMessage(m_kind) || m_kind == ValueKind::Restock) && !m_notes.isEmpty()
            && (changedInTheGame(m_kind, text) > changedBefore || previewShown);
        if (preview)
            tips << m_notes;
        m_previewTip.clear();
        if (!tips.isEmpty()) {
            showTip(m_edit, tips.join(QLatin1Char('\n')));
            if (preview)
                m_previewTip = tips.join(QLatin1Char('\n'));
        } else if (previewShown) {
            QToolTip::hideText(); // the game gets the text as typed now
        }
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
                                     : Texts::get(Texts::InGameSound).arg(ValueRules::GameSoundName(text), problem);
        }
        if (isServer(m_kind)) {
            QString problem = ValueRules::Problem(m_kind, text);
            if (problem.isEmpty() && m_field)
                problem = ValueRules::ServerPairProblem(m_field->text(), text);
            return problem.isEmpty() ? QString() : Texts::get(Texts::NotWrittenToVaris).arg(problem);
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
                notes << Texts::get(Texts::InGameMessage).arg(game);
        } else if (m_kind == ValueKind::Restock) {
            const QString game = ValueRules::GameRestock(text);
            if (game != text)
                notes << Texts::get(Texts::InGameRestock).arg(game);
        }
        m_notes = notes.join(QStringLiteral("\n\n"));
        m_edit->setToolTip(asTip(m_notes));
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
