#pragma once

#include "optiondialog.h"

struct Settings;

class QLabel;
class QLineEdit;
class QPushButton;

// Three sound names that the game plays on a key.
class sound : public OptionDialog
{
    Q_OBJECT

public:
    explicit sound(Settings &settings);

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
};
