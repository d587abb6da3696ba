#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The picture shown for one that cannot be loaded: a neutral checkerboard of
// the given size with the missing file's path written across it.
QImage MakePicturePlaceholder(const QSize& Size, const QString& MissingPath);
