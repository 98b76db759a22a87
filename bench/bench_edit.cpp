// Timings of the search dialog's list and of a correction:
//   Kensaku fills its list for a 32767-record fixed-length book (target < 0.3 s)
//   and for a 1027-line text book (target < 0.05 s);
//   correcting a record of a 1027-line text book, full rewrite (target < 0.05 s).
// Run by hand: bench_edit [repetitions]
#include "edit/crctdata.h"
#include "edit/kensaku.h"
#include "store/datamodule.h"
#include "store/recordstore.h"

#include "platform/codec.h"

#include "harness.h"

#include "support/scriptedmessageboxes.h"
#include "support/scriptedmodalrunner.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QString randomKana(QRandomGenerator &random, int length)
{
    QString s;
    for (int i = 0; i < length; ++i)
        s += QChar(0xFF71 + random.bounded(45)); // half-width katakana
    return s;
}

QString randomName(QRandomGenerator &random)
{
    static const QStringList family = {"山田", "鈴木", "佐藤", "田中", "高橋", "伊藤", "渡辺", "中村"};
    static const QStringList given = {"太郎", "花子", "一郎", "次郎", "美咲", "健一", "由美", "翔太"};
    return family[random.bounded(family.size())] + QStringLiteral("　") + given[random.bounded(given.size())];
}

using Bench::measure;

// Edits are judged by their median time.
void report(const char *what, const Bench::Figures &f, double target)
{
    Bench::report(what, f, target, Bench::Judged::Median, 4);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = Bench::repetitions(argc, argv);

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    ScriptedMessageBoxes boxes;
    ScriptedModalRunner modal;
    DataModule dm(PlatformServices{&boxes, &modal, nullptr});
    dm.Settings.DelimiterCode = 1;
    QRandomGenerator random(20261208);

    // A 32767-record fixed-length book.
    {
        QByteArray book;
        book.reserve(qsizetype(DataModule::MaxFixedRecords) * 239);
        for (int i = 0; i < DataModule::MaxFixedRecords; ++i) {
            AddressRecord r;
            r.setField(Name, randomName(random));
            r.setField(Furigana, randomKana(random, 8));
            r.setField(Address1, QStringLiteral("東京都千代田区千代田一丁目"));
            book += r.bytes();
        }
        QFile f(QStringLiteral("big.kno"));
        f.open(QIODevice::WriteOnly);
        f.write(book);
    }
    dm.CurrentFileName = QStringLiteral("big.kno");
    dm.DataFormat = DataModule::FixedLength;
    dm.FileMode = 1;
    dm.Hyoujun();
    std::printf("fixed-length book: %d records\n", dm.RecordCount);
    report("Kensaku opens, list of names (32767 fixed records)",
           measure(repetitions, [&] { Kensaku k(dm, nullptr); }), 0.3);
    {
        Kensaku k(dm, nullptr);
        report("Kensaku switches to ﾌﾘｶﾞﾅ (32767 fixed records)",
               measure(repetitions, [&] { k.Option2_Click(); }), 0.3);
        std::printf("  entries listed: %d, last: %s\n", k.List1->count(),
                    qPrintable(k.List1->item(k.List1->count() - 1)->text()));
    }

    // A 1027-line text book.
    {
        QByteArray book;
        for (int i = 0; i < DataModule::MaxTextRecords; ++i)
            book += Cp932::encode(randomName(random) + QLatin1Char(';') + randomKana(random, 8)
                                  + QStringLiteral(";100-0001;東京都千代田区千代田一丁目;;03-1234-5678;;;;\r\n"));
        QFile f(QStringLiteral("big.txt"));
        f.open(QIODevice::WriteOnly);
        f.write(book);
    }
    dm.CurrentFileName = QStringLiteral("big.txt");
    dm.DataFormat = DataModule::DelimitedText;
    dm.FileMode = 1;
    dm.Hyoujun();
    std::printf("text book: %d lines\n", dm.RecordCount);
    report("Kensaku opens, list of names (1027 text lines)",
           measure(repetitions, [&] { Kensaku k(dm, nullptr); }), 0.05);
    {
        Kensaku k(dm, nullptr);
        report("Kensaku switches to ﾌﾘｶﾞﾅ (1027 text lines)",
               measure(repetitions, [&] { k.Option2_Click(); }), 0.05);
    }

    // Correcting record 500 of the text book: the whole book is rewritten.
    int round = 0;
    report("OverwriteRecord, record 500 of 1027 text lines", measure(repetitions, [&] {
               dm.CurrentRecord = 500;
               dm.ClearFields();
               dm.FieldText[Name] = QStringLiteral("修正%1").arg(++round);
               dm.FieldText[Furigana] = QStringLiteral("ｼｭｳｾｲ");
               OverwriteRecord(dm);
               dm.ShowChange(true);
           }), 0.05);
    report("CrctData ﾌｧｲﾙ更新 (load, store, message), 1027 text lines", measure(repetitions, [&] {
               dm.CurrentRecord = 700;
               CrctData form(dm, nullptr);
               form.prepare(CrctData::Mode::Correct);
               form.Text0->setText(QStringLiteral("訂正%1").arg(++round));
               boxes.answer(MsgAnswerCode::Ok);
               form.Command1_Click();
               form.Command4_Click();
           }), 0.05);
    if (!boxes.unexpected.isEmpty())
        std::printf("unexpected message: %s\n", qPrintable(boxes.describe()));
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
