#pragma once

#include "MapArea.h"
#include "MapDocument.h"

#include <QImage>
#include <QPair>
#include <QUndoCommand>
#include <QVector>

class TGUIRegion;
class TMapDocument;

// Every undoable step of a document. Each holds the values it needs and reaches the regions through
// the document by stacking position (0 is the bottom) when it runs, so no step depends on a region
// object that an earlier undo may have destroyed, nor on the window. Each puts back the selection it
// found.

// A new region of Area's kind, geometry and texts on top of the others, selected.
class TCreateRegionCommand : public QUndoCommand
{
public:
    TCreateRegionCommand(TMapDocument& Document, const MapArea& Area);
    // A region a tool has just put on the scene: the first redo only selects it.
    TCreateRegionCommand(TMapDocument& Document, const TGUIRegion& Created);
    // The same for the region already at stacking position Placed.
    TCreateRegionCommand(TMapDocument& Document, int Placed);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    MapArea FArea;
    int FPosition;
    int FSelectedBefore;
    bool FCreated = false;
};

// Deletes the region at a position; undo puts it back there, selected.
class TDeleteRegionCommand : public QUndoCommand
{
public:
    TDeleteRegionCommand(TMapDocument& Document, int Position);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    MapArea FArea;
    int FPosition;
    int FSelectedBefore;
};

// A move, a resize or a vertex drag: the region's bounds or vertices before and after. The change
// may have been made already (a handle drag); applying the after-values again changes nothing then.
class TChangeGeometryCommand : public QUndoCommand
{
public:
    TChangeGeometryCommand(TMapDocument& Document, int Position, const MapArea& Before, const MapArea& After,
                           const QString& Text);
    void undo() override;
    void redo() override;

protected:
    TMapDocument& FDocument;
    int FPosition;
    MapArea FBefore;
    MapArea FAfter;
};

// One arrow key's move of a region, made before the step is pushed. The moves of one burst of key
// presses join into a single step.
class TKeyMoveCommand : public TChangeGeometryCommand
{
public:
    TKeyMoveCommand(TMapDocument& Document, int Position, const MapArea& Before, const MapArea& After,
                    quint64 Burst);
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* Other) override;

private:
    quint64 FBurst;
};

// The properties dialog's OK: the link, target, alternate text, other attributes (the title among
// them) and the typed coordinates before and after, one step.
class TChangePropertiesCommand : public QUndoCommand
{
public:
    TChangePropertiesCommand(TMapDocument& Document, int Position, const MapArea& Before,
                             const MapArea& After);
    // Edits of one field (Field not negative) of one region, one after another, join into one step.
    TChangePropertiesCommand(TMapDocument& Document, int Position, const MapArea& Before,
                             const MapArea& After, int Field);
    int id() const override { return FField >= 0 ? 3 : -1; }
    bool mergeWith(const QUndoCommand* Other) override;
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    int FPosition;
    MapArea FBefore;
    MapArea FAfter;
    int FSelectedBefore;
    int FField = -1;
};

// Change Picture: the picture and its file name before and after; the regions stay as they are.
// The new picture is the document's already when the step is pushed.
class TChangePictureCommand : public QUndoCommand
{
public:
    TChangePictureCommand(TMapDocument& Document, QImage BeforePicture, QString BeforeName);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    QImage FBeforePicture;
    QString FBeforeName;
    QImage FAfterPicture;
    QString FAfterName;
};

// Map Properties' OK: the map's name (its name and the picture's usemap as written) and whether paths
// are written relative to the saved file, before and after; the regions stay as they are.
class TChangeMapCommand : public QUndoCommand
{
public:
    TChangeMapCommand(TMapDocument& Document, QString MapName, bool RelativePaths);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    QString FBeforeName;
    QString FAfterName;
    bool FBeforeRelative;
    bool FAfterRelative;
};

// Send to Back or Bring to Front: the region goes from one stacking position to another.
class TRestackCommand : public QUndoCommand
{
public:
    TRestackCommand(TMapDocument& Document, int From, int To, const QString& Text);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    int FFrom;
    int FTo;
    int FSelectedBefore;
};

// New, an import or a recovery: the whole document before and after. The replacement has happened
// when the step is recorded, so its first redo does nothing.
class TReplaceDocumentCommand : public QUndoCommand
{
public:
    TReplaceDocumentCommand(TMapDocument& Document, TDocumentSnapshot Before, TDocumentSnapshot After,
                            const QString& Text);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    TDocumentSnapshot FBefore;
    TDocumentSnapshot FAfter;
    bool FDone = false;
};

// The regions selected when a step of several regions was made, and the one of them with handles:
// what its undo puts back.
struct TRegionSelection
{
    QVector<int> Positions;
    int Focus = -1;

    static TRegionSelection Of(const TMapDocument& Document);
    void Restore(TMapDocument& Document) const;
};

// Moves the regions at Positions by (DX, DY). Key moves of one burst (Burst not 0) join into one step.
class TMoveRegionsCommand : public QUndoCommand
{
public:
    TMoveRegionsCommand(TMapDocument& Document, QVector<int> Positions, int DX, int DY, quint64 Burst = 0);
    int id() const override { return FBurst ? 2 : -1; }
    bool mergeWith(const QUndoCommand* Other) override;
    void undo() override;
    void redo() override;

private:
    void MoveBy(int DX, int DY);
    TMapDocument& FDocument;
    QVector<int> FPositions;
    int FDX;
    int FDY;
    quint64 FBurst;
    TRegionSelection FSelection;
};

// Deletes the regions at Positions; undo puts them back where they were, selected as they were.
class TDeleteRegionsCommand : public QUndoCommand
{
public:
    TDeleteRegionsCommand(TMapDocument& Document, QVector<int> Positions, const QString& Text);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    QVector<int> FPositions; // ascending
    QVector<MapArea> FAreas;
    TRegionSelection FSelection;
};

// Paste and Duplicate: new regions on top of the others (Areas bottom first), selected.
class TInsertRegionsCommand : public QUndoCommand
{
public:
    TInsertRegionsCommand(TMapDocument& Document, QVector<MapArea> Areas, const QString& Text);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    QVector<MapArea> FAreas;
    int FFirst;
    TRegionSelection FSelection;
};

// Restacking one or several regions: each move takes the region at one position to another, in
// order; Selected are the regions' positions afterwards.
class TRestackRegionsCommand : public QUndoCommand
{
public:
    using TMoves = QVector<QPair<int, int>>;
    TRestackRegionsCommand(TMapDocument& Document, TMoves Moves, QVector<int> Selected, const QString& Text);
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    TMoves FMoves;
    QVector<int> FSelected;
    TRegionSelection FSelection;
};

// Properties for several regions: the texts of each before and after (their geometry stays).
class TChangeRegionsTextsCommand : public QUndoCommand
{
public:
    TChangeRegionsTextsCommand(TMapDocument& Document, QVector<int> Positions, QVector<MapArea> Before,
                               QVector<MapArea> After);
    void undo() override;
    void redo() override;

private:
    void Apply(const QVector<MapArea>& Areas);
    TMapDocument& FDocument;
    QVector<int> FPositions;
    QVector<MapArea> FBefore;
    QVector<MapArea> FAfter;
    TRegionSelection FSelection;
};
