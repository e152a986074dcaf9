#include "controls.h"

#include "valueguard.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Controls {

namespace {

QLineEdit *textBox(QWidget *parent, int left, int top, int width, int height)
{
    auto *made = new QLineEdit(parent);
    made->setGeometry(left, top, width, height);
    return made;
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
    QLineEdit *made = textBox(parent, left, top, width, height);
    guardSetting(made, line, settings, language);
    return made;
}

QLineEdit *settingBox(QWidget *parent, int left, int top, int width, int height, Buy::Line line, Settings &settings,
                      const Language &language)
{
    QLineEdit *made = textBox(parent, left, top, width, height);
    guardSetting(made, line, settings, language);
    return made;
}

void showSetting(QLineEdit *box, Varia::Line line, Settings &settings, const Language &language)
{
    guardSetting(box, line, settings, language);
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
