#include "support/faults.h"

#include "store/storefile.h"

#include "platform/codec.h"

#include <QFileInfo>
#include <QList>
#include <QTest>
#include <csignal>
#include <cstring>
#include <unistd.h>

struct FaultInjection::State {
    struct Rule {
        QString name;
        Fault fault;
        int handles;
    };
    QList<Rule> rules;
    int struck = 0;
};

namespace {

const QString IoError = QString::fromLocal8Bit(std::strerror(EIO));

class FaultyFile : public StoreFile {
public:
    FaultyFile(const QString &path, const Fault &fault, std::shared_ptr<FaultInjection::State> state)
        : StoreFile(path), fault(fault), state(std::move(state)) {}

    bool syncToDisk() override
    {
        if (!fault.syncFails)
            return StoreFile::syncToDisk();
        strike();
        return false;
    }

    bool closeChecked() override
    {
        if (!fault.closeFails)
            return StoreFile::closeChecked();
        StoreFile::closeChecked();
        strike();
        return false;
    }

protected:
    qint64 readData(char *data, qint64 length) override
    {
        if (fault.readFailsAt < 0)
            return StoreFile::readData(data, length);
        // The file's own position: where the system reads next.
        const qint64 at = ::lseek(handle(), 0, SEEK_CUR);
        const qint64 room = fault.readFailsAt - at;
        if (room >= length)
            return StoreFile::readData(data, length);
        // What lies before the bad spot is read; the read stops there.
        strike();
        return room > 0 ? StoreFile::readData(data, room) : -1;
    }

    qint64 writeData(const char *data, qint64 length) override
    {
        if (fault.writeFailsAfter < 0)
            return StoreFile::writeData(data, length);
        const qint64 room = fault.writeFailsAfter - written;
        if (room >= length) {
            written += length;
            return StoreFile::writeData(data, length);
        }
        if (room > 0) {
            StoreFile::writeData(data, room);
            written += room;
        }
        strike();
        return -1;
    }

private:
    // The failure the fault stands for.
    void strike()
    {
        ++state->struck;
        fail(IoError);
    }

    Fault fault;
    std::shared_ptr<FaultInjection::State> state;
    qint64 written = 0;
};

} // namespace

FaultInjection::FaultInjection()
    : state(std::make_shared<State>())
{
    std::weak_ptr<State> weak = state;
    StoreFile::setFactory([weak](const QString &path) -> std::unique_ptr<StoreFile> {
        const std::shared_ptr<State> s = weak.lock();
        if (s) {
            const QString name = QFileInfo(path).fileName();
            for (State::Rule &rule : s->rules) {
                if (rule.name != name || rule.handles == 0)
                    continue;
                if (rule.handles > 0)
                    --rule.handles;
                return std::make_unique<FaultyFile>(path, rule.fault, s);
            }
        }
        return std::make_unique<StoreFile>(path);
    });
}

FaultInjection::~FaultInjection()
{
    StoreFile::setFactory({});
}

void FaultInjection::inject(const QString &fileName, const Fault &fault, int handles)
{
    state->rules.append({fileName, fault, handles});
}

int FaultInjection::struck() const
{
    return state->struck;
}

DiskLimit::DiskLimit(qint64 bytes)
{
    // Past the limit the system sends SIGXFSZ, which would end the process;
    // ignored, the write fails with EFBIG instead, as on a full disk.
    previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

DiskLimit::~DiskLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
}

void appendBehindBack(const QString &path, const QByteArray &bytes)
{
    QFile other(path);
    if (other.open(QIODevice::WriteOnly | QIODevice::Append))
        other.write(bytes);
}

QStringList sampleRecord(int i)
{
    return {QStringLiteral("名前%1").arg(i), QStringLiteral("ﾅﾏｴ%1").arg(i),
            QStringLiteral("100-000%1").arg(i % 10), QStringLiteral("東京都千代田区%1丁目").arg(i)};
}

QByteArray sampleBook(qint16 format, int count)
{
    QByteArray book;
    for (int i = 1; i <= count; ++i) {
        const QStringList fields = sampleRecord(i);
        if (format == DataModule::FixedLength) {
            AddressRecord r;
            for (int f = 0; f < fields.size(); ++f)
                r.setField(f + 1, fields[f]);
            book += r.bytes();
        } else {
            book += Cp932::encode(fields.join(QLatin1Char(';')) + QStringLiteral(";;;;;;")) + "\r\n";
        }
    }
    return book;
}

BookState stateOf(const DataModule &dm)
{
    BookState s;
    s.name = dm.CurrentFileName;
    s.format = dm.DataFormat;
    s.count = dm.RecordCount;
    s.delimiter = dm.Delimiter;
    if (dm.DataFormat != DataModule::FixedLength)
        for (int i = 1; i <= dm.RecordCount + 1 && i < DataModule::LineIndexSize; ++i)
            s.index << dm.LineIndex[i];
    return s;
}

char *toString(const BookState &s)
{
    QStringList index;
    for (qint32 i : s.index)
        index << QString::number(i);
    return QTest::toString(QStringLiteral("%1 format %2 count %3 delimiter '%4' index [%5]")
                               .arg(s.name).arg(s.format).arg(s.count).arg(s.delimiter)
                               .arg(index.join(QLatin1Char(' '))));
}
