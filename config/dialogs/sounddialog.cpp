#include "sounddialog.h"

#include "controls.h"
#include "message.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SoundDialog::SoundDialog(Settings &settings, const Language &language)
    : OptionDialog(language)
{
    setWindowTitle(QStringLiteral("Soundmenü"));
    setFixedSize(234, 121);

    Controls::label(this, "Label1", QStringLiteral("User defined tones"), 8, 8, 121, 17);
    // Hidden, never deleted: the main window owns the dialog and shows it again.
    QPushButton *close = Controls::button(this, "Command2", QString(), 144, 8, 81, 13);
    QLineEdit *first = Controls::settingBox(this, "snd1", 8, 32, 169, 19, Varia::Snd1, settings, language);
    Controls::label(this, "Label2", QStringLiteral("Ton1"), 184, 32, 113, 17);
    Controls::settingBox(this, "snd2", 8, 56, 169, 19, Varia::Snd2, settings, language);
    Controls::label(this, "Label3", QStringLiteral("Ton2"), 184, 56, 113, 17);
    Controls::settingBox(this, "snd3", 8, 80, 169, 19, Varia::Snd3, settings, language);
    Controls::label(this, "Label4", QStringLiteral("Ton3"), 184, 80, 113, 17);
    QPushButton *help = Controls::button(this, "Command1", QString(), 64, 104, 113, 13);

    connect(help, &QPushButton::clicked, this,
            [&language] { Message::show(QStringLiteral("Sound Help"), language.caption(LanguageLine::SoundHelp)); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    setFirstBox(first);
    setCloseButton(close);
    setHelpButton(help);
    retranslate();
}
