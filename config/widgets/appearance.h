#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QPixmap>

class QApplication;
class QWidget;

// The configurator's own pictures and its fonts. The control sizes of every
// window were laid out for an 8-point sans-serif font; the application font
// keeps captions within them.
namespace Appearance {

// The sans-serif families the layouts were drawn for, best first.
QFont sansFont();
void applyApplicationFont(QApplication &app);
// The platform's own style, giving a caption room that its margins would
// otherwise take (the layouts leave buttons little more than a line high).
void applyApplicationStyle(QApplication &app);
// Condenses, a little and only where needed, the font of each shown label
// of `window` whose caption would otherwise be cut: the fixed sizes were laid
// out for one font, and another platform's or language's text can be wider.
// Its lists get the application's font, which Windows would not give them.
void fitCaptions(QWidget *window);
// The same again for a window fitted before, after its captions changed; one
// not fitted yet is left to be fitted when its captions are complete.
void refitCaptions(QWidget *window);
QFont titleFont();

QPixmap mainBackground();   // 557 x 305, 256 colours
QIcon mainIcon();
QIcon setupIcon();          // 32 x 32, two colours
QCursor linkCursor();

} // namespace Appearance
