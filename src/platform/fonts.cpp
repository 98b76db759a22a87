#include "platform/fonts.h"

namespace Fonts {

void installSubstitutions()
{
    QFont::insertSubstitution(Mincho, QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(Gothic, QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    // The other names the list-print font may carry.
    QFont::insertSubstitution(QStringLiteral("明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("標準明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("標準ゴシック"), QStringLiteral("IPAGothic"));
}

QFont make(const QString &family, qreal pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace Fonts
