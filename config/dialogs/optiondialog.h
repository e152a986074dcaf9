#pragma once

#include <QPointer>
#include <QWidget>

class Language;
class QPushButton;

// What the five option dialogs share. Escape closes the dialog as its
// "Schließen" button does, but an open drop-down list takes it first and is
// all it closes. Opened, the dialog takes the keyboard in its first box, a
// box with a warning mark shows its notice, and the other dialogs' notices go. Closed through its title bar,
// the dialog is hidden as by "Schließen": it lives as long as the program, its
// boxes putting every change into the settings at once. When the language in
// force changes, its buttons and boxes say their texts in the new one.
class OptionDialog : public QWidget
{
    Q_OBJECT

public:
    // Its captions and notes are said in `language`, the one in force.
    explicit OptionDialog(const Language &language);

protected:
    // The box that takes the keyboard as the dialog opens.
    void setFirstBox(QWidget *box);
    // The dialog's "Schließen" button, which Escape and the title bar's close click.
    void setCloseButton(QPushButton *button);
    // The dialog's "Hilfe" button, if it has one.
    void setHelpButton(QPushButton *button);
    // Its captions and the boxes' notes in the language in force.
    void retranslate();

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void explainMarks();

    QPointer<QWidget> m_firstBox;
    const Language &m_language;
    QPointer<QPushButton> m_close;
    QPointer<QPushButton> m_help;
};
