#pragma once

#include <QString>

#include <functional>

// The program's name, the same in every language: the main window's title and
// heading, and the title of every warning and error message.
inline const QString kProgramName = QStringLiteral("Korvel Configurator");

// Every help, information and error message of the configurator: a modal box
// with a title, a text, an OK button only and no icon.
namespace Message {

void show(const QString &title, const QString &text);

// Replaces the box with `handler` (tests use it to read what would be shown
// without a modal loop); an empty handler brings the real box back.
using Handler = std::function<void(const QString &title, const QString &text)>;
void setHandler(Handler handler);

} // namespace Message
