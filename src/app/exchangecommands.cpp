// The exchange with other programs: 他のソフトから読み込み (a CSV or vCard file,
// previewed, then appended to the open book or made into a new one) and
// 他のソフト用に書き出し (the open book as UTF-8 CSV or vCard 3.0).
#include "app/adrsbook.h"

#include "convert/conversion.h"
#include "exchange/exchangerun.h"
#include "exchange/importpreview.h"
#include "store/datamodule.h"

#include "platform/modalrunner.h"
#include "platform/pointer.h"
#include "platform/runerror.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScopeGuard>

namespace {

const QString ImportCaption = QStringLiteral("他のソフトから読み込み");
const QString ExportCaption = QStringLiteral("他のソフト用に書き出し");

// The save dialog's file types, in the order of ExportFormat.
const QStringList ExportFilters = {QStringLiteral("CSV ファイル（UTF-8） (*.csv)"),
                                   QStringLiteral("vCard 3.0 ファイル (*.vcf)")};

} // namespace

void Adrsbook::Menu_File_Import_Click()
{
    dm.Trace(QStringLiteral("Menu_File_Import"));
    const auto clearTrace = qScopeGuard([this] { dm.CallTrace.clear(); });

    QFileDialog chooser(this, ImportCaption, QDir::currentPath());
    chooser.setObjectName(QStringLiteral("ImportFileDialog"));
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setNameFilters({QStringLiteral("CSV・vCard ファイル (*.csv *.txt *.vcf)"),
                            QStringLiteral("CSV ファイル (*.csv *.txt)"), QStringLiteral("vCard ファイル (*.vcf)"),
                            QStringLiteral("すべてのファイル (*)")});
    if (dm.Platform.Modal->run(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString path = QFileInfo(chooser.selectedFiles().first()).absoluteFilePath();

    ImportSource source;
    QString message;
    if (!LoadImportSource(path, source, message)) {
        dm.Msg(this, message, MsgIcon::Exclamation, MsgButtons::Ok, ImportCaption);
        return;
    }
    ImportPlan plan(std::move(source));
    if (plan.records().isEmpty()) {
        dm.Msg(this, QFileInfo(path).fileName() + QStringLiteral(" には読み込めるﾃﾞｰﾀがありません。"),
               MsgIcon::Exclamation, MsgButtons::Ok, ImportCaption);
        return;
    }

    // Into the open book, or with none into a new book beside the file read.
    ImportTarget target;
    target.newBook = !Menu_File_Close->isEnabled();
    if (target.newBook) {
        if (!QDir::setCurrent(QFileInfo(path).absolutePath())) {
            dm.Msg(this, QStringLiteral("フォルダに移動できません。(%1)").arg(QFileInfo(path).absolutePath()),
                   MsgIcon::Exclamation, MsgButtons::Ok, ImportCaption);
            return;
        }
        target.name = Conversion::NewFileName();
        if (target.name.isEmpty()) {
            dm.Msg(this, QStringLiteral("KANOTE01.KNO～KANOTE99.KNO がすべて使われているため、読み込めません。"),
                   MsgIcon::Exclamation, MsgButtons::Ok, ImportCaption);
            return;
        }
    } else {
        target.name = dm.CurrentFileName;
        target.fixedLength = dm.DataFormat == DataModule::FixedLength;
    }

    ImportPreview preview(dm, std::move(plan), target, this);
    if (dm.Platform.Modal->run(preview) != QDialog::Accepted)
        return;
    const QList<FieldValues> records = preview.plan().records();

    Pointer::Hourglass hourglass(dm.SavedPointer);
    try {
        if (target.newBook) {
            ExchangeRun::createBook(dm, target.name, records);
            showFileOpenState();
        } else {
            ExchangeRun::appendToBook(dm, records);
            dm.ShowChange(false);
        }
        hourglass.restore();
        dm.Msg(this, QStringLiteral("%1 件のﾃﾞｰﾀを %2 に読み込みました。").arg(records.size()).arg(target.name),
               MsgIcon::Information, MsgButtons::Ok, ImportCaption);
    } catch (const RunError &error) {
        hourglass.restore();
        if (target.newBook && !(dm.DataChannel && dm.DataChannel->isOpen()))
            Menu_File_Close_Click();
        dm.ErrReport(QStringLiteral("Menu_File_Import"), error.description(), this);
    }
}

void Adrsbook::Menu_File_Export_Click()
{
    dm.Trace(QStringLiteral("Menu_File_Export"));
    const auto clearTrace = qScopeGuard([this] { dm.CallTrace.clear(); });
    if (!hasRecords())
        return;

    QFileDialog chooser(this, ExportCaption, QDir::currentPath());
    chooser.setObjectName(QStringLiteral("ExportFileDialog"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    // The program asks itself, once the extension has been added.
    chooser.setOption(QFileDialog::DontConfirmOverwrite);
    chooser.setNameFilters(ExportFilters);
    chooser.selectFile(QFileInfo(dm.CurrentFileName).completeBaseName() + QStringLiteral(".csv"));
    if (dm.Platform.Modal->run(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;

    // The name as typed decides the format where it says one; otherwise the
    // file type chosen does, and its extension is added.
    const auto [path, format] = ExchangeRun::exportTarget(
        chooser.selectedFiles().first(),
        chooser.selectedNameFilter() == ExportFilters[1] ? ExportFormat::VCard : ExportFormat::Csv);
    const QFileInfo info(path);
    if (info.isDir()) {
        dm.Msg(this, info.fileName() + QStringLiteral(" はフォルダのため、書き出せません。"), MsgIcon::Exclamation,
               MsgButtons::Ok, ExportCaption);
        return;
    }
    if (Conversion::samePath(path, dm.DataFilePath())) {
        dm.Msg(this, info.fileName() + QStringLiteral(" は開いている住所録のため、書き出し先にできません。"),
               MsgIcon::Exclamation, MsgButtons::Ok, ExportCaption);
        return;
    }
    if (info.exists()) {
        dm.Msg(this, info.fileName() + QStringLiteral(" は既に存在します。") + QLatin1Char('\n')
                   + QStringLiteral("上書きしますか？"),
               MsgIcon::Exclamation, MsgButtons::YesNo, ExportCaption);
        if (dm.MsgAnswer != MsgAnswerCode::Yes)
            return;
    }

    Pointer::Hourglass hourglass(dm.SavedPointer);
    try {
        ExchangeRun::exportBook(dm, path, format);
        hourglass.restore();
        dm.Msg(this, QStringLiteral("%1 件のﾃﾞｰﾀを %2 に書き出しました。").arg(dm.RecordCount).arg(info.fileName()),
               MsgIcon::Information, MsgButtons::Ok, ExportCaption);
    } catch (const RunError &error) {
        hourglass.restore();
        dm.ErrReport(QStringLiteral("Menu_File_Export"), error.description(), this);
    }
}
