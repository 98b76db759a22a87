#include "support/cardbook.h"

#include "support/testenv.h"

#include "store/settingsfile.h"

void useFactoryLayout(TestEnv &env)
{
    SettingsFile::applyFirstRun(env.dm->Settings, env.dir.path(), QDate(2026, 1, 1), LayoutDefaults::factory());
}

bool openCardBook(TestEnv &env, int count, const QStringList &marks)
{
    QByteArray book;
    const QString digits = QStringLiteral("０１２３４５６７８９");
    for (int n = 1; n <= count; ++n)
        book += TestEnv::record({QStringLiteral("名前%1").arg(digits[n % 10]), QStringLiteral("ﾅﾏｴ"),
                                 QStringLiteral("%1-4567").arg(100 + n),
                                 QStringLiteral("東京都港区芝%1－１").arg(digits[n % 10]), QString(), QString(),
                                 QString(), QString(), QString(), n - 1 < marks.size() ? marks[n - 1] : QString()});
    env.writeFile(QStringLiteral("a.kno"), book);
    return env.open(QStringLiteral("a.kno"), DataModule::FixedLength);
}
