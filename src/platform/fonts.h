#pragma once
// The program's texts name the Windows fonts "ＭＳ 明朝" and "ＭＳ ゴシック";
// here they are drawn with the IPA fonts of the same metrics. Stored font
// names stay as the user chose them.
#include <QFont>
#include <QString>

namespace Fonts {
inline const QString Mincho = QStringLiteral("ＭＳ 明朝");
inline const QString Gothic = QStringLiteral("ＭＳ ゴシック");
void installSubstitutions();
// A font of the given family and point size.
QFont make(const QString &family, qreal pointSize = 9);
} // namespace Fonts
