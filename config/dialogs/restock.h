#pragma once

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The two restock buy lists, five items for the big and three for the small
// restock. A box's value is the text of its edit field, picked or typed.
// The window also keeps every help text of the program in its hidden labels.
class restock : public QWidget
{
    Q_OBJECT

public:
    restock();

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

    // Never shown: help1 plug-ins, help2 server access, help3 restock,
    // help4 sounds, help5 texts, help6 disclaimer.
    QLabel *help1;
    QLabel *help2;
    QLabel *help3;
    QLabel *help4;
    QLabel *help5;
    QLabel *help6;

public slots:
    void Command1_Click();
    void Command4_Click();

protected:
    // Shown, the dialog takes the keyboard in its first box.
    void showEvent(QShowEvent *event) override;
};
