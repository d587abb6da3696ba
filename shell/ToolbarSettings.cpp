#include "ToolbarSettings.h"

#include "MessageBoxes.h"
#include "SettingsFile.h"

#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QToolBar>
#include <algorithm>

namespace {
constexpr int LayoutRevision = 2000;
// The longest value the settings file gives back, as the platform's INI reader does.
constexpr int MaxValueLength = 2047;

const Qt::ToolBarArea Areas[] = {Qt::TopToolBarArea, Qt::LeftToolBarArea, Qt::RightToolBarArea,
                                 Qt::BottomToolBarArea};

struct TPlace
{
    Qt::ToolBarArea Area = Qt::NoToolBarArea;
    int Row = 0;
    int Pos = 0;
};

bool IsHorizontal(Qt::ToolBarArea Area)
{
    return Area == Qt::TopToolBarArea || Area == Qt::BottomToolBarArea;
}

QList<QToolBar*> WindowToolbars(QMainWindow& Window)
{
    return Window.findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly);
}

// Where every docked toolbar of the window sits: its area, its row counted from the window's
// edge (the order in which Qt stacks the lines of an area) and its offset along the row.
QHash<QToolBar*, TPlace> CurrentPlaces(QMainWindow& Window)
{
    if (QLayout* layout = Window.layout())
        layout->activate();
    const QList<QToolBar*> all = WindowToolbars(Window);
    int innerTop = 0;
    if (QWidget* menu = Window.menuWidget(); menu && !menu->isHidden())
        innerTop = menu->geometry().bottom() + 1;
    for (QToolBar* tb : all) {
        if (Window.toolBarArea(tb) == Qt::TopToolBarArea && !tb->isFloating() && !tb->isHidden())
            innerTop = std::max(innerTop, tb->geometry().bottom() + 1);
    }

    QHash<QToolBar*, TPlace> places;
    for (Qt::ToolBarArea area : Areas) {
        QList<QToolBar*> inArea;
        for (QToolBar* tb : all) {
            if (!tb->isFloating() && Window.toolBarArea(tb) == area)
                inArea += tb;
        }
        const bool horizontal = IsHorizontal(area);
        const bool fromFarEdge = area == Qt::BottomToolBarArea || area == Qt::RightToolBarArea;
        QList<int> lines;
        for (QToolBar* tb : inArea) {
            const int cross = horizontal ? tb->geometry().top() : tb->geometry().left();
            if (!lines.contains(cross))
                lines += cross;
        }
        std::sort(lines.begin(), lines.end());
        if (fromFarEdge)
            std::reverse(lines.begin(), lines.end());
        for (QToolBar* tb : inArea) {
            const QRect g = tb->geometry();
            TPlace place;
            place.Area = area;
            place.Row = int(lines.indexOf(horizontal ? g.top() : g.left()));
            place.Pos = horizontal ? g.left() : g.top() - innerTop;
            places.insert(tb, place);
        }
    }
    return places;
}

QString ReadString(const QSettings& Ini, const QString& Key, const QString& Default = QString())
{
    const QVariant value = Ini.value(Key);
    if (!value.isValid())
        return Default;
    return IniValueText(value).left(MaxValueLength);
}

int ReadInt(const QSettings& Ini, const QString& Key, int Default)
{
    bool ok = false;
    const int value = ReadString(Ini, Key).trimmed().toInt(&ok);
    return ok ? value : Default;
}

// A dock "accepts" a toolbar when the toolbar may be dragged there.
Qt::ToolBarArea AcceptingArea(const QToolBar* Toolbar, const QString& Name)
{
    const Qt::ToolBarArea area = DockArea(Name);
    return area != Qt::NoToolBarArea && Toolbar->isAreaAllowed(area) ? area : Qt::NoToolBarArea;
}

void Rearrange(QMainWindow& Window, const QHash<QToolBar*, TPlace>& Places,
               const QHash<QToolBar*, bool>& Visible)
{
    const QList<QToolBar*> all = WindowToolbars(Window);
    for (Qt::ToolBarArea area : Areas) {
        QList<QToolBar*> inArea;
        for (QToolBar* tb : all) {
            if (Places.value(tb).Area == area)
                inArea += tb;
        }
        std::stable_sort(inArea.begin(), inArea.end(), [&](QToolBar* a, QToolBar* b) {
            const TPlace& pa = Places[a];
            const TPlace& pb = Places[b];
            return pa.Row != pb.Row ? pa.Row < pb.Row : pa.Pos < pb.Pos;
        });
        for (QToolBar* tb : inArea)
            Window.removeToolBarBreak(tb);
        // Adding a toolbar the window already holds moves it to the end of the area, so adding
        // them all in order rebuilds the area's rows.
        for (int i = 0; i < inArea.size(); ++i) {
            if (i > 0 && Places[inArea[i]].Row != Places[inArea[i - 1]].Row)
                Window.addToolBarBreak(area);
            Window.addToolBar(area, inArea[i]);
        }
    }
    for (auto it = Visible.begin(); it != Visible.end(); ++it)
        it.key()->setVisible(it.value());
}
} // namespace

QString DockName(Qt::ToolBarArea Area)
{
    switch (Area) {
    case Qt::TopToolBarArea:
        return QStringLiteral("TBDockTop");
    case Qt::LeftToolBarArea:
        return QStringLiteral("TBDockLeft");
    case Qt::RightToolBarArea:
        return QStringLiteral("TBDockRight");
    case Qt::BottomToolBarArea:
        return QStringLiteral("TBDockBottom");
    default:
        return QString();
    }
}

Qt::ToolBarArea DockArea(const QString& Name)
{
    for (Qt::ToolBarArea area : Areas) {
        if (Name.compare(DockName(area), Qt::CaseInsensitive) == 0)
            return area;
    }
    return Qt::NoToolBarArea;
}

void LoadToolbarLayout(QMainWindow& Window, const QString& FileName, const QString& Prefix,
                       const QList<QToolBar*>& Toolbars)
{
    QHash<QToolBar*, TPlace> places = CurrentPlaces(Window);
    QHash<QToolBar*, bool> visible;
    for (QToolBar* tb : WindowToolbars(Window))
        visible.insert(tb, !tb->isHidden());

    const QSettings ini(FileName, QSettings::IniFormat);
    for (QToolBar* tb : Toolbars) {
        if (!tb)
            continue;
        const QString section = Prefix + tb->objectName() + QLatin1Char('/');
        if (ReadInt(ini, section + QStringLiteral("Rev"), 0) != LayoutRevision)
            continue;
        visible[tb] = ReadInt(ini, section + QStringLiteral("Visible"), visible.value(tb) ? 1 : 0) != 0;
        const QString dockedTo = ReadString(ini, section + QStringLiteral("DockedTo"));
        if (dockedTo.isEmpty())
            continue;
        TPlace place = places.value(tb);
        Qt::ToolBarArea area = Qt::NoToolBarArea;
        if (dockedTo == QLatin1String("+")) {
            // Qt offers no way to float a toolbar from code; it goes back to its last dock.
            area = AcceptingArea(tb, ReadString(ini, section + QStringLiteral("LastDock")));
        } else {
            area = AcceptingArea(tb, dockedTo);
        }
        if (area != Qt::NoToolBarArea)
            place.Area = area;
        if (place.Area == Qt::NoToolBarArea)
            continue;
        place.Row = ReadInt(ini, section + QStringLiteral("DockRow"), place.Row);
        place.Pos = ReadInt(ini, section + QStringLiteral("DockPos"), place.Pos);
        places.insert(tb, place);
    }
    Rearrange(Window, places, visible);
}

bool SaveToolbarLayout(QMainWindow& Window, const QString& FileName, const QString& Prefix,
                       const QList<QToolBar*>& Toolbars)
{
    const QHash<QToolBar*, TPlace> places = CurrentPlaces(Window);
    QSettings ini(FileName, QSettings::IniFormat);
    for (QToolBar* tb : Toolbars) {
        if (!tb)
            continue;
        const Qt::ToolBarArea area = Window.toolBarArea(tb);
        if (!tb->isFloating() && area == Qt::NoToolBarArea)
            continue;
        const TPlace place = places.value(tb);
        ini.beginGroup(Prefix + tb->objectName());
        ini.setValue(QStringLiteral("Rev"), LayoutRevision);
        ini.setValue(QStringLiteral("Visible"), tb->isHidden() ? 0 : 1);
        if (tb->isFloating())
            ini.setValue(QStringLiteral("DockedTo"), QStringLiteral("+"));
        else
            ini.setValue(QStringLiteral("DockedTo"), tb->isAreaAllowed(area) ? DockName(area) : QString());
        ini.setValue(QStringLiteral("LastDock"), DockName(area));
        ini.setValue(QStringLiteral("DockRow"), place.Row);
        ini.setValue(QStringLiteral("DockPos"), place.Pos);
        ini.setValue(QStringLiteral("FloatLeft"), tb->isFloating() ? tb->x() : 0);
        ini.setValue(QStringLiteral("FloatTop"), tb->isFloating() ? tb->y() : 0);
        ini.setValue(QStringLiteral("FloatRightX"), tb->isFloating() ? tb->width() : 0);
        ini.endGroup();
    }
    ini.sync();
    // A FormatError comes from reading the old file; the write itself went through.
    return ini.status() != QSettings::AccessError;
}

void ReadToolbarLayout(QMainWindow& window, const QString& sectionPrefix, const QList<QToolBar*>& toolbars)
{
    if (!IsSettingsFileIgnored())
        LoadToolbarLayout(window, GetSettingsFileName(), sectionPrefix, toolbars);
}

bool WriteToolbarLayout(QMainWindow& window, const QString& sectionPrefix, const QList<QToolBar*>& toolbars)
{
    if (IsSettingsFileIgnored())
        return true;
    const QString fileName = GetSettingsFileName();
    if (SaveToolbarLayout(window, fileName, sectionPrefix, toolbars))
        return true;
    AppMessageBox(QStringLiteral("Unable to write to %1").arg(fileName));
    return false;
}

void KeepOneToolbarShown(const QList<QToolBar*>& Toolbars)
{
    if (!Toolbars.isEmpty() &&
        std::all_of(Toolbars.begin(), Toolbars.end(), [](QToolBar* tb) { return tb->isHidden(); }))
        Toolbars.first()->show();
}

QMenu* ToolbarsMenu(QWidget* Parent, const QList<QToolBar*>& Toolbars)
{
    auto* menu = new QMenu(Parent);
    const auto shown =
        std::count_if(Toolbars.begin(), Toolbars.end(), [](QToolBar* tb) { return !tb->isHidden(); });
    for (QToolBar* tb : Toolbars) {
        QAction* entry = menu->addAction(tb->windowTitle());
        entry->setObjectName(tb->objectName());
        entry->setCheckable(true);
        entry->setChecked(!tb->isHidden());
        entry->setEnabled(tb->isHidden() || shown > 1);
        QObject::connect(entry, &QAction::toggled, tb, &QToolBar::setVisible);
    }
    return menu;
}
