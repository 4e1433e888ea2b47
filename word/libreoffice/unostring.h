#pragma once

#include <QString>
#include <QUrl>
#include <rtl/ustring.hxx>

namespace pw::word::lo {

using rtl::OUString;

inline QString toQ(const OUString& s) {
    return QString(reinterpret_cast<const QChar*>(s.getStr()), s.getLength());
}
inline OUString toU(const QString& s) {
    return OUString(reinterpret_cast<const sal_Unicode*>(s.utf16()), sal_Int32(s.size()));
}
inline OUString fileUrl(const QString& path) {
    return toU(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
}
inline QString localPath(const OUString& url) {
    return QUrl(toQ(url)).toLocalFile();
}

}  // namespace pw::word::lo
