#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

class QLabel;
class QLineEdit;
class QPushButton;

// Five chat messages (Text1 to Text5) and three team messages (Text6 to
// Text8), each said in the game on a key.
class text : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions, help text and notes are said in `language`, the one in force.
    text(Settings &settings, const Language &language);

    QLineEdit *Text1;
    QLineEdit *Text2;
    QLineEdit *Text3;
    QLineEdit *Text4;
    QLineEdit *Text5;
    QLineEdit *Text6;
    QLineEdit *Text7;
    QLineEdit *Text8;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QPushButton *Command2;
    QPushButton *Command1;

public slots:
    void Command1_Click();
    void Command2_Click();

private:
    const Language &m_language;
};
