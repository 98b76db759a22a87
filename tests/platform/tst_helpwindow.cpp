// The help file shipped beside the program and the help window that shows it.
#include "platform/fonts.h"
#include "platform/helpfile.h"
#include "platform/helpwindow.h"
#include "platform/modalrunner.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void shippedFileHasContentsKeywordsAndContextTopics();
    void pagesShowOnlyTheBlanksWritten();
    void namesTheFontsReallyUsed();
    void windowAnswersEachRequest();
    void keywordSearch();
    void worksBesideAModalWindow();
};

namespace {

QString shippedFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kanote.hlp"));
}

HelpWindow *openWindow(HelpSystem &system, int command, int data = 0)
{
    system.request(nullptr, shippedFile(), command, data, QString());
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *h = qobject_cast<HelpWindow *>(w))
            if (h->isVisible())
                return h;
    return nullptr;
}

QString titleOf(const QString &id)
{
    HelpFile help;
    help.load(shippedFile());
    const HelpTopic *topic = help.topic(id);
    return topic ? topic->title : QString();
}

} // namespace

void TestHelpWindow::shippedFileHasContentsKeywordsAndContextTopics()
{
    // The build puts the help file beside every program it makes.
    const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kanote.hlp"));
    HelpFile help;
    QVERIFY2(help.load(installed), qPrintable(installed));
    for (const char *id : {"contents", "4007", "4009"}) {
        const HelpTopic *topic = help.topic(QString::fromLatin1(id));
        QVERIFY2(topic, id);
        QVERIFY(!topic->title.isEmpty());
        QVERIFY(!topic->keywords.isEmpty());
    }
    QVERIFY(help.topic(QStringLiteral("4007"))->body.contains(QStringLiteral("一覧表示")));
    QVERIFY(help.topic(QStringLiteral("4009"))->body.contains(QStringLiteral("葉書")));
    // Every command of the menus is described somewhere.
    QString all;
    for (const HelpTopic &t : help.topics)
        all += t.body;
    for (const char *command : {"新規作成", "開く", "閉じる", "名前を付けて保存", "項目選択定義", "オプション",
                                "終了", "追加", "修正", "削除", "ﾃﾞｰﾀ変換", "並び換え", "検索", "一覧表示",
                                "葉書宛名印刷", "一覧印刷", "デバッグ", "ﾊﾞｰｼﾞｮﾝ情報"})
        QVERIFY2(all.contains(QString::fromUtf8(command)), command);
    // Every link leads to a topic.
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    for (const HelpTopic &t : help.topics)
        for (auto it = link.globalMatch(t.body); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(help.topic(target), qPrintable(t.id + QStringLiteral(" -> ") + target));
        }
}

void TestHelpWindow::pagesShowOnlyTheBlanksWritten()
{
    const HelpFile help = HelpFile::parse(QStringLiteral(
        "@topic a 題\n<p>一行目の文で、\n二行目に続きます。\n<b>太字</b>\nのあとも。\nEnglish\nwords［開　く］</p>\n"));
    QTextDocument page;
    page.setHtml(help.topic(QStringLiteral("a"))->body);
    QCOMPARE(page.toRawText().trimmed(), QStringLiteral("一行目の文で、二行目に続きます。太字のあとも。English words［開　く］"));

    // The shipped file: a blank between two Japanese characters on a page
    // is one that the file writes on one line ("ＭＳ 明朝", quoted messages),
    // never a line break.
    QFile file(shippedFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString source = QString::fromUtf8(file.readAll()).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    HelpFile shipped;
    QVERIFY(shipped.load(shippedFile()));
    const QRegularExpression blank(QStringLiteral("([^\\x00-\\x7F]) ([^\\x00-\\x7F])"));
    for (const HelpTopic &t : shipped.topics) {
        page.setHtml(t.body);
        // Full-width blanks as they are; paragraphs on lines of their own.
        const QString text = page.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'))
                                 .replace(QChar::LineSeparator, QLatin1Char('\n'));
        for (auto it = blank.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QString around = text.mid(qMax<qsizetype>(0, m.capturedStart() - 10), 24)
                                       .replace(QLatin1Char('\n'), QLatin1Char('/'));
            QVERIFY2(source.contains(m.captured(0)), qPrintable(t.id + QStringLiteral(": ") + around));
        }
    }
}

// The help names the fonts the program gets on this system for the names
// its texts use.
void TestHelpWindow::namesTheFontsReallyUsed()
{
    Fonts::installSubstitutions();
    HelpFile help;
    QVERIFY(help.load(shippedFile()));
    const HelpTopic *fonts = help.topic(QStringLiteral("fonts"));
    QVERIFY(fonts);
    for (const QString &name : {Fonts::Mincho, Fonts::Gothic}) {
        const QString used = QFontInfo(Fonts::make(name, 12)).family();
        QVERIFY2(used.startsWith(QStringLiteral("IPA")), qPrintable(name + QStringLiteral(" -> ") + used));
        QVERIFY2(fonts->body.contains(used), qPrintable(used));
        QCOMPARE(QFont::substitute(name).toLower(), used.toLower());
    }
    QVERIFY(help.topic(QStringLiteral("options"))->body.contains(QStringLiteral("IPAMincho")));
}

void TestHelpWindow::windowAnswersEachRequest()
{
    const QString file = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kanote.hlp"));
    QtHelpSystem qtHelp;
    HelpSystem &system = qtHelp;
    system.request(nullptr, file, 1, 4007);
    HelpWindow *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *h = qobject_cast<HelpWindow *>(w))
            window = h;
    QVERIFY(window);
    QVERIFY(window->isVisible());
    HelpFile help;
    QVERIFY(help.load(file));
    QVERIFY(window->page->toPlainText().contains(help.topic(QStringLiteral("4007"))->title));

    system.request(nullptr, file, 0x105, 0, QStringLiteral("印刷"));
    QCOMPARE(window->keyword->text(), QStringLiteral("印刷"));
    QVERIFY(window->index->count() > 0);
    for (int i = 0; i < window->index->count(); ++i)
        QVERIFY(window->index->item(i)->text().contains(QStringLiteral("印刷")));

    system.request(nullptr, file, 3);
    QVERIFY(window->page->toPlainText().contains(help.topic(QStringLiteral("contents"))->title));

    system.request(nullptr, file, 2);
    QTRY_VERIFY(QApplication::topLevelWidgets().indexOf(window) < 0 || !window->isVisible());
}

void TestHelpWindow::keywordSearch()
{
    // Each keyword once, with the topics that name it in file order.
    const QList<HelpKeyword> index = HelpFile::parse(QStringLiteral(
        "@topic a 一\n@keywords 印刷;フォント;印刷\n@topic b 二\n@keywords フォント;検索\n")).keywordIndex();
    QCOMPARE(index.size(), 3);
    QCOMPARE(index[0].word, QStringLiteral("フォント"));
    QCOMPARE(index[0].topicIds, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(index[1].topicIds, QStringList{QStringLiteral("a")});

    QtHelpSystem system;
    HelpWindow *window = openWindow(system, HelpCommand::PartialKey);
    QVERIFY(window);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QVERIFY(window->keyword->hasFocus());
    QStringList shown;
    for (int i = 0; i < window->index->count(); ++i)
        shown << window->index->item(i)->text();
    QVERIFY(shown.size() > 100);
    QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), shown.size());
    // Typing marks the first keyword that holds the text; Enter opens it.
    window->keyword->setText(QStringLiteral("一覧表示の"));
    QCOMPARE(window->index->currentItem()->text(), QStringLiteral("一覧表示の使い方"));
    QTest::keyClick(window->keyword, Qt::Key_Return);
    QVERIFY(window->page->toPlainText().startsWith(titleOf(QStringLiteral("4007"))));
    // A keyword of several topics opens a page of links to each.
    window->keyword->setText(QStringLiteral("フォント"));
    QTest::keyClick(window->keyword, Qt::Key_Return);
    for (const char *id : {"options", "4009", "listprint"})
        QVERIFY2(window->page->toHtml().contains(QStringLiteral("#%1\"").arg(QLatin1String(id))), id);
    // Down goes to the index and opens the marked topic; moving on opens the next.
    window->keyword->setText(QStringLiteral("印刷"));
    QTest::keyClick(window->keyword, Qt::Key_Down);
    QVERIFY(window->index->hasFocus());
    for (int row : {0, 1}) {
        if (row > 0)
            QTest::keyClick(window->index, Qt::Key_Down);
        QCOMPARE(window->index->currentRow(), row);
        const QString id = window->index->item(row)->data(Qt::UserRole).toStringList().first();
        QVERIFY(window->page->toPlainText().contains(titleOf(id)));
    }
    QTest::keyClick(window->index, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
}

// Opened from a modal window (the list view's 使い方), the help window takes
// keys and the mouse while that window stays open.
void TestHelpWindow::worksBesideAModalWindow()
{
    QWidget main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QDialog list(&main);
    QtHelpSystem system;
    HelpWindow *window = nullptr;
    QString typed;
    bool scrolled = false;
    bool linkFollowed = false;
    QTimer::singleShot(0, &list, [&] {
        window = openWindow(system, HelpCommand::Contents);
        if (window && QTest::qWaitForWindowActive(window)) {
            // Keys and the mouse through the window system, as the user works them.
            window->keyword->setFocus();
            for (Qt::Key key : {Qt::Key_F, Qt::Key_O, Qt::Key_N})
                QTest::keyClick(window->windowHandle(), key);
            typed = window->keyword->text();
            window->page->setFocus();
            QTest::keyClick(window->windowHandle(), Qt::Key_PageDown);
            scrolled = window->page->verticalScrollBar()->value() > 0;
            window->page->verticalScrollBar()->setValue(0);
            const QRect link = window->page->cursorRect(window->page->document()->find(QStringLiteral("ツールバー")));
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              window->page->viewport()->mapTo(window, link.center() - QPoint(link.width() / 2 + 4, 0)));
            linkFollowed = window->page->toPlainText().startsWith(titleOf(QStringLiteral("toolbar")));
        }
        list.reject();
    });
    QtModalRunner runner;
    runner.run(list);
    QVERIFY(window);
    QCOMPARE(typed, QStringLiteral("fon"));
    QVERIFY(scrolled);
    QVERIFY(linkFollowed);
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
