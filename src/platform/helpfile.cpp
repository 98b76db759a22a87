#include "platform/helpfile.h"

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
            current->body += line + QLatin1Char('\n');
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
