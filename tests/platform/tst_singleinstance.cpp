// Only one copy runs: a second lock on the same file fails until the first is gone.
#include "platform/singleinstance.h"

#include <QTemporaryDir>
#include <QtTest>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceIsRefusedUntilTheFirstEnds();
};

void TestSingleInstance::secondInstanceIsRefusedUntilTheFirstEnds()
{
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("kanote.lock"));
    {
        SingleInstance first(lock);
        QVERIFY(first.acquire());
        SingleInstance second(lock);
        QVERIFY(!second.acquire());
    }
    SingleInstance later(lock);
    QVERIFY(later.acquire());
    QVERIFY(SingleInstance::defaultLockPath().startsWith(QDir::tempPath()));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
