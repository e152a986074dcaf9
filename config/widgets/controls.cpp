#include "controls.h"

#include "keyboardcontrols.h"
#include "valueguard.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

namespace Controls {

namespace {

template <class Control>
Control *placed(Control *made, const char *name, int left, int top, int width, int height)
{
    made->setObjectName(QLatin1String(name));
    made->setGeometry(left, top, width, height);
    return made;
}

QLineEdit *textBox(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    return placed(new QLineEdit(parent), name, left, top, width, height);
}

} // namespace

QPushButton *button(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                    int height)
{
    return placed<QPushButton>(new PressingButton(caption, parent), name, left, top, width, height);
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, int left, int top, int width, int height)
{
    auto *made = placed(new QLabel(caption, parent), name, left, top, width, height);
    made->setTextFormat(Qt::PlainText);
    return made;
}

ClickableLabel *clickableLabel(QWidget *parent, const char *name, const QString &caption, int left, int top,
                               int width, int height)
{
    auto *made = placed(new ClickableLabel(caption, parent), name, left, top, width, height);
    made->setTextFormat(Qt::PlainText);
    return made;
}

void setCaption(QPushButton *button, const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    button->setText(escaped);
}

void setCaption(QLabel *label, const QString &text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

void setTip(QWidget *control, const QString &text)
{
    control->setToolTip(Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text);
}

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                 int height)
{
    return placed(new QGroupBox(caption, parent), name, left, top, width, height);
}

QLineEdit *settingBox(QWidget *parent, const char *name, int left, int top, int width, int height, Varia::Line line,
                      Settings &settings, const Language &language)
{
    QLineEdit *made = textBox(parent, name, left, top, width, height);
    guardSetting(made, line, settings, language);
    return made;
}

QLineEdit *settingBox(QWidget *parent, const char *name, int left, int top, int width, int height, Buy::Line line,
                      Settings &settings, const Language &language)
{
    QLineEdit *made = textBox(parent, name, left, top, width, height);
    guardSetting(made, line, settings, language);
    return made;
}

void showSetting(QLineEdit *box, Varia::Line line, Settings &settings, const Language &language)
{
    guardSetting(box, line, settings, language);
}

QFrame *line(QWidget *parent, const char *name, QFrame::Shape shape, int left, int top, int width, int height)
{
    auto *made = placed(new QFrame(parent), name, left, top, width, height);
    made->setFrameShape(shape);
    made->setFrameShadow(QFrame::Sunken);
    return made;
}

} // namespace Controls
