#include "firstrun2.h"

#include "controls.h"
#include "directorylist.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

firstrun2::firstrun2()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Verzeichnis Suchen"));
    setFixedSize(265, 177);

    Label2 = Controls::label(this, QStringLiteral("Path:"), 8, 8, 33, 17);
    pfad = Controls::label(this, QStringLiteral("No Path Selected"), 40, 8, 201, 17);
    Dir1 = new DirectoryList(this);
    Dir1->setGeometry(16, 32, 233, 81);
    Command1 = Controls::button(this, QStringLiteral("OK"), 24, 120, 217, 25);
    Label1 = Controls::label(this, QStringLiteral("Please Show me your Halflife Directory"), 40, 152, 185, 17);

    Line1 = Controls::line(this, QFrame::HLine, 0, 0, 265, 2);
    Line2 = Controls::line(this, QFrame::VLine, 0, 0, 2, 177);
    Line3 = Controls::line(this, QFrame::VLine, 263, 0, 2, 177);
    Line4 = Controls::line(this, QFrame::HLine, 0, 175, 265, 2);

    setTabOrder(Dir1, Command1);
    Dir1->setFocus();

    connect(Dir1, &DirectoryList::changed, this, &firstrun2::Dir1_Change);
    connect(Command1, &QPushButton::clicked, this, &firstrun2::Command1_Click);
}

void firstrun2::Dir1_Change()
{
    pfad->setText(Dir1->path());
}

void firstrun2::Command1_Click()
{
    emit chosen(Dir1->path());
    hide();
}

void firstrun2::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
