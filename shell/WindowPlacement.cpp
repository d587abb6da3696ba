#include "WindowPlacement.h"

#include "AppFolder.h"
#include "SettingsFile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {
const char RestoredProperty[] = "zqPlacementRestored";

// The show states of the platform's placement record.
enum
{
    ShowNormal = 1,
    ShowMinimized = 2,
    ShowMaximized = 3,
    ShowMinimize = 6,
    ShowMinNoActive = 7
};
// Placement flag: a minimized window returns to the maximized state.
constexpr int RestoreToMaximized = 2;

QString& StoreFile()
{
    static QString fileName;
    return fileName;
}

std::unique_ptr<QSettings> OpenStore(const QWidget& Window)
{
    std::unique_ptr<QSettings> store;
    if (StoreFile().isEmpty())
        store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Corvanta"), ApplicationTitle());
    else
        store = std::make_unique<QSettings>(StoreFile(), QSettings::IniFormat);
    store->beginGroup(QString::fromLatin1(Window.metaObject()->className()));
    return store;
}

int PixelsPerInch(const QWidget& Window)
{
    const QScreen* screen = Window.screen() ? Window.screen() : QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
}

int ReadInt(const QSettings& Store, const QString& Key, int Default)
{
    bool ok = false;
    const int value = Store.value(Key).toString().trimmed().toInt(&ok);
    return ok ? value : Default;
}

bool HasFixedBorder(const QWidget& Window)
{
    return Window.minimumSize() == Window.maximumSize() ||
           Window.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
}

// A placement that would leave the window wholly off every screen (a monitor since removed, a
// smaller resolution) is brought onto the nearest one, as the platform's placement record is:
// same size where it fits, otherwise the screen's size.
QRect KeepOnScreen(const QRect& Bounds)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    const QScreen* nearest = nullptr;
    qint64 nearestDistance = 0;
    for (const QScreen* screen : screens) {
        const QRect area = screen->availableGeometry();
        if (area.intersects(Bounds))
            return Bounds;
        const QPoint d = area.center() - Bounds.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (!nearest || distance < nearestDistance) {
            nearest = screen;
            nearestDistance = distance;
        }
    }
    if (!nearest)
        return Bounds;
    const QRect area = nearest->availableGeometry();
    const QSize size = Bounds.size().boundedTo(area.size());
    const int left = std::clamp(Bounds.left(), area.left(), area.left() + area.width() - size.width());
    const int top = std::clamp(Bounds.top(), area.top(), area.top() + area.height() - size.height());
    return QRect(QPoint(left, top), size);
}

QString FourNumbers(int A, int B, int C, int D)
{
    return QStringLiteral("%1,%2,%3,%4").arg(A).arg(B).arg(C).arg(D);
}
} // namespace

bool ParseFourNumbers(const QString& Text, int Numbers[4])
{
    const QStringList parts = Text.split(QLatin1Char(','));
    bool any = false;
    for (int i = 0; i < 4 && i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts[i].trimmed().toInt(&ok);
        if (ok) {
            Numbers[i] = value;
            any = true;
        }
    }
    return any;
}

void SetPlacementStoreFile(const QString& FileName)
{
    StoreFile() = FileName;
}

void RestoreWindowPlacement(QWidget& Window)
{
    Window.setProperty(RestoredProperty, true);
    const std::unique_ptr<QSettings> store = OpenStore(Window);
    if (ReadInt(*store, QStringLiteral("FormVersion"), 0) < 0)
        return;

    const QRect current = Window.geometry();
    int minMax[4] = {0, 0, 0, 0};
    int norm[4] = {current.left(), current.top(), current.left() + current.width(),
                   current.top() + current.height()};
    const bool hasMinMax = ParseFourNumbers(IniValueText(store->value(QStringLiteral("MinMaxPos"))), minMax);
    const bool hasNorm = ParseFourNumbers(IniValueText(store->value(QStringLiteral("NormPos"))), norm);
    const int storedPpi = ReadInt(*store, QStringLiteral("PixelsPerInch"), -1);

    if ((hasMinMax || hasNorm) && storedPpi == PixelsPerInch(Window) && norm[0] < norm[2]) {
        if (HasFixedBorder(Window))
            Window.move(KeepOnScreen(QRect(QPoint(norm[0], norm[1]), Window.size())).topLeft());
        else
            Window.setGeometry(KeepOnScreen(QRect(norm[0], norm[1], norm[2] - norm[0], norm[3] - norm[1])));
    }

    Qt::WindowStates state = Window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (ReadInt(*store, QStringLiteral("ShowCmd"), ShowNormal)) {
    case ShowMinimized:
    case ShowMinimize:
    case ShowMinNoActive:
        state |= Qt::WindowMinimized;
        if (ReadInt(*store, QStringLiteral("Flags"), 0) & RestoreToMaximized)
            state |= Qt::WindowMaximized;
        break;
    case ShowMaximized:
        state |= Qt::WindowMaximized;
        break;
    default:
        break;
    }
    Window.setWindowState(state);
}

bool SaveWindowPlacement(QWidget& Window)
{
    if (!Window.property(RestoredProperty).toBool())
        return false;
    const std::unique_ptr<QSettings> store = OpenStore(Window);
    const Qt::WindowStates state = Window.windowState();
    int showCmd = ShowNormal;
    if (state & Qt::WindowMinimized)
        showCmd = ShowMinimized;
    else if (state & Qt::WindowMaximized)
        showCmd = ShowMaximized;
    const int flags = (state & Qt::WindowMinimized) && (state & Qt::WindowMaximized) ? RestoreToMaximized : 0;
    QRect normal = Window.normalGeometry();
    if (normal.isEmpty())
        normal = Window.geometry();

    store->setValue(QStringLiteral("FormVersion"), QStringLiteral("0"));
    store->setValue(QStringLiteral("Flags"), QString::number(flags));
    store->setValue(QStringLiteral("ShowCmd"), QString::number(showCmd));
    store->setValue(QStringLiteral("PixelsPerInch"), QString::number(PixelsPerInch(Window)));
    // Qt keeps no minimized or maximized position; -1 is the record's "not set".
    store->setValue(QStringLiteral("MinMaxPos"), FourNumbers(-1, -1, -1, -1));
    store->setValue(QStringLiteral("NormPos"),
                    FourNumbers(normal.left(), normal.top(), normal.left() + normal.width(),
                                normal.top() + normal.height()));
    store->sync();
    return store->status() == QSettings::NoError;
}
