// The main window's file dialog, save as, field selection and conversion
// commands, with the labels and menus they leave behind.
#include "support/testenv.h"
#include "support/books.h"

#include "app/adrsbook.h"
#include "convert/chandata.h"
#include "convert/fileio.h"
#include "convert/koumoku.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TstConvertCommands : public QObject {
    Q_OBJECT
private slots:
    void openAndCancel();
    void newTextBook();
    void saveAs();
    void fieldSelection();
    void conversion();
};

namespace {

// Opens `name` through 開く and the dialog.
void openThroughDialog(TestEnv &env, Adrsbook &w, const QString &name)
{
    env.modal.then([name](QDialog &dialog) {
        auto &d = static_cast<FileIO &>(dialog);
        d.Option1->setChecked(true);
        d.SelFile->setText(name);
        d.Command1_Click();
        return d.result();
    });
    w.Menu_File_Open_Click(1);
}

} // namespace

void TstConvertCommands::openAndCancel()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    env.writeFile(QStringLiteral("b.kno"), fixedRecord({QStringLiteral("佐藤")}));
    Adrsbook w(dm);

    openThroughDialog(env, w, QStringLiteral("a.kno"));
    QCOMPARE(env.modal.ran, QStringList{QStringLiteral("FileIO")});
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(w.Lab01->text(), QStringLiteral("a.kno"));
    QCOMPARE(w.Lab02->text(), QStringLiteral("固定長"));
    QCOMPARE(w.Lab03->text(), QStringLiteral("2"));
    QCOMPARE(w.Lab04->text(), dm.FileDateText());
    QVERIFY(w.Menu_Edit->isEnabled());
    QVERIFY(w.Menu_File_Hozon->isEnabled());
    QVERIFY(!w.Menu_File_Open[0]->isEnabled());
    QCOMPARE(dm.CallTrace, QString());

    // Cancelling after typing another name changes nothing.
    env.modal.then([](QDialog &dialog) {
        auto &d = static_cast<FileIO &>(dialog);
        d.SelFile->setText(QStringLiteral("b.kno"));
        d.Command2_Click();
        return d.result();
    });
    w.Menu_File_Open_Click(1);
    QCOMPARE(dm.OpenStatus, qint16(1));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));
    QCOMPARE(w.Lab01->text(), QStringLiteral("a.kno"));
    QCOMPARE(w.Lab03->text(), QStringLiteral("2"));
    QVERIFY(w.Menu_Edit->isEnabled());
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("鈴木花子"));
}

void TstConvertCommands::newTextBook()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    Adrsbook w(dm);
    env.modal.then([](QDialog &dialog) {
        auto &d = static_cast<FileIO &>(dialog);
        if (d.windowTitle() != QStringLiteral("新規作成") || d.SelFile->text() != QStringLiteral("kanote.kno"))
            return int(QDialog::Rejected);
        d.Option2->setChecked(true);
        d.Command1_Click();
        return d.result();
    });
    w.Menu_File_Open_Click(0);
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(w.Lab01->text(), QStringLiteral("kanote.kno"));
    QCOMPARE(w.Lab02->text(), dm.DataFormatText());
    QCOMPARE(w.Lab02->text(), QStringLiteral("可変長  (ｾﾐｺﾛﾝ)"));
    QCOMPARE(w.Lab03->text(), QStringLiteral("0"));
    QVERIFY(QFile::exists(env.path(QStringLiteral("kanote.kno"))));

    // ﾃﾞｰﾀ変換 with no records: the fixed message, no window.
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_Edit_Change_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ﾃﾞｰﾀ数が 0のため、処理できません！"));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("Err Msg"));
    QCOMPARE(env.modal.ran.size(), 1);
}

void TstConvertCommands::saveAs()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    Adrsbook w(dm);
    openThroughDialog(env, w, QStringLiteral("a.kno"));
    const QString count = w.Lab03->text();

    bool prepared = false;
    env.modal.then([&prepared](QDialog &dialog) {
        auto &d = static_cast<FileIO &>(dialog);
        prepared = d.windowTitle() == QStringLiteral("名前を付けて保存") && !d.Frame1->isEnabled()
            && d.Command1->isHidden() && !d.Command3->isHidden()
            && d.FileSelect->palette().color(QPalette::Text) == QColor(0xC0, 0xC0, 0xC0);
        d.SelFile->setText(QStringLiteral("copy.kno"));
        d.Command3_Click();
        return d.result();
    });
    w.Menu_File_Hozon_Click();
    QVERIFY(prepared);
    QCOMPARE(env.readFile(QStringLiteral("copy.kno")), twoRecords());
    QCOMPARE(w.Lab01->text(), QStringLiteral("copy.kno"));
    QCOMPARE(w.Lab03->text(), count);
    QCOMPARE(dm.CurrentFileName, QStringLiteral("copy.kno"));
}

void TstConvertCommands::fieldSelection()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    Adrsbook w(dm);
    env.modal.then([](QDialog &dialog) {
        auto &d = static_cast<Koumoku &>(dialog);
        d.List1->setCurrentRow(2); // 郵便番号
        d.List1_DblClick();
        d.Command3_Click();
        d.Command1_Click();
        return d.result();
    });
    w.Menu_File_SRead_Click();
    QCOMPARE(env.modal.ran, QStringList{QStringLiteral("Koumoku")});
    QCOMPARE(dm.Settings.SelectionCount, qint16(2));
    QCOMPARE(dm.Settings.SelectionOrder[1], qint16(3));
    QCOMPARE(dm.Settings.SelectionOrder[2], qint16(11));
}

void TstConvertCommands::conversion()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    Adrsbook w(dm);
    openThroughDialog(env, w, QStringLiteral("a.kno"));

    bool locked = false;
    env.modal.then([&](QDialog &dialog) {
        auto &d = static_cast<ChanData &>(dialog);
        locked = !w.Menu_File->isEnabled() && !w.Menu_Edit->isEnabled() && !w.Menu_Disp->isEnabled();
        d.Option1[3]->setChecked(true);
        env.boxes.answer(MsgAnswerCode::Yes);
        env.boxes.answer(MsgAnswerCode::Ok);
        d.Command1_Click();
        d.Command2_Click();
        return d.result();
    });
    w.Menu_Edit_Change_Click();
    QVERIFY(locked);
    QVERIFY(w.Menu_File->isEnabled() && w.Menu_Edit->isEnabled() && w.Menu_Disp->isEnabled());
    QCOMPARE(w.Lab02->text(), QStringLiteral("可変長　(ﾀﾌﾞ)"));
    QCOMPARE(w.Lab03->text(), QStringLiteral("2"));
    QCOMPARE(w.Lab04->text(), dm.FileDateText());
    QCOMPARE(env.readFile(QStringLiteral("a.kno")),
             textLine(QStringLiteral("山田太郎\tﾔﾏﾀﾞﾀﾛｳ\t100-0001\t  千代田区\t\t\t\t\t\t"))
                 + textLine(QStringLiteral("鈴木花子\tｽｽﾞｷﾊﾅｺ\t\t\t\t\t\t\t\t")));
}

QTEST_MAIN(TstConvertCommands)
#include "tst_convertcommands.moc"
