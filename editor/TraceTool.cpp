#include "TraceTool.h"

#include "EditorDialogs.h"
#include "LongTask.h"
#include "SettingsFile.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSettings>
#include <QSpinBox>
#include <QtMath>

namespace {

const QString traceSection = QStringLiteral("Trace");

QPoint wholePixel(const QPointF& p)
{
    return QPoint(qFloor(p.x()), qFloor(p.y()));
}

} // namespace

TTraceOverlay::TTraceOverlay(QGraphicsItem* parent) : QGraphicsObject(parent)
{
    setObjectName(QStringLiteral("PaintBoxTrace"));
    setCursor(Qt::CrossCursor);
    setAcceptedMouseButtons(Qt::LeftButton);
    setAcceptHoverEvents(true);
    setVisible(false);
}

void TTraceOverlay::SetArea(const QRectF& area)
{
    if (area == FArea)
        return;
    prepareGeometryChange();
    FArea = area;
}

void TTraceOverlay::SetOutline(const QPolygon& outline, const QVector<QPolygon>& enclosed)
{
    if (outline == FOutline && enclosed == FEnclosed)
        return;
    prepareGeometryChange();
    FOutline = outline;
    FEnclosed = enclosed;
    update();
}

QRectF TTraceOverlay::boundingRect() const
{
    // The outline's line is 2 screen pixels wide; a few picture pixels of margin cover any zoom
    // down to a quarter.
    return (FArea | QRectF(FOutline.boundingRect())).adjusted(-8, -8, 8, 8);
}

QPainterPath TTraceOverlay::shape() const
{
    QPainterPath path;
    path.addRect(FArea);
    return path;
}

void TTraceOverlay::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (FOutline.size() < 2)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    // In screen pixels, so the line keeps its width at any zoom.
    const QTransform toScreen = painter->worldTransform();
    painter->resetTransform();
    const QPolygon line = toScreen.map(QPolygonF(FOutline)).toPolygon();
    // A light tint over the area, the areas it keeps out left clear, then the borders inverted,
    // so they show on any colour.
    QPainterPath tinted;
    tinted.setFillRule(Qt::OddEvenFill);
    tinted.addPolygon(QPolygonF(line));
    QVector<QPolygon> enclosed;
    for (const QPolygon& polygon : FEnclosed) {
        enclosed.append(toScreen.map(QPolygonF(polygon)).toPolygon());
        tinted.addPolygon(QPolygonF(enclosed.last()));
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0, 120, 215, 70));
    painter->drawPath(tinted);
    painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter->drawPolygon(line);
    painter->setPen(QPen(Qt::white, 1, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
    for (const QPolygon& polygon : std::as_const(enclosed))
        painter->drawPolygon(polygon);
    painter->restore();
}

void TTraceOverlay::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    const QPoint p = wholePixel(event->scenePos());
    emit MouseDown(event->button(), p.x(), p.y());
}

void TTraceOverlay::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    event->accept();
}

void TTraceOverlay::hoverMoveEvent(QGraphicsSceneHoverEvent* event)
{
    const QPoint p = wholePixel(event->scenePos());
    emit MouseMove(p.x(), p.y());
}

void TTraceOverlay::hoverLeaveEvent(QGraphicsSceneHoverEvent*)
{
    emit MouseLeave();
}

TTraceOptionsBar::TTraceOptionsBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("TBTraceOptions"));
    setWindowTitle(EditorText(QStringLiteral("Trace Options")));
    setFloatable(false);
    setMovable(false);

    ColourTolerance = new QSpinBox(this);
    ColourTolerance->setObjectName(QStringLiteral("TraceColourTolerance"));
    ColourTolerance->setRange(0, 100);
    ColourTolerance->setToolTip(
        EditorText(QStringLiteral("How different a pixel's colour may be and still belong to the area")));
    Smoothness = new QDoubleSpinBox(this);
    Smoothness->setObjectName(QStringLiteral("TraceSmoothness"));
    Smoothness->setRange(0, 50);
    Smoothness->setSingleStep(0.5);
    Smoothness->setDecimals(1);
    Smoothness->setToolTip(
        EditorText(QStringLiteral("How far the polygon may stray from the traced border, in picture pixels")));
    SmallestArea = new QSpinBox(this);
    SmallestArea->setObjectName(QStringLiteral("TraceSmallestArea"));
    SmallestArea->setRange(1, 10'000'000);
    SmallestArea->setToolTip(EditorText(QStringLiteral("Areas of fewer pixels make no region")));

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        l->setContentsMargins(6, 0, 3, 0);
        addWidget(l);
        addWidget(buddy);
    };
    label(EditorText(QStringLiteral("Colour &tolerance:")), ColourTolerance);
    label(EditorText(QStringLiteral("S&moothness:")), Smoothness);
    label(EditorText(QStringLiteral("Smallest &area:")), SmallestArea);
    KeepEnclosedOut = new QCheckBox(EditorText(QStringLiteral("&Keep enclosed areas out")), this);
    KeepEnclosedOut->setObjectName(QStringLiteral("TraceKeepEnclosedOut"));
    KeepEnclosedOut->setToolTip(EditorText(
        QStringLiteral("Areas inside the traced one get regions of their own, in front, which take their points")));
    KeepEnclosedOut->setContentsMargins(6, 0, 0, 0);
    addWidget(KeepEnclosedOut);

    SetOptions(TTraceOptions());
    ReadSettings();
    auto changed = [this] {
        WriteSettings();
        emit OptionsChanged();
    };
    connect(ColourTolerance, &QSpinBox::valueChanged, this, changed);
    connect(Smoothness, &QDoubleSpinBox::valueChanged, this, changed);
    connect(SmallestArea, &QSpinBox::valueChanged, this, changed);
    connect(KeepEnclosedOut, &QCheckBox::toggled, this, changed);
}

TTraceOptions TTraceOptionsBar::Options() const
{
    TTraceOptions options;
    options.ColourTolerance = ColourTolerance->value();
    options.Smoothness = Smoothness->value();
    options.SmallestArea = SmallestArea->value();
    options.KeepEnclosedOut = KeepEnclosedOut->isChecked();
    return options;
}

void TTraceOptionsBar::SetOptions(const TTraceOptions& Options)
{
    ColourTolerance->setValue(Options.ColourTolerance);
    Smoothness->setValue(Options.Smoothness);
    SmallestArea->setValue(Options.SmallestArea);
    KeepEnclosedOut->setChecked(Options.KeepEnclosedOut);
}

void TTraceOptionsBar::ReadSettings()
{
    // A settings file that is no plain file of the user's (a pipe, a link) is neither read nor written.
    if (IsSettingsFileIgnored())
        return;
    QSettings ini(GetSettingsFileName(), QSettings::IniFormat);
    ini.beginGroup(traceSection);
    // Each value that is there and a number takes its place; the spin boxes keep it in range.
    bool ok = false;
    const int tolerance = ini.value(QStringLiteral("ColourTolerance")).toString().toInt(&ok);
    if (ok)
        ColourTolerance->setValue(tolerance);
    const double smoothness = ini.value(QStringLiteral("Smoothness")).toString().toDouble(&ok);
    if (ok && qIsFinite(smoothness))
        Smoothness->setValue(smoothness);
    const int smallest = ini.value(QStringLiteral("SmallestArea")).toString().toInt(&ok);
    if (ok)
        SmallestArea->setValue(smallest);
    const int keepOut = ini.value(QStringLiteral("KeepEnclosedOut")).toString().toInt(&ok);
    if (ok)
        KeepEnclosedOut->setChecked(keepOut != 0);
}

void TTraceOptionsBar::WriteSettings() const
{
    if (IsSettingsFileIgnored())
        return;
    QSettings ini(GetSettingsFileName(), QSettings::IniFormat);
    ini.beginGroup(traceSection);
    ini.setValue(QStringLiteral("ColourTolerance"), QString::number(ColourTolerance->value()));
    ini.setValue(QStringLiteral("Smoothness"), QString::number(Smoothness->value(), 'g', 6));
    ini.setValue(QStringLiteral("SmallestArea"), QString::number(SmallestArea->value()));
    ini.setValue(QStringLiteral("KeepEnclosedOut"), QString::number(KeepEnclosedOut->isChecked() ? 1 : 0));
}

QString TraceStatusText(TTraceStatus Status, QSize Picture)
{
    switch (Status) {
    case TTraceStatus::Traced:
    case TTraceStatus::NotOutlined:
        break;
    case TTraceStatus::OutsidePicture:
        return EditorText(QStringLiteral("Nothing traced: the point is outside the picture"));
    case TTraceStatus::TooSmall:
        return EditorText(QStringLiteral("Nothing traced: the area under the pointer is smaller than the smallest area"));
    case TTraceStatus::PictureTooLarge:
        return EditorText(QStringLiteral("The picture is too large to trace (%1 x %2 pixels)"))
            .arg(Picture.width())
            .arg(Picture.height());
    case TTraceStatus::NoPicture:
        return EditorText(QStringLiteral("Nothing traced: there is no picture"));
    case TTraceStatus::Cancelled:
        return EditorText(QStringLiteral("Tracing cancelled"));
    }
    return QString();
}

bool TTraceState::Prepare(QWidget* Parent, const QImage& Picture)
{
    if (Busy)
        return false;
    if (Tracer->Holds(Picture) || Picture.isNull() ||
        qint64(Picture.width()) * Picture.height() > TPictureTracer::MaxPixels) {
        Tracer->SetPicture(Picture);
        return true;
    }
    Busy = true;
    TLongTask task(Parent, EditorText(QStringLiteral("Preparing the picture for tracing...")));
    const std::shared_ptr<TPictureTracer> tracer = Tracer;
    const bool done = task.Run<bool>(
                              [tracer, Picture] {
                                  tracer->SetPicture(Picture);
                                  return true;
                              },
                              0)
                          .has_value();
    if (!done)
        Tracer = std::make_shared<TPictureTracer>();
    Busy = false;
    return done;
}

TTraceResult TTraceState::TraceClick(QWidget* Parent, const QImage& Picture, QPoint Point,
                                     const TTraceOptions& Options)
{
    TTraceResult cancelled;
    cancelled.Status = TTraceStatus::Cancelled;
    if (!Prepare(Parent, Picture))
        return cancelled;
    Busy = true;
    TLongTask task(Parent, EditorText(QStringLiteral("Tracing areas...")));
    const std::shared_ptr<TPictureTracer> tracer = Tracer;
    std::optional<TTraceResult> result =
        task.Run<TTraceResult>([tracer, Point, Options] { return tracer->TraceAt(Point, Options); }, 0);
    if (!result)
        Tracer = std::make_shared<TPictureTracer>();
    Busy = false;
    return result ? *result : cancelled;
}
