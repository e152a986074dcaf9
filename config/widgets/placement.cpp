#include "placement.h"

#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace Placement {

namespace {

const char kPlaced[] = "korvelPlaced";

QMargins marginsOf(const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The window with the frame the window manager draws around it. Before a
// window is first shown its frame is unknown; the owner's, drawn by the same
// window manager, stands in for it.
QRect outerRect(const QWidget *window, const QWidget *owner)
{
    QMargins frame = marginsOf(window);
    if (frame.isNull() && owner)
        frame = marginsOf(owner);
    return QRect(window->frameGeometry().topLeft(), window->size().grownBy(frame));
}

// Where `outer` starts when moved as little as needed into `area`; a side
// longer than the area's starts at its edge.
QPoint inside(const QRect &outer, const QRect &area)
{
    const auto axis = [](int start, int length, int areaStart, int areaLength) {
        return length >= areaLength ? areaStart : qBound(areaStart, start, areaStart + areaLength - length);
    };
    return {axis(outer.x(), outer.width(), area.x(), area.width()),
            axis(outer.y(), outer.height(), area.y(), area.height())};
}

void showAt(QWidget *window, const QRect &outer, const QScreen *screen)
{
    window->setProperty(kPlaced, true);
    // A window's position is that of its frame. Without any screen (all
    // displays gone) the window system places it.
    if (screen)
        window->move(inside(outer, screen->availableGeometry()));
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void showOver(QWidget *window, QWidget *owner)
{
    QRect outer = outerRect(window, owner);
    if (!window->property(kPlaced).toBool())
        outer.moveCenter(owner->frameGeometry().center());
    showAt(window, outer, owner->screen());
}

void showCentred(QWidget *window, QScreen *screen)
{
    QRect outer = outerRect(window, nullptr);
    outer.moveCenter(screen->availableGeometry().center());
    showAt(window, outer, screen);
}

} // namespace Placement
