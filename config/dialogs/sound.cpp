#include "sound.h"

#include "controls.h"
#include "message.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

sound::sound(Settings &settings, const Language &language)
    : m_language(language)
{
    setWindowTitle(QStringLiteral("Soundmenü"));
    setFixedSize(234, 121);

    Label1 = Controls::label(this, QStringLiteral("User defined tones"), 8, 8, 121, 17);
    Command2 = Controls::button(this, LanguageLine::Close, 144, 8, 81, 13, language);
    snd1 = Controls::settingBox(this, 8, 32, 169, 19, Varia::Snd1, settings, language);
    Label2 = Controls::label(this, QStringLiteral("Ton1"), 184, 32, 113, 17);
    snd2 = Controls::settingBox(this, 8, 56, 169, 19, Varia::Snd2, settings, language);
    Label3 = Controls::label(this, QStringLiteral("Ton2"), 184, 56, 113, 17);
    snd3 = Controls::settingBox(this, 8, 80, 169, 19, Varia::Snd3, settings, language);
    Label4 = Controls::label(this, QStringLiteral("Ton3"), 184, 80, 113, 17);
    Command1 = Controls::button(this, LanguageLine::Help, 64, 104, 113, 13, language);

    connect(Command1, &QPushButton::clicked, this, &sound::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &sound::Command2_Click);
    setFirstBox(snd1);
    setCloseButton(Command2);
}

void sound::Command1_Click()
{
    Message::show(QStringLiteral("Sound Help"), m_language.caption(LanguageLine::SoundHelp));
}

// Hidden, never deleted: the main window owns the dialog and shows it again.
void sound::Command2_Click()
{
    hide();
}
