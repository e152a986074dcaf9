#pragma once

#include "language.h"

class QLabel;
class QPushButton;
class QWidget;

// Controls whose caption or tooltip is a text of the language in force: it
// is set now, from `language`, and again whenever recaption() runs over their
// window.
namespace LiveCaptions {

void follow(QPushButton *button, LanguageLine line, const Language &language);
void follow(QLabel *label, LanguageLine line, const Language &language);
void followTip(QWidget *control, LanguageLine line, const Language &language);

// Gives each such control of `window` its text of `language`, the one now in
// force; false when the window has none.
bool recaption(QWidget *window, const Language &language);

} // namespace LiveCaptions
