#pragma once
// Qt side of the Windows-1252 codec: between the window's texts and bytes.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace platine {

QString fromCp1252(std::string_view bytes);
inline QString fromCp1252(const QByteArray &bytes)
{
    return fromCp1252(std::string_view(bytes.constData(), size_t(bytes.size())));
}
// A character without a byte in the code page becomes '?'.
std::string toCp1252(const QString &text);
inline QByteArray toCp1252Bytes(const QString &text)
{
    return QByteArray::fromStdString(toCp1252(text));
}

// The core's UTF-8 texts (headers, cells) as the window shows them.
inline QStringList fromUtf8List(const std::vector<std::string> &texts)
{
    QStringList l;
    l.reserve(qsizetype(texts.size()));
    for (const std::string &t : texts)
        l << QString::fromStdString(t);
    return l;
}

// A path as the file functions (files::read, files::writeAtomic) take it.
inline std::string nativePath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace platine
