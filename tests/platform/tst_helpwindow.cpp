// The help file shipped beside the program and the help window that shows it.
#include "platform/helpfile.h"
#include "platform/helpwindow.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void shippedFileHasContentsKeywordsAndContextTopics();
    void windowAnswersEachRequest();
};

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

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
