#include "print/layoutvalues.h"

#include "store/blanks.h"

#include <QRegularExpression>

namespace Layout {

QStringList honorificList()
{
    return {QStringLiteral("様"), QStringLiteral("殿"), QStringLiteral("御中"), QStringLiteral("なし")};
}

QString honorificText(int honorificIndex)
{
    switch (honorificIndex) {
    case 2: return QStringLiteral("殿");
    case 3: return QStringLiteral("御 中");
    case 4: return QStringLiteral(" ");
    default: return QStringLiteral("様");
    }
}

QString spacingFor(int direction)
{
    return direction == Horizontal ? QStringLiteral(" ") : QString(QChar(0x3000));
}

QString millimetreText(int tenths)
{
    QString text = QString::number(tenths / 10.0, 'f', 1);
    if (text.endsWith(QStringLiteral(".0")))
        text.chop(2);
    return text;
}

QString pointText(double points)
{
    // Sizes are kept as single-precision numbers: six digits show them as chosen.
    return QString::number(points, 'g', 6);
}

std::optional<qint16> parseCorrection(const QString &text, int maxTenths)
{
    QString ascii;
    for (const QChar c : trimBlanks(text)) {
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            ascii += QChar(u'0' + (c.unicode() - 0xFF10));
        else if (c == QChar(0xFF0E))
            ascii += QLatin1Char('.');
        else
            ascii += c;
    }
    static const QRegularExpression number(QStringLiteral("^(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)$"));
    if (!number.match(ascii).hasMatch())
        return std::nullopt;
    const double millimetres = ascii.toDouble();
    if (millimetres * 10 > maxTenths + 0.5)
        return std::nullopt;
    const int tenths = qRound(millimetres * 10);
    if (tenths < 0 || tenths > maxTenths)
        return std::nullopt;
    return static_cast<qint16>(tenths);
}

namespace {

struct GroupDesign {
    const char *caption;
    int firstItem;
};
// Indexed by group - FirstGroup.
constexpr std::array<GroupDesign, 4> Groups = {{
    {"氏名ﾌｫﾝﾄ", Name1},
    {"住所ﾌｫﾝﾄ", Address1},
    {"差名ﾌｫﾝﾄ", SenderName1},
    {"差住ﾌｫﾝﾄ", SenderAddress1},
}};

const GroupDesign &design(int group)
{
    return Groups[qBound(FirstGroup, group, LastGroup) - FirstGroup];
}

template <typename T>
T bounded(T value, int low, int high)
{
    return static_cast<T>(qBound(low, int(value), high));
}

} // namespace

QString fontButtonCaption(int group)
{
    return QString::fromUtf8(design(group).caption);
}

int fontEntry(int group, int direction)
{
    return design(group).firstItem + base(direction);
}

int groupOfItem(int item)
{
    for (int group = FirstGroup; group <= LastGroup; ++group)
        if (design(group).firstItem == (item & ~1))
            return group;
    return FirstGroup;
}

FontLabel fontLabel(const SettingsRecord &settings, int group, int direction)
{
    const int entry = fontEntry(group, direction);
    return {trimRightBlanks(settings.FontName[entry]), pointText(settings.FontSize[entry])};
}

void storeGroupFont(SettingsRecord &settings, int group, int direction, const QString &name,
                    double points)
{
    const int entry = fontEntry(group, direction);
    for (int e : {entry, entry + 1}) {
        settings.FontName[e] = name;
        settings.FontSize[e] = static_cast<float>(points);
    }
}

DialogStart loadDialogValues(SettingsRecord &settings, int recordCount)
{
    if (settings.SenderNumber < 0 || settings.SenderNumber > recordCount)
        settings.SenderNumber = 1;
    settings.PostalTop = bounded(settings.PostalTop, 0, PostalTopMax);
    settings.PostalLeft = bounded(settings.PostalLeft, 0, PostalLeftMax);
    settings.PrintOffset = bounded(settings.PrintOffset, PrintOffsetMin, PrintOffsetMax);
    if (settings.HonorificIndex < 1 || settings.HonorificIndex > 4)
        settings.HonorificIndex = 1;

    DialogStart start;
    start.SenderNumber = settings.SenderNumber;
    start.MarkText = trimRightBlanks(settings.PrintMark);
    start.PostalTop = settings.PostalTop;
    start.PostalLeft = settings.PostalLeft;
    start.PostalTopText = millimetreText(settings.PostalTop);
    start.PostalLeftText = millimetreText(settings.PostalLeft);
    start.PrintOffset = settings.PrintOffset;
    start.HonorificIndex = settings.HonorificIndex;
    return start;
}

void saveDialogValues(SettingsRecord &settings, const QString &senderNumberText,
                      const QString &markText, const QString &postalTopText,
                      const QString &postalLeftText)
{
    bool isNumber = false;
    const int sender = senderNumberText.trimmed().toInt(&isNumber);
    if (isNumber)
        settings.SenderNumber = static_cast<qint16>(sender);
    // One character (a blank, kept as the empty mark, when the box is empty).
    const QString first = markText.left(!markText.isEmpty() && markText[0].isHighSurrogate() ? 2 : 1);
    settings.PrintMark = trimRightBlanks(first);
    if (const auto top = parseCorrection(postalTopText, PostalTopMax))
        settings.PostalTop = *top;
    if (const auto left = parseCorrection(postalLeftText, PostalLeftMax))
        settings.PostalLeft = *left;
}

} // namespace Layout
