#include "appearance.h"

#include "platform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOption>

namespace {

// A push button's caption gets the room it needs from the margins around it,
// down to none: the style clips the text to this rectangle.
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
        QRect room = QProxyStyle::subElementRect(element, option, widget);
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element != SE_PushButtonContents || !button)
            return room;
        const QSize need = option->fontMetrics.size(Qt::TextShowMnemonic, button->text).boundedTo(option->rect.size());
        return room.united(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, need, option->rect));
    }
};

// Where the ink of `text` in `font` lands when drawn in `room` with `alignment`.
QRect inkOf(const QFont &font, const QString &text, const QRect &room, Qt::Alignment alignment)
{
    const QFontMetrics metrics(font);
    const QRect line = QStyle::alignedRect(Qt::LeftToRight, alignment, metrics.size(0, text), room);
    return metrics.tightBoundingRect(text).translated(line.left(), line.top() + metrics.ascent());
}

// Whether all of that ink is seen in a label whose contents are `bounds`: Qt
// clips the text to the room once its line box no longer fits there.
bool inkFits(const QFont &font, const QString &text, const QRect &room, const QRect &bounds, Qt::Alignment alignment)
{
    const QRect line = QStyle::alignedRect(Qt::LeftToRight, alignment, QFontMetrics(font).size(0, text), room);
    return (room.contains(line) ? bounds : room).contains(inkOf(font, text, room, alignment));
}

// What a control shows as its caption ("&&" in a button is one "&").
QString captionOf(const QWidget *control)
{
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *button = qobject_cast<const QPushButton *>(control))
        return QString(button->text()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    return {};
}

// Whether `control` shows its caption whole in `font`, in the room its style gives the text.
bool captionFits(QWidget *control, const QFont &font)
{
    const QString text = captionOf(control);
    if (auto *label = qobject_cast<QLabel *>(control)) {
        const QRect bounds = label->contentsRect();
        if (label->wordWrap())
            return QFontMetrics(font).boundingRect(bounds, Qt::TextWordWrap | label->alignment(), text).height()
                <= bounds.height();
        return inkFits(font, text, bounds.adjusted(qMax(0, label->indent()), 0, 0, 0), bounds, label->alignment());
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.fontMetrics = QFontMetrics(font);
        option.text = button->text();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return inkFits(font, text, room, button->rect(), Qt::AlignCenter);
    }
    if (auto *frame = qobject_cast<QGroupBox *>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.fontMetrics = QFontMetrics(font);
        option.text = text;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.textAlignment = frame->alignment();
        const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        return frame->rect().contains(title) && inkFits(font, text, title, title, Qt::AlignLeft | Qt::AlignVCenter);
    }
    return true;
}

// `font` and, for an outline font (a bitmap font, as "MS Sans Serif" is,
// can't be), the same a little condensed, step by step. Where captions keep
// their window's one face, the narrowest then sets its letters a little
// closer: Windows condenses a face in whole steps of its average letter's
// width, too coarse for a caption a pixel too wide.
QList<QFont> condensed(QFont font)
{
    // No narrower than this: past it a caption is better cut than unreadable.
    constexpr int kNarrowest = 80;
    constexpr int kClosestSpacing = 95;
    const QFontInfo drawn(font);
    const bool outline = QFontDatabase::isSmoothlyScalable(drawn.family(), drawn.styleName());
    QList<QFont> fonts;
    for (int stretch = QFont::Unstretched; stretch >= (outline ? kNarrowest : QFont::Unstretched); --stretch) {
        font.setStretch(stretch);
        fonts << font;
    }
    for (int spacing = 99; outline && !Platform::captionsMayChangeFamily() && spacing >= kClosestSpacing; --spacing) {
        font.setLetterSpacing(QFont::PercentageSpacing, spacing);
        fonts << font;
    }
    return fonts;
}

// The first font in which `control` shows its caption whole, smallest change
// first: its own family condensed, then, if `otherFamilies` (a control in the
// window's font, not one given its own as the titles are, where the system
// lets captions change family), each other sans-serif family the layouts were
// drawn for, at the same size, condensed as needed. A family is
// loaded only when the ones before it fail. The own font, already found too
// wide, is not tried again; `own` when none fits.
QFont narrowerFont(QWidget *control, QFont own, bool otherFamilies)
{
    own.setStretch(QFont::Unstretched);
    QList<QFont> families{own};
    if (otherFamilies) {
        const QString family = QFontInfo(own).family();
        // Only a family this system has, not a stand-in it would draw instead
        // (asked of the list: asking for each family looks for its stand-in).
        const QStringList installed = QFontDatabase::families();
        for (const QString &other : Appearance::sansFont().families()) {
            if (other != family && installed.contains(other, Qt::CaseInsensitive)) {
                QFont replaced = own;
                replaced.setFamilies({other});
                families << replaced;
            }
        }
    }
    for (const QFont &family : families) {
        const QList<QFont> fonts = condensed(family);
        for (qsizetype i = family == own ? 1 : 0; i < fonts.size(); ++i) {
            if (captionFits(control, fonts.at(i)))
                return fonts.at(i);
        }
    }
    return own;
}

// `font` naming only the family the system draws for its list. Each variant
// of it (bold, condensed, another size) then finds that family at once: for a
// list whose first family is missing, the system would sort all its fonts for
// a stand-in again and again, which is most of what a start spends on fonts.
QFont drawnFamily(QFont font)
{
    font.setFamilies({QFontInfo(font).family()});
    return font;
}

const char *const kFitted = "korvelCaptionsFitted";
const char *const kOwnFont = "korvelOwnFont";
const char *const kFontOfItsOwn = "korvelFontOfItsOwn";

} // namespace

namespace Appearance {

QFont sansFont()
{
    QFont font;
    font.setFamilies(Platform::sansFamilies());
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void applyApplicationFont(QApplication &app)
{
    QFont font = sansFont();
    font.setPixelSize(11);
    app.setFont(drawnFamily(font));
}

void applyApplicationStyle(QApplication &app)
{
    app.setStyle(new CaptionRoomStyle);
}

void fitCaptions(QWidget *window)
{
    window->setProperty(kFitted, true);
    for (QWidget *control : window->findChildren<QWidget *>()) {
        // Lists, the drop-down boxes' among them, in the application's font:
        // Windows gives lists one of their own, that of its icon titles.
        if (auto *list = qobject_cast<QAbstractItemView *>(control)) {
            if (!list->testAttribute(Qt::WA_SetFont))
                list->setFont(QApplication::font());
            continue;
        }
        auto *label = qobject_cast<QLabel *>(control);
        if (control->isHidden() || captionOf(control).isEmpty()
            || (label && (label->text().contains(QLatin1Char('\n')) || !(label->alignment() & Qt::AlignLeft))))
            continue;
        // The font the control was made with, before any change of ours.
        if (!control->property(kOwnFont).isValid()) {
            control->setProperty(kOwnFont, control->font());
            control->setProperty(kFontOfItsOwn, control->testAttribute(Qt::WA_SetFont));
        }
        const QFont own = control->property(kOwnFont).value<QFont>();
        // No font shows more characters than the control has pixels (on a
        // line, or in all for a wrapped label): a longer caption (thousands of
        // characters, from a damaged language file) is not measured, which
        // would take long.
        const qsizetype room = qsizetype(control->width()) * (label && label->wordWrap() ? control->height() : 1);
        const bool hopeless = captionOf(control).size() > room;
        // An italic first letter leans out to the left: an indent takes it in.
        if (label && !label->wordWrap() && !hopeless) {
            const QRect bounds = label->contentsRect();
            const int lean = bounds.left() - inkOf(own, label->text(), bounds, label->alignment()).left();
            if (lean > 0)
                label->setIndent(lean);
        }
        QFont chosen = own;
        if (!hopeless && !captionFits(control, own))
            chosen = narrowerFont(control, own,
                                  Platform::captionsMayChangeFamily() && !control->property(kFontOfItsOwn).toBool());
        if (chosen != control->font())
            control->setFont(chosen);
    }
}

void refitCaptions(QWidget *window)
{
    if (window->property(kFitted).toBool())
        fitCaptions(window);
}

QFont titleFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("DejaVu Serif")});
    font.setPointSizeF(14.25);
    font.setBold(true);
    font.setItalic(true);
    return drawnFamily(font);
}

// The pictures are image resources: the background in 256 colours, the
// setup dialog's icon in two, as the windows were designed.
QPixmap mainBackground()
{
    return QPixmap(QStringLiteral(":/pictures/background.png"));
}

QIcon mainIcon()
{
    return QIcon(QStringLiteral(":/pictures/icon.png"));
}

QIcon setupIcon()
{
    return QIcon(QStringLiteral(":/pictures/setup-icon.png"));
}

QCursor linkCursor()
{
    // A pointing hand; the hot spot is the finger tip.
    return QCursor(QPixmap(QStringLiteral(":/pictures/link-cursor.png")), 9, 1);
}

} // namespace Appearance
