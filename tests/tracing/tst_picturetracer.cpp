// The tracing library over pictures drawn here with known geometry: a click's polygon against the
// shape it came from, Trace All over a map of cells bounded by lines, and the inputs that make nothing.
#include "PictureTracer.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>
#include <QtMath>

namespace {

const QColor background(250, 240, 200);
const QColor fill(30, 80, 200);
const QSize pictureSize(400, 300);

QPainterPath shapePath(const QString& Shape)
{
    QPainterPath path;
    if (Shape == QLatin1String("rectangle")) {
        path.addRect(60, 50, 230, 170);
    } else if (Shape == QLatin1String("circle")) {
        path.addEllipse(QPointF(200.3, 150.6), 110, 110);
    } else {
        // A five-pointed star: concave between its points.
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double angle = -M_PI / 2 + i * M_PI / 5;
            const double radius = i % 2 == 0 ? 135 : 62;
            star << QPointF(200 + radius * qCos(angle), 155 + radius * qSin(angle));
        }
        path.addPolygon(star);
        path.closeSubpath();
    }
    return path;
}

// The picture as it comes back from a file of Format, so JPEG's losses are in it.
QImage throughFile(const QImage& Picture, const char* Format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!Picture.save(&buffer, Format, qstrcmp(Format, "JPEG") == 0 ? 75 : -1))
        return {};
    return QImage::fromData(bytes, Format);
}

QPainterPath polygonPath(const QPolygon& Polygon)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(Polygon));
    path.closeSubpath();
    return path;
}

// Cells of a Columns x Rows grid with corners moved about, each filled in its own pale colour and
// bounded by 2-pixel black lines; the true cells in reading order.
QImage mapPicture(QSize Size, int Columns, int Rows, QVector<QPolygonF>* Cells)
{
    QVector<QPointF> corners;
    for (int r = 0; r <= Rows; ++r)
        for (int c = 0; c <= Columns; ++c) {
            double x = double(c) * (Size.width() - 1) / Columns, y = double(r) * (Size.height() - 1) / Rows;
            if (c > 0 && c < Columns)
                x += ((c * 7 + r * 13) % 11 - 5) * 1.5;
            if (r > 0 && r < Rows)
                y += ((c * 5 + r * 3) % 9 - 4) * 1.5;
            corners << QPointF(x, y);
        }
    QImage image(Size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) {
            const int i = r * (Columns + 1) + c;
            QPolygonF cell{corners[i], corners[i + 1], corners[i + Columns + 2], corners[i + Columns + 1]};
            painter.setPen(QPen(Qt::black, 2));
            painter.setBrush(QColor::fromHsv((r * Columns + c) * 37 % 360, 40, 250));
            painter.drawPolygon(cell);
            Cells->append(cell);
        }
    return image;
}

} // namespace

class TestPictureTracer : public QObject
{
    Q_OBJECT

private slots:
    void clickTracesShape_data();
    void clickTracesShape();
    void inputsThatMakeNothing_data();
    void inputsThatMakeNothing();
    void lastAreaIsReusedAndLeftBehind();
    void largeAreaIsTracedWhole_data();
    void largeAreaIsTracedWhole();
    void previewOfAVastArea_data();
    void previewOfAVastArea();
    void previewLeavesOutAWideWebOfLines_data();
    void previewLeavesOutAWideWebOfLines();
    void enclosedAreasKeptOut_data();
    void enclosedAreasKeptOut();
    void traceAllKeepsEnclosedOut_data();
    void traceAllKeepsEnclosedOut();
    void traceAllFindsEveryCell_data();
    void traceAllFindsEveryCell();
    void traceAllStopsWhenCancelled();
};

void TestPictureTracer::clickTracesShape_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<bool>("antialiased");
    QTest::addColumn<QByteArray>("format");
    for (const char* shape : {"rectangle", "circle", "star"})
        for (bool antialiased : {false, true})
            for (const char* format : {"PNG", "JPEG"})
                QTest::addRow("%s %s %s", shape, antialiased ? "smooth" : "hard", format)
                    << QString::fromLatin1(shape) << antialiased << QByteArray(format);
}

void TestPictureTracer::clickTracesShape()
{
    QFETCH(QString, shape);
    QFETCH(bool, antialiased);
    QFETCH(QByteArray, format);
    QImage drawn(pictureSize, QImage::Format_RGB32);
    drawn.fill(background);
    {
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing, antialiased);
        painter.fillPath(shapePath(shape), fill);
    }
    const QImage picture = throughFile(drawn, format.constData());
    QVERIFY(!picture.isNull());

    TPictureTracer tracer(picture);
    const TTraceResult result = tracer.TraceAt(QPoint(200, 160), TTraceOptions());
    QCOMPARE(result.Status, TTraceStatus::Traced);
    const double iou = OutlineIoU(polygonPath(result.Area.Polygon), shapePath(shape));
    QVERIFY2(iou >= 0.98, qPrintable(QStringLiteral("IoU %1 with %2 corners")
                                          .arg(iou)
                                          .arg(result.Area.Polygon.size())));
    // Smoothness 1 keeps a rectangle to its four corners rather than every border pixel.
    if (shape == QLatin1String("rectangle") && format == "PNG")
        QCOMPARE(result.Area.Polygon.size(), 4);
}

void TestPictureTracer::inputsThatMakeNothing_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<TTraceStatus>("status");
    QTest::newRow("left of the picture") << QPoint(-1, 10) << TTraceStatus::OutsidePicture;
    QTest::newRow("below the picture") << QPoint(10, 100) << TTraceStatus::OutsidePicture;
    QTest::newRow("one pixel") << QPoint(50, 50) << TTraceStatus::TooSmall;
    QTest::newRow("one pixel wide line") << QPoint(70, 30) << TTraceStatus::TooSmall;
    QTest::newRow("background") << QPoint(5, 5) << TTraceStatus::Traced;
}

void TestPictureTracer::inputsThatMakeNothing()
{
    QFETCH(QPoint, point);
    QFETCH(TTraceStatus, status);
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixelColor(50, 50, Qt::black);
    for (int y = 20; y < 40; ++y)
        picture.setPixelColor(70, y, Qt::red);
    TPictureTracer tracer(picture);
    TTraceOptions options;
    options.SmallestArea = 1;
    const TTraceResult result = tracer.TraceAt(point, options);
    QCOMPARE(result.Status, status);
    QCOMPARE(result.Area.Polygon.isEmpty(), status != TTraceStatus::Traced);
}

void TestPictureTracer::lastAreaIsReusedAndLeftBehind()
{
    // Two squares of the same colour: the second trace must not be blocked by the first one's
    // marks, and coming back gives the first polygon again.
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(QRect(10, 10, 60, 60), Qt::darkGreen);
    QPainter(&picture).fillRect(QRect(110, 10, 60, 60), Qt::darkGreen);
    TPictureTracer tracer(picture);
    const TTraceOptions options;
    const QPolygon left = tracer.TraceAt(QPoint(20, 20), options).Area.Polygon;
    QCOMPARE(left.boundingRect(), QRect(10, 10, 61, 61)); // corners on the pixel edges 10 and 70
    QVERIFY(tracer.LastAreaHolds(QPoint(60, 60), options));
    QVERIFY(!tracer.LastAreaHolds(QPoint(120, 20), options));
    const QPolygon right = tracer.TraceAt(QPoint(120, 20), options).Area.Polygon;
    QCOMPARE(right.boundingRect(), QRect(110, 10, 61, 61));
    QCOMPARE(tracer.TraceAt(QPoint(30, 30), options).Area.Polygon, left);
    // Another picture forgets the area.
    picture.fill(Qt::white);
    tracer.SetPicture(picture);
    QCOMPARE(tracer.TraceAt(QPoint(30, 30), options).Area.Polygon.boundingRect(), QRect(0, 0, 201, 101));
}

void TestPictureTracer::largeAreaIsTracedWhole_data()
{
    // Shapes that reach far from the point, some leaving its neighbourhood and coming back to it.
    QTest::addColumn<QPainterPath>("shape");
    QTest::addColumn<QPoint>("point");
    // What the polygon covers: a ring has no holes as a polygon, so its outer border is all.
    QTest::addColumn<QPainterPath>("outer");
    QPainterPath wide;
    wide.addRect(20, 900, 2900, 300);
    QTest::newRow("wider than the picture's half") << wide << QPoint(1500, 1000) << wide;
    QPainterPath u;
    u.setFillRule(Qt::WindingFill);
    u.addRect(100, 100, 200, 2000);
    u.addRect(100, 1900, 2600, 200);
    u.addRect(2500, 100, 200, 2000);
    u = u.simplified();
    QTest::newRow("arms joined far away") << u << QPoint(140, 150) << u;
    QPainterPath ring;
    ring.addEllipse(QPointF(1500, 1200), 1100, 1100);
    QPainterPath disc = ring;
    ring.addEllipse(QPointF(1500, 1200), 950, 950);
    QTest::newRow("ring") << ring << QPoint(1500, 150) << disc;
    QPainterPath corner;
    corner.addRect(2990, 2390, 10, 10);
    QTest::newRow("small, at the far corner") << corner << QPoint(2995, 2395) << corner;
}

void TestPictureTracer::largeAreaIsTracedWhole()
{
    QFETCH(QPainterPath, shape);
    QFETCH(QPoint, point);
    QFETCH(QPainterPath, outer);
    QImage picture(3000, 2400, QImage::Format_RGB32);
    picture.fill(background);
    QPainter(&picture).fillPath(shape, fill);
    TPictureTracer tracer(picture);
    for (bool preview : {true, false}) {
        const TTraceResult result = tracer.TraceAt(point, TTraceOptions(), preview);
        QCOMPARE(result.Status, TTraceStatus::Traced);
        const double iou = OutlineIoU(polygonPath(result.Area.Polygon), outer, 1);
        QVERIFY2(iou >= 0.98, qPrintable(QStringLiteral("IoU %1, preview %2").arg(iou).arg(preview)));
    }
}

void TestPictureTracer::previewOfAVastArea_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<TTraceStatus>("preview");
    QTest::newRow("3000 x 3000: outlined") << QSize(3000, 3000) << TTraceStatus::Traced;
    QTest::newRow("4000 x 3100: left for the click") << QSize(4000, 3100) << TTraceStatus::NotOutlined;
}

void TestPictureTracer::previewOfAVastArea()
{
    // A background reaching far beyond the pointer: filling all of a large picture per move would
    // hold the pointer up.
    QFETCH(QSize, size);
    QFETCH(TTraceStatus, preview);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(background);
    QPainter(&picture).fillRect(QRect(100, 100, 200, 200), fill);
    TPictureTracer tracer(picture);
    const QPoint middle(size.width() / 2, size.height() / 2);
    QCOMPARE(tracer.TraceAt(middle, TTraceOptions(), true).Status, preview);
    const TTraceResult clicked = tracer.TraceAt(middle, TTraceOptions());
    QCOMPARE(clicked.Status, TTraceStatus::Traced);
    QCOMPARE(clicked.Area.Polygon.boundingRect(), QRect(QPoint(0, 0), size + QSize(1, 1)));
    QCOMPARE(tracer.TraceAt(QPoint(150, 150), TTraceOptions(), true).Status, TTraceStatus::Traced);
}

void TestPictureTracer::previewLeavesOutAWideWebOfLines_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1200 x 1000") << QSize(1200, 1000);
    QTest::newRow("4000 x 3000") << QSize(4000, 3000);
}

void TestPictureTracer::previewLeavesOutAWideWebOfLines()
{
    QFETCH(QSize, size);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setPen(QPen(Qt::black, 2));
        for (int x = 1; x < size.width(); x += 200)
            painter.drawLine(x, 0, x, size.height() - 1);
        painter.drawLine(0, 500, size.width() - 1, 500);
    }
    TPictureTracer tracer(picture);
    const TTraceOptions options;
    QCOMPARE(tracer.TraceAt(QPoint(1, 300), options, true).Status, TTraceStatus::NotOutlined);
    QCOMPARE(tracer.TraceAt(QPoint(1, 310), options, true).Status, TTraceStatus::NotOutlined);
    // The click on the same lines traces all of them after all; a cell's preview is outlined.
    const TTraceResult clicked = tracer.TraceAt(QPoint(1, 310), options);
    QCOMPARE(clicked.Status, TTraceStatus::Traced);
    QCOMPARE(clicked.Area.Polygon.boundingRect(), QRect(QPoint(0, 0), size + QSize(1, 1)));
    QCOMPARE(tracer.TraceAt(QPoint(100, 100), options, true).Status, TTraceStatus::Traced);
}

namespace {

QPainterPath disc(QPointF Centre, double Radius)
{
    QPainterPath path;
    path.addEllipse(Centre, Radius, Radius);
    return path;
}

// A blue ring round a red disc, the disc touching the ring or with background between them, and
// maybe a second red disc inside.
QImage ringPicture(double Inner, double Disc, bool TwoDiscs, bool Antialiased)
{
    QImage picture(400, 400, QImage::Format_RGB32);
    picture.fill(background);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, Antialiased);
    painter.fillPath(disc(QPointF(200, 200), 150).subtracted(disc(QPointF(200, 200), Inner)), fill);
    if (TwoDiscs) {
        painter.fillPath(disc(QPointF(150, 200), Disc), Qt::red);
        painter.fillPath(disc(QPointF(250, 200), Disc), Qt::red);
    } else {
        painter.fillPath(disc(QPointF(200, 200), Disc), Qt::red);
    }
    return picture;
}

} // namespace

void TestPictureTracer::enclosedAreasKeptOut_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("keepOut");
    // The polygons expected in front of the traced one.
    QTest::addColumn<QVector<QPainterPath>>("enclosed");
    const QPoint onRing(200, 70);
    for (bool smooth : {false, true})
        for (const char* format : {"PNG", "JPEG"}) {
            const QImage touching = throughFile(ringPicture(90, 90, false, smooth), format);
            const QImage apart = throughFile(ringPicture(90, 50, false, smooth), format);
            const char* how = smooth ? "smooth" : "hard";
            QTest::addRow("disc in the ring, %s %s", how, format)
                << touching << onRing << true << QVector<QPainterPath>{disc(QPointF(200, 200), 90)};
            QTest::addRow("disc apart from the ring, %s %s", how, format)
                << apart << onRing << true << QVector<QPainterPath>{disc(QPointF(200, 200), 90)};
            QTest::addRow("not asked, %s %s", how, format) << touching << onRing << false << QVector<QPainterPath>();
        }
    QTest::newRow("the disc itself") << ringPicture(90, 90, false, true) << QPoint(200, 200) << true
                                     << QVector<QPainterPath>();
    QTest::newRow("two discs in a plate")
        << ringPicture(0, 30, true, true) << onRing << true
        << QVector<QPainterPath>{disc(QPointF(150, 200), 30), disc(QPointF(250, 200), 30)};
    QTest::newRow("smaller than the smallest area")
        << ringPicture(0, 1.5, false, false) << onRing << true << QVector<QPainterPath>();
}

void TestPictureTracer::enclosedAreasKeptOut()
{
    QFETCH(QImage, picture);
    QFETCH(QPoint, point);
    QFETCH(bool, keepOut);
    QFETCH(QVector<QPainterPath>, enclosed);
    TPictureTracer tracer(picture);
    TTraceOptions options;
    options.KeepEnclosedOut = keepOut;
    for (bool preview : {true, false}) {
        const TTraceResult result = tracer.TraceAt(point, options, preview);
        QCOMPARE(result.Status, TTraceStatus::Traced);
        // The traced area's own polygon stays its outer border.
        const QPainterPath outer = point == QPoint(200, 200) ? disc(QPointF(200, 200), 90) : disc(QPointF(200, 200), 150);
        QVERIFY(OutlineIoU(polygonPath(result.Area.Polygon), outer) >= 0.98);
        QCOMPARE(result.Enclosed.size(), enclosed.size());
        for (int i = 0; i < enclosed.size(); ++i) {
            const double iou = OutlineIoU(polygonPath(result.Enclosed[i].Polygon), enclosed[i]);
            QVERIFY2(iou >= 0.97, qPrintable(QStringLiteral("enclosed %1: IoU %2").arg(i).arg(iou)));
        }
    }
}

void TestPictureTracer::traceAllKeepsEnclosedOut_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<bool>("rangeIsBorder");
    QTest::addColumn<bool>("keepOut");
    // The areas expected, in stacking order from the bottom.
    QTest::addColumn<QVector<QPainterPath>>("areas");
    const QImage ring = ringPicture(90, 60, false, true);
    const QPainterPath outer = disc(QPointF(200, 200), 150), hole = disc(QPointF(200, 200), 90);
    QTest::newRow("ring of a colour, asked") << ring << false << true << QVector<QPainterPath>{outer, hole};
    QTest::newRow("ring of a colour, not asked") << ring << false << false << QVector<QPainterPath>{outer};
    // A county round a lake, both bounded by lines: the lake is an area found, in front already,
    // and gets no second polygon; nor does the frame round the county.
    QImage lines(400, 400, QImage::Format_RGB32);
    lines.fill(Qt::white);
    {
        QPainter painter(&lines);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(QRectF(50, 50, 300, 300));
        painter.drawEllipse(QPointF(200, 200), 80, 80);
    }
    QPainterPath frame, county;
    frame.addRect(0, 0, 400, 400);
    county.addRect(50, 50, 300, 300);
    const QPainterPath lake = disc(QPointF(200, 200), 80);
    for (bool keepOut : {true, false})
        QTest::addRow("areas bounded by lines, %s", keepOut ? "asked" : "not asked")
            << lines << true << keepOut << QVector<QPainterPath>{frame, county, lake};
}

void TestPictureTracer::traceAllKeepsEnclosedOut()
{
    QFETCH(QImage, picture);
    QFETCH(bool, rangeIsBorder);
    QFETCH(bool, keepOut);
    QFETCH(QVector<QPainterPath>, areas);
    TPictureTracer tracer(picture);
    TColourRange range;
    range.RangeIsBorder = rangeIsBorder;
    if (!rangeIsBorder)
        range.Low = range.High = fill;
    TTraceOptions options;
    options.KeepEnclosedOut = keepOut;
    QVector<TTracedArea> found;
    QCOMPARE(tracer.TraceAll(range, options, found), TTraceStatus::Traced);
    QCOMPARE(found.size(), areas.size());
    for (int i = 0; i < areas.size(); ++i) {
        const double iou = OutlineIoU(polygonPath(found[i].Polygon), areas[i]);
        QVERIFY2(iou >= 0.97, qPrintable(QStringLiteral("area %1: IoU %2").arg(i).arg(iou)));
    }
}

void TestPictureTracer::traceAllFindsEveryCell_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("PNG") << QByteArray("PNG");
    QTest::newRow("JPEG") << QByteArray("JPEG");
}

void TestPictureTracer::traceAllFindsEveryCell()
{
    QFETCH(QByteArray, format);
    QVector<QPolygonF> cells;
    const QImage picture = throughFile(mapPicture(QSize(600, 400), 5, 4, &cells), format.constData());
    TPictureTracer tracer(picture);
    QVector<TTracedArea> areas;
    int lastPercent = -1;
    const TTraceStatus status = tracer.TraceAll(TColourRange(), TTraceOptions(), areas, [&](int percent) {
        lastPercent = percent;
        return true;
    });
    QCOMPARE(status, TTraceStatus::Traced);
    QCOMPARE(lastPercent, 100);
    QCOMPARE(areas.size(), cells.size());
    for (int i = 0; i < cells.size(); ++i) {
        QPainterPath cell;
        cell.addPolygon(cells[i]);
        cell.closeSubpath();
        // Reading order: the first area has the top left cell's middle, and so on.
        const double iou = OutlineIoU(polygonPath(areas[i].Polygon), cell);
        QVERIFY2(iou >= 0.97, qPrintable(QStringLiteral("cell %1: IoU %2").arg(i).arg(iou)));
    }
}

void TestPictureTracer::traceAllStopsWhenCancelled()
{
    QVector<QPolygonF> cells;
    TPictureTracer tracer(mapPicture(QSize(300, 200), 3, 2, &cells));
    QVector<TTracedArea> areas;
    QCOMPARE(tracer.TraceAll(TColourRange(), TTraceOptions(), areas, [](int percent) { return percent < 40; }),
             TTraceStatus::Cancelled);
    QVERIFY(areas.isEmpty());

    // A picture too large to copy is refused at once, before any pixel work.
    QImage huge(20000, 20000, QImage::Format_Mono);
    QVERIFY(!huge.isNull());
    tracer.SetPicture(huge);
    QCOMPARE(tracer.TraceAll(TColourRange(), TTraceOptions(), areas), TTraceStatus::PictureTooLarge);
    QCOMPARE(tracer.TraceAt(QPoint(5, 5), TTraceOptions()).Status, TTraceStatus::PictureTooLarge);
}

QTEST_GUILESS_MAIN(TestPictureTracer)
#include "tst_picturetracer.moc"
