#include "UnitProperties.h"

#include "EditorDialogs.h"
#include "MainWindowHelpers.h"
#include "SharedDialogs.h"
#include "TSharedFileDialog.h"
#include "Translation.h"

#include <QComboBox>
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

QLabel* makeLabelPanel(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Where "MS Sans Serif" is missing its stand-in runs wider, and "Target
    // Frame:" would lose its colon: the panel grows into the gap before the
    // edit control, as far as its text needs.
    QRect fitted = bounds;
    const int widest = editLeft - 2 - bounds.left();
    fitted.setWidth(std::clamp(label->sizeHint().width(), bounds.width(), std::max(widest, bounds.width())));
    label->setGeometry(fitted);
    return label;
}

} // namespace

TFormProperties::TFormProperties(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormProperties"));
    setWindowTitle(QStringLiteral("Properties"));
    SetDesignFont(this);

    // The controls keep their designed places; the 8-pixel border surrounds them.
    constexpr int border = 8;
    constexpr int extraHeight = 96;
    auto* content = new QWidget(this);
    content->setGeometry(border, border, 345, 209 + extraHeight);

    PageControl = new QTabWidget(content);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    // Taller than the link, target and alternate text need: the title and the page's other attributes go below.
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
    PanelTitle = makeLabelPanel(TabSheetSettings, "PanelTitle", TranslateText(QStringLiteral("Title:"), section),
                                QRect(8, 136, 73, 21));
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
    setTabOrder(MemoOther, ButtonOk);
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
            others.append(attribute.second.isEmpty() ? attribute.first
                                                     : attribute.first + QLatin1String("=\"") + attribute.second +
                                                           QLatin1Char('"'));
    }
    EditTitle->setText(title);
    MemoOther->setPlainText(others.join(QLatin1Char('\n')));
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
    return true;
}

void TFormProperties::ButtonHRefClick()
{
    // The chosen path goes in exactly as the dialog returns it.
    if (ExecuteOpenDialog(EditHRef->text(), HTMLFileFilter(), QString()))
        EditHRef->setText(SharedOpenDialog()->FileName());
}
