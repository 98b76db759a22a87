// KANOTE.DAT: the exact 1024-byte layout, first-run defaults, the checks and
// upgrades of a loaded file, and files of any length.
#include "support/testenv.h"

#include "store/settingsfile.h"

#include "platform/codec.h"

#include <QtEndian>
#include <QtTest>
#include <cstring>
#include <unistd.h>

namespace {
qint16 int16At(const QByteArray &b, int offset) { return qFromLittleEndian<qint16>(b.constData() + offset); }
float floatAt(const QByteArray &b, int offset)
{
    const quint32 bits = qFromLittleEndian<quint32>(b.constData() + offset);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void firstRunBytes();
    void everyValueRoundTripsAndUnusedBytesAreKept();
    void olderVersionsGetLayoutDefaults();
    void checksRepairFolderDateAndDelimiter();
    void filesOfAnyLength();
    void unwritableProgramFolderUsesConfigFolder();
};

void TestSettings::firstRunBytes()
{
    TestEnv env;
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, QStringLiteral("/home/user/住所"), QDate(2026, 3, 9), LayoutDefaults::factory());
    s.SettingsVersion = SettingsRecord::CurrentVersion;
    const QByteArray b = s.toBytes();
    QCOMPARE(b.size(), 1024);
    QCOMPARE(b.mid(0, 41), Cp932::encode(QStringLiteral("/home/user/住所")) + QByteArray(41 - 15, ' '));
    QCOMPARE(b.at(41), ' ');
    QCOMPARE(int16At(b, 42), qint16(1));
    QCOMPARE(int16At(b, 44), qint16(-1));
    QCOMPARE(int16At(b, 46), qint16(152));
    QCOMPARE(int16At(b, 48), qint16(482));
    QCOMPARE(int16At(b, 50), qint16(1));
    QCOMPARE(int16At(b, 52), qint16(1));
    QCOMPARE(int16At(b, 54), qint16(0));
    QCOMPARE(b.mid(56, 42), QByteArray(42, '\0'));
    QCOMPARE(b.mid(98, 10), QByteArray("03-09-2026"));
    QCOMPARE(int16At(b, 108), qint16(-98));
    QCOMPARE(int16At(b, 110), qint16(0));
    QCOMPARE(int16At(b, 112), qint16(10414));
    QCOMPARE(int16At(b, 114), qint16(-5));
    QCOMPARE(floatAt(b, 116), 10.5f);
    QCOMPARE(b.mid(120, 30), QByteArray("\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9") + QByteArray(21, ' '));
    QCOMPARE(b.mid(150, 104), QByteArray(104, ' '));
    QCOMPARE(int16At(b, 254), qint16(0));
    QCOMPARE(int16At(b, 256), qint16(300));     // LayoutTop[0]
    QCOMPARE(int16At(b, 296), qint16(860));     // LayoutLeft[0]
    QCOMPARE(int16At(b, 256 + 2 * 17), qint16(1400)); // LayoutTop[17]
    QCOMPARE(int16At(b, 296 + 2 * 15), qint16(100));  // LayoutLeft[15]
    QCOMPARE(int16At(b, 256 + 2 * 9), qint16(0));
    QCOMPARE(floatAt(b, 336 + 4 * 2), 24.0f);
    QCOMPARE(floatAt(b, 336 + 4 * 12), 18.0f);
    QCOMPARE(floatAt(b, 336 + 4 * 9), 0.0f);
    QCOMPARE(b.mid(416 + 30 * 18, 9), QByteArray("\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9"));
    QCOMPARE(b.mid(416 + 30 * 9, 30), QByteArray(30, ' '));
    QCOMPARE(b.mid(1016, 8), QByteArray(8, ' '));
}

void TestSettings::everyValueRoundTripsAndUnusedBytesAreKept()
{
    QByteArray original(1024, '\0');
    for (int i = 0; i < 1024; ++i)
        original[i] = static_cast<char>(0x20 + (i % 90));
    // Reserved areas hold whatever another version wrote there.
    const SettingsRecord s = SettingsRecord::fromBytes(original);
    QCOMPARE(s.toBytes().mid(150, 104), original.mid(150, 104));
    QCOMPARE(s.toBytes().mid(1016, 8), original.mid(1016, 8));

    SettingsRecord t;
    t.PrintMark = QStringLiteral("A");
    t.SenderNumber = 3;
    t.SelectionCount = 2;
    t.SelectionOrder[1] = 2;
    t.SelectionOrder[20] = 11;
    t.DebugMode = 1;
    t.KanjiDigitsOff = 1;
    t.ListFontSize = 12.25f;
    t.FontName[19] = QStringLiteral("IPAGothic");
    t.LayoutLeft[19] = -7;
    const SettingsRecord u = SettingsRecord::fromBytes(t.toBytes());
    QCOMPARE(u.toBytes(), t.toBytes());
    QCOMPARE(u.PrintMark, QStringLiteral("A"));
    QCOMPARE(u.SelectionOrder[20], qint16(11));
    QCOMPARE(int16At(t.toBytes(), 56 + 40), qint16(11));
    QCOMPARE(u.ListFontSize, 12.25f);
    QCOMPARE(u.FontName[19], QStringLiteral("IPAGothic"));
    QCOMPARE(u.LayoutLeft[19], qint16(-7));
}

void TestSettings::olderVersionsGetLayoutDefaults()
{
    TestEnv env;
    const LayoutDefaults defaults = LayoutDefaults::factory();
    for (const qint16 version : {qint16(0), qint16(1), qint16(10409), qint16(10410)}) {
        SettingsRecord s;
        s.LastFolder = env.dir.path();
        s.FirstUseDate = QStringLiteral("01-02-2003");
        s.SettingsVersion = version;
        s.PostalTop = 99;
        s.PostalLeft = 98;
        s.PrintOffset = 3;
        s.FontSize[0] = 40;
        s.FontName[0] = QStringLiteral("Other");
        s.LayoutTop[3] = 1;
        s.ListFontName = QStringLiteral("Mine");
        SettingsFile::checkAndUpgrade(s, env.dir.path(), QDate(2026, 1, 1), defaults);
        if (version < 10410) {
            QCOMPARE(s.FontSize[0], 18.0f);
            QCOMPARE(s.FontName[0], QStringLiteral("ＭＳ 明朝"));
            QCOMPARE(s.LayoutTop[3], qint16(340));
            QCOMPARE(s.ListFontName, QStringLiteral("ＭＳ 明朝"));
        } else {
            QCOMPARE(s.FontSize[0], 40.0f);
            QCOMPARE(s.LayoutTop[3], qint16(1));
        }
        const bool stampZero = version < 1;
        QCOMPARE(s.PostalTop, stampZero ? qint16(152) : qint16(99));
        QCOMPARE(s.PostalLeft, stampZero ? qint16(482) : qint16(98));
        QCOMPARE(s.PrintOffset, stampZero ? qint16(-5) : qint16(3));
        QCOMPARE(s.FirstUseDate, QStringLiteral("01-02-2003"));
    }
}

void TestSettings::checksRepairFolderDateAndDelimiter()
{
    TestEnv env;
    QDir(env.dir.path()).mkdir(QStringLiteral("gone"));
    SettingsRecord s;
    s.LastFolder = env.path(QStringLiteral("gone"));
    s.FirstUseDate = QStringLiteral("13-45-2020");
    s.SettingsVersion = 10414;
    QDir(env.dir.path()).rmdir(QStringLiteral("gone"));
    SettingsFile::checkAndUpgrade(s, env.dir.path(), QDate(2026, 12, 8), LayoutDefaults::factory());
    QCOMPARE(s.LastFolder, env.dir.path());
    QCOMPARE(s.FirstUseDate, QStringLiteral("12-08-2026"));
    QCOMPARE(QDir::currentPath(), env.dir.path());

    // An existing folder becomes the current one.
    QDir(env.dir.path()).mkdir(QStringLiteral("kept"));
    s.LastFolder = env.path(QStringLiteral("kept"));
    SettingsFile::checkAndUpgrade(s, env.dir.path(), QDate(2026, 12, 8), LayoutDefaults::factory());
    QCOMPARE(QDir::currentPath(), env.path(QStringLiteral("kept")));
    // Only half-width blanks are trimmed: a full-width one ends the name.
    const QString wide = QStringLiteral("住所\u3000");
    QDir(env.dir.path()).mkdir(wide);
    s.LastFolder = env.path(wide);
    SettingsFile::checkAndUpgrade(s, env.dir.path(), QDate(2026, 12, 8), LayoutDefaults::factory());
    QCOMPARE(s.LastFolder, env.path(wide));
    QCOMPARE(QDir::currentPath(), env.path(wide));
    QDir::setCurrent(env.dir.path());

    qint16 code = 7;
    QCOMPARE(SettingsFile::delimiterFor(code), QLatin1Char(';'));
    QCOMPARE(code, qint16(1));
    code = 3;
    QCOMPARE(SettingsFile::delimiterFor(code), QLatin1Char('\t'));
    QCOMPARE(SettingsFile::delimiterName(2), QStringLiteral("(ｺﾝﾏ)"));
}

void TestSettings::filesOfAnyLength()
{
    TestEnv env;
    bool empty = false;
    const QString path = env.path(QStringLiteral("KANOTE.DAT"));
    SettingsRecord s = SettingsFile::read(path, &empty);
    QVERIFY(empty);
    QVERIFY(QFile::exists(path)); // a missing file is created empty
    QCOMPARE(s.SenderNumber, qint16(0));

    QByteArray shortFile(50, '\0');
    qToLittleEndian<qint16>(5, shortFile.data() + 42);
    env.writeFile(QStringLiteral("KANOTE.DAT"), shortFile);
    s = SettingsFile::read(path, &empty);
    QVERIFY(!empty);
    QCOMPARE(s.SenderNumber, qint16(5));
    QCOMPARE(s.DebugMode, qint16(0));
    QCOMPARE(s.ListFontName, QString());

    env.writeFile(QStringLiteral("KANOTE.DAT"), QByteArray(5000, '\xff'));
    s = SettingsFile::read(path, &empty);
    QCOMPARE(s.SenderNumber, qint16(-1));
    SettingsFile::write(path, s);
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")).size(), 1024);
}

void TestSettings::unwritableProgramFolderUsesConfigFolder()
{
    TestEnv env;
    QCOMPARE(SettingsFile::locate(env.dir.path()), env.path(QStringLiteral("KANOTE.DAT")));
    QStandardPaths::setTestModeEnabled(true);
    // A program folder that cannot take the file sends it to the configuration folder.
    env.writeFile(QStringLiteral("plainfile"), "x");
    const QString impossible = env.path(QStringLiteral("plainfile/bin"));
    const QString config = SettingsFile::locate(impossible);
    QCOMPARE(config, QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                         .filePath(QStringLiteral("KANOTE.DAT")));
    QVERIFY(QFileInfo(QFileInfo(config).path()).isDir());
    if (::geteuid() == 0)
        QSKIP("root can write into any folder: the permission case needs an ordinary user");
    const QString locked = env.path(QStringLiteral("locked"));
    QDir().mkdir(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString where = SettingsFile::locate(locked);
    QVERIFY(!where.startsWith(locked));
    QVERIFY(where.endsWith(QStringLiteral("/KANOTE.DAT")));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
