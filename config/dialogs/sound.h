#pragma once

#include <QWidget>

struct Settings;

class QLabel;
class QLineEdit;
class QPushButton;

// Three sound names that the game plays on a key.
class sound : public QWidget
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

protected:
    // Shown, the dialog takes the keyboard in its first box.
    void showEvent(QShowEvent *event) override;
};
