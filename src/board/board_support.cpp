#include "board/board_support.h"

#include "platform/text.h"

#include <QDir>

namespace platine::board {

QString waitFailure(WaitEnd end, const QString &keyword)
{
    switch (end) {
    case WaitEnd::TimedOut:
        return QStringLiteral("pas de réponse de la platine (attente de %1)").arg(quoted(keyword));
    case WaitEnd::PortClosed:
        return QStringLiteral("liaison fermée ou perdue (attente de %1)").arg(quoted(keyword));
    default:
        return QStringLiteral("attente de %1 abandonnée").arg(quoted(keyword));
    }
}

} // namespace platine::board
