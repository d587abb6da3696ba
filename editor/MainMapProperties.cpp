// The main window's Map Properties: the map's name, its picture and how paths are written.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "MapDocument.h"
#include "MapPropertiesDialog.h"
#include "RegionCommands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

namespace {

QString Translate(const char* Text)
{
    return EditorText(QString::fromLatin1(Text));
}

} // namespace

void TFormCorvantaZonequilter::CreateMapPropertiesCommand()
{
    FMIMapProperties = new QAction(Translate("&Map Properties..."), this);
    FMIMapProperties->setObjectName(QStringLiteral("MIMapProperties"));
    // Beside Change Picture, which the dialog offers too.
    const QList<QAction*> items = MIFile->actions();
    const int picture = items.indexOf(MIChangePicture);
    MIFile->insertAction(items.value(picture + 1), FMIMapProperties);
    connect(FMIMapProperties, &QAction::triggered, this, &TFormCorvantaZonequilter::MIMapPropertiesClick);
}

void TFormCorvantaZonequilter::MIMapPropertiesClick()
{
    TFormMapProperties dialog(this);
    dialog.SetValues(FDocument->MapName(), FDocument->ImageFileName(), FDocument->RelativePaths());
    // A new picture is a step of its own, taken at once, as from the File menu.
    connect(dialog.ButtonChangePicture, &QPushButton::clicked, &dialog, [this, &dialog] {
        MIChangePictureClick();
        dialog.ShowPictureName(FDocument->ImageFileName());
    });
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.MapName() == FDocument->MapName() && dialog.RelativePaths() == FDocument->RelativePaths())
        return;
    FDocument->Push(new TChangeMapCommand(*FDocument, dialog.MapName(), dialog.RelativePaths()));
}

QString TFormCorvantaZonequilter::WrittenPictureName() const
{
    const QString& picture = FDocument->ImageFileName();
    const QString& base = FWritingTo.isEmpty() ? FDocument->FileName() : FWritingTo;
    if (!FDocument->RelativePaths() || base.isEmpty() || picture.isEmpty() || QFileInfo(picture).isRelative())
        return picture;
    return QFileInfo(base).absoluteDir().relativeFilePath(picture);
}
