#pragma once

#include <QFileDialog>

// One of the program's two shared file dialogs (see SharedDialogs.h). Besides what QFileDialog
// keeps between uses, it holds the file name of the last successful run (FileName), which the
// rest of the program reads back; for the save dialog that is the current document's name.
class TSharedFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    explicit TSharedFileDialog(QFileDialog::AcceptMode Mode, QWidget* Parent = nullptr);

    // The chosen file after a successful run, or the name set with SetFileName.
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& Name) { FFileName = Name; }

    // The filter in the program's "Desc|*.a;*.b|" form and the default extension (no dot),
    // as last given to ExecuteOpenDialog / ExecuteSaveDialog.
    QString Filter() const { return FFilter; }
    QString DefaultExt() const { return FDefaultExt; }
    void SetFilter(const QString& Filter);
    void SetDefaultExt(const QString& Ext);

    // For the save dialog: the reason the given path cannot be accepted (its folder does not
    // exist, or it is a read-only file), or an empty text when it can.
    static QString SaveRefusalReason(const QString& Path);

public slots:
    void accept() override;

protected:
    void hideEvent(QHideEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QString FFileName;
    QString FFilter;
    QString FDefaultExt;
};
