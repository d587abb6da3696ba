// The main window's commands that work with the page a map came from and
// with the picture alone: Save Into Page and Change Picture.
#include "UnitMain.h"

#include "EFileCreateError.h"
#include "EditorDialogs.h"
#include "MapAreaGathering.h"
#include "MessageBoxes.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UPTFrame.h"

#include <QFile>
#include <QMenu>
#include <QSaveFile>
#include <cerrno>

namespace {

// Replaces the file only once the new bytes are completely on disk. Unbuffered, so that a write the
// disk cuts short shows in its count.
bool saveAtomically(const QString& fileName, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *reason = file.errorString();
        return false;
    }
    errno = 0;
    const qint64 written = file.write(bytes);
    const int writeErrno = errno;
    if (written != bytes.size() || file.size() != bytes.size()) {
        if (file.error() != QFileDevice::NoError)
            *reason = file.errorString();
        else if (writeErrno != 0)
            *reason = qt_error_string(writeErrno);
        else
            *reason = QObject::tr("Only part of the text could be written.");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace

void TFormCorvantaZonequilter::MISaveIntoPageClick()
{
    if (!FPageOrigin.IsValid())
        return;
    const QString fileName = FPageOrigin.FileName;
    QFile page(fileName);
    if (!page.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, page.errorString()));
        return;
    }
    const QByteArray bytes = page.readAll();
    page.close();

    const QVector<MapArea> areas = GatherMapAreas(*PanelScene);
    PageRewrite written;
    QString reason;
    if (!RewritePageMap(bytes, FPageOrigin, FMapName, areas, &written, &reason)) {
        ShowError(reason);
        return;
    }
    if (written.Bytes != bytes && !saveAtomically(fileName, written.Bytes, &reason)) {
        ShowError(EFileCreateError::MakeMessage(fileName, reason));
        return;
    }

    // The page now holds this map: the next save compares with what was just written.
    // Regions are gathered front-most first, the order they were written in.
    const QList<TGUIRegion*> regions = PanelScene->Regions();
    for (int i = 0; i < regions.size(); ++i)
        regions[i]->SourceArea = written.AreaPositions.value(regions.size() - 1 - i, -1);
    FPageOrigin.MapName = FMapName;
    FPageOrigin.SourceAreaCount = written.AreaCount;
    FPageOrigin.Areas = GatherMapAreas(*PanelScene);
}

void TFormCorvantaZonequilter::MIChangePictureClick()
{
    if (!ExecuteOpenDialog(FImageFileName, PictureFileFilter(), QString()))
        return;
    QString reason;
    if (!LoadImage(SharedOpenDialog()->FileName(), &reason))
        ShowError(reason);
}

void TFormCorvantaZonequilter::ConnectPageCommands()
{
    connect(MISaveIntoPage, &QAction::triggered, this, &TFormCorvantaZonequilter::MISaveIntoPageClick);
    connect(MIChangePicture, &QAction::triggered, this, &TFormCorvantaZonequilter::MIChangePictureClick);
    // Only a document imported from a page can go back into it.
    MISaveIntoPage->setEnabled(false);
    connect(MIFile, &QMenu::aboutToShow, this, [this] { MISaveIntoPage->setEnabled(FPageOrigin.IsValid()); });
}
