#pragma once
// The help system of a test: remembers every request instead of showing help.
#include "platform/helpsystem.h"

#include <QList>
#include <QString>

class RecordingHelpSystem : public HelpSystem {
public:
    struct Request { QString helpFile; int command; int data; QString key; };
    QList<Request> requests;
    void request(QWidget *, const QString &helpFile, int command, int data,
                 const QString &key) override
    {
        requests.append({helpFile, command, data, key});
    }
};
