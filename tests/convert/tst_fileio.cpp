// The file dialog: new, open, cancel and save as, by standard order and by
// the field selection, with the folder it leaves current.
#include "support/testenv.h"
#include "support/books.h"

#include "convert/fileio.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <sys/stat.h>

class TstFileIO : public QObject {
    Q_OBJECT
private slots:
    void openModeStart();
    void newBooks();
    void openExistingAndMissing();
    void openBySelection();
    void cancelKeepsOpenBook();
    void foldersAndLastFolder();
    void saveAsCopy();
    void saveAsIntoOtherFolder();
    void saveAsBySelection();
    void driveThatFails();
    void typedPaths();
    void tabbingThroughFileList();
    void saveAsOntoReadOnlyFile();
    void saveAsCopyThatCannotBeOpened();
};

namespace {

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

QStringList files(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

void TstFileIO::openModeStart()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), QByteArray());
    env.writeFile(QStringLiteral("B.KNO"), QByteArray());
    env.writeFile(QStringLiteral("c.txt"), QByteArray());
    env.writeFile(QStringLiteral("d.CSV"), QByteArray());
    env.writeFile(QStringLiteral("noext"), QByteArray());
    dm.FileMode = 1;
    dm.OpenStatus = 0;
    FileIO d(dm);
    QCOMPARE(d.windowTitle(), QStringLiteral("ファイルを開く"));
    QCOMPARE(d.SelFile->text(), QStringLiteral("*.kno"));
    QCOMPARE(dm.OpenStatus, qint16(1));
    QVERIFY(!d.Frame2->isHidden());
    QVERIFY(!d.Command1->isHidden());
    QVERIFY(d.Command3->isHidden());
    QCOMPARE(d.Command1->text(), QStringLiteral("開　く"));
    QCOMPARE(d.Command2->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    QCOMPARE(d.Frame1->title(), QStringLiteral("データ形式(&K)"));
    QCOMPARE(d.Frame2->title(), QStringLiteral("選択項目(&S)"));
    QVERIFY(d.Option1->isChecked());
    QVERIFY(d.Option3->isChecked());
    QCOMPARE(d.Label1->buddy(), d.SelFile);
    QCOMPARE(d.Label3->text(), QStringLiteral("ファイルの種類(&T)："));
    QCOMPARE(d.Combo1->count(), 4);
    QCOMPARE(d.Combo1->itemText(0), QStringLiteral("*.kno(かのて住所録ﾌｧｲﾙ)"));
    QCOMPARE(d.Combo1->itemText(1), QStringLiteral("*.txt(ﾃｷｽﾄﾌｧｲﾙ)"));
    QCOMPARE(d.Combo1->itemText(2), QStringLiteral("*.csv"));
    QCOMPARE(d.Combo1->itemText(3), QStringLiteral("*.*  (すべてのﾌｧｲﾙ)"));
    QCOMPARE(canonical(d.Label2->text()), canonical(env.dir.path()));
    // Letter case does not matter to the patterns.
    QCOMPARE(files(d.FileSelect), (QStringList{QStringLiteral("a.kno"), QStringLiteral("B.KNO")}));

    d.Combo1->setCurrentIndex(2);
    QCOMPARE(d.SelFile->text(), QStringLiteral("*.csv"));
    QCOMPARE(files(d.FileSelect), QStringList{QStringLiteral("d.CSV")});
    d.Combo1->setCurrentIndex(3);
    QCOMPARE(files(d.FileSelect).size(), 5);
    // A pattern typed and Enter.
    d.SelFile->setText(QStringLiteral("*.txt"));
    d.SelFile_KeyPress(13);
    QCOMPARE(files(d.FileSelect), QStringList{QStringLiteral("c.txt")});
    // A click names the file.
    d.FileSelect->setCurrentRow(0);
    QCOMPARE(d.SelFile->text(), QStringLiteral("c.txt"));

    // 開　く with the pattern unchanged does nothing.
    d.Combo1->setCurrentIndex(0);
    d.Command1_Click();
    QCOMPARE(dm.OpenStatus, qint16(1));
    QVERIFY(env.boxes.shown.isEmpty());

    d.Command2_Click();
    QCOMPARE(dm.FileMode, qint16(-1));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("*.kno"));
}

void TstFileIO::newBooks()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    dm.FileMode = 0;
    dm.CurrentFileName = QStringLiteral("kanote.kno");
    {
        FileIO d(dm);
        QCOMPARE(d.windowTitle(), QStringLiteral("新規作成"));
        QCOMPARE(d.SelFile->text(), QStringLiteral("kanote.kno"));
        QVERIFY(d.Frame2->isHidden());
        d.Command1_Click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }
    QCOMPARE(dm.OpenStatus, qint16(0));
    QVERIFY(QFile::exists(env.path(QStringLiteral("kanote.kno"))));
    QCOMPARE(dm.RecordCount, qint16(0));
    QCOMPARE(dm.CurrentRecord, 1);
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);
    QCOMPARE(canonical(dm.Settings.LastFolder), canonical(env.dir.path()));
    QVERIFY(dm.FileDate.isValid());

    // A new text book, remembered as the format for next time.
    dm.FileMode = 0;
    dm.CurrentFileName = QStringLiteral("book.txt");
    {
        FileIO d(dm);
        QVERIFY(d.Option1->isChecked());
        d.Option2->setChecked(true);
        d.Command1_Click();
    }
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("book.txt"));
    QCOMPARE(dm.DataFormat, DataModule::DelimitedText);
    QCOMPARE(dm.Settings.SavedDataFormat, DataModule::DelimitedText);
    QCOMPARE(env.readFile(QStringLiteral("book.txt")), QByteArray());
    QVERIFY(dm.DataChannel && dm.DataChannel->isOpen());
}

void TstFileIO::openExistingAndMissing()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    dm.FileMode = 1;
    dm.CallTrace = QStringLiteral(" > Menu_File_Open");
    FileIO d(dm);

    d.SelFile->setText(QStringLiteral("x.kno"));
    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command1_Click();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("x.knoファイルはありません。"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(env.boxes.shown[0].caption, ProgramTitle);
    QCOMPARE(dm.OpenStatus, qint16(1));

    d.SelFile->setText(QStringLiteral("a.kno  "));
    d.Command1_Click();
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));
    QCOMPARE(dm.RecordCount, qint16(2));
    QCOMPARE(dm.CurrentRecord, 1);
    // Each 開　く that ended took its entries away; the dialog's stays while it is open.
    QCOMPARE(dm.CallTrace, QStringLiteral(" > Menu_File_Open > FileIO"));
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("鈴木花子"));
}

void TstFileIO::openBySelection()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("in.txt"), textLine(QStringLiteral("ﾔﾏﾀﾞ;山田;x;100-0001")));
    dm.FileMode = 1;
    FileIO d(dm);
    d.Option4->setChecked(true);
    QCOMPARE(d.windowTitle(), QStringLiteral("｢別項目順ﾌｧｲﾙ｣を｢かのて住所録ﾌｧｲﾙ｣に変換"));
    d.Option3->setChecked(true);
    QCOMPARE(d.windowTitle(), QStringLiteral("ファイルを開く"));
    d.Option4->setChecked(true);

    // No selection defined: refused.
    d.SelFile->setText(QStringLiteral("in.txt"));
    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command1_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("選択項目が設定されていないため読み込めません。"));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Critical);
    QCOMPARE(dm.OpenStatus, qint16(1));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("KANOTE01.KNO"))));

    dm.Settings.SelectionCount = 4;
    dm.Settings.SelectionOrder = {0, 2, 1, 11, 3};

    // More lines than a book's index holds: reported, nothing made, the dialog stays.
    QByteArray many;
    for (int i = 0; i < 1030; ++i)
        many += textLine(QStringLiteral("ﾌﾘｶﾞﾅ;名前%1").arg(i));
    env.writeFile(QStringLiteral("many.txt"), many);
    d.SelFile->setText(QStringLiteral("many.txt"));
    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command1_Click();
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("FILEIO"));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Information);
    // The refused 開　く before it is not in the trace.
    QVERIFY2(env.boxes.shown.last().text.endsWith(QStringLiteral("\n > FileIO > Command1")),
             qPrintable(env.boxes.shown.last().text));
    QCOMPARE(dm.OpenStatus, qint16(1));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("KANOTE01.KNO"))));

    d.SelFile->setText(QStringLiteral("in.txt"));
    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command1_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("選択項目によるデータをKANOTE01.KNOに保存します。"));
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("KANOTE01.KNO"));
    QCOMPARE(dm.RecordCount, qint16(1));
    QCOMPARE(env.readFile(QStringLiteral("KANOTE01.KNO")),
             fixedRecord({QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ"), QStringLiteral("100-0001")}));
}

void TstFileIO::cancelKeepsOpenBook()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    env.writeFile(QStringLiteral("plain.txt"), textLine(QStringLiteral("no delimiter here")));
    QDir().mkdir(env.path(QStringLiteral("sub")));
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    dm.FileMode = 1;
    {
        FileIO d(dm);
        // A text file without the delimiter is refused; the dialog stays.
        d.Option2->setChecked(true);
        d.SelFile->setText(QStringLiteral("plain.txt"));
        env.boxes.answer(MsgAnswerCode::Ok);
        d.Command1_Click();
        QCOMPARE(env.boxes.shown.last().text, QStringLiteral("指定されている区切り文字がありません。"));
        QCOMPARE(dm.OpenStatus, qint16(1));
        // Wander off into another folder, type another name, cancel.
        QVERIFY(d.SelectDir->setPath(env.path(QStringLiteral("sub"))));
        QCOMPARE(canonical(QDir::currentPath()), canonical(env.path(QStringLiteral("sub"))));
        d.SelFile->setText(QStringLiteral("other.kno"));
        d.Command2_Click();
    }
    QCOMPARE(dm.OpenStatus, qint16(1));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));
    QCOMPARE(canonical(QDir::currentPath()), canonical(env.dir.path()));
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);
    QCOMPARE(dm.RecordCount, qint16(2));
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("鈴木花子"));

    // Escape is ｷｬﾝｾﾙ.
    dm.FileMode = 1;
    {
        FileIO d(dm);
        d.SelFile->setText(QStringLiteral("other.kno"));
        QTest::keyClick(d.SelFile, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }
    QCOMPARE(dm.FileMode, qint16(-1));
    QCOMPARE(dm.OpenStatus, qint16(1));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));
    QCOMPARE(dm.RecordCount, qint16(2));
}

void TstFileIO::foldersAndLastFolder()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    // A folder whose path is longer than 41 characters.
    const QString deep = env.path(QStringLiteral("a-rather-long-folder-name/and-another-one"));
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QDir(env.dir.path()).absolutePath().size() < 41);
    QFile book(QDir(deep).filePath(QStringLiteral("deep.kno")));
    QVERIFY(book.open(QIODevice::WriteOnly));
    book.write(twoRecords());
    book.close();

    dm.Settings.LastFolder = deep.left(41); // not a folder: falls back
    dm.FileMode = 1;
    {
        FileIO d(dm);
        QCOMPARE(canonical(d.SelectDir->path()), canonical(env.dir.path()));
        QVERIFY(d.SelectDir->setPath(deep));
        QCOMPARE(canonical(d.Label2->text()), canonical(deep));
        QCOMPARE(files(d.FileSelect), QStringList{QStringLiteral("deep.kno")});
        d.FileSelect->setCurrentRow(0);
        d.FileSelect_DblClick();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("deep.kno"));
    QCOMPARE(dm.RecordCount, qint16(2));
    QCOMPARE(canonical(QDir::currentPath()), canonical(deep));
    QCOMPARE(dm.Settings.LastFolder, QDir::currentPath().left(41));

    // The remembered folder is where the dialog opens next time.
    dm.Settings.LastFolder = deep;
    QDir::setCurrent(env.dir.path());
    FileIO again(dm);
    QCOMPARE(canonical(again.SelectDir->path()), canonical(deep));
    QCOMPARE(canonical(QDir::currentPath()), canonical(deep));
    again.Command2_Click();
    QCOMPARE(canonical(QDir::currentPath()), canonical(env.dir.path()));

    // Only the half-width blanks that fill the remembered folder go: a
    // folder whose name ends in a full-width blank is found again.
    const QString spaced = env.path(QStringLiteral("住所　"));
    QVERIFY(QDir().mkpath(spaced));
    QVERIFY(spaced.size() < 41);
    dm.Settings.LastFolder = spaced.leftJustified(41, QLatin1Char(' '));
    FileIO third(dm);
    QCOMPARE(canonical(third.SelectDir->path()), canonical(spaced));
    third.Command2_Click();
}

void TstFileIO::saveAsCopy()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    env.writeFile(QStringLiteral("b.kno"), "old");
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    dm.FileMode = 2;
    FileIO d(dm);
    d.Command1->setVisible(false);
    d.Command3->setVisible(true);
    QCOMPARE(d.windowTitle(), QStringLiteral("名前を付けて保存"));
    QCOMPARE(d.SelFile->text(), QStringLiteral("a.kno"));
    QCOMPARE(d.Command3->text(), QStringLiteral("保　存"));

    // A double-click only names the file.
    d.FileSelect->setCurrentRow(1);
    d.FileSelect_DblClick();
    QCOMPARE(d.SelFile->text(), QStringLiteral("b.kno"));
    QCOMPARE(dm.OpenStatus, qint16(1));

    // Saving onto the open book itself is refused.
    d.SelFile->setText(QStringLiteral("a.kno"));
    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command3_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("a.kno は開いているファイルのため、保存できません。"));
    QCOMPARE(dm.OpenStatus, qint16(1));

    d.SelFile->setText(QStringLiteral("b.kno"));
    env.boxes.answer(MsgAnswerCode::No);
    d.Command3_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("b.knoは既に存在します。\n上書きしますか？"));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("名前を付けて保存"));
    QCOMPARE(env.boxes.shown.last().buttons, MsgButtons::YesNo);
    QCOMPARE(env.readFile(QStringLiteral("b.kno")), QByteArray("old"));
    QCOMPARE(dm.OpenStatus, qint16(1));

    env.boxes.answer(MsgAnswerCode::Yes);
    d.Command3_Click();
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(env.readFile(QStringLiteral("b.kno")), twoRecords());
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), twoRecords());
    QCOMPARE(dm.CurrentFileName, QStringLiteral("b.kno"));
    QCOMPARE(env.mainWindow.labels[MainWindowLink::FileNameLabel], QStringLiteral("b.kno"));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("temp.ads"))));
    // The copy is the open book: a change goes into it.
    dm.LoadRecord(1);
    dm.FieldText[Name] = QStringLiteral("変更");
    dm.FieldsToRecord();
    dm.WriteRecord(1);
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), twoRecords());
    QVERIFY(env.readFile(QStringLiteral("b.kno")) != twoRecords());
}

void TstFileIO::saveAsIntoOtherFolder()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.txt"), textLine(QStringLiteral("山田;ﾔﾏﾀﾞ"))
                                               + textLine(QStringLiteral("鈴木;ｽｽﾞｷ")));
    QDir().mkdir(env.path(QStringLiteral("sub")));
    QVERIFY(env.open(QStringLiteral("a.txt"), DataModule::DelimitedText));
    dm.FileMode = 2;
    {
        FileIO d(dm);
        QVERIFY(d.SelectDir->setPath(env.path(QStringLiteral("sub"))));
        d.SelFile->setText(QStringLiteral("copy.txt"));
        d.Command3_Click();
    }
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(env.readFile(QStringLiteral("sub/copy.txt")), env.readFile(QStringLiteral("a.txt")));
    // The current folder is the copy's, so the open book is found there.
    QCOMPARE(canonical(QDir::currentPath()), canonical(env.path(QStringLiteral("sub"))));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("copy.txt"));
    QCOMPARE(canonical(dm.DataFilePath()), canonical(env.path(QStringLiteral("sub/copy.txt"))));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("copy.txt"))));
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("ｽｽﾞｷ"));
}

void TstFileIO::saveAsBySelection()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    QDir().mkdir(env.path(QStringLiteral("sub")));
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    dm.Delimiter = QLatin1Char(',');
    dm.Settings.SelectionCount = 4;
    dm.Settings.SelectionOrder = {0, 2, 1, 11, 4};
    dm.FileMode = 2;
    {
        FileIO d(dm);
        d.Option4->setChecked(true);
        QCOMPARE(d.windowTitle(), QStringLiteral("｢かのて住所録ﾌｧｲﾙ｣を｢別項目順ﾌｧｲﾙ｣に変換"));
        QVERIFY(d.SelectDir->setPath(env.path(QStringLiteral("sub"))));
        d.SelFile->setText(QStringLiteral("out.csv"));
        env.boxes.answer(MsgAnswerCode::Ok);
        d.Command3_Click();
        QCOMPARE(env.boxes.shown.last().text, QStringLiteral("選択項目によるデータをout.csvに保存します。"));
        QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Information);
    }
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(env.readFile(QStringLiteral("sub/out.csv")),
             textLine(QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ,山田太郎,,  千代田区,"))
                 + textLine(QStringLiteral("ｽｽﾞｷﾊﾅｺ,鈴木花子,,,")));
    // The open book is still the open book, in its own folder.
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));
    QCOMPARE(canonical(QDir::currentPath()), canonical(env.dir.path()));
    QCOMPARE(env.mainWindow.labels[MainWindowLink::FileNameLabel], QString());
}

void TstFileIO::driveThatFails()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    dm.FileMode = 1;
    FileIO d(dm);
    const int before = d.SelectDrive->currentIndex();
    QVERIFY(before >= 0);
    const QString bogus = env.path(QStringLiteral("no-medium"));
    d.SelectDrive->addItem(bogus, bogus);
    env.boxes.answer(MsgAnswerCode::Ok);
    d.SelectDrive->setCurrentIndex(d.SelectDrive->count() - 1);
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("Err Msg"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(d.SelectDrive->currentIndex(), before);
    QCOMPARE(canonical(QDir::currentPath()), canonical(env.dir.path()));
}

void TstFileIO::typedPaths()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    env.writeFile(QStringLiteral("memo?.kno"), fixedRecord({QStringLiteral("佐藤")}));
    QDir().mkdir(env.path(QStringLiteral("sub")));
    env.writeFile(QStringLiteral("sub/s.kno"), fixedRecord({QStringLiteral("田中")}));
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    dm.FileMode = 1;
    {
        FileIO d(dm);
        // A folder that does not exist: the name is not looked up elsewhere.
        d.SelFile->setText(QStringLiteral("nosuch/a.kno"));
        env.boxes.answer(MsgAnswerCode::Ok);
        d.Command1_Click();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown.last().text, QStringLiteral("nosuch/a.knoファイルはありません。"));
        QCOMPARE(dm.OpenStatus, qint16(1));
        d.Command2_Click();
    }
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));
    QVERIFY(dm.DataChannel && dm.DataChannel->isOpen());
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("鈴木花子"));

    // An existing file whose name holds a pattern character opens.
    dm.FileMode = 1;
    {
        FileIO d(dm);
        d.SelFile->setText(QStringLiteral("memo?.kno"));
        d.Command1_Click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("memo?.kno"));
    QCOMPARE(dm.RecordCount, qint16(1));

    // A name typed with an existing folder: that folder becomes current.
    dm.FileMode = 1;
    {
        FileIO d(dm);
        d.SelFile->setText(QStringLiteral("sub/s.kno"));
        d.Command1_Click();
    }
    QCOMPARE(dm.OpenStatus, qint16(0));
    QCOMPARE(dm.CurrentFileName, QStringLiteral("s.kno"));
    QCOMPARE(canonical(QDir::currentPath()), canonical(env.path(QStringLiteral("sub"))));
    dm.LoadRecord(1);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("田中"));

    // New mode: a pattern is no name to create, and a missing folder is
    // reported; neither makes a file nor closes the open book.
    dm.FileMode = 0;
    dm.CurrentFileName = QStringLiteral("kanote.kno");
    {
        FileIO d(dm);
        for (const QString &name : {QStringLiteral("x*.kno"), QStringLiteral("nosuch/new.kno")}) {
            d.SelFile->setText(name);
            env.boxes.answer(MsgAnswerCode::Ok);
            const qsizetype before = env.boxes.shown.size();
            d.Command1_Click();
            QCOMPARE(env.boxes.shown.size(), before + 1);
            QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("FILEIO"));
            QCOMPARE(dm.OpenStatus, qint16(1));
            QVERIFY(dm.DataChannel && dm.DataChannel->isOpen());
        }
        d.Command2_Click();
    }
    QVERIFY(!QFile::exists(env.path(QStringLiteral("sub/new.kno"))));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("sub/x*.kno"))));
    QCOMPARE(dm.DataChannel->fileName(), QStringLiteral("s.kno"));
    dm.LoadRecord(1);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("田中"));
}

void TstFileIO::tabbingThroughFileList()
{
    // Tabbing into the file list marks no file: the typed name stays.
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    env.writeFile(QStringLiteral("b.kno"), twoRecords());
    dm.FileMode = 0;
    dm.CurrentFileName = QStringLiteral("kanote.kno");
    FileIO d(dm);
    d.SelFile->setText(QStringLiteral("new.kno"));
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(d.FileSelect, &focusIn);
    QCOMPARE(d.SelFile->text(), QStringLiteral("new.kno"));
    // Moving through the list with the arrow keys names each file.
    QTest::keyClick(d.FileSelect, Qt::Key_Down);
    QCOMPARE(d.SelFile->text(), d.FileSelect->currentItem()->text());
    QVERIFY(d.SelFile->text().endsWith(QStringLiteral(".kno")));
}

void TstFileIO::saveAsOntoReadOnlyFile()
{
    // A file the user may only read is not replaced, by a copy or by
    // selection; the dialog stays open.
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    env.writeFile(QStringLiteral("r.kno"), "keep");
    QFile::setPermissions(env.path(QStringLiteral("r.kno")), QFile::ReadOwner);
    if (QFileInfo(env.path(QStringLiteral("r.kno"))).isWritable())
        QSKIP("running with rights that ignore file permissions");
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    dm.Settings.SelectionCount = 1;
    dm.Settings.SelectionOrder[1] = 1;
    dm.FileMode = 2;
    FileIO d(dm);
    for (bool bySelection : {false, true}) {
        d.Option4->setChecked(bySelection);
        d.SelFile->setText(QStringLiteral("r.kno"));
        env.boxes.answer(MsgAnswerCode::Yes);
        if (bySelection)
            env.boxes.answer(MsgAnswerCode::Ok);
        env.boxes.answer(MsgAnswerCode::Ok);
        d.Command3_Click();
        QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("FILEIO"));
        QVERIFY(env.boxes.shown.last().text.startsWith(QStringLiteral("r.kno に書き込めません。")));
        QCOMPARE(dm.OpenStatus, qint16(1));
        QCOMPARE(env.readFile(QStringLiteral("r.kno")), QByteArray("keep"));
    }
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));
}

void TstFileIO::saveAsCopyThatCannotBeOpened()
{
    // The copy is made but cannot be opened (made unreadable by the file
    // creation mask): reported, and cancelling keeps the book open.
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SavedDataFormat = DataModule::FixedLength;
    env.writeFile(QStringLiteral("a.kno"), twoRecords());
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    env.writeFile(QStringLiteral("probe"), "x");
    QFile::setPermissions(env.path(QStringLiteral("probe")), QFileDevice::Permissions());
    if (QFile(env.path(QStringLiteral("probe"))).open(QIODevice::ReadOnly))
        QSKIP("running with rights that ignore file permissions");
    dm.FileMode = 2;
    {
        FileIO d(dm);
        d.SelFile->setText(QStringLiteral("copy.kno"));
        const mode_t mask = ::umask(0777);
        env.boxes.answer(MsgAnswerCode::Ok);
        d.Command3_Click();
        ::umask(mask);
        QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("FILEIO"));
        QCOMPARE(dm.OpenStatus, qint16(1));
        d.Command2_Click();
    }
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));
    QVERIFY(dm.DataChannel && dm.DataChannel->isOpen());
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("鈴木花子"));
}

QTEST_MAIN(TstFileIO)
#include "tst_fileio.moc"
