#pragma once

#include "MapArea.h"
#include "SaveIntoPage.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>
#include <functional>

class QUndoCommand;
class QUndoStack;
class TGUIRegion;
class TPTCustomGroup;
class TRegionStore;

// What changed in a document: the parts, and the stacking positions the region parts touched.
struct TDocumentChange
{
    enum Part
    {
        Header = 0x01,     // the picture, a name, the document's file or the page origin
        Inserted = 0x02,   // regions were added
        Removed = 0x04,    // regions were taken away
        Regions = 0x08,    // a region's geometry or texts changed
        Restacked = 0x10,  // a region moved in the stacking order
        Selection = 0x20,  // another region, or none, is selected
    };
    int Parts = 0;
    // The lowest and highest stacking positions the region parts touched; -1 when none is known.
    int First = -1;
    int Last = -1;
    // True for the change of a step taken, undone or redone; false for one made outside the history
    // (a region selected by a click, the file name given on Save).
    bool Step = false;

    bool Has(Part Which) const { return Parts & Which; }
    void Add(int Which, int From = -1, int To = -1);
};
Q_DECLARE_METATYPE(TDocumentChange)

// What a document holds besides its regions: the picture with its file name, the map name, the
// file the document is, the map element's other attributes and the page the map was imported from.
struct TDocumentHeader
{
    QImage Picture;
    QString ImageFileName;
    QString MapName;
    // The file this document was read from or saved in: Save writes there and nowhere else. Empty
    // for a document that no file holds yet (New), which Save asks a name for.
    QString FileName;
    // The file name the caption and the save dialog show. New keeps it, although the new document
    // is no longer that file's.
    QString ShownFileName;
    AttributeList MapAttributes;
    PageMapOrigin PageOrigin;
    // The picture's path and links chosen from files are written relative to the saved file rather
    // than in full.
    bool RelativePaths = false;
};

// A whole document as values: what New and an import replace, and what their undo puts back.
struct TDocumentSnapshot
{
    TDocumentHeader Header;
    QVector<MapArea> Areas; // in stacking order, bottom first
    int Selected = -1;      // stacking position of the selected region, or -1

    /// Step, when given, is called between slices of the areas' comparison.
    bool SameAs(const TDocumentSnapshot& Other,
                const std::function<void(qsizetype Done, qsizetype Total)>& Step = {}) const;
};

// The image map being edited: its header, its regions in a store (the scene, or a plain vector),
// one undo history and the modified state. Commands reach regions through their stacking positions
// and values, never through pointers kept across steps.
class TMapDocument : public QObject
{
    Q_OBJECT

public:
    TMapDocument(TPTCustomGroup& Scene, QObject* Parent = nullptr);
    // A document without a window: its regions live in Store, which outlives it.
    explicit TMapDocument(TRegionStore& Store, QObject* Parent = nullptr);
    ~TMapDocument() override;

    const TDocumentHeader& Header() const { return FHeader; }
    const QImage& Picture() const { return FHeader.Picture; }
    const QString& ImageFileName() const { return FHeader.ImageFileName; }
    const QString& MapName() const { return FHeader.MapName; }
    const QString& FileName() const { return FHeader.FileName; }
    const QString& ShownFileName() const { return FHeader.ShownFileName; }
    const AttributeList& MapAttributes() const { return FHeader.MapAttributes; }
    const PageMapOrigin& PageOrigin() const { return FHeader.PageOrigin; }

    // Each of these changes the header and announces it with HeaderChanged; none is a step.
    void SetHeader(TDocumentHeader Header);
    void SetPicture(const QImage& Picture, const QString& ImageFileName);
    void SetMap(const QString& MapName, const AttributeList& MapAttributes);
    // The document is the file FileName from now on (empty: no file yet), shown under Shown.
    void SetFileName(const QString& FileName, const QString& Shown);
    void SetPageOrigin(PageMapOrigin Origin);
    void SetRelativePaths(bool Relative);
    bool RelativePaths() const { return FHeader.RelativePaths; }

    // The scene of a document made over one (the window's).
    TPTCustomGroup& Scene() const { return *FScene; }
    TRegionStore& Store() const { return FStore; }
    QUndoStack* UndoStack() const { return FUndoStack; }

    // The regions as values, by stacking position (0 is the bottom). Each change is announced
    // with Changed; commands make them, as steps.
    MapArea AreaAt(int Position) const;
    QVector<MapArea> Areas() const;
    void InsertArea(int Position, const MapArea& Area);
    void RemoveArea(int Position);
    // The region at Position takes Area's geometry and texts.
    void ReplaceArea(int Position, const MapArea& Area);
    void MoveArea(int From, int To);

    // The region at a stacking position (0 is the bottom), or null; always null without a scene.
    TGUIRegion* RegionAt(int Position) const;
    // The stacking position of Region, or -1.
    int PositionOf(const TGUIRegion* Region) const;
    int RegionCount() const;
    // The selected region's position, or -1; selecting -1 deselects.
    int SelectedPosition() const;
    void Select(int Position);
    // Several regions selected at once: the focused one (the one with handles, SelectedPosition) and
    // others beside it. Positions ascending; empty when nothing is selected. A change of the focused
    // region by any other means (a click, Select, Tab) leaves only that region selected.
    QVector<int> SelectedPositions() const;
    int SelectedCount() const;
    // Selects the regions at Positions (out-of-range ones are ignored); Focus gets the handles, the
    // topmost of them when it is not among them. An empty list deselects.
    void SelectPositions(const QVector<int>& Positions, int Focus = -1);

    TDocumentSnapshot Snapshot() const;
    // The same for a task that goes on showing progress: Step is told now and then how many of how
    // many regions are read.
    using TReadStep = std::function<void(qsizetype Done, qsizetype Total)>;
    TDocumentSnapshot Snapshot(const TReadStep& Step) const;
    // Makes the snapshot the document: header, regions and selection.
    void Restore(const TDocumentSnapshot& Snapshot);
    /// From how many regions a restore shows a progress dialog (tests make it small).
    static void SetLargeRestore(qsizetype Regions);

    // Runs Command as the next step (its redo runs now).
    void Push(QUndoCommand* Command);
    // Undoes or redoes the last step, as the history's own undo and redo do.
    void Undo();
    void Redo();
    // Records a document replacement that has already happened (New, an import) as one step from
    // Before to the document as it is now; nothing when nothing changed.
    void RecordReplacement(const TDocumentSnapshot& Before, const QString& Text, const TReadStep& Step = {});

    // Modified: some step was taken or undone since the document was last saved (or the history
    // last cleared).
    bool IsModified() const;
    // The document as it is now is the one on disk.
    void MarkSaved();
    // Forgets every step: the document as it is now is unmodified and cannot be undone.
    void ClearHistory();

signals:
    void ModifiedChanged(bool Modified);
    // The picture, a name, the document's file or the page origin changed (Changed tells it too).
    void HeaderChanged();
    // Something changed: once for each step taken, undone or redone, with all it changed, and once
    // for each change made outside the history.
    void Changed(const TDocumentChange& Change);
    // The regions selected beside the focused one changed.
    void SelectionChanged();

private:
    void Connect();
    // Part changed: told at once outside a step, gathered for the step's Changed inside one.
    void Note(int Part, int First = -1, int Last = -1);
    void StepDone();

    TRegionStore& FStore;
    TPTCustomGroup* FScene = nullptr;
    QUndoStack* FUndoStack;
    TDocumentHeader FHeader;
    // The areas of the last snapshot recorded, and the scene's shapes revision and the step count
    // they belong to: a map that has not changed since (New right after an import) is not read
    // region by region again.
    QVector<MapArea> FRecordedAreas;
    quint64 FRecordedShapes = 0;
    quint64 FRecordedSteps = 0;
    bool FRecordedValid = false;
    quint64 FSteps = 0;
    // What the step running now has changed so far; how deep steps run (Push, Undo, Redo).
    TDocumentChange FPending;
    int FRunning = 0;
    // The regions selected beside the focused one; a region that goes leaves a null behind.
    QVector<QPointer<TGUIRegion>> FAlsoSelected;
    bool FSelectingMany = false;
    void DropAlsoSelected();
    // The last SelectedPositions, kept while the selection, the focused position and the shapes are
    // as they were: the marks, the commands and the band each ask for it, at every step.
    mutable QVector<int> FSelectedPositions;
    mutable bool FSelectedPositionsValid = false;
    mutable int FSelectedPositionsFocus = -1;
    mutable quint64 FSelectedPositionsShapes = 0;
};
