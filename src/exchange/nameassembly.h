#pragma once
// A person's name from the parts other programs keep apart, in the order its
// owner writes it.
//
// A name in Japanese script is family name then given name with nothing
// between them ("山田太郎"); a name in Latin letters is its display form when
// the file has one ("John Doe", FN or a display-name column), otherwise
// prefix, given, middle, family and suffix with one blank between each
// ("Dr. John Q. Public Jr."). A name that mixes both scripts is written the
// Latin way when its family name holds a Latin letter. Without family and
// given name the display form is the name, whatever its script.
//
// Readings come from a vCard's SORT-AS in one of two spellings
// ("やまだ,たろう" or "やまだ;たろう"); the parts are joined without what
// separated or escaped them.
#include <QString>

struct NameParts {
    QString family, given, middle, prefix, suffix;
    QString display; // FN, or a column holding the whole name
};

namespace NameAssembly {

// True when the text holds a letter of the Latin script (full-width too).
bool hasLatinLetter(const QString &text);
bool isLatin(const NameParts &parts);
QString join(const NameParts &parts);
// The reading of a SORT-AS value: its parts joined, separators and escapes gone.
QString sortAsReading(const QString &sortAs);

} // namespace NameAssembly
