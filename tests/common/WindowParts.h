#pragma once
// The main window's widgets, actions and handlers as the user reaches them: by object name. Its
// parts are private; tests and benchmarks find them here. A part that is missing stops the run
// with its name, rather than failing later on a null pointer.

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QtGlobal>

#include <typeinfo>

namespace WindowPartsDetail {

// A QObject below Window named Name, or, for the overlays laid on a scene, an item of a scene shown
// in the window.
inline QObject* FindPart(const QObject& Window, const QString& Name)
{
    if (QObject* part = Window.findChild<QObject*>(Name))
        return part;
    for (const QGraphicsView* view : Window.findChildren<QGraphicsView*>()) {
        if (!view->scene())
            continue;
        for (QGraphicsItem* item : view->scene()->items())
            if (QGraphicsObject* object = item->toGraphicsObject(); object && object->objectName() == Name)
                return object;
    }
    return nullptr;
}

} // namespace WindowPartsDetail

// The part of Window named Name, of type T.
template <class T> T* Find(const QObject& Window, const char* Name)
{
    QObject* found = WindowPartsDetail::FindPart(Window, QString::fromLatin1(Name));
    if (!found)
        qFatal("%s has no part named \"%s\"", qPrintable(Window.objectName()), Name);
    T* part = dynamic_cast<T*>(found);
    if (!part)
        qFatal("%s's part \"%s\" is a %s, not a %s", qPrintable(Window.objectName()), Name,
               found->metaObject()->className(), typeid(T).name());
    return part;
}

// Runs Window's handler Name (private slots included), as its action or widget would.
inline void Invoke(QObject& Window, const char* Name)
{
    if (!QMetaObject::invokeMethod(&Window, Name, Qt::DirectConnection))
        qFatal("%s has no handler \"%s\"", qPrintable(Window.objectName()), Name);
}

// The same for a handler that answers true or false.
inline bool InvokeBool(QObject& Window, const char* Name)
{
    bool result = false;
    if (!QMetaObject::invokeMethod(&Window, Name, Qt::DirectConnection, Q_RETURN_ARG(bool, result)))
        qFatal("%s has no handler \"%s\" returning bool", qPrintable(Window.objectName()), Name);
    return result;
}
