#include "funmode.h"

#include "controls.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

funmode::funmode(Settings &settings, const Language &language)
{
    setWindowTitle(QStringLiteral("Funmode-Config"));
    setFixedSize(281, 433);

    Label1 = Controls::label(this, QStringLiteral("Personal Mode - Config"), 8, 8, 281, 33);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Command1 = Controls::button(this, LanguageLine::Close, 176, 8, 97, 17, language);

    struct Row
    {
        QLineEdit *funmode::*box;
        QLabel *funmode::*label;
        const char *caption;
        int labelWidth;
    };
    static const Row rows[] = {
        {&funmode::reload, &funmode::reloadLabel, "Reload", 41},
        {&funmode::usp, &funmode::uspLabel, "USP", 41},
        {&funmode::glock, &funmode::glockLabel, "Glock18", 49},
        {&funmode::p90, &funmode::p90Label, "P90", 41},
        {&funmode::mp5, &funmode::mp5Label, "MP5", 41},
        {&funmode::para, &funmode::paraLabel, "Para", 41},
        {&funmode::scout, &funmode::scoutLabel, "Scout", 41},
        {&funmode::awp, &funmode::awpLabel, "AWP", 41},
        {&funmode::g3sg1, &funmode::g3sg1Label, "G3-SG1", 49},
        {&funmode::xm1014, &funmode::xm1014Label, "XM1014", 49},
        {&funmode::super90, &funmode::super90Label, "Super90", 49},
        {&funmode::sigp228, &funmode::sigp228Label, "SigP228", 49},
        {&funmode::deagle, &funmode::deagleLabel, "Deagle", 41},
        {&funmode::ump45, &funmode::ump45Label, "UMP45", 41},
        {&funmode::teampistol, &funmode::teampistolLabel, "TeamPistol", 65},
        {&funmode::ak47, &funmode::ak47Label, "AK47/Colt", 57},
        {&funmode::uzi, &funmode::uziLabel, "UZI/Tactical", 65},
        {&funmode::aug, &funmode::augLabel, "Steyr Aug/Sig SG", 89},
        {&funmode::sg550, &funmode::sg550Label, "G3SG1/SG550", 81},
        {&funmode::he, &funmode::heLabel, "HE", 41},
        {&funmode::smoke, &funmode::smokeLabel, "Smoke", 41},
        {&funmode::flash, &funmode::flashLabel, "Flashbang", 57},
        {&funmode::defuse, &funmode::defuseLabel, "Defuse Bomb", 73},
        {&funmode::plant, &funmode::plantLabel, "Plant Bomb", 65},
    };

    // The rows are the lines of "buy.kst", in order.
    QLineEdit *previous = nullptr;
    int top = 40;
    int line = Buy::Reload;
    for (const Row &row : rows) {
        this->*row.label = Controls::label(this, QString::fromLatin1(row.caption), 8, top, row.labelWidth, 17);
        QLineEdit *box = Controls::settingBox(this, 96, top, 177, 19, Buy::Line(line++), settings, language);
        this->*row.box = box;
        // Tab walks the boxes top to bottom.
        if (previous)
            setTabOrder(previous, box);
        previous = box;
        top += 16;
    }

    connect(Command1, &QPushButton::clicked, this, &funmode::Command1_Click);
    setFirstBox(reload);
    setCloseButton(Command1);
}

// Hidden, never deleted: the main window owns the dialog and shows it again.
void funmode::Command1_Click()
{
    hide();
}
