#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// True when the arguments (the first, the program's name, excluded) hold the switch
// "NoSplash" written after "-" or "/", in any letter case.
bool HasNoSplashSwitch(const QStringList& Arguments);

// The splash screen: a borderless window on top of the others, centred on the screen, showing
// a picture from the program folder with a message and a progress bar that runs from 0 to 15
// in steps of 80 ms, after which it hides.
class TFormSplash : public QWidget
{
    Q_OBJECT

public:
    explicit TFormSplash(QWidget* parent = nullptr);
    ~TFormSplash() override;

    // Shows the splash with the picture of that bare file name from the program folder. Does
    // nothing with the switch "NoSplash", while the program shuts down, or when anything goes
    // wrong on the way (no picture, no screen): there is then simply no splash.
    void ShowSplash(const QString& BitmapName);

    // The arguments searched for "NoSplash"; QCoreApplication::arguments() unless replaced.
    void SetArguments(const QStringList& Arguments);

    QImage FBitmap;
    QLabel* LabelMessage = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QTimer* Timer = nullptr;

public slots:
    void TimerTimer();
    void FormClick();
    void FormDeactivate();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormPaint();
    void FormHide();
    void PlaceAnchoredControls();

    QStringList FArguments;
    bool FArgumentsSet = false;
    bool FShuttingDown = false;
    bool FWasActive = false;
};

// The program's splash window while it exists (created at start-up), else null.
extern TFormSplash* FormSplash;

// ShowSplash on FormSplash, when there is one.
void ShowSplash(const QString& BitmapName);
