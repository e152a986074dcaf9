#include "livecaptions.h"

#include <QLabel>
#include <QPushButton>
#include <QTextDocument>

namespace {

const char *const kCaptionLine = "korvelCaptionLine";
const char *const kTipLine = "korvelTipLine";

QString textOf(const QVariant &line, const Language &language)
{
    return language.caption(LanguageLine(line.toInt()));
}

// A text of a language file is text, never markup: an '&' in a button
// caption is no shortcut, and a tooltip that looks like HTML is shown as typed.
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

void setTip(QWidget *widget, const QString &text)
{
    widget->setToolTip(Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text);
}

void showCaption(QWidget *control, const QVariant &line, const Language &language)
{
    if (auto *button = qobject_cast<QPushButton *>(control))
        setCaption(button, textOf(line, language));
    else if (auto *label = qobject_cast<QLabel *>(control))
        setCaption(label, textOf(line, language));
}

} // namespace

namespace LiveCaptions {

void follow(QPushButton *button, LanguageLine line, const Language &language)
{
    button->setProperty(kCaptionLine, int(line));
    showCaption(button, int(line), language);
}

void follow(QLabel *label, LanguageLine line, const Language &language)
{
    label->setProperty(kCaptionLine, int(line));
    showCaption(label, int(line), language);
}

void followTip(QWidget *control, LanguageLine line, const Language &language)
{
    control->setProperty(kTipLine, int(line));
    setTip(control, textOf(int(line), language));
}

bool recaption(QWidget *window, const Language &language)
{
    bool any = false;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const QVariant caption = control->property(kCaptionLine);
        if (caption.isValid())
            showCaption(control, caption, language);
        const QVariant tip = control->property(kTipLine);
        if (tip.isValid())
            setTip(control, textOf(tip, language));
        any = any || caption.isValid() || tip.isValid();
    }
    return any;
}

} // namespace LiveCaptions
