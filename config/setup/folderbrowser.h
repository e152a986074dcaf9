#pragma once

#include <QWidget>

class DirectoryList;
class QLabel;

// The directory browser: lets the user pick the Half-Life directory for the
// setup dialog instead of typing it. Closing it drops it (it deletes itself)
// with nothing taken over.
class FolderBrowser : public QWidget
{
    Q_OBJECT

public:
    FolderBrowser();

signals:
    // "OK": the folder chosen, for the setup dialog's path box.
    void chosen(const QString &path);
    // Closed: dropped, it deletes itself.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void takeFolder();

    QLabel *m_path;
    DirectoryList *m_folders;
};
