#include "textmessagedialog.h"

#include "controls.h"
#include "message.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TextMessageDialog::TextMessageDialog(Settings &settings, const Language &language)
    : OptionDialog(language)
{
    setWindowTitle(QStringLiteral("TextMenü"));
    setFixedSize(313, 233);

    struct Row
    {
        const char *box;
        Varia::Line line;
        const char *label;
        const char *caption;
        int left;
        int width;
        int top;
    };
    // The chat messages, then the team messages set a little apart.
    static const Row rows[] = {
        {"Text1", Varia::Text1, "Label1", "Message1", 240, 65, 16},
        {"Text2", Varia::Text2, "Label2", "Message2", 240, 65, 40},
        {"Text3", Varia::Text3, "Label3", "Message3", 240, 65, 64},
        {"Text4", Varia::Text4, "Label4", "Message4", 240, 65, 88},
        {"Text5", Varia::Text5, "Label5", "Message5", 240, 65, 112},
        {"Text6", Varia::Text6, "Label6", "Teammessage1", 232, 81, 144},
        {"Text7", Varia::Text7, "Label7", "Teammessage2", 232, 81, 168},
        {"Text8", Varia::Text8, "Label8", "Teammessage3", 232, 81, 192},
    };
    QLineEdit *first = nullptr;
    for (const Row &row : rows) {
        QLineEdit *box = Controls::settingBox(this, row.box, 16, row.top, 209, 19, row.line, settings, language);
        if (!first)
            first = box;
        Controls::label(this, row.label, QString::fromLatin1(row.caption), row.left, row.top, row.width, 17);
    }
    // Hidden, never deleted: the main window owns the dialog and shows it again.
    QPushButton *close = Controls::button(this, "Command2", QString(), 16, 216, 137, 17);
    QPushButton *help = Controls::button(this, "Command1", QString(), 208, 216, 97, 17);

    connect(help, &QPushButton::clicked, this,
            [&language] { Message::show(QStringLiteral("Text Help"), language.caption(LanguageLine::TextHelp)); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    setFirstBox(first);
    setCloseButton(close);
    setHelpButton(help);
    retranslate();
}
