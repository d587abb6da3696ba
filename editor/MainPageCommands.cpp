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
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UPTFrame.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QUndoCommand>

namespace {

// Change Picture: the picture and its file name before and after; the regions stay as they are.
class TChangePictureCommand : public QUndoCommand
{
public:
    TChangePictureCommand(TFormCorvantaZonequilter& Window, QImage BeforePicture, QString BeforeName)
        : QUndoCommand(EditorText(QStringLiteral("Change Picture"))), FWindow(Window),
          FBeforePicture(std::move(BeforePicture)), FBeforeName(std::move(BeforeName)),
          FAfterPicture(Window.FBitmap), FAfterName(Window.FImageFileName)
    {
    }

    void undo() override { FWindow.ShowPicture(FBeforePicture, FBeforeName); }
    // The picture is loaded when the step is pushed: its first redo changes nothing.
    void redo() override { FWindow.ShowPicture(FAfterPicture, FAfterName); }

private:
    TFormCorvantaZonequilter& FWindow;
    QImage FBeforePicture;
    QString FBeforeName;
    QImage FAfterPicture;
    QString FAfterName;
};

} // namespace

bool TFormCorvantaZonequilter::MISaveIntoPageClick()
{
    if (!FPageOrigin.IsValid())
        return false;
    const QString fileName = FPageOrigin.FileName;
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
    const std::optional<TRewrite> rewrite = task.Run<TRewrite>(
        [bytes = read->Bytes, origin = FPageOrigin, map = FMapName, areas = *areas] {
            TRewrite result;
            result.Ok = RewritePageMap(bytes, origin, map, areas, &result.Written, &result.Reason);
            return result;
        },
        40);
    if (!rewrite)
        return false;
    if (!rewrite->Ok) {
        ShowError(rewrite->Reason);
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
    FPageOrigin.MapName = FMapName;
    FPageOrigin.SourceAreaCount = written.AreaCount;
    FPageOrigin.MapDigest = written.MapDigest;
    FPageOrigin.MapOffset = written.MapOffset;
    FPageOrigin.MapLength = written.MapLength;
    for (int i = 0; i < areas->size(); ++i)
        (*areas)[i].SourceArea = written.AreaPositions.value(i, -1);
    FPageOrigin.Areas = std::move(*areas);
    // The document is on disk when its file is the page, or when it has no file besides the page.
    const QString documentFile = SharedSaveDialog()->FileName();
    if (documentFile.isEmpty() || QFileInfo(fileName) == QFileInfo(documentFile)) {
        FDocument->MarkSaved();
        AddRecentFile(fileName);
        FormActivate();
    }
    return true;
}

void TFormCorvantaZonequilter::MIChangePictureClick()
{
    if (!ExecuteOpenDialog(FImageFileName, PictureFileFilter(), QString()))
        return;
    const QImage beforePicture = FBitmap;
    const QString beforeName = FImageFileName;
    QString reason;
    if (!LoadImage(SharedOpenDialog()->FileName(), &reason)) {
        ShowError(reason);
        return;
    }
    FDocument->Push(new TChangePictureCommand(*this, beforePicture, beforeName));
}

void TFormCorvantaZonequilter::ConnectPageCommands()
{
    connect(MISaveIntoPage, &QAction::triggered, this, &TFormCorvantaZonequilter::MISaveIntoPageClick);
    connect(MIChangePicture, &QAction::triggered, this, &TFormCorvantaZonequilter::MIChangePictureClick);
    // Only a document imported from a page can go back into it.
    MISaveIntoPage->setEnabled(false);
    connect(MIFile, &QMenu::aboutToShow, this, [this] { MISaveIntoPage->setEnabled(FPageOrigin.IsValid()); });
}
