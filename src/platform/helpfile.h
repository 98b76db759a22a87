#pragma once
// The help file "kanote.hlp": UTF-8 text made of topics. Each topic starts
// with a line "@topic <id> <title>", may have a line "@keywords k1;k2;..."
// and is followed by its HTML body. The topic "contents" is the contents
// page; topics named by a number are reached by that context number.
// A link "#<id>" in a body leads to another topic. A line break of the file
// is no blank of the text unless both characters around it are half-width,
// so Japanese sentences may be broken over lines anywhere; a full-width
// blank shows as one.
#include <QList>
#include <QString>
#include <QStringList>

struct HelpTopic {
    QString id;
    QString title;
    QStringList keywords;
    QString body;
};

// A keyword of the index and the topics that name it, in file order.
struct HelpKeyword {
    QString word;
    QStringList topicIds;
};

class HelpFile {
public:
    bool load(const QString &path);
    static HelpFile parse(const QString &text);
    // Where the program finds "kanote.hlp": beside the program (as built),
    // else in the data folder of an installed program (<prefix>/share/kanote
    // beside <prefix>/bin); the first when neither exists.
    static QString locate(const QString &programFolder);
    const HelpTopic *topic(const QString &id) const;
    // Every keyword once, sorted, with the topics that name it.
    QList<HelpKeyword> keywordIndex() const;
    QList<HelpTopic> topics;
};
