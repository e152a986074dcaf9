#pragma once

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QPixmap>

class QApplication;

// The configurator's own pictures, drawn here rather than shipped as files,
// and its fonts. The control sizes of every window were laid out for an
// 8-point sans-serif font; the application font keeps captions within them.
namespace Appearance {

// The sans-serif families the layouts were drawn for, best first.
QFont sansFont();
void applyApplicationFont(QApplication &app);
QFont titleFont();

QPixmap mainBackground();   // 557 x 305, 256 colours
QIcon mainIcon();
QIcon setupIcon();          // 32 x 32, two colours
QCursor linkCursor();

} // namespace Appearance
