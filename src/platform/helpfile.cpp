#include "platform/helpfile.h"

#include <QDir>
#include <QFileInfo>

#include <QFile>
#include <QMap>

bool HelpFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *this = parse(QString::fromUtf8(file.readAll()));
    return !topics.isEmpty();
}

namespace {

// A line break of the source is not a blank of the text: Japanese runs on
// without one. Only between two half-width characters (English words, tags)
// does the break stay, where the page shows it as the blank it stands for.
void appendBodyLine(QString &body, QString line)
{
    // A full-width blank stays one: the page would fold it into a half-width
    // blank like any other white space ("開　く" is a button's name).
    line.replace(QChar(0x3000), QStringLiteral("<span style=\"white-space:pre\">\u3000</span>"));
    if (!body.isEmpty() && !line.isEmpty()) {
        const QChar last = body.back();
        const QChar first = line.front();
        if (last.unicode() > 0x7F || first.unicode() > 0x7F) {
            body += line;
            return;
        }
    }
    if (!body.isEmpty())
        body += QLatin1Char('\n');
    body += line;
}

} // namespace

HelpFile HelpFile::parse(const QString &text)
{
    HelpFile help;
    HelpTopic *current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &rawLine : lines) {
        QString line = rawLine;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1String("@topic "))) {
            const QString rest = line.mid(7).trimmed();
            const qsizetype blank = rest.indexOf(QLatin1Char(' '));
            HelpTopic topic;
            topic.id = blank < 0 ? rest : rest.left(blank);
            topic.title = blank < 0 ? rest : rest.mid(blank + 1).trimmed();
            help.topics.append(topic);
            current = &help.topics.last();
        } else if (current && line.startsWith(QLatin1String("@keywords "))) {
            for (const QString &k : line.mid(10).split(QLatin1Char(';'), Qt::SkipEmptyParts))
                current->keywords.append(k.trimmed());
        } else if (current) {
            appendBodyLine(current->body, line);
        }
    }
    return help;
}

const HelpTopic *HelpFile::topic(const QString &id) const
{
    for (const HelpTopic &t : topics)
        if (t.id == id)
            return &t;
    return nullptr;
}

QList<HelpKeyword> HelpFile::keywordIndex() const
{
    QMap<QString, QStringList> byWord;
    for (const HelpTopic &t : topics)
        for (const QString &k : t.keywords) {
            QStringList &ids = byWord[k];
            if (!ids.contains(t.id))
                ids.append(t.id);
        }
    QList<HelpKeyword> index;
    index.reserve(byWord.size());
    for (auto it = byWord.cbegin(); it != byWord.cend(); ++it)
        index.append({it.key(), it.value()});
    return index;
}

QString HelpFile::locate(const QString &programFolder)
{
    const QDir program(programFolder);
    const QString beside = program.filePath(QStringLiteral("kanote.hlp"));
    const QString installed = QDir::cleanPath(program.filePath(QStringLiteral("../share/kanote/kanote.hlp")));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}
