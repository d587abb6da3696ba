#pragma once

#include <QDialog>
#include <QLocale>
#include <memory>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The byte count in kilobytes, rounded up, with the locale's thousands separators and "KB"
// appended: 536,870,912 gives "524,288KB". Counts in 64 bits, so memory above 4 GiB shows
// correctly.
QString FormatKB(quint64 Bytes, const QLocale& Locale = QLocale());

// Makes a label look and act like a link: pure blue, bold and underlined, a hand pointer, and
// "[text]" as its tool tip.
void StyleAsLink(QLabel* Label);

// The about box: the title with the version, the comments and copyright line of the version
// information, the home page link, a legal warning and the computer's memory.
class TFormAboutBox : public QDialog
{
    Q_OBJECT

public:
    // Builds the dialog as designed and translates it (FormCreate). A translation error is
    // shown, and the components after the failing one keep their design texts.
    explicit TFormAboutBox(QWidget* parent = nullptr);

    QPushButton* ButtonOK = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget* TabSheetAbout = nullptr;
    QWidget* PaintBoxIcon = nullptr;
    QLabel* PanelTitle = nullptr;
    QFrame* PanelDetails = nullptr;
    QLabel* LabelComments = nullptr;
    QLabel* LabelCopyright = nullptr;
    QLabel* LabelHomePage = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QFrame* Bevel = nullptr;
    QLabel* LabelPhysicalMemory = nullptr;
    QLabel* LabelMemoryUsage = nullptr;
    QLabel* LabelTotalPhys = nullptr;
    QLabel* LabelMemoryLoad = nullptr;

    // Lays the value labels out after their texts changed; the window follows its contents.
    void FitContents();

public slots:
    void LabelHomePageClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void PaintBoxIconPaint();
};

// Creates the about box and fills it (ShowAboutBox's steps before the dialog is shown).
// Throws ETranslationError when a message string cannot be translated.
std::unique_ptr<TFormAboutBox> PrepareAboutBox();

// Shows the about box modally; true when it was closed with OK. A translation error is shown
// instead of the dialog.
bool ShowAboutBox();
