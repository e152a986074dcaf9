#include "languagetexts.h"

#include "forms.h"

#include <QLabel>
#include <QPushButton>
#include <QTextDocument>

namespace {

const char *const kCaptionLine = "korvelCaptionLine";
const char *const kTipLine = "korvelTipLine";

// The texts built into the windows, German with some English captions.
QString builtIn(LanguageLine line)
{
    switch (line) {
    case LanguageLine::On:
        return QStringLiteral("AN");
    case LanguageLine::Off:
        return QStringLiteral("AUS");
    case LanguageLine::Disclaimer:
        return QStringLiteral("Haftungsausschluss");
    case LanguageLine::SettingsButton:
        return QStringLiteral("Einstellungen");
    case LanguageLine::RestockButton:
        return QStringLiteral("Restockmenü");
    case LanguageLine::ServerButton:
        return QStringLiteral("Admin-Mod Menü");
    case LanguageLine::TextButton:
        return QStringLiteral("Textmenü");
    case LanguageLine::SoundButton:
        return QStringLiteral("Soundmenü");
    case LanguageLine::Help:
        return QStringLiteral("Hilfe");
    case LanguageLine::Close:
        return QStringLiteral("Schließen");
    case LanguageLine::PluginHelp:
        return QStringLiteral("In diesem Fenster sehen sie, welche Plugins Installiert wurden.");
    case LanguageLine::ServerHelp:
        return QStringLiteral("In diesem Fenster können sie ihre Zugriffsdaten für einen Server über AdminMod oder "
                              "Clanmod eintragen, um diese nicht immer wieder eingeben zu müssen.");
    case LanguageLine::RestockHelp:
        return QStringLiteral("Hier können sie die Artikel für den Restock kauf einstellen. Mit einem Klick auf die "
                              "Restock Taste wird dieses Packet dann gekauft. Die Restock Taste können sie im CS - "
                              "Tastenkonfiguration belegen.");
    case LanguageLine::SoundHelp:
        return QStringLiteral("Hier können Töne eingetragen werden, welche dann per Tastendruck in HL abgespielt "
                              "werden können! WICHTIG! DIE TÖNE MÜSSEN SICH ALS .WAV DATEI IM COUNTER-STRIKE "
                              "UNTERORDNER sound/vox BEFINDEN UM EINGESETZT WERDEN ZU KÖNNEN! Tragen sie in dem "
                              "Textfeld den Dateinamen des Musikstückes ein.");
    case LanguageLine::TextHelp:
        return QStringLiteral("Hier können Benutzerdefinierte Texte eingegeben werden, die dann durch einen "
                              "Tastendruck im HL ausgegeben werden");
    case LanguageLine::DisclaimerText:
        return QStringLiteral("Der Programmierer dieses Scriptes übernimmt keine Haftung für eventuelle Schäden, die "
                              "beim Benutzen dieses Programmes auftreten können.");
    case LanguageLine::SoundTip:
        return QStringLiteral("Stellen sie hier die Benutzerdefinierten Töne ein.");
    case LanguageLine::TextTip:
        return QStringLiteral("Stellen sie hier ihre Persönlichen Texte ein.");
    case LanguageLine::RestockTip:
    case LanguageLine::ServerTip:
        break;
    }
    return {};
}

QString textOf(const QVariant &line)
{
    return Forms::shared<LanguageTexts>().text(LanguageLine(line.toInt()));
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

void showCaption(QWidget *control, const QVariant &line)
{
    if (auto *button = qobject_cast<QPushButton *>(control))
        setCaption(button, textOf(line));
    else if (auto *label = qobject_cast<QLabel *>(control))
        setCaption(label, textOf(line));
}

} // namespace

QString LanguageTexts::text(LanguageLine line) const
{
    return m_replaced ? m_lines.value(int(line) - 1) : builtIn(line);
}

void LanguageTexts::replace(const QStringList &lines)
{
    m_lines = lines.mid(0, kLanguageLines);
    m_replaced = true;
}

namespace LanguageCaptions {

void follow(QPushButton *button, LanguageLine line)
{
    button->setProperty(kCaptionLine, int(line));
    showCaption(button, int(line));
}

void follow(QLabel *label, LanguageLine line)
{
    label->setProperty(kCaptionLine, int(line));
    showCaption(label, int(line));
}

void followTip(QWidget *control, LanguageLine line)
{
    control->setProperty(kTipLine, int(line));
    setTip(control, textOf(int(line)));
}

bool recaption(QWidget *window)
{
    bool any = false;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const QVariant caption = control->property(kCaptionLine);
        if (caption.isValid())
            showCaption(control, caption);
        const QVariant tip = control->property(kTipLine);
        if (tip.isValid())
            setTip(control, textOf(tip));
        any = any || caption.isValid() || tip.isValid();
    }
    return any;
}

} // namespace LanguageCaptions
