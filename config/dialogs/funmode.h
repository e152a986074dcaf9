#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

class QLabel;
class QLineEdit;
class QPushButton;

// The 24 team chat lines of the personal mode, one a row, each with its
// label on the left.
class funmode : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions and notes are said in `language`, the one in force.
    funmode(Settings &settings, const Language &language);

    QLabel *Label1;
    QPushButton *Command1;

    // The boxes, top to bottom.
    QLineEdit *reload;
    QLineEdit *usp;
    QLineEdit *glock;
    QLineEdit *p90;
    QLineEdit *mp5;
    QLineEdit *para;
    QLineEdit *scout;
    QLineEdit *awp;
    QLineEdit *g3sg1;
    QLineEdit *xm1014;
    QLineEdit *super90;
    QLineEdit *sigp228;
    QLineEdit *deagle;
    QLineEdit *ump45;
    QLineEdit *teampistol;
    QLineEdit *ak47;
    QLineEdit *uzi;
    QLineEdit *aug;
    QLineEdit *sg550;
    QLineEdit *he;
    QLineEdit *smoke;
    QLineEdit *flash;
    QLineEdit *defuse;
    QLineEdit *plant;

    // Their labels, in the same order.
    QLabel *reloadLabel;
    QLabel *uspLabel;
    QLabel *glockLabel;
    QLabel *p90Label;
    QLabel *mp5Label;
    QLabel *paraLabel;
    QLabel *scoutLabel;
    QLabel *awpLabel;
    QLabel *g3sg1Label;
    QLabel *xm1014Label;
    QLabel *super90Label;
    QLabel *sigp228Label;
    QLabel *deagleLabel;
    QLabel *ump45Label;
    QLabel *teampistolLabel;
    QLabel *ak47Label;
    QLabel *uziLabel;
    QLabel *augLabel;
    QLabel *sg550Label;
    QLabel *heLabel;
    QLabel *smokeLabel;
    QLabel *flashLabel;
    QLabel *defuseLabel;
    QLabel *plantLabel;

public slots:
    void Command1_Click();
};
