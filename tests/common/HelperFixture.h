#pragma once
// A fixture for tests of the shared dialogs and web helpers: a private program and preview folder,
// and message boxes answered without showing, each recorded.
#include "AppFolder.h"
#include "InternetConnection.h"
#include "MessageBoxes.h"
#include "PreviewFolder.h"
#include "SharedDialogs.h"

#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct ShownBox
{
    int count = 0;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Each test gets its own program and preview folder, and every message box is recorded and
// answered with FAnswer; TearDown puts everything back.
class THelperFixture
{
protected:
    void SetUp()
    {
        FDir = new QTemporaryDir;
        QVERIFY(FDir->isValid());
        SetAppFolderOverride(FDir->path());
        SetPreviewFolderOverride(FDir->path());
        FBox = ShownBox();
        FAnswer = QMessageBox::Ok;
        SetMessageBoxRunner([this](QMessageBox& box) {
            ++FBox.count;
            FBox.text = box.text();
            FBox.title = box.windowTitle();
            FBox.icon = box.icon();
            FBox.buttons = box.standardButtons();
            return FAnswer;
        });
        SetDialogRunner(CancelDialogRunner());
    }

    void TearDown()
    {
        SetMessageBoxRunner(nullptr);
        SetDialogRunner(nullptr);
        SetInternetConnectedProbe(nullptr);
        SetAppFolderOverride(QString());
        SetPreviewFolderOverride(QString());
        delete FDir;
        FDir = nullptr;
    }

    QTemporaryDir* FDir = nullptr;
    ShownBox FBox;
    QMessageBox::StandardButton FAnswer = QMessageBox::Ok;
};
