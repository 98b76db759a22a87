#include "store/datamodule.h"

#include "store/blanks.h"
#include "store/storefile.h"

#include "platform/codec.h"
#include "platform/pointer.h"
#include "platform/runerror.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <exception>

DataModule::DataModule(PlatformServices services)
    : Platform(services)
{
}

DataModule::~DataModule() = default;

int DataModule::Msg(QWidget *parent, const QString &text, MsgIcon icon, MsgButtons buttons,
                    const QString &caption)
{
    MsgAnswer = static_cast<qint16>(Platform.Boxes->show(parent, text, icon, buttons, caption));
    return MsgAnswer;
}

void DataModule::ErrReport(const QString &caption, const QString &description, QWidget *parent)
{
    Pointer::restore(0);
    Msg(parent, description + QLatin1Char('\n') + CallTrace, MsgIcon::Information, MsgButtons::Ok,
        caption);
    CommandFile.clear();
    CallTrace.clear();
}

TraceEntry::TraceEntry(DataModule &data, const QString &name)
    : dm(data), before(data.CallTrace), errorsInFlight(std::uncaught_exceptions())
{
    dm.Trace(name);
    entered = dm.CallTrace;
}

TraceEntry::~TraceEntry()
{
    if (std::uncaught_exceptions() > errorsInFlight)
        return;
    if (dm.CallTrace.startsWith(entered))
        dm.CallTrace = before;
}

int DataModule::ErrMsg(int code, const QString &description, QWidget *parent)
{
    const QString text = code == 1
        ? QStringLiteral("ﾃﾞｰﾀ数が") + QStringLiteral(" %1").arg(RecordCount)
              + QStringLiteral("のため、処理できません！")
        : description;
    return Msg(parent, text, MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("Err Msg"));
}

void DataModule::FieldsToRecord()
{
    // The record blank-fills each field: trailing blanks make no difference.
    for (int f = 1; f <= RecordLayout::FieldCount; ++f)
        RecordBuffer.setFieldBytes(f, FieldOutput(f, Trim::Right));
}

void DataModule::RecordToFields()
{
    for (int f = 1; f <= RecordLayout::FieldCount; ++f) {
        FieldBytes[f] = trimRightBlanks(RecordBuffer.fieldBytes(f));
        FieldBytesText[f] = Cp932::decode(FieldBytes[f]);
        FieldText[f] = FieldBytesText[f];
    }
}

void DataModule::ClearFields()
{
    for (int f = 0; f <= RecordLayout::FieldCount; ++f) {
        FieldText[f].clear();
        FieldBytes[f].clear();
        FieldBytesText[f].clear();
    }
}

QByteArray DataModule::FieldOutput(int field, Trim trim) const
{
    const auto cut = [trim](const auto &value) {
        return trim == Trim::Both ? trimBlanks(value) : trim == Trim::Right ? trimRightBlanks(value) : value;
    };
    const QString text = cut(FieldText[field]);
    if (!FieldBytes[field].isEmpty() && text == cut(FieldBytesText[field]))
        return cut(FieldBytes[field]);
    return Cp932::encode(text);
}

void DataModule::KeepStoredBytes(const AddressRecord &stored)
{
    for (int f = 1; f <= RecordLayout::FieldCount; ++f) {
        FieldBytes[f] = trimRightBlanks(stored.fieldBytes(f));
        FieldBytesText[f] = Cp932::decode(FieldBytes[f]);
    }
}

QString DataModule::DataFilePath() const
{
    return QDir::current().absoluteFilePath(CurrentFileName);
}

void DataModule::CloseData()
{
    if (DataChannel)
        DataChannel->close();
    DataChannel.reset();
}

namespace {

[[noreturn]] void failOpen(const QFile &file)
{
    if (!file.exists())
        throw RunError(QStringLiteral("ファイルが見つかりません。"));
    throw RunError(QStringLiteral("ファイルを開けません。(%1)").arg(file.errorString()));
}

// A fixed-length book opens for reading and writing; a file the user may only
// read still opens, and a change to it is reported when it is written. Its
// channel keeps no buffer, so a record read always comes from the file as
// it now is, also after a write through another channel.
void openReadWrite(QFile &file)
{
    if (file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return;
    if (file.exists() && file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return;
    failOpen(file);
}

} // namespace

void DataModule::ReopenData()
{
    CloseData();
    std::unique_ptr<QFile> file = StoreFile::make(CurrentFileName);
    if (!file->exists())
        throw RunError(QStringLiteral("ファイルが見つかりません。(%1)").arg(CurrentFileName));
    const bool opened = DataFormat == FixedLength
        ? (file->open(QIODevice::ReadWrite | QIODevice::Unbuffered)
           || file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        : file->open(QIODevice::ReadOnly);
    if (!opened)
        throw RunError(QStringLiteral("%1 を開けません。(%2)").arg(CurrentFileName, file->errorString()));
    DataChannel = std::move(file);
    RefreshFileInfo();
}

int DataModule::Hyoujun()
{
    Trace(QStringLiteral("Hyoujun"));
    CloseData();
    DataChannel = StoreFile::make(CurrentFileName);
    QFile &file = *DataChannel;

    if (DataFormat == FixedLength) {
        openReadWrite(file);
        FileLength = file.size();
        const qint64 count = (FileLength + RecordLength / 2) / RecordLength;
        if (count > MaxFixedRecords) {
            CloseData();
            throw RunError(QStringLiteral("ﾃﾞｰﾀ数が %1 件を超えるため、このファイルは開けません。")
                               .arg(MaxFixedRecords));
        }
        RecordCount = static_cast<qint16>(count);
        return 0;
    }

    // A new text book keeps what an existing file of that name holds, like a
    // new fixed-length book: nothing is written over unread lines.
    const bool existingText = FileMode != 0 || (file.exists() && QFileInfo(file).size() > 0);
    if (existingText) {
        if (!file.open(QIODevice::ReadOnly))
            failOpen(file);
        FileLength = file.size();
        if (FileLength == 0) {
            // An empty book has no line yet, but the lines added to it are
            // read (the end mark of an earlier file does not carry over).
            CurrentRecord = 1;
            RecordCount = 0;
            LineIndex[1] = 1;
            return 0;
        }
        BuildLineIndex();
        file.seek(LineIndex[1] - 1);
        ParseLine();
        if (FieldText[1].size() == LineText.size()) {
            CurrentRecord = -1;
            if (FileLength > 0 && FileMode == 1) {
                Msg(nullptr, QStringLiteral("指定されている区切り文字がありません。"),
                    MsgIcon::Critical, MsgButtons::Ok);
                Pointer::restore(SavedPointer);
                return -1;
            }
        }
        return 0;
    }

    if (!file.open(QIODevice::ReadWrite))
        failOpen(file);
    FileLength = file.size();
    CurrentRecord = 1;
    RecordCount = 0;
    LineIndex[1] = 1;
    return 0;
}

void DataModule::BuildLineIndex()
{
    QFile &file = *DataChannel;
    CurrentRecord = 1;
    LineIndex[1] = 1;
    int i = 1;
    if (file.size() == 0)
        return;
    if (!file.seek(0))
        throw RunError(QStringLiteral("%1 を読めません。(%2)").arg(CurrentFileName, file.errorString()));
    QByteArray line;
    while (readRawLine(file, line)) {
        if (file.atEnd())
            break;
        ++i;
        if (i > MaxTextRecords) {
            file.seek(0);
            throw RunError(QStringLiteral("ﾃﾞｰﾀ数が %1 件を超えるため、可変長ファイルとしては扱えません。")
                               .arg(MaxTextRecords));
        }
        LineIndex[i] = static_cast<qint32>(file.pos() + 1);
    }
    RecordCount = static_cast<qint16>(i);
    FileLength = file.size();
    LineIndex[i + 1] = static_cast<qint32>(FileLength + 1);
    CurrentRecord = 1;
    file.seek(0);
}

void DataModule::ReadRecord(int n)
{
    const qint64 at = qint64(n - 1) * RecordLength;
    if (!DataChannel || !DataChannel->seek(at))
        throw RunError(QStringLiteral("レコード %1 を読めません。").arg(n));
    const QByteArray bytes = DataChannel->read(RecordLength);
    // A record is read whole. Only the last one of a file whose end was cut
    // off is shorter; what is missing of it reads as blanks.
    const qint64 present = qBound<qint64>(0, DataChannel->size() - at, qint64(RecordLength));
    if (bytes.size() < present)
        throw RunError(QStringLiteral("レコード %1 を読めません。(%2)").arg(n).arg(DataChannel->errorString()));
    RecordBuffer = AddressRecord::fromBytes(bytes);
}

void DataModule::WriteRecord(int n)
{
    const auto file = StoreFile::make(DataFilePath());
    const bool written =
        file->open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly)
        && file->seek(qint64(n - 1) * RecordLength) && file->writeAll(RecordBuffer.bytes())
        && file->syncToDisk() && file->closeChecked();
    if (!written)
        throw RunError(QStringLiteral("レコード %1 を書き込めません。(%2)").arg(n).arg(file->errorString()));
}

void DataModule::LoadRecord(int n)
{
    if (DataFormat == FixedLength) {
        ReadRecord(n);
        RecordToFields();
    } else {
        if (!DataChannel || n < 1 || n > MaxTextRecords || !DataChannel->seek(LineIndex[n] - 1))
            throw RunError(QStringLiteral("行 %1 を読めません。").arg(n));
        ParseLine();
    }
}

void DataModule::RefreshFileInfo()
{
    const QFileInfo info(DataFilePath());
    FileLength = info.size();
    FileDate = info.lastModified();
}

void DataModule::ShowChange(bool withName)
{
    RefreshFileInfo();
    if (withName)
        SetLabel(MainWindowLink::FileNameLabel, CurrentFileName);
    SetLabel(MainWindowLink::CountLabel, QString::number(RecordCount));
    SetLabel(MainWindowLink::DateLabel, FileDateText());
}

QString DataModule::DataFormatText() const
{
    if (DataFormat == FixedLength)
        return QStringLiteral("固定長");
    return QStringLiteral("可変長  ") + SettingsFile::delimiterName(Settings.DelimiterCode);
}

QString DataModule::DateTimeText(const QDateTime &when)
{
    return QLocale::c().toString(when, QStringLiteral("yyyy/MM/dd H:mm:ss"));
}

QString DataModule::FileDateText() const
{
    return DateTimeText(FileDate);
}

void DataModule::LockMainMenus()
{
    if (MainWindow)
        MainWindow->LockMainMenus();
}

void DataModule::UnlockMainMenus()
{
    if (MainWindow)
        MainWindow->UnlockMainMenus();
}

void DataModule::SetLabel(MainWindowLink::Label label, const QString &text)
{
    if (MainWindow)
        MainWindow->SetStatusLabel(label, text);
}
