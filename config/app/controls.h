#pragma once

#include "valuerules.h"

#include <QFrame>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Every window's controls, made the same way everywhere: placed at
// fixed positions (left, top, width, height), captions shown as plain text.
namespace Controls {

QPushButton *button(QWidget *parent, const QString &caption, int left, int top, int width, int height);
QLabel *label(QWidget *parent, const QString &caption, int left, int top, int width, int height);
// A label never shown; its caption is a text other windows read.
QLabel *hiddenLabel(QWidget *parent, const QString &caption);
QGroupBox *frame(QWidget *parent, const QString &caption, int left, int top, int width, int height);
// An empty single-line text box of an option dialog, for a value of this kind.
QLineEdit *textBox(QWidget *parent, int left, int top, int width, int height, ValueKind kind);
// A thin sunken separator line, QFrame::HLine or QFrame::VLine.
QFrame *line(QWidget *parent, QFrame::Shape shape, int left, int top, int width, int height);
// Escape anywhere in the button's window clicks the button: the window's
// close button, whatever language its caption is in. With a drop-down list
// open, Escape closes only the list.
void clickOnEscape(QPushButton *button);

} // namespace Controls
