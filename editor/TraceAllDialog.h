#pragma once

#include "PictureTracer.h"

#include <QDialog>
#include <QImage>
#include <QVector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;

// Trace All Regions: which pixels make the areas, the outlines found over the picture and how
// many, before any of them becomes a region.
class TTraceAllDialog : public QDialog
{
    Q_OBJECT

public:
    TTraceAllDialog(QWidget* Parent, const QImage& Picture, const TTraceOptions& Options);

    // Traces with the dialog's range, with a progress dialog and Cancel; false when cancelled
    // (the outlines found before stay).
    bool Trace();
    const QVector<TTracedArea>& Areas() const { return FAreas; }

    TColourRange Range() const { return FRange; }
    // The tolerances traced with; the dialog's own choice of keeping enclosed areas out among them.
    TTraceOptions Options() const { return FOptions; }
    void SetRange(const TColourRange& Range);

    QComboBox* Mode = nullptr;
    QPushButton* LowColour = nullptr;
    QPushButton* HighColour = nullptr;
    QPushButton* FindAreas = nullptr;
    QCheckBox* KeepEnclosedOut = nullptr;
    QLabel* Preview = nullptr;
    QLabel* Found = nullptr;
    QDialogButtonBox* Buttons = nullptr;

private:
    void ShowAreas();
    void ShowRange();
    void ChooseColour(QColor TColourRange::*Which);

    QImage FPicture;
    TTraceOptions FOptions;
    TColourRange FRange;
    QVector<TTracedArea> FAreas;
};
