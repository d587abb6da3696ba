#include "MapPropertiesDialog.h"

#include "EditorDialogs.h"
#include "MessageBoxes.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Translate(const char* Text)
{
    return EditorText(QString::fromLatin1(Text));
}

} // namespace

TFormMapProperties::TFormMapProperties(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormMapProperties"));
    setWindowTitle(Translate("Map Properties"));
    auto* form = new QFormLayout;
    EditMapName = new QLineEdit(this);
    EditMapName->setObjectName(QStringLiteral("EditMapName"));
    form->addRow(Translate("Map &name:"), EditMapName);

    LabelPicture = new QLabel(this);
    LabelPicture->setObjectName(QStringLiteral("LabelPicture"));
    LabelPicture->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelPicture->setMinimumWidth(280);
    ButtonChangePicture = new QPushButton(Translate("Change &Picture..."), this);
    ButtonChangePicture->setObjectName(QStringLiteral("ButtonChangePicture"));
    auto* picture = new QHBoxLayout;
    picture->addWidget(LabelPicture, 1);
    picture->addWidget(ButtonChangePicture);
    form->addRow(Translate("Picture:"), picture);

    auto* paths = new QGroupBox(Translate("Paths of the picture and of links chosen from files"), this);
    RadioAbsolute = new QRadioButton(Translate("&Absolute"), paths);
    RadioAbsolute->setObjectName(QStringLiteral("RadioAbsolute"));
    RadioRelative = new QRadioButton(Translate("&Relative to the saved file"), paths);
    RadioRelative->setObjectName(QStringLiteral("RadioRelative"));
    auto* pathsLayout = new QVBoxLayout(paths);
    pathsLayout->addWidget(RadioAbsolute);
    pathsLayout->addWidget(RadioRelative);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ButtonOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("ButtonCancel"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Translate("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TFormMapProperties::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TFormMapProperties::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(paths);
    layout->addWidget(buttons);
}

void TFormMapProperties::SetValues(const QString& MapName, const QString& PictureName, bool RelativePaths)
{
    EditMapName->setText(MapName);
    ShowPictureName(PictureName);
    (RelativePaths ? RadioRelative : RadioAbsolute)->setChecked(true);
}

void TFormMapProperties::ShowPictureName(const QString& PictureName)
{
    LabelPicture->setText(PictureName.isEmpty() ? Translate("(none)")
                                                : QDir::toNativeSeparators(PictureName));
}

QString TFormMapProperties::MapName() const
{
    return EditMapName->text();
}

bool TFormMapProperties::RelativePaths() const
{
    return RadioRelative->isChecked();
}

void TFormMapProperties::accept()
{
    // A name with a blank or "#" cannot be found by the picture's usemap.
    const QString name = MapName();
    bool usable = !name.isEmpty();
    for (const QChar c : name)
        usable = usable && !c.isSpace() && c != QLatin1Char('#');
    if (!usable) {
        AppMessageBox(Translate("The map's name must not be empty and must not hold blanks or \"#\"."));
        EditMapName->setFocus();
        return;
    }
    QDialog::accept();
}
