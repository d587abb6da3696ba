// Cut, Copy, Paste, Duplicate and Select All for regions, and the Edit menu's and the scene's context
// menu's items for them and for one-step stacking.
#include "UnitMain.h"

#include "EditorDialogs.h"
#include "HtmlDocument.h"
#include "ImageMapWriter.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MapImport.h"
#include "RegionCommands.h"
#include "TGUIRegion.h"
#include "Translation.h"
#include "UPTFrame.h"
#include "UnitImportNotes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDataStream>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QtEndian>
#include <algorithm>
#include <numeric>

namespace {

// Regions on the clipboard with their exact values, for a paste into this program.
const QString RegionsMimeType = QStringLiteral("application/x-corvanta-zonequilter-regions");
constexpr quint32 RegionsMagic = 0x5A515247; // "ZQRG"
constexpr quint32 RegionsVersion = 1;

// How far a paste or a duplicate lands from the copied regions, in image pixels.
constexpr int PasteOffset = 10;

QString WindowText(const char* Text)
{
    return TranslateText(QString::fromLatin1(Text), QStringLiteral("TFormCorvantaZonequilter"));
}

QByteArray EncodeAreas(const QVector<MapArea>& Areas)
{
    QByteArray bytes;
    qsizetype estimate = 64;
    for (const MapArea& area : Areas)
        estimate += 64 + area.Vertices.size() * 8 + (area.HRef.size() + area.AltText.size()) * 2;
    bytes.reserve(estimate);
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << RegionsMagic << RegionsVersion << qint64(Areas.size());
    for (const MapArea& area : Areas) {
        out << qint32(area.shape) << qint32(area.Left) << qint32(area.Top) << qint32(area.Width)
            << qint32(area.Height) << qint32(area.Vertices.size());
        // The vertices in one piece: a polygon of many corners is one write, not two per corner.
        QVector<qint32> xy;
        xy.reserve(area.Vertices.size() * 2);
        for (const QPoint& p : area.Vertices)
            xy << qToLittleEndian(qint32(p.x())) << qToLittleEndian(qint32(p.y()));
        out.writeRawData(reinterpret_cast<const char*>(xy.constData()), int(xy.size() * sizeof(qint32)));
        out << area.HRef << area.AltText << area.Target;
        out << qint64(area.Attributes.size());
        for (const auto& attribute : area.Attributes)
            out << attribute.first << attribute.second;
    }
    return bytes;
}

bool DecodeAreas(const QByteArray& Bytes, QVector<MapArea>& Areas)
{
    QDataStream in(Bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint32 version = 0;
    qint64 count = 0;
    in >> magic >> version >> count;
    if (magic != RegionsMagic || version != RegionsVersion || count < 0 || count > Bytes.size())
        return false;
    Areas.clear();
    Areas.reserve(count);
    for (qint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        MapArea area;
        qint32 shape = 0;
        qint32 left = 0, top = 0, width = 0, height = 0;
        qint32 vertices = 0;
        in >> shape >> left >> top >> width >> height >> vertices;
        if (vertices < 0 || vertices > Bytes.size() / 8)
            return false;
        QVector<qint32> xy(vertices * 2);
        if (in.readRawData(reinterpret_cast<char*>(xy.data()), int(xy.size() * sizeof(qint32))) !=
            int(xy.size() * sizeof(qint32)))
            return false;
        area.Vertices.reserve(vertices);
        for (int v = 0; v < vertices; ++v)
            area.Vertices.append(QPoint(qFromLittleEndian(xy[2 * v]), qFromLittleEndian(xy[2 * v + 1])));
        in >> area.HRef >> area.AltText >> area.Target;
        qint64 attributes = 0;
        in >> attributes;
        if (shape < 0 || shape > qint32(MapArea::Shape::Poly) || attributes < 0 || attributes > Bytes.size())
            return false;
        for (qint64 a = 0; a < attributes && in.status() == QDataStream::Ok; ++a) {
            QPair<QString, QString> attribute;
            in >> attribute.first >> attribute.second;
            area.Attributes.append(attribute);
        }
        area.shape = MapArea::Shape(shape);
        area.Left = left;
        area.Top = top;
        area.Width = width;
        area.Height = height;
        Areas.append(std::move(area));
    }
    return in.status() == QDataStream::Ok && Areas.size() == count;
}

// The top-left corner of the areas' joint bounds.
QPoint TopLeftOf(const QVector<MapArea>& Areas)
{
    int left = INT_MAX;
    int top = INT_MAX;
    for (const MapArea& area : Areas) {
        if (area.shape == MapArea::Shape::Poly) {
            for (const QPoint& p : area.Vertices) {
                left = std::min(left, p.x());
                top = std::min(top, p.y());
            }
        } else {
            left = std::min({left, area.Left, area.Left + area.Width});
            top = std::min({top, area.Top, area.Top + area.Height});
        }
    }
    return left == INT_MAX ? QPoint() : QPoint(left, top);
}

void MoveArea(MapArea& Area, int DX, int DY)
{
    Area.Left += DX;
    Area.Top += DY;
    for (QPoint& p : Area.Vertices)
        p += QPoint(DX, DY);
}

} // namespace

void TFormCorvantaZonequilter::CreateClipboardCommands()
{
    auto make = [this](QAction*& Action, const char* Name, const char* Text, const QKeySequence& Key) {
        Action = new QAction(WindowText(Text), this);
        Action->setObjectName(QString::fromLatin1(Name));
        if (!Key.isEmpty()) {
            Action->setShortcut(Key);
            // Only while the Edit tab has the focus: the source view and the edit boxes keep their own
            // clipboard keys.
            Action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            TabSheetEdit->addAction(Action);
        }
    };
    make(MICut, "MICut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    make(MICopy, "MICopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    make(MIPaste, "MIPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    make(MIDuplicate, "MIDuplicate", "D&uplicate", QKeySequence(Qt::CTRL | Qt::Key_D));
    make(MISelectAll, "MISelectAll", "Select &All", QKeySequence(Qt::CTRL | Qt::Key_A));
    make(MenuItemPaste, "MenuItemPaste", "&Paste", QKeySequence());
    make(MenuItemBringForward, "MenuItemBringForward", "Bring &Forward",
         QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
    make(MenuItemSendBackward, "MenuItemSendBackward", "Send Back&ward",
         QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
    connect(MICut, &QAction::triggered, this, &TFormCorvantaZonequilter::MICutClick);
    connect(MICopy, &QAction::triggered, this, &TFormCorvantaZonequilter::MICopyClick);
    connect(MIPaste, &QAction::triggered, this, &TFormCorvantaZonequilter::MIPasteClick);
    connect(MenuItemPaste, &QAction::triggered, this, &TFormCorvantaZonequilter::MenuItemPasteClick);
    connect(MIDuplicate, &QAction::triggered, this, &TFormCorvantaZonequilter::MIDuplicateClick);
    connect(MISelectAll, &QAction::triggered, this, &TFormCorvantaZonequilter::MISelectAllClick);
    connect(MenuItemBringForward, &QAction::triggered, this,
            &TFormCorvantaZonequilter::MenuItemBringForwardClick);
    connect(MenuItemSendBackward, &QAction::triggered, this,
            &TFormCorvantaZonequilter::MenuItemSendBackwardClick);

    MIEdit->addSeparator();
    MIEdit->addActions({MICut, MICopy, MIPaste, MIDuplicate, MenuItemDelete});
    MIEdit->addSeparator();
    MIEdit->addAction(MISelectAll);
    MIEdit->addSeparator();
    MIEdit->addActions(
        {MenuItemBringtoFront, MenuItemBringForward, MenuItemSendBackward, MenuItemSendtoBack});
    connect(MIEdit, &QMenu::aboutToShow, this, &TFormCorvantaZonequilter::UpdateRegionCommands);

    // The scene's menu: the clipboard's items first, the stacking steps beside Send to Back and
    // Bring to Front.
    QAction* first = PopupMenu1->actions().value(0);
    PopupMenu1->insertActions(first, {MICut, MICopy, MenuItemPaste, MIDuplicate});
    PopupMenu1->insertSeparator(first);
    PopupMenu1->insertAction(MenuItemBringtoFront, MenuItemSendBackward);
    PopupMenu1->insertAction(MenuItemBringtoFront, MenuItemBringForward);
    QAction* properties = MenuItemProperties;
    PopupMenu1->insertAction(properties, MISelectAll);
    PopupMenu1->insertSeparator(properties);

    connect(FDocument, &TMapDocument::SelectionChanged, this, [this] {
        UpdateRegionCommands();
        UpdateSelectionMarks(false);
    });
    connect(FDocument, &TMapDocument::Changed, this, [this] { UpdateSelectionMarks(true); });
    connect(PanelScene, &TPTCustomGroup::ShapesChanged, this,
            &TFormCorvantaZonequilter::UpdateRegionCommands);
    UpdateSelectionMarks(true);
}

void TFormCorvantaZonequilter::UpdateClipboardCommands()
{
    const bool onEdit = PageControl->currentWidget() == TabSheetEdit;
    const bool selected = onEdit && ActiveRegion();
    for (QAction* action : {MICut, MICopy, MIDuplicate})
        action->setEnabled(selected);
    MIPaste->setEnabled(onEdit);
    MenuItemPaste->setEnabled(onEdit);
    MISelectAll->setEnabled(onEdit && FDocument->RegionCount() > 0);
    int index = -1;
    int count = 0;
    if (selected)
        ActiveRegion()->GetZPosition(index, count);
    const bool many = selected && FDocument->SelectedCount() > 1;
    MenuItemBringForward->setEnabled(selected && (many || index < count - 1));
    MenuItemSendBackward->setEnabled(selected && (many || index > 0));
}

QVector<MapArea> TFormCorvantaZonequilter::SelectedAreas() const
{
    QVector<MapArea> areas;
    const QVector<int> positions = FDocument->SelectedPositions();
    areas.reserve(positions.size());
    for (int position : positions)
        if (const TGUIRegion* region = FDocument->RegionAt(position))
            areas.append(RegionArea(*region));
    return areas;
}

void TFormCorvantaZonequilter::MICopyClick()
{
    const QVector<MapArea> areas = SelectedAreas();
    if (areas.isEmpty())
        return;
    // The area lines as the writer writes them, front-most first: its own fast way through a map,
    // cut down to the lines.
    QString page;
    QVector<qsizetype> starts;
    AppendImageMapHTML(page, QString(), QString(), QVector<MapArea>(areas.crbegin(), areas.crend()), {},
                       &starts);
    const QString text = page.mid(starts.first(), starts.last() - starts.first());
    auto* data = new QMimeData;
    data->setData(RegionsMimeType, EncodeAreas(areas));
    data->setText(text);
    QApplication::clipboard()->setMimeData(data);
}

void TFormCorvantaZonequilter::MICutClick()
{
    if (!ActiveRegion())
        return;
    MICopyClick();
    DeleteSelection(EditorText(QStringLiteral("Cut")));
}

bool TFormCorvantaZonequilter::ClipboardAreas(QVector<MapArea>& Areas, QByteArray& Key)
{
    if (PageControl->currentWidget() != TabSheetEdit)
        return false;
    const auto none = [this] {
        StatusPanel0->setText(EditorText(QStringLiteral("The clipboard holds no regions")));
        QApplication::beep();
        return false;
    };
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return none();
    if (data->hasFormat(RegionsMimeType)) {
        Key = data->data(RegionsMimeType);
        return (DecodeAreas(Key, Areas) && !Areas.isEmpty()) || none();
    }
    const QString text = data->text();
    if (!text.contains(QLatin1String("<area"), Qt::CaseInsensitive))
        return none();
    Key = text.toUtf8();
    // Lines of areas alone are read as one map's.
    static const QRegularExpression mapTag(QStringLiteral("<map[\\s>/]"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QString html =
        text.contains(mapTag) ? text : QStringLiteral("<map>") + text + QStringLiteral("</map>");
    HtmlDocument document;
    if (!document.Write(html))
        return none();
    for (const HtmlDocument::MapElement& map : document.Maps()) {
        if (map.Areas.isEmpty())
            continue;
        QVector<AreaNote> notes;
        const QVector<MapArea> read = ReadMapAreas(map, &notes);
        if (!notes.isEmpty()) {
            TFormImportNotes report(this);
            report.ButtonImport->setText(WindowText("&Paste"));
            const QString name = map.Name().isEmpty() ? EditorText(QStringLiteral("Clipboard")) : map.Name();
            if (!report.Confirm(name, notes))
                return false;
        }
        // A map lists its front-most area first; the document stacks bottom first.
        Areas = QVector<MapArea>(read.crbegin(), read.crend());
        return !Areas.isEmpty() || none();
    }
    return none();
}

void TFormCorvantaZonequilter::PasteAreas(QVector<MapArea> Areas, const QString& Text, const TPoint* At,
                                          int Offset)
{
    const QPoint corner = TopLeftOf(Areas);
    const int dx = At ? At->X - corner.x() : Offset;
    const int dy = At ? At->Y - corner.y() : Offset;
    for (MapArea& area : Areas) {
        MoveArea(area, dx, dy);
        // A copy is a new region, not the page's area it may have been read from.
        area.SourceArea = -1;
    }
    FDocument->Push(new TInsertRegionsCommand(*FDocument, std::move(Areas), Text));
    UpdateRegionCommands();
}

void TFormCorvantaZonequilter::MIPasteClick()
{
    QVector<MapArea> areas;
    QByteArray key;
    if (!ClipboardAreas(areas, key))
        return;
    // The same content pasted again lands a further step away, so that no copy hides another.
    FPasteRepeat = key == FLastPasted ? FPasteRepeat + 1 : 1;
    FLastPasted = key;
    PasteAreas(std::move(areas), EditorText(QStringLiteral("Paste")), nullptr, PasteOffset * FPasteRepeat);
}

void TFormCorvantaZonequilter::MenuItemPasteClick()
{
    QVector<MapArea> areas;
    QByteArray key;
    if (!ClipboardAreas(areas, key))
        return;
    const TPoint at = FMenuPoint;
    PasteAreas(std::move(areas), EditorText(QStringLiteral("Paste")), &at, 0);
}

void TFormCorvantaZonequilter::MIDuplicateClick()
{
    QVector<MapArea> areas = SelectedAreas();
    if (areas.isEmpty())
        return;
    PasteAreas(std::move(areas), EditorText(QStringLiteral("Duplicate")), nullptr, PasteOffset);
}

void TFormCorvantaZonequilter::MISelectAllClick()
{
    if (PageControl->currentWidget() != TabSheetEdit)
        return;
    const int count = FDocument->RegionCount();
    if (count == 1) {
        FDocument->Select(0);
        return;
    }
    QVector<int> all(count);
    std::iota(all.begin(), all.end(), 0);
    FDocument->SelectPositions(all, FDocument->SelectedPosition());
}
