#pragma once

#include "forms.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

// The configurator's main window: the hub from which every dialog is opened,
// the module switches, and the hidden labels that carry program state.
class hauptmenu : public QWidget
{
    Q_OBJECT

public:
    hauptmenu();

    // Runs the startup sequence, then shows the window unless the first run
    // shows the setup dialog in its place.
    void startup();
    void form_load();
    // Saves the settings and ends the process; closing is never refused.
    void form_unload();

    // Visible controls, named as everywhere else in the program.
    QGroupBox *Frame3;
    QPushButton *Command2;
    QPushButton *Command4;
    QPushButton *Command6;
    QPushButton *Command7;
    QPushButton *Command8;
    QGroupBox *Frame2;
    QLabel *Label3;
    QPushButton *it1;
    QPushButton *it2;
    QPushButton *Command9;
    QLabel *Label2;
    QPushButton *fun1;
    QPushButton *fun2;
    QLabel *sayscript;
    QPushButton *say1;
    QPushButton *say2;
    QGroupBox *Frame1;
    QLabel *plug1;
    QLabel *plug2;
    QLabel *plug3;
    QLabel *plug4;
    QPushButton *Command5;
    QLabel *Label1;
    QLabel *url;
    QLabel *Haftungsausschluss;

    // Hidden labels whose captions are program state: the game files a
    // language replaces, what "varis.cfg" runs for each module switch, and
    // the console's semicolon and quote.
    QLabel *cmd;
    QLabel *gfx;
    QLabel *slot1;
    QLabel *slot2;
    QLabel *slot3;
    QLabel *semi;
    QLabel *af;

public slots:
    void say1_Click();
    void say2_Click();
    void fun1_Click();
    void fun2_Click();
    void it1_Click();
    void it2_Click();
    void Command8_Click();

    void Command2_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command9_Click();
    void Haftungsausschluss_Click();
    void Label1_Click();
    void url_Click();

protected:
    // Turns clicks on the labels Label1, url and Haftungsausschluss into their handlers.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    qint32 OpenWebAddress(const QString &address);

    struct Module;
    Module information() const;
    Module personalMode() const;
    Module itemBuyBlocker() const;
    void switchOn(const Module &module);
    void switchOff(const Module &module);
    void showModuleState(const Module &module, bool on);

    bool m_firstRun = false;
};

// Its captions are fitted at the end of its start, once the language has given them.
template <>
struct Forms::FitsWhenBuilt<hauptmenu> : std::false_type
{
};
