#include "UnitImportNotes.h"

#include "MainWindowHelpers.h"
#include "Translation.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString translated(const char* text)
{
    return TranslateText(QString::fromLatin1(text), QStringLiteral("TFormImportNotes"));
}

QString shapeName(const QString& written)
{
    if (written.startsWith(QLatin1String("rect"), Qt::CaseInsensitive))
        return QStringLiteral("rect");
    if (written.startsWith(QLatin1String("circ"), Qt::CaseInsensitive))
        return QStringLiteral("circle");
    return QStringLiteral("poly");
}

} // namespace

TFormImportNotes::TFormImportNotes(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormImportNotes"));
    setWindowTitle(QStringLiteral("Import Image Map"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    SetDesignFont(this);

    LabelMessage = new QLabel(this);
    LabelMessage->setObjectName(QStringLiteral("LabelMessage"));
    LabelMessage->setWordWrap(true);

    ListNotes = new QTreeWidget(this);
    ListNotes->setObjectName(QStringLiteral("ListNotes"));
    ListNotes->setColumnCount(3);
    ListNotes->setHeaderLabels({translated("Area"), translated("Link"), translated("What happened")});
    ListNotes->setRootIsDecorated(false);
    ListNotes->setUniformRowHeights(true);
    ListNotes->setSelectionMode(QAbstractItemView::NoSelection);
    ListNotes->header()->setStretchLastSection(true);
    ListNotes->header()->resizeSection(0, 40);
    ListNotes->header()->resizeSection(1, 160);

    ButtonImport = new QPushButton(QStringLiteral("Import"), this);
    ButtonImport->setObjectName(QStringLiteral("ButtonImport"));
    ButtonImport->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setAutoDefault(false);
    connect(ButtonImport, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ButtonImport);
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(LabelMessage);
    layout->addWidget(ListNotes, 1);
    layout->addLayout(buttons);
    resize(640, 300);

    TranslateComponent(this);
}

QString TFormImportNotes::NoteText(const AreaNote& Note)
{
    switch (Note.What) {
    case AreaNote::Kind::NoShape:
        return translated("No shape: read as a rectangle");
    case AreaNote::Kind::ShapeSynonym:
        return translated("Shape \"%1\" read as \"%2\"").arg(Note.Shape, shapeName(Note.Shape));
    case AreaNote::Kind::Rounded:
        return translated("%1: rounded to the nearest pixel").arg(Note.Reason);
    case AreaNote::Kind::ServerCode:
        return translated("Holds code for the server: kept as written unless edited");
    case AreaNote::Kind::BadCoords:
        return translated("%1: left out").arg(Note.Reason);
    case AreaNote::Kind::NoRadius:
        return translated("The radius is not above 0: left out");
    case AreaNote::Kind::DefaultShape:
        return translated("Shape \"%1\" covers the whole picture: left out").arg(Note.Shape);
    case AreaNote::Kind::UnknownShape:
        return translated("Unknown shape \"%1\": left out").arg(Note.Shape);
    }
    return QString();
}

void TFormImportNotes::Fill(const QString& MapName, const QVector<AreaNote>& Notes)
{
    LabelMessage->setText(
        translated("Some areas of the map \"%1\" are not read exactly as written, or cannot become regions:")
            .arg(MapName));
    ListNotes->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(Notes.size());
    for (const AreaNote& note : Notes)
        items.append(new QTreeWidgetItem({QString::number(note.AreaIndex + 1), note.Link, NoteText(note)}));
    ListNotes->addTopLevelItems(items);
}

bool TFormImportNotes::Confirm(const QString& MapName, const QVector<AreaNote>& Notes)
{
    Fill(MapName, Notes);
    ButtonImport->setFocus();
    return exec() == QDialog::Accepted;
}
