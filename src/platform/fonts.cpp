#include "platform/fonts.h"

namespace Fonts {

void installSubstitutions()
{
    QFont::insertSubstitution(Mincho, QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(Gothic, QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

QFont make(const QString &family, qreal pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace Fonts
