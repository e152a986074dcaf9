#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The only window: a picture, a heading, a short explanation and the button
// that runs the uninstall sequence and ends the program.
class Uninstaller : public QWidget
{
    Q_OBJECT

public:
    explicit Uninstaller(QWidget *parent = nullptr);

    QLabel *const Picture1;
    QLabel *const Label1;
    QLabel *const Label2;
    QPushButton *const Command1;

private slots:
    void Command1_Click();
};
