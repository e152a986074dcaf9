#pragma once

#include <QWidget>

class QPushButton;

// The only window: a picture, a heading, a short explanation and the button
// that runs the uninstall sequence and ends the program.
class Uninstaller : public QWidget
{
    Q_OBJECT

public:
    explicit Uninstaller(QWidget *parent = nullptr);

private:
    // Runs the uninstall sequence, says how it went and ends the program.
    void uninstall();

    QPushButton *m_start;
};
