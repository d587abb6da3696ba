#pragma once

#include "MapArea.h"

#include <QVector>
#include <functional>

// Where a document keeps its areas: in stacking order (position 0 at the bottom), as values in and
// out, with at most one of them selected. The scene panel is one; a plain vector is another, so that
// a document and its commands run without a window.
class TRegionStore
{
public:
    virtual ~TRegionStore() = default;

    virtual int AreaCount() const = 0;
    // The area at a position; an empty rectangle for a position that holds none.
    virtual MapArea AreaAt(int Position) const = 0;
    // All areas, bottom first, for the document's snapshots.
    virtual QVector<MapArea> AllAreas() const = 0;
    // The same, telling Step now and then how many of how many are read: a store of a million
    // regions takes a second to read, and the window goes on meanwhile.
    virtual QVector<MapArea> AllAreasStepped(const std::function<void(qsizetype, qsizetype)>& Step) const
    {
        Q_UNUSED(Step);
        return AllAreas();
    }
    // Area goes in at Position (clamped), the others above it moving up one.
    virtual void InsertArea(int Position, const MapArea& Area) = 0;
    // Areas go on top, the first lowest; Step, when given, is told now and then how many are in.
    virtual void AppendAreas(const QVector<MapArea>& Areas, const std::function<void(qsizetype)>& Step = {}) = 0;
    virtual void RemoveArea(int Position) = 0;
    virtual void ClearAreas() = 0;
    // The area at Position takes Area's geometry and texts; its kind stays.
    virtual void ReplaceArea(int Position, const MapArea& Area) = 0;
    // The area at From goes to To, the others keeping their order.
    virtual void MoveArea(int From, int To) = 0;
    // The selected area's position, or -1; selecting -1 (or a position that holds none) deselects.
    virtual int SelectedArea() const = 0;
    virtual void SelectArea(int Position) = 0;
    // Grows at every change of the areas' number, order or geometry.
    virtual quint64 AreasRevision() const = 0;
    // Observer runs whenever the selection changes, by SelectArea or otherwise.
    virtual void ObserveSelection(std::function<void()> Observer) = 0;
};

// The store as a plain vector.
class TAreaVector : public TRegionStore
{
public:
    TAreaVector() = default;
    explicit TAreaVector(QVector<MapArea> Areas) : FAreas(std::move(Areas)) {}

    int AreaCount() const override { return int(FAreas.size()); }
    MapArea AreaAt(int Position) const override;
    QVector<MapArea> AllAreas() const override { return FAreas; }
    void InsertArea(int Position, const MapArea& Area) override;
    void AppendAreas(const QVector<MapArea>& Areas, const std::function<void(qsizetype)>& Step = {}) override;
    void RemoveArea(int Position) override;
    void ClearAreas() override;
    void ReplaceArea(int Position, const MapArea& Area) override;
    void MoveArea(int From, int To) override;
    int SelectedArea() const override { return FSelected; }
    void SelectArea(int Position) override;
    quint64 AreasRevision() const override { return FRevision; }
    void ObserveSelection(std::function<void()> Observer) override { FObserver = std::move(Observer); }

private:
    bool Holds(int Position) const { return Position >= 0 && Position < FAreas.size(); }
    void SetSelected(int Position);

    QVector<MapArea> FAreas;
    int FSelected = -1;
    quint64 FRevision = 0;
    std::function<void()> FObserver;
};
