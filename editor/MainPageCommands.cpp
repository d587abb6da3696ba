// The main window's commands that work with the page a map came from and
// with the picture alone: Save Into Page and Change Picture.
#include "UnitMain.h"

#include "AtomicFileWrite.h"
#include "EFileCreateError.h"
#include "EditorDialogs.h"
#include "LongTask.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "RegionCommands.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UPTFrame.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QUndoCommand>

bool TFormCorvantaZonequilter::MISaveIntoPageClick()
{
    if (!FDocument->PageOrigin().IsValid())
        return false;
    const QString fileName = FDocument->PageOrigin().FileName;
    // A large page is read and rewritten on another thread, the regions read in slices, and the
    // page written in steps; a cancel at any point leaves it untouched.
    TLongTask task(this, QStringLiteral("Saving the image map..."));
    struct TRead
    {
        QByteArray Bytes;
        QString Error;
    };
    const std::optional<TRead> read = task.Run<TRead>(
        [fileName] {
            QFile page(fileName);
            if (!page.open(QIODevice::ReadOnly))
                return TRead{{}, page.errorString()};
            return TRead{page.readAll(), {}};
        },
        0);
    if (!read)
        return false;
    if (!read->Error.isNull()) {
        ShowError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, read->Error));
        return false;
    }
    std::optional<QVector<MapArea>> areas = GatherMapAreas(
        *PanelScene, [&](qint64 Done, qint64 Total) { return task.Step(Done, Total, 10, 40); });
    if (!areas)
        return false;
    struct TRewrite
    {
        bool Ok = false;
        PageRewrite Written;
        QString Reason;
    };
    // A picture changed since the page last had the map goes into the page's images too.
    const PageMapOrigin origin = FDocument->PageOrigin();
    const QString picture = FDocument->ImageFileName();
    const QString pictureSrc =
        picture != origin.PictureFile && !picture.isEmpty() ? PictureSourceFor(fileName, picture) : QString();
    const std::optional<TRewrite> rewrite = task.Run<TRewrite>(
        [bytes = read->Bytes, origin, map = FDocument->MapName(), areas = *areas, pictureSrc] {
            TRewrite result;
            result.Ok =
                RewritePageMap(bytes, origin, map, areas, &result.Written, &result.Reason, pictureSrc);
            return result;
        },
        40);
    if (!rewrite)
        return false;
    if (!rewrite->Ok) {
        // Nothing was written: the map can still go into a file of its own.
        if (AskYesNo(rewrite->Reason + QStringLiteral("\n\n") +
                     EditorText(QStringLiteral("Save the image map in another file?"))))
            return MISaveAsClick();
        return false;
    }
    const PageRewrite& written = rewrite->Written;
    if (written.Bytes != read->Bytes) {
        QString reason;
        switch (WriteBytesInSteps(task, fileName, written.Bytes, &reason, 50)) {
        case TWriteResult::Written:
            break;
        case TWriteResult::Failed:
            ShowError(EFileCreateError::MakeMessage(fileName, reason));
            return false;
        case TWriteResult::Cancelled:
            return false;
        }
    }

    // The page now holds this map: the next save compares with what was just written.
    // Regions are gathered front-most first, the order they were written in.
    const QList<TGUIRegion*> regions = PanelScene->Regions();
    for (int i = 0; i < regions.size(); ++i)
        regions[i]->SourceArea = written.AreaPositions.value(regions.size() - 1 - i, -1);
    PageMapOrigin updated = origin;
    updated.MapName = FDocument->MapName();
    updated.SourceAreaCount = written.AreaCount;
    updated.MapDigest = written.MapDigest;
    updated.MapOffset = written.MapOffset;
    updated.MapLength = written.MapLength;
    if (!pictureSrc.isNull())
        updated.ImageSrc = pictureSrc;
    updated.PictureFile = picture;
    for (int i = 0; i < areas->size(); ++i)
        (*areas)[i].SourceArea = written.AreaPositions.value(i, -1);
    updated.Areas = std::move(*areas);
    FDocument->SetPageOrigin(std::move(updated));
    // The document is on disk when its file is the page, or when it has no file besides the page.
    const QString documentFile = FDocument->FileName();
    if (documentFile.isEmpty() || QFileInfo(fileName) == QFileInfo(documentFile)) {
        if (documentFile.isEmpty())
            FDocument->SetFileName(fileName, fileName);
        FDocument->MarkSaved();
        AddRecentFile(fileName);
        FormActivate();
    }
    return true;
}

void TFormCorvantaZonequilter::MIChangePictureClick()
{
    if (!ExecuteOpenDialog(FDocument->ImageFileName(), PictureFileFilter(), QString()))
        return;
    const QImage beforePicture = FDocument->Picture();
    const QString beforeName = FDocument->ImageFileName();
    QString reason;
    if (!LoadImage(SharedOpenDialog()->FileName(), &reason)) {
        ShowError(reason);
        return;
    }
    FDocument->Push(new TChangePictureCommand(*FDocument, beforePicture, beforeName));
}

void TFormCorvantaZonequilter::ConnectPageCommands()
{
    connect(MISaveIntoPage, &QAction::triggered, this, &TFormCorvantaZonequilter::MISaveIntoPageClick);
    connect(MIChangePicture, &QAction::triggered, this, &TFormCorvantaZonequilter::MIChangePictureClick);
    // Only a document imported from a page can go back into it.
    MISaveIntoPage->setEnabled(false);
    connect(MIFile, &QMenu::aboutToShow, this, [this] { MISaveIntoPage->setEnabled(FDocument->PageOrigin().IsValid()); });
}
