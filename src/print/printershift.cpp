#include "print/printershift.h"

#include <QRegularExpression>

namespace PrinterShift {

PagePlacement placementOf(const PrinterAdjustment &adjustment)
{
    PagePlacement p;
    p.ShiftXMm = adjustment.ShiftX / 10.0;
    p.ShiftYMm = adjustment.ShiftY / 10.0;
    p.Turned = adjustment.UpsideDown;
    return p;
}

QString text(qint16 tenths)
{
    const int magnitude = tenths < 0 ? -tenths : tenths;
    return QStringLiteral("%1%2.%3").arg(tenths < 0 ? QStringLiteral("-") : QString()).arg(magnitude / 10).arg(magnitude % 10);
}

std::optional<qint16> parse(const QString &typed)
{
    QString plain = typed.normalized(QString::NormalizationForm_KC).trimmed();
    plain.replace(QChar(0x2212), QLatin1Char('-')); // the minus sign
    static const QRegularExpression number(QStringLiteral("^([+-]?)([0-9]{1,2})(?:\\.([0-9])?)?$|^([+-]?)\\.([0-9])$"));
    const QRegularExpressionMatch m = number.match(plain);
    if (!m.hasMatch())
        return std::nullopt;
    int tenths = 0;
    bool negative = false;
    if (m.capturedLength(2) > 0) {
        tenths = m.captured(2).toInt() * 10 + (m.capturedLength(3) > 0 ? m.captured(3).toInt() : 0);
        negative = m.captured(1) == QLatin1String("-");
    } else {
        tenths = m.captured(5).toInt();
        negative = m.captured(4) == QLatin1String("-");
    }
    if (tenths > PrinterAdjustment::ShiftLimit)
        return std::nullopt;
    return qint16(negative ? -tenths : tenths);
}

QString describe(const PrinterAdjustment &adjustment)
{
    return QStringLiteral("右へ %1 mm、下へ %2 mm").arg(text(adjustment.ShiftX), text(adjustment.ShiftY));
}

} // namespace PrinterShift
