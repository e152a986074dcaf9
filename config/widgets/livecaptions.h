#pragma once

#include "texts.h"

#include <QString>
#include <QStringList>

class QLabel;
class QPushButton;
class QWidget;

// Controls whose caption or tooltip is a text of the language in force: it
// is set now, and again whenever recaption() runs over their window.
namespace LiveCaptions {

void follow(QPushButton *button, LanguageLine line);
void follow(QLabel *label, LanguageLine line);
void followTip(QWidget *control, LanguageLine line);

// Gives each such control of `window` its text of the language in force;
// false when the window has none.
bool recaption(QWidget *window);

} // namespace LiveCaptions
