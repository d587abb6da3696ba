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
#include "UnitBitmapLoader.h"
#include "UnitHTMLImport.h"
#include "UnitSplash.h"
#include "WebViewHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopeGuard>
#include <QFile>
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
    if (!FileName.isEmpty() && last.Path == FileName && FDocument->ImageFileName() == FileName &&
        FDocument->Picture().cacheKey() == last.Key && info.isFile() && info.size() == last.Size &&
        info.lastModified() == last.Modified) {
        ShowPicture(FDocument->Picture(), FileName);
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
    QImage picture;
    if (!loader->LoadBitmap(picture, FileName)) {
        if (Reason)
            *Reason = loader->LastError();
        return false;
    }
    ShowPicture(picture, FileName);
    FLoadedPicture =
        TLoadedPicture{FileName, info.lastModified(), info.size(), FDocument->Picture().cacheKey()};
    return true;
}

void TFormCorvantaZonequilter::ShowPicture(const QImage& Image, const QString& FileName)
{
    const QImage& current = FDocument->Picture();
    const bool same = Image.cacheKey() == current.cacheKey();
    FShowingPicture = true;
    FDocument->SetPicture(same ? current : Image.convertToFormat(QImage::Format_RGB32), FileName);
    FShowingPicture = false;

    const QImage& picture = FDocument->Picture();
    PanelScene->hide();
    QCoreApplication::processEvents();
    PanelScene->SetClientSize(picture.width(), picture.height());
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
    SetMainCaption(this, FDocument->ShownFileName());
    MISaveIntoPage->setEnabled(FDocument->PageOrigin().IsValid());
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
                FDocument->SetPageOrigin({});
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
    if (!ExecuteOpenDialog(FDocument->ImageFileName(), PictureFileFilter(), QString()))
        return;
    NewImageMapOn(SharedOpenDialog()->FileName());
}

bool TFormCorvantaZonequilter::NewImageMapOn(const QString& FileName)
{
    const TDocumentSnapshot before = FDocument->Snapshot();
    PanelScene->DestroyRegions();
    FDocument->SetPageOrigin({});
    FDocument->SetMap(FDocument->MapName(), {});
    // The caption keeps its name, but the new map is no file's yet: Save asks where it goes.
    FDocument->SetFileName(QString(), FDocument->ShownFileName());
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
    // Only the file this document came from or was saved in: a name the caption merely kept (after
    // New) is another document's file.
    const QString fileName = FDocument->FileName();
    if (fileName.isEmpty())
        return MISaveAsClick();
    // The document's file is the page the map came from: the rest of the page is the user's, so
    // only the map in it is written.
    if (IsPageOrigin(fileName))
        return MISaveIntoPageClick();
    if (!WriteDocumentFile(fileName))
        return false;
    FDocument->MarkSaved();
    FormActivate();
    return true;
}

bool TFormCorvantaZonequilter::IsPageOrigin(const QString& FileName) const
{
    const PageMapOrigin& origin = FDocument->PageOrigin();
    return origin.IsValid() && QFileInfo(origin.FileName) == QFileInfo(FileName);
}

bool TFormCorvantaZonequilter::MISaveAsClick()
{
    TSharedFileDialog* dialog = SharedSaveDialog();
    // Whatever happens below, the dialog goes on offering the name of the file the document is in.
    const auto keepName = qScopeGuard([&] { dialog->SetFileName(FDocument->ShownFileName()); });
    if (!ExecuteSaveDialog(FDocument->ShownFileName(), HTMLFileFilter(), QStringLiteral("htm")))
        return false;
    const QString chosen = dialog->FileName();
    const bool replacesPage = IsPageOrigin(chosen);
    if (replacesPage) {
        // The generated page would take the place of the user's whole page.
        const QString question =
            EditorText(QStringLiteral("\"%1\" is the page the image map was imported from. Replacing it "
                                      "keeps only the image map: everything else in the page will be lost.\n\n"
                                      "Save the image map into the page instead?"))
                .arg(QDir::toNativeSeparators(chosen));
        switch (AppQuestion(question, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                            QMessageBox::Save,
                            {{QMessageBox::Save, EditorText(QStringLiteral("Save &Into Page"))},
                             {QMessageBox::Discard, EditorText(QStringLiteral("&Replace"))}})) {
        case QMessageBox::Save:
            if (!MISaveIntoPageClick())
                return false;
            // Saved as the page: the document is that file now.
            FDocument->SetFileName(chosen, chosen);
            FDocument->MarkSaved();
            return true;
        case QMessageBox::Discard:
            break;
        default:
            return false;
        }
    }
    if (!WriteDocumentFile(chosen))
        return false;
    // The page is the generated one now: there is no map of the user's left to write into.
    if (replacesPage)
        FDocument->SetPageOrigin({});
    FDocument->SetFileName(chosen, chosen);
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
    // Relative paths are taken against the file being written.
    FWritingTo = FileName;
    const auto written = qScopeGuard([this] { FWritingTo.clear(); });
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
    if (FolderRefusesNewFiles(FileName)) {
        // No new file can be made beside it to take its place: only a write over the file itself
        // is left, which the user decides on.
        const QString question =
            EditorText(QStringLiteral("The folder of \"%1\" does not allow new files, so the file cannot be "
                                      "replaced in one safe step.\n\nWrite over the file directly? Its old "
                                      "text is kept and put back if the writing fails."))
                .arg(QDir::toNativeSeparators(FileName));
        if (!AskYesNo(question))
            return TWriteResult::Cancelled;
        QFile old(FileName);
        if (!old.open(QIODevice::ReadOnly)) {
            *Reason = old.errorString();
            return TWriteResult::Failed;
        }
        const QByteArray original = old.readAll();
        old.close();
        Task.Step(1, 2, From, 100);
        return WriteInPlace(FileName, Bytes, original, Reason) ? TWriteResult::Written : TWriteResult::Failed;
    }
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
    emit AboutRequested();
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
