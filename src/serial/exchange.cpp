#include "serial/exchange.h"

#include "serial/words.h"

#include <QCoreApplication>

namespace platine {
namespace {

// A span of time in whole seconds, or with its tenths when it has some ("0,5").
QString quietSeconds(Millis d)
{
    if (d.count() % 1000 == 0)
        return QString::number(d.count() / 1000);
    return QString::number(double(d.count()) / 1000.0, 'f', 1).replace(u'.', u',');
}

} // namespace

Exchange::Exchange(Line &line, const QString &operation) : m_line(line)
{
    const QString refusal = line.take(operation);
    m_began = refusal.isEmpty();
    if (!m_began)
        line.report(refusal);
    m_epoch = line.epoch();
}

Exchange::~Exchange()
{
    if (m_began)
        m_line.release();
}

bool Exchange::connect(Indicator indicator)
{
    const QString failure = m_line.open();
    if (!failure.isEmpty()) {
        status(failure);
        return false;
    }
    if (indicator == Indicator::Light)
        m_line.setLit(true);
    m_epoch = m_line.epoch();
    return true;
}

bool Exchange::requireOpen(const QString &command)
{
    if (m_line.isOpen())
        return true;
    status(QCoreApplication::translate("Line", "Connexion non ouverte : %1 n'a pas été envoyé")
               .arg(quoted(command)));
    return false;
}

void Exchange::setDtr(bool on)
{
    m_line.setDtr(on);
}

void Exchange::clearReceived()
{
    m_line.clearReceived();
}

QString Exchange::received() const
{
    return m_line.received();
}

bool Exchange::waitFor(const QString &what, const std::function<bool(const QString &)> &match,
                       std::optional<Millis> limit)
{
    m_lastWait = m_line.wait(match, limit);
    if (m_lastWait == WaitEnd::Matched)
        return true;
    m_why = waitFailure(m_lastWait, what, received().size());
    return false;
}

bool Exchange::waitStart(std::string_view keyword, std::optional<Millis> limit)
{
    const QString w = word(keyword);
    return waitFor(
        w, [&w](const QString &pane) { return pane.startsWith(w); }, limit);
}

WaitEnd Exchange::waitQuiet(Millis quietFor, std::optional<Millis> limit, const QString &what,
                            const std::function<bool(const QString &)> &match)
{
    m_lastWait = m_line.wait(match, limit, quietFor);
    const bool success = match ? m_lastWait == WaitEnd::Matched : m_lastWait == WaitEnd::Quiet;
    if (success)
        return m_lastWait;
    const QString awaited =
        what.isEmpty() ? QCoreApplication::translate("Line", "la fin des envois de la platine")
                       : quoted(what);
    switch (m_lastWait) {
    case WaitEnd::Quiet:
        m_why = QCoreApplication::translate(
                    "Line", "plus rien reçu de la platine depuis %1 s (attente de %2)")
                    .arg(quietSeconds(quietFor), awaited);
        break;
    case WaitEnd::TimedOut:
        m_why = QCoreApplication::translate("Line", "délai de %1 s dépassé (attente de %2)")
                    .arg(quietSeconds(*limit), awaited);
        break;
    default:
        m_why = QCoreApplication::translate("Line", "liaison fermée ou perdue (attente de %1)")
                    .arg(awaited);
        break;
    }
    return m_lastWait;
}

bool Exchange::lineLost() const
{
    return m_line.epoch() != m_epoch || m_line.ending();
}

bool Exchange::pause(Millis d, const QString &step)
{
    if (m_line.pause(d) && !lineLost())
        return true;
    m_why = QCoreApplication::translate("Line", "liaison fermée ou perdue (%1)").arg(step);
    return false;
}

void Exchange::pauseBlocking(Millis d)
{
    m_line.pauseBlocking(d);
}

bool Exchange::send(const QByteArray &bytes, const QString &step)
{
    if (lineLost()) {
        m_why =
            QCoreApplication::translate("Line", "liaison fermée ou perdue pendant %1").arg(step);
        return false;
    }
    const QString failure = m_line.write(bytes);
    if (failure.isEmpty())
        return true;
    status(failure);
    m_why =
        QCoreApplication::translate("Line", "envoi interrompu pendant %1 (%2)").arg(step, failure);
    return false;
}

bool Exchange::sendWord(std::string_view word, const QString &step)
{
    return send(wordBytes(word), step);
}

bool Exchange::sendPaced(std::span<const unsigned char> bytes, int total, const QString &step)
{
    m_line.resetSteps();
    for (unsigned char b : bytes) {
        if (!send(QByteArray(1, char(b)), step))
            return false;
        m_line.step(total);
    }
    return true;
}

void Exchange::status(const QString &text)
{
    m_line.report(text);
}

} // namespace platine
