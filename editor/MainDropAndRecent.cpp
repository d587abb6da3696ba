// Files the main window opens by name rather than through its file dialogs: the file named on
// the command line, files dropped on the window, and File > Open Recent. They take the same
// roads as New Image Map and Import Image Map once those have their file.
#include "UnitMain.h"

#include "DocumentFileKind.h"
#include "EditorDialogs.h"
#include "MessageBoxes.h"
#include "RecentFiles.h"
#include "SettingsFile.h"
#include "UnitHTMLImport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>

namespace {
QString Translate(const char* Text)
{
    return EditorText(QString::fromUtf8(Text));
}

// The one local file a drag carries, or empty (no file, several, or an address).
QString DraggedFile(const QMimeData* Data)
{
    if (!Data || !Data->hasUrls())
        return QString();
    const QList<QUrl> urls = Data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    return urls.first().toLocalFile();
}
} // namespace

// Sees every drag over the main window before the widget under the pointer does, so that no
// child (the preview's web view in particular, which would open a dropped file as a page)
// takes a drop of its own.
class TWindowDropFilter : public QObject
{
public:
    explicit TWindowDropFilter(TFormCorvantaZonequilter& Window) : QObject(&Window), FWindow(Window)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != &FWindow)
            return false;
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = DraggedFile(drop->mimeData());
        const QPoint pos = drop->position().toPoint();
        QWidget* under = widget->childAt(pos);
        const bool accepted = !file.isEmpty() && FWindow.AcceptsDroppedFile(file, under ? under : widget);
        if (!accepted) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (type == QEvent::Drop) {
            // Opened once the drop is over: the import list is a modal dialog, which must not
            // run inside the drag and drop protocol.
            QMetaObject::invokeMethod(
                &FWindow, [window = &FWindow, file] { window->OpenDocumentFile(file); },
                Qt::QueuedConnection);
        }
        return true;
    }

private:
    TFormCorvantaZonequilter& FWindow;
};

void TFormCorvantaZonequilter::CreateDropAndRecentFiles()
{
    setAcceptDrops(true);
    new TWindowDropFilter(*this);

    FRecentFiles = std::make_unique<TRecentFiles>();
    if (!IsSettingsFileIgnored())
        FRecentFiles->Load(GetSettingsFileName());
    MIOpenRecent = new QMenu(QStringLiteral("Open &Recent"), this);
    MIOpenRecent->setObjectName(QStringLiteral("MIOpenRecent"));
    MIFile->insertMenu(MISave, MIOpenRecent);
    connect(MIOpenRecent, &QMenu::aboutToShow, this, &TFormCorvantaZonequilter::MIOpenRecentPopup);
    MIOpenRecentPopup();
}

bool TFormCorvantaZonequilter::AcceptsDroppedFile(const QString& FileName, const QWidget* Target) const
{
    switch (DocumentFileKind(FileName)) {
    case TDocumentFileKind::Html:
        return true;
    case TDocumentFileKind::Picture:
        return Target == TabSheetEdit || TabSheetEdit->isAncestorOf(Target);
    case TDocumentFileKind::Other:
        break;
    }
    return false;
}

bool TFormCorvantaZonequilter::OpenDocumentFile(const QString& FileName)
{
    const QString native = QDir::toNativeSeparators(FileName);
    if (!QFileInfo::exists(FileName)) {
        ShowError(Translate("Cannot open file \"%1\". The file does not exist.").arg(native));
        return false;
    }
    const QFileInfo info(FileName);
    if (info.isDir()) {
        ShowError(Translate("Cannot open file \"%1\": it is a folder.").arg(native));
        return false;
    }
    if (!info.isReadable()) {
        ShowError(Translate("Cannot open file \"%1\": you do not have permission to read it.").arg(native));
        return false;
    }
    switch (DocumentFileKind(FileName)) {
    case TDocumentFileKind::Html:
        return MaybeSaveChanges() && ImportDialog()->ImportNamedFile(FileName);
    case TDocumentFileKind::Picture:
        return MaybeSaveChanges() && NewImageMapOn(FileName);
    case TDocumentFileKind::Other:
        break;
    }
    ShowError(Translate("Cannot open file \"%1\". It is neither an HTML file nor a picture.").arg(native));
    return false;
}

const QStringList& TFormCorvantaZonequilter::RecentFiles() const
{
    return FRecentFiles->Files();
}

void TFormCorvantaZonequilter::AddRecentFile(const QString& FileName)
{
    FRecentFiles->Add(FileName);
    // A settings file that cannot be written is reported once, at exit.
    if (!IsSettingsFileIgnored())
        FRecentFiles->Save(GetSettingsFileName());
    MIOpenRecentPopup();
}

void TFormCorvantaZonequilter::MIOpenRecentPopup()
{
    // Built anew each time it opens, so that a file deleted meanwhile shows greyed. The old
    // items go later: the one that was triggered may be running this.
    for (QAction* item : MIOpenRecent->actions()) {
        MIOpenRecent->removeAction(item);
        item->deleteLater();
    }
    const QStringList& files = FRecentFiles->Files();
    for (int i = 0; i < files.size(); ++i) {
        const QString file = files.at(i);
        QAction* item = MIOpenRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(file).replace(QLatin1Char('&'), QLatin1String("&&"))));
        item->setObjectName(QStringLiteral("MIRecentFile%1").arg(i + 1));
        item->setData(file);
        item->setEnabled(QFileInfo::exists(file));
        connect(item, &QAction::triggered, this, [this, file] { OpenDocumentFile(file); });
    }
    MIOpenRecent->addSeparator();
    QAction* clear = MIOpenRecent->addAction(QStringLiteral("Clear List"));
    clear->setObjectName(QStringLiteral("MIClearRecent"));
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        FRecentFiles->Clear();
        if (!IsSettingsFileIgnored())
            FRecentFiles->Save(GetSettingsFileName());
        MIOpenRecentPopup();
    });
}
