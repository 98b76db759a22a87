#include "store/settingsfile.h"

#include "store/blanks.h"
#include "store/storefile.h"
#include "store/tempfile.h"

#include "platform/fonts.h"
#include "platform/runerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

LayoutDefaults LayoutDefaults::factory()
{
    LayoutDefaults d;
    const std::array<qint16, 9> vTop = {300, 360, 340, 340, 770, 770, 895, 895, 1230};
    const std::array<qint16, 9> vLeft = {860, 760, 600, 480, 250, 185, 125, 63, 80};
    const std::array<qint16, 9> hTop = {300, 400, 500, 600, 1180, 1260, 1340, 1400, 1230};
    const std::array<qint16, 9> hLeft = {250, 310, 300, 300, 70, 100, 200, 200, 80};
    for (int i = 0; i < 9; ++i) {
        d.Top[i] = vTop[i];
        d.Left[i] = vLeft[i];
        d.Top[i + 10] = hTop[i];
        d.Left[i + 10] = hLeft[i];
    }
    return d;
}

namespace SettingsFile {

namespace {

// A file the program may change: the user may write it and it is not marked
// read-only (for anyone).
bool changeable(const QFileInfo &file)
{
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return file.isWritable() && (file.permissions() & anyWrite);
}

QString inConfigFolder(const QString &config)
{
    QDir().mkpath(config);
    return QDir(config).filePath(FileName);
}

QString workPathFor(const QString &path)
{
    return QFileInfo(path).dir().filePath(WorkFileName);
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// One write of the whole record over the file's first bytes, then a sync.
void writeInPlace(const QString &path, const QByteArray &bytes)
{
    const auto file = StoreFile::make(path);
    const bool written =
        file->open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly)
        && file->writeAll(bytes) && file->resize(bytes.size()) && file->syncToDisk() && file->closeChecked();
    if (!written)
        throw RunError(QStringLiteral("(%1)").arg(file->errorString()));
}

} // namespace

QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

Place place(const QString &programFolder, const QString &config)
{
    const QString inProgram = QDir(programFolder).filePath(FileName);
    const QFileInfo file(inProgram);
    if (file.exists()) {
        if (changeable(file))
            return {inProgram, inProgram};
        const QString elsewhere = inConfigFolder(config);
        return {QFileInfo::exists(elsewhere) ? elsewhere : inProgram, elsewhere};
    }
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable())
        return {inProgram, inProgram};
    const QString elsewhere = inConfigFolder(config);
    return {elsewhere, elsewhere};
}

QString locate(const QString &programFolder)
{
    return place(programFolder).readPath;
}

SettingsRecord read(const QString &path, bool *wasEmpty)
{
    // What a killed write left behind is of no use.
    const QString work = workPathFor(path);
    if (QFileInfo::exists(work))
        QFile::remove(work);
    const auto file = StoreFile::make(path);
    QByteArray bytes;
    if (file->open(QIODevice::ReadOnly)) {
        bytes = file->read(SettingsRecord::Size);
        if (bytes.size() < qMin<qint64>(file->size(), SettingsRecord::Size))
            throw RunError(QStringLiteral("設定ファイル %1 を読めません。(%2)").arg(shown(path), file->errorString()));
    } else if (!file->exists()) {
        QFile created(path); // a missing file is created empty
        if (created.open(QIODevice::WriteOnly))
            created.close();
    } else {
        throw RunError(QStringLiteral("設定ファイル %1 を読めません。(%2)").arg(shown(path), file->errorString()));
    }
    if (wasEmpty)
        *wasEmpty = bytes.isEmpty();
    return SettingsRecord::fromBytes(bytes);
}

void write(const QString &path, const SettingsRecord &settings)
{
    const QByteArray bytes = settings.toBytes();
    const QFileInfo target(path);
    try {
        if (target.exists() && !QFileInfo(target.absolutePath()).isWritable()) {
            writeInPlace(path, bytes);
        } else {
            TempFile work(workPathFor(path));
            work.write(bytes);
            work.commitOver(path);
        }
    } catch (const RunError &error) {
        throw RunError(QStringLiteral("設定ファイル %1 に書き込めません。").arg(shown(path)) + error.description());
    }
}

void setLayoutDefaults(SettingsRecord &s, const LayoutDefaults &defaults)
{
    s.ListFontName = Fonts::Mincho;
    s.ListFontSize = 10.5f;
    const std::array<float, 9> vertical = {18, 18, 24, 24, 12, 12, 12, 12, 12};
    const std::array<float, 9> horizontal = {14, 14, 18, 18, 12, 12, 12, 12, 12};
    for (int i = 0; i < 9; ++i) {
        s.FontSize[i] = vertical[i];
        s.FontSize[i + 10] = horizontal[i];
        s.FontName[i] = Fonts::Mincho;
        s.FontName[i + 10] = Fonts::Mincho;
    }
    s.LayoutTop = defaults.Top;
    s.LayoutLeft = defaults.Left;
}

void applyFirstRun(SettingsRecord &s, const QString &currentFolder, const QDate &today,
                   const LayoutDefaults &defaults)
{
    s.LastFolder = QDir::toNativeSeparators(currentFolder);
    s.PrintMark = QString();
    s.SenderNumber = 1;
    s.SavedDataFormat = -1;
    s.PostalTop = 152;
    s.PostalLeft = 482;
    s.HonorificIndex = 1;
    s.DelimiterCode = 1;
    s.SelectionCount = 0;
    s.FirstUseDate = settingsDateText(today);
    s.PrintOffset = -5;
    s.Reserved108 = -98;
    setLayoutDefaults(s, defaults);
}

void checkAndUpgrade(SettingsRecord &s, const QString &startFolder, const QDate &today,
                     const LayoutDefaults &defaults)
{
    const QString folder = trimRightBlanks(s.LastFolder);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        s.LastFolder = QDir::toNativeSeparators(startFolder);
    QDir::setCurrent(trimBlanks(s.LastFolder));
    if (!isValidSettingsDate(s.FirstUseDate))
        s.FirstUseDate = settingsDateText(today);
    if (s.SettingsVersion < 1) {
        s.PostalTop = 152;
        s.PostalLeft = 482;
        s.PrintOffset = -5;
        setLayoutDefaults(s, defaults);
    }
    if (s.SettingsVersion < 10410)
        setLayoutDefaults(s, defaults);
}

QChar delimiterFor(qint16 &code)
{
    switch (code) {
    case 2: return QLatin1Char(',');
    case 3: return QLatin1Char('\t');
    case 1: return QLatin1Char(';');
    default: code = 1; return QLatin1Char(';');
    }
}

QString delimiterName(qint16 code)
{
    switch (code) {
    case 2: return QStringLiteral("(ｺﾝﾏ)");
    case 3: return QStringLiteral("(ﾀﾌﾞ)");
    default: return QStringLiteral("(ｾﾐｺﾛﾝ)");
    }
}

} // namespace SettingsFile
