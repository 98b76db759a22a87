#include "support/testenv.h"

#include "platform/runerror.h"

#include <QDir>
#include <QFile>
#include <QTest>

TestEnv::TestEnv()
    : previousFolder(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
    dm = std::make_unique<DataModule>(PlatformServices{&boxes, &modal, &help, &dialogs, &printers});
    dm->MainWindow = &mainWindow;
    dm->ProgramFolder = dir.path();
    dm->SettingsPath = dir.filePath(QStringLiteral("KANOTE.DAT"));
    dm->StartFolder = dir.path();
    dm->Settings.DelimiterCode = 1;
}

TestEnv::~TestEnv()
{
    dm.reset();
    // Windows and boxes a test met without asking for them are faults of
    // what it tests; a test that failed already keeps its first failure.
    if (QTest::currentTestFunction() && !QTest::currentTestFailed()) {
        const QString what = unexpected();
        if (!what.isEmpty())
            QTest::qFail(qPrintable(what.trimmed()), __FILE__, __LINE__);
    }
    QDir::setCurrent(previousFolder);
}

QString TestEnv::path(const QString &name) const
{
    return dir.filePath(name);
}

void TestEnv::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TestEnv::readFile(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestEnv::open(const QString &name, qint16 format, qint16 mode)
{
    dm->CurrentFileName = name;
    dm->DataFormat = format;
    dm->FileMode = mode;
    try {
        return dm->Hyoujun() == 0;
    } catch (const RunError &) {
        return false;
    }
}

QString TestEnv::unexpected() const
{
    QString out;
    for (const ShownBox &b : boxes.unexpected)
        out += QStringLiteral("unexpected box [%1] %2\n").arg(b.caption, b.text);
    for (const QString &w : modal.unexpected)
        out += QStringLiteral("unexpected window %1\n").arg(w);
    for (const ScriptedCommonDialogs::Shown &d : dialogs.unexpected)
        out += QStringLiteral("unexpected dialog %1 %2\n").arg(int(d.kind)).arg(d.title);
    return out;
}
