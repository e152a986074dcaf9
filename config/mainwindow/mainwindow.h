#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <type_traits>

class ClickableLabel;
class Package;
class PersonalModeDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class RestockDialog;
class ServerAccessDialog;
class SetupDialog;
class SoundDialog;
class TextMessageDialog;

// The configurator's main window: the hub from which every dialog is opened,
// and the module switches. It shows the package folder's model and hands the
// edits back; it owns the dialogs it opens, each built when first opened.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(Package &package);
    ~MainWindow() override;

    Package &package() { return m_package; }

    // Before anything is read or written: true when the current directory is
    // the package folder of the program lying in `programFolder`
    // (Package::startFolderFits). Otherwise one message names the folder the
    // start was made in and the package folder, and the program is to end.
    static bool startsInPackage(const QString &programFolder);

    // Runs the startup sequence, then shows the window unless the first run
    // shows the setup dialog in its place.
    void startup();

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

    // Tells every window that the language in force has changed
    // (QEvent::LanguageChange): each says its texts in it again.
    void showLanguage();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Its captions and tooltips of the language in force.
    void retranslate();
    // The startup sequence, before the window is shown.
    void load();
    // Saves the settings and ends the process; closing is never refused.
    void saveAndEnd();
    // Each dialog's one window, shown without modality over this one; a
    // second click shows the same window again.
    template <class W>
    void showDialog();

    struct Module;
    Module information() const;
    Module personalMode() const;
    Module itemBuyBlocker() const;
    void switchPressed(const Module &module, bool on);
    void showModuleState(const Module &module, bool on);

    // The setup dialog, with the main window taking over from it.
    SetupDialog *makeSetupDialog();
    QList<QWidget *> windows() const;

    template <class W>
    W *dialogSlot() const;
    template <class W>
    W *ensureBuilt(std::unique_ptr<W> &slot);

    Package &m_package;
    bool m_firstRun = false;

    // The module switches, each an "on" and an "off" button.
    QPushButton *m_informationOn;
    QPushButton *m_informationOff;
    QPushButton *m_personalModeOn;
    QPushButton *m_personalModeOff;
    QPushButton *m_itemBuyOn;
    QPushButton *m_itemBuyOff;
    // The buttons whose caption or tooltip a language gives.
    QPushButton *m_restockButton;
    QPushButton *m_serverAccessButton;
    QPushButton *m_soundButton;
    QPushButton *m_textMessagesButton;
    QPushButton *m_setupButton;
    QPushButton *m_pluginHelp;
    // The frames and the label whose caption a language gives.
    QGroupBox *m_menuFrame;
    QGroupBox *m_switchesFrame;
    QLabel *m_informationLabel;
    // The plug-in indicators, for "plugin1.cfg" to "plugin4.cfg".
    QList<QLabel *> m_plugins;
    // The labels that act when clicked or pressed from the keyboard.
    ClickableLabel *m_title;
    ClickableLabel *m_webAddress;
    ClickableLabel *m_disclaimer;

    std::unique_ptr<RestockDialog> m_restock;
    std::unique_ptr<ServerAccessDialog> m_serverAccess;
    std::unique_ptr<SoundDialog> m_sound;
    std::unique_ptr<TextMessageDialog> m_textMessages;
    std::unique_ptr<PersonalModeDialog> m_personalMode;
    // Dropped when closed: it deletes itself then.
    QPointer<SetupDialog> m_setup;
    bool m_setupClosed = false;
};

template <class W>
W *MainWindow::dialogSlot() const
{
    if constexpr (std::is_same_v<W, RestockDialog>)
        return m_restock.get();
    else if constexpr (std::is_same_v<W, ServerAccessDialog>)
        return m_serverAccess.get();
    else if constexpr (std::is_same_v<W, SoundDialog>)
        return m_sound.get();
    else if constexpr (std::is_same_v<W, TextMessageDialog>)
        return m_textMessages.get();
    else if constexpr (std::is_same_v<W, PersonalModeDialog>)
        return m_personalMode.get();
    else
        return m_setup.data();
}

template <class W>
W *MainWindow::dialog()
{
    if constexpr (std::is_same_v<W, RestockDialog>)
        return ensureBuilt(m_restock);
    else if constexpr (std::is_same_v<W, ServerAccessDialog>)
        return ensureBuilt(m_serverAccess);
    else if constexpr (std::is_same_v<W, SoundDialog>)
        return ensureBuilt(m_sound);
    else if constexpr (std::is_same_v<W, TextMessageDialog>)
        return ensureBuilt(m_textMessages);
    else if constexpr (std::is_same_v<W, PersonalModeDialog>)
        return ensureBuilt(m_personalMode);
    else
        return m_setup ? m_setup.data() : makeSetupDialog();
}
