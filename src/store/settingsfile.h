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
inline const QString WorkFileName = QStringLiteral("KANOTE.DAT.tmp");

struct Place {
    QString readPath;
    QString writePath;
};
Place place(const QString &programFolder, const QString &configFolder);

// Where the settings live: the program's folder, or, when that folder cannot
// be written (an installed program), the user's configuration folder.
QString locate(const QString &programFolder);
// The bytes of the file; a missing file is created empty. `wasEmpty` tells a first run.
SettingsRecord read(const QString &path, bool *wasEmpty);
// Writes the 1024 bytes in one step; throws RunError when it cannot.
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
