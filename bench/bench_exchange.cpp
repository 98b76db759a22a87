// Timings of reading and previewing files of other programs that are built
// to make the work grow faster than the file (target: each read and
// previewed in under 1 s), and the memory a large vCard with one photo takes
// (target: under four times the file's size).
//   a header cell of 25 000 combining marks
//   1000 telephone columns over 1000 rows
//   one row of 20 000 delimiters
//   a header of 10 000 repeated column names
//   100 000 cards, each with another VERSION
//   20 000 quoted-printable soft breaks after 10 KB of parameters
//   a 50 MB vCard whose one card holds a photo (memory, in a process of its own)
// Run by hand: bench_exchange [case]
#include "exchange/importplan.h"
#include "exchange/importpreview.h"
#include "exchange/importsource.h"
#include "store/datamodule.h"

#include "harness.h"

#include "support/scriptedmessageboxes.h"
#include "support/scriptedmodalrunner.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <optional>

namespace {

QByteArray crlf(const QStringList &lines) { return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(); }

QByteArray combiningHeader()
{
    QString header = QStringLiteral("Notes") + QString(25000, QChar(0x0301)) + QStringLiteral(",氏名,電話");
    QStringList lines{header};
    while (lines.size() < 40000)
        lines << QStringLiteral("x,山田太郎%1,03-1111-2222").arg(lines.size());
    return crlf(lines);
}

QByteArray telephoneColumns()
{
    QStringList header{QStringLiteral("Name")};
    for (int g = 1; g <= 500; ++g)
        header << QStringLiteral("Phone %1 - Type").arg(g) << QStringLiteral("Phone %1 - Value").arg(g);
    QStringList lines{header.join(QLatin1Char(','))};
    for (int r = 0; r < 1000; ++r) {
        QStringList row{QStringLiteral("n%1").arg(r)};
        for (int g = 1; g <= 500; ++g)
            row << (g % 3 ? QStringLiteral("Mobile") : QStringLiteral("Work")) << QString();
        row.last() = QStringLiteral("03");
        lines << row.join(QLatin1Char(','));
    }
    return crlf(lines);
}

QByteArray manyDelimiters()
{
    QStringList lines{QStringLiteral("氏名,電話")};
    lines << QStringLiteral("山田") + QString(20000, QLatin1Char(',')) + QStringLiteral("end");
    while (lines.size() < 50000)
        lines << QStringLiteral("鈴木%1,06-1111-2222").arg(lines.size());
    return crlf(lines);
}

QByteArray repeatedNames()
{
    QStringList header;
    for (int c = 0; c < 10000; ++c)
        header << QStringLiteral("電話");
    QStringList lines{header.join(QLatin1Char(','))};
    for (int r = 0; r < 50; ++r)
        lines << QStringLiteral("0%1").arg(r) + QString(9999, QLatin1Char(','));
    return crlf(lines);
}

QByteArray manyVersions()
{
    QByteArray out;
    for (int n = 0; n < 100000; ++n)
        out += "BEGIN:VCARD\r\nVERSION:3." + QByteArray::number(n) + "\r\nFN:A" + QByteArray::number(n)
            + "\r\nEND:VCARD\r\n";
    return out;
}

QByteArray softBreaks()
{
    QByteArray out = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Yamada;Taro;;;\r\nNOTE";
    while (out.size() < 10 * 1024)
        out += ";X-PARAM=abcdefghij";
    out += ";ENCODING=QUOTED-PRINTABLE:";
    for (int n = 0; n < 20000; ++n)
        out += "=E5=B1=B1=E7=94=B0abcdefghijklmnopqrstuvwxyz=\r\n";
    out += "end\r\nEND:VCARD\r\n";
    return out;
}

QByteArray photoCard(qsizetype size)
{
    QByteArray out = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nPHOTO;ENCODING=b;TYPE=JPEG:";
    const QByteArray chunk(74, 'Q');
    while (out.size() < size)
        out += chunk + "\r\n ";
    out += "QQ\r\nTEL;TYPE=home:03-1111-2222\r\nEND:VCARD\r\n";
    return out;
}

// Reads and previews the file; the seconds it took.
double readAndPreview(DataModule &dm, const QString &path, int *records)
{
    ImportSource source;
    QString message;
    bool loaded = false;
    const double read = Bench::seconds([&] { loaded = LoadImportSource(path, source, message); });
    if (!loaded) {
        std::printf("  refused: %s\n", qPrintable(message));
        return read;
    }
    std::optional<ImportPlan> plan;
    const double planning = Bench::seconds([&] { plan.emplace(std::move(source)); });
    std::optional<ImportPreview> preview;
    const double showing = Bench::seconds([&] {
        preview.emplace(dm, std::move(*plan), ImportTarget{true, QStringLiteral("KANOTE01.KNO"), true});
        *records = static_cast<int>(preview->plan().records().size());
    });
    std::printf("  read %.3f s, records %.3f s, preview window %.3f s\n", read, planning, showing);
    return read + planning + showing;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    ScriptedMessageBoxes boxes;
    ScriptedModalRunner modal;
    DataModule dm(PlatformServices{&boxes, &modal, nullptr});

    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (only == QStringLiteral("photo")) {
        // One process per measurement, so that the peak is this file's alone.
        QByteArray bytes = photoCard(50 * 1024 * 1024);
        QFile file(QStringLiteral("photo.vcf"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        const qsizetype size = bytes.size();
        bytes = QByteArray();
        const long before = Bench::residentKilobytes();
        int records = 0;
        const double seconds = readAndPreview(dm, QStringLiteral("photo.vcf"), &records);
        const long peak = Bench::peakKilobytes();
        const double factor = (peak - before) * 1024.0 / size;
        std::printf("%-58s %.3f s, %d record(s), peak %.1f MB above %.1f MB = %.2f x file (target < 4) %s\n",
                    "50 MB vCard, one photo", seconds, records, (peak - before) / 1024.0, before / 1024.0, factor,
                    factor < 4 ? "ok" : "HEAVY");
        return 0;
    }

    const struct {
        const char *name;
        std::function<QByteArray()> make;
        const char *file;
    } cases[] = {
        {"header cell of 25 000 combining marks", combiningHeader, "marks.csv"},
        {"1000 telephone columns over 1000 rows", telephoneColumns, "phones.csv"},
        {"one row of 20 000 delimiters", manyDelimiters, "delims.csv"},
        {"header of 10 000 repeated column names", repeatedNames, "repeated.csv"},
        {"100 000 cards, each with another VERSION", manyVersions, "versions.vcf"},
        {"20 000 soft breaks after 10 KB of parameters", softBreaks, "soft.vcf"},
    };
    for (const auto &c : cases) {
        if (!only.isEmpty() && !QString::fromLatin1(c.file).startsWith(only))
            continue;
        const QByteArray bytes = c.make();
        QFile file(QString::fromLatin1(c.file));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        int records = 0;
        const double seconds = readAndPreview(dm, QString::fromLatin1(c.file), &records);
        std::printf("%-46s %6.2f MB %7.3f s  %6d record(s)  (target < 1 s) %s\n", c.name, bytes.size() / 1048576.0,
                    seconds, records, seconds < 1 ? "ok" : "SLOW");
        std::fflush(stdout);
    }
    if (only.isEmpty()) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("photo")});
        child.waitForFinished(-1);
    }
    return 0;
}
