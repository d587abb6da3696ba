#pragma once

#include "MapArea.h"

#include <QImage>
#include <QUndoCommand>

class TGUIRegion;
class TMapDocument;

// The undoable region commands. Each holds the values it needs and finds its region by stacking
// position (0 is the bottom) when it runs, so no step depends on a region object that an earlier
// undo may have destroyed. Each puts back the selection it found.

// A new region of Area's kind, geometry and texts on top of the others, selected.
class TCreateRegionCommand : public QUndoCommand
{
public:
    TCreateRegionCommand(TMapDocument& Document, const MapArea& Area);
    // A region a tool has just put on the scene: the first redo only selects it.
    TCreateRegionCommand(TMapDocument& Document, const TGUIRegion& Created);
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
    void undo() override;
    void redo() override;

private:
    TMapDocument& FDocument;
    int FPosition;
    MapArea FBefore;
    MapArea FAfter;
    int FSelectedBefore;
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
