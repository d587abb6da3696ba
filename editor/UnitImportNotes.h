#pragma once

#include "MapImport.h"

#include <QDialog>
#include <QVector>

class QLabel;
class QPushButton;
class QTreeWidget;

// Lists what an import would read differently from the page's text or leave
// out, one row per note, before the document is replaced. Import goes on,
// Cancel keeps the document as it is.
class TFormImportNotes : public QDialog
{
    Q_OBJECT

public:
    explicit TFormImportNotes(QWidget* parent = nullptr);

    // Fills the list and shows the dialog modally; true when Import was chosen.
    bool Confirm(const QString& MapName, const QVector<AreaNote>& Notes);

    // The text of a note's "what happened" column.
    static QString NoteText(const AreaNote& Note);

    QLabel* LabelMessage = nullptr;
    QTreeWidget* ListNotes = nullptr;
    QPushButton* ButtonImport = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    void Fill(const QString& MapName, const QVector<AreaNote>& Notes);
};
