#include "UnitBitmapLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

TFormBitmapLoader* FormBitmapLoader = nullptr;

namespace {
int& CurrentLimitMB()
{
    static int limit = TFormBitmapLoader::AllocationLimitMB;
    return limit;
}

QString FileText(const QString& fileName)
{
    return QDir::toNativeSeparators(fileName);
}

// Browsers show the largest image of an icon file; Qt's reader starts with the first.
void PickLargestIcon(QImageReader& reader)
{
    const int count = reader.imageCount();
    if (count <= 1)
        return;
    int best = 0;
    qint64 bestArea = -1;
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        const qint64 area = qint64(size.width()) * size.height();
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    reader.jumpToImage(best);
}

// Composes premultiplied pixels over white in place and marks the picture opaque: over
// white, each channel becomes its premultiplied value plus the uncovered part, 255 - alpha.
void ComposeOverWhite(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const quint32 uncovered = 255 - (p >> 24);
            line[x] = (p + uncovered * 0x010101u) | 0xff000000u;
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
}
} // namespace

TFormBitmapLoader::TFormBitmapLoader(QObject* Parent) : QObject(Parent)
{
    setObjectName(QStringLiteral("FormBitmapLoader"));
    QImageReader::setAllocationLimit(CurrentLimitMB());
    if (!FormBitmapLoader)
        FormBitmapLoader = this;
}

TFormBitmapLoader::~TFormBitmapLoader()
{
    if (FormBitmapLoader == this)
        FormBitmapLoader = nullptr;
}

int TFormBitmapLoader::SetAllocationLimit(int MegaBytes)
{
    const int previous = CurrentLimitMB();
    CurrentLimitMB() = MegaBytes;
    QImageReader::setAllocationLimit(MegaBytes);
    return previous;
}

QImage TFormBitmapLoader::MakeOpaque(QImage Image, QImage::Format Target)
{
    if (Image.isNull())
        return Image;
    if (Image.hasAlphaChannel()) {
        Image.convertTo(QImage::Format_ARGB32_Premultiplied);
        ComposeOverWhite(Image);
    }
    if (Image.format() != Target)
        Image.convertTo(Target);
    return Image;
}

bool TFormBitmapLoader::LoadBitmap(QImage& Bitmap, const QString& FileName)
{
    FLastError.clear();
    const QFileInfo info(FileName);
    if (FileName.isEmpty() || !info.exists()) {
        FLastError = tr("Cannot open file \"%1\": the file does not exist.").arg(FileText(FileName));
        return false;
    }
    if (info.isDir()) {
        FLastError = tr("Cannot open file \"%1\": it is a folder.").arg(FileText(FileName));
        return false;
    }

    QImageReader reader(FileName);
    // Like a browser, trust the content over the file name's extension.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (reader.format() == "ico")
        PickLargestIcon(reader);

    const QSize size = reader.size();
    if (size.isValid()) {
        const qint64 bytes = qint64(size.width()) * size.height() * 4;
        if (bytes > qint64(CurrentLimitMB()) * 1024 * 1024) {
            FLastError = tr("Cannot load \"%1\": the picture is %2 x %3 pixels, more than this program "
                            "can load (%4 MB).")
                             .arg(FileText(FileName))
                             .arg(size.width())
                             .arg(size.height())
                             .arg(CurrentLimitMB());
            return false;
        }
    }

    QImage picture;
    if (!reader.read(&picture) || picture.isNull()) {
        const QString reason = reader.error() == QImageReader::UnsupportedFormatError
                                   ? tr("the file is not a picture in a format this program can read.")
                                   : reader.errorString() + QLatin1Char('.');
        FLastError = tr("Cannot load \"%1\": %2").arg(FileText(FileName), reason);
        return false;
    }

    const QImage::Format target =
        Bitmap.format() == QImage::Format_RGB888 ? QImage::Format_RGB888 : QImage::Format_RGB32;
    picture = MakeOpaque(std::move(picture), target);
    if (picture.isNull()) {
        FLastError = tr("Cannot load \"%1\": not enough memory for the picture.").arg(FileText(FileName));
        return false;
    }
    Bitmap = std::move(picture);
    return true;
}
