#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Access data for up to two Admin-Mod or Clanmod servers: each entry is the
// name of a password field and the password, kept as typed.
class amcm : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions, help text and notes are said in `language`, the one in force.
    amcm(Settings &settings, const Language &language);

    QGroupBox *adminmod;
    QLineEdit *pwfeld;
    QLabel *Label1;
    QLineEdit *pass;
    QLabel *Label2;
    QLabel *Label4;
    QLabel *Label5;
    QLineEdit *Text1;
    QLabel *Label3;
    QLineEdit *Text2;
    QLabel *Label6;
    QPushButton *Command1;
    QPushButton *Command2;

public slots:
    void Command1_Click();
    void Command2_Click();

private:
    const Language &m_language;
};
