// The map checks in the main window: Tools > Check Map with its Problems dock, and the responsive
// page as a file (File > Export Responsive Page...) or on the clipboard (Edit > Copy as SVG
// Overlay).
#include "EditorDialogs.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "ProblemsDock.h"
#include "ResponsivePage.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UnitMain.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>

#include <algorithm>

namespace {
QVector<MapArea> FrontFirstAreas(const TMapDocument& Document)
{
    QVector<MapArea> areas = Document.Snapshot().Areas;
    std::reverse(areas.begin(), areas.end());
    return areas;
}

QString SuggestedName(const TMapDocument& Document)
{
    const QString shown = Document.ShownFileName();
    if (shown.isEmpty())
        return QString();
    const QFileInfo info(shown);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-responsive.html"));
}

bool SameFile(const QString& A, const QString& B)
{
    return !A.isEmpty() && !B.isEmpty() && QFileInfo(A).absoluteFilePath() == QFileInfo(B).absoluteFilePath();
}

void ExportResponsivePage(TFormCorvantaZonequilter& Window)
{
    const TMapDocument& document = *Window.Document();
    TSharedFileDialog* dialog = SharedSaveDialog();
    const QString before = dialog->FileName();
    const bool chosen = ExecuteSaveDialog(SuggestedName(document), HTMLFileFilter(), QStringLiteral("html"));
    const QString file = dialog->FileName();
    // The dialog goes on offering the document's own name to Save As.
    dialog->SetFileName(before);
    if (!chosen)
        return;
    // The page must not take the place of the map's own file or of the page it came from.
    if (SameFile(file, document.FileName()) || SameFile(file, document.PageOrigin().FileName)) {
        ShowError(EditorText(QStringLiteral("\"%1\" holds the image map itself. Choose another name for the "
                                            "responsive page."))
                      .arg(QDir::toNativeSeparators(file)));
        return;
    }
    const QByteArray bytes =
        BuildResponsivePage(ResponsivePictureSource(document.ImageFileName(), file), document.MapName(),
                            FrontFirstAreas(document), document.Picture().size())
            .toUtf8();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        ShowError(EditorText(QStringLiteral("Cannot write \"%1\": %2"))
                      .arg(QDir::toNativeSeparators(file), out.errorString()));
}

void CopySvgOverlay(const TFormCorvantaZonequilter& Window)
{
    const TMapDocument& document = *Window.Document();
    QGuiApplication::clipboard()->setText(BuildSvgOverlay(document.ImageFileName(), document.MapName(),
                                                          FrontFirstAreas(document), document.Picture().size()));
}

QAction* MakeAction(QObject* Parent, const char* Name, const char* Text)
{
    auto* action = new QAction(EditorText(QString::fromUtf8(Text)), Parent);
    action->setObjectName(QString::fromLatin1(Name));
    return action;
}
} // namespace

TProblemsDock* InstallMapChecks(TFormCorvantaZonequilter& Window)
{
    auto* dock = new TProblemsDock(Window);
    Window.addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();

    QMenu* tools = new QMenu(EditorText(QStringLiteral("&Tools")), Window.MainMenu);
    tools->setObjectName(QStringLiteral("MITools"));
    Window.MainMenu->insertMenu(Window.MIHelp->menuAction(), tools);
    QAction* check = MakeAction(&Window, "MICheckMap", "Check &Map");
    tools->addAction(check);
    QObject::connect(check, &QAction::triggered, dock, [dock] {
        dock->show();
        dock->raise();
        dock->Refresh();
    });

    QAction* exportPage = MakeAction(&Window, "MIExportResponsivePage", "Export &Responsive Page...");
    const QList<QAction*> fileItems = Window.MIFile->actions();
    const qsizetype after = fileItems.indexOf(Window.MISaveIntoPage);
    Window.MIFile->insertAction(after >= 0 ? fileItems.value(after + 1) : nullptr, exportPage);
    QObject::connect(exportPage, &QAction::triggered, &Window, [&Window] { ExportResponsivePage(Window); });

    QAction* copy = MakeAction(&Window, "MICopySvgOverlay", "Copy as &SVG Overlay");
    Window.MIEdit->addSeparator();
    Window.MIEdit->addAction(copy);
    QObject::connect(copy, &QAction::triggered, &Window, [&Window] { CopySvgOverlay(Window); });
    return dock;
}
