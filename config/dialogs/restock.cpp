#include "restock.h"

#include "ansiinput.h"
#include "controls.h"
#include "message.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QComboBox *itemBox(QWidget *parent, int left, int top, Varia::Line line)
{
    static const QStringList items = {
        QStringLiteral("kevlar"),       QStringLiteral("kevlarandhelm"), QStringLiteral("flashbang"),
        QStringLiteral("hegrenade"),    QStringLiteral("smokegrenade"),  QStringLiteral("grenadepack"),
        QStringLiteral("munition"),     QStringLiteral("nightvision"),   QStringLiteral("defusial-kit"),
        QStringLiteral("2xflashbang"),  QStringLiteral("---"),
    };
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    // The edit text is the value, exactly as typed: no completion to an item
    // ("flash" stays "flash"), and Enter never adds the word to the list.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    // Filling the list must not pick an item: a box never set holds "".
    box->setCurrentIndex(-1);
    box->clearEditText();
    box->setGeometry(left, top, 89, 21);
    guardValueInput(box->lineEdit(), KindOf(line));
    Controls::showSetting(box->lineEdit(), line);
    return box;
}

} // namespace

restock::restock()
{
    setWindowTitle(QStringLiteral("Restocks"));
    setFixedSize(314, 218);

    // The spaces put the two headings over the two columns.
    restoc = Controls::frame(this, QStringLiteral("Big Restock                        Small Retock  "), 48, 8, 217, 193);
    big1 = itemBox(restoc, 8, 24, Varia::Big1);
    big2 = itemBox(restoc, 8, 56, Varia::Big2);
    big3 = itemBox(restoc, 8, 88, Varia::Big3);
    big4 = itemBox(restoc, 8, 120, Varia::Big4);
    big5 = itemBox(restoc, 8, 152, Varia::Big5);
    small1 = itemBox(restoc, 120, 24, Varia::Small1);
    small2 = itemBox(restoc, 120, 88, Varia::Small2);
    small3 = itemBox(restoc, 120, 152, Varia::Small3);
    Command4 = Controls::button(restoc, QStringLiteral("Hilfe"), 144, 176, 65, 13);
    Command1 = Controls::button(this, QStringLiteral("Schließen"), 16, 192, 73, 17);

    help1 = Controls::hiddenLabel(this, QStringLiteral("In diesem Fenster sehen sie, welche Plugins Installiert wurden."));
    help2 = Controls::hiddenLabel(this, QStringLiteral("In diesem Fenster können sie ihre Zugriffsdaten für einen Server über AdminMod oder Clanmod eintragen, um diese nicht immer wieder eingeben zu müssen."));
    help3 = Controls::hiddenLabel(this, QStringLiteral("Hier können sie die Artikel für den Restock kauf einstellen. Mit einem Klick auf die Restock Taste wird dieses Packet dann gekauft. Die Restock Taste können sie im CS - Tastenkonfiguration belegen."));
    help4 = Controls::hiddenLabel(this, QStringLiteral("Hier können Töne eingetragen werden, welche dann per Tastendruck in HL abgespielt werden können! WICHTIG! DIE TÖNE MÜSSEN SICH ALS .WAV DATEI IM COUNTER-STRIKE UNTERORDNER sound/vox BEFINDEN UM EINGESETZT WERDEN ZU KÖNNEN! Tragen sie in dem Textfeld den Dateinamen des Musikstückes ein."));
    help5 = Controls::hiddenLabel(this, QStringLiteral("Hier können Benutzerdefinierte Texte eingegeben werden, die dann durch einen Tastendruck im HL ausgegeben werden"));
    help6 = Controls::hiddenLabel(this, QStringLiteral("Der Programmierer dieses Scriptes übernimmt keine Haftung für eventuelle Schäden, die beim Benutzen dieses Programmes auftreten können."));

    connect(Command1, &QPushButton::clicked, this, &restock::Command1_Click);
    // Escape hides the window as "Schließen" does.
    Controls::clickOnEscape(Command1);
    connect(Command4, &QPushButton::clicked, this, &restock::Command4_Click);
}

// Hidden, not destroyed: the boxes keep their texts for the script generator.
void restock::Command1_Click()
{
    hide();
}

void restock::Command4_Click()
{
    Message::show(QStringLiteral("Restock Help"), help3->text());
}
