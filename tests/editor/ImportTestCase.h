#pragma once

// What the import tests share: a main window with its import dialog, files written into a
// temporary folder, and stand-ins for the user at the message boxes, the file dialog and the
// list of notes.
#include "EditorFixture.h"

#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MapImport.h"
#include "MessageBoxes.h"
#include "PersonAnswer.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "TUICircle.h"
#include "TUIPolygon.h"
#include "TUIRectangle.h"
#include "UnitHTMLImport.h"
#include "UnitImportNotes.h"
#include "WindowParts.h"

#include <QAbstractButton>
#include <QApplication>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace {

struct ShownMessage
{
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QString Title;
};

// Records every message box instead of showing it.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        FPrevious = SetMessageBoxRunner([this](QMessageBox& box) {
            Messages.append({box.text(), box.icon(), box.windowTitle()});
            return QMessageBox::Ok;
        });
    }
    ~MessageRecorder() { SetMessageBoxRunner(FPrevious); }
    QList<ShownMessage> Messages;

private:
    MessageBoxRunner FPrevious;
};

// Chooses a file in the shared open dialog (or cancels it) for the lifetime of the object.
class DialogChoice
{
public:
    explicit DialogChoice(const QString& path)
        : FPrevious(SetDialogRunner(path.isEmpty() ? CancelDialogRunner() : ChooseFileRunner(path)))
    {
    }
    ~DialogChoice() { SetDialogRunner(FPrevious); }

private:
    DialogRunner FPrevious;
};

// What the main window holds of the document, to check that a failed or cancelled import leaves it
// exactly as it was.
struct DocumentState
{
    QImage Bitmap;
    QString ImageFileName;
    QString MapName;
    QString Caption;
    QString SaveName;
    int ClientWidth = 0;
    int ClientHeight = 0;
    QVector<MapArea> Areas;
    QList<TGUIRegion*> Regions;

    static DocumentState Of(TFormCorvantaZonequilter& w)
    {
        DocumentState s;
        s.Bitmap = w.Document()->Picture();
        s.ImageFileName = w.Document()->ImageFileName();
        s.MapName = w.Document()->MapName();
        s.Caption = ShownTitle(w);
        s.SaveName = SharedSaveDialog()->FileName();
        s.ClientWidth = Find<TPTGroup>(w, "PanelScene")->ClientWidth();
        s.ClientHeight = Find<TPTGroup>(w, "PanelScene")->ClientHeight();
        s.Areas = GatherMapAreas(*Find<TPTGroup>(w, "PanelScene"));
        s.Regions = Find<TPTGroup>(w, "PanelScene")->Regions();
        return s;
    }
    void Compare(const DocumentState& o) const
    {
        QCOMPARE(o.Bitmap, Bitmap);
        QCOMPARE(o.ImageFileName, ImageFileName);
        QCOMPARE(o.MapName, MapName);
        QCOMPARE(o.Caption, Caption);
        QCOMPARE(o.SaveName, SaveName);
        QCOMPARE(o.ClientWidth, ClientWidth);
        QCOMPARE(o.ClientHeight, ClientHeight);
        QCOMPARE(o.Areas, Areas);
        QCOMPARE(o.Regions, Regions);
    }
};

inline QString areaLine(const QString& shape, const QString& coords, const QString& href = QString(),
                        const QString& alt = QString(), const QString& target = QString())
{
    return QStringLiteral("<area shape=\"%1\" coords=\"%2\" href=\"%3\" alt=\"%4\" target=\"%5\">\n")
        .arg(shape, coords, href, alt, target);
}

// Answers the list of notes the next import shows as a person does (see TPersonAnswer): records
// its rows ("number | link | what happened"), then clicks Import or Cancel.
class NotesAnswer
{
public:
    explicit NotesAnswer(bool import)
        : FAnswer([this, import](QWidget* dialog) -> QAbstractButton* {
              auto* notes = qobject_cast<TFormImportNotes*>(dialog);
              if (!notes)
                  return nullptr;
              if (!Shown) {
                  Shown = true;
                  for (int i = 0; i < notes->ListNotes->topLevelItemCount(); ++i) {
                      const QTreeWidgetItem* item = notes->ListNotes->topLevelItem(i);
                      Rows.append(item->text(0) + " | " + item->text(1) + " | " + item->text(2));
                  }
              }
              return import ? notes->ButtonImport : notes->ButtonCancel;
          })
    {
    }
    bool Answered() const { return FAnswer.Answered(); }
    QString Failure() const { return FAnswer.Failure(); }
    bool Shown = false;
    QStringList Rows;

private:
    TPersonAnswer FAnswer;
};

} // namespace

class ImportTestCase : public QObject
{
    Q_OBJECT

protected slots:
    void init();
    void cleanup();

protected:
    QString writeFile(const QString& name, const QByteArray& bytes);
    QString writePicture(const QString& name, int width, int height, QColor colour = Qt::red);
    QString writeMapPage(const QString& name, const QString& imageSrc, const QString& mapName,
                         const QString& areas);
    // Runs ExecuteImport; while the dialog is shown, Act drives it.
    bool runExecuteImport(TFormHTMLImport& dialog, std::function<void(TFormHTMLImport&)> act);
    void clickRow(TFormHTMLImport& dialog, int row);

    std::unique_ptr<QTemporaryDir> FDir;
    std::unique_ptr<MainWindowFixture> FFixture;
    std::unique_ptr<TFormHTMLImport> FDialog;
};

inline void ImportTestCase::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    FFixture = std::make_unique<MainWindowFixture>();
    QVERIFY(FFixture->Ready);
    FDialog = std::make_unique<TFormHTMLImport>(*FFixture->Window);
    // The shared dialogs live for the whole run; every test starts with no document file.
    SharedSaveDialog()->SetFileName(QString());
    SharedOpenDialog()->SetFileName(QString());
    Invoke(*FFixture->Window, "FormActivate");
}

inline void ImportTestCase::cleanup()
{
    FDialog.reset();
    FFixture.reset();
    FDir.reset();
}

inline QString ImportTestCase::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = FDir->filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QString ImportTestCase::writePicture(const QString& name, int width, int height, QColor colour)
{
    const QString path = FDir->filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    if (!image.save(path, "PNG"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QString ImportTestCase::writeMapPage(const QString& name, const QString& imageSrc,
                                            const QString& mapName, const QString& areas)
{
    const QString html = QStringLiteral("<html><body>\n<img src=\"%1\" usemap=\"#%2\">\n"
                                        "<map name=\"%2\">\n%3</map>\n</body></html>\n")
                             .arg(imageSrc, mapName, areas);
    return writeFile(name, html.toUtf8());
}

inline bool ImportTestCase::runExecuteImport(TFormHTMLImport& dialog,
                                             std::function<void(TFormHTMLImport&)> act)
{
    bool acted = false;
    QTimer::singleShot(0, &dialog, [&] {
        acted = true;
        QVERIFY(dialog.isVisible());
        act(dialog);
    });
    const bool result = dialog.ExecuteImport();
    if (!acted)
        qWarning("the dialog was not shown");
    return result;
}

inline void ImportTestCase::clickRow(TFormHTMLImport& dialog, int row)
{
    QTreeWidgetItem* item = dialog.ListView->topLevelItem(row);
    QVERIFY(item);
    const QRect rect = dialog.ListView->visualItemRect(item);
    QVERIFY(rect.isValid());
    QTest::mouseClick(dialog.ListView->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}
