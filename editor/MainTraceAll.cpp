// Trace All Regions: every area of similar colour in the picture becomes a polygon region, as one
// step, once the user has seen the outlines found.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapDocument.h"
#include "SceneTools.h"
#include "TUIPolygon.h"
#include "TraceAllDialog.h"
#include "TraceTool.h"
#include "UPTFrame.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>

void TFormCorvantaZonequilter::MITraceAllClick()
{
    const QImage picture = FDocument->Picture();
    const TTraceStatus refused = picture.isNull() ? TTraceStatus::NoPicture
                                 : qint64(picture.width()) * picture.height() > TPictureTracer::MaxPixels
                                     ? TTraceStatus::PictureTooLarge
                                     : TTraceStatus::Traced;
    if (refused != TTraceStatus::Traced) {
        const QString reason = TraceStatusText(refused, picture.size());
        StatusPanel0->setText(reason);
        QMessageBox::warning(this, EditorText(QStringLiteral("Trace All Regions")), reason);
        return;
    }
    FTools->CancelDrag();
    TTraceAllDialog dialog(this, picture, TBTraceOptions->Options());
    if (!dialog.Trace()) {
        StatusPanel0->setText(TraceStatusText(TTraceStatus::Cancelled, picture.size()));
        return;
    }
    if (dialog.exec() != QDialog::Accepted || dialog.Areas().isEmpty())
        return;
    // The choice made in the dialog is the tool's from now on.
    TBTraceOptions->KeepEnclosedOut->setChecked(dialog.Options().KeepEnclosedOut);

    // Made on the scene directly and recorded as one replacement, as an import's regions are: a
    // map of hundreds of areas is one step, undone at once.
    const TDocumentSnapshot before = FDocument->Snapshot();
    ClearActiveControl();
    for (const TTracedArea& area : dialog.Areas()) {
        QVector<TPoint> points;
        points.reserve(area.Polygon.size());
        for (const QPoint& p : area.Polygon)
            points.append(TPoint{p.x(), p.y()});
        auto* polygon = new TUIPolygon(PanelScene);
        polygon->SetPoints(points);
    }
    FDocument->RecordReplacement(before, EditorText(QStringLiteral("Trace All Regions")));
    StatusPanel0->setText(EditorText(QStringLiteral("%1 regions traced")).arg(dialog.Areas().size()));
}
