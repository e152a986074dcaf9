#include "controls.h"

#include "ansiinput.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace Controls {

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

QLineEdit *textBox(QWidget *parent, int left, int top, int width, int height, ValueKind kind)
{
    auto *made = new QLineEdit(parent);
    made->setGeometry(left, top, width, height);
    guardValueInput(made, kind);
    return made;
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
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), button->window());
    QObject::connect(escape, &QShortcut::activated, button, [button] {
        // An open drop-down list is all that Escape closes then.
        if (QWidget *list = QApplication::activePopupWidget())
            list->close();
        else
            button->click();
    });
}

} // namespace Controls
