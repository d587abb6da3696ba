#include "Translation.h"

#include "AppFolder.h"
#include "ControlText.h"
#include "SettingsFile.h"
#include "StartupFiles.h"
#include "TranslationError.h"
#include "TranslationTable.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTranslator>
#include <memory>

namespace {
std::unique_ptr<TTranslationTable>& Table()
{
    static std::unique_ptr<TTranslationTable> table;
    return table;
}

// Windows of their own (forms and dialogs) give the section; menus, tool tips and floating
// tool windows belong to the window they were opened from.
bool IsForm(const QWidget* Widget)
{
    if (!Widget->isWindow())
        return false;
    switch (Widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::SplashScreen:
        return true;
    default:
        return false;
    }
}

// The tab widget whose page Widget is, with the page's index, or null.
QTabWidget* TabWidgetOfPage(QWidget* Widget, int* Index)
{
    auto* stack = qobject_cast<QStackedWidget*>(Widget->parentWidget());
    if (!stack)
        return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    if (!tabs)
        return nullptr;
    *Index = tabs->indexOf(Widget);
    return *Index >= 0 ? tabs : nullptr;
}

// QAction's implicit tool tip is its text without "&" markers and "...".
QString ImplicitToolTip(const QString& Text)
{
    QString s = Text;
    s.remove(QLatin1String("..."));
    for (int i = 0; i < s.size(); ++i) {
        if (s.at(i) == QLatin1Char('&'))
            s.remove(i, 1);
    }
    return s.trimmed();
}

template <typename Getter, typename Setter>
void TranslateValue(const QString& Section, Getter Get, Setter Set)
{
    const QString original = Get();
    if (original.isEmpty())
        return;
    const QString translated = TranslateText(original, Section);
    // Setting an unchanged text would still reset edit histories and cursors.
    if (translated != original)
        Set(translated);
}

void TranslateWidgetHint(QWidget* W, const QString& Section)
{
    TranslateValue(
        Section, [W] { return W->toolTip(); }, [W](const QString& T) { W->setToolTip(T); });
    TranslateValue(
        Section, [W] { return W->statusTip(); }, [W](const QString& T) { W->setStatusTip(T); });
}

void TranslateAction(QAction* A, const QString& Section)
{
    const QString toolTip = A->toolTip();
    const bool explicitToolTip = toolTip != ImplicitToolTip(A->text());
    TranslateValue(
        Section, [A] { return A->text(); }, [A](const QString& T) { A->setText(T); });
    if (explicitToolTip)
        TranslateValue(
            Section, [&] { return toolTip; }, [A](const QString& T) { A->setToolTip(T); });
    TranslateValue(
        Section, [A] { return A->statusTip(); }, [A](const QString& T) { A->setStatusTip(T); });
}

void TranslateControlText(QWidget* W, const QString& Section)
{
    int page = -1;
    if (QTabWidget* tabs = TabWidgetOfPage(W, &page)) {
        TranslateValue(
            Section, [&] { return tabs->tabText(page); },
            [&](const QString& T) { tabs->setTabText(page, T); });
        return;
    }
    // A tool button showing an action mirrors the action's text; the action is translated.
    if (auto* button = qobject_cast<QToolButton*>(W); button && button->defaultAction())
        return;
    TranslateValue(
        Section, [W] { return GetControlText(W); }, [W](const QString& T) { SetControlText(W, T); });
}

void TranslateComboBox(QComboBox* Combo, const QString& Section)
{
    const int selected = Combo->currentIndex();
    if (Combo->isEditable())
        TranslateValue(
            Section, [Combo] { return Combo->currentText(); },
            [Combo](const QString& T) { Combo->setEditText(T); });
    TranslateWidgetHint(Combo, Section);
    for (int i = 0; i < Combo->count(); ++i)
        TranslateValue(
            Section, [&] { return Combo->itemText(i); }, [&](const QString& T) { Combo->setItemText(i, T); });
    Combo->setCurrentIndex(selected);
}

void TranslateTabBar(QTabBar* Bar, const QString& Section)
{
    TranslateControlText(Bar, Section);
    TranslateWidgetHint(Bar, Section);
    for (int i = 0; i < Bar->count(); ++i)
        TranslateValue(
            Section, [&] { return Bar->tabText(i); }, [&](const QString& T) { Bar->setTabText(i, T); });
}

void TranslateColumns(QAbstractItemView* View, const QString& Section)
{
    TranslateControlText(View, Section);
    TranslateWidgetHint(View, Section);
    QAbstractItemModel* model = View->model();
    if (!model)
        return;
    for (int i = 0; i < model->columnCount(); ++i)
        TranslateValue(
            Section, [&] { return model->headerData(i, Qt::Horizontal).toString(); },
            [&](const QString& T) { model->setHeaderData(i, Qt::Horizontal, T); });
}

bool HasColumns(const QObject* Object)
{
    return qobject_cast<const QTreeView*>(Object) || qobject_cast<const QTableView*>(Object);
}

// The children that are components of their own: the parts Qt builds inside compound widgets
// (a combo box's editor and list, a tab widget's bar, a menu's or toolbar's own action) are
// covered by their owner and would otherwise be translated twice.
QObjectList OwnedComponents(QObject* Component)
{
    if (qobject_cast<QComboBox*>(Component) || qobject_cast<QAbstractSpinBox*>(Component))
        return {};
    QObject* skip = nullptr;
    if (auto* tabs = qobject_cast<QTabWidget*>(Component))
        skip = tabs->tabBar();
    else if (auto* menu = qobject_cast<QMenu*>(Component))
        skip = menu->menuAction();
    else if (auto* toolbar = qobject_cast<QToolBar*>(Component))
        skip = toolbar->toggleViewAction();
    else if (auto* dock = qobject_cast<QDockWidget*>(Component))
        skip = dock->toggleViewAction();
    QObjectList result = Component->children();
    if (skip)
        result.removeAll(skip);
    return result;
}

void TranslateOne(QObject* Component, const QString& Section)
{
    if (qobject_cast<QCoreApplication*>(Component)) {
        TranslateValue(
            Section, [] { return QGuiApplication::applicationDisplayName(); },
            [](const QString& T) { QGuiApplication::setApplicationDisplayName(T); });
    } else if (auto* combo = qobject_cast<QComboBox*>(Component)) {
        TranslateComboBox(combo, Section);
    } else if (auto* bar = qobject_cast<QTabBar*>(Component)) {
        TranslateTabBar(bar, Section);
    } else if (HasColumns(Component)) {
        TranslateColumns(static_cast<QAbstractItemView*>(Component), Section);
    } else if (auto* menu = qobject_cast<QMenu*>(Component)) {
        TranslateAction(menu->menuAction(), Section);
    } else if (auto* widget = qobject_cast<QWidget*>(Component)) {
        TranslateControlText(widget, Section);
        TranslateWidgetHint(widget, Section);
    } else if (auto* action = qobject_cast<QAction*>(Component)) {
        TranslateAction(action, Section);
    }
}
} // namespace

bool LoadTranslationFile(const QString& FileName, QString* ErrorMessage, QStringList* Notices)
{
    Table() = std::make_unique<TTranslationTable>();
    const TStartupFile kind = CheckStartupFile(FileName);
    if (kind == TStartupFile::Unusable && Notices)
        Notices->append(IgnoredStartupFileMessage(FileName));
    QFile file(FileName);
    if (kind != TStartupFile::Readable || !file.open(QIODevice::ReadOnly))
        return true;
    // The size was checked before the open; a file that grows since is cut, not followed.
    const QByteArray bytes = file.read(MaxStartupFileSize);
    if (file.error() != QFileDevice::NoError) {
        if (ErrorMessage)
            *ErrorMessage = QStringLiteral("Cannot read file \"%1\". %2").arg(FileName, file.errorString());
        return false;
    }
    Table()->LoadBytes(bytes);
    return true;
}

QStringList TranslationFileCandidates(const QLocale& Locale)
{
    QStringList names{QStringLiteral("lang.txt")};
    // "de_AT" before "de": a regional file wins over the language's.
    const QString region = Locale.name();
    const QString language = region.section(QLatin1Char('_'), 0, 0);
    for (const QString& code : {region, language}) {
        const QString name = QStringLiteral("lang.%1.txt").arg(code);
        if (!code.isEmpty() && !names.contains(name))
            names.append(name);
    }
    const QStringList folders{GetConfigFolder(), GetAppFolder(), GetInstalledDataFolder()};
    QStringList candidates;
    for (const QString& name : names) {
        for (const QString& folder : folders)
            candidates.append(folder + name);
    }
    return candidates;
}

bool LoadTranslationFile(const QLocale& Locale, QString* ErrorMessage, QStringList* Notices)
{
    for (const QString& candidate : TranslationFileCandidates(Locale)) {
        switch (CheckStartupFile(candidate)) {
        case TStartupFile::Readable:
            return LoadTranslationFile(candidate, ErrorMessage, Notices);
        case TStartupFile::Unusable:
            // Skipped with a word to the user; the next candidate may still serve.
            if (Notices)
                Notices->append(IgnoredStartupFileMessage(candidate));
            break;
        case TStartupFile::Missing:
            break;
        }
    }
    Table() = std::make_unique<TTranslationTable>();
    return true;
}

bool LoadTranslationFile(QString* ErrorMessage, QStringList* Notices)
{
    return LoadTranslationFile(QLocale::system(), ErrorMessage, Notices);
}

void FreeTranslations()
{
    Table().reset();
}

TTranslationTable& Translations()
{
    if (!Table())
        Table() = std::make_unique<TTranslationTable>();
    return *Table();
}

QString TranslateText(const QString& Text, const QString& Section)
{
    const QString key = EscapeText(Text);
    const QString value = Table() ? Table()->Lookup(Section, key) : key;
    return UnescapeText(value);
}

QString TranslateMessage(const QString& Text)
{
    try {
        return TranslateText(Text, QStringLiteral("STRING_TABLE"));
    } catch (const ETranslationError&) {
        return Text;
    }
}

namespace {
class TTableTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return !Table(); }

    QString translate(const char* Context, const char* SourceText, const char* Disambiguation,
                      int Count) const override
    {
        Q_UNUSED(Disambiguation);
        Q_UNUSED(Count);
        if (!Table() || !SourceText || !IsOwnContext(Context))
            return QString();
        const QString source = QString::fromUtf8(SourceText);
        const QString translated = TranslateMessage(source);
        // An empty answer tells Qt to keep the source text.
        return translated == source ? QString() : translated;
    }

private:
    static bool IsOwnContext(const char* Context)
    {
        // Qt's classes keep their own translations; QObject::tr is ours.
        return Context && (Context[0] != 'Q' || qstrcmp(Context, "QObject") == 0);
    }
};
} // namespace

void InstallTableTranslator()
{
    static TTableTranslator* translator = nullptr;
    if (translator || !QCoreApplication::instance())
        return;
    translator = new TTableTranslator(QCoreApplication::instance());
    QCoreApplication::installTranslator(translator);
}

QString TranslationSection(const QObject* Component)
{
    for (const QObject* o = Component; o; o = o->parent()) {
        if (const auto* widget = qobject_cast<const QWidget*>(o); widget && IsForm(widget))
            return QString::fromLatin1(widget->metaObject()->className());
    }
    return QStringLiteral("Application");
}

void TranslateComponent(QObject* Component)
{
    if (!Component)
        return;
    TranslateOne(Component, TranslationSection(Component));
    for (QObject* child : OwnedComponents(Component))
        TranslateComponent(child);
}
