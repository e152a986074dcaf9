#include "controls.h"

#include "ansiinput.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

#include <utility>

namespace Controls {

namespace {

// Qt closes an open drop-down list while it asks whether Escape is a
// shortcut, and then takes Escape for one all the same: remembers, for the
// shortcut, that the key was the list's.
class ListEscape : public QObject
{
public:
    // True (once) when the Escape being handled closed a list.
    static bool closedList()
    {
        static QPointer<ListEscape> watcher;
        if (!watcher)
            watcher = new ListEscape;
        return std::exchange(watcher->m_listOpen, false);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape
            && QApplication::activePopupWidget())
            m_listOpen = true;
        else if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            m_listOpen = false;  // that Escape was no shortcut
        return QObject::eventFilter(watched, event);
    }

private:
    ListEscape()
        : QObject(qApp)
    {
        qApp->installEventFilter(this);
    }

    bool m_listOpen = false;
};

QLineEdit *textBox(QWidget *parent, int left, int top, int width, int height, ValueKind kind)
{
    auto *made = new QLineEdit(parent);
    made->setGeometry(left, top, width, height);
    guardValueInput(made, kind);
    return made;
}

// The settings outlive every window that shows them.
template <class Line>
void bind(QLineEdit *box, Line line, Settings &settings)
{
    setStoredValue(box, settings.value(line));
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [line, &settings](const QString &text) { settings.value(line).text = text; });
    // The user has taken the value in hand: what became of the stored one no longer matters.
    QObject::connect(box, &QLineEdit::textEdited, box, [line, &settings] {
        SettingValue &value = settings.value(line);
        value.storedLength = 0;
        value.storedCleaned = false;
    });
}

} // namespace

QPushButton *button(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *made = new QPushButton(caption, parent);
    made->setGeometry(left, top, width, height);
    return made;
}

QLabel *label(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *made = new QLabel(caption, parent);
    made->setTextFormat(Qt::PlainText);
    made->setGeometry(left, top, width, height);
    return made;
}

QPushButton *button(QWidget *parent, LanguageLine caption, int left, int top, int width, int height)
{
    QPushButton *made = button(parent, QString(), left, top, width, height);
    LanguageCaptions::follow(made, caption);
    return made;
}

QLabel *label(QWidget *parent, LanguageLine caption, int left, int top, int width, int height)
{
    QLabel *made = label(parent, QString(), left, top, width, height);
    LanguageCaptions::follow(made, caption);
    return made;
}

QLabel *hiddenLabel(QWidget *parent, const QString &caption)
{
    auto *made = new QLabel(caption, parent);
    // Help texts come from language files too: never read as markup.
    made->setTextFormat(Qt::PlainText);
    made->hide();
    return made;
}

QGroupBox *frame(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *made = new QGroupBox(caption, parent);
    made->setGeometry(left, top, width, height);
    return made;
}

QLineEdit *settingBox(QWidget *parent, int left, int top, int width, int height, Varia::Line line,
                      Settings &settings)
{
    QLineEdit *made = textBox(parent, left, top, width, height, KindOf(line));
    bind(made, line, settings);
    return made;
}

QLineEdit *settingBox(QWidget *parent, int left, int top, int width, int height, Buy::Line line, Settings &settings)
{
    QLineEdit *made = textBox(parent, left, top, width, height, KindOf(line));
    bind(made, line, settings);
    return made;
}

void showSetting(QLineEdit *box, Varia::Line line, Settings &settings)
{
    bind(box, line, settings);
}

QFrame *line(QWidget *parent, QFrame::Shape shape, int left, int top, int width, int height)
{
    auto *made = new QFrame(parent);
    made->setFrameShape(shape);
    made->setFrameShadow(QFrame::Sunken);
    made->setGeometry(left, top, width, height);
    return made;
}

void clickOnEscape(QPushButton *button)
{
    // A shortcut rather than the button's own: a new caption resets that one.
    ListEscape::closedList();  // the watcher is made here, before the first key comes
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), button->window());
    QObject::connect(escape, &QShortcut::activated, button, [button] {
        // An open drop-down list is all that Escape closes then.
        if (ListEscape::closedList())
            return;
        if (QWidget *list = QApplication::activePopupWidget())
            list->close();
        else
            button->click();
    });
}

} // namespace Controls
