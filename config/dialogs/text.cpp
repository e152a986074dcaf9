#include "text.h"

#include "controls.h"
#include "message.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

text::text(Settings &settings, const Language &language)
    : m_language(language)
{
    setWindowTitle(QStringLiteral("TextMenü"));
    setFixedSize(313, 233);

    Text1 = Controls::settingBox(this, 16, 16, 209, 19, Varia::Text1, settings, language);
    Label1 = Controls::label(this, QStringLiteral("Message1"), 240, 16, 65, 17);
    Text2 = Controls::settingBox(this, 16, 40, 209, 19, Varia::Text2, settings, language);
    Label2 = Controls::label(this, QStringLiteral("Message2"), 240, 40, 65, 17);
    Text3 = Controls::settingBox(this, 16, 64, 209, 19, Varia::Text3, settings, language);
    Label3 = Controls::label(this, QStringLiteral("Message3"), 240, 64, 65, 17);
    Text4 = Controls::settingBox(this, 16, 88, 209, 19, Varia::Text4, settings, language);
    Label4 = Controls::label(this, QStringLiteral("Message4"), 240, 88, 65, 17);
    Text5 = Controls::settingBox(this, 16, 112, 209, 19, Varia::Text5, settings, language);
    Label5 = Controls::label(this, QStringLiteral("Message5"), 240, 112, 65, 17);
    Text6 = Controls::settingBox(this, 16, 144, 209, 19, Varia::Text6, settings, language);
    Label6 = Controls::label(this, QStringLiteral("Teammessage1"), 232, 144, 81, 17);
    Text7 = Controls::settingBox(this, 16, 168, 209, 19, Varia::Text7, settings, language);
    Label7 = Controls::label(this, QStringLiteral("Teammessage2"), 232, 168, 81, 17);
    Text8 = Controls::settingBox(this, 16, 192, 209, 19, Varia::Text8, settings, language);
    Label8 = Controls::label(this, QStringLiteral("Teammessage3"), 232, 192, 81, 17);
    Command2 = Controls::button(this, LanguageLine::Close, 16, 216, 137, 17, language);
    Command1 = Controls::button(this, LanguageLine::Help, 208, 216, 97, 17, language);

    connect(Command1, &QPushButton::clicked, this, &text::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &text::Command2_Click);
    setFirstBox(Text1);
    setCloseButton(Command2);
}

void text::Command1_Click()
{
    Message::show(QStringLiteral("Text Help"), m_language.caption(LanguageLine::TextHelp));
}

// Hidden, never deleted: the main window owns the dialog and shows it again.
void text::Command2_Click()
{
    hide();
}
