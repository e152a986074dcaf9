#pragma once

#include <QLabel>
#include <QPushButton>

// Controls that answer the keyboard as Windows controls do.

// A button that Enter presses while it has the keyboard: Qt leaves Enter to a
// dialog's default button, Windows lets it press the button that has the keyboard.
class PressingButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A label that acts when clicked, as a link does: a left click that ends over
// it, or Enter or Space while it has the keyboard. Tab reaches it, a click
// leaves the keyboard where it was, and a dotted frame shows that it has it.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    ClickableLabel(const QString &caption, QWidget *parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
