// Timings of postcard printing: 全印刷 of 1000 records into a PDF through the
// print dialog (PDF chosen in ﾌﾟﾘﾝﾀ定義, as a user without a printer does),
// with the peak memory of the process, and the composition of one card.
// The all-print runs side by side with the vertical glyphs off and on (the
// names carry long vowel marks and small kana, the addresses keep their ー
// and － with the kanji numerals off, so most cards draw several).
// Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_postcard
#include "print/composition.h"
#include "print/layoutvalues.h"
#include "print/princard.h"
#include "store/addressrecord.h"
#include "store/datamodule.h"
#include "store/settingsfile.h"

#include "platform/fonts.h"
#include "platform/printerchoice.h"

#include "harness.h"

#include "support/fakemainwindow.h"
#include "support/recordinghelpsystem.h"
#include "support/scriptedcommondialogs.h"
#include "support/scriptedmessageboxes.h"
#include "support/scriptedmodalrunner.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

QString fullWidth(int n)
{
    QString out;
    for (const QChar c : QString::number(n))
        out += QChar(0xFF10 + (c.unicode() - u'0'));
    return out;
}

QByteArray book(int n)
{
    QByteArray bytes;
    const QStringList families = {"山田", "佐藤", "鈴木", "高橋", "田中", "渡辺", "伊藤", "中村"};
    const QStringList given = {"太郎", "花子", "ジョージ", "美咲", "ショーン", "由美"};
    for (int i = 1; i <= n; ++i) {
        AddressRecord r;
        QString name = families[i % families.size()] + given[i % given.size()];
        if (i % 5 == 0)
            name += QStringLiteral("／") + given[(i + 1) % given.size()];
        r.setField(Name, name);
        r.setField(Furigana, QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"));
        r.setField(PostalCode, QStringLiteral("%1-%2").arg(100 + i % 900).arg(i % 10000, 4, 10, QLatin1Char('0')));
        r.setField(Address1, QStringLiteral("東京都千代田区千代田%1－%2").arg(fullWidth(i % 9 + 1), fullWidth(i % 30 + 1)));
        r.setField(Address2, QStringLiteral("コーポ千代田%1号").arg(fullWidth(i % 500)));
        r.setField(Mark, i % 3 == 0 ? QStringLiteral("M") : QString());
        bytes += r.bytes();
    }
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Fonts::installSubstitutions();
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    constexpr int Records = 1000;
    {
        QFile file(dir.filePath(QStringLiteral("bench.kno")));
        file.open(QIODevice::WriteOnly);
        file.write(book(Records));
    }

    ScriptedMessageBoxes boxes;
    ScriptedModalRunner modal;
    RecordingHelpSystem help;
    ScriptedCommonDialogs dialogs;
    SystemPrinterChoice printers(boxes, dialogs);
    DataModule dm(PlatformServices{&boxes, &modal, &help, &dialogs, &printers});
    FakeMainWindow mainWindow;
    dm.MainWindow = &mainWindow;
    SettingsFile::applyFirstRun(dm.Settings, dir.path(), QDate::currentDate(), LayoutDefaults::factory());
    dm.CurrentFileName = QStringLiteral("bench.kno");
    dm.DataFormat = DataModule::FixedLength;
    dm.FileMode = 1;
    if (dm.Hyoujun() != 0 || dm.RecordCount != Records) {
        std::fprintf(stderr, "bench_postcard: the book did not open\n");
        return 1;
    }

    const long before = Bench::peakKilobytes();
    dm.Settings.KanjiDigitsOff = 1;
    PrinCard card(dm);
    dialogs.answerPrinter([](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    });
    card.Print_Teigi_Click();
    // Off, on, off, on: the best of two of each, so neither pays for a cold start alone.
    double best[2] = {1e9, 1e9};
    qint64 size[2] = {0, 0};
    QString counted;
    for (int round = 0; round < 4; ++round) {
        const bool glyphs = round % 2 == 1;
        dm.Conf.VerticalGlyphs = glyphs;
        const QString pdf = dir.filePath(QStringLiteral("cards%1.pdf").arg(round));
        dialogs.answerSave(pdf);
        boxes.answer(MsgAnswerCode::Ok); // 全宛名印刷を行います。
        boxes.answer(MsgAnswerCode::Ok); // N 件印刷しました。
        best[glyphs] = std::min(best[glyphs], Bench::seconds([&] { card.Command2_Click(); }));
        size[glyphs] = QFileInfo(pdf).size();
        counted = boxes.shown.last().text.trimmed();
    }
    const long after = Bench::peakKilobytes();
    std::printf("all print, %d vertical cards into a PDF (%s): vertical glyphs off %.2f s, on %.2f s (%.2f times); "
                "PDF %.1f MB / %.1f MB; peak memory %.1f MB (%.1f MB before)\n",
                Records, qPrintable(counted), best[0], best[1], best[1] / best[0], size[0] / 1e6, size[1] / 1e6,
                after / 1024.0, before / 1024.0);

    // Composing one card as the dialog does it (the record read and the
    // boxes filled), and the composition alone.
    const double perCard = Bench::seconds([&] {
        for (int n = 1; n <= Records; ++n) {
            dm.CurrentRecord = n;
            card.ComposeAddressee();
        }
    }) * 1e6 / Records;
    constexpr int Rounds = 100000;
    const CardFields fields{QStringLiteral("山田太郎／花子"), QStringLiteral("100-0001"),
                            QStringLiteral("東京都千代田区千代田１－１"), QStringLiteral("コーポ千代田１０１号")};
    CompositionChoices choices{0, false, false, Layout::honorificText(1), Layout::spacingFor(0)};
    qsizetype sink = 0;
    const double perComposition = Bench::seconds([&] {
        for (int i = 0; i < Rounds; ++i) {
            sink += ComposeAddresseeTexts(fields, choices).Name1.size();
            sink += ComposeSenderTexts(fields, choices).PostalCode.size();
        }
    }) * 1e6 / Rounds;
    std::printf("composing one card: %.1f us with reading and boxes, %.2f us the texts alone (%lld)\n",
                perCard, perComposition, static_cast<long long>(sink % 10));
    return 0;
}
