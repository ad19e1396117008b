#include "serial/words.h"

namespace platine {

QString waitFailure(WaitEnd end, const QString &keyword, qsizetype received)
{
    switch (end) {
    case WaitEnd::TimedOut:
        if (received > 0)
            return QStringLiteral("réponse inattendue de la platine (attente de %1, %2)")
                .arg(quoted(keyword), received == 1
                                          ? QStringLiteral("1 caractère reçu")
                                          : QStringLiteral("%1 caractères reçus").arg(received));
        return QStringLiteral("pas de réponse de la platine (attente de %1)").arg(quoted(keyword));
    case WaitEnd::PortClosed:
        return QStringLiteral("liaison fermée ou perdue (attente de %1)").arg(quoted(keyword));
    default:
        return QStringLiteral("attente de %1 abandonnée").arg(quoted(keyword));
    }
}

} // namespace platine
