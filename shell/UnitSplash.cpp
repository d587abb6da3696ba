#include "UnitSplash.h"

#include "AppFolder.h"
#include "MainWindowHelpers.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

TFormSplash* FormSplash = nullptr;

namespace {
constexpr int DesignWidth = 360;
constexpr int DesignHeight = 102;
constexpr int ProgressMax = 15;
constexpr int StepMilliseconds = 80;
} // namespace

bool HasNoSplashSwitch(const QStringList& Arguments)
{
    for (int i = 1; i < Arguments.size(); ++i) {
        const QString& arg = Arguments[i];
        if ((arg.startsWith(QLatin1Char('-')) || arg.startsWith(QLatin1Char('/'))) &&
            arg.mid(1).compare(QLatin1String("NoSplash"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

TFormSplash::TFormSplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FormSplash"));
    resize(DesignWidth, DesignHeight);
    setCursor(Qt::WaitCursor);
    SetDesignFont(this);

    LabelMessage = new QLabel(this);
    LabelMessage->setObjectName(QStringLiteral("LabelMessage"));
    LabelMessage->setAutoFillBackground(false);
    LabelMessage->setAttribute(Qt::WA_TranslucentBackground);

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, ProgressMax);
    ProgressBar->setTextVisible(false);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(StepMilliseconds);
    connect(Timer, &QTimer::timeout, this, &TFormSplash::TimerTimer);

    PlaceAnchoredControls();
    FormCreate();
}

TFormSplash::~TFormSplash()
{
    if (FormSplash == this)
        FormSplash = nullptr;
}

void TFormSplash::FormCreate()
{
    if (!FormSplash)
        FormSplash = this;
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { FShuttingDown = true; });
}

void TFormSplash::SetArguments(const QStringList& Arguments)
{
    FArguments = Arguments;
    FArgumentsSet = true;
}

void TFormSplash::ShowSplash(const QString& BitmapName)
{
    const QStringList arguments = FArgumentsSet ? FArguments : QCoreApplication::arguments();
    if (HasNoSplashSwitch(arguments) || FShuttingDown || QCoreApplication::closingDown())
        return;
    try {
        QImage bitmap;
        if (!bitmap.load(FindProgramFile(BitmapName)) || bitmap.isNull())
            return;
        const QScreen* screen = this->screen();
        if (!screen)
            return;
        FBitmap = bitmap;
        resize(FBitmap.size());
        const QRect desktop = screen->geometry();
        move(desktop.left() + (desktop.width() - width()) / 2,
             desktop.top() + (desktop.height() - height()) / 2);
        LabelMessage->setText(QStringLiteral("Loading %1 - Please wait.").arg(ApplicationTitle()));
        LabelMessage->adjustSize();
        PlaceAnchoredControls();
        ProgressBar->setValue(0);
        Timer->start();
        FWasActive = false;
        show();
        raise();
        activateWindow();
        repaint();
        QCoreApplication::processEvents();
    } catch (...) {
        // A splash that cannot be prepared is simply not shown.
        Timer->stop();
        FBitmap = QImage();
    }
}

void TFormSplash::TimerTimer()
{
    ProgressBar->setValue(ProgressBar->value() + 1);
    if (ProgressBar->value() >= ProgressBar->maximum())
        hide();
}

void TFormSplash::FormClick()
{
    if (ProgressBar->value() >= ProgressBar->maximum() / 2)
        hide();
}

void TFormSplash::FormDeactivate()
{
    hide();
}

void TFormSplash::FormPaint()
{
    QPainter painter(this);
    if (!FBitmap.isNull())
        painter.drawImage(0, 0, FBitmap);
}

void TFormSplash::FormHide()
{
    Timer->stop();
    FBitmap = QImage();
    setGeometry(0, 0, 0, 0);
}

void TFormSplash::PlaceAnchoredControls()
{
    // Anchored to the left and bottom edges, as designed on the 360 x 102 window.
    LabelMessage->move(12, height() - 39);
    ProgressBar->setGeometry(12, height() - 22, 205, 10);
}

void TFormSplash::paintEvent(QPaintEvent*)
{
    FormPaint();
}

void TFormSplash::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FormClick();
}

void TFormSplash::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    FormHide();
}

void TFormSplash::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible())
        return;
    // Only a window that was active can lose activation.
    if (isActiveWindow())
        FWasActive = true;
    else if (FWasActive)
        FormDeactivate();
}

void TFormSplash::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceAnchoredControls();
}

void ShowSplash(const QString& BitmapName)
{
    if (FormSplash)
        FormSplash->ShowSplash(BitmapName);
}
