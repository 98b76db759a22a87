// Only one copy runs: a second lock on the same file fails until the first is
// gone, and what a second start hands over reaches the running copy whole.
#include "platform/singleinstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceIsRefusedUntilTheFirstEnds();
    void handOverReachesTheRunningCopy_data();
    void handOverReachesTheRunningCopy();
};

void TestSingleInstance::secondInstanceIsRefusedUntilTheFirstEnds()
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("kanote"));
    {
        SingleInstance first(base);
        QVERIFY(first.acquire());
        QVERIFY(QFileInfo::exists(base + QStringLiteral(".lock")));
        SingleInstance second(base);
        QVERIFY(!second.acquire());
    }
    SingleInstance later(base);
    QVERIFY(later.acquire());
    QVERIFY(SingleInstance::defaultBasePath().startsWith(QDir::tempPath()));
}

void TestSingleInstance::handOverReachesTheRunningCopy_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("a file") << QStringLiteral("住所録 2024.kno");
    QTest::newRow("a quoted file") << QStringLiteral("\"/tmp/a b.kno\"");
    QTest::newRow("nothing") << QString();
}

void TestSingleInstance::handOverReachesTheRunningCopy()
{
    QFETCH(QString, commandLine);
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("kanote"));
    SingleInstance running(base);
    QSignalSpy handed(&running, &SingleInstance::handedOver);
    QVERIFY(running.acquire());
    SingleInstance second(base);
    QVERIFY(!second.acquire());
    QVERIFY(second.handOver(QStringLiteral("/home/ユーザー"), commandLine));
    QTRY_COMPARE(handed.size(), 1);
    QCOMPARE(handed[0][0].toString(), QStringLiteral("/home/ユーザー"));
    QCOMPARE(handed[0][1].toString(), commandLine);
    // A socket left by a copy that crashed is taken over by the next one.
    SingleInstance stale(dir.filePath(QStringLiteral("other")));
    QFile leftover(dir.filePath(QStringLiteral("other.socket")));
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    QVERIFY(stale.acquire());
    QVERIFY(SingleInstance(dir.filePath(QStringLiteral("other"))).handOver(QStringLiteral("/"), QString()));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
