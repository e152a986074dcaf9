#include "firstrun2.h"

#include "directorylist.h"
#include "firstrun.h"
#include "forms.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel *makeLabel(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *label = new QLabel(caption, parent);
    label->setGeometry(left, top, width, height);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFrame *makeLine(QWidget *parent, QFrame::Shape shape, int left, int top, int width, int height)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(left, top, width, height);
    return line;
}

} // namespace

firstrun2::firstrun2()
{
    setWindowTitle(QStringLiteral("Verzeichnis Suchen"));
    setFixedSize(265, 177);

    Label2 = makeLabel(this, QStringLiteral("Path:"), 8, 8, 33, 17);
    pfad = makeLabel(this, QStringLiteral("No Path Selected"), 40, 8, 201, 17);
    Dir1 = new DirectoryList(this);
    Dir1->setGeometry(16, 32, 233, 81);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setGeometry(24, 120, 217, 25);
    Label1 = makeLabel(this, QStringLiteral("Please Show me your Halflife Directory"), 40, 152, 185, 17);

    Line1 = makeLine(this, QFrame::HLine, 0, 0, 265, 2);
    Line2 = makeLine(this, QFrame::VLine, 0, 0, 2, 177);
    Line3 = makeLine(this, QFrame::VLine, 263, 0, 2, 177);
    Line4 = makeLine(this, QFrame::HLine, 0, 175, 265, 2);

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
    Forms::get<firstrun>()->pfad->setText(Dir1->path());
    hide();
}

void firstrun2::closeEvent(QCloseEvent *event)
{
    event->accept();
    Forms::unload<firstrun2>();
}
