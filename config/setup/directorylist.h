#pragma once

#include <QListWidget>

// A directory list: the ancestors of the current path, then its
// subdirectories, each level indented. Opening an entry (double-click or
// Enter) makes it the current path; highlighting one changes nothing. The
// process's current directory is never touched.
class DirectoryList : public QListWidget
{
    Q_OBJECT

public:
    explicit DirectoryList(QWidget *parent = nullptr);

    // Full path with native separators, no trailing separator except a root.
    QString currentFolder() const;
    void setCurrentFolder(const QString &path);

signals:
    // The current path has changed.
    void changed();

private:
    void fill();
    void enterFolder(QListWidgetItem *item);

    QString m_path; // absolute, '/'-separated, cleaned
};
