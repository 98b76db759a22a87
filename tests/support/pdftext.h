#pragma once
// What a printed PDF holds, as poppler's tools read it: pages with their
// size and the words on them with their boxes (pdftotext -bbox), the page
// count (pdfinfo) and the fonts (pdffonts). Everything in millimetres from
// the page's top-left corner.
#include <QList>
#include <QString>
#include <QStringList>

struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0; // mm
};

struct PdfPage {
    double widthMm = 0, heightMm = 0;
    QList<PdfWord> words;
    // The words in reading order joined by single blanks.
    QString text() const;
    // The first word equal to `text`, or nullptr.
    const PdfWord *find(const QString &text) const;
};

namespace PdfText {
// True when pdftotext, pdfinfo and pdffonts can be run.
bool toolsAvailable();
// The pages of the file; empty when it cannot be read (`error` says why).
QList<PdfPage> pages(const QString &path, QString *error = nullptr);
// pdfinfo's "Pages:"; -1 when the file cannot be read.
int pageCount(const QString &path);
// pdffonts' table (one line per font, after the header).
QStringList fonts(const QString &path);
} // namespace PdfText
