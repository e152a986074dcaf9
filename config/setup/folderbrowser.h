#pragma once

#include <QWidget>

class DirectoryList;
class Language;
class QLabel;

// The directory browser: lets the user pick the Half-Life directory for the
// setup dialog instead of typing it. Closing it drops it (it deletes itself)
// with nothing taken over. Its texts are said in the language in force,
// again whenever it is told that the language changed.
class FolderBrowser : public QWidget
{
    Q_OBJECT

public:
    explicit FolderBrowser(const Language &language);

signals:
    // "OK": the folder chosen, for the setup dialog's path box.
    void chosen(const QString &path);
    // Closed: dropped, it deletes itself.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void takeFolder();
    void retranslate();

    const Language &m_language;
    QLabel *m_path;
    bool m_folderShown = false; // until then m_path says none is chosen
    DirectoryList *m_folders;
};
