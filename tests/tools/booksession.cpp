// A scripted session on the main window that leaves its results in a folder
// for comparing one build of the program with another: the book after an
// entry, a correction, a deletion and a sort (session.kno), the same book
// converted to tab-delimited text (converted.txt), and a printed postcard
// (card.pdf) and list (list.pdf). Not a test: run it by hand with the folder
// in KANOTE_SESSION_OUT; it fails when a step does not go as scripted.
#include "support/testenv.h"
#include "support/books.h"
#include "support/cardbook.h"

#include "app/adrsbook.h"
#include "convert/chandata.h"
#include "edit/adrsdinp.h"
#include "edit/crctdata.h"
#include "edit/kensaku.h"
#include "platform/printerchoice.h"
#include "print/princard.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QtTest>

class BookSession : public QObject {
    Q_OBJECT
private slots:
    void session();
};

namespace {

void copyOut(TestEnv &env, const QString &from, const QString &to)
{
    QFile::remove(to);
    QVERIFY(QFile::copy(env.path(from), to));
}

} // namespace

void BookSession::session()
{
    const QString out = qEnvironmentVariable("KANOTE_SESSION_OUT");
    if (out.isEmpty())
        QSKIP("KANOTE_SESSION_OUT names no folder");
    QVERIFY(QDir().mkpath(out));
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "100-0001", "東京都千代田区千代田１－１", "コーポ１", "03-1111-2222", "", "", "", "A"},
                                      {"鈴木花子", "ｽｽﾞｷﾊﾅｺ", "530-0001", "大阪府大阪市北区梅田２－２", "", "06-3333-4444", "", "", "", "B"},
                                      {"阿部一郎", "ｱﾍﾞｲﾁﾛｳ", "060-0001", "北海道札幌市中央区北一条西３", "", "", "阿部商事", "", "", ""}}));
    useFactorySettings(env);
    Adrsbook window(*env.dm);
    env.dm->IchiFnt = QStringLiteral("ＭＳ 明朝");
    env.dm->IchiFsz = 10.5f;
    env.dm->DataFormat = DataModule::FixedLength;
    env.dm->CommandFile = env.path("a.kno");
    window.Menu_File_Open_Click(1);

    // Entry.
    env.modal.then([](QDialog &d) {
        auto &form = dynamic_cast<AdrsDinp &>(d);
        const QStringList fields = {"長谷川左衛門", "ﾊｾｶﾞﾜｻｴﾓﾝ", "123-4567", "東京都港区芝１－２－３", "芝ビル５階",
                                    "03-5555-6666", "長谷川工業", "総務部", "090-1234-5678", "C"};
        for (int i = 0; i < 10; ++i)
            form.Texts[i]->setText(fields[i]);
        form.Command1_Click();
        return QDialog::Accepted;
    });
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Add_Click();

    // Correction of the second record.
    env.modal.then([](QDialog &d) {
        auto &search = dynamic_cast<Kensaku &>(d);
        search.List1->setCurrentRow(1);
        search.Command1_Click();
        return QDialog::Accepted;
    });
    env.modal.then([](QDialog &d) {
        auto &form = dynamic_cast<CrctData &>(d);
        form.Text3->setText(QStringLiteral("大阪府大阪市北区梅田３－３"));
        form.Text9->setText(QStringLiteral("D"));
        form.Command1_Click();
        form.Command4_Click();
        return QDialog::Accepted;
    });
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Correct_Click();

    // Deletion of the first record.
    env.modal.then([](QDialog &d) {
        auto &search = dynamic_cast<Kensaku &>(d);
        search.List1->setCurrentRow(0);
        search.Command1_Click();
        return QDialog::Accepted;
    });
    env.modal.then([](QDialog &d) {
        auto &form = dynamic_cast<CrctData &>(d);
        form.Command3_Click();
        form.Command4_Click();
        return QDialog::Accepted;
    });
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Delete_Click();

    // Sort.
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Sort_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected() + env.boxes.describe()));
    copyOut(env, "a.kno", out + "/session.kno");

    // The list and a card into PDF files.
    SystemPrinterChoice choice(env.boxes, env.dialogs);
    env.dm->Platform.Printers = &choice;
    env.dialogs.answerPrinter([](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    });
    choice.setup(nullptr);
    env.dialogs.answerSave(env.path("list.pdf"));
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Disp_All_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected() + env.boxes.describe()));
    copyOut(env, "list.pdf", out + "/list.pdf");
    {
        PrinCard card(*env.dm);
        env.dialogs.answerSave(env.path("card.pdf"));
        card.Command1_Click();
        QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected() + env.boxes.describe()));
        copyOut(env, "card.pdf", out + "/card.pdf");
    }

    // Conversion to tab-delimited text.
    env.modal.then([&](QDialog &dialog) {
        auto &d = static_cast<ChanData &>(dialog);
        d.Option1[3]->setChecked(true);
        env.boxes.answer(MsgAnswerCode::Yes);
        env.boxes.answer(MsgAnswerCode::Ok);
        d.Command1_Click();
        d.Command2_Click();
        return d.result();
    });
    window.Menu_Edit_Change_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected() + env.boxes.describe()));
    copyOut(env, "a.kno", out + "/converted.txt");
    QFile log(out + "/boxes.txt");
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write(env.boxes.describe().toUtf8() + "\n" + env.modal.ran.join(' ').toUtf8() + "\n");
}

QTEST_MAIN(BookSession)
#include "booksession.moc"
