#pragma once

#include "languagetexts.h"
#include "settings.h"

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
// The same with a text of the language in force (LanguageCaptions::follow).
QPushButton *button(QWidget *parent, LanguageLine caption, int left, int top, int width, int height,
                    const Language &language);
QLabel *label(QWidget *parent, LanguageLine caption, int left, int top, int width, int height,
              const Language &language);
QGroupBox *frame(QWidget *parent, const QString &caption, int left, int top, int width, int height);
// A single-line text box of an option dialog for one value of the settings
// (showSetting).
QLineEdit *settingBox(QWidget *parent, int left, int top, int width, int height, Varia::Line line,
                      Settings &settings, const Language &language);
QLineEdit *settingBox(QWidget *parent, int left, int top, int width, int height, Buy::Line line, Settings &settings,
                      const Language &language);
// `box` shows the value of the settings and what the model judges of it, in
// `language`, the language in force, and puts every change back into them at
// once (guardSetting).
void showSetting(QLineEdit *box, Varia::Line line, Settings &settings, const Language &language);
// A thin sunken separator line, QFrame::HLine or QFrame::VLine.
QFrame *line(QWidget *parent, QFrame::Shape shape, int left, int top, int width, int height);
} // namespace Controls
