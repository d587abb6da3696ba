// The view tabs of the main window: the user's tab changes, the preview, the
// read-only source view and the services page.
#include "UnitMain.h"

#include "AppFolder.h"
#include "DefaultHRef.h"
#include "EFileCreateError.h"
#include "EditorDialogs.h"
#include "ImageMapWriter.h"
#include "InternetConnection.h"
#include "LongTask.h"
#include "MapAreaGathering.h"
#include "MapDocument.h"
#include "MessageBoxes.h"
#include "PreviewScheme.h"
#include "SourceLines.h"
#include "TBrowserPage.h"
#include "UPTFrame.h"
#include "WebViewHelpers.h"

#include <QAccessible>
#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <algorithm>

namespace {

// Style numbers of QsciLexerHTML.
enum HtmlStyle
{
    Tag = 1,
    UnknownTag = 2,
    Attribute = 3,
    UnknownAttribute = 4,
    HtmlNumber = 5,
    HtmlDoubleQuotedString = 6,
    HtmlSingleQuotedString = 7,
    HtmlComment = 9,
    Entity = 10,
    HtmlValue = 19
};

const QColor colourBlack(0x00, 0x00, 0x00);
const QColor colourGreen(0x00, 0x80, 0x00);
const QColor colourPurple(0x80, 0x00, 0x80);
const QColor colourRed(0xFF, 0x00, 0x00);
const QColor colourBlue(0x00, 0x00, 0xFF);

QLabel* makeStatusPanel(QWidget* parent, const char* name)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedHeight(19);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(4);
    panel->setTextFormat(Qt::PlainText);
    return panel;
}

QWebEngineView* makeWebView(QWidget* parent, const char* name)
{
    auto* view = new QWebEngineView(parent);
    view->setObjectName(QString::fromLatin1(name));
    // Links with a target window name open in the program's browser window.
    view->setPage(new TBrowserPage(view));
    view->settings()->setDefaultTextEncoding(QStringLiteral("utf-8"));
    return view;
}

// The generated page asks for the system colour "buttonshadow" as its body's
// background (bgColor=buttonshadow). Chromium's legacy colour parsing reads
// that name as a hex string and paints magenta; the preview shows the colour
// meant, without touching the text the user copies.
QWebEngineScript buttonShadowScript(const QColor& shadow)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("ButtonShadowBackground"));
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(
        QStringLiteral("(function () {"
                       "  var body = document.body;"
                       "  if (!body) return;"
                       "  var value = (body.getAttribute('bgcolor') || '').trim().toLowerCase();"
                       "  if (value === 'buttonshadow')"
                       "    body.style.backgroundColor = '%1';"
                       "})();")
            .arg(shadow.name(QColor::HexRgb)));
    return script;
}

// Changes the read-only source view's text. QScintilla tells assistive technology of each change
// and, to say where it is, converts all the text before it: near the end of a big map that is a
// third of a second for one line. The changes are announced only while such a listener is there.
template <typename Change> void changeSourceView(QsciScintilla* View, Change&& Apply)
{
    const bool readOnly = View->isReadOnly();
    View->setReadOnly(false);
    const auto mask = View->SendScintilla(QsciScintillaBase::SCI_GETMODEVENTMASK);
    // Scintilla sends a change when any of its kinds (inserted, by the user...) is in the mask.
    if (!QAccessible::isActive())
        View->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, 0UL);
    Apply();
    View->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask));
    View->setReadOnly(readOnly);
}

} // namespace

void TFormCorvantaZonequilter::CreateSourceView()
{
    SynEdit = new QsciScintilla(TabSheetSource);
    SynEdit->setObjectName(QStringLiteral("SynEdit"));
    auto* layout = new QVBoxLayout(TabSheetSource);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SynEdit);

    // The source view takes point sizes only: 13 pixels high at the screen's resolution.
    const qreal pointsPerPixel = 72.0 / std::max(1, SynEdit->logicalDpiY());
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(13 * pointsPerPixel);
    font.setBold(false);
    auto* lexer = new QsciLexerHTML(SynEdit);
    lexer->setDefaultFont(font);
    lexer->setFont(font, -1);
    lexer->setDefaultPaper(Qt::white);
    lexer->setPaper(Qt::white, -1);
    lexer->setColor(colourBlack, Entity);
    lexer->setColor(colourGreen, HtmlComment);
    for (int style : {Tag, UnknownTag})
        lexer->setColor(colourPurple, style);
    for (int style : {Attribute, UnknownAttribute})
        lexer->setColor(colourRed, style);
    for (int style : {HtmlNumber, HtmlDoubleQuotedString, HtmlSingleQuotedString, HtmlValue})
        lexer->setColor(colourBlue, style);
    SynEdit->setLexer(lexer);

    // Line numbers in the gutter.
    QFont gutterFont(QStringLiteral("Terminal"));
    gutterFont.setStyleHint(QFont::TypeWriter);
    gutterFont.setPointSizeF(12 * pointsPerPixel);
    SynEdit->setMarginsFont(gutterFont);
    SynEdit->setMarginType(0, QsciScintilla::NumberMargin);
    SynEdit->setMarginLineNumbers(0, true);
    SynEdit->setMarginWidth(0, QStringLiteral("00000"));
    SynEdit->setMarginWidth(1, 0);
    SynEdit->setUtf8(true);
    SynEdit->setReadOnly(true);
    // Nothing typed into the view is undone: the map's text replaces itself.
    SynEdit->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
    SynEdit->setWrapMode(QsciScintilla::WrapNone);

    // The context menu; the keys themselves (Ctrl+A, Ctrl+C, Ctrl+Insert)
    // are the source view's own.
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    CopytoClipboard1 = new QAction(QStringLiteral("Copy to Clipboard"), this);
    CopytoClipboard1->setObjectName(QStringLiteral("CopytoClipboard1"));
    CopytoClipboard1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    CopytoClipboard1->setShortcutContext(Qt::WidgetShortcut);
    SelectAll1 = new QAction(QStringLiteral("Select All"), this);
    SelectAll1->setObjectName(QStringLiteral("SelectAll1"));
    SelectAll1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    SelectAll1->setShortcutContext(Qt::WidgetShortcut);
    PopupMenu2->addAction(CopytoClipboard1);
    PopupMenu2->addSeparator();
    PopupMenu2->addAction(SelectAll1);
    connect(CopytoClipboard1, &QAction::triggered, this, &TFormCorvantaZonequilter::CopytoClipboard1Click);
    connect(SelectAll1, &QAction::triggered, this, &TFormCorvantaZonequilter::SelectAll1Click);
    SynEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SynEdit, &QWidget::customContextMenuRequested, this,
            &TFormCorvantaZonequilter::ShowSourceContextMenu);

    TabSheetPreview->installEventFilter(this);
    auto* previewLayout = new QVBoxLayout(TabSheetPreview);
    previewLayout->setContentsMargins(0, 0, 0, 0);
}

void TFormCorvantaZonequilter::CreateServicesTab()
{
    auto* layout = new QVBoxLayout(TabSheetServices);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PanelTitle = makeStatusPanel(TabSheetServices, "PanelTitle");
    PanelStatusText = makeStatusPanel(TabSheetServices, "PanelStatusText");
    ProgressBar = new QProgressBar(PanelStatusText);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setFixedWidth(86);
    ProgressBar->setTextVisible(false);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    auto* statusLayout = new QHBoxLayout(PanelStatusText);
    statusLayout->setContentsMargins(0, 2, 2, 2);
    statusLayout->addStretch(1);
    statusLayout->addWidget(ProgressBar);
    layout->addWidget(PanelTitle);
    layout->addStretch(1);
    layout->addWidget(PanelStatusText);
    TabSheetServices->installEventFilter(this);
}

QWebEngineView* TFormCorvantaZonequilter::CreateEmbeddedWB()
{
    if (EmbeddedWB)
        return EmbeddedWB;
    EmbeddedWB = makeWebView(TabSheetPreview, "EmbeddedWB");
    // The map's texts come from imported files: nothing in them runs or reads a file in the Preview.
    static_cast<TBrowserPage*>(EmbeddedWB->page())->RestrictToPreview();
    // The same grey as the Edit tab's surround.
    EmbeddedWB->page()->scripts().insert(buttonShadowScript(PanelScene->palette().color(QPalette::Dark)));
    TabSheetPreview->layout()->addWidget(EmbeddedWB);
    // A relative link reads as the local file it opens, not as the preview scheme's address.
    connect(EmbeddedWB->page(), &QWebEnginePage::linkHovered, this, [this](const QString& Link) {
        const QUrl url(Link);
        EmbeddedWBStatusTextChange(IsPreviewUrl(url) ? FileUrlForPreviewUrl(url).toString() : Link);
    });
    return EmbeddedWB;
}

QWebEngineView* TFormCorvantaZonequilter::CreateWebBrowserServices()
{
    if (WebBrowserServices)
        return WebBrowserServices;
    WebBrowserServices = makeWebView(TabSheetServices, "WebBrowserServices");
    auto* layout = static_cast<QVBoxLayout*>(TabSheetServices->layout());
    // In place of the stretch between the two panels.
    delete layout->takeAt(1);
    layout->insertWidget(1, WebBrowserServices, 1);
    connect(WebBrowserServices, &QWebEngineView::titleChanged, this,
            &TFormCorvantaZonequilter::WebBrowserServicesTitleChange);
    connect(WebBrowserServices->page(), &QWebEnginePage::linkHovered, this,
            &TFormCorvantaZonequilter::WebBrowserServicesStatusTextChange);
    connect(WebBrowserServices, &QWebEngineView::loadStarted, this,
            [this] { WebBrowserServicesProgressChange(0, 100); });
    connect(WebBrowserServices, &QWebEngineView::loadProgress, this,
            [this](int Progress) { WebBrowserServicesProgressChange(Progress, 100); });
    connect(WebBrowserServices, &QWebEngineView::loadFinished, this,
            &TFormCorvantaZonequilter::WebBrowserServicesLoadFinished);
    return WebBrowserServices;
}

void TFormCorvantaZonequilter::SelectPageByUser(int Index)
{
    if (Index < 0 || Index >= PageControl->count() || Index == PageControl->currentIndex())
        return;
    // A tab whose text the user chose not to wait for is not shown.
    if (!PageControlChanging())
        return;
    PageControl->setCurrentIndex(Index);
    PageControlChange();
}

bool TFormCorvantaZonequilter::PageControlChanging()
{
    if (!TBArrow->isChecked()) {
        TBArrow->setChecked(true);
        TBArrowClick();
    }
    return RefreshHTML();
}

void TFormCorvantaZonequilter::PageControlChange()
{
    QWidget* page = PageControl->currentWidget();
    if (page == TabSheetPreview) {
        try {
            LoadHTMLIntoWebView(CreateEmbeddedWB(), SynEdit->text());
        } catch (const EFileCreateError& error) {
            ShowError(error.Message());
        }
    } else if (page == TabSheetSource) {
        SynEdit->setFocus();
    }
}

void TFormCorvantaZonequilter::ButtonRefreshHTMLClick()
{
    RefreshHTML();
}

bool TFormCorvantaZonequilter::RefreshHTML()
{
    TLongTask task(this, QStringLiteral("Writing the HTML..."));
    return RefreshHTML(task, 0, 100);
}

bool TFormCorvantaZonequilter::TSourceKey::operator==(const TSourceKey& Other) const
{
    return Shapes == Other.Shapes && Steps == Other.Steps && ImageFileName == Other.ImageFileName &&
           MapName == Other.MapName && MapAttributes == Other.MapAttributes;
}

TFormCorvantaZonequilter::TSourceKey TFormCorvantaZonequilter::SourceKey() const
{
    return TSourceKey{PanelScene->ShapesRevision(), FDocumentSteps, WrittenPictureName(),
                      FDocument->MapName(), FDocument->MapAttributes()};
}

bool TFormCorvantaZonequilter::RefreshHTML(TLongTask& Task, int From, int To)
{
    // Every change of the regions moves a shape or takes a step, so a document that has done
    // neither since the last text still has it; a big map's text is not written again at every
    // tab change or save. Taken before the work: a change meanwhile makes the next refresh write.
    const TSourceKey key = SourceKey();
    if (FSourceKey && *FSourceKey == key && SynEdit->length() != 0) {
        Task.Step(To);
        return true;
    }
    // Reading the regions takes the window's thread; a whole text is written on another.
    const int gathered = From + (To - From) * 2 / 5;
    const int written = From + (To - From) * 9 / 10;
    std::optional<QVector<MapArea>> areas = GatherMapAreas(
        *PanelScene, [&](qint64 Done, qint64 Total) { return Task.Step(Done, Total, From, gathered); });
    if (!areas)
        return false;
    TSourceLines::THeader header{WrittenPictureName(), FDocument->MapName(), FDocument->MapAttributes()};
    if (const std::optional<QVector<TSourceLines::TEdit>> edits = FSourceLines.Edit(header, *areas)) {
        // A few regions changed: only their lines are replaced, and the reader keeps their place.
        changeSourceView(SynEdit, [&] {
            for (const TSourceLines::TEdit& edit : *edits) {
                SynEdit->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, edit.From, edit.To);
                SynEdit->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, edit.Utf8.size(),
                                       edit.Utf8.constData());
            }
        });
    } else {
        std::optional<TSourceLines::TText> text = Task.Run<TSourceLines::TText>(
            [header, areas = *areas] { return TSourceLines::Write(header, areas); }, gathered);
        if (!text || !Task.Step(written))
            return false;
        // The last step cannot be cut short: from here the new text is the Source's. An unchanged
        // text keeps the reader's place in it.
        // Compared in place: the view's megabytes are not copied to be compared.
        const QByteArray shown = QByteArray::fromRawData(
            reinterpret_cast<const char*>(SynEdit->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER)),
            SynEdit->length());
        if (text->Utf8 != shown || shown.isEmpty()) {
            changeSourceView(SynEdit, [&] {
                SynEdit->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
                // With its length: a text the user typed may hold a NUL.
                SynEdit->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, text->Utf8.size(),
                                       text->Utf8.constData());
            });
        }
        FSourceLines.Reset(std::move(header), std::move(*areas), std::move(text->AreaStarts));
    }
    ++FSourceFills;
    FSourceKey = key;
    Task.Step(To);
    return true;
}

QByteArray TFormCorvantaZonequilter::SourceBytes() const
{
    // The view's own UTF-8, read in place rather than converted to a QString and back.
    const auto* bytes =
        reinterpret_cast<const char*>(SynEdit->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return QByteArray(bytes, SynEdit->length());
}

void TFormCorvantaZonequilter::EmbeddedWBStatusTextChange(const QString& Text)
{
    StatusPanel0->setText(Text);
}

void TFormCorvantaZonequilter::ShowSourceContextMenu(const QPoint& Pos)
{
    PopupMenu2->popup(SynEdit->viewport()->mapToGlobal(Pos));
}

void TFormCorvantaZonequilter::CopytoClipboard1Click()
{
    // Without a selection the clipboard keeps what it holds.
    if (SynEdit->hasSelectedText())
        SynEdit->copy();
}

void TFormCorvantaZonequilter::SelectAll1Click()
{
    SynEdit->selectAll(true);
}

QString TFormCorvantaZonequilter::HomePageAddress()
{
    // The installation's home page, or the maker's own when there is none.
    const QString address = DefaultHRef();
    return QUrl(address).host().isEmpty() ? HomePageURL() : address;
}

QUrl TFormCorvantaZonequilter::ServicesPageUrl(bool Online)
{
    if (!Online)
        return QUrl::fromLocalFile(FindProgramFile(QStringLiteral("services.htm")));
    QUrl host;
    host.setScheme(QStringLiteral("http"));
    host.setHost(QUrl(HomePageAddress()).host());
    host.setPath(QStringLiteral("/"));
    return host.resolved(QUrl(QStringLiteral("services.htm")));
}

void TFormCorvantaZonequilter::TabSheetServicesShow()
{
    QWebEngineView* view = CreateWebBrowserServices();
    if (FServicesLoaded)
        return;
    FServicesLoaded = true;
    FServicesOnline = IsInternetConnected();
    view->load(ServicesPageUrl(FServicesOnline));
}

void TFormCorvantaZonequilter::WebBrowserServicesLoadFinished(bool Ok)
{
    WebBrowserServicesProgressChange(0, 100);
    // An online page that can't be reached gives way to the one beside the
    // program rather than leaving an error page.
    if (!Ok && FServicesOnline && WebBrowserServices->url() == ServicesPageUrl(true)) {
        FServicesOnline = false;
        WebBrowserServices->load(ServicesPageUrl(false));
    }
}

void TFormCorvantaZonequilter::WebBrowserServicesTitleChange(const QString& Title)
{
    PanelTitle->setText(Title);
}

void TFormCorvantaZonequilter::WebBrowserServicesStatusTextChange(const QString& Text)
{
    PanelStatusText->setText(Text);
}

void TFormCorvantaZonequilter::WebBrowserServicesProgressChange(int Progress, int ProgressMax)
{
    ProgressBar->setMaximum(ProgressMax);
    ProgressBar->setValue(Progress);
}
