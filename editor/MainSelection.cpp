// Several regions selected at once: adding and taking away with Shift or Ctrl, the rubber band, moving,
// deleting, restacking and the properties of the selection.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "RegionCommands.h"
#include "TGUIRegion.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "UPTFrame.h"
#include "UnitProperties.h"

#include <QAction>
#include <QGraphicsItem>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <iterator>

// Marks the selected regions other than the one with handles: a dashed frame in the highlight colour
// around each. It takes no mouse button, so presses reach the scene as before.
class TSelectionMarks : public QGraphicsItem
{
public:
    TSelectionMarks(TMapDocument& Document, const QColor& Colour) : FDocument(Document), FColour(Colour)
    {
        setAcceptedMouseButtons(Qt::NoButton);
        setFlag(QGraphicsItem::ItemUsesExtendedStyleOption);
    }

    // The place the marks may take, and what changed: all of it (Whole), or only the selection, when
    // just the marks that came or went are drawn again.
    void Refresh(const QRectF& Area, bool Whole)
    {
        if (Area != FArea) {
            prepareGeometryChange();
            FArea = Area;
            Whole = true;
        }
        QVector<int> now = FDocument.SelectedCount() > 1 ? FDocument.SelectedPositions() : QVector<int>();
        if (Whole) {
            update();
        } else {
            QVector<int> changed;
            std::set_symmetric_difference(FShown.begin(), FShown.end(), now.begin(), now.end(),
                                          std::back_inserter(changed));
            // Many marks at once: one rectangle around them all.
            const bool joint = changed.size() > 64;
            QRectF around;
            for (int position : changed) {
                const TGUIRegion* region = FDocument.RegionAt(position);
                if (!region)
                    continue;
                const TRect r = NormalizeRect(region->BoundsRect());
                const QRectF frame =
                    QRectF(r.Left, r.Top, RectWidth(r), RectHeight(r)).adjusted(-3, -3, 3, 3);
                if (joint)
                    around = around.united(frame);
                else
                    update(frame);
            }
            if (joint)
                update(around);
        }
        FShown = std::move(now);
    }

    QRectF boundingRect() const override { return FArea; }

    void paint(QPainter* Painter, const QStyleOptionGraphicsItem* Option, QWidget*) override
    {
        if (FDocument.SelectedCount() < 2)
            return;
        // Two one-pixel dashed frames side by side: the painter dashes a one-pixel pen as it draws,
        // while a wider dashed pen is cut into segments first, which made thousands of marks slow.
        QPen pen(FColour, 1);
        pen.setCosmetic(true);
        pen.setDashPattern({8, 4});
        Painter->setPen(pen);
        Painter->setBrush(Qt::NoBrush);
        const QRectF exposed = Option->exposedRect;
        const TGUIRegion* focused = FDocument.Scene().FocusedRegion();
        QVector<QRectF> frames;
        for (int position : FDocument.SelectedPositions()) {
            const TGUIRegion* region = FDocument.RegionAt(position);
            if (!region || region == focused)
                continue;
            const TRect r = NormalizeRect(region->BoundsRect());
            const QRectF frame(r.Left, r.Top, RectWidth(r), RectHeight(r));
            if (frame.intersects(exposed) || exposed.isEmpty())
                frames.append(frame);
        }
        Painter->drawRects(frames);
        // The second, one screen pixel inside the first.
        const double inset = 1 / std::max(Painter->worldTransform().m11(), 0.01);
        for (QRectF& frame : frames)
            frame.adjust(inset, inset, -inset, -inset);
        Painter->drawRects(frames);
    }

private:
    TMapDocument& FDocument;
    QColor FColour;
    QRectF FArea;
    // The positions marked when the marks were last brought up to date.
    QVector<int> FShown;
};

void TFormCorvantaZonequilter::DeleteSelection(const QString& Text)
{
    const QVector<int> positions = FDocument->SelectedPositions();
    if (!positions.isEmpty())
        FDocument->Push(new TDeleteRegionsCommand(*FDocument, positions, Text));
    UpdateRegionCommands();
}

void TFormCorvantaZonequilter::RestackSelection(Restack How)
{
    const QVector<int> selected = FDocument->SelectedPositions();
    const int count = FDocument->RegionCount();
    if (selected.isEmpty())
        return;
    TRestackRegionsCommand::TMoves moves;
    QVector<int> after;
    const int n = int(selected.size());
    switch (How) {
    case Restack::Back:
        // Upwards: a region taken down leaves those above it where they were.
        for (int i = 0; i < n; ++i) {
            if (selected[i] != i)
                moves.append({selected[i], i});
            after.append(i);
        }
        break;
    case Restack::Front: {
        // Nothing moves when they are on top already; otherwise each goes to the top in turn, which
        // takes the ones above it down by one, so that they keep their order.
        const bool onTop = selected.first() == count - n && selected.last() == count - 1;
        for (int i = 0; i < n; ++i) {
            if (!onTop)
                moves.append({selected[i] - i, count - 1});
            after.append(count - n + i);
        }
        break;
    }
    case Restack::Forward: {
        // One place up, past the region above; a run at the top stays.
        int limit = count - 1;
        for (int i = n - 1; i >= 0; --i) {
            const int target = std::min(selected[i] + 1, limit);
            if (target > selected[i])
                moves.append({selected[i], target});
            after.prepend(std::max(target, selected[i]));
            limit = after.first() - 1;
        }
        break;
    }
    case Restack::Backward: {
        int floor = 0;
        for (int i = 0; i < n; ++i) {
            const int target = std::max(selected[i] - 1, floor);
            if (target < selected[i])
                moves.append({selected[i], target});
            after.append(std::min(target, selected[i]));
            floor = after.last() + 1;
        }
        break;
    }
    }
    if (moves.isEmpty())
        return;
    const bool one = n == 1;
    QString text;
    switch (How) {
    case Restack::Back:
        text = one ? QStringLiteral("Send Region to Back") : QStringLiteral("Send Regions to Back");
        break;
    case Restack::Backward:
        text = one ? QStringLiteral("Send Region Backward") : QStringLiteral("Send Regions Backward");
        break;
    case Restack::Forward:
        text = one ? QStringLiteral("Bring Region Forward") : QStringLiteral("Bring Regions Forward");
        break;
    case Restack::Front:
        text = one ? QStringLiteral("Bring Region to Front") : QStringLiteral("Bring Regions to Front");
        break;
    }
    FDocument->Push(new TRestackRegionsCommand(*FDocument, moves, after, EditorText(text)));
}

void TFormCorvantaZonequilter::MenuItemBringForwardClick()
{
    RestackSelection(Restack::Forward);
}

void TFormCorvantaZonequilter::MenuItemSendBackwardClick()
{
    RestackSelection(Restack::Backward);
}

void TFormCorvantaZonequilter::SelectionPropertiesClick()
{
    const QVector<int> positions = FDocument->SelectedPositions();
    QVector<MapArea> before;
    before.reserve(positions.size());
    for (int position : positions)
        if (TGUIRegion* region = FDocument->RegionAt(position))
            before.append(RegionArea(*region));
    if (before.isEmpty())
        return;
    // A field the regions share shows its value; one they differ in shows empty and is changed only
    // when something is typed into it.
    auto shared = [&](auto field) {
        const auto first = field(before.first());
        for (const MapArea& area : before)
            if (field(area) != first)
                return decltype(first)();
        return first;
    };
    const QString href = shared([](const MapArea& a) { return a.HRef; });
    const QString target = shared([](const MapArea& a) { return a.Target; });
    const QString alt = shared([](const MapArea& a) { return a.AltText; });
    const AttributeList attributes = shared([](const MapArea& a) { return a.Attributes; });
    TFormProperties* dialog = PropertiesDialog();
    dialog->HRef = href;
    dialog->Target = target;
    dialog->AltText = alt;
    dialog->Attributes = attributes;
    dialog->Geometry.reset();
    if (!dialog->RunDialog())
        return;
    QVector<MapArea> after = before;
    for (MapArea& area : after) {
        if (dialog->HRef != href)
            area.HRef = dialog->HRef;
        if (dialog->Target != target)
            area.Target = dialog->Target;
        if (dialog->AltText != alt)
            area.AltText = dialog->AltText;
        if (dialog->Attributes != attributes)
            area.Attributes = dialog->Attributes;
    }
    if (after != before)
        FDocument->Push(new TChangeRegionsTextsCommand(*FDocument, positions, before, after));
}

void TFormCorvantaZonequilter::UpdateSelectionMarks(bool Whole)
{
    if (!FSelectionMarks) {
        FSelectionMarks = new TSelectionMarks(*FDocument, palette().color(QPalette::Highlight));
        PanelScene->AddOverlayItem(FSelectionMarks);
    }
    const TRect area = PanelScene->EditableArea();
    FSelectionMarks->Refresh(
        QRectF(area.Left, area.Top, RectWidth(area), RectHeight(area)).adjusted(-2, -2, 2, 2), Whole);
}
