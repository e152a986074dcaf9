#pragma once

class QScreen;
class QWidget;

// Where a window of its own opens: over the window it was opened from, and
// never partly off that window's screen, whatever the screen's scaling.
namespace Placement {

// Shows `window` without modality, in front. The first time it is centred
// over `owner`; every time it is moved as little as needed to lie wholly on
// `owner`'s screen, and a window larger than that screen goes to its top-left
// corner.
void showOver(QWidget *window, QWidget *owner);

// Shows `window` centred on `screen` (the first start has no other window).
void showCentred(QWidget *window, QScreen *screen);

} // namespace Placement
