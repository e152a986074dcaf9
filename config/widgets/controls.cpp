#include "controls.h"

#include "ansiinput.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Controls {

namespace {

QLineEdit *textBox(QWidget *parent, int left, int top, int width, int height, ValueKind kind,
                   const Language &language)
{
    auto *made = new QLineEdit(parent);
    made->setGeometry(left, top, width, height);
    guardValueInput(made, kind, language);
    return made;
}

// The settings outlive every window that shows them.
template <class Line>
void bind(QLineEdit *box, Line line, Settings &settings)
{
    setStoredValue(box, settings.field(line));
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [line, &settings](const QString &text) { settings.field(line).text = text; });
    // The user has taken the value in hand: what became of the stored one no longer matters.
    QObject::connect(box, &QLineEdit::textEdited, box, [line, &settings] {
        SettingValue &value = settings.field(line);
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

QPushButton *button(QWidget *parent, LanguageLine caption, int left, int top, int width, int height,
                    const Language &language)
{
    QPushButton *made = button(parent, QString(), left, top, width, height);
    LanguageCaptions::follow(made, caption, language);
    return made;
}

QLabel *label(QWidget *parent, LanguageLine caption, int left, int top, int width, int height,
              const Language &language)
{
    QLabel *made = label(parent, QString(), left, top, width, height);
    LanguageCaptions::follow(made, caption, language);
    return made;
}

QGroupBox *frame(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *made = new QGroupBox(caption, parent);
    made->setGeometry(left, top, width, height);
    return made;
}

QLineEdit *settingBox(QWidget *parent, int left, int top, int width, int height, Varia::Line line,
                      Settings &settings, const Language &language)
{
    QLineEdit *made = textBox(parent, left, top, width, height, KindOf(line), language);
    bind(made, line, settings);
    return made;
}

QLineEdit *settingBox(QWidget *parent, int left, int top, int width, int height, Buy::Line line, Settings &settings,
                      const Language &language)
{
    QLineEdit *made = textBox(parent, left, top, width, height, KindOf(line), language);
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

} // namespace Controls
