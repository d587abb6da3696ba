#pragma once

#include "MapArea.h"

#include <QDialog>
#include <QPair>
#include <QString>
#include <QVector>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

// The modal dialog that edits a region's link address, target frame,
// alternate text, title and coordinates. It keeps its own copies of the three strings: the caller
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
    // The region's kind and bounds or vertices (its texts play no part), shown in the coordinate edits
    // below the texts; none hides them. After OK it holds what was typed, exactly as it was when the
    // typed texts are still the ones shown. OK with coordinates that cannot be used names the field in a
    // message and keeps the dialog open.
    std::optional<MapArea> Geometry;
    // When set, a link chosen with "..." is written relative to this folder (the saved file's).
    QString LinkBase;

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
    // A rectangle's corners; a circle's centre and radius; a polygon's vertices.
    QLabel* PanelLeft = nullptr;
    QLineEdit* EditLeft = nullptr;
    QLabel* PanelTop = nullptr;
    QLineEdit* EditTop = nullptr;
    QLabel* PanelRight = nullptr;
    QLineEdit* EditRight = nullptr;
    QLabel* PanelBottom = nullptr;
    QLineEdit* EditBottom = nullptr;
    QLabel* PanelCentreX = nullptr;
    QLineEdit* EditCentreX = nullptr;
    QLabel* PanelCentreY = nullptr;
    QLineEdit* EditCentreY = nullptr;
    QLabel* PanelRadius = nullptr;
    QLineEdit* EditRadius = nullptr;
    QLabel* PanelPoints = nullptr;
    QPlainTextEdit* EditPoints = nullptr;
    QPushButton* ButtonOk = nullptr;
    QPushButton* ButtonCancel = nullptr;

public slots:
    // Browses for a link target through the program's shared open dialog.
    void ButtonHRefClick();
    // OK: closes only when the typed coordinates can be used.
    void accept() override;

private:
    // The coordinate edits of a kind, in the order of its fields.
    QList<QWidget*> CoordinateEdits(MapArea::Shape Shape) const;
    QStringList CoordinateEditTexts() const;
    void ShowGeometry();
    QStringList FShownCoordinates;
};

// The program's one properties dialog, set by the first TFormProperties that
// is created and cleared when it is destroyed.
extern TFormProperties* FormProperties;
