#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

class QLabel;
class QLineEdit;
class QPushButton;

// Three sound names that the game plays on a key.
class sound : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions, help text and notes are said in `language`, the one in force.
    sound(Settings &settings, const Language &language);

    QLabel *Label1;
    QLineEdit *snd1;
    QLabel *Label2;
    QLineEdit *snd2;
    QLabel *Label3;
    QLineEdit *snd3;
    QLabel *Label4;
    QPushButton *Command2;
    QPushButton *Command1;

public slots:
    void Command1_Click();
    void Command2_Click();

private:
    const Language &m_language;
};
