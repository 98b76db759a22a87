#pragma once
// The settings file "KANOTE.DAT": one record of 1024 bytes, little-endian
// int16 and float32, CP932 texts blank-filled to their widths. Texts are held
// here without their trailing blanks. Bytes the program does not use are kept
// as they were read.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>

class SettingsRecord {
public:
    static constexpr int Size = 1024;
    static constexpr qint16 CurrentVersion = 10414;

    // A record as a missing file leaves it: numbers zero, texts blank.
    SettingsRecord();
    // The bytes present; a short file leaves the rest zero or blank, bytes
    // past 1024 are ignored.
    static SettingsRecord fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    QString LastFolder;           // text 41 at 0
    QString PrintMark;            // text 1 at 41 (empty = blank = every record)
    qint16 SenderNumber = 0;      // 42
    qint16 SavedDataFormat = 0;   // 44
    qint16 PostalTop = 0;         // 46
    qint16 PostalLeft = 0;        // 48
    qint16 HonorificIndex = 0;    // 50
    qint16 DelimiterCode = 0;     // 52
    qint16 SelectionCount = 0;    // 54
    std::array<qint16, 21> SelectionOrder{}; // 56
    QString FirstUseDate;         // text 10 at 98, "MM-dd-yyyy"
    qint16 Reserved108 = 0;       // 108
    qint16 KanjiDigitsOff = 0;    // 110
    qint16 SettingsVersion = 0;   // 112
    qint16 PrintOffset = 0;       // 114
    float ListFontSize = 0;       // 116
    QString ListFontName;         // text 30 at 120
    qint16 DebugMode = 0;         // 254
    std::array<qint16, 20> LayoutTop{};  // 256
    std::array<qint16, 20> LayoutLeft{}; // 296
    std::array<float, 20> FontSize{};    // 336
    std::array<QString, 20> FontName;    // text 30 x 20 at 416

private:
    QByteArray raw; // the bytes read, for the parts the program does not use
};

// The ten-character date of the settings and of the list printing.
QString settingsDateText(const QDate &date);
bool isValidSettingsDate(const QString &text);
