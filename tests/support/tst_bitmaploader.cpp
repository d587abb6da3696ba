// The image loader: formats, orientation, transparency, frames, failures and large pictures.
#include "UnitBitmapLoader.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {
// 40 x 30: red, green / blue, white quadrants.
QImage Quadrants(int width = 40, int height = 30)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    return image;
}

bool Near(QRgb actual, QColor expected, int tolerance)
{
    return qAbs(qRed(actual) - expected.red()) <= tolerance &&
           qAbs(qGreen(actual) - expected.green()) <= tolerance &&
           qAbs(qBlue(actual) - expected.blue()) <= tolerance;
}

QString Describe(QRgb p)
{
    return QStringLiteral("(%1, %2, %3, a %4)").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p)).arg(qAlpha(p));
}

QByteArray Encode(const QImage& image, const QByteArray& format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        qWarning() << "cannot write" << format << writer.errorString();
    return bytes;
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

void AppendLE16(QByteArray& bytes, int value)
{
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

// A GIF89a with a four-colour palette, written without compression: every pixel code follows a
// clear code, so the code table never grows. Each frame is a full-size index list.
QByteArray MakeGif(int width, int height, const QList<QColor>& palette, const QList<QList<int>>& frames,
                   int transparentIndex = -1)
{
    QByteArray gif("GIF89a");
    AppendLE16(gif, width);
    AppendLE16(gif, height);
    gif.append(char(0x91)); // global table of 4 colours
    gif.append(char(0));
    gif.append(char(0));
    for (int i = 0; i < 4; ++i) {
        const QColor c = palette.value(i, Qt::black);
        gif.append(char(c.red())).append(char(c.green())).append(char(c.blue()));
    }
    if (frames.size() > 1)
        gif.append(QByteArray::fromHex("21FF0B") + "NETSCAPE2.0" + QByteArray::fromHex("0301000000"));
    for (const QList<int>& pixels : frames) {
        gif.append(QByteArray::fromHex("21F904"));
        gif.append(char(transparentIndex >= 0 ? 0x05 : 0x04)); // keep the frame; transparency flag
        AppendLE16(gif, 10);
        gif.append(char(transparentIndex >= 0 ? transparentIndex : 0));
        gif.append(char(0));
        gif.append(char(0x2C));
        AppendLE16(gif, 0);
        AppendLE16(gif, 0);
        AppendLE16(gif, width);
        AppendLE16(gif, height);
        gif.append(char(0));
        gif.append(char(2)); // minimum code size
        QByteArray data;
        quint32 bits = 0;
        int count = 0;
        auto put = [&](int code) {
            bits |= quint32(code) << count;
            count += 3;
            while (count >= 8) {
                data.append(char(bits & 0xff));
                bits >>= 8;
                count -= 8;
            }
        };
        for (int p : pixels) {
            put(4);
            put(p);
        }
        put(5);
        if (count > 0)
            data.append(char(bits & 0xff));
        for (int i = 0; i < data.size(); i += 255) {
            const QByteArray block = data.mid(i, 255);
            gif.append(char(block.size()));
            gif.append(block);
        }
        gif.append(char(0));
    }
    gif.append(char(0x3B));
    return gif;
}

// A JPEG with an EXIF APP1 segment holding only the orientation tag, placed after SOI.
QByteArray WithExifOrientation(const QByteArray& jpeg, int orientation)
{
    QByteArray exif("Exif");
    exif.append(2, char(0));
    exif.append(QByteArray::fromHex("4D4D002A00000008")); // big-endian TIFF header, IFD at 8
    exif.append(QByteArray::fromHex("0001"));             // one entry
    exif.append(QByteArray::fromHex("011200030000000100"));
    exif.append(char(orientation));
    exif.append(QByteArray(2, 0));
    exif.append(QByteArray(4, 0)); // no next IFD
    QByteArray segment = QByteArray::fromHex("FFE1");
    const int length = exif.size() + 2;
    segment.append(char(length >> 8)).append(char(length & 0xff));
    segment.append(exif);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xffffffffu;
    for (char ch : bytes) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG that declares the given size but holds no pixel data: enough for its size to be read.
QByteArray PngHeaderOnly(quint32 width, quint32 height)
{
    QByteArray ihdr("IHDR");
    char dims[8];
    qToBigEndian(width, dims);
    qToBigEndian(height, dims + 4);
    ihdr.append(dims, 8);
    ihdr.append(QByteArray::fromHex("0802000000")); // 8-bit RGB
    QByteArray png = QByteArray::fromHex("89504E470D0A1A0A0000000D") + ihdr;
    char crc[4];
    qToBigEndian(Crc32(ihdr), crc);
    png.append(crc, 4);
    // An empty data chunk: the reader stops reading the header there.
    png.append(QByteArray(4, 0) + "IDAT");
    qToBigEndian(Crc32("IDAT"), crc);
    png.append(crc, 4);
    return png;
}

// Two single-image icon files merged into one icon file with both images.
QByteArray MergeIcons(const QByteArray& first, const QByteArray& second)
{
    QByteArray merged = first.left(4);
    AppendLE16(merged, 2);
    const QByteArray data1 = first.mid(22);
    const QByteArray data2 = second.mid(22);
    QByteArray entry1 = first.mid(6, 16);
    QByteArray entry2 = second.mid(6, 16);
    qToLittleEndian<quint32>(6 + 32, entry1.data() + 12);
    qToLittleEndian<quint32>(6 + 32 + data1.size(), entry2.data() + 12);
    return merged + entry1 + entry2 + data1 + data2;
}
} // namespace

class TestBitmapLoader : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void loadsFormat_data();
    void loadsFormat();
    void onePixelPicture();
    void contentDecidesOverExtension();
    void exifOrientationApplied_data();
    void exifOrientationApplied();
    void transparencyOverWhite();
    void gifTransparencyOverWhite();
    void firstFrameOfAnimation();
    void largestImageOfIcon();
    void svgAtNaturalSizeOverWhite();
    void resultIsOpaque_data();
    void resultIsOpaque();
    void callerFormatRgb888Kept();

    void missingFileIsFailureNotPlaceholder();
    void undecodableFileIsFailure();
    void folderIsFailure();
    void fileNameWithQuotationMarkLoads();
    void successClearsLastError();

    void largePictureLoads();
    void pictureBeyondLimitFailsClearly();
    void headerClaimingHugeSizeFailsClearly();

private:
    QString Path(const QString& name) const { return FDir.filePath(name); }

    QTemporaryDir FDir;
    TFormBitmapLoader FLoader;
};

void TestBitmapLoader::init()
{
    QVERIFY(FDir.isValid());
}

void TestBitmapLoader::loadsFormat_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("png") << QByteArray("png") << 0;
    QTest::newRow("jpeg") << QByteArray("jpg") << 40;
    QTest::newRow("bmp") << QByteArray("bmp") << 0;
    QTest::newRow("webp") << QByteArray("webp") << 40;
    QTest::newRow("tiff") << QByteArray("tiff") << 0;
    QTest::newRow("ico") << QByteArray("ico") << 0;
}

void TestBitmapLoader::loadsFormat()
{
    QFETCH(QByteArray, format);
    QFETCH(int, tolerance);
    QVERIFY2(QImageWriter::supportedImageFormats().contains(format), format.constData());
    const QString file = Path(QStringLiteral("quadrants.") + QString::fromLatin1(format));
    WriteBytes(file, Encode(Quadrants(), format, 95));

    QImage bitmap(105, 105, QImage::Format_RGB32);
    QVERIFY2(FLoader.LoadBitmap(bitmap, file), qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.size(), QSize(40, 30));
    QVERIFY(!bitmap.hasAlphaChannel());
    const QList<QPair<QPoint, QColor>> probes{{{2, 2}, Qt::red},
                                              {{37, 2}, Qt::green},
                                              {{2, 27}, Qt::blue},
                                              {{37, 27}, Qt::white},
                                              {{0, 0}, Qt::red}};
    for (const auto& probe : probes)
        QVERIFY2(Near(bitmap.pixel(probe.first), probe.second, tolerance),
                 qPrintable(Describe(bitmap.pixel(probe.first))));
}

void TestBitmapLoader::onePixelPicture()
{
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(QColor(10, 20, 30));
    WriteBytes(Path(QStringLiteral("one.png")), Encode(pixel, "png"));
    QImage bitmap;
    QVERIFY(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("one.png"))));
    QCOMPARE(bitmap.size(), QSize(1, 1));
    QCOMPARE(bitmap.pixel(0, 0), qRgb(10, 20, 30));
}

void TestBitmapLoader::contentDecidesOverExtension()
{
    WriteBytes(Path(QStringLiteral("really-a-png.jpg")), Encode(Quadrants(), "png"));
    QImage bitmap;
    QVERIFY2(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("really-a-png.jpg"))),
             qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.pixel(37, 2), qRgb(0, 255, 0));
}

void TestBitmapLoader::exifOrientationApplied_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("redAt");
    QTest::addColumn<QPoint>("blueAt");
    // The picture is 32 x 16, red on its left half and blue on its right half.
    QTest::newRow("1 as stored") << 1 << QSize(32, 16) << QPoint(4, 8) << QPoint(28, 8);
    QTest::newRow("3 turned half round") << 3 << QSize(32, 16) << QPoint(28, 8) << QPoint(4, 8);
    QTest::newRow("6 turned clockwise") << 6 << QSize(16, 32) << QPoint(8, 4) << QPoint(8, 28);
    QTest::newRow("8 turned anticlockwise") << 8 << QSize(16, 32) << QPoint(8, 28) << QPoint(8, 4);
}

void TestBitmapLoader::exifOrientationApplied()
{
    QFETCH(int, orientation);
    QFETCH(QSize, size);
    QFETCH(QPoint, redAt);
    QFETCH(QPoint, blueAt);
    QImage picture(32, 16, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QPainter(&picture).fillRect(0, 0, 16, 16, Qt::red);
    const QString file = Path(QStringLiteral("exif%1.jpg").arg(orientation));
    WriteBytes(file, WithExifOrientation(Encode(picture, "jpg", 100), orientation));

    QImage bitmap;
    QVERIFY2(FLoader.LoadBitmap(bitmap, file), qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.size(), size);
    QVERIFY2(Near(bitmap.pixel(redAt), Qt::red, 40), qPrintable(Describe(bitmap.pixel(redAt))));
    QVERIFY2(Near(bitmap.pixel(blueAt), Qt::blue, 40), qPrintable(Describe(bitmap.pixel(blueAt))));
}

void TestBitmapLoader::transparencyOverWhite()
{
    QImage picture(3, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0, 0, 0, 0));       // fully transparent black
    picture.setPixel(1, 0, qRgba(255, 0, 0, 128));   // half-transparent red
    picture.setPixel(2, 0, qRgba(0, 128, 255, 255)); // opaque
    WriteBytes(Path(QStringLiteral("alpha.png")), Encode(picture, "png"));
    QImage bitmap;
    QVERIFY(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("alpha.png"))));
    QCOMPARE(bitmap.format(), QImage::Format_RGB32);
    QCOMPARE(bitmap.pixel(0, 0), qRgb(255, 255, 255));
    QVERIFY2(Near(bitmap.pixel(1, 0), QColor(255, 127, 127), 1), qPrintable(Describe(bitmap.pixel(1, 0))));
    QCOMPARE(bitmap.pixel(2, 0), qRgb(0, 128, 255));
}

void TestBitmapLoader::gifTransparencyOverWhite()
{
    const QList<QColor> palette{Qt::black, Qt::red, Qt::green, Qt::blue};
    WriteBytes(Path(QStringLiteral("t.gif")), MakeGif(2, 1, palette, {{0, 1}}, 0));
    QImage bitmap;
    QVERIFY2(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("t.gif"))), qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.size(), QSize(2, 1));
    QCOMPARE(bitmap.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(bitmap.pixel(1, 0), qRgb(255, 0, 0));
}

void TestBitmapLoader::firstFrameOfAnimation()
{
    const QList<QColor> palette{Qt::black, Qt::red, Qt::green, Qt::blue};
    const QByteArray gif = MakeGif(4, 3, palette, {QList<int>(12, 1), QList<int>(12, 3)});
    WriteBytes(Path(QStringLiteral("anim.gif")), gif);
    QImageReader check(Path(QStringLiteral("anim.gif")));
    QVERIFY(check.supportsAnimation());
    QCOMPARE(check.imageCount(), 2);

    QImage bitmap;
    QVERIFY2(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("anim.gif"))), qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.size(), QSize(4, 3));
    QCOMPARE(bitmap.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(bitmap.pixel(3, 2), qRgb(255, 0, 0));
}

void TestBitmapLoader::largestImageOfIcon()
{
    QImage small(16, 16, QImage::Format_ARGB32);
    small.fill(Qt::red);
    QImage large(48, 48, QImage::Format_ARGB32);
    large.fill(Qt::blue);
    WriteBytes(Path(QStringLiteral("two.ico")), MergeIcons(Encode(small, "ico"), Encode(large, "ico")));
    QImageReader check(Path(QStringLiteral("two.ico")));
    QCOMPARE(check.imageCount(), 2);

    QImage bitmap;
    QVERIFY2(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("two.ico"))), qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.size(), QSize(48, 48));
    QCOMPARE(bitmap.pixel(10, 10), qRgb(0, 0, 255));
}

void TestBitmapLoader::svgAtNaturalSizeOverWhite()
{
    WriteBytes(Path(QStringLiteral("p.svg")),
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"30\">"
               "<rect x=\"0\" y=\"0\" width=\"20\" height=\"15\" fill=\"#ff0000\"/></svg>");
    QImage bitmap;
    QVERIFY2(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("p.svg"))), qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.size(), QSize(40, 30));
    QCOMPARE(bitmap.pixel(5, 5), qRgb(255, 0, 0));
    QCOMPARE(bitmap.pixel(30, 25), qRgb(255, 255, 255));
}

void TestBitmapLoader::resultIsOpaque_data()
{
    QTest::addColumn<int>("sourceFormat");
    QTest::newRow("grayscale") << int(QImage::Format_Grayscale8);
    QTest::newRow("16 bits a channel") << int(QImage::Format_RGBA64);
    QTest::newRow("indexed") << int(QImage::Format_Indexed8);
    QTest::newRow("mono") << int(QImage::Format_Mono);
}

void TestBitmapLoader::resultIsOpaque()
{
    QFETCH(int, sourceFormat);
    QImage source(8, 8, QImage::Format_RGB32);
    source.fill(Qt::white);
    QPainter(&source).fillRect(0, 0, 4, 8, Qt::black);
    source = source.convertToFormat(QImage::Format(sourceFormat));
    WriteBytes(Path(QStringLiteral("f.png")), Encode(source, "png"));
    QImage bitmap;
    QVERIFY(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("f.png"))));
    QCOMPARE(bitmap.format(), QImage::Format_RGB32);
    QCOMPARE(bitmap.pixel(1, 1), qRgb(0, 0, 0));
    QCOMPARE(bitmap.pixel(6, 6), qRgb(255, 255, 255));
}

void TestBitmapLoader::callerFormatRgb888Kept()
{
    WriteBytes(Path(QStringLiteral("q.png")), Encode(Quadrants(), "png"));
    QImage bitmap(105, 105, QImage::Format_RGB888);
    QVERIFY(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("q.png"))));
    QCOMPARE(bitmap.format(), QImage::Format_RGB888);
    QCOMPARE(bitmap.pixel(2, 27), qRgb(0, 0, 255));
}

void TestBitmapLoader::missingFileIsFailureNotPlaceholder()
{
    QImage bitmap = Quadrants();
    const QImage before = bitmap;
    const QString missing = Path(QStringLiteral("no such picture.png"));
    QVERIFY(!FLoader.LoadBitmap(bitmap, missing));
    QCOMPARE(bitmap, before);
    QVERIFY2(FLoader.LastError().contains(missing), qPrintable(FLoader.LastError()));
    QVERIFY2(FLoader.LastError().contains(QStringLiteral("does not exist")), qPrintable(FLoader.LastError()));

    QVERIFY(!FLoader.LoadBitmap(bitmap, QString()));
    QCOMPARE(bitmap, before);
}

void TestBitmapLoader::undecodableFileIsFailure()
{
    const QString file = Path(QStringLiteral("broken.png"));
    WriteBytes(file, "this is not a picture at all");
    QImage bitmap = Quadrants();
    const QImage before = bitmap;
    QVERIFY(!FLoader.LoadBitmap(bitmap, file));
    QCOMPARE(bitmap, before);
    QVERIFY2(FLoader.LastError().startsWith(QStringLiteral("Cannot load \"") + file + QStringLiteral("\": ")),
             qPrintable(FLoader.LastError()));

    // A real PNG cut short is no picture either.
    const QByteArray png = Encode(Quadrants(400, 300), "png");
    WriteBytes(file, png.left(40));
    QVERIFY(!FLoader.LoadBitmap(bitmap, file));
    QCOMPARE(bitmap, before);
    QVERIFY(!FLoader.LastError().isEmpty());
}

void TestBitmapLoader::folderIsFailure()
{
    QImage bitmap = Quadrants();
    QVERIFY(!FLoader.LoadBitmap(bitmap, FDir.path()));
    QCOMPARE(bitmap.size(), QSize(40, 30));
    QVERIFY(FLoader.LastError().contains(FDir.path()));
}

void TestBitmapLoader::fileNameWithQuotationMarkLoads()
{
    const QString file = Path(QStringLiteral("say \"cheese\" <1>.png"));
    WriteBytes(file, Encode(Quadrants(), "png"));
    QImage bitmap;
    QVERIFY2(FLoader.LoadBitmap(bitmap, file), qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.size(), QSize(40, 30));
}

void TestBitmapLoader::successClearsLastError()
{
    QImage bitmap;
    QVERIFY(!FLoader.LoadBitmap(bitmap, Path(QStringLiteral("missing.png"))));
    QVERIFY(!FLoader.LastError().isEmpty());
    WriteBytes(Path(QStringLiteral("ok.png")), Encode(Quadrants(), "png"));
    QVERIFY(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("ok.png"))));
    QVERIFY(FLoader.LastError().isEmpty());
}

void TestBitmapLoader::largePictureLoads()
{
    QImage picture(10000, 10000, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(9999, 9999, qRgb(0, 0, 255));
    const QString file = Path(QStringLiteral("large.png"));
    {
        QImageWriter writer(file, "png");
        writer.setCompression(1);
        QVERIFY2(writer.write(picture), qPrintable(writer.errorString()));
    }
    picture = QImage();
    QImage bitmap;
    QVERIFY2(FLoader.LoadBitmap(bitmap, file), qPrintable(FLoader.LastError()));
    QCOMPARE(bitmap.size(), QSize(10000, 10000));
    QCOMPARE(bitmap.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(bitmap.pixel(9999, 9999), qRgb(0, 0, 255));
    QCOMPARE(bitmap.pixel(5000, 5000), qRgb(255, 255, 255));
}

void TestBitmapLoader::pictureBeyondLimitFailsClearly()
{
    WriteBytes(Path(QStringLiteral("2000.png")), Encode(Quadrants(2000, 2000), "png"));
    const int previous = TFormBitmapLoader::SetAllocationLimit(8);
    QImage bitmap = Quadrants();
    const bool loaded = FLoader.LoadBitmap(bitmap, Path(QStringLiteral("2000.png")));
    TFormBitmapLoader::SetAllocationLimit(previous);
    QVERIFY(!loaded);
    QCOMPARE(bitmap.size(), QSize(40, 30));
    QVERIFY2(FLoader.LastError().contains(QStringLiteral("2000 x 2000")), qPrintable(FLoader.LastError()));
    QVERIFY2(FLoader.LastError().contains(Path(QStringLiteral("2000.png"))), qPrintable(FLoader.LastError()));

    QVERIFY(FLoader.LoadBitmap(bitmap, Path(QStringLiteral("2000.png"))));
    QCOMPARE(bitmap.size(), QSize(2000, 2000));
}

void TestBitmapLoader::headerClaimingHugeSizeFailsClearly()
{
    const QString file = Path(QStringLiteral("huge.png"));
    WriteBytes(file, PngHeaderOnly(40000, 40000));
    QCOMPARE(QImageReader(file).size(), QSize(40000, 40000));
    QImage bitmap = Quadrants();
    QVERIFY(!FLoader.LoadBitmap(bitmap, file));
    QCOMPARE(bitmap.size(), QSize(40, 30));
    QVERIFY2(FLoader.LastError().contains(QStringLiteral("40000 x 40000")), qPrintable(FLoader.LastError()));
}

QTEST_MAIN(TestBitmapLoader)
#include "tst_bitmaploader.moc"
