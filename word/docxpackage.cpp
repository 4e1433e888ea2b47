#include "word/docxpackage.h"

#include <QFile>

#include <zip.h>

namespace pw::word {

struct DocxPackage::Archive {
    zip_t* zip = nullptr;
};

DocxPackage::DocxPackage(QString path, Archive* archive)
    : m_path(std::move(path)), m_archive(archive) {}

DocxPackage::~DocxPackage() {
    zip_discard(m_archive->zip);
    delete m_archive;
}

std::unique_ptr<DocxPackage> DocxPackage::open(const QString& path) {
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!zip) return nullptr;
    return std::unique_ptr<DocxPackage>(new DocxPackage(path, new Archive{zip}));
}

std::optional<QByteArray> DocxPackage::read(const QString& part) const {
    const QByteArray name = part.toUtf8();
    const zip_int64_t index = zip_name_locate(m_archive->zip, name.constData(), 0);
    if (index < 0) return std::nullopt;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive->zip, zip_uint64_t(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || stat.size > zip_uint64_t(1) << 30)
        return std::nullopt;
    zip_file_t* file = zip_fopen_index(m_archive->zip, zip_uint64_t(index), 0);
    if (!file) return std::nullopt;
    QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t got = zip_fread(file, data.data(), stat.size);
    zip_fclose(file);
    if (got < 0 || zip_uint64_t(got) != stat.size) return std::nullopt;
    return data;
}

bool DocxPackage::copyReplacing(const QString& target, const QString& part,
                                const QByteArray& content) const {
    QFile::remove(target);
    if (!QFile::copy(m_path, target)) return false;
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(target).constData(), 0, &error);
    bool done = false;
    if (zip) {
        const zip_int64_t index = zip_name_locate(zip, part.toUtf8().constData(), 0);
        zip_source_t* source = index < 0 ? nullptr
                                         : zip_source_buffer(zip, content.constData(),
                                                             zip_uint64_t(content.size()), 0);
        if (source && zip_file_replace(zip, zip_uint64_t(index), source, 0) != 0)
            zip_source_free(source);
        else if (source)
            done = zip_close(zip) == 0;
        if (!done) zip_discard(zip);
    }
    if (!done) QFile::remove(target);
    return done;
}

}  // namespace pw::word
