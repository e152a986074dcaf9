#include "uninstaller.h"

#include "endprogram.h"
#include "messagebox.h"
#include "platform.h"
#include "texts.h"
#include "uninstall.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOption>

namespace {

// Enter presses the button that has the keyboard, as Space does and as on
// Windows: Qt leaves Enter to a dialog's default button.
class Button : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            QPushButton::keyPressEvent(event);
            return;
        }
        if (!event->isAutoRepeat())
            click();
        event->accept();
    }
};

// The button's caption gets the room it needs from the margins around it:
// the style clips the text to this rectangle, and under the Windows style
// "Start Uninstall" needs more than its margins leave.
class CaptionRoomStyle : public QProxyStyle
{
public:
    // Drawn as the styles draw a button, but with the caption's room from
    // here: the styles ask themselves for it, not their proxy.
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element != CE_PushButton || !button) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        drawControl(CE_PushButtonBevel, button, painter, widget);
        QStyleOptionButton label = *button;
        label.rect = subElementRect(SE_PushButtonContents, button, widget);
        drawControl(CE_PushButtonLabel, &label, painter, widget);
        // Fusion shows the focus in its bevel; the Windows styles draw a frame.
        if ((button->state & State_HasFocus) && baseStyle()->name() != QLatin1String("fusion")) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*button);
            focus.rect = subElementRect(SE_PushButtonFocusRect, button, widget);
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

    QRect subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const override
    {
        const QRect room = QProxyStyle::subElementRect(element, option, widget);
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element != SE_PushButtonContents || !button)
            return room;
        const QSize need = option->fontMetrics.size(Qt::TextShowMnemonic, button->text).boundedTo(option->rect.size());
        return room.united(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, need, option->rect));
    }
};

// The window's sans serif; where its own family is missing a sans serif
// about as narrow stands in, so "Start Uninstall" still fits its button.
QFont classicFont(qreal points, bool bold)
{
    QFont font(sansFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Where the first family this system has draws `text` too large for its
// fixed box, the next family of the same size that shows it whole takes over
// for that control; where the system keeps one face, that face condensed.
void fitCaption(QWidget *control, const QString &text, bool wrapped)
{
    const QFont own = control->font();
    const auto fits = [&](const QFont &font) {
        const QFontMetrics metrics(font);
        const QRect box = control->contentsRect();
        if (wrapped)
            return metrics.boundingRect(box, Qt::TextWordWrap, text).height() <= box.height();
        return metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height();
    };
    if (fits(own))
        return;
    if (!captionsMayChangeFamily()) {
        // The one face, a little condensed; past 80 % a caption is better
        // cut than unreadable.
        for (int stretch = QFont::Unstretched - 1; stretch >= 80; --stretch) {
            QFont font = own;
            font.setStretch(stretch);
            if (fits(font)) {
                control->setFont(font);
                return;
            }
        }
        return;
    }
    const QString family = QFontInfo(own).family();
    for (const QString &other : own.families()) {
        QFont font = own;
        font.setFamilies({other});
        // Only a family this system has, not a stand-in it would draw instead.
        if (other != family && QFontInfo(font).family() == other && fits(font)) {
            control->setFont(font);
            return;
        }
    }
}

} // namespace

Uninstaller::Uninstaller(QWidget *parent)
    : QWidget(parent)
    , m_start(new Button(this))
{
    setWindowTitle(QStringLiteral("Uninstaller"));
    setFixedSize(404, 279);
    // The layout was drawn for an 8 point font; larger ones would not fit.
    setFont(classicFont(8, false));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(8, 8, 137, 265);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(QPixmap(QStringLiteral(":/pictures/uninstaller.png")));

    auto *heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setGeometry(152, 16, 241, 33);
    heading->setFont(classicFont(13.5, true));
    heading->setText(QStringLiteral("Uninstaller"));

    auto *explanation = new QLabel(this);
    explanation->setObjectName(QStringLiteral("Label2"));
    explanation->setGeometry(160, 56, 217, 57);
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    explanation->setWordWrap(true);
    // The text may come from a language file: shown as written, never as markup.
    explanation->setTextFormat(Qt::PlainText);
    // In the language the configurator recorded, read before anything of qor goes.
    Texts::useRecordedLanguage();
    explanation->setText(Texts::get(Texts::Explanation));

    m_start->setObjectName(QStringLiteral("Command1"));
    m_start->setGeometry(320, 240, 73, 25);
    m_start->setText(Texts::get(Texts::StartButton));
    auto *buttonStyle = new CaptionRoomStyle;
    buttonStyle->setParent(this);
    m_start->setStyle(buttonStyle);
    fitCaption(explanation, explanation->text(), true);
    fitCaption(m_start, m_start->text(), false);
    connect(m_start, &QPushButton::clicked, this, &Uninstaller::uninstall);
}

void Uninstaller::uninstall()
{
    // One run per start.
    m_start->setEnabled(false);
    const UninstallResult result = uninstallPackage();
    switch (result.outcome) {
    case Outcome::Done:
        showMessage(this, completedTitle(), completedText(result));
        break;
    case Outcome::ConfiguratorOpen:
        showMessage(this, configuratorOpenTitle(), configuratorOpenText(result));
        break;
    case Outcome::UninstallerRunning:
        showMessage(this, uninstallerRunningTitle(), uninstallerRunningText(result));
        break;
    case Outcome::WrongFolder:
        showMessage(this, wrongFolderTitle(), wrongFolderText());
        break;
    }
    endProgram();
}
