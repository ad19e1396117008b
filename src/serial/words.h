#pragma once
// The board's keywords as the window and the line handle them, and the words
// the status strip uses for a wait that ended without its keyword.

#include "serial/line.h"

#include <QByteArray>
#include <QString>

#include <string_view>

namespace platine {

// A board keyword (plain ASCII) as the window's text.
inline QString word(std::string_view w)
{
    return QString::fromLatin1(w.data(), qsizetype(w.size()));
}
inline QByteArray wordBytes(std::string_view w)
{
    return QByteArray(w.data(), qsizetype(w.size()));
}

// "« Pret »": how the operator is told which keyword a wait was for.
inline QString quoted(const QString &w)
{
    return QStringLiteral("« %1 »").arg(w);
}

// Why a wait for `keyword` ended without it, in French. `received` counts
// the characters that came instead: a board that answers something else is
// told apart from a silent one.
QString waitFailure(WaitEnd end, const QString &keyword, qsizetype received = 0);

} // namespace platine
