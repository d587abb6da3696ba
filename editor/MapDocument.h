#pragma once

#include "MapArea.h"
#include "SaveIntoPage.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QVector>

class QUndoCommand;
class QUndoStack;
class TGUIRegion;
class TPTCustomGroup;

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

    bool SameAs(const TDocumentSnapshot& Other) const;
};

// The image map being edited: its header, the regions of a scene, one undo history and the
// modified state. Commands reach regions through their stacking positions, never through pointers
// kept across steps.
class TMapDocument : public QObject
{
    Q_OBJECT

public:
    TMapDocument(TPTCustomGroup& Scene, QObject* Parent = nullptr);
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

    TPTCustomGroup& Scene() const { return FScene; }
    QUndoStack* UndoStack() const { return FUndoStack; }

    // The region at a stacking position (0 is the bottom), or null.
    TGUIRegion* RegionAt(int Position) const;
    // The stacking position of Region, or -1.
    int PositionOf(const TGUIRegion* Region) const;
    int RegionCount() const;
    // The selected region's position, or -1; selecting -1 deselects.
    int SelectedPosition() const;
    void Select(int Position);

    TDocumentSnapshot Snapshot() const;
    // Makes the snapshot the document: header, regions and selection.
    void Restore(const TDocumentSnapshot& Snapshot);
    /// From how many regions a restore shows a progress dialog (tests make it small).
    static void SetLargeRestore(qsizetype Regions);

    // Runs Command as the next step (its redo runs now).
    void Push(QUndoCommand* Command);
    // Records a document replacement that has already happened (New, an import) as one step from
    // Before to the document as it is now; nothing when nothing changed.
    void RecordReplacement(const TDocumentSnapshot& Before, const QString& Text);

    // Modified: some step was taken or undone since the document was last saved (or the history
    // last cleared).
    bool IsModified() const;
    // The document as it is now is the one on disk.
    void MarkSaved();
    // Forgets every step: the document as it is now is unmodified and cannot be undone.
    void ClearHistory();

signals:
    void ModifiedChanged(bool Modified);
    // The picture, a name, the document's file or the page origin changed.
    void HeaderChanged();
    // A step was taken, undone or redone.
    void Changed();

private:
    TPTCustomGroup& FScene;
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
};
