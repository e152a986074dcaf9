#pragma once

#include "optiondialog.h"

class Language;
struct Settings;

class QComboBox;
class QGroupBox;
class QPushButton;

// The two restock buy lists, five items for the big and three for the small
// restock. A box's value is the text of its edit field, picked or typed.
class restock : public OptionDialog
{
    Q_OBJECT

public:
    // Its captions, help text and notes are said in `language`, the one in force.
    restock(Settings &settings, const Language &language);

    QGroupBox *restoc;
    QComboBox *big1;
    QComboBox *big2;
    QComboBox *big3;
    QComboBox *big4;
    QComboBox *big5;
    QComboBox *small1;
    QComboBox *small2;
    QComboBox *small3;
    QPushButton *Command4;
    QPushButton *Command1;

public slots:
    void Command1_Click();
    void Command4_Click();

private:
    const Language &m_language;
};
