#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The map's own properties: its name (written as the map's name and in the picture's usemap), its
// picture, and whether paths are written in full or relative to the saved file.
class TFormMapProperties : public QDialog
{
    Q_OBJECT

public:
    explicit TFormMapProperties(QWidget* parent = nullptr);

    // Fills the controls; after OK, reads them back.
    void SetValues(const QString& MapName, const QString& PictureName, bool RelativePaths);
    void ShowPictureName(const QString& PictureName);
    QString MapName() const;
    bool RelativePaths() const;

    QLineEdit* EditMapName = nullptr;
    QLabel* LabelPicture = nullptr;
    QPushButton* ButtonChangePicture = nullptr;
    QRadioButton* RadioAbsolute = nullptr;
    QRadioButton* RadioRelative = nullptr;

public slots:
    // OK: closes only with a name a browser can use.
    void accept() override;
};
