#include "directorylist.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace {

const QString kIndent = QStringLiteral("  ");

// The ancestors of `path`, root first, ending with `path` itself.
QStringList ancestorsOf(const QString &path)
{
    QStringList chain;
    QDir dir(path);
    chain.prepend(dir.absolutePath());
    while (!dir.isRoot() && dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QString entryName(const QString &path)
{
    const QFileInfo info(path);
    return QDir(path).isRoot() ? QDir::toNativeSeparators(path) : info.fileName();
}

} // namespace

DirectoryList::DirectoryList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, &DirectoryList::enterFolder);
    setCurrentFolder(QDir::currentPath());
}

QString DirectoryList::currentFolder() const
{
    return QDir::toNativeSeparators(m_path);
}

void DirectoryList::setCurrentFolder(const QString &path)
{
    const QString cleaned = QDir::cleanPath(QDir(path).absolutePath());
    if (!QFileInfo(cleaned).isDir() || cleaned == m_path) {
        // A folder that vanished meanwhile disappears from the list.
        fill();
        return;
    }
    m_path = cleaned;
    fill();
    emit changed();
}

void DirectoryList::fill()
{
    clear();
    if (m_path.isEmpty())
        return;

    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    const QStringList chain = ancestorsOf(m_path);
    QListWidgetItem *current = nullptr;
    for (qsizetype level = 0; level < chain.size(); ++level) {
        current = new QListWidgetItem(openIcon, kIndent.repeated(level) + entryName(chain.at(level)), this);
        current->setData(Qt::UserRole, chain.at(level));
    }

    const QDir dir(m_path);
    const QStringList children = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const QString childIndent = kIndent.repeated(chain.size());
    for (const QString &child : children) {
        auto *item = new QListWidgetItem(closedIcon, childIndent + child, this);
        item->setData(Qt::UserRole, dir.filePath(child));
    }
    setCurrentItem(current);
}

void DirectoryList::enterFolder(QListWidgetItem *item)
{
    if (item)
        setCurrentFolder(item->data(Qt::UserRole).toString());
}
