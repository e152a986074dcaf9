#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QWidget;

// Lines 1 to 20 of a language file, by the texts each replaces.
enum class LanguageLine {
    On = 1,          // the three "AN" switch buttons
    Off,             // the three "AUS" switch buttons
    Disclaimer,      // the main window's "Haftungsausschluss"
    SettingsButton,  // "Einstellungen"
    RestockButton,   // "Restockmenü"
    ServerButton,    // "Admin-Mod Menü"
    TextButton,      // "Textmenü"
    SoundButton,     // "Soundmenü"
    Help,            // the five "Hilfe" buttons
    Close,           // the five "Schließen" buttons
    PluginHelp,      // the help texts, shown by the help buttons ...
    ServerHelp,
    RestockHelp,
    SoundHelp,
    TextHelp,
    DisclaimerText,  // ... and by "Haftungsausschluss"
    RestockTip,      // tooltips of the main window's dialog buttons
    ServerTip,
    SoundTip,
    TextTip,
};
constexpr int kLanguageLines = 20;

// The texts of the language in force, one set per process (Forms::shared):
// the built-in ones until a language file is applied.
class LanguageTexts
{
public:
    QString text(LanguageLine line) const;
    // Lines 1 to 20 of a language file; a line it lacks leaves its texts empty.
    void replace(const QStringList &lines);

private:
    QStringList m_lines;
    bool m_replaced = false;
};

// Controls whose caption or tooltip is a text of the language in force: it
// is set now, and again whenever recaption() runs over their window.
namespace LanguageCaptions {

void follow(QPushButton *button, LanguageLine line);
void follow(QLabel *label, LanguageLine line);
void followTip(QWidget *control, LanguageLine line);

// Gives each such control of `window` its text of the language in force;
// false when the window has none.
bool recaption(QWidget *window);

} // namespace LanguageCaptions
