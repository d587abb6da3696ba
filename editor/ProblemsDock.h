#pragma once

#include "MapCheck.h"
#include "PageCheck.h"

#include <QDockWidget>
#include <QVector>

class QAction;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class TFormCorvantaZonequilter;

// The dockable "Problems" panel: the map checker's findings for the current document, one row
// each with its severity, the region and the message. Kept up to date after every step while it
// shows. A double-click selects the region and scrolls to it; a finding with an obvious fix offers
// it in the row's context menu. For a map imported from a page, the findings of the page itself
// (a duplicate map name, a usemap that names no map, a map no image uses) follow the map's own.
class TProblemsDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit TProblemsDock(TFormCorvantaZonequilter& Window);

    QTreeWidget* List() const { return FList; }
    // Checks the document now.
    void Refresh();
    // The findings shown, in their rows' order.
    const QVector<MapFinding>& Findings() const { return FFindings; }
    // Selects the region of the finding in Row and shows it; false when it has none.
    bool SelectFinding(int Row);
    // The fix of the finding in Row, or null when there is none obvious.
    QAction* FixFor(int Row);

private:
    void ScheduleRefresh();
    void ShowMenu(const QPoint& Pos);
    // The findings of the page the document came from, read from the page again only when it
    // changed on disk or the document's tie to it did (an import, Save Into Page).
    void UpdatePageFindings();

    TFormCorvantaZonequilter& FWindow;
    QTreeWidget* FList;
    QTimer* FRefresh;
    QAction* FAddAltText;
    QVector<MapFinding> FFindings;
    QString FPageKey;
    QString FPageError;
    QVector<PageFinding> FPageFindings;
    int FAreaCount = 0;
};

// Adds the map checks to the window: Tools > Check Map with the Problems dock, File > Export
// Responsive Page... and Edit > Copy as SVG Overlay.
TProblemsDock* InstallMapChecks(TFormCorvantaZonequilter& Window);
