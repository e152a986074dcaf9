#include "serveraccessdialog.h"

#include "controls.h"
#include "message.h"
#include "valueguard.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ServerAccessDialog::ServerAccessDialog(Settings &settings, const Language &language)
    : OptionDialog(language)
{
    setWindowTitle(QStringLiteral("Setinfo - Feld"));
    setFixedSize(314, 129);

    QGroupBox *entries = Controls::frame(this, "adminmod", QStringLiteral("Clanmod/Adminmod Config"), 16, 16, 281, 89);
    // The password boxes show their text: the same text goes into the game script as it is,
    // or, where the game would not take it, not at all.
    QLineEdit *firstField = Controls::settingBox(entries, "pwfeld", 8, 24, 129, 19, Varia::Pwfeld, settings, language);
    Controls::label(entries, "Label1", QStringLiteral("1"), 136, 24, 9, 17);
    QLineEdit *firstPassword = Controls::settingBox(entries, "pass", 152, 24, 121, 19, Varia::Pass, settings, language);
    Controls::label(entries, "Label2", QStringLiteral("1"), 272, 24, 9, 17);
    Controls::label(entries, "Label4", QStringLiteral("Passwort Feld"), 16, 48, 113, 17);
    Controls::label(entries, "Label5", QStringLiteral("Passwort"), 168, 48, 89, 17);
    QLineEdit *secondField =
        Controls::settingBox(entries, "Text1", 8, 64, 129, 19, Varia::AmcmText1, settings, language);
    Controls::label(entries, "Label3", QStringLiteral("2"), 136, 64, 9, 17);
    QLineEdit *secondPassword =
        Controls::settingBox(entries, "Text2", 152, 64, 121, 19, Varia::AmcmText2, settings, language);
    Controls::label(entries, "Label6", QStringLiteral("2"), 272, 64, 9, 17);
    pairServerBoxes(firstField, firstPassword);
    pairServerBoxes(secondField, secondPassword);
    // Hidden, never deleted: the main window owns the dialog and shows it again.
    QPushButton *close = Controls::button(this, "Command1", QString(), 112, 104, 89, 17);
    QPushButton *help = Controls::button(this, "Command2", QString(), 232, 104, 65, 13);

    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(help, &QPushButton::clicked, this,
            [&language] { Message::show(QStringLiteral("CMAM Help"), language.caption(LanguageLine::ServerHelp)); });
    setFirstBox(firstField);
    setCloseButton(close);
    setHelpButton(help);
    retranslate();
}
