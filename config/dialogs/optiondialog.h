#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

class Language;
class QPushButton;
struct OptionCaption;
struct OptionDialogTable;
struct Settings;

// The five option dialogs: one class, each dialog built from a table of its
// controls (optiondialog.cpp). Escape closes the dialog as its "Schließen"
// button does, but an open drop-down list takes it first and is all it
// closes. Opened, the dialog takes the keyboard in its first box, a box with a
// warning mark shows its notice, and the other dialogs' notices go. Closed
// through its title bar, the dialog is hidden as by "Schließen": it lives as
// long as the program, its boxes putting every change into the settings at
// once. Its captions, help text and notes are said in the language in force,
// again whenever it is told that the language changed.
class OptionDialog : public QWidget
{
    Q_OBJECT

protected:
    OptionDialog(const OptionDialogTable &table, Settings &settings, const Language &language);

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Its captions and the boxes' notes in the language in force.
    void retranslate();
    void explainMarks();

    const Language &m_language;    // the one in force, whichever that is
    const std::vector<OptionCaption> &m_captions;
    QPointer<QWidget> m_firstBox;  // takes the keyboard as the dialog opens
    QPointer<QPushButton> m_close; // "Schließen", which Escape and the title bar click
    QPointer<QPushButton> m_help;
};

// The two restock buy lists, five items for the big and three for the small
// restock. A box's value is the text of its edit field, picked or typed.
class RestockDialog : public OptionDialog
{
    Q_OBJECT

public:
    RestockDialog(Settings &settings, const Language &language);
};

// Access data for up to two Admin-Mod or Clanmod servers: each entry is the
// name of a password field and the password, kept as typed.
class ServerAccessDialog : public OptionDialog
{
    Q_OBJECT

public:
    ServerAccessDialog(Settings &settings, const Language &language);
};

// Three sound names that the game plays on a key.
class SoundDialog : public OptionDialog
{
    Q_OBJECT

public:
    SoundDialog(Settings &settings, const Language &language);
};

// Five chat messages and three team messages, each said in the game on a key.
class TextMessageDialog : public OptionDialog
{
    Q_OBJECT

public:
    TextMessageDialog(Settings &settings, const Language &language);
};

// The 24 team chat lines of the personal mode, one a row, each with its
// label on the left.
class PersonalModeDialog : public OptionDialog
{
    Q_OBJECT

public:
    PersonalModeDialog(Settings &settings, const Language &language);
};
