#include "picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QImage uninstallerPicture()
{
    QImage image(137, 266, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0.0, QColor(0x24, 0x3a, 0x5e));
    sky.setColorAt(0.6, QColor(0x12, 0x1b, 0x2c));
    sky.setColorAt(1.0, QColor(0x06, 0x08, 0x0d));
    p.fillRect(image.rect(), sky);

    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (int x = -image.height(); x < image.width(); x += 9)
        p.drawLine(x, image.height(), x + image.height(), 0);

    // Crosshair with an arrow leaving it: the package going away.
    const QPointF centre(68.5, 78);
    const QColor amber(0xf0, 0xa0, 0x30);
    p.setPen(QPen(amber, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 36, 36);
    p.setPen(QPen(amber, 2));
    p.drawEllipse(centre, 18, 18);
    p.drawLine(QPointF(centre.x() - 48, centre.y()), QPointF(centre.x() - 24, centre.y()));
    p.drawLine(QPointF(centre.x() + 24, centre.y()), QPointF(centre.x() + 48, centre.y()));
    p.drawLine(QPointF(centre.x(), centre.y() + 24), QPointF(centre.x(), centre.y() + 40));

    QPainterPath arrow;
    arrow.moveTo(centre.x(), centre.y() - 62);
    arrow.lineTo(centre.x() + 12, centre.y() - 44);
    arrow.lineTo(centre.x() + 5, centre.y() - 44);
    arrow.lineTo(centre.x() + 5, centre.y() - 4);
    arrow.lineTo(centre.x() - 5, centre.y() - 4);
    arrow.lineTo(centre.x() - 5, centre.y() - 44);
    arrow.lineTo(centre.x() - 12, centre.y() - 44);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x06, 0x08, 0x0d), 1));
    p.setBrush(QColor(0xf4, 0xf1, 0xe8));
    p.drawPath(arrow);

    QFont font(QStringList{QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(24);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(font);
    p.setPen(QColor(0xf4, 0xf1, 0xe8));
    p.save();
    p.translate(image.width() / 2.0 + 10, image.height() - 18);
    p.rotate(-90);
    p.drawText(QRectF(0, -30, 140, 30), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("KORVEL"));
    p.restore();

    p.setPen(QPen(amber, 2));
    p.drawLine(QPointF(26, 140), QPointF(26, 250));
    p.drawLine(QPointF(111, 140), QPointF(111, 250));
    return image;
}
