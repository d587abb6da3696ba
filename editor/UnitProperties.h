#pragma once

#include <QDialog>
#include <QPair>
#include <QString>
#include <QVector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

// The modal dialog that edits a region's link address, target frame,
// alternate text and title. It keeps its own copies of the three strings: the caller
// fills them, runs the dialog and reads them back after OK.
class TFormProperties : public QDialog
{
    Q_OBJECT

public:
    explicit TFormProperties(QWidget* parent = nullptr);
    ~TFormProperties() override;

    // Fills the edits from the three strings, shows the dialog modally and,
    // only when it is closed with OK, copies the edits back. True on OK.
    bool RunDialog();

    QString HRef;
    QString Target;
    QString AltText;
    // The region's other attributes as kept from its page. "title" is edited
    // in EditTitle (an empty title removes it); the rest are shown read-only.
    QVector<QPair<QString, QString>> Attributes;

    QTabWidget* PageControl = nullptr;
    QWidget* TabSheetSettings = nullptr;
    QLabel* Panel3 = nullptr;
    QLineEdit* EditHRef = nullptr;
    QPushButton* ButtonHRef = nullptr;
    QLabel* Panel2 = nullptr;
    QComboBox* EditTarget = nullptr;
    QLabel* Panel1 = nullptr;
    QPlainTextEdit* EditAltText = nullptr;
    QLabel* PanelTitle = nullptr;
    QLineEdit* EditTitle = nullptr;
    QLabel* PanelOther = nullptr;
    QPlainTextEdit* MemoOther = nullptr;
    QPushButton* ButtonOk = nullptr;
    QPushButton* ButtonCancel = nullptr;

public slots:
    // Browses for a link target through the program's shared open dialog.
    void ButtonHRefClick();
};

// The program's one properties dialog, set by the first TFormProperties that
// is created and cleared when it is destroyed.
extern TFormProperties* FormProperties;
