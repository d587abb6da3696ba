#include "PicturePlaceholder.h"

#include <QPainter>

#include <algorithm>

QImage MakePicturePlaceholder(const QSize& Size, const QString& MissingPath)
{
    QImage image(Size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(QColor(0xe6, 0xe6, 0xe6));
    QPainter painter(&image);
    const int square = 16;
    const QColor dark(0xcc, 0xcc, 0xcc);
    for (int y = 0; y < image.height(); y += square)
        for (int x = (y / square) % 2 * square; x < image.width(); x += 2 * square)
            painter.fillRect(x, y, square, square, dark);

    // The path on a plain band, so it reads over the squares.
    QFont font = painter.font();
    font.setPixelSize(std::clamp(image.width() / 40, 11, 18));
    painter.setFont(font);
    const QRect margins = image.rect().adjusted(8, 8, -8, -8);
    const int flags = Qt::AlignCenter | Qt::TextWrapAnywhere;
    const QRect needed = painter.boundingRect(margins, flags, MissingPath);
    painter.fillRect(needed.adjusted(-4, -2, 4, 2), QColor(0xf8, 0xf8, 0xf8));
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawText(margins, flags, MissingPath);
    return image;
}
