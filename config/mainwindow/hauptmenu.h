#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <type_traits>

class Package;
class QGroupBox;
class QLabel;
class QPushButton;
class amcm;
class firstrun;
class funmode;
class restock;
class sound;
class text;

// The configurator's main window: the hub from which every dialog is opened,
// and the module switches. It shows the package folder's model and hands the
// edits back; it owns the dialogs it opens, each built when first opened.
class hauptmenu : public QWidget
{
    Q_OBJECT

public:
    explicit hauptmenu(Package &package);
    ~hauptmenu() override;

    Package &package() { return m_package; }

    // Before anything is read or written: true when the current directory is
    // the package folder of the program lying in `programFolder`
    // (Package::startFolderFits). Otherwise one message names the folder the
    // start was made in and the package folder, and the program is to end.
    static bool startsInPackage(const QString &programFolder);

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

    // The dialog of class W, built (hidden) when first asked for; the setup
    // dialog is built afresh after it was closed.
    template <class W>
    W *dialog();
    // Whether the dialog of class W is built now.
    template <class W>
    bool hasDialog() const
    {
        return dialogSlot<W>() != nullptr;
    }

    // Puts the language in force into every window: the captions, and the
    // texts each window makes itself (QEvent::LanguageChange).
    void showLanguage();

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
    struct Module;
    Module information() const;
    Module personalMode() const;
    Module itemBuyBlocker() const;
    void switchModule(const Module &module, bool on);
    void showModuleState(const Module &module, bool on);

    // The setup dialog, with the main window taking over from it.
    firstrun *makeSetupDialog();
    QList<QWidget *> windows() const;

    template <class W>
    W *dialogSlot() const;
    template <class W>
    W *built(std::unique_ptr<W> &slot);

    Package &m_package;
    bool m_firstRun = false;
    std::unique_ptr<restock> m_restock;
    std::unique_ptr<amcm> m_amcm;
    std::unique_ptr<sound> m_sound;
    std::unique_ptr<text> m_text;
    std::unique_ptr<funmode> m_funmode;
    // Dropped when closed: it deletes itself then.
    QPointer<firstrun> m_setup;
    bool m_setupClosed = false;
};

template <class W>
W *hauptmenu::dialogSlot() const
{
    if constexpr (std::is_same_v<W, restock>)
        return m_restock.get();
    else if constexpr (std::is_same_v<W, amcm>)
        return m_amcm.get();
    else if constexpr (std::is_same_v<W, sound>)
        return m_sound.get();
    else if constexpr (std::is_same_v<W, text>)
        return m_text.get();
    else if constexpr (std::is_same_v<W, funmode>)
        return m_funmode.get();
    else
        return m_setup.data();
}

template <class W>
W *hauptmenu::dialog()
{
    if constexpr (std::is_same_v<W, restock>)
        return built(m_restock);
    else if constexpr (std::is_same_v<W, amcm>)
        return built(m_amcm);
    else if constexpr (std::is_same_v<W, sound>)
        return built(m_sound);
    else if constexpr (std::is_same_v<W, text>)
        return built(m_text);
    else if constexpr (std::is_same_v<W, funmode>)
        return built(m_funmode);
    else
        return m_setup ? m_setup.data() : makeSetupDialog();
}
