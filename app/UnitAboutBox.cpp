#include "UnitAboutBox.h"

#include "AppFolder.h"
#include "DefaultHRef.h"
#include "MainWindowHelpers.h"
#include "MemoryStatus.h"
#include "MessageBoxes.h"
#include "TVersionInfo.h"
#include "Translation.h"
#include "TranslationError.h"
#include "WebViewHelpers.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <initializer_list>

namespace {
// The dialog's border width around its design client area of 329 x 321.
constexpr int Border = 8;
constexpr int DesignClientWidth = 329;
constexpr int DesignClientHeight = 321;
constexpr int ValueLabelLeft = 248;
constexpr int ColumnLeft = 48;
constexpr int ColumnWidth = 265;

const char LegalWarning[] =
    "This program is protected by copyright law. Copying it or passing it on, in whole or in part, "
    "without the written permission of Corvanta is not allowed and may be prosecuted under civil "
    "and criminal law.";

QLabel* MakeLabel(QWidget* Parent, const char* Name, const QString& Text, int Left, int Top)
{
    auto* label = new QLabel(Text, Parent);
    label->setObjectName(QString::fromLatin1(Name));
    label->move(Left, Top);
    label->adjustSize();
    label->resize(label->width(), 13 + 4);
    return label;
}
} // namespace

QString FormatKB(quint64 Bytes, const QLocale& Locale)
{
    const quint64 kilobytes = Bytes / 1024 + (Bytes % 1024 != 0 ? 1 : 0);
    QLocale locale = Locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(qulonglong(kilobytes)) + QStringLiteral("KB");
}

void StyleAsLink(QLabel* Label)
{
    QPalette palette = Label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label->setPalette(palette);
    QFont font = Label->font();
    font.setBold(true);
    font.setUnderline(true);
    Label->setFont(font);
    Label->setCursor(Qt::PointingHandCursor);
    Label->setToolTip(QLatin1Char('[') + Label->text() + QLatin1Char(']'));
    Label->adjustSize();
}

TFormAboutBox::TFormAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAboutBox"));
    setWindowTitle(QStringLiteral("About"));
    SetDesignFont(this);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(Border, Border, DesignClientWidth, 289);
    TabSheetAbout = new QWidget;
    TabSheetAbout->setObjectName(QStringLiteral("TabSheetAbout"));
    PageControl->addTab(TabSheetAbout, QStringLiteral("About"));

    PaintBoxIcon = new QWidget(TabSheetAbout);
    PaintBoxIcon->setObjectName(QStringLiteral("PaintBoxIcon"));
    PaintBoxIcon->setGeometry(8, 8, 33, 33);
    PaintBoxIcon->installEventFilter(this);

    PanelTitle = new QLabel(TabSheetAbout);
    PanelTitle->setObjectName(QStringLiteral("PanelTitle"));
    PanelTitle->setGeometry(ColumnLeft, 8, ColumnWidth, 17);
    PanelTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont bold = PanelTitle->font();
    bold.setBold(true);
    PanelTitle->setFont(bold);

    PanelDetails = new QFrame(TabSheetAbout);
    PanelDetails->setObjectName(QStringLiteral("PanelDetails"));
    PanelDetails->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    PanelDetails->setGeometry(ColumnLeft, 32, ColumnWidth, 65);
    LabelComments = MakeLabel(PanelDetails, "LabelComments", QStringLiteral("#"), 8, 6);
    LabelCopyright = MakeLabel(PanelDetails, "LabelCopyright", QStringLiteral("#"), 8, 22);
    LabelHomePage = MakeLabel(PanelDetails, "LabelHomePage", QStringLiteral("#"), 8, 38);
    LabelHomePage->installEventFilter(this);

    Memo = new QPlainTextEdit(TabSheetAbout);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setGeometry(ColumnLeft, 104, ColumnWidth, 97);
    Memo->setReadOnly(true);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setPlainText(QString::fromLatin1(LegalWarning));

    Bevel = new QFrame(TabSheetAbout);
    Bevel->setObjectName(QStringLiteral("Bevel"));
    Bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel->setGeometry(ColumnLeft, 208, ColumnWidth, 2);

    LabelPhysicalMemory = MakeLabel(TabSheetAbout, "LabelPhysicalMemory",
                                    QStringLiteral("Physical memory available to Windows:"), 48, 214);
    LabelMemoryUsage = MakeLabel(TabSheetAbout, "LabelMemoryUsage", QStringLiteral("Memory usage:"), 48, 230);
    LabelTotalPhys = MakeLabel(TabSheetAbout, "LabelTotalPhys", QStringLiteral("#"), ValueLabelLeft, 214);
    LabelMemoryLoad = MakeLabel(TabSheetAbout, "LabelMemoryLoad", QStringLiteral("#"), ValueLabelLeft, 230);

    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->setGeometry(Border + 248, Border + 296, 81, 25);
    ButtonOK->setDefault(true);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);

    FitContents();
    FormCreate();
}

void TFormAboutBox::FormCreate()
{
    try {
        TranslateComponent(this);
    } catch (const ETranslationError& error) {
        ShowError(error.Message());
    }
    FitContents();
}

void TFormAboutBox::FitContents()
{
    for (QLabel* label : {LabelComments, LabelCopyright, LabelHomePage, LabelPhysicalMemory, LabelMemoryUsage,
                          LabelTotalPhys, LabelMemoryLoad}) {
        label->adjustSize();
        label->resize(label->width(), std::max(label->height(), 13));
    }
    // The column of title, details, memo and rule is 265 wide unless a text needs more: the
    // copyright line or a long version would otherwise be cut off at the panel's edge,
    // depending on the font the system has for "MS Sans Serif".
    int columnWidth = std::max(ColumnWidth, PanelTitle->sizeHint().width());
    for (QLabel* label : {LabelComments, LabelCopyright, LabelHomePage})
        columnWidth = std::max(columnWidth, label->geometry().right() + 1 + label->x());
    for (QWidget* part : std::initializer_list<QWidget*>{PanelTitle, PanelDetails, Memo, Bevel})
        part->resize(columnWidth, part->height());

    // The value labels stand at 248 unless a (translated) caption reaches that far.
    const int captionsRight =
        std::max(LabelPhysicalMemory->geometry().right(), LabelMemoryUsage->geometry().right());
    const int valueLeft = std::max(ValueLabelLeft, captionsRight + 8);
    LabelTotalPhys->move(valueLeft, LabelTotalPhys->y());
    LabelMemoryLoad->move(valueLeft, LabelMemoryLoad->y());

    const int contentRight = std::max({LabelTotalPhys->geometry().right() + 1,
                                       LabelMemoryLoad->geometry().right() + 1, ColumnLeft + columnWidth});
    const int extra = contentRight - (ColumnLeft + ColumnWidth);
    PageControl->resize(DesignClientWidth + extra, 289);
    ButtonOK->move(Border + 248 + extra, ButtonOK->y());
    setFixedSize(DesignClientWidth + extra + 2 * Border, DesignClientHeight + 2 * Border);
}

void TFormAboutBox::PaintBoxIconPaint()
{
    QPainter painter(PaintBoxIcon);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        painter.drawPixmap(0, 0, icon.pixmap(32, 32));
}

void TFormAboutBox::LabelHomePageClick()
{
    OpenURL(LabelHomePage->text());
}

bool TFormAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PaintBoxIcon && event->type() == QEvent::Paint) {
        PaintBoxIconPaint();
        return true;
    }
    if (watched == LabelHomePage && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            LabelHomePage->rect().contains(mouse->position().toPoint())) {
            LabelHomePageClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::unique_ptr<TFormAboutBox> PrepareAboutBox()
{
    auto box = std::make_unique<TFormAboutBox>();
    {
        const TVersionInfo version;
        box->PanelTitle->setText(ApplicationTitle() + QLatin1Char(' ') + version.FileVersion());
        box->LabelComments->setText(version.Comments());
        box->LabelCopyright->setText(version.LegalCopyright());
    }
    box->LabelHomePage->setText(DefaultHRef());
    StyleAsLink(box->LabelHomePage);

    const TMemoryStatus memory = GetMemoryStatus();
    box->LabelTotalPhys->setText(FormatKB(memory.TotalPhys));
    box->LabelMemoryLoad->setText(QString::number(memory.MemoryLoad) +
                                  TranslateText(QStringLiteral("% Used"), QStringLiteral("STRING_TABLE")));
    box->setWindowTitle(TranslateText(QStringLiteral("About"), QStringLiteral("STRING_TABLE")) +
                        QLatin1Char(' ') + box->PanelTitle->text());
    box->FitContents();
    return box;
}

bool ShowAboutBox()
{
    std::unique_ptr<TFormAboutBox> box;
    try {
        box = PrepareAboutBox();
    } catch (const ETranslationError& error) {
        ShowError(error.Message());
        return false;
    }
    return box->exec() == QDialog::Accepted;
}
