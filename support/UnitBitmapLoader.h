#pragma once

#include <QImage>
#include <QObject>
#include <QString>

// Loads picture files into the editor's working bitmap. The program has one, FormBitmapLoader,
// made at start-up; it needs no window: pictures are decoded with QImageReader (JPEG, GIF,
// PNG, and BMP, WebP, TIFF, ICO, SVG through the installed plugins) the way the web view shows
// them, so that region coordinates match the page:
//  - EXIF orientation applied, at the picture's natural size, top-left pixel at (0, 0);
//  - the first frame of an animation; for an icon file, its largest image;
//  - transparent parts composed over white; the result is opaque (Format_RGB32, or
//    Format_RGB888 when the caller's bitmap already has that format).
class TFormBitmapLoader : public QObject
{
    Q_OBJECT

public:
    // The largest decoded picture accepted, in megabytes (4 bytes a pixel): 1024 MB is a little
    // over 16,000 x 16,000 pixels. It is also set as Qt's image allocation limit.
    static constexpr int AllocationLimitMB = 1024;

    explicit TFormBitmapLoader(QObject* Parent = nullptr);
    ~TFormBitmapLoader() override;

    // Loads FileName into Bitmap; true on success. On failure Bitmap is untouched and
    // LastError() says why (naming the file).
    bool LoadBitmap(QImage& Bitmap, const QString& FileName);

    // The reason the last load failed, empty after a success.
    QString LastError() const { return FLastError; }

    // Changes the allocation limit (for tests of very large pictures); returns the old one.
    static int SetAllocationLimit(int MegaBytes);

    // Turns any decoded picture into an opaque one, composing transparent parts over white.
    static QImage MakeOpaque(QImage Image, QImage::Format Target = QImage::Format_RGB32);

private:
    QString FLastError;
};

// The program's image loader, set by the first TFormBitmapLoader that is created (the one made at
// start-up) and cleared when it is destroyed; null when there is none, as in tests.
extern TFormBitmapLoader* FormBitmapLoader;
