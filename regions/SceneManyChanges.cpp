// Changes of many shapes at once: Qt's view gathers the old and new place of every changed item into
// one region, whose union grows with each rectangle; for thousands of items that costs more than the
// change itself, and the region covers most of the view anyway.
#include "UPTFrame.h"

#include <QMetaObject>

namespace {
// From this many shapes a change repaints the whole view.
constexpr qsizetype ManyShapes = 64;
} // namespace

void TPTCustomGroup::BeginManyChanges(qsizetype Shapes)
{
    ++FManyChanges;
    if (Shapes < ManyShapes || FWholeRepaints)
        return;
    FWholeRepaints = true;
    FUpdateModeBefore = viewportUpdateMode();
    setViewportUpdateMode(FullViewportUpdate);
}

void TPTCustomGroup::EndManyChanges()
{
    if (FManyChanges == 0 || --FManyChanges > 0 || !FWholeRepaints)
        return;
    // The scene takes the items' changes in from the event loop, after this: the mode goes back once
    // it has, with a call posted behind its own.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (FManyChanges > 0 || !FWholeRepaints)
                return;
            FWholeRepaints = false;
            setViewportUpdateMode(FUpdateModeBefore);
        },
        Qt::QueuedConnection);
}
