#include "TraceAllDialog.h"

#include "EditorDialogs.h"
#include "LongTask.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The preview shows the whole picture in at most this much room.
const QSize previewRoom(640, 480);

} // namespace

TTraceAllDialog::TTraceAllDialog(QWidget* Parent, const QImage& Picture, const TTraceOptions& Options)
    : QDialog(Parent), FPicture(Picture), FOptions(Options)
{
    setObjectName(QStringLiteral("TraceAllDialog"));
    setWindowTitle(EditorText(QStringLiteral("Trace All Regions")));

    Mode = new QComboBox(this);
    Mode->addItem(EditorText(QStringLiteral("Areas bounded by lines of these colours")));
    Mode->addItem(EditorText(QStringLiteral("Areas of these colours")));
    LowColour = new QPushButton(this);
    HighColour = new QPushButton(this);
    FindAreas = new QPushButton(EditorText(QStringLiteral("&Find Areas")), this);
    auto* colours = new QHBoxLayout;
    colours->addWidget(LowColour);
    colours->addWidget(new QLabel(EditorText(QStringLiteral("to")), this));
    colours->addWidget(HighColour);
    colours->addStretch();
    colours->addWidget(FindAreas);
    auto* form = new QFormLayout;
    form->addRow(EditorText(QStringLiteral("&Trace:")), Mode);
    form->addRow(EditorText(QStringLiteral("Colours from:")), colours);
    KeepEnclosedOut = new QCheckBox(EditorText(QStringLiteral("&Keep enclosed areas out")), this);
    KeepEnclosedOut->setChecked(FOptions.KeepEnclosedOut);
    form->addRow(QString(), KeepEnclosedOut);

    Preview = new QLabel(this);
    Preview->setAlignment(Qt::AlignCenter);
    Preview->setMinimumSize(200, 150);
    Found = new QLabel(this);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->button(QDialogButtonBox::Ok)->setText(EditorText(QStringLiteral("&Add Regions")));
    Buttons->button(QDialogButtonBox::Cancel)->setText(EditorText(QStringLiteral("Cancel")));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Preview, 1);
    layout->addWidget(Found);
    layout->addWidget(Buttons);

    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(LowColour, &QPushButton::clicked, this, [this] { ChooseColour(&TColourRange::Low); });
    connect(HighColour, &QPushButton::clicked, this, [this] { ChooseColour(&TColourRange::High); });
    connect(Mode, &QComboBox::activated, this, [this](int Index) {
        FRange.RangeIsBorder = Index == 0;
        Trace();
    });
    connect(FindAreas, &QPushButton::clicked, this, [this] { Trace(); });
    connect(KeepEnclosedOut, &QCheckBox::toggled, this, [this](bool On) {
        FOptions.KeepEnclosedOut = On;
        Trace();
    });
    ShowRange();
    ShowAreas();
}

void TTraceAllDialog::SetRange(const TColourRange& Range)
{
    FRange = Range;
    ShowRange();
}

void TTraceAllDialog::ShowRange()
{
    Mode->setCurrentIndex(FRange.RangeIsBorder ? 0 : 1);
    for (QPushButton* button : {LowColour, HighColour}) {
        const QColor colour = button == LowColour ? FRange.Low : FRange.High;
        QPixmap swatch(24, 12);
        swatch.fill(colour);
        button->setIcon(QIcon(swatch));
        button->setText(colour.name());
    }
}

void TTraceAllDialog::ChooseColour(QColor TColourRange::*Which)
{
    const QColor colour = QColorDialog::getColor(FRange.*Which, this);
    if (!colour.isValid())
        return;
    FRange.*Which = colour;
    ShowRange();
    Trace();
}

bool TTraceAllDialog::Trace()
{
    TLongTask task(isVisible() ? static_cast<QWidget*>(this) : parentWidget(),
                   EditorText(QStringLiteral("Tracing areas...")));
    // The worker owns its copies: a cancelled trace may end after this dialog has gone.
    const QImage picture = FPicture;
    const TColourRange range = FRange;
    const TTraceOptions options = FOptions;
    const std::optional<QVector<TTracedArea>> areas = task.RunMeasured<QVector<TTracedArea>>(
        [picture, range, options](TWorkerProgress& Progress) {
            TPictureTracer tracer(picture);
            QVector<TTracedArea> found;
            tracer.TraceAll(range, options, found, [&Progress](int Percent) {
                Progress.Report(Percent, 100);
                return !Progress.Cancelled.load();
            });
            return found;
        },
        0, 100);
    if (!areas)
        return false;
    FAreas = *areas;
    ShowAreas();
    return true;
}

void TTraceAllDialog::ShowAreas()
{
    if (!FPicture.isNull()) {
        QImage shown = FPicture.size().boundedTo(previewRoom) == FPicture.size()
                           ? FPicture.convertToFormat(QImage::Format_RGB32)
                           : FPicture.scaled(previewRoom, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_RGB32);
        QPainter painter(&shown);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(double(shown.width()) / FPicture.width(), double(shown.height()) / FPicture.height());
        painter.setPen(QPen(Qt::red, 0));
        painter.setBrush(QColor(255, 0, 0, 40));
        for (const TTracedArea& area : std::as_const(FAreas))
            painter.drawPolygon(area.Polygon);
        painter.end();
        Preview->setPixmap(QPixmap::fromImage(shown));
    }
    Found->setText(EditorText(QStringLiteral("%1 areas found")).arg(FAreas.size()));
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(!FAreas.isEmpty());
}
