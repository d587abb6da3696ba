#include "SharedDialogs.h"

#include "MessageBoxes.h"
#include "TSharedFileDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace {
bool RunModal(QFileDialog& dialog)
{
    // The dialog keeps the size it opens with.
    dialog.setSizeGripEnabled(false);
    dialog.setFixedSize(dialog.sizeHint().expandedTo(QSize(640, 420)));
    return dialog.exec() == QDialog::Accepted;
}

DialogRunner& CurrentRunner()
{
    static DialogRunner runner = RunModal;
    return runner;
}

// The shared dialogs belong to the application and go with it.
TSharedFileDialog* SharedDialog(QPointer<TSharedFileDialog>& slot, QFileDialog::AcceptMode mode)
{
    if (!slot) {
        slot = new TSharedFileDialog(mode);
        if (QCoreApplication::instance())
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, slot.data(), &QObject::deleteLater);
    }
    return slot.data();
}

QString WithoutLeadingDot(const QString& ext)
{
    QString result = ext;
    while (result.startsWith(QLatin1Char('.')))
        result.remove(0, 1);
    return result;
}

bool ExecuteDialog(TSharedFileDialog* dialog, const QString& fileName, const QString& filter,
                   const QString& defaultExt)
{
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    QString folder;
    if (slash == 0)
        folder = QStringLiteral("/");
    else if (slash > 0)
        folder = SafeFolderName(fileName.left(slash));
    const QString name = SafeFileName(fileName.mid(slash + 1));

    if (!folder.isEmpty())
        dialog->setDirectory(folder);
    // The filter first: a save dialog given its filter gives the shown name the filter's first
    // extension, which would turn "index.html" into "index.htm".
    dialog->SetFilter(filter);
    dialog->SetDefaultExt(defaultExt);
    dialog->selectFile(name);

    if (!CurrentRunner()(*dialog))
        return false;
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return false;
    QString chosen = files.first();
    // Qt adds the default suffix only on some paths through the dialog; make it certain.
    if (dialog->acceptMode() == QFileDialog::AcceptSave && !dialog->DefaultExt().isEmpty() &&
        QFileInfo(chosen).suffix().isEmpty() && !QFileInfo(chosen).exists())
        chosen += QLatin1Char('.') + dialog->DefaultExt();
    dialog->SetFileName(chosen);
    return true;
}
} // namespace

TSharedFileDialog::TSharedFileDialog(QFileDialog::AcceptMode Mode, QWidget* Parent) : QFileDialog(Parent)
{
    setObjectName(Mode == QFileDialog::AcceptOpen ? QStringLiteral("SharedOpenDialog")
                                                  : QStringLiteral("SharedSaveDialog"));
    // Qt's own dialog everywhere, so the options below hold and the dialog can be driven in tests.
    setOption(QFileDialog::DontUseNativeDialog, true);
    // The descriptions are shown as written; the masks are added to them for Qt's parser only.
    setOption(QFileDialog::HideNameFilterDetails, true);
    setAcceptMode(Mode);
    setFileMode(Mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    setWindowModality(Qt::ApplicationModal);
    // The file name's completion list fills from a directory scan in the background; an answer that
    // comes after the dialog has closed would show the list on its own over the main window.
    for (QCompleter* completer : findChildren<QCompleter*>())
        if (completer->popup())
            completer->popup()->installEventFilter(this);
}

void TSharedFileDialog::hideEvent(QHideEvent* Event)
{
    for (QCompleter* completer : findChildren<QCompleter*>())
        if (completer->popup())
            completer->popup()->hide();
    QFileDialog::hideEvent(Event);
}

bool TSharedFileDialog::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::Show && !isVisible())
        if (auto* popup = qobject_cast<QWidget*>(Watched))
            QMetaObject::invokeMethod(popup, &QWidget::hide, Qt::QueuedConnection);
    return QFileDialog::eventFilter(Watched, Event);
}

void TSharedFileDialog::SetFilter(const QString& Filter)
{
    FFilter = Filter;
    setNameFilters(ConvertFilter(Filter));
}

void TSharedFileDialog::SetDefaultExt(const QString& Ext)
{
    FDefaultExt = WithoutLeadingDot(Ext);
    setDefaultSuffix(FDefaultExt);
}

QString TSharedFileDialog::SaveRefusalReason(const QString& Path)
{
    const QFileInfo info(Path);
    if (!info.absoluteDir().exists())
        return QObject::tr("The folder \"%1\" does not exist.")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    if (info.exists() && info.isFile() && !info.isWritable())
        return QObject::tr("\"%1\" is read-only. Choose another file name.")
            .arg(QDir::toNativeSeparators(info.absoluteFilePath()));
    return QString();
}

void TSharedFileDialog::accept()
{
    if (acceptMode() == QFileDialog::AcceptSave) {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !QFileInfo(files.first()).isDir()) {
            const QString reason = SaveRefusalReason(files.first());
            if (!reason.isEmpty()) {
                AppMessageBox(reason);
                return;
            }
        }
    }
    QFileDialog::accept();
}

TSharedFileDialog* SharedOpenDialog()
{
    static QPointer<TSharedFileDialog> dialog;
    return SharedDialog(dialog, QFileDialog::AcceptOpen);
}

TSharedFileDialog* SharedSaveDialog()
{
    static QPointer<TSharedFileDialog> dialog;
    return SharedDialog(dialog, QFileDialog::AcceptSave);
}

DialogRunner SetDialogRunner(DialogRunner Runner)
{
    DialogRunner previous = CurrentRunner();
    CurrentRunner() = Runner ? std::move(Runner) : DialogRunner(RunModal);
    return previous;
}

DialogRunner ChooseFileRunner(const QString& Path)
{
    return [Path](QFileDialog& dialog) {
        dialog.selectFile(Path);
        return true;
    };
}

DialogRunner CancelDialogRunner()
{
    return [](QFileDialog&) { return false; };
}

bool ExecuteOpenDialog(const QString& FileName, const QString& Filter, const QString& DefaultExt)
{
    return ExecuteDialog(SharedOpenDialog(), FileName, Filter.isEmpty() ? DefaultFileFilter() : Filter,
                         DefaultExt);
}

bool ExecuteSaveDialog(const QString& FileName, const QString& Filter, const QString& DefaultExt)
{
    return ExecuteDialog(SharedSaveDialog(), FileName, Filter, DefaultExt);
}

QString StripPathChars(const QString& Text)
{
    QString result = Text;
    for (const QChar c : {QLatin1Char('/'), QLatin1Char('|'), QLatin1Char('<'), QLatin1Char('>')})
        result.remove(c);
    return result;
}

QString SafeFileName(const QString& Name)
{
    const QString result = StripPathChars(Name);
    if (result == QLatin1String(".") || result == QLatin1String(".."))
        return QString();
    return result;
}

QString SafeFolderName(const QString& Folder)
{
    QString result = Folder;
    for (const QChar c : {QLatin1Char('|'), QLatin1Char('<'), QLatin1Char('>')})
        result.remove(c);
    return result;
}

QStringList ConvertFilter(const QString& Filter)
{
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList result;
    // Pairs of description and masks; the element after the last "|" is empty.
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList masks;
        for (const QString& mask : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = mask.trimmed();
            if (trimmed.isEmpty())
                continue;
            masks.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (masks.isEmpty())
            continue;
        const QString description = parts[i].trimmed();
        const QString list = masks.join(QLatin1Char(' '));
        result.append(description.isEmpty() ? QStringLiteral("(%1)").arg(list)
                                            : QStringLiteral("%1 (%2)").arg(description, list));
    }
    return result;
}

QString DefaultFileFilter()
{
    return QStringLiteral("All Files (*.*)|*.*|");
}
