// The main window's side of the document's history: the Edit menu, the modified state in the
// caption, the question before unsaved changes are lost, and the recovery file.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "LongTask.h"
#include "MapAreaGathering.h"
#include "MapDiscovery.h"
#include "MapDocument.h"
#include "MapImport.h"
#include "MessageBoxes.h"
#include "PreviewFolder.h"
#include "RecoveryFile.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "UPTFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryFile>
#include <QTimer>
#include <QUndoStack>

namespace {

// A step is written to the recovery file once the user pauses, not at every one of a quick series.
constexpr int RecoveryDebounceMs = 1500;
constexpr int RecoveryIntervalMs = 30000;
// Reading a big map's regions lets the window's events run this often.
constexpr int RecoverySliceMs = 30;

void ShowStep(QAction* MenuItem, QAction* Button, const QString& MenuPattern, const QString& MenuPlain,
              const QString& ButtonPattern, const QString& ButtonPlain, const QString& Step)
{
    MenuItem->setText(Step.isEmpty() ? EditorText(MenuPlain) : EditorText(MenuPattern).arg(Step));
    const QString hint = Step.isEmpty() ? EditorText(ButtonPlain) : EditorText(ButtonPattern).arg(Step);
    Button->setToolTip(hint);
    Button->setStatusTip(hint);
}

} // namespace

void TFormCorvantaZonequilter::ConnectHistory()
{
    FDocument = new TMapDocument(*PanelScene, this);
    connect(FDocument, &TMapDocument::HeaderChanged, this, [this] {
        // The save dialog offers the name the caption shows.
        SharedSaveDialog()->SetFileName(FDocument->ShownFileName());
        const QImage& picture = FDocument->Picture();
        if (!FShowingPicture && !picture.isNull() &&
            (picture.width() != PanelScene->ClientWidth() || picture.height() != PanelScene->ClientHeight())) {
            PanelScene->SetClientSize(picture.width(), picture.height());
            ScrollBoxResize();
        }
        FormActivate();
    });

    QUndoStack* stack = FDocument->UndoStack();
    connect(MIUndo, &QAction::triggered, this, &TFormCorvantaZonequilter::MIUndoClick);
    connect(TBUndo, &QAction::triggered, this, &TFormCorvantaZonequilter::MIUndoClick);
    connect(MIRedo, &QAction::triggered, this, &TFormCorvantaZonequilter::MIRedoClick);
    connect(TBRedo, &QAction::triggered, this, &TFormCorvantaZonequilter::MIRedoClick);
    const auto showUndo = [this](const QString& Step) {
        ShowStep(MIUndo, TBUndo, QStringLiteral("&Undo %1"), QStringLiteral("&Undo"),
                 QStringLiteral("Undo %1"), QStringLiteral("Undo"), Step);
    };
    const auto showRedo = [this](const QString& Step) {
        ShowStep(MIRedo, TBRedo, QStringLiteral("&Redo %1"), QStringLiteral("&Redo"),
                 QStringLiteral("Redo %1"), QStringLiteral("Redo"), Step);
    };
    connect(stack, &QUndoStack::undoTextChanged, this, showUndo);
    connect(stack, &QUndoStack::redoTextChanged, this, showRedo);
    connect(stack, &QUndoStack::canUndoChanged, MIUndo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canUndoChanged, TBUndo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, MIRedo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, TBRedo, &QAction::setEnabled);
    showUndo(QString());
    showRedo(QString());
    for (QAction* action : {MIUndo, TBUndo, MIRedo, TBRedo})
        action->setEnabled(false);
    connect(FDocument, &TMapDocument::ModifiedChanged, this, &QWidget::setWindowModified);
    ConnectDocumentViews();

    FRecovery = new TRecoveryFile(QString(), this);
    FRecoveryDebounce = new QTimer(this);
    FRecoveryDebounce->setSingleShot(true);
    FRecoveryDebounce->setInterval(RecoveryDebounceMs);
    connect(FRecoveryDebounce, &QTimer::timeout, this, &TFormCorvantaZonequilter::UpdateRecoveryFile);
    connect(FDocument, &TMapDocument::Changed, FRecoveryDebounce, [this](const TDocumentChange& Change) {
        if (Change.Step)
            FRecoveryDebounce->start();
    });
    FRecoveryTimer = new QTimer(this);
    FRecoveryTimer->setInterval(RecoveryIntervalMs);
    connect(FRecoveryTimer, &QTimer::timeout, this, &TFormCorvantaZonequilter::UpdateRecoveryFile);
    FRecoveryTimer->start();
}

void TFormCorvantaZonequilter::MIUndoClick()
{
    // A drag in progress owns its region until the release.
    if (PanelScene->DragControl() || PanelScene->LeftButtonDown())
        return;
    FDocument->Undo();
}

void TFormCorvantaZonequilter::MIRedoClick()
{
    if (PanelScene->DragControl() || PanelScene->LeftButtonDown())
        return;
    FDocument->Redo();
}

bool TFormCorvantaZonequilter::MaybeSaveChanges()
{
    if (!FDocument->IsModified())
        return true;
    switch (AppMessageBox(EditorText(QStringLiteral("Save changes to the image map?")),
                          QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                          QMessageBox::Question)) {
    case QMessageBox::Save:
        return MISaveClick();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void TFormCorvantaZonequilter::closeEvent(QCloseEvent* event)
{
    if (!MaybeSaveChanges()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TFormCorvantaZonequilter::UpdateRecoveryFile()
{
    if (!FRecovery || FRecoveryGathering)
        return;
    // In the middle of an import or a save the regions are half built or busy: the file is
    // written once the work is over.
    if (TLongTask::AnyRunning()) {
        FRecoveryDebounce->start();
        return;
    }
    if (!FDocument->IsModified()) {
        FRecovery->Remove();
        return;
    }
    const QString& imageFile = FDocument->ImageFileName();
    TRecoveryState state;
    state.Saved = QDateTime::currentDateTime();
    state.FileName = FDocument->FileName();
    state.ShownFileName = FDocument->ShownFileName();
    state.ImageFileName = imageFile;
    state.ImagePath = imageFile.isEmpty() ? QString() : QFileInfo(imageFile).absoluteFilePath();
    state.MapName = FDocument->MapName();
    state.PageOrigin = FDocument->PageOrigin();
    // The Source's text when it is the document's; otherwise the regions as values, read here in
    // slices between which the window goes on, and the text written on another thread.
    const TSourceKey key = SourceKey();
    // The Source's text holds no record of where each area came from in the page, which a map
    // imported from one needs for its Save after a recovery: its regions are read instead.
    if (FSourceKey && *FSourceKey == key && !state.PageOrigin.IsValid()) {
        const QByteArray shown = SourceBytes();
        if (!shown.isEmpty()) {
            FRecovery->WriteLater(std::move(state),
                                  [shown](const std::function<bool()>&) { return QString::fromUtf8(shown); });
            return;
        }
    }
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    FRecoveryGathering = true;
    std::optional<QVector<MapArea>> areas = GatherMapAreas(*PanelScene, [&](qint64, qint64) {
        if (sinceEvents.elapsed() < RecoverySliceMs)
            return true;
        QCoreApplication::processEvents();
        sinceEvents.restart();
        // A change meanwhile (the regions themselves may be gone): the next pause writes. A window
        // closed meanwhile is the program's end, which must not wait for a million regions.
        return SourceKey() == key && isVisible();
    });
    FRecoveryGathering = false;
    if (!areas) {
        FRecoveryDebounce->start();
        return;
    }
    if (state.PageOrigin.IsValid()) {
        state.SourceAreas.reserve(areas->size());
        for (const MapArea& area : *areas)
            state.SourceAreas.append(area.SourceArea);
    }
    FRecovery->WriteLater(std::move(state), [image = imageFile, map = FDocument->MapName(),
                                             attributes = FDocument->MapAttributes(),
                                             areas = std::move(*areas)](const std::function<bool()>& superseded) {
        return BuildImageMapHTMLUnlessStopped(image, map, areas, attributes, superseded);
    });
}

namespace {
// One message for every recovery file that cannot be recovered, which is then never offered again.
void RefuseRecovery(const QString& Path)
{
    TRecoveryFile::SetAside(Path);
    ShowError(EditorText(QStringLiteral("%1 cannot be recovered and will not be offered again"))
                  .arg(QDir::toNativeSeparators(Path)));
}
} // namespace

bool TFormCorvantaZonequilter::OfferRecovery()
{
    for (const QString& path : FRecovery->LeftOverFiles()) {
        TRecoveryState state;
        // A text with no map in it is not worth the question.
        if (!TRecoveryFile::Read(path, state) || !state.HTML.contains(QLatin1String("<map"), Qt::CaseInsensitive)) {
            RefuseRecovery(path);
            continue;
        }
        const QDateTime saved = state.Saved.isValid() ? state.Saved : QFileInfo(path).lastModified();
        const QString question = EditorText(QStringLiteral("Recover the unsaved image map from %1?"))
                                     .arg(QLocale().toString(saved, QLocale::ShortFormat));
        if (!AskYesNo(question)) {
            TRecoveryFile::Discard(path);
            continue;
        }

        // The writer's text goes back through the import, as a file of its own.
        // In this run's private folder, which a later start clears should this run not end.
        const QString folder = GetPreviewFolder();
        QTemporaryFile html((folder.isEmpty() ? QDir::tempPath() + QLatin1Char('/') : folder) +
                            QStringLiteral("recovery-XXXXXX.htm"));
        HtmlDocument document;
        QString error;
        if (!html.open() || html.write(state.HTML.toUtf8()) < 0 || !html.flush()) {
            ShowError(html.errorString());
            return false;
        }
        if (!document.LoadFromFile(html.fileName(), &error)) {
            ShowError(error);
            return false;
        }
        const QVector<ImageMapEntry> entries = FindImageMaps(document);
        ImportedMap map =
            entries.isEmpty() ? ImportedMap{} : ImportImageMap(document, entries.first(), html.fileName());
        if (!map.Ok) {
            RefuseRecovery(path);
            continue;
        }

        // Each region learns again which area of the page it was, so that Save writes into the
        // page as it would have before the crash; a record that does not fit the map is not used.
        const bool fromPage = state.PageOrigin.IsValid() && state.SourceAreas.size() == map.Areas.size();
        if (fromPage)
            for (int i = 0; i < map.Areas.size(); ++i)
                map.Areas[i].SourceArea = state.SourceAreas[i];

        const TDocumentSnapshot before = FDocument->Snapshot();
        PanelScene->DestroyRegions();
        QString imageError;
        const bool imageLoaded = state.ImagePath.isEmpty() || LoadImage(state.ImagePath, &imageError);
        TDocumentHeader header = FDocument->Header();
        header.ImageFileName = state.ImageFileName;
        header.MapName = map.MapName;
        header.MapAttributes = map.MapAttributes;
        header.PageOrigin = fromPage ? state.PageOrigin : PageMapOrigin();
        header.FileName = state.FileName;
        header.ShownFileName = state.ShownFileName;
        FDocument->SetHeader(std::move(header));
        CreateRegions(PanelScene, map.Areas, true);
        FDocument->RecordReplacement(before, EditorText(QStringLiteral("Recover Image Map")));
        TRecoveryFile::Discard(path);
        UpdateRecoveryFile();
        if (!imageLoaded)
            ShowError(imageError);
        return true;
    }
    return false;
}
