// The document commands of the main window: loading a picture, New, Save As.
#include "UnitMain.h"

#include "MainWindowHelpers.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UPTFrame.h"
#include "UnitBitmapLoader.h"

#include <QCoreApplication>

bool TFormCorvantaZonequilter::LoadImage(const QString& FileName, QString* Reason)
{
    if (!FBitmapLoader)
        FBitmapLoader = new TFormBitmapLoader(this);
    if (!FBitmapLoader->LoadBitmap(FBitmap, FileName)) {
        if (Reason)
            *Reason = FBitmapLoader->LastError();
        return false;
    }
    if (Reason)
        Reason->clear();
    FImageFileName = FileName;

    PanelScene->hide();
    QCoreApplication::processEvents();
    PanelScene->SetClientSize(FBitmap.width(), FBitmap.height());
    PanelScene->show();
    ScrollBoxResize();
    QCoreApplication::processEvents();
    return true;
}

void TFormCorvantaZonequilter::FormActivate()
{
    SetMainCaption(this, SharedSaveDialog()->FileName());
}
