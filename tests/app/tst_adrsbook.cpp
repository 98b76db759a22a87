// The main window as a user meets it: menus, start-up and shutdown, opening
// a file from the command line or by dropping it, the tool bar, the record
// gates, help, version and debug switch.
#include "support/testenv.h"
#include "support/books.h"

#include "app/adrsbook.h"
#include "app/toolbarpicture.h"

#include "postal/postaldictionary.h"

#include "platform/codec.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QtEndian>
#include <QDialog>
#include <QtTest>

class TestAdrsbook : public QObject {
    Q_OBJECT
private slots:
    void menusAtStart();
    void greetsOnFirstRunOnlyAndWritesSettings();
    void commandLineOpensWithSavedFormat();
    void commandLineFileThatDoesNotExistIsRefused();
    void commandLineRelativePathAndFolderBlanks();
    void commandLineTextWithoutDelimiterIsClosed();
    void droppedFileOpensInCurrentFormat();
    void toolBarPressMoveRelease();
    void recordGates();
    void helpVersionAndDebug();
};

namespace {

// A window started as the program starts, with the settings file of `env`.
std::unique_ptr<Adrsbook> start(TestEnv &env, const QString &commandLine = QString())
{
    auto window = std::make_unique<Adrsbook>(*env.dm);
    env.dm->MainWindow = window.get();
    window->Form_Load(commandLine);
    return window;
}

// A settings file as an earlier run left it.
void writeSettings(TestEnv &env, qint16 savedFormat, qint16 delimiterCode, qint16 debug = 0)
{
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, env.dir.path(), QDate(2020, 1, 2), LayoutDefaults::factory());
    s.SettingsVersion = 10414;
    s.SavedDataFormat = savedFormat;
    s.DelimiterCode = delimiterCode;
    s.DebugMode = debug;
    env.writeFile(QStringLiteral("KANOTE.DAT"), s.toBytes());
}

} // namespace

void TestAdrsbook::menusAtStart()
{
    TestEnv env;
    writeSettings(env, -1, 1);
    auto w = start(env);
    QCOMPARE(w->windowTitle(), QStringLiteral("かのて住所録"));
    struct Entry { QAction *action; const char *caption; const char *shortcut; };
    const QList<Entry> entries = {
        {w->Menu_File->menuAction(), "ファイル(&F)", ""},
        {w->Menu_File_Open[0], "新規作成(&N)...", ""},
        {w->Menu_File_Open[1], "開く(&O)...", "Ctrl+O"},
        {w->Menu_File_Close, "閉じる(&C)", ""},
        {w->Menu_File_Hozon, "名前を付けて保存(&A)...", ""},
        {w->Menu_File_SRead, "項目選択定義(&S)...", ""},
        {w->Menu_File_Import, "他のソフトから読み込み(&I)...", ""},
        {w->Menu_File_Export, "他のソフト用に書き出し(&E)...", ""},
        {w->Menu_File_Kugiri, "オプション(&K)...", ""},
        {w->Menu_File_Quit, "終了(&X)", "F9"},
        {w->Menu_Edit->menuAction(), "編集(&E)", ""},
        {w->Menu_Edit_Add, "追加(&A)...", "Ctrl+A"},
        {w->Menu_Edit_Correct, "修正(&T)...", "Ctrl+T"},
        {w->Menu_Edit_Delete, "削除(&D)...", "Ctrl+D"},
        {w->Menu_Edit_Change, "ﾃﾞｰﾀ変換(&C)...", ""},
        {w->Menu_Edit_Sort, "並び換え(&S)", ""},
        {w->Menu_Disp->menuAction(), "表示(&D)", ""},
        {w->Menu_Disp_Search, "検索(&S)", "Ctrl+S"},
        {w->MeNu_Disp_List, "一覧表示(&L)", "Ctrl+L"},
        {w->Menu_Disp_Print, "葉書宛名印刷(&P)...", "Ctrl+P"},
        {w->Menu_Disp_All, "一覧印刷(&A)", "Ctrl+I"},
        {w->Help->menuAction(), "ﾍﾙﾌﾟ(&H)", ""},
        {w->Help_Mokuji, "目次(&C)", ""},
        {w->Help_Key, "ｷｰﾜｰﾄﾞで検索(&S)...", ""},
        {w->Menu_File_To, "デバッグ(&D)...", ""},
        {w->Help_Ver, "ﾊﾞｰｼﾞｮﾝ情報(&A)", "F3"},
    };
    for (const Entry &e : entries) {
        QCOMPARE(e.action->text(), QString::fromUtf8(e.caption));
        QCOMPARE(e.action->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut)));
    }
    // Separators sit where the menus group their entries.
    QCOMPARE(w->Menu_File->actions().size(), 12);
    QVERIFY(w->Menu_File->actions()[4]->isSeparator());
    // The exchange with other programs follows the field selection.
    QCOMPARE(w->Menu_File->actions()[6], w->Menu_File_Import);
    QCOMPARE(w->Menu_File->actions()[7], w->Menu_File_Export);
    QVERIFY(w->Menu_File->actions()[8]->isSeparator());
    QVERIFY(w->Menu_File_Import->isEnabled());
    QVERIFY(!w->Menu_File_Export->isEnabled());
    QVERIFY(w->Help->actions()[2]->isSeparator());

    QVERIFY(w->Menu_File->isEnabled());
    QVERIFY(w->Menu_File_Open[0]->isEnabled());
    QVERIFY(!w->Menu_File_Close->isEnabled());
    QVERIFY(!w->Menu_File_Hozon->isEnabled());
    QVERIFY(!w->Menu_Edit->isEnabled());
    QVERIFY(!w->Menu_Disp->isEnabled());
    QVERIFY(w->Help->isEnabled());
    QCOMPARE(w->Label1->text(), QString());
    QCOMPARE(w->Label7->text(), QStringLiteral("住所録"));
    QCOMPARE(w->Label6->text(), QStringLiteral("　説明文"));
    QCOMPARE(w->ToolBar->size(), QSize(550, 26));
    // Each button face carries a picture, not just the grey of the strip.
    for (int b = 1; b <= 12; ++b) {
        const QImage face = w->ToolBar->image().copy(w->ButtonLeft[b] + 4, 6, 14, 14);
        QSet<QRgb> colours;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                colours.insert(face.pixel(x, y));
        QVERIFY2(colours.size() > 1, qPrintable(QStringLiteral("button %1 has no picture").arg(b)));
    }
    QCOMPARE(env.dm->CurrentFileName, QStringLiteral("*.kno"));
    QCOMPARE(env.dm->HelpFile, env.path(QStringLiteral("kanote.hlp")));
}

void TestAdrsbook::greetsOnFirstRunOnlyAndWritesSettings()
{
    TestEnv env;
    env.boxes.answer(MsgAnswerCode::Ok);
    {
        auto w = start(env);
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].text, QStringLiteral("御使用ありがとうございます。"));
        QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Information);
        QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("かのて住所録"));
        w->Form_Unload();
        QCOMPARE(env.help.requests.last().command, 2);
    }
    const QByteArray written = env.readFile(QStringLiteral("KANOTE.DAT"));
    QCOMPARE(written.size(), 1024);
    QCOMPARE(qFromLittleEndian<qint16>(written.constData() + 112), qint16(10414));
    QCOMPARE(qFromLittleEndian<qint16>(written.constData() + 108), qint16(-98));
    QCOMPARE(written.mid(98, 10), settingsDateText(QDate::currentDate()).toLatin1());

    // The next start reads it back: no greeting. A bad delimiter code is mended and stored.
    QByteArray bad = written;
    qToLittleEndian<qint16>(7, bad.data() + 52);
    qToLittleEndian<qint16>(10409, bad.data() + 112);
    qToLittleEndian<qint16>(77, bad.data() + 114);
    env.writeFile(QStringLiteral("KANOTE.DAT"), bad);
    env.dm = std::make_unique<DataModule>(PlatformServices{&env.boxes, &env.modal, &env.help});
    env.dm->ProgramFolder = env.dir.path();
    env.dm->SettingsPath = env.path(QStringLiteral("KANOTE.DAT"));
    {
        auto w = start(env);
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.dm->Delimiter, QLatin1Char(';'));
        QCOMPARE(env.dm->IchiFnt, QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(env.dm->IchiFsz, 10.5f);
        w->Form_Unload();
    }
    const QByteArray again = env.readFile(QStringLiteral("KANOTE.DAT"));
    QCOMPARE(qFromLittleEndian<qint16>(again.constData() + 52), qint16(1));
    QCOMPARE(qFromLittleEndian<qint16>(again.constData() + 112), qint16(10414));
    QCOMPARE(qFromLittleEndian<qint16>(again.constData() + 114), qint16(77));
}

void TestAdrsbook::commandLineOpensWithSavedFormat()
{
    TestEnv env;
    writeSettings(env, 0, 2);
    QDir(env.dir.path()).mkpath(QStringLiteral("データ/sub"));
    const QString file = env.path(QStringLiteral("データ/sub/友人.csv"));
    env.writeFile(QStringLiteral("データ/sub/友人.csv"),
                  textLine(QStringLiteral("山田,ﾔﾏﾀﾞ")) + textLine(QStringLiteral("佐藤,ｻﾄｳ")));
    auto w = start(env, QLatin1Char('"') + file + QLatin1Char('"'));
    QCOMPARE(w->Lab01->text(), QStringLiteral("友人.csv"));
    QCOMPARE(w->Lab02->text(), QStringLiteral("可変長  (ｺﾝﾏ)"));
    QCOMPARE(w->Lab03->text(), QStringLiteral("2"));
    QCOMPARE(w->Lab04->text(), QFileInfo(file).lastModified().toString(QStringLiteral("yyyy/MM/dd H:mm:ss")));
    QCOMPARE(QDir::currentPath(), env.path(QStringLiteral("データ/sub")));
    QVERIFY(w->Menu_Edit->isEnabled());
    QVERIFY(w->Menu_Disp->isEnabled());
    QVERIFY(w->Menu_File_Close->isEnabled());
    QVERIFY(w->Menu_File_Hozon->isEnabled());
    QVERIFY(!w->Menu_File_Open[0]->isEnabled());
    QCOMPARE(env.dm->CallTrace, QString());

    // Windows that work on the book lock the menus while they are open.
    env.dm->LockMainMenus();
    QVERIFY(!w->Menu_File->isEnabled());
    QVERIFY(!w->Menu_Edit->isEnabled());
    QVERIFY(!w->Menu_Disp->isEnabled());
    QVERIFY(w->Help->isEnabled());
    env.dm->UnlockMainMenus();
    QVERIFY(w->Menu_File->isEnabled());
    QVERIFY(w->Menu_Edit->isEnabled());
    QVERIFY(w->Menu_Disp->isEnabled());
    env.dm->RecordCount = 5;
    env.dm->ShowChange(true);
    QCOMPARE(w->Lab03->text(), QStringLiteral("5"));
    QCOMPARE(w->Lab01->text(), QStringLiteral("友人.csv"));

    w->Menu_File_Close_Click();
    for (QLabel *label : {w->Lab01, w->Lab02, w->Lab03, w->Lab04})
        QCOMPARE(label->text(), QString());
    QVERIFY(!w->Menu_Edit->isEnabled());
    QVERIFY(!w->Menu_File_Close->isEnabled());
    QVERIFY(w->Menu_File_Open[0]->isEnabled());
    QCOMPARE(env.dm->RecordCount, qint16(0));
}

void TestAdrsbook::commandLineFileThatDoesNotExistIsRefused()
{
    TestEnv env;
    writeSettings(env, -1, 1, 1);
    const QString missing = env.path(QStringLiteral("nothere.kno"));
    env.boxes.answer(MsgAnswerCode::Ok);
    auto w = start(env, missing);
    QCOMPARE(env.boxes.shown.size(), 1);
    const ShownBox box = env.boxes.shown[0];
    QCOMPARE(box.caption, QStringLiteral("Prm_Open"));
    QCOMPARE(box.icon, MsgIcon::Information);
    QCOMPARE(box.text, QStringLiteral("ファイルが見つかりません。(%1)\n > Menu_File_Open > Prm_Open\n%1").arg(missing));
    QVERIFY(!QFile::exists(missing));
    QCOMPARE(w->Lab01->text(), QString());
    QVERIFY(!w->Menu_Edit->isEnabled());
    QCOMPARE(env.dm->OpenStatus, qint16(-2));
    QCOMPARE(env.dm->CallTrace, QString());
    QCOMPARE(env.dm->CommandFile, QString());
}

void TestAdrsbook::commandLineRelativePathAndFolderBlanks()
{
    TestEnv env;
    // The last folder of the settings holds a book of the same name as the
    // one beside the program's start folder.
    QDir(env.dir.path()).mkdir(QStringLiteral("last"));
    {
        SettingsRecord s;
        SettingsFile::applyFirstRun(s, env.path(QStringLiteral("last")), QDate(2020, 1, 2),
                                    LayoutDefaults::factory());
        s.SettingsVersion = 10414;
        env.writeFile(QStringLiteral("KANOTE.DAT"), s.toBytes());
    }
    env.writeFile(QStringLiteral("book.kno"), fixedRecord({QStringLiteral("一")}));
    env.writeFile(QStringLiteral("last/book.kno"),
                  fixedRecord({QStringLiteral("一")}) + fixedRecord({QStringLiteral("二")}));
    auto w = start(env, QStringLiteral("book.kno"));
    QCOMPARE(w->Lab01->text(), QStringLiteral("book.kno"));
    QCOMPARE(w->Lab03->text(), QStringLiteral("1"));
    QCOMPARE(QDir::currentPath(), env.dir.path());
    QCOMPARE(env.readFile(QStringLiteral("last/book.kno")).size(), 478);

    // A folder whose name ends in a full-width blank is a folder like any other.
    const QString folder = QStringLiteral("住所\u3000");
    QDir(env.dir.path()).mkdir(folder);
    env.writeFile(folder + QStringLiteral("/two.kno"),
                  fixedRecord({QStringLiteral("一")}) + fixedRecord({QStringLiteral("二")}));
    w->Form_OLEDragDrop(env.path(folder + QStringLiteral("/two.kno")));
    QCOMPARE(w->Lab01->text(), QStringLiteral("two.kno"));
    QCOMPARE(w->Lab03->text(), QStringLiteral("2"));
    QCOMPARE(QDir::currentPath(), env.path(folder));
}

void TestAdrsbook::commandLineTextWithoutDelimiterIsClosed()
{
    TestEnv env;
    writeSettings(env, 0, 1);
    env.writeFile(QStringLiteral("plain.txt"), textLine(QStringLiteral("just words")));
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    auto w = start(env, QStringLiteral("plain.txt"));
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("指定されている区切り文字がありません。"));
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("Prm_Open"));
    QCOMPARE(env.boxes.shown[1].text, QStringLiteral("\n > Menu_File_Open > Prm_Open > Hyoujun"));
    QVERIFY(!w->Menu_Edit->isEnabled());
    QVERIFY(!env.dm->DataChannel);
    QCOMPARE(env.readFile(QStringLiteral("plain.txt")), textLine(QStringLiteral("just words")));
}

void TestAdrsbook::droppedFileOpensInCurrentFormat()
{
    TestEnv env;
    writeSettings(env, 0, 1);
    env.writeFile(QStringLiteral("book.kno"), fixedRecord({QStringLiteral("一")}) + fixedRecord({QStringLiteral("二")}));
    auto w = start(env);
    env.dm->DataFormat = DataModule::FixedLength;
    w->Form_OLEDragDrop(env.path(QStringLiteral("book.kno")));
    QCOMPARE(w->Lab01->text(), QStringLiteral("book.kno"));
    QCOMPARE(w->Lab02->text(), QStringLiteral("固定長"));
    QCOMPARE(w->Lab03->text(), QStringLiteral("2"));
    QCOMPARE(env.dm->CallTrace, QString());

    // Quotes are not stripped from a dropped path.
    env.boxes.answer(MsgAnswerCode::Ok);
    w->Form_OLEDragDrop(QLatin1Char('"') + env.path(QStringLiteral("book.kno")) + QLatin1Char('"'));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("Prm_Open"));
    QVERIFY(!w->Menu_Edit->isEnabled());
}

void TestAdrsbook::toolBarPressMoveRelease()
{
    TestEnv env;
    writeSettings(env, -1, 1);
    auto w = start(env);
    const QImage original = w->ToolBar->image();

    // No file open: button 5 tells why it does nothing.
    w->ToolBar_MouseMove(130, 10);
    QCOMPARE(w->HotButton, 5);
    w->ToolBar_MouseDown(130, 10);
    QCOMPARE(w->Label6->text(), QStringLiteral(" データの削除(ﾌｧｲﾙが開かれていないため使えません)"));
    QVERIFY(w->ToolBar->image() != original);
    QCOMPARE(w->ToolBar->image().pixel(125, 2), original.pixel(125, 2) ^ 0x00FFFFFF);
    w->ToolBar_MouseUp(130, 10);
    QCOMPARE(w->Label6->text(), QString());
    QCOMPARE(w->ToolBar->image(), original);
    QVERIFY(env.boxes.shown.isEmpty());

    // The rows just outside the faces belong to no button.
    w->ToolBar_MouseMove(130, 1);
    QCOMPARE(w->HotButton, 0);
    w->ToolBar_MouseMove(130, 24);
    QCOMPARE(w->HotButton, 0);
    w->ToolBar_MouseMove(29, 10);
    QCOMPARE(w->HotButton, 1);
    w->ToolBar_MouseMove(30, 10);
    QCOMPARE(w->HotButton, 0);
    w->ToolBar_MouseMove(53, 10);
    QCOMPARE(w->HotButton, 2);

    // Open an empty book; button 4 then reaches the record gate.
    env.writeFile(QStringLiteral("empty.kno"), QByteArray());
    w->Form_OLEDragDrop(env.path(QStringLiteral("empty.kno")));
    QVERIFY(w->Menu_Edit->isEnabled());

    // Released over another button: nothing runs. Back onto it: it runs.
    w->ToolBar_MouseMove(95, 10);
    w->ToolBar_MouseDown(95, 10);
    QCOMPARE(w->Label6->text(), QStringLiteral(" データの修正"));
    w->ToolBar_MouseMove(130, 10);
    QVERIFY(w->ButtonRaised);
    QCOMPARE(w->ToolBar->image(), original);
    w->ToolBar_MouseUp(130, 10);
    QVERIFY(env.boxes.shown.isEmpty());

    w->ToolBar_MouseMove(95, 10);
    w->ToolBar_MouseDown(95, 10);
    QCOMPARE(w->Label6->text(), QString()); // same button again: no tip
    QVERIFY(!w->ButtonRaised);              // the move back drew it sunken
    w->ToolBar_MouseMove(130, 10);
    w->ToolBar_MouseMove(95, 10);
    env.boxes.answer(MsgAnswerCode::Ok);
    w->ToolBar_MouseUp(95, 10);
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("ﾃﾞｰﾀ数が 0のため、処理できません！"));
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("Err Msg"));
    QCOMPARE(w->ToolBar->image(), original);

    // Pressing the same button twice runs it twice.
    env.boxes.answer(MsgAnswerCode::Ok);
    w->ToolBar_MouseDown(95, 10);
    w->ToolBar_MouseUp(95, 10);
    QCOMPARE(env.boxes.shown.size(), 2);

    // Button 12 is the version box; button 2 closes the book.
    w->ToolBar_MouseMove(320, 12);
    w->ToolBar_MouseDown(320, 12);
    QCOMPARE(w->Label6->text(), QStringLiteral(" バージョン情報"));
    env.boxes.answer(MsgAnswerCode::Ok);
    w->ToolBar_MouseUp(320, 12);
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("「かのて住所録」 ﾊﾞｰｼﾞｮﾝ 1.4.14\n郵便番号データ ")
                                              + PostalDictionary::shared().dateText());
    w->ToolBar_MouseMove(40, 12);
    w->ToolBar_MouseDown(40, 12);
    w->ToolBar_MouseUp(40, 12);
    QVERIFY(!w->Menu_Edit->isEnabled());
    QCOMPARE(w->Lab01->text(), QString());
    QCOMPARE(w->ToolBar->image(), original);

    // While a window that works on the book has locked the menus, neither
    // button 1 nor a dropped file opens another book underneath it.
    w->Form_OLEDragDrop(env.path(QStringLiteral("empty.kno")));
    QCOMPARE(w->Lab01->text(), QStringLiteral("empty.kno"));
    env.dm->LockMainMenus();
    w->ToolBar_MouseMove(10, 12);
    w->ToolBar_MouseDown(10, 12);
    w->ToolBar_MouseUp(10, 12);
    QVERIFY(env.modal.ran.isEmpty());
    env.writeFile(QStringLiteral("other.kno"), fixedRecord({QStringLiteral("他")}));
    w->Form_OLEDragDrop(env.path(QStringLiteral("other.kno")));
    QCOMPARE(w->Lab01->text(), QStringLiteral("empty.kno"));
    QCOMPARE(env.dm->CurrentFileName, QStringLiteral("empty.kno"));
    QCOMPARE(env.dm->RecordCount, qint16(0));
    env.dm->UnlockMainMenus();
    w->Form_OLEDragDrop(env.path(QStringLiteral("other.kno")));
    QCOMPARE(w->Lab01->text(), QStringLiteral("other.kno"));
    QCOMPARE(env.dm->RecordCount, qint16(1));

    // A press counts where it is, even when no move reached the tool bar
    // before it (the pointer moved while a modal window held the input):
    // the button under the pointer runs, not the one last passed over.
    w->ToolBar_MouseMove(70, 12); // 追加
    w->ToolBar_MouseDown(250, 12); // 一覧表示, without a move
    QCOMPARE(w->PressedButton, 9);
    QCOMPARE(w->Label6->text(), QStringLiteral(" 一覧表示"));
    env.modal.then([](QDialog &d) { d.reject(); return int(QDialog::Rejected); });
    w->ToolBar_MouseUp(250, 12);
    QCOMPARE(env.modal.ran, QStringList{QStringLiteral("ListLab")});
}

void TestAdrsbook::recordGates()
{
    TestEnv env;
    writeSettings(env, -1, 1);
    auto w = start(env);
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    // With no book open the shortcuts of the disabled menus do nothing.
    QTest::keyClick(w.get(), Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier);
    QVERIFY(env.boxes.shown.isEmpty());
    env.writeFile(QStringLiteral("empty.kno"), QByteArray());
    w->Form_OLEDragDrop(env.path(QStringLiteral("empty.kno")));
    const QString noRecords = QStringLiteral("ﾃﾞｰﾀ数が 0のため、処理できません！");
    env.boxes.answer(MsgAnswerCode::Ok);
    QTest::keyClick(w.get(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown.last().text, noRecords);
    const QList<std::function<void()>> gated = {
        [&] { w->Menu_Edit_Correct_Click(); }, [&] { w->Menu_Edit_Delete_Click(); },
        [&] { w->Menu_Edit_Change_Click(); }, [&] { w->MeNu_Disp_List_Click(); },
        [&] { w->Menu_Disp_Print_Click(); }, [&] { w->Menu_Disp_All_Click(); }};
    for (const auto &command : gated) {
        env.boxes.answer(MsgAnswerCode::Ok);
        command();
        QCOMPARE(env.boxes.shown.last().text, noRecords);
        QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Exclamation);
        QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("Err Msg"));
    }
    env.boxes.answer(MsgAnswerCode::Ok);
    w->Menu_Disp_Search_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ﾃﾞｰﾀ数が 0のため｢検索表示｣処理はできません！"));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("かのて住所録"));

    env.writeFile(QStringLiteral("one.kno"), fixedRecord({QStringLiteral("一")}));
    w->Form_OLEDragDrop(env.path(QStringLiteral("one.kno")));
    env.boxes.answer(MsgAnswerCode::Ok);
    w->Menu_Edit_Sort_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ﾃﾞｰﾀ数が 1のため｢並び換え｣処理はできません！"));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Exclamation);
    QCOMPARE(env.readFile(QStringLiteral("one.kno")), fixedRecord({QStringLiteral("一")}));
}

void TestAdrsbook::helpVersionAndDebug()
{
    TestEnv env;
    writeSettings(env, -1, 1);
    auto w = start(env);
    const QString helpFile = env.path(QStringLiteral("kanote.hlp"));
    w->Help_Mokuji_Click();
    w->Help_Key_Click();
    QCOMPARE(env.help.requests.size(), 2);
    QCOMPARE(env.help.requests[0].command, 3);
    QCOMPARE(env.help.requests[0].helpFile, helpFile);
    QCOMPARE(env.help.requests[1].command, 0x105);
    QCOMPARE(env.help.requests[1].key, QString());

    env.boxes.answer(MsgAnswerCode::Ok);
    w->Help_Ver_Click();
    // The version, then the date of the postal-code data on its own line.
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("「かのて住所録」 ﾊﾞｰｼﾞｮﾝ 1.4.14\n郵便番号データ ")
                                              + PostalDictionary::shared().dateText());
    QVERIFY(QRegularExpression(QStringLiteral("\n郵便番号データ \\d{4}年\\d{1,2}月\\d{1,2}日$"))
                .match(env.boxes.shown.last().text).hasMatch());
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Information);
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("かのて住所録"));

    env.boxes.answer(MsgAnswerCode::No);
    w->Menu_File_To_Click();
    QCOMPARE(env.boxes.shown.last().text,
             QStringLiteral("ご使用ありがとうございます。\nフリーウェアです。\n\nデバッグ状態にしますか？"));
    QCOMPARE(env.boxes.shown.last().buttons, MsgButtons::YesNo);
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Question);
    QCOMPARE(env.dm->Settings.DebugMode, qint16(0));
    env.boxes.answer(MsgAnswerCode::Yes);
    w->Menu_File_To_Click();
    QCOMPARE(env.dm->Settings.DebugMode, qint16(1));
    w->Form_Unload();
    QCOMPARE(env.help.requests.last().command, 2);
    QCOMPARE(qFromLittleEndian<qint16>(env.readFile(QStringLiteral("KANOTE.DAT")).constData() + 254), qint16(1));

    // After a restart debug mode is still on, and the question offers to leave it.
    env.dm = std::make_unique<DataModule>(PlatformServices{&env.boxes, &env.modal, &env.help});
    env.dm->ProgramFolder = env.dir.path();
    env.dm->SettingsPath = env.path(QStringLiteral("KANOTE.DAT"));
    auto again = start(env);
    env.boxes.answer(MsgAnswerCode::Yes);
    again->Menu_File_To_Click();
    QVERIFY(env.boxes.shown.last().text.endsWith(QStringLiteral("デバッグ状態をやめますか？")));
    QCOMPARE(env.dm->Settings.DebugMode, qint16(0));
}

QTEST_MAIN(TestAdrsbook)
#include "tst_adrsbook.moc"
