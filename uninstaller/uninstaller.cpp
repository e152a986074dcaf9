#include "uninstaller.h"

#include "endprogram.h"
#include "messagebox.h"
#include "picture.h"
#include "uninstall.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

// "MS Sans Serif" is a Windows font; elsewhere a sans serif about as narrow
// stands in, so "Start Uninstall" still fits its button.
QFont classicFont(qreal points, bool bold)
{
    QFont font(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                           QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

Uninstaller::Uninstaller(QWidget *parent)
    : QWidget(parent)
    , Picture1(new QLabel(this))
    , Label1(new QLabel(this))
    , Label2(new QLabel(this))
    , Command1(new QPushButton(this))
{
    setWindowTitle(QStringLiteral("Uninstaller"));
    setFixedSize(404, 279);
    // The layout was drawn for an 8 point font; larger ones would not fit.
    setFont(classicFont(8, false));

    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(8, 8, 137, 265);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setPixmap(QPixmap::fromImage(uninstallerPicture()));

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(152, 16, 241, 33);
    Label1->setFont(classicFont(13.5, true));
    Label1->setText(QStringLiteral("Uninstaller"));

    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(160, 56, 217, 57);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setWordWrap(true);
    Label2->setText(QStringLiteral(
        "Dieses Programm Deinstalliert das Korvel von ihrem Computer. Klicken sie auf "
        "Start Uninstall um mit der De-Installation zu beginnen"));

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(320, 240, 73, 25);
    Command1->setText(QStringLiteral("Start Uninstall"));
    connect(Command1, &QPushButton::clicked, this, &Uninstaller::Command1_Click);
}

void Uninstaller::Command1_Click()
{
    // One run per start.
    Command1->setEnabled(false);
    const UninstallResult result = uninstallPackage();
    if (result.acted)
        showMessage(this, completedTitle(), completedText(result.leftOver, result.notRestored));
    else
        showMessage(this, wrongFolderTitle(), wrongFolderText());
    endProgram();
}
