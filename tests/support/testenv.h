#pragma once
// What every test needs: a temporary folder made current, a DataModule with
// scripted message boxes, modal windows and common dialogs, a recording help
// system, recording printers and a fake main window, and helpers to write
// and read CP932 files.
// When a TestEnv goes, a message box or modal window that nobody expected
// fails the running test (unless it has failed already).
#include "store/datamodule.h"

#include "support/fakemainwindow.h"
#include "support/recordinghelpsystem.h"
#include "support/recordingprinter.h"
#include "support/scriptedcommondialogs.h"
#include "support/scriptedmessageboxes.h"
#include "support/scriptedmodalrunner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class TestEnv {
public:
    TestEnv();
    ~TestEnv();

    QString path(const QString &name) const;
    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;
    // Opens a book the way the file dialog does; fails the test on error.
    bool open(const QString &name, qint16 format, qint16 mode = 1);
    // Empty when every box and modal window was expected; else what was not.
    // Checked by the destructor.
    QString unexpected() const;

    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ScriptedModalRunner modal;
    RecordingHelpSystem help;
    ScriptedCommonDialogs dialogs;
    RecordingPrinterChoice printers;
    FakeMainWindow mainWindow;
    std::unique_ptr<DataModule> dm;

private:
    QString previousFolder;
};
