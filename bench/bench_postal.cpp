// Timings of the postal-code dictionary:
//   loading it from the program's resource (target < 100 ms and < 40 MB);
//   a lookup by code and a lookup by address (target < 1 ms each);
//   checking a 32767-record fixed-length book and a 1027-line text book
//   (target < 1 s).
// Run by hand: bench_postal [repetitions]
#include "postal/postalcheck.h"
#include "postal/postalcode.h"
#include "postal/postaldictionary.h"
#include "store/datamodule.h"

#include "platform/codec.h"

#include "harness.h"

#include "support/scriptedmessageboxes.h"
#include "support/scriptedmodalrunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Bench::Figures;
using Bench::measure;

// Loading and checks are judged by their worst time.
void report(const char *what, const Figures &f, double target)
{
    Bench::report(what, f, target, Bench::Judged::Worst, 6);
}

// Single lookups by their 99th percentile.
void reportLookups(const char *what, const Figures &f, double target)
{
    Bench::report(what, f, target, Bench::Judged::P99, 6);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = Bench::repetitions(argc, argv);

    // Loading: the first use reads the resource and builds the tables.
    const long before = Bench::residentKilobytes();
    const PostalDictionary *shared = nullptr;
    const double firstLoad = Bench::seconds([&] { shared = &PostalDictionary::shared(); });
    const PostalDictionary &dictionary = *shared;
    const long after = Bench::residentKilobytes();
    if (!dictionary.isLoaded()) {
        std::printf("the dictionary did not load: %s\n", qPrintable(dictionary.failure()));
        return 1;
    }
    std::printf("dictionary of %s: %d areas, tables %.1f MB, resident memory +%.1f MB\n",
                qPrintable(dictionary.dateText()), dictionary.areaCount(),
                dictionary.memoryBytes() / 1048576.0, (after - before) / 1024.0);
    std::printf("%-58s %.4f s (target < 0.100 s) %s\n", "first use (resource read, tables built)",
                firstLoad, firstLoad < 0.1 ? "ok" : "SLOW");
    QByteArray resource;
    {
        QFile file(QStringLiteral(":/postal.bin"));
        file.open(QIODevice::ReadOnly);
        resource = file.readAll();
    }
    std::printf("resource: %lld bytes\n", qlonglong(resource.size()));
    report("loading from the resource's bytes", measure(repetitions, [&] {
               const PostalDictionary loaded = PostalDictionary::fromBytes(resource);
               if (!loaded.isLoaded())
                   std::printf("failed: %s\n", qPrintable(loaded.failure()));
           }), 0.1);

    // Lookups: codes and addresses of areas taken at random.
    QRandomGenerator random(20261209);
    std::vector<int> codes;
    QStringList addresses;
    while (codes.size() < 2000) {
        const int code = int(random.bounded(10000000));
        const QList<PostalArea> areas = dictionary.areas(code);
        if (areas.isEmpty())
            continue;
        codes.push_back(code);
        const PostalArea &a = areas[random.bounded(int(areas.size()))];
        addresses << (codes.size() % 2 ? a.address() : a.cityAndTown()) + QStringLiteral("１－２－３");
    }
    for (int i = 0; i < 500; ++i)
        codes.push_back(int(random.bounded(10000000))); // mostly unknown
    std::printf("%zu codes, %lld addresses\n", codes.size(), qlonglong(addresses.size()));
    qsizetype found = 0;
    Figures byCode = measure(int(codes.size()), [&, i = 0]() mutable {
        found += dictionary.areas(codes[size_t(i++) % codes.size()]).size();
    });
    reportLookups("areas(code), one lookup", byCode, 0.001);
    Figures byAddress = measure(int(addresses.size()), [&, i = 0]() mutable {
        found += dictionary.byAddress(addresses[i++ % addresses.size()]).size();
    });
    reportLookups("byAddress(address), one lookup", byAddress, 0.001);
    std::printf("  (%lld areas found)\n", qlonglong(found));
    // The longest search: an address of 40 characters that matches nothing
    // tries every length from the longest name down.
    const QString nowhere = QString(40, QChar(u'無'));
    report("byAddress, 40 characters that match nothing (x1000)", measure(repetitions, [&] {
               for (int i = 0; i < 1000; ++i)
                   found += dictionary.byAddress(nowhere).size();
           }), 1.0);

    // Books: records of areas taken at random, one in ten with a wrong code,
    // one in ten with an address of another town.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    ScriptedMessageBoxes boxes;
    ScriptedModalRunner modal;
    DataModule dm(PlatformServices{&boxes, &modal, nullptr});
    dm.Settings.DelimiterCode = 1;
    auto record = [&](int i) {
        const int code = codes[size_t(i) % 2000];
        const QList<PostalArea> areas = dictionary.areas(code);
        QString address = areas.first().address();
        if (Cp932::byteLength(address) <= 30)
            address += QStringLiteral("１－２－３");
        QString written = PostalCodes::format(code);
        if (i % 10 == 3)
            written = QStringLiteral("999-9999");
        if (i % 10 == 7)
            address = QStringLiteral("東京都千代田区千代田１");
        return std::array<QString, 3>{QStringLiteral("山田　太郎%1").arg(i), written, address};
    };
    {
        QByteArray book;
        book.reserve(qsizetype(DataModule::MaxFixedRecords) * 239);
        for (int i = 0; i < DataModule::MaxFixedRecords; ++i) {
            const auto r = record(i);
            AddressRecord a;
            a.setField(Name, r[0]);
            a.setField(PostalCode, r[1]);
            a.setField(Address1, r[2]);
            book += a.bytes();
        }
        QFile f(QStringLiteral("big.kno"));
        f.open(QIODevice::WriteOnly);
        f.write(book);
    }
    dm.CurrentFileName = QStringLiteral("big.kno");
    dm.DataFormat = DataModule::FixedLength;
    dm.FileMode = 1;
    dm.Hyoujun();
    qsizetype problems = 0;
    report("CheckPostalCodes, 32767 fixed records", measure(repetitions, [&] {
               problems = CheckPostalCodes(dm, dictionary).size();
           }), 1.0);
    std::printf("  records listed: %lld\n", qlonglong(problems));

    {
        QByteArray book;
        for (int i = 0; i < DataModule::MaxTextRecords; ++i) {
            const auto r = record(i);
            book += Cp932::encode(r[0] + QStringLiteral(";ﾔﾏﾀﾞ;") + r[1] + QLatin1Char(';') + r[2]
                                  + QStringLiteral(";;;;;;\r\n"));
        }
        QFile f(QStringLiteral("big.txt"));
        f.open(QIODevice::WriteOnly);
        f.write(book);
    }
    dm.CurrentFileName = QStringLiteral("big.txt");
    dm.DataFormat = DataModule::DelimitedText;
    dm.FileMode = 1;
    dm.Hyoujun();
    report("CheckPostalCodes, 1027 text lines", measure(repetitions, [&] {
               problems = CheckPostalCodes(dm, dictionary).size();
           }), 1.0);
    std::printf("  records listed: %lld\n", qlonglong(problems));
    dm.CloseData();
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
