// Whole-file rewrites: the new book replaces the old one in one step, a
// leftover temporary file contributes nothing, and a read-only book stays.
#include "support/testenv.h"
#include "support/books.h"

#include "store/recordstore.h"
#include "store/tempfile.h"

#include "platform/runerror.h"

#include <QtTest>

class TestTempFile : public QObject {
    Q_OBJECT
private slots:
    void replacesTheTargetWithWhatWasWritten();
    void readOnlyBookIsNeverReplaced();
    void linkedBookIsReplacedBehindItsLink();
};

void TestTempFile::linkedBookIsReplacedBehindItsLink()
{
    TestEnv env;
    QDir().mkdir(env.path(QStringLiteral("real")));
    env.writeFile(QStringLiteral("real/book.kno"), QByteArray("old"));
    QVERIFY(QFile::link(env.path(QStringLiteral("real/book.kno")), env.path(QStringLiteral("link.kno"))));
    {
        TempFile temp(env.path(QStringLiteral("real/Temp.adr")));
        temp.write(QByteArray("new"));
        temp.commitOver(env.path(QStringLiteral("link.kno")));
    }
    QVERIFY(QFileInfo(env.path(QStringLiteral("link.kno"))).isSymLink());
    QCOMPARE(env.readFile(QStringLiteral("real/book.kno")), QByteArray("new"));
    QCOMPARE(env.readFile(QStringLiteral("link.kno")), QByteArray("new"));
}

void TestTempFile::replacesTheTargetWithWhatWasWritten()
{
    TestEnv env;
    env.writeFile(QStringLiteral("book.kno"), QByteArray("old contents"));
    env.writeFile(QStringLiteral("Temp.adr"), QByteArray("left over from an earlier run"));
    {
        TempFile temp(env.path(QStringLiteral("Temp.adr")));
        temp.write(QByteArray("new"));
        QCOMPARE(temp.pos(), qint64(3));
        temp.commitOver(env.path(QStringLiteral("book.kno")));
    }
    QCOMPARE(env.readFile(QStringLiteral("book.kno")), QByteArray("new"));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));

    // Not committed: the temporary file goes, the target stays.
    {
        TempFile temp(env.path(QStringLiteral("Temp.adr")));
        temp.write(QByteArray("half"));
    }
    QCOMPARE(env.readFile(QStringLiteral("book.kno")), QByteArray("new"));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));
}

void TestTempFile::readOnlyBookIsNeverReplaced()
{
    TestEnv env;
    const QByteArray two = fixedRecord({QStringLiteral("一")}) + fixedRecord({QStringLiteral("二")});
    env.writeFile(QStringLiteral("book.kno"), two);
    QVERIFY(QFile::setPermissions(env.path(QStringLiteral("book.kno")),
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    {
        TempFile temp(env.path(QStringLiteral("Temp.adr")));
        temp.write(QByteArray("new"));
        QVERIFY_THROWS_EXCEPTION(RunError, temp.commitOver(env.path(QStringLiteral("book.kno"))));
    }
    QCOMPARE(env.readFile(QStringLiteral("book.kno")), two);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));

    // Deleting a record of a read-only book is refused; the book keeps both.
    QVERIFY(env.open(QStringLiteral("book.kno"), DataModule::FixedLength));
    QCOMPARE(env.dm->RecordCount, qint16(2));
    env.dm->CurrentRecord = 1;
    QVERIFY_THROWS_EXCEPTION(RunError, DeleteCurrent(*env.dm));
    QCOMPARE(env.readFile(QStringLiteral("book.kno")), two);
    QCOMPARE(env.dm->RecordCount, qint16(2));
    QFile::setPermissions(env.path(QStringLiteral("book.kno")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QTEST_GUILESS_MAIN(TestTempFile)
#include "tst_tempfile.moc"
