#include "UnitProperties.h"

#include "EditorDialogs.h"
#include "MainWindowHelpers.h"
#include "MessageBoxes.h"
#include "RegionCoordinates.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "Translation.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

TFormProperties* FormProperties = nullptr;

namespace {

// The edit controls beside the labels start here.
constexpr int editLeft = 88;

QLabel* makeLabelPanel(QWidget* parent, const char* name, const QString& text, const QRect& bounds,
                       int nextLeft = editLeft)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Where "MS Sans Serif" is missing its stand-in runs wider, and "Target
    // Frame:" would lose its colon: the panel grows into the gap before the
    // edit control, as far as its text needs.
    QRect fitted = bounds;
    const int widest = nextLeft - 2 - bounds.left();
    fitted.setWidth(std::clamp(label->sizeHint().width(), bounds.width(), std::max(widest, bounds.width())));
    label->setGeometry(fitted);
    return label;
}

QLineEdit* makeCoordinateEdit(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(bounds);
    return edit;
}

} // namespace

TFormProperties::TFormProperties(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormProperties"));
    setWindowTitle(QStringLiteral("Properties"));
    SetDesignFont(this);

    // The controls keep their designed places; the 8-pixel border surrounds them.
    constexpr int border = 8;
    constexpr int extraHeight = 148;
    auto* content = new QWidget(this);
    content->setGeometry(border, border, 345, 209 + extraHeight);

    PageControl = new QTabWidget(content);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    // Taller than the link, target and alternate text need: the title and the page's other attributes go
    // below.
    PageControl->setGeometry(0, 0, 345, 177 + extraHeight);
    PageControl->setFocusPolicy(Qt::NoFocus);
    TabSheetSettings = new QWidget;
    TabSheetSettings->setObjectName(QStringLiteral("TabSheetSettings"));
    PageControl->addTab(TabSheetSettings, QStringLiteral("Settings"));

    Panel3 = makeLabelPanel(TabSheetSettings, "Panel3", QStringLiteral("URL Address:"), QRect(8, 16, 73, 21));
    EditHRef = new QLineEdit(TabSheetSettings);
    EditHRef->setObjectName(QStringLiteral("EditHRef"));
    EditHRef->setGeometry(editLeft, 16, 209, 21);
    ButtonHRef = new QPushButton(QStringLiteral("..."), TabSheetSettings);
    ButtonHRef->setObjectName(QStringLiteral("ButtonHRef"));
    ButtonHRef->setGeometry(304, 16, 25, 21);
    ButtonHRef->setAutoDefault(false);

    Panel2 =
        makeLabelPanel(TabSheetSettings, "Panel2", QStringLiteral("Target Frame:"), QRect(8, 40, 73, 21));
    EditTarget = new QComboBox(TabSheetSettings);
    EditTarget->setObjectName(QStringLiteral("EditTarget"));
    EditTarget->setGeometry(editLeft, 40, 241, 21);
    EditTarget->setEditable(true);
    // Typed frame names are stored as the target, never added to the list.
    EditTarget->setInsertPolicy(QComboBox::NoInsert);
    EditTarget->addItems({QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_self"),
                          QStringLiteral("_top")});

    Panel1 =
        makeLabelPanel(TabSheetSettings, "Panel1", QStringLiteral("Alterate Text:"), QRect(8, 64, 73, 21));
    EditAltText = new QPlainTextEdit(TabSheetSettings);
    EditAltText->setObjectName(QStringLiteral("EditAltText"));
    EditAltText->setGeometry(editLeft, 64, 241, 65);
    EditAltText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Enter makes a line break; Tab moves on to the buttons.
    EditAltText->setTabChangesFocus(true);

    const QString section = QStringLiteral("TFormProperties");
    PanelTitle = makeLabelPanel(TabSheetSettings, "PanelTitle",
                                TranslateText(QStringLiteral("Title:"), section), QRect(8, 136, 73, 21));
    EditTitle = new QLineEdit(TabSheetSettings);
    EditTitle->setObjectName(QStringLiteral("EditTitle"));
    EditTitle->setGeometry(editLeft, 136, 241, 21);
    PanelOther = makeLabelPanel(TabSheetSettings, "PanelOther",
                                TranslateText(QStringLiteral("Other:"), section), QRect(8, 160, 73, 21));
    MemoOther = new QPlainTextEdit(TabSheetSettings);
    MemoOther->setObjectName(QStringLiteral("MemoOther"));
    MemoOther->setGeometry(editLeft, 160, 241, 65);
    MemoOther->setReadOnly(true);
    MemoOther->setTabChangesFocus(true);
    MemoOther->setLineWrapMode(QPlainTextEdit::NoWrap);

    // The coordinates in two rows of two below the texts; only the region's kind shows.
    constexpr int row1 = 232, row2 = 256, column2 = 176, edit2 = 249, editWidth = 80;
    auto label = [&](const char* name, const char* text, int left, int top) {
        return makeLabelPanel(TabSheetSettings, name, TranslateText(QString::fromLatin1(text), section),
                              QRect(left, top, left == 8 ? 73 : 65, 21), left == 8 ? editLeft : edit2);
    };
    PanelLeft = label("PanelLeft", "Left:", 8, row1);
    EditLeft = makeCoordinateEdit(TabSheetSettings, "EditLeft", QRect(editLeft, row1, editWidth, 21));
    PanelTop = label("PanelTop", "Top:", column2, row1);
    EditTop = makeCoordinateEdit(TabSheetSettings, "EditTop", QRect(edit2, row1, editWidth, 21));
    PanelRight = label("PanelRight", "Right:", 8, row2);
    EditRight = makeCoordinateEdit(TabSheetSettings, "EditRight", QRect(editLeft, row2, editWidth, 21));
    PanelBottom = label("PanelBottom", "Bottom:", column2, row2);
    EditBottom = makeCoordinateEdit(TabSheetSettings, "EditBottom", QRect(edit2, row2, editWidth, 21));
    PanelCentreX = label("PanelCentreX", "Centre X:", 8, row1);
    EditCentreX = makeCoordinateEdit(TabSheetSettings, "EditCentreX", QRect(editLeft, row1, editWidth, 21));
    PanelCentreY = label("PanelCentreY", "Centre Y:", column2, row1);
    EditCentreY = makeCoordinateEdit(TabSheetSettings, "EditCentreY", QRect(edit2, row1, editWidth, 21));
    PanelRadius = label("PanelRadius", "Radius:", 8, row2);
    EditRadius = makeCoordinateEdit(TabSheetSettings, "EditRadius", QRect(editLeft, row2, editWidth, 21));
    PanelPoints = label("PanelPoints", "Points:", 8, row1);
    EditPoints = new QPlainTextEdit(TabSheetSettings);
    EditPoints->setObjectName(QStringLiteral("EditPoints"));
    EditPoints->setGeometry(editLeft, row1, 241, 45);
    EditPoints->setTabChangesFocus(true);
    EditPoints->setToolTip(TranslateText(QStringLiteral("x,y x,y ..."), section));

    ButtonOk = new QPushButton(QStringLiteral("OK"), content);
    ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
    ButtonOk->setGeometry(176, 184 + extraHeight, 81, 25);
    ButtonOk->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("Cancel"), content);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    ButtonCancel->setGeometry(264, 184 + extraHeight, 81, 25);
    ButtonCancel->setAutoDefault(false);

    setTabOrder(EditHRef, ButtonHRef);
    setTabOrder(ButtonHRef, EditTarget);
    setTabOrder(EditTarget, EditAltText);
    setTabOrder(EditAltText, EditTitle);
    setTabOrder(EditTitle, MemoOther);
    QWidget* previous = MemoOther;
    for (QWidget* edit : std::initializer_list<QWidget*>{EditLeft, EditTop, EditRight, EditBottom,
                                                         EditCentreX, EditCentreY, EditRadius, EditPoints}) {
        setTabOrder(previous, edit);
        previous = edit;
    }
    setTabOrder(previous, ButtonOk);
    setTabOrder(ButtonOk, ButtonCancel);

    connect(ButtonHRef, &QPushButton::clicked, this, &TFormProperties::ButtonHRefClick);
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(345 + 2 * border, 209 + extraHeight + 2 * border);

    if (!FormProperties)
        FormProperties = this;
}

TFormProperties::~TFormProperties()
{
    if (FormProperties == this)
        FormProperties = nullptr;
}

bool TFormProperties::RunDialog()
{
    EditHRef->setText(HRef);
    EditTarget->setCurrentIndex(-1);
    EditTarget->setEditText(Target);
    EditAltText->setPlainText(AltText);
    QString title;
    QStringList others;
    for (const auto& attribute : Attributes) {
        if (attribute.first.compare(QLatin1String("title"), Qt::CaseInsensitive) == 0)
            title = attribute.second;
        else
            others.append(attribute.second.isEmpty()
                              ? attribute.first
                              : attribute.first + QLatin1String("=\"") + attribute.second + QLatin1Char('"'));
    }
    EditTitle->setText(title);
    MemoOther->setPlainText(others.join(QLatin1Char('\n')));
    ShowGeometry();
    EditHRef->setFocus();

    // Esc and the close box reject, so only OK counts.
    if (exec() != QDialog::Accepted)
        return false;
    HRef = EditHRef->text();
    Target = EditTarget->currentText();
    AltText = EditAltText->toPlainText();
    if (EditTitle->text() != title) {
        // The title keeps its place among the attributes; a new one goes last, an emptied one goes.
        auto it = std::find_if(Attributes.begin(), Attributes.end(), [](const auto& a) {
            return a.first.compare(QLatin1String("title"), Qt::CaseInsensitive) == 0;
        });
        if (EditTitle->text().isEmpty()) {
            if (it != Attributes.end())
                Attributes.erase(it);
        } else if (it != Attributes.end()) {
            it->second = EditTitle->text();
        } else {
            Attributes.append({QStringLiteral("title"), EditTitle->text()});
        }
    }
    // accept() has read the coordinates already.
    return true;
}

QList<QWidget*> TFormProperties::CoordinateEdits(MapArea::Shape Shape) const
{
    switch (Shape) {
    case MapArea::Shape::Rect:
        return {EditLeft, EditTop, EditRight, EditBottom};
    case MapArea::Shape::Circle:
        return {EditCentreX, EditCentreY, EditRadius};
    case MapArea::Shape::Poly:
        break;
    }
    return {EditPoints};
}

QStringList TFormProperties::CoordinateEditTexts() const
{
    QStringList texts;
    if (!Geometry)
        return texts;
    for (QWidget* edit : CoordinateEdits(Geometry->shape)) {
        if (auto* line = qobject_cast<QLineEdit*>(edit))
            texts.append(line->text());
        else
            texts.append(static_cast<QPlainTextEdit*>(edit)->toPlainText());
    }
    return texts;
}

void TFormProperties::ShowGeometry()
{
    const QList<QWidget*> shown = Geometry ? CoordinateEdits(Geometry->shape) : QList<QWidget*>();
    const QList<QPair<QLabel*, QWidget*>> rows = {{PanelLeft, EditLeft},       {PanelTop, EditTop},
                                                  {PanelRight, EditRight},     {PanelBottom, EditBottom},
                                                  {PanelCentreX, EditCentreX}, {PanelCentreY, EditCentreY},
                                                  {PanelRadius, EditRadius},   {PanelPoints, EditPoints}};
    for (const auto& [panel, edit] : rows) {
        panel->setVisible(shown.contains(edit));
        edit->setVisible(shown.contains(edit));
    }
    FShownCoordinates = Geometry ? CoordinateTexts(*Geometry) : QStringList();
    for (int i = 0; i < shown.size(); ++i) {
        if (auto* line = qobject_cast<QLineEdit*>(shown[i]))
            line->setText(FShownCoordinates.value(i));
        else
            static_cast<QPlainTextEdit*>(shown[i])->setPlainText(FShownCoordinates.value(i));
    }
}

void TFormProperties::accept()
{
    const QStringList typed = CoordinateEditTexts();
    // Untouched coordinates stand for the geometry as it is, whatever their texts would read back as.
    if (Geometry && typed != FShownCoordinates) {
        MapArea read = *Geometry;
        TCoordinateError error;
        if (!ReadCoordinateTexts(typed, read, error)) {
            AppMessageBox(error.Message);
            if (QWidget* edit = CoordinateEdits(Geometry->shape).value(error.Field))
                edit->setFocus();
            return;
        }
        Geometry = read;
    }
    QDialog::accept();
}

void TFormProperties::ButtonHRefClick()
{
    // The chosen path goes in as the dialog returns it, or relative to the saved file when the map
    // writes relative paths.
    if (ExecuteOpenDialog(EditHRef->text(), HTMLFileFilter(), QString()))
        EditHRef->setText(LinkBase.isEmpty()
                              ? SharedOpenDialog()->FileName()
                              : QDir(LinkBase).relativeFilePath(SharedOpenDialog()->FileName()));
}
