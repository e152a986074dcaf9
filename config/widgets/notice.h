#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

// What a box has to say about its text (a character refused, a stored value
// cut, what reaches the game): a small window of the box's dialog, beside
// the box and never over another box of it. The dialog's own doing shows and
// hides it, never the pointer or the window system's activation: it stays
// until the text no longer calls for it, the user types in another box or
// opens another dialog, the dialog hides or its time is up. Its colours are its own, so it reads the
// same on every platform. One notice a dialog, made with its first.
class Notice : public QWidget
{
    Q_OBJECT

public:
    // Shows `text` beside `box`, in place of what the dialog's notice said;
    // nothing while the box is not on show.
    static void showFor(QLineEdit *box, const QString &text);
    // The notice of `window`; nullptr while it has shown none.
    static Notice *of(const QWidget *window);
    // The text on show beside `box`; "" when none is.
    static QString shownFor(const QLineEdit *box);
    // Hides the notice when it is on show beside `box`.
    static void hideFor(const QLineEdit *box);
    // The user types in `box`: a notice beside another box is done with.
    static void typedIn(const QLineEdit *box);
    // Another dialog comes to the front: the notices of the others are done with.
    static void hideOthers(const QWidget *window);

    QString text() const { return m_shown; }
    QLineEdit *box() const { return m_box; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit Notice(QWidget *window);
    void present(QLineEdit *box, const QString &text);
    void place();

    QPointer<QLineEdit> m_box;
    QString m_shown;
    QTextDocument m_document;
    QTimer m_time;
};
