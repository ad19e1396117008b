#pragma once
// Small helpers shared by the board operations' handlers.

#include "serial/line.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>
#include <utility>

namespace platine::board {

// Runs its action when the scope ends, whichever way it ends.
template <typename F> class ScopeGuard {
public:
    explicit ScopeGuard(F f) : m_f(std::move(f)) {}
    ~ScopeGuard() { m_f(); }
    ScopeGuard(const ScopeGuard &) = delete;
    ScopeGuard &operator=(const ScopeGuard &) = delete;

private:
    F m_f;
};

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

} // namespace platine::board
