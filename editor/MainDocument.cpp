// The document commands of the main window: the first paint, loading a
// picture, New, Import, Save As, Exit and the Help items.
#include "UnitMain.h"

#include "AppFolder.h"
#include "EFileCreateError.h"
#include "EditorDialogs.h"
#include "ImageMapWriter.h"
#include "MainWindowHelpers.h"
#include "MessageBoxes.h"
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
#include <QPushButton>
#include <QSaveFile>
#include <QTabWidget>
#include <Qsci/qsciscintilla.h>
#include <cerrno>

bool TFormCorvantaZonequilter::LoadImage(const QString& FileName, QString* Reason)
{
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
    if (Reason)
        Reason->clear();
    ShowPicture(FBitmap, FileName);
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
    if (!FStartupFile.isEmpty()) {
        OpenDocumentFile(FStartupFile);
        QCoreApplication::processEvents();
        ShowSplash(QStringLiteral("Setup.bmp"));
        return;
    }

    // The demonstration map becomes the document, without the dialog being
    // shown. A file that can't be read has been reported by the dialog; the
    // editor then starts with an empty document and no splash.
    TFormHTMLImport* dialog = ImportDialog();
    if (!dialog->LoadHTMLFile(FindProgramFile(QStringLiteral("demo.htm"))))
        return;
    QCoreApplication::processEvents();
    if (!dialog->SelectEntry(0))
        return;
    QCoreApplication::processEvents();
    dialog->ButtonOKClick();
    // The demonstration is no page of the user's to write back into.
    FPageOrigin.Clear();
    MISaveIntoPage->setEnabled(false);
    QCoreApplication::processEvents();
    ShowSplash(QStringLiteral("Setup.bmp"));
}

void TFormCorvantaZonequilter::MINewClick()
{
    if (!ExecuteOpenDialog(FImageFileName, PictureFileFilter(), QString()))
        return;
    NewImageMapOn(SharedOpenDialog()->FileName());
}

bool TFormCorvantaZonequilter::NewImageMapOn(const QString& FileName)
{
    PanelScene->DestroyRegions();
    FPageOrigin.Clear();
    MISaveIntoPage->setEnabled(false);
    QString reason;
    const bool loaded = LoadImage(FileName, &reason);
    PageControl->setCurrentWidget(TabSheetEdit);
    if (!loaded)
        ShowError(reason);
    return loaded;
}

void TFormCorvantaZonequilter::MIOpenClick()
{
    ImportDialog()->ExecuteImport();
}

void TFormCorvantaZonequilter::MISaveAsClick()
{
    TSharedFileDialog* dialog = SharedSaveDialog();
    const QString previousName = dialog->FileName();
    if (!ExecuteSaveDialog(previousName, HTMLFileFilter(), QStringLiteral("htm")))
        return;
    ButtonRefreshHTML->click();

    // The old file is replaced only once the new text is completely on disk.
    // Unbuffered, so that a write the disk cuts short shows in its count: Qt
    // reports no error for a short write.
    const QString fileName = dialog->FileName();
    const QByteArray bytes = ToCrLfLines(SynEdit->text()).toUtf8();
    QSaveFile file(fileName);
    QString reason;
    bool saved = false;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
    } else {
        errno = 0;
        const qint64 written = file.write(bytes);
        const int writeErrno = errno;
        if (written != bytes.size() || file.size() != bytes.size()) {
            if (file.error() != QFileDevice::NoError)
                reason = file.errorString();
            else if (writeErrno != 0)
                reason = qt_error_string(writeErrno);
            else
                reason = tr("Only part of the text could be written.");
            file.cancelWriting();
        } else {
            saved = file.commit();
            reason = file.errorString();
        }
    }
    if (!saved) {
        // The document keeps the name of the file it really is in.
        dialog->SetFileName(previousName);
        ShowError(EFileCreateError::MakeMessage(fileName, reason));
        return;
    }
    AddRecentFile(fileName);
    FormActivate();
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
