#include "PointerQueries.h"

#include <QCursor>
#include <QScreen>
#include <dlfcn.h>

namespace {

int Queries = 0;

template <typename Fn> Fn Next(const char* Name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, Name));
}

} // namespace

int PointerQueries()
{
    return Queries;
}

// The executable's definitions come first in the dynamic linker's search, so Qt's own libraries reach
// these instead of their own.
QPoint QCursor::pos()
{
    ++Queries;
    static const auto Real = Next<QPoint (*)()>("_ZN7QCursor3posEv");
    return Real ? Real() : QPoint();
}

QPoint QCursor::pos(const QScreen* Screen)
{
    ++Queries;
    static const auto Real = Next<QPoint (*)(const QScreen*)>("_ZN7QCursor3posEPK7QScreen");
    return Real ? Real(Screen) : QPoint();
}
