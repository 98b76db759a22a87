// Timings of 並び換え and of the list view on large books. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_sort
#include "app/furiganasort.h"
#include "edit/listlab.h"
#include "store/addressrecord.h"
#include "store/datamodule.h"

#include "platform/codec.h"

#include "harness.h"

#include "support/recordinghelpsystem.h"
#include "support/scriptedmessageboxes.h"
#include "support/scriptedmodalrunner.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QWindow>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace {

QString randomReading(QRandomGenerator &rng)
{
    QString s;
    const int len = rng.bounded(0, 17);
    for (int i = 0; i < len; ++i)
        s += QChar(0xFF66 + rng.bounded(0x3A)); // half-width katakana ｦ ... ﾟ
    return s;
}

QByteArray fixedBook(int n, QRandomGenerator &rng, bool descending = false)
{
    QByteArray book;
    book.reserve(qsizetype(n) * RecordLayout::Length);
    for (int i = 1; i <= n; ++i) {
        AddressRecord r;
        r.setField(Name, QStringLiteral("名前%1").arg(i));
        if (descending) {
            // Distinct readings in falling order: every pass exchanges at
            // every position.
            const int k = n - i;
            r.setField(Furigana, QString(QChar(0xFF71 + k / 2500)) + QString::number(k % 2500).rightJustified(4, QLatin1Char('0')));
        } else {
            r.setField(Furigana, randomReading(rng));
        }
        r.setField(Address1, QStringLiteral("東京都千代田区%1").arg(i));
        book += r.bytes();
    }
    return book;
}

QByteArray textBook(int n, QRandomGenerator &rng)
{
    QByteArray book;
    for (int i = 1; i <= n; ++i)
        book += Cp932::encode(QStringLiteral("名前%1;%2;100-0001;東京都千代田区%1;;03-1234-5678;;;;")
                                  .arg(i)
                                  .arg(randomReading(rng)))
            + "\r\n";
    return book;
}

void write(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

double timeSort(DataModule &dm, const QString &name, qint16 format)
{
    dm.CurrentFileName = name;
    dm.DataFormat = format;
    dm.FileMode = 1;
    dm.Hyoujun();
    return Bench::seconds([&] { SortBook(dm); });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    ScriptedMessageBoxes boxes;
    ScriptedModalRunner modal;
    RecordingHelpSystem help;
    DataModule dm(PlatformServices{&boxes, &modal, &help});
    dm.Delimiter = QLatin1Char(';');
    QRandomGenerator rng(2024);

    write(QStringLiteral("big.kno"), fixedBook(32767, rng));
    double t = timeSort(dm, QStringLiteral("big.kno"), DataModule::FixedLength);
    std::printf("sort, fixed-length book of %d random readings:   %.3f s\n", dm.RecordCount, t);
    t = timeSort(dm, QStringLiteral("big.kno"), DataModule::FixedLength);
    std::printf("sort again, the same book now in order:           %.3f s\n", t);
    write(QStringLiteral("desc.kno"), fixedBook(32767, rng, true));
    t = timeSort(dm, QStringLiteral("desc.kno"), DataModule::FixedLength);
    std::printf("sort, fixed-length book of %d in falling order:  %.3f s\n", dm.RecordCount, t);
    write(QStringLiteral("text.txt"), textBook(1027, rng));
    t = timeSort(dm, QStringLiteral("text.txt"), DataModule::DelimitedText);
    std::printf("sort, text book of %d lines:                      %.4f s\n", dm.RecordCount, t);

    // The list view on the 32767-record book.
    dm.CurrentFileName = QStringLiteral("big.kno");
    dm.DataFormat = DataModule::FixedLength;
    dm.Hyoujun();
    {
        std::unique_ptr<ListLab> opened;
        t = Bench::seconds([&] {
            opened = std::make_unique<ListLab>(dm);
            opened->show();
            // Until the window is on the screen and painted, not only filled.
            while (!opened->windowHandle() || !opened->windowHandle()->isExposed())
                QCoreApplication::processEvents();
            opened->repaint();
        });
        ListLab &list = *opened;
        std::printf("list view, opening on %d records:               %.4f s\n", dm.RecordCount, t);
        const Bench::Figures next = Bench::measure(20, [&] {
            list.M_I_A_Click();
            list.repaint();
        });
        std::printf("list view, 次頁 (slowest of 20, painted):          %.4f s\n", next.worst);
        t = Bench::seconds([&] {
            list.VScroll1->setValue(list.VScroll1->maximum());
            list.repaint();
        });
        std::printf("list view, to the last page:                      %.4f s\n", t);
        t = Bench::seconds([&] {
            list.M_I_B_Click();
            list.repaint();
        });
        std::printf("list view, 前頁 from the last page:                %.4f s\n", t);
    }
    return 0;
}
