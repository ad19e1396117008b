#include "serial/words.h"

#include <QCoreApplication>

namespace platine {

QString waitFailure(WaitEnd end, const QString &keyword, qsizetype received)
{
    switch (end) {
    case WaitEnd::TimedOut:
        if (received > 0)
            return QCoreApplication::translate(
                       "Line", "réponse inattendue de la platine (attente de %1, %2)")
                .arg(
                    quoted(keyword),
                    received == 1
                        ? QCoreApplication::translate("Line", "1 caractère reçu")
                        : QCoreApplication::translate("Line", "%1 caractères reçus").arg(received));
        return QCoreApplication::translate("Line", "pas de réponse de la platine (attente de %1)")
            .arg(quoted(keyword));
    case WaitEnd::PortClosed:
        return QCoreApplication::translate("Line", "liaison fermée ou perdue (attente de %1)")
            .arg(quoted(keyword));
    default:
        return QCoreApplication::translate("Line", "attente de %1 abandonnée").arg(quoted(keyword));
    }
}

} // namespace platine
