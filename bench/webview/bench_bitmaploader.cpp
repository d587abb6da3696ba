// TFormBitmapLoader::LoadBitmap against a bare QImageReader::read of the same 4000 x 3000
// JPEG and PNG files: the loader's own work (checks, orientation, making the picture opaque)
// should cost next to nothing.
#include "UnitBitmapLoader.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
QTemporaryDir* Folder = nullptr;

// A picture with gradients and shapes, so that neither format compresses it to nothing.
QImage TestPicture(bool withAlpha)
{
    QImage image(4000, 3000, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QLinearGradient gradient(0, 0, 4000, 3000);
    gradient.setColorAt(0, QColor(200, 40, 30, withAlpha ? 160 : 255));
    gradient.setColorAt(1, QColor(20, 90, 220, 255));
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(image.rect(), gradient);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 300; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 200, 230));
        painter.drawEllipse(QPoint((i * 613) % 4000, (i * 419) % 3000), 40 + i % 90, 30 + i % 70);
    }
    return image;
}

QString PicturePath(const char* name)
{
    return Folder->filePath(QString::fromLatin1(name));
}

void WritePictures()
{
    const QImage opaque = TestPicture(false);
    QImageWriter(PicturePath("photo.jpg"), "jpg").write(opaque);
    QImageWriter(PicturePath("drawing.png"), "png").write(opaque);
    QImageWriter(PicturePath("alpha.png"), "png").write(TestPicture(true));
}

void BareReader(benchmark::State& state, const char* name)
{
    const QString path = PicturePath(name);
    for (auto _ : state) {
        QImageReader reader(path);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
        if (image.isNull())
            state.SkipWithError("cannot read");
    }
}

void Loader(benchmark::State& state, const char* name)
{
    const QString path = PicturePath(name);
    TFormBitmapLoader loader;
    QImage bitmap;
    for (auto _ : state) {
        if (!loader.LoadBitmap(bitmap, path))
            state.SkipWithError("cannot load");
        benchmark::DoNotOptimize(bitmap.constBits());
    }
}
} // namespace

BENCHMARK_CAPTURE(BareReader, jpeg_4000x3000, "photo.jpg")->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(Loader, jpeg_4000x3000, "photo.jpg")->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BareReader, png_4000x3000, "drawing.png")->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(Loader, png_4000x3000, "drawing.png")->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(BareReader, png_alpha_4000x3000, "alpha.png")->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(Loader, png_alpha_4000x3000, "alpha.png")->Unit(benchmark::kMillisecond)->MinTime(2);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    Folder = &folder;
    WritePictures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
