#pragma once

#include <QWidget>

class DirectoryList;
class QFrame;
class QLabel;
class QPushButton;

// The directory browser: lets the user pick the Half-Life directory for the
// setup dialog instead of typing it. Closing it drops it (it deletes itself)
// with nothing taken over.
class firstrun2 : public QWidget
{
    Q_OBJECT

public:
    firstrun2();

    QLabel *Label2;
    QLabel *pfad;
    DirectoryList *Dir1;
    QPushButton *Command1;
    QLabel *Label1;
    QFrame *Line1;
    QFrame *Line2;
    QFrame *Line3;
    QFrame *Line4;

signals:
    // "OK": the folder chosen, for the setup dialog's path box.
    void chosen(const QString &path);
    // Closed: dropped, it deletes itself.
    void closed();

public slots:
    void Dir1_Change();
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
};
