// The document commands of the main window: the first paint, loading a
// picture, New, Import, Save As, Exit and the Help items.
#include "UnitMain.h"

#include "AppFolder.h"
#include "AtomicFileWrite.h"
#include "EFileCreateError.h"
#include "EditorDialogs.h"
#include "ImageMapWriter.h"
#include "LongTask.h"
#include "MainWindowHelpers.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "RecoveryFile.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UPTFrame.h"
#include "UnitAboutBox.h"
#include "UnitBitmapLoader.h"
#include "UnitHTMLImport.h"
#include "UnitSplash.h"
#include "WebViewHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSaveFile>
#include <QTabWidget>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cerrno>

bool TFormCorvantaZonequilter::LoadImage(const QString& FileName, QString* Reason)
{
    if (Reason)
        Reason->clear();
    // The picture on screen, unchanged on disk since it was read, is not decoded again: for a big
    // picture that takes longer than clearing or importing a big map.
    const QFileInfo info(FileName);
    const TLoadedPicture& last = FLoadedPicture;
    if (!FileName.isEmpty() && last.Path == FileName && FImageFileName == FileName &&
        FBitmap.cacheKey() == last.Key && info.isFile() && info.size() == last.Size &&
        info.lastModified() == last.Modified) {
        ShowPicture(FBitmap, FileName);
        return true;
    }
    FLoadedPicture = TLoadedPicture{};
    // The program's loader, made at start-up; a window without one (in tests) keeps its own.
    TFormBitmapLoader* loader = FormBitmapLoader;
    if (!loader) {
        if (!FBitmapLoader)
            FBitmapLoader = new TFormBitmapLoader(this);
        loader = FBitmapLoader;
    }
    if (!loader->LoadBitmap(FBitmap, FileName)) {
        if (Reason)
            *Reason = loader->LastError();
        return false;
    }
    ShowPicture(FBitmap, FileName);
    FLoadedPicture = TLoadedPicture{FileName, info.lastModified(), info.size(), FBitmap.cacheKey()};
    return true;
}

void TFormCorvantaZonequilter::ShowPicture(const QImage& Image, const QString& FileName)
{
    if (&Image != &FBitmap)
        FBitmap = Image.convertToFormat(QImage::Format_RGB32);
    FImageFileName = FileName;

    PanelScene->hide();
    QCoreApplication::processEvents();
    PanelScene->SetClientSize(FBitmap.width(), FBitmap.height());
    PanelScene->show();
    ScrollBoxResize();
    QCoreApplication::processEvents();
}

TFormHTMLImport* TFormCorvantaZonequilter::ImportDialog()
{
    if (FormHTMLImport)
        return FormHTMLImport;
    if (!FOwnImport)
        FOwnImport = new TFormHTMLImport(*this, this);
    return FOwnImport;
}

void TFormCorvantaZonequilter::FormActivate()
{
    SetMainCaption(this, SharedSaveDialog()->FileName());
    MISaveIntoPage->setEnabled(FPageOrigin.IsValid());
}

void TFormCorvantaZonequilter::FormPaint()
{
    FFirstPaintDone = true;
    QCoreApplication::processEvents();
    QDir::setCurrent(GetAppFolder());

    // A file named on the command line takes the demonstration map's place; the splash
    // follows it whatever became of it.
    bool showSplash = true;
    if (!FStartupFile.isEmpty()) {
        OpenDocumentFile(FStartupFile);
        QCoreApplication::processEvents();
    } else {
        // The demonstration map becomes the document, without the dialog being
        // shown. A file that can't be read has been reported by the dialog; the
        // editor then starts with an empty document and no splash.
        TFormHTMLImport* dialog = ImportDialog();
        showSplash = false;
        if (dialog->LoadHTMLFile(FindProgramFile(QStringLiteral("demo.htm")))) {
            QCoreApplication::processEvents();
            if (dialog->SelectEntry(0)) {
                QCoreApplication::processEvents();
                dialog->ButtonOKClick();
                // The demonstration is no page of the user's to write back into.
                FPageOrigin.Clear();
                QCoreApplication::processEvents();
                showSplash = true;
            }
        }
    }
    // The document the program starts with is where the user starts, not a change to undo or
    // to save.
    FDocument->ClearHistory();
    // The splash greets a plain start only: after the recovery question it would cover the map.
    if (!FRecovery->LeftOverFiles().isEmpty())
        showSplash = false;
    OfferRecovery();
    if (showSplash)
        ShowSplash(QStringLiteral("Setup.bmp"));
}

void TFormCorvantaZonequilter::MINewClick()
{
    if (!MaybeSaveChanges())
        return;
    if (!ExecuteOpenDialog(FImageFileName, PictureFileFilter(), QString()))
        return;
    NewImageMapOn(SharedOpenDialog()->FileName());
}

bool TFormCorvantaZonequilter::NewImageMapOn(const QString& FileName)
{
    const TDocumentSnapshot before = FDocument->Snapshot();
    PanelScene->DestroyRegions();
    FPageOrigin.Clear();
    FMapAttributes.clear();
    MISaveIntoPage->setEnabled(false);
    QString reason;
    const bool loaded = LoadImage(FileName, &reason);
    PageControl->setCurrentWidget(TabSheetEdit);
    FDocument->RecordReplacement(before, EditorText(QStringLiteral("New Image Map")));
    if (!loaded)
        ShowError(reason);
    return loaded;
}

void TFormCorvantaZonequilter::MIOpenClick()
{
    if (!MaybeSaveChanges())
        return;
    ImportDialog()->ExecuteImport();
}

bool TFormCorvantaZonequilter::MISaveClick()
{
    const QString fileName = SharedSaveDialog()->FileName();
    if (fileName.isEmpty())
        return MISaveAsClick();
    // The document's file is the page the map came from: the rest of the page is the user's, so
    // only the map in it is written.
    if (FPageOrigin.IsValid() && QFileInfo(FPageOrigin.FileName) == QFileInfo(fileName))
        return MISaveIntoPageClick();
    if (!WriteDocumentFile(fileName))
        return false;
    FDocument->MarkSaved();
    FormActivate();
    return true;
}

bool TFormCorvantaZonequilter::MISaveAsClick()
{
    TSharedFileDialog* dialog = SharedSaveDialog();
    const QString previousName = dialog->FileName();
    if (!ExecuteSaveDialog(previousName, HTMLFileFilter(), QStringLiteral("htm")))
        return false;
    if (!WriteDocumentFile(dialog->FileName())) {
        // The document keeps the name of the file it really is in.
        dialog->SetFileName(previousName);
        return false;
    }
    FDocument->MarkSaved();
    FormActivate();
    return true;
}

bool TFormCorvantaZonequilter::WriteDocumentFile(const QString& fileName)
{
    QString reason;
    switch (WriteHTMLFile(fileName, &reason)) {
    case TWriteResult::Written:
        AddRecentFile(fileName);
        return true;
    case TWriteResult::Failed:
        ShowError(EFileCreateError::MakeMessage(fileName, reason));
        return false;
    case TWriteResult::Cancelled:
        break;
    }
    return false;
}

TFormCorvantaZonequilter::TWriteResult TFormCorvantaZonequilter::WriteHTMLFile(const QString& FileName,
                                                                               QString* Reason)
{
    TLongTask task(this, QStringLiteral("Saving the image map..."));
    if (!RefreshHTML(task, 0, 40))
        return TWriteResult::Cancelled;
    const std::optional<QByteArray> bytes =
        task.Run<QByteArray>([text = SourceBytes()] { return ToCrLfLines(text); }, 40);
    if (!bytes)
        return TWriteResult::Cancelled;
    return WriteBytesInSteps(task, FileName, *bytes, Reason, 45);
}

TFormCorvantaZonequilter::TWriteResult TFormCorvantaZonequilter::WriteBytesInSteps(TLongTask& Task,
                                                                                   const QString& FileName,
                                                                                   const QByteArray& Bytes,
                                                                                   QString* Reason, int From)
{
    // The old file is replaced only once the new text is completely on disk; a cancelled save
    // leaves it as it was. Unbuffered, so that a write the disk cuts short shows in its count:
    // Qt reports no error for a short write.
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *Reason = file.errorString();
        return TWriteResult::Failed;
    }
    constexpr qint64 chunk = 1 << 20;
    const qint64 size = Bytes.size();
    for (qint64 at = 0; at < size;) {
        errno = 0;
        const qint64 part = std::min(chunk, size - at);
        const qint64 written = file.write(Bytes.constData() + at, part);
        const int writeErrno = errno;
        if (written != part) {
            if (file.error() != QFileDevice::NoError)
                *Reason = file.errorString();
            else if (writeErrno != 0)
                *Reason = qt_error_string(writeErrno);
            else
                *Reason = tr("Only part of the text could be written.");
            file.cancelWriting();
            return TWriteResult::Failed;
        }
        at += part;
        if (!Task.Step(at, size, From, 100)) {
            file.cancelWriting();
            return TWriteResult::Cancelled;
        }
    }
    if (file.size() != size) {
        *Reason = tr("Only part of the text could be written.");
        file.cancelWriting();
        return TWriteResult::Failed;
    }
    if (!file.commit()) {
        *Reason = file.errorString();
        return TWriteResult::Failed;
    }
    return TWriteResult::Written;
}

void TFormCorvantaZonequilter::MIExitClick()
{
    close();
}

void TFormCorvantaZonequilter::MIAboutClick()
{
    ShowAboutBox();
}

void TFormCorvantaZonequilter::MICorvantaSoftwareClick()
{
    OpenURL(HomePageAddress());
}

void TFormCorvantaZonequilter::MICorvantaServicesClick()
{
    OpenURL(ServicesPageUrl(true).toString());
}

void TFormCorvantaZonequilter::ConnectDocumentCommands()
{
    connect(MINew, &QAction::triggered, this, &TFormCorvantaZonequilter::MINewClick);
    connect(TBNew, &QAction::triggered, this, &TFormCorvantaZonequilter::MINewClick);
    connect(MIOpen, &QAction::triggered, this, &TFormCorvantaZonequilter::MIOpenClick);
    connect(TBOpen, &QAction::triggered, this, &TFormCorvantaZonequilter::MIOpenClick);
    connect(MISave, &QAction::triggered, this, &TFormCorvantaZonequilter::MISaveClick);
    connect(MISaveAs, &QAction::triggered, this, &TFormCorvantaZonequilter::MISaveAsClick);
    connect(TBSave, &QAction::triggered, this, &TFormCorvantaZonequilter::MISaveAsClick);
    ConnectPageCommands();
    connect(MIExit, &QAction::triggered, this, &TFormCorvantaZonequilter::MIExitClick);
    connect(MIAbout, &QAction::triggered, this, &TFormCorvantaZonequilter::MIAboutClick);
    connect(MICorvantaSoftware, &QAction::triggered, this,
            &TFormCorvantaZonequilter::MICorvantaSoftwareClick);
    connect(MICorvantaServices, &QAction::triggered, this,
            &TFormCorvantaZonequilter::MICorvantaServicesClick);
}
