#pragma once

// The name of each part: five naming rules, a counter that keeps names free of existing files,
// and the length limit.

#include <functional>

#include <QString>

namespace pw::split {

enum class NamingMode {
    PageRange = 0,        // Report4页-6页.docx
    PartNumber = 1,       // Report2.docx
    FirstCharacters = 2,  // the part's first N acceptable characters
    Sequence = 3,         // 1.docx, run-wide
    PaddedSequence = 4,   // 0001.docx, run-wide
};

struct NamingRule {
    NamingMode mode = NamingMode::PartNumber;
    int firstCharacters = 20;  // N of FirstCharacters
    int digits = 2;            // D of PaddedSequence
};

struct PartNameInput {
    QString folder;  // ends with the separator (or is empty)
    QString baseName;
    QString extension;  // dot included, in the source's case
    int partIndex = 1;  // within its document, from 1
    int firstPage = 1;
    int lastPage = 1;
    QString characters;  // the new document's main text; read only by FirstCharacters
};

// The first `count` characters of the text that may stand in a file name, never looking at the
// text's last character (the final paragraph mark).
QString collectedCharacters(const QString& characters, int count);

// The full path of a part. Sequence rules take the run-wide counter and advance it.
QString partName(const NamingRule& rule, const PartNameInput& in, qint64& sequence);

// The name with "(n)" worked into its file name: in place of its first ".doc" (which is then
// written in lower case), or before its extension when it has none.
QString withCounter(const QString& path, int n);

// The path, or the first of its counted forms that nothing on disk has taken.
using NameTaken = std::function<bool(const QString&)>;
bool nameTakenOnDisk(const QString& path);
QString freeName(const QString& path, const NameTaken& taken = nameTakenOnDisk);

// Names of this many characters or more are refused.
inline constexpr int MaxPartNameLength = 255;
inline bool nameTooLong(const QString& path) {
    return path.size() >= MaxPartNameLength;
}

}  // namespace pw::split
