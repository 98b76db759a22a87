#include "store/programsettings.h"

#include "store/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>

namespace {

const QString PrinterGroup = QStringLiteral("Printer");

bool readBool(const QSettings &ini, const QString &key, bool fallback)
{
    const QString text = ini.value(key).toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return fallback;
}

qint16 readShift(const QSettings &ini, const QString &key)
{
    bool ok = false;
    const int value = ini.value(key).toString().trimmed().toInt(&ok);
    if (!ok || value < -PrinterAdjustment::ShiftLimit || value > PrinterAdjustment::ShiftLimit)
        return 0;
    return qint16(value);
}

// A printer's name as one INI key: QSettings would take "/" for a
// subgroup, so names are stored percent-encoded.
QString keyOf(const QString &printer)
{
    return QString::fromLatin1(printer.toUtf8().toPercentEncoding());
}

QString printerOf(const QString &key)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(key.toLatin1()));
}

} // namespace

void ProgramSettings::setAdjustment(const QString &printer, const PrinterAdjustment &value)
{
    if (value.isDefault())
        Printers.remove(printer);
    else
        Printers.insert(printer, value);
}

QString ProgramSettings::defaultPath()
{
    return QDir(SettingsFile::configFolder()).filePath(FileName);
}

ProgramSettings ProgramSettings::read(const QString &path)
{
    ProgramSettings result;
    if (path.isEmpty() || !QFileInfo(path).isReadable())
        return result;
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return result;
    result.VerticalGlyphs = readBool(ini, QStringLiteral("Card/VerticalGlyphs"), result.VerticalGlyphs);
    result.FitLongLines = readBool(ini, QStringLiteral("Card/FitLongLines"), result.FitLongLines);
    result.AlignJointNames = readBool(ini, QStringLiteral("Card/AlignJointNames"), result.AlignJointNames);
    result.SenderDeletedNotice
        = readBool(ini, QStringLiteral("Card/SenderDeletedNotice"), result.SenderDeletedNotice);

    const int count = ini.beginReadArray(PrinterGroup);
    for (int i = 0; i < count; ++i) {
        ini.setArrayIndex(i);
        const QString name = printerOf(ini.value(QStringLiteral("Name")).toString());
        if (name.isEmpty())
            continue;
        PrinterAdjustment value;
        value.ShiftX = readShift(ini, QStringLiteral("ShiftX"));
        value.ShiftY = readShift(ini, QStringLiteral("ShiftY"));
        value.UpsideDown = readBool(ini, QStringLiteral("UpsideDown"), false);
        result.setAdjustment(name, value);
    }
    ini.endArray();
    return result;
}

bool ProgramSettings::write(const QString &path) const
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    // Written into a work file beside it, which then replaces the old file
    // in one step: a file that could not be read (garbled) is replaced
    // rather than read again, and a failed write leaves the old one.
    const QString work = path + QStringLiteral(".new");
    QFile::remove(work);
    {
        QSettings ini(work, QSettings::IniFormat);
        if (!ini.isWritable()) {
            QFile::remove(work);
            return false;
        }
        ini.clear();
        ini.setValue(QStringLiteral("Card/VerticalGlyphs"), VerticalGlyphs);
        ini.setValue(QStringLiteral("Card/FitLongLines"), FitLongLines);
        ini.setValue(QStringLiteral("Card/AlignJointNames"), AlignJointNames);
        ini.setValue(QStringLiteral("Card/SenderDeletedNotice"), SenderDeletedNotice);
        ini.beginWriteArray(PrinterGroup, int(Printers.size()));
        int i = 0;
        for (auto it = Printers.cbegin(); it != Printers.cend(); ++it, ++i) {
            ini.setArrayIndex(i);
            ini.setValue(QStringLiteral("Name"), keyOf(it.key()));
            ini.setValue(QStringLiteral("ShiftX"), int(it->ShiftX));
            ini.setValue(QStringLiteral("ShiftY"), int(it->ShiftY));
            ini.setValue(QStringLiteral("UpsideDown"), it->UpsideDown);
        }
        ini.endArray();
        ini.sync();
        if (ini.status() != QSettings::NoError) {
            QFile::remove(work);
            return false;
        }
    }
    const QByteArray from = QFile::encodeName(work);
    const QByteArray to = QFile::encodeName(info.absoluteFilePath());
    if (std::rename(from.constData(), to.constData()) != 0) {
        QFile::remove(work);
        return false;
    }
    return true;
}
