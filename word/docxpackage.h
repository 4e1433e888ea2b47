#pragma once

// Reading the parts of a .docx package and writing a copy of it with one part replaced.

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace pw::word {

class DocxPackage {
public:
    // Null when the file is not a zip package that can be read.
    static std::unique_ptr<DocxPackage> open(const QString& path);
    ~DocxPackage();
    DocxPackage(const DocxPackage&) = delete;
    DocxPackage& operator=(const DocxPackage&) = delete;

    // The part's bytes; nothing when the package has no such part or it cannot be read.
    std::optional<QByteArray> read(const QString& part) const;

    // Copies the package to target with part's content replaced; false (and no file left at
    // target) when that fails.
    bool copyReplacing(const QString& target, const QString& part, const QByteArray& content) const;

private:
    struct Archive;
    DocxPackage(QString path, Archive* archive);
    QString m_path;
    Archive* m_archive;
};

}  // namespace pw::word
