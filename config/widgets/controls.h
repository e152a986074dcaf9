#pragma once

#include "language.h"
#include "settings.h"

#include <QFrame>
#include <QString>

class ClickableLabel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Every window's controls, made the same way everywhere: each under its
// name (its objectName, by which tests and tools find it), placed at fixed
// positions (left, top, width, height), captions shown as plain text.
namespace Controls {

// Enter presses a button that has the keyboard, as Space does: as on Windows,
// not only a dialog's default button.
QPushButton *button(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                    int height);
QLabel *label(QWidget *parent, const char *name, const QString &caption, int left, int top, int width, int height);
// A label that acts when clicked or pressed from the keyboard (ClickableLabel).
ClickableLabel *clickableLabel(QWidget *parent, const char *name, const QString &caption, int left, int top,
                               int width, int height);
// A text of a language file on a control: text, never markup. An '&' in a
// button's caption is no shortcut, and a tooltip that looks like HTML is shown
// as typed.
void setCaption(QPushButton *button, const QString &text);
void setCaption(QLabel *label, const QString &text);
void setTip(QWidget *control, const QString &text);
QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                 int height);
// A single-line text box of an option dialog for one value of the settings
// (showSetting).
QLineEdit *settingBox(QWidget *parent, const char *name, int left, int top, int width, int height, Varia::Line line,
                      Settings &settings, const Language &language);
QLineEdit *settingBox(QWidget *parent, const char *name, int left, int top, int width, int height, Buy::Line line,
                      Settings &settings, const Language &language);
// `box` shows the value of the settings and what the model judges of it, in
// `language`, the language in force, and puts every change back into them at
// once (guardSetting).
void showSetting(QLineEdit *box, Varia::Line line, Settings &settings, const Language &language);
// A thin sunken separator line, QFrame::HLine or QFrame::VLine; `name` may be null.
QFrame *line(QWidget *parent, const char *name, QFrame::Shape shape, int left, int top, int width, int height);
} // namespace Controls
