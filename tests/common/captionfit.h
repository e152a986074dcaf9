#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>

// Every caption of a window that its control cannot show whole. The text is
// placed as the control draws it, with the control's own font, in the room
// its style gives the text: a button's contents rectangle, a label's contents
// less its indent, a frame's title rectangle. Qt clips the text to that room
// when its line box does not fit there, and to the control otherwise; the
// text's ink must lie inside what is left (several lines: their line boxes).
// A word-wrapped label is measured by height. Controls hidden on purpose are
// not looked at.
namespace CaptionFit {

// The caption as shown: "&&" is a plain "&", a single "&" marks a shortcut.
inline QString shown(const QString &caption)
{
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption.at(i);
    }
    return text;
}

// Empty when `caption`, drawn in `room` with `alignment` by a control of
// size `bounds`, shows whole; otherwise what it needs.
inline QString misfit(const QFontMetrics &metrics, const QString &caption, const QRect &room, const QRect &bounds,
                      Qt::Alignment alignment)
{
    const QString text = shown(caption);
    const QRect line = QStyle::alignedRect(Qt::LeftToRight, alignment, metrics.size(0, text), room);
    const QRect ink = metrics.tightBoundingRect(text).translated(line.left(), line.top() + metrics.ascent());
    const QRect clip = room.contains(line) ? bounds : room;
    if (text.contains(QLatin1Char('\n')) ? room.contains(line) : clip.contains(ink))
        return {};
    return QStringLiteral("needs %1x%2 (ink %3,%4 %5x%6) in %7,%8 %9x%10")
        .arg(line.width()).arg(line.height())
        .arg(ink.left()).arg(ink.top()).arg(ink.width()).arg(ink.height())
        .arg(room.left()).arg(room.top()).arg(room.width()).arg(room.height());
}

inline QStringList clippedCaptions(QWidget *window)
{
    QStringList clipped;
    const auto check = [&clipped](const QWidget *control, const QString &caption, const QRect &room,
                                  Qt::Alignment alignment) {
        const QString problem = misfit(control->fontMetrics(), caption, room, control->rect(), alignment);
        if (!problem.isEmpty())
            clipped << QStringLiteral("%1 \"%2\" %3").arg(QString::fromLatin1(control->metaObject()->className()),
                                                          caption, problem);
    };
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->isHidden())
            continue;
        if (auto *button = qobject_cast<QPushButton *>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            check(button, button->text(),
                  button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button), Qt::AlignCenter);
        } else if (auto *label = qobject_cast<QLabel *>(control)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap()) {
                const int need = label->heightForWidth(label->width());
                if (need > label->height())
                    clipped << QStringLiteral("QLabel \"%1\" needs %2 px in %3").arg(label->text()).arg(need).arg(
                        label->height());
            } else {
                const int indent = qMax(0, label->indent());
                QRect room = label->contentsRect();
                if (label->alignment() & Qt::AlignLeft)
                    room.setLeft(room.left() + indent);
                else if (label->alignment() & Qt::AlignRight)
                    room.setRight(room.right() - indent);
                check(label, label->text(), room, label->alignment());
            }
        } else if (auto *frame = qobject_cast<QGroupBox *>(control)) {
            if (frame->title().isEmpty())
                continue;
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            option.textAlignment = frame->alignment();
            const QRect title =
                frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
            check(frame, frame->title(), title.intersected(frame->rect()), Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    return clipped;
}

} // namespace CaptionFit
