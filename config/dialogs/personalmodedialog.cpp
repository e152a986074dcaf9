#include "personalmodedialog.h"

#include "controls.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PersonalModeDialog::PersonalModeDialog(Settings &settings, const Language &language)
    : OptionDialog(language)
{
    setWindowTitle(QStringLiteral("Funmode-Config"));
    setFixedSize(281, 433);

    QLabel *title = Controls::label(this, "Label1", QStringLiteral("Personal Mode - Config"), 8, 8, 281, 33);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Hidden, never deleted: the main window owns the dialog and shows it again.
    QPushButton *close = Controls::button(this, "Command1", QString(), 176, 8, 97, 17);

    // Each box's label is named after the box.
    struct Row
    {
        const char *box;
        const char *label;
        const char *caption;
        int labelWidth;
    };
    static const Row rows[] = {
        {"reload", "reloadLabel", "Reload", 41},
        {"usp", "uspLabel", "USP", 41},
        {"glock", "glockLabel", "Glock18", 49},
        {"p90", "p90Label", "P90", 41},
        {"mp5", "mp5Label", "MP5", 41},
        {"para", "paraLabel", "Para", 41},
        {"scout", "scoutLabel", "Scout", 41},
        {"awp", "awpLabel", "AWP", 41},
        {"g3sg1", "g3sg1Label", "G3-SG1", 49},
        {"xm1014", "xm1014Label", "XM1014", 49},
        {"super90", "super90Label", "Super90", 49},
        {"sigp228", "sigp228Label", "SigP228", 49},
        {"deagle", "deagleLabel", "Deagle", 41},
        {"ump45", "ump45Label", "UMP45", 41},
        {"teampistol", "teampistolLabel", "TeamPistol", 65},
        {"ak47", "ak47Label", "AK47/Colt", 57},
        {"uzi", "uziLabel", "UZI/Tactical", 65},
        {"aug", "augLabel", "Steyr Aug/Sig SG", 89},
        {"sg550", "sg550Label", "G3SG1/SG550", 81},
        {"he", "heLabel", "HE", 41},
        {"smoke", "smokeLabel", "Smoke", 41},
        {"flash", "flashLabel", "Flashbang", 57},
        {"defuse", "defuseLabel", "Defuse Bomb", 73},
        {"plant", "plantLabel", "Plant Bomb", 65},
    };

    // The rows are the lines of "buy.kst", in order.
    QLineEdit *first = nullptr;
    QLineEdit *previous = nullptr;
    int top = 40;
    int line = Buy::Reload;
    for (const Row &row : rows) {
        Controls::label(this, row.label, QString::fromLatin1(row.caption), 8, top, row.labelWidth, 17);
        QLineEdit *box = Controls::settingBox(this, row.box, 96, top, 177, 19, Buy::Line(line++), settings, language);
        // Tab walks the boxes top to bottom.
        if (previous)
            setTabOrder(previous, box);
        else
            first = box;
        previous = box;
        top += 16;
    }

    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    setFirstBox(first);
    setCloseButton(close);
    retranslate();
}
