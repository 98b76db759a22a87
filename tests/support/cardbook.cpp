#include "support/cardbook.h"

#include "support/books.h"

#include "store/settingsfile.h"

namespace {
QString fullWidth(int n)
{
    QString out;
    for (const QChar c : QString::number(n))
        out += QChar(0xFF10 + (c.unicode() - u'0'));
    return out;
}
} // namespace

QString cardBookName(int n)
{
    return QStringLiteral("名前") + fullWidth(n);
}

bool openCardBook(TestEnv &env, int count, const QStringList &marks, const QMap<int, QString> &names)
{
    QByteArray book;
    for (int n = 1; n <= count; ++n)
        book += fixedRecord({names.value(n, cardBookName(n)), QStringLiteral("ﾅﾏｴ"),
                                 QStringLiteral("%1-4567").arg(100 + n),
                                 QStringLiteral("東京都港区芝%1－１").arg(fullWidth(n)),
                                 QStringLiteral("コーポ%1").arg(n), QString(), QString(), QString(), QString(),
                                 marks.value(n - 1)});
    env.writeFile(QStringLiteral("a.kno"), book);
    return env.open(QStringLiteral("a.kno"), DataModule::FixedLength);
}

void useFactorySettings(TestEnv &env)
{
    SettingsFile::applyFirstRun(env.dm->Settings, env.dir.path(), QDate(2026, 1, 1), LayoutDefaults::factory());
}
