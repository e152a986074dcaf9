#include "folderbrowser.h"

#include "appearance.h"
#include "controls.h"
#include "directorylist.h"
#include "language.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FolderBrowser::FolderBrowser(const Language &language)
    : m_language(language)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(265, 177);

    Controls::label(this, "Label2", QString(), 8, 8, 33, 17);
    m_path = Controls::label(this, "pfad", QString(), 40, 8, 201, 17);
    m_folders = new DirectoryList(this);
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_folders->setGeometry(16, 32, 233, 81);
    QPushButton *ok = Controls::button(this, "Command1", QStringLiteral("OK"), 24, 120, 217, 25);
    Controls::label(this, "Label1", QString(), 40, 152, 185, 17);

    Controls::line(this, "Line1", QFrame::HLine, 0, 0, 265, 2);
    Controls::line(this, "Line2", QFrame::VLine, 0, 0, 2, 177);
    Controls::line(this, "Line3", QFrame::VLine, 263, 0, 2, 177);
    Controls::line(this, "Line4", QFrame::HLine, 0, 175, 265, 2);

    setTabOrder(m_folders, ok);
    m_folders->setFocus();

    connect(m_folders, &DirectoryList::changed, this, [this] {
        m_folderShown = true;
        m_path->setText(m_folders->currentFolder());
    });
    connect(ok, &QPushButton::clicked, this, &FolderBrowser::takeFolder);
    retranslate();
}

void FolderBrowser::retranslate()
{
    setWindowTitle(m_language.message(Texts::BrowserTitle));
    Controls::setCaption(findChild<QLabel *>(QStringLiteral("Label2")), m_language.message(Texts::PathLabel));
    Controls::setCaption(findChild<QLabel *>(QStringLiteral("Label1")),
                         m_language.message(Texts::ShowHalfLifeFolder));
    if (!m_folderShown)
        Controls::setCaption(m_path, m_language.message(Texts::NoPathChosen));
}

void FolderBrowser::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        Appearance::refitCaptions(this);
    }
    QWidget::changeEvent(event);
}

void FolderBrowser::takeFolder()
{
    emit chosen(m_folders->currentFolder());
    hide();
}

void FolderBrowser::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
