#pragma once

#include "MapCheck.h"

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
// it in the row's context menu.
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

    TFormCorvantaZonequilter& FWindow;
    QTreeWidget* FList;
    QTimer* FRefresh;
    QAction* FAddAltText;
    QVector<MapFinding> FFindings;
    int FAreaCount = 0;
};

// Adds the map checks to the window: Tools > Check Map with the Problems dock, File > Export
// Responsive Page... and Edit > Copy as SVG Overlay.
TProblemsDock* InstallMapChecks(TFormCorvantaZonequilter& Window);
