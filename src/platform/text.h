#pragma once
// Qt side of the Windows-1252 codec: between the window's texts and bytes.

#include "core/platform/message.h"

#include <QByteArray>
#include <QCoreApplication>
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

// The core's texts marked for translation in `context` (headers, day
// names), as the window shows them in its language.
inline QStringList translatedList(const char *context, const std::vector<std::string> &texts)
{
    QStringList l;
    l.reserve(qsizetype(texts.size()));
    for (const std::string &t : texts)
        l << QCoreApplication::translate(context, t.c_str());
    return l;
}

// A core message in the window's language: its template translated, then
// filled with its values (each shown likewise) as the core fills it.
inline QString shown(const Message &m)
{
    if (m.isValue())
        return QString::fromStdString(m.value);
    std::vector<std::string> values;
    values.reserve(m.args.size());
    for (const Message &a : m.args)
        values.push_back(shown(a).toStdString());
    return QString::fromStdString(
        Message::fill(QCoreApplication::translate(m.context, m.text).toStdString(), values));
}

// Core messages one after another, each on its line.
inline QString shownLines(const std::vector<Message> &lines)
{
    QStringList l;
    for (const Message &m : lines)
        l << shown(m);
    return l.join(QStringLiteral("\r\n"));
}

// A path as the file functions (files::read, files::writeAtomic) take it.
inline std::string nativePath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace platine
