#pragma once
// Reading, first-run defaults, check-and-upgrade and writing of "KANOTE.DAT".
#include "store/settingsrecord.h"

#include <QDate>
#include <QString>
#include <array>

// The factory positions of the postcard print items (tenths of a millimetre),
// vertical items 0 ... 8, horizontal items 10 ... 18; 9 and 19 are unused.
struct LayoutDefaults {
    std::array<qint16, 20> Top{};
    std::array<qint16, 20> Left{};
    static LayoutDefaults factory();
};

namespace SettingsFile {

inline const QString FileName = QStringLiteral("KANOTE.DAT");
// The work file of a write, beside the file; one fixed name, so that a write
// that was killed leaves at most one behind, which the next start removes.
inline const QString WorkFileName = QStringLiteral("KANOTE.DAT.tmp");

// The user's configuration folder (the platform's place for it).
QString configFolder();

// Where the settings are read at start-up and written at the end, so that
// the next start always reads what this run wrote:
// - a KANOTE.DAT in the program's folder that may be written: read and
//   written there;
// - one the user may only read: read there, unless the configuration
//   folder already holds the changes of an earlier run, which are read
//   then; written in the configuration folder;
// - none, in a program's folder that takes files: there (a first run);
// - none, in one that does not: the configuration folder.
// The configuration folder is made when it is chosen.
struct Place {
    QString readPath;
    QString writePath;
};
Place place(const QString &programFolder, const QString &config = configFolder());
// Where the settings are read (place().readPath).
QString locate(const QString &programFolder);
// The bytes of the file; a missing file is created empty. `wasEmpty` tells a
// first run. A file that exists but cannot be read whole is a RunError (it
// is no first run, and must not be written over with the defaults).
SettingsRecord read(const QString &path, bool *wasEmpty);
// Writes the 1024 bytes. Atomically when the folder takes a new file: into
// WorkFileName beside it, every step checked, synced, then renamed over it;
// otherwise, into a file the user may write, in place in one write followed
// by a sync. Throws RunError when any step fails; the old file then stays
// (the atomic way) and the work file is gone.
void write(const QString &path, const SettingsRecord &settings);

void setLayoutDefaults(SettingsRecord &s, const LayoutDefaults &defaults);
void applyFirstRun(SettingsRecord &s, const QString &currentFolder, const QDate &today,
                   const LayoutDefaults &defaults);
// Checks a loaded record: a vanished folder falls back to `startFolder`
// (which is then made current), a bad date is replaced, older versions get
// the layout defaults. Errors are passed over silently.
void checkAndUpgrade(SettingsRecord &s, const QString &startFolder, const QDate &today,
                     const LayoutDefaults &defaults);
// The delimiter for a code (1 ";", 2 ",", 3 tab); any other code becomes 1.
QChar delimiterFor(qint16 &code);
// "(ｾﾐｺﾛﾝ)", "(ｺﾝﾏ)", "(ﾀﾌﾞ)".
QString delimiterName(qint16 code);

} // namespace SettingsFile
