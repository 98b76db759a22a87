// The ファイル menu: new, open, close, save as, field selection, options, quit.
#include "app/adrsbook.h"

#include "options/options.h"
#include "store/blanks.h"
#include "store/datamodule.h"

#include "platform/modalrunner.h"
#include "platform/runerror.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

void Adrsbook::Menu_File_Open_Click(int index)
{
    const TraceEntry trace(dm, QStringLiteral("Menu_File_Open"));
    dm.OpenStatus = 0;
    dm.FileMode = static_cast<qint16>(index);
    if (index == 0)
        dm.CurrentFileName = QStringLiteral("kanote.kno");

    if (!dm.CommandFile.isEmpty())
        Prm_Open();
    else
        runFileDialog();
    dm.CommandFile.clear();

    if (dm.OpenStatus == 0) {
        showFileOpenState();
        dm.CallTrace.clear();
    } else if (dm.OpenStatus < 0) {
        Menu_File_Close_Click();
    }
}

void Adrsbook::Prm_Open()
{
    const TraceEntry trace(dm, QStringLiteral("Prm_Open"));
    QString description;
    try {
        const QString path = dm.CommandFile;
        // A path that names nothing is refused: opening must not create a book.
        const QFileInfo target(path);
        if (!target.exists())
            throw RunError(QStringLiteral("ファイルが見つかりません。(%1)").arg(path));
        if (!target.isFile())
            throw RunError(QStringLiteral("ファイルではありません。(%1)").arg(path));
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0) {
            const QString folder = slash == 0 ? QStringLiteral("/") : trimBlanks(path.left(slash));
            if (!QDir::setCurrent(folder))
                throw RunError(QStringLiteral("フォルダに移動できません。(%1)").arg(folder));
            dm.CurrentFileName = path.mid(slash + 1);
        } else {
            dm.CurrentFileName = path;
        }
        if (dm.Hyoujun() == 0) {
            dm.RefreshFileInfo();
            return;
        }
    } catch (const RunError &error) {
        description = error.description();
    }
    // Failure: the book is not opened and the user is told why.
    if (dm.Settings.DebugMode == 1)
        dm.CallTrace += QLatin1Char('\n') + dm.CommandFile;
    dm.ErrReport(QStringLiteral("Prm_Open"), description, this);
    dm.OpenStatus = -2;
}

void Adrsbook::Menu_File_Close_Click()
{
    dm.CloseData();
    showNoFileState();
    dm.RecordCount = 0;
}

void Adrsbook::Menu_File_Quit_Click()
{
    dm.CloseData();
    close();
    QApplication::quit();
}

void Adrsbook::Menu_File_Kugiri_Click()
{
    // A book is open while 新規作成 cannot be chosen.
    Options dialog(dm, !Menu_File_Open[0]->isEnabled(), this);
    dm.Platform.Modal->run(dialog);
}
