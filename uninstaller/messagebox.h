#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message of the program: a title, a text, an OK button and no icon.
void showMessage(QWidget *parent, const QString &title, const QString &text);

// Replaces the modal box, e.g. in tests; an empty handler brings the box back.
// Returns the previous handler.
using MessageHandler = std::function<void(const QString &title, const QString &text)>;
MessageHandler setMessageHandler(MessageHandler handler);
