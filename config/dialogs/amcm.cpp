#include "amcm.h"

#include "controls.h"
#include "message.h"
#include "valueguard.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

amcm::amcm(Settings &settings, const Language &language)
    : m_language(language)
{
    setWindowTitle(QStringLiteral("Setinfo - Feld"));
    setFixedSize(314, 129);

    adminmod = Controls::frame(this, QStringLiteral("Clanmod/Adminmod Config"), 16, 16, 281, 89);
    // The password boxes show their text: the same text goes into the game script as it is,
    // or, where the game would not take it, not at all.
    pwfeld = Controls::settingBox(adminmod, 8, 24, 129, 19, Varia::Pwfeld, settings, language);
    Label1 = Controls::label(adminmod, QStringLiteral("1"), 136, 24, 9, 17);
    pass = Controls::settingBox(adminmod, 152, 24, 121, 19, Varia::Pass, settings, language);
    Label2 = Controls::label(adminmod, QStringLiteral("1"), 272, 24, 9, 17);
    Label4 = Controls::label(adminmod, QStringLiteral("Passwort Feld"), 16, 48, 113, 17);
    Label5 = Controls::label(adminmod, QStringLiteral("Passwort"), 168, 48, 89, 17);
    Text1 = Controls::settingBox(adminmod, 8, 64, 129, 19, Varia::AmcmText1, settings, language);
    Label3 = Controls::label(adminmod, QStringLiteral("2"), 136, 64, 9, 17);
    Text2 = Controls::settingBox(adminmod, 152, 64, 121, 19, Varia::AmcmText2, settings, language);
    Label6 = Controls::label(adminmod, QStringLiteral("2"), 272, 64, 9, 17);
    pairServerBoxes(pwfeld, pass);
    pairServerBoxes(Text1, Text2);
    Command1 = Controls::button(this, LanguageLine::Close, 112, 104, 89, 17, language);
    Command2 = Controls::button(this, LanguageLine::Help, 232, 104, 65, 13, language);

    connect(Command1, &QPushButton::clicked, this, &amcm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &amcm::Command2_Click);
    setFirstBox(pwfeld);
    setCloseButton(Command1);
}

// Hidden, never deleted: the main window owns the dialog and shows it again.
void amcm::Command1_Click()
{
    hide();
}

void amcm::Command2_Click()
{
    Message::show(QStringLiteral("CMAM Help"), m_language.caption(LanguageLine::ServerHelp));
}
