#include "exchange/columnrole.h"

#include <QRegularExpression>

namespace ColumnRoles {

GroupKind kindOf(const QString &typeText)
{
    // "* Home", "home,voice", "Home Fax", "自宅", "勤務先" ...
    static const QRegularExpression separators(QStringLiteral("[\\s,;:*/・]+"));
    // A kind is named in a word or two: a long cell is looked at by its
    // beginning only, so that normalising it never takes long.
    const QStringList words = typeText.left(64).normalized(QString::NormalizationForm_KC).toLower()
                                  .split(separators, Qt::SkipEmptyParts);
    static const QStringList notUsable = {QStringLiteral("fax"), QStringLiteral("pager"),
                                          QStringLiteral("ファックス"), QStringLiteral("ポケベル"),
                                          QStringLiteral("ポケットベル"), QStringLiteral("自宅fax"),
                                          QStringLiteral("会社fax"), QStringLiteral("勤務先fax")};
    static const QStringList home = {QStringLiteral("home"), QStringLiteral("自宅"), QStringLiteral("個人"),
                                     QStringLiteral("personal")};
    static const QStringList work = {QStringLiteral("work"), QStringLiteral("business"),
                                     QStringLiteral("office"), QStringLiteral("勤務先"),
                                     QStringLiteral("会社"), QStringLiteral("職場"), QStringLiteral("仕事")};
    for (const QString &w : words)
        if (notUsable.contains(w))
            return GroupKind::NotUsable;
    for (const QString &w : words)
        if (home.contains(w))
            return GroupKind::Home;
    for (const QString &w : words)
        if (work.contains(w))
            return GroupKind::Work;
    return GroupKind::Other;
}

} // namespace ColumnRoles
