#include "edit/searchtyping.h"

#include "platform/kana.h"

namespace SearchTyping {

QString comparable(const QString &text)
{
    // The conversion also turns the ideographic blank into a half-width one.
    QString folded = Kana::toHalfWidthKatakana(text).toCaseFolded();
    folded.remove(QLatin1Char(' '));
    return folded;
}

int firstEntryBeginningWith(const QString &typed, const QStringList &entries)
{
    const QString prefix = comparable(typed);
    if (prefix.isEmpty())
        return -1;
    for (int i = 0; i < entries.size(); ++i) {
        if (comparable(entries[i]).startsWith(prefix))
            return i;
    }
    return -1;
}

} // namespace SearchTyping

QString TypedPrefix::add(const QString &text, qint64 nowMs)
{
    if (typed.isEmpty() || nowMs - lastMs >= PauseMs || nowMs < lastMs)
        typed.clear();
    typed += text;
    lastMs = nowMs;
    return typed;
}
