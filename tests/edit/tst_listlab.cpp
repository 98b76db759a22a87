// 一覧表示: the grid, its scrolling and paging, the selection and the
// commands that change the book.
#include "edit/adrsdinp.h"
#include "edit/crctdata.h"
#include "edit/listlab.h"
#include "edit/listrow.h"
#include "store/datamodule.h"

#include "platform/codec.h"
#include "platform/twips.h"
#include "support/testenv.h"
#include "support/books.h"
#include "support/userinput.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

namespace {

QStringList fields(int i)
{
    return {QStringLiteral("名前%1").arg(i), QStringLiteral("ﾌﾘｶﾞﾅ%1").arg(i), QStringLiteral("100-%1").arg(i, 4, 10, QLatin1Char('0')),
            QStringLiteral("住所%1").arg(i), QString(), QStringLiteral("03-%1").arg(i), QString(), QString(),
            QString(), i % 2 ? QStringLiteral("*") : QString()};
}

// Records 1 ... n as made by fields().
QList<QStringList> numbered(int n)
{
    QList<QStringList> rows;
    for (int i = 1; i <= n; ++i)
        rows << fields(i);
    return rows;
}

QColor background(const QLabel *label)
{
    return label->palette().color(QPalette::Window);
}

} // namespace

class TstListLab : public QObject {
    Q_OBJECT
private slots:
    void rowTextColumnsLineUp();
    void scrollRangesAndPageMoves();
    void wheelAndPageKeysMoveTheRows();
    void selectionColoursAndCorrectionTarget();
    void duplicateRecordFourOfSix();
    void duplicateRefusals();
    void correctionOpensTheSelectedRecord();
    void deleteLastRecordOfThirteen();
    void addThroughTheEntryForm();
    void sidewaysScrollAndNarrowWindow();
    void helpCloseAndMainWindowCommand();
};

void TstListLab::rowTextColumnsLineUp()
{
    using namespace ListRow;
    // A 20-character full-width address fills its 40 cells; the next column
    // starts at its rule.
    AddressRecord r;
    const QString address = QStringLiteral("東京都千代田区丸の内一丁目二番三号ビル");
    QCOMPARE(address.size(), 19);
    const QString full = address + QStringLiteral("階");
    r.setField(Name, QStringLiteral("山田太郎"));
    r.setField(Furigana, QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"));
    r.setField(PostalCode, QStringLiteral("100-0005"));
    r.setField(Address1, full);
    r.setField(Address2, QStringLiteral("ｶﾅ混じりの住所"));
    r.setField(Phone, QStringLiteral("03-1234-5678"));
    r.setField(Company, QStringLiteral("株式会社ABC"));
    r.setField(Title, QStringLiteral("部長"));
    r.setField(CompanyPhone, QStringLiteral("03-9999-0000"));
    const QString row = rowText(r, QStringLiteral("*"));
    const QString expected = QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ         100-0005") + full
        + QStringLiteral("ｶﾅ混じりの住所") + QString(40 - 14, QLatin1Char(' '))
        + QStringLiteral("03-1234-5678") + QStringLiteral("株式会社ABC") + QString(40 - 11, QLatin1Char(' '))
        + QStringLiteral("部長") + QString(36, QLatin1Char(' ')) + QStringLiteral("03-9999-0000")
        + QStringLiteral("　*");
    QCOMPARE(row, expected);
    // Every column ends on its rule.
    int chars = 0;
    int cellsSoFar = 0;
    const std::array<int, 8> lengths = {16, 8, 20, 8 + 26, 12, 7 + 29, 2 + 36, 12};
    for (size_t c = 0; c < 8; ++c) {
        chars += lengths[c];
        cellsSoFar += ColumnCells[c];
        QCOMPARE(cellCount(row.left(chars)), cellsSoFar);
        QCOMPARE(cellsSoFar * CellTwips, RuleTwips[c]);
    }
    QCOMPARE(cellCount(row), 208 + 2 + 1);

    // A double-byte character cut by the column's end shows as a blank.
    QCOMPARE(cellsOf(QStringLiteral("アイウエオカキク"), 15), QStringLiteral("アイウエオカキ "));
    QByteArray stored = Cp932::encode(QStringLiteral("ｱｱｱｱｱｱｱｱｱｱｱｱｱｱｱ")) + Cp932::encode(QStringLiteral("ア")).left(1);
    QCOMPARE(stored.size(), 16);
    QCOMPARE(cells(stored, 16), QStringLiteral("ｱｱｱｱｱｱｱｱｱｱｱｱｱｱｱ "));
    QCOMPARE(cellsOf(QStringLiteral("a\tb"), 4), QStringLiteral("a b "));
    QCOMPARE(cellsOf(QString(), 3), QStringLiteral("   "));

    // The heading line.
    const QString heading = headingText();
    QCOMPARE(heading, QStringLiteral("ﾌﾘｶﾞﾅ           郵便番号住所１") + QString(34, QLatin1Char(' '))
                          + QStringLiteral("住所２") + QString(34, QLatin1Char(' ')) + QStringLiteral("電話番号    ")
                          + QStringLiteral("勤務先") + QString(34, QLatin1Char(' ')) + QStringLiteral("役職")
                          + QString(36, QLatin1Char(' ')) + QStringLiteral("勤務先ＴＥＬマーク"));
    QCOMPARE(cellCount(heading), 208 + 6);
}

void TstListLab::scrollRangesAndPageMoves()
{
    for (int n : {5, 12, 13, 30}) {
        TestEnv env;
        env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(n)));
        QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
        ListLab w(*env.dm);
        QVERIFY(env.mainWindow.locked);
        QCOMPARE(w.VScroll1->minimum(), 1);
        QCOMPARE(w.VScroll1->maximum(), n >= 12 ? n - 11 : 1);
        QCOMPARE(w.VScroll1->singleStep(), 1);
        QCOMPARE(w.VScroll1->pageStep(), 11);
        QCOMPARE(w.TopRecord, 1);
        for (int r = 0; r < 12; ++r) {
            QCOMPARE(w.LabN[r]->isEnabled(), r < n);
            QCOMPARE(w.LabN[r]->text(), r < n ? QStringLiteral("名前%1").arg(r + 1) : QString());
            QCOMPARE(w.Lab[r]->text().isEmpty(), r >= n);
        }
        QCOMPARE(w.LabT->text(), ListRow::headingText());
        QVERIFY(w.Lab[0]->text().startsWith(QStringLiteral("ﾌﾘｶﾞﾅ1          100-0001住所1")));
        QVERIFY(w.Lab[0]->text().endsWith(QStringLiteral("　*")));
        // A fixed-length record without a mark shows its stored blank.
        QVERIFY(w.Lab[1]->text().endsWith(QString(12, QLatin1Char(' ')) + QStringLiteral("　 ")));

        QList<int> tops;
        for (int k = 0; k < 3; ++k) {
            w.M_I_A_Click();
            tops << w.TopRecord;
        }
        QList<int> backs;
        for (int k = 0; k < 3; ++k) {
            w.M_I_B_Click();
            backs << w.TopRecord;
        }
        if (n == 5 || n == 12) {
            QCOMPARE(tops, (QList<int>{1, 1, 1}));
            QCOMPARE(backs, (QList<int>{1, 1, 1}));
        } else if (n == 13) {
            QCOMPARE(tops, (QList<int>{2, 2, 2}));
            QCOMPARE(backs, (QList<int>{1, 1, 1}));
        } else {
            QCOMPARE(tops, (QList<int>{12, 19, 19}));
            QCOMPARE(backs, (QList<int>{8, 1, 1}));
            // The keys of the 頁移動 menu.
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            // The menu bar shows above the grid and its menus open.
            QVERIFY(w.MenuBar->height() >= w.MenuBar->fontMetrics().height());
            QVERIFY(w.Client->y() >= w.MenuBar->geometry().bottom());
            for (QMenu *menu : {w.M_Disp, w.M_Edit, w.M_I, w.M_H})
                QVERIFY2(opensFromBar(w.MenuBar, menu), qPrintable(menu->title()));
            QTest::keyClick(&w, Qt::Key_F5);
            QCOMPARE(w.TopRecord, 12);
            QTest::keyClick(&w, Qt::Key_F6);
            QCOMPARE(w.TopRecord, 1);
            w.VScroll1->setValue(19);
            QCOMPARE(w.TopRecord, 19);
            QCOMPARE(w.LabN[0]->text(), QStringLiteral("名前19"));
            QCOMPARE(w.LabN[11]->text(), QStringLiteral("名前30"));
            QVERIFY(w.LabN[11]->isEnabled());
            // Escape is 閉じる.
            QVERIFY(env.mainWindow.locked);
            QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
            QVERIFY(!w.isVisible());
            QVERIFY(!env.mainWindow.locked);
            QCOMPARE(env.dm->CurrentRecord, 1);
        }
    }

    // A text book pages the same way and shows the whole mark text.
    TestEnv env;
    QByteArray book = delimitedBook(numbered(13));
    book += textLine(QStringLiteral("最後;ｻｲｺﾞ;;;;;;;;ﾏｰｸ;残り"));
    env.writeFile(QStringLiteral("b.txt"), book);
    QVERIFY(env.open(QStringLiteral("b.txt"), DataModule::DelimitedText));
    ListLab w(*env.dm);
    QCOMPARE(w.VScroll1->maximum(), 3);
    w.M_I_A_Click();
    QCOMPARE(w.TopRecord, 3);
    QCOMPARE(w.LabN[0]->text(), QStringLiteral("名前3"));
    QCOMPARE(w.LabN[11]->text(), QStringLiteral("最後"));
    QVERIFY(w.Lab[11]->text().endsWith(QStringLiteral("　ﾏｰｸ;残り")));
    QCOMPARE(ListRow::cellCount(w.Lab[11]->text()), 208 + 2 + 8);
}

// The mouse wheel over the grid moves the rows as the vertical scroll bar
// does; Page Down and Page Up are 次頁 and 前頁.
void TstListLab::wheelAndPageKeysMoveTheRows()
{
    TestEnv env;
    env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(30)));
    QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
    ListLab w(*env.dm);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto wheel = [](QWidget *over, int notches) {
        const QPointF at(over->width() / 2, over->height() / 2);
        QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        // As the window system delivers it: to the widget under the mouse,
        // then up to the first that takes it.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(over, &event);
    };
    const int perNotch = QApplication::wheelScrollLines();
    wheel(w.LabN[2], 1); // over the names
    QCOMPARE(w.TopRecord, 1 + perNotch);
    QCOMPARE(w.VScroll1->value(), int(w.TopRecord));
    QCOMPARE(w.LabN[0]->text(), QStringLiteral("名前%1").arg(1 + perNotch));
    wheel(w.Lab[5], 1); // over the wide pane
    QCOMPARE(w.TopRecord, 1 + 2 * perNotch);
    wheel(w.Lab[5], -1);
    QCOMPARE(w.TopRecord, 1 + perNotch);
    wheel(w.LabNT, -10); // never above the first record
    QCOMPARE(w.TopRecord, 1);

    QTest::keyClick(w.windowHandle(), Qt::Key_PageDown);
    QCOMPARE(w.TopRecord, 12);
    QTest::keyClick(w.windowHandle(), Qt::Key_PageDown);
    QCOMPARE(w.TopRecord, 19);
    QTest::keyClick(w.windowHandle(), Qt::Key_PageUp);
    QCOMPARE(w.TopRecord, 8);
    QCOMPARE(w.LabN[0]->text(), QStringLiteral("名前8"));
    w.Menu_End_Click();
}

void TstListLab::selectionColoursAndCorrectionTarget()
{
    TestEnv env;
    env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(30)));
    QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
    ListLab w(*env.dm);
    const QColor face = background(w.LabN[0]);
    QVERIFY(!w.M_E_Chan->isEnabled());
    QVERIFY(!w.M_E_Del->isEnabled());
    QVERIFY(w.M_E_Copy->isEnabled());

    // 修正 with nothing selected: list message 2, the window stays.
    env.boxes.answer(MsgAnswerCode::Ok);
    w.M_E_Chan_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("見つからないのでメイン画面に戻ります。"));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("一覧表示"));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::None);

    w.VScroll1->setValue(10);
    QCOMPARE(w.TopRecord, 10);
    QCOMPARE(env.dm->CurrentRecord, 1);
    w.LabN_DblClick(3);
    QCOMPARE(env.dm->SearchHit, -1);
    QCOMPARE(w.SelectedRow, 3);
    QCOMPARE(background(w.LabN[3]), QColor(255, 0, 0));
    QCOMPARE(background(w.Lab[3]), QColor(255, 0, 0));
    QVERIFY(w.M_E_Chan->isEnabled());
    QVERIFY(w.M_E_Del->isEnabled());
    // Another row: the first turns white.
    w.LabN_DblClick(5);
    QCOMPARE(background(w.LabN[3]), QColor(255, 255, 255));
    QCOMPARE(background(w.Lab[3]), QColor(255, 255, 255));
    QCOMPARE(background(w.LabN[5]), QColor(255, 0, 0));
    QCOMPARE(background(w.LabN[0]), face);
    w.LabN_DblClick(3);

    // A page move clears the selection and disables 修正 and 削除.
    w.M_I_A_Click();
    QCOMPARE(env.dm->SearchHit, 0);
    QVERIFY(!w.M_E_Chan->isEnabled());
    QVERIFY(!w.M_E_Del->isEnabled());
    QCOMPARE(background(w.LabN[3]), QColor(255, 255, 255));
    QCOMPARE(w.TopRecord, 19);
    w.M_I_B_Click();
    QCOMPARE(w.TopRecord, 8);

    // A row without a record cannot be chosen.
    TestEnv small;
    small.writeFile(QStringLiteral("s.kno"), fixedBook(numbered(5)));
    QVERIFY(small.open(QStringLiteral("s.kno"), DataModule::FixedLength));
    ListLab s(*small.dm);
    s.LabN_DblClick(7);
    QCOMPARE(small.dm->SearchHit, 0);
    QVERIFY(!s.M_E_Chan->isEnabled());

    // The real double-click on a shown window selects the row.
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QTest::mouseDClick(s.LabN[2], Qt::LeftButton);
    QCOMPARE(s.SelectedRow, 2);
    QCOMPARE(small.dm->SearchHit, -1);
}

void TstListLab::duplicateRecordFourOfSix()
{
    // Fixed length: 1 ... 4, a copy of 4, then the old 5 and 6.
    {
        TestEnv env;
        env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(6)));
        env.writeFile(QStringLiteral("asdfghjk.adr"), QByteArray(20000, 'x'));
        QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
        ListLab w(*env.dm);
        w.LabN_DblClick(3);
        w.M_E_Copy_Click();
        const QByteArray r = fixedBook(numbered(6));
        QCOMPARE(env.readFile(QStringLiteral("b.kno")), r.left(4 * 239) + r.mid(3 * 239));
        QVERIFY(!QFile::exists(env.path(QStringLiteral("asdfghjk.adr"))));
        QCOMPARE(env.dm->RecordCount, 7);
        QCOMPARE(env.mainWindow.labels[MainWindowLink::CountLabel], QStringLiteral("7"));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::FileNameLabel], QStringLiteral("b.kno"));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::DateLabel], env.dm->FileDateText());
        QCOMPARE(w.LabN[3]->text(), QStringLiteral("名前4"));
        QCOMPARE(w.LabN[4]->text(), QStringLiteral("名前4"));
        QCOMPARE(w.LabN[5]->text(), QStringLiteral("名前5"));
        QCOMPARE(w.LabN[6]->text(), QStringLiteral("名前6"));
        QVERIFY(!w.LabN[7]->isEnabled());
        QCOMPARE(env.dm->SearchHit, 0);
        QVERIFY(!w.M_E_Chan->isEnabled());
        // The book stays usable: record 7 reads back.
        env.dm->ReadRecord(7);
        QCOMPARE(env.dm->RecordBuffer.bytes(), r.mid(5 * 239));
    }
    // Text: the same, every line with CR LF, the line index following.
    {
        TestEnv env;
        QByteArray book = delimitedBook(numbered(6));
        book.chop(2); // the last line without its line end
        env.writeFile(QStringLiteral("b.txt"), book);
        QVERIFY(env.open(QStringLiteral("b.txt"), DataModule::DelimitedText));
        ListLab w(*env.dm);
        w.LabN_DblClick(3);
        w.M_E_Copy_Click();
        const QByteArray expected = delimitedBook({fields(1)}) + delimitedBook({fields(2)}) + delimitedBook({fields(3)}) + delimitedBook({fields(4)}) + delimitedBook({fields(4)})
            + delimitedBook({fields(5)}) + delimitedBook({fields(6)});
        QCOMPARE(env.readFile(QStringLiteral("b.txt")), expected);
        QCOMPARE(env.dm->RecordCount, 7);
        QCOMPARE(env.dm->LineIndex[6],
                 1 + (delimitedBook({fields(1)}) + delimitedBook({fields(2)}) + delimitedBook({fields(3)}) + delimitedBook({fields(4)}) + delimitedBook({fields(4)})).size());
        QCOMPARE(env.dm->LineIndex[8], expected.size() + 1);
        QCOMPARE(w.LabN[4]->text(), QStringLiteral("名前4"));
        QCOMPARE(w.LabN[6]->text(), QStringLiteral("名前6"));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::CountLabel], QStringLiteral("7"));
    }
}

void TstListLab::duplicateRefusals()
{
    // A row below the last record: list message 1, nothing changes.
    {
        TestEnv env;
        env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(13)));
        QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
        ListLab w(*env.dm);
        w.M_I_A_Click();
        QCOMPARE(w.TopRecord, 2);
        // Row 11 of page 2 is record 13; with a book cut to 12 records
        // the row would hold none.
        w.SelectedRow = 11;
        env.dm->RecordCount = 12;
        env.boxes.answer(MsgAnswerCode::Ok);
        w.M_E_Copy_Click();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].text,
                 QStringLiteral("そこにはデータはありません。\n 12以内のデータを指定してください。"));
        QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("一覧表示"));
        QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::Ok);
        QCOMPARE(env.readFile(QStringLiteral("b.kno")), fixedBook(numbered(13)));
    }
    // A text book of 1027 lines takes no more.
    {
        TestEnv env;
        const QByteArray book = delimitedBook(numbered(1027));
        env.writeFile(QStringLiteral("b.txt"), book);
        QVERIFY(env.open(QStringLiteral("b.txt"), DataModule::DelimitedText));
        QCOMPARE(env.dm->RecordCount, 1027);
        ListLab w(*env.dm);
        env.boxes.answer(MsgAnswerCode::Ok);
        w.M_E_Copy_Click();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].text, QStringLiteral("可変長ファイルのﾃﾞｰﾀ数が 1027 件に達しているため、これ以上追加できません。"));
        QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);
        QCOMPARE(env.readFile(QStringLiteral("b.txt")), book);
        QCOMPARE(env.dm->RecordCount, 1027);
    }
    // A fixed-length book of 32767 records takes no more.
    {
        TestEnv env;
        const QByteArray book = fixedBook(numbered(1)).repeated(32767);
        env.writeFile(QStringLiteral("b.kno"), book);
        QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
        ListLab w(*env.dm);
        QCOMPARE(w.VScroll1->maximum(), 32756);
        w.VScroll1->setValue(32756);
        QCOMPARE(w.LabN[11]->text(), QStringLiteral("名前1"));
        env.boxes.answer(MsgAnswerCode::Ok);
        w.M_E_Copy_Click();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].text, QStringLiteral("ﾃﾞｰﾀ数が 32767 件に達しているため、これ以上追加できません。"));
        QCOMPARE(env.readFile(QStringLiteral("b.kno")).size(), book.size());
    }
    // A failed rewrite leaves the book as it was, open, and says why.
    {
        TestEnv env;
        env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(3)));
        QVERIFY(QDir(env.dir.path()).mkdir(QStringLiteral("asdfghjk.adr")));
        QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
        ListLab w(*env.dm);
        env.boxes.answer(MsgAnswerCode::Ok);
        w.M_E_Copy_Click();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("M_E_Copy_Click"));
        QCOMPARE(env.readFile(QStringLiteral("b.kno")), fixedBook(numbered(3)));
        QCOMPARE(env.dm->RecordCount, 3);
        QCOMPARE(w.LabN[2]->text(), QStringLiteral("名前3"));
    }
    // A book the user may only read is left as it is, with its permissions.
    for (qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        TestEnv env;
        const bool fixed = format == DataModule::FixedLength;
        const QString name = fixed ? QStringLiteral("r.kno") : QStringLiteral("r.txt");
        const QByteArray book = fixed ? fixedBook(numbered(3)) : delimitedBook(numbered(3));
        env.writeFile(name, book);
        QFile::setPermissions(env.path(name), QFile::ReadOwner);
        QVERIFY(env.open(name, format));
        if (QFileInfo(env.path(name)).isWritable())
            QSKIP("running with rights that ignore file permissions");
        ListLab w(*env.dm);
        env.boxes.answer(MsgAnswerCode::Ok);
        w.M_E_Copy_Click();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("M_E_Copy_Click"));
        QCOMPARE(env.readFile(name), book);
        QCOMPARE(QFileInfo(env.path(name)).permissions() & QFile::WriteOwner, QFileDevice::Permissions());
        QCOMPARE(env.dm->RecordCount, 3);
    }
}

void TstListLab::correctionOpensTheSelectedRecord()
{
    TestEnv env;
    env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(30)));
    QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
    ListLab w(*env.dm);
    w.VScroll1->setValue(10);
    w.LabN_DblClick(3);
    QString shownName;
    QString caption;
    bool deleteHidden = false;
    env.modal.then([&](QDialog &d) {
        auto &form = static_cast<CrctData &>(d);
        shownName = form.Text0->text();
        caption = form.windowTitle();
        deleteHidden = form.Command3->isHidden();
        form.Text0->setText(QStringLiteral("直した名前"));
        form.Text2->selectAll();
        keyIn(form.Text2, QStringLiteral("９８７ー６５４３"));
        form.Command1_Click();
        form.Command4_Click();
        return QDialog::Accepted;
    });
    env.boxes.answer(MsgAnswerCode::Ok); // ファイルを更新しました。
    w.M_E_Chan_Click();
    QCOMPARE(env.modal.ran, QStringList{QStringLiteral("CrctData")});
    QCOMPARE(shownName, QStringLiteral("名前13"));
    QCOMPARE(caption, QStringLiteral("データ修正"));
    QVERIFY(deleteHidden);
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ファイルを更新しました。"));
    // Record 13 is corrected on disk and in the grid; the rest is untouched.
    QStringList corrected = fields(13);
    corrected[0] = QStringLiteral("直した名前");
    corrected[2] = QStringLiteral("987-6543");
    const QByteArray book = fixedBook(numbered(30));
    QCOMPARE(env.readFile(QStringLiteral("b.kno")),
             book.left(12 * 239) + fixedRecord(corrected) + book.mid(13 * 239));
    QCOMPARE(w.TopRecord, 10);
    QCOMPARE(w.LabN[3]->text(), QStringLiteral("直した名前"));
    // The selection is cleared; the grid is still open, so the main
    // window's menus stay locked.
    QCOMPARE(env.dm->SearchHit, 0);
    QVERIFY(!w.M_E_Chan->isEnabled());
    QVERIFY(env.mainWindow.locked);
}

void TstListLab::deleteLastRecordOfThirteen()
{
    for (qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        TestEnv env;
        const bool fixed = format == DataModule::FixedLength;
        const QString name = fixed ? QStringLiteral("b.kno") : QStringLiteral("b.txt");
        env.writeFile(name, fixed ? fixedBook(numbered(13)) : delimitedBook(numbered(13)));
        QVERIFY(env.open(name, format));
        ListLab w(*env.dm);
        w.M_I_A_Click();
        QCOMPARE(w.TopRecord, 2);
        QCOMPARE(w.VScroll1->maximum(), 2);
        w.LabN_DblClick(11);

        // Cancel: nothing happens and nothing else is shown.
        env.boxes.answer(MsgAnswerCode::Cancel);
        w.M_E_Del_Click();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].text, QStringLiteral("「名前13」を削除します。"));
        QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::OkCancel);
        QCOMPARE(env.boxes.shown[0].icon, MsgIcon::None);
        QCOMPARE(env.boxes.shown[0].caption, ProgramTitle);
        QCOMPARE(env.readFile(name), fixed ? fixedBook(numbered(13)) : delimitedBook(numbered(13)));

        env.boxes.answer(MsgAnswerCode::Ok);
        w.M_E_Del_Click();
        QCOMPARE(env.boxes.shown.size(), 2);
        QCOMPARE(env.readFile(name), fixed ? fixedBook(numbered(12)) : delimitedBook(numbered(12)));
        QCOMPARE(env.dm->RecordCount, 12);
        QCOMPARE(w.VScroll1->maximum(), 1);
        QCOMPARE(w.TopRecord, 1);
        QCOMPARE(w.LabN[11]->text(), QStringLiteral("名前12"));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::CountLabel], QStringLiteral("12"));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::FileNameLabel], name);
        QCOMPARE(env.mainWindow.labels[MainWindowLink::DateLabel], env.dm->FileDateText());
        QVERIFY(!w.M_E_Del->isEnabled());
        QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));
    }
}

void TstListLab::addThroughTheEntryForm()
{
    TestEnv env;
    env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(12)));
    QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
    ListLab w(*env.dm);
    QCOMPARE(w.VScroll1->maximum(), 1);
    env.modal.then([&](QDialog &d) {
        auto &form = static_cast<AdrsDinp &>(d);
        form.Text0->setText(QStringLiteral("新しい人"));
        // The boxes take what their input-method modes give here too.
        keyIn(form.Text1, QStringLiteral("あたらしい"));
        keyIn(form.Text2, QStringLiteral("１２３－４５６７"));
        form.Command1_Click();
        return QDialog::Accepted;
    });
    env.boxes.answer(MsgAnswerCode::Ok); // ファイルに追加しました。
    w.M_E_Add_Click();
    QCOMPARE(env.modal.ran, QStringList{QStringLiteral("AdrsDinp")});
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ファイルに追加しました。"));
    QCOMPARE(env.dm->RecordCount, 13);
    QCOMPARE(env.readFile(QStringLiteral("b.kno")),
             fixedBook(numbered(12))
                 + fixedRecord({QStringLiteral("新しい人"), QStringLiteral("ｱﾀﾗｼｲ"), QStringLiteral("123-4567")}));
    QCOMPARE(w.VScroll1->maximum(), 2);
    w.M_I_A_Click();
    QCOMPARE(w.LabN[11]->text(), QStringLiteral("新しい人"));
    QVERIFY(env.mainWindow.locked);
    w.Menu_End_Click();
    QVERIFY(!env.mainWindow.locked);
}

void TstListLab::sidewaysScrollAndNarrowWindow()
{
    TestEnv env;
    env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(3)));
    QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
    ListLab w(*env.dm);
    const int inner = w.innerWidthTwips();
    const int bar = inner - 255 - 1590;
    QVERIFY(bar > 0);
    QCOMPARE(Twips::fromPixelsX(w.HScroll1->width()), Twips::fromPixelsX(Twips::toPixelsX(bar)));
    QCOMPARE(w.HScroll1->maximum(), 26000 - bar);
    QCOMPARE(w.HScroll1->singleStep(), 480);
    QCOMPARE(w.HScroll1->pageStep(), 1440);
    QCOMPARE(w.VScroll1->x(), Twips::toPixelsX(1590 + bar));

    // The rules stand at their cells.
    const std::array<int, 8> rules = {1920, 2880, 7680, 12480, 13920, 18720, 23520, 24960};
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(w.Line[i]->x(), Twips::toPixelsX(rules[i - 1]));
    QCOMPARE(w.Lab[0]->width(), Twips::toPixelsX(26000));

    // Sideways: the wide pane moves, the name pane does not.
    w.HScroll1->setValue(4800);
    QCOMPARE(w.Pic->x(), Twips::toPixelsX(1590) - Twips::toPixelsX(4800));
    QCOMPARE(w.Picture1->x(), 0);

    // Narrower than the name pane and the vertical bar: no negative width.
    w.resize(10, w.height());
    QCOMPARE(w.width(), 10);
    w.Form_Resize();
    QCOMPARE(w.HScroll1->width(), 0);
    QCOMPARE(w.HScroll1->maximum(), 26000);
    QCOMPARE(w.VScroll1->x(), Twips::toPixelsX(1590));
    // Wider than the pane itself (a wide screen): the sideways bar has
    // nothing to scroll, and the wide pane stays beside the name pane.
    w.HScroll1->setValue(0);
    w.resize(Twips::toPixelsX(26000 + 255 + 1590 + 6000), w.height());
    w.Form_Resize();
    QCOMPARE(w.HScroll1->minimum(), 0);
    QCOMPARE(w.HScroll1->maximum(), 0);
    QCOMPARE(w.HScroll1->value(), 0);
    QCOMPARE(w.Pic->x(), Twips::toPixelsX(1590));
    // Only the width changes.
    const int height = w.height();
    w.resize(w.width() + 200, height + 300);
    QCOMPARE(w.height(), height);
}

void TstListLab::helpCloseAndMainWindowCommand()
{
    TestEnv env;
    env.dm->HelpFile = env.path(QStringLiteral("kanote.hlp"));
    env.writeFile(QStringLiteral("b.kno"), fixedBook(numbered(3)));
    QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
    {
        ListLab w(*env.dm);
        w.M_H_Use_Click();
        QCOMPARE(env.help.requests.size(), 1);
        QCOMPARE(env.help.requests[0].command, 1);
        QCOMPARE(env.help.requests[0].data, 4007);
        QCOMPARE(env.help.requests[0].helpFile, env.path(QStringLiteral("kanote.hlp")));
        QVERIFY(env.mainWindow.locked);
        env.dm->CurrentRecord = 3;
        w.Menu_End_Click();
        QVERIFY(!env.mainWindow.locked);
        QCOMPARE(env.dm->CurrentRecord, 1);
    }
    // The close box closes it as well.
    {
        ListLab w(*env.dm);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(env.mainWindow.locked);
        env.dm->CurrentRecord = 2;
        w.close();
        QVERIFY(!w.isVisible());
        QVERIFY(!env.mainWindow.locked);
        QCOMPARE(env.dm->CurrentRecord, 1);
    }
}

QTEST_MAIN(TstListLab)
#include "tst_listlab.moc"
