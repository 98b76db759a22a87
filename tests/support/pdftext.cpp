#include "support/pdftext.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocumentFragment>

namespace {

constexpr double MmPerPoint = 25.4 / 72;

bool run(const QString &tool, const QStringList &args, QByteArray *out, QString *error)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        if (error)
            *error = tool + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAllStandardError())
                + process.errorString();
        return false;
    }
    *out = process.readAllStandardOutput();
    return true;
}

QString unescape(const QString &html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

} // namespace

QString PdfPage::text() const
{
    QStringList parts;
    for (const PdfWord &w : words)
        parts.append(w.text);
    return parts.join(QLatin1Char(' '));
}

const PdfWord *PdfPage::find(const QString &text) const
{
    for (const PdfWord &w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

namespace PdfText {

bool toolsAvailable()
{
    for (const char *tool : {"pdftotext", "pdfinfo", "pdffonts"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

QList<PdfPage> pages(const QString &path, QString *error)
{
    QByteArray out;
    if (!run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                           QStringLiteral("UTF-8"), path, QStringLiteral("-")},
             &out, error))
        return {};
    static const QRegularExpression pageTag(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression wordTag(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>)re"));
    QList<PdfPage> result;
    const QString text = QString::fromUtf8(out);
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (const auto m = pageTag.match(line); m.hasMatch()) {
            PdfPage page;
            page.widthMm = m.captured(1).toDouble() * MmPerPoint;
            page.heightMm = m.captured(2).toDouble() * MmPerPoint;
            result.append(page);
        } else if (const auto w = wordTag.match(line); w.hasMatch() && !result.isEmpty()) {
            result.last().words.append({unescape(w.captured(5)), w.captured(1).toDouble() * MmPerPoint,
                                        w.captured(2).toDouble() * MmPerPoint,
                                        w.captured(3).toDouble() * MmPerPoint,
                                        w.captured(4).toDouble() * MmPerPoint});
        }
    }
    return result;
}

int pageCount(const QString &path)
{
    QByteArray out;
    if (!run(QStringLiteral("pdfinfo"), {path}, &out, nullptr))
        return -1;
    static const QRegularExpression pagesLine(QStringLiteral(R"re(^Pages:\s+(\d+))re"),
                                              QRegularExpression::MultilineOption);
    const auto m = pagesLine.match(QString::fromUtf8(out));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QStringList fonts(const QString &path)
{
    QByteArray out;
    if (!run(QStringLiteral("pdffonts"), {path}, &out, nullptr))
        return {};
    QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.mid(2);
}

} // namespace PdfText
