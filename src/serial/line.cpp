#include "serial/line.h"

#include "serial/pane.h"
#include "platform/text.h"

#include <algorithm>

namespace platine {
namespace {

// How far ahead a wait without a limit sleeps at most between two looks; any
// event wakes it earlier.
constexpr Millis kEndlessNap{60'000};

QString openFailureText(OpenResult r, const QString &detail)
{
    switch (r) {
    case OpenResult::Absent:
        return QCoreApplication::translate("platine::Line", "port absent (%1)").arg(detail);
    case OpenResult::InUse:
        return QCoreApplication::translate("platine::Line", "déjà utilisé par un autre programme");
    case OpenResult::Denied:
        return QCoreApplication::translate("platine::Line", "accès refusé (%1)").arg(detail);
    default:
        return detail.isEmpty()
                   ? QCoreApplication::translate("platine::Line", "ouverture impossible")
                   : detail;
    }
}

} // namespace

Line::Line(SerialPort &port, Clock &clock, EventPump &pump, std::unique_ptr<Timer> receiveTimer,
           Pane &received, QObject *parent)
    : QObject(parent), m_port(port), m_clock(clock), m_pump(pump),
      m_receiveTimer(std::move(receiveTimer)), m_received(received)
{
    m_receiveTimer->onTimeout = [this] { receiveStep(); };
    m_port.onLost = [this](const QString &why) { portLost(why); };
}

Line::~Line()
{
    m_port.onLost = nullptr;
}

const PortId &Line::inService() const
{
    // The port chosen in the list applies at the next opening: until then a
    // message about the line names the port the program opened.
    return m_opened.isNone() ? m_chosen : m_opened;
}

bool Line::isOpen() const
{
    return m_port.isOpen();
}

QString Line::open()
{
    if (m_port.isOpen())
        return QString();
    const OpenResult r = m_port.open(m_chosen);
    if (r == OpenResult::Opened) {
        m_opened = m_chosen;
        emit opened(m_chosen);
        return QString();
    }
    const QString detail =
        r == OpenResult::Absent ? m_port.deviceName(m_chosen) : m_port.errorText();
    QString text =
        tr("Port %1 indisponible : %2").arg(m_chosen.label(), openFailureText(r, detail));
    // The cure: joining the device's group, where that group may read and
    // write it and is not the administrators'; otherwise only an
    // administrator can open the device to the operator.
    if (r == OpenResult::Denied) {
        const DeviceAccess access = m_port.deviceAccess(m_chosen);
        if (!access.group.isEmpty() && !access.groupIsRoot && access.group != u"root" &&
            access.groupReadWrite)
            text += tr(" ; ajoutez votre compte au groupe « %1 » (sudo usermod -aG %1 "
                       "$USER) puis ouvrez une nouvelle session")
                        .arg(access.group);
        else
            text += tr(" ; un administrateur doit vous donner accès à %1")
                        .arg(m_port.deviceName(m_chosen));
    }
    return text;
}

void Line::close()
{
    if (!m_port.isOpen())
        return;
    m_port.close();
    ++m_epoch; // every running wait ends now
}

void Line::setDtr(bool on)
{
    m_port.setDtr(on);
}

QString Line::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return tr("Port %1 fermé : rien n'a été envoyé").arg(inService().label());
    if (!m_port.write(bytes))
        return tr("Port %1 : envoi impossible (%2)").arg(inService().label(), m_port.errorText());
    return QString();
}

void Line::setLit(bool lit)
{
    m_lit = lit;
    emit litChanged(lit);
}

void Line::dataArrived()
{
    if (!m_receiveTimer->isActive())
        m_receiveTimer->start(kReceiveStep);
}

void Line::receiveStep()
{
    m_receiveTimer->stop();
    // A port closed by the operator since the burst is not opened again behind
    // the operator's back; what it received is gone with it.
    if (m_port.isOpen())
        receive();
}

void Line::receive()
{
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty()) {
        m_lastArrival = m_clock.elapsed();
        m_received.append(fromCp1252(bytes));
    }
}

const QString &Line::received() const
{
    return m_received.text();
}

void Line::clearReceived()
{
    m_received.setText(QString());
}

void Line::portLost(const QString &why)
{
    // What the board sent before the line went away still reaches the pane.
    // Every close goes through close(), so a port already closed has already
    // ended the waits.
    if (m_port.isOpen()) {
        receive();
        close();
    }
    m_receiveTimer->stop();
    setLit(false);
    emit lost(tr("Port %1 perdu : %2").arg(inService().label(), why));
}

QString Line::take(const QString &operation)
{
    if (busy())
        return tr("Opération refusée : %1 en cours").arg(m_owner);
    m_owner = operation;
    return QString();
}

void Line::end()
{
    m_ending = true;
}

WaitEnd Line::wait(const std::function<bool(const QString &)> &match, std::optional<Millis> limit,
                   std::optional<Millis> quietFor)
{
    const Millis start = m_clock.elapsed();
    const std::uint64_t epoch = m_epoch;
    for (;;) {
        // A quit or a closed port in the same batch of events as the keyword
        // wins: nothing more is done for an operation the operator ended.
        if (m_epoch != epoch || m_ending)
            return WaitEnd::PortClosed;
        if (match && match(received()))
            return WaitEnd::Matched;
        // Strictly more than the limit, or than the quiet allowed, ends the
        // wait; until then it sleeps to the nearer of the two, and any event
        // (bytes received, a click) wakes it to look again.
        const Millis now = m_clock.elapsed();
        std::optional<Millis> wake;
        if (limit) {
            if (now - start > *limit)
                return WaitEnd::TimedOut;
            wake = start + *limit + Millis(1);
        }
        if (quietFor) {
            const Millis since = std::max(start, m_lastArrival);
            if (now - since > *quietFor)
                return WaitEnd::Quiet;
            const Millis quietAt = since + *quietFor + Millis(1);
            wake = wake ? std::min(*wake, quietAt) : quietAt;
        }
        m_pump.waitUntil(wake.value_or(now + kEndlessNap));
    }
}

bool Line::pause(Millis d)
{
    const Millis start = m_clock.elapsed();
    const std::uint64_t epoch = m_epoch;
    m_pump.processEvents();
    while (m_clock.elapsed() - start < d) {
        if (m_epoch != epoch || m_ending)
            return false;
        m_pump.waitUntil(start + d);
    }
    return m_epoch == epoch && !m_ending;
}

void Line::pauseBlocking(Millis d)
{
    m_pump.block(d);
}

bool Line::pace()
{
    const Millis now = m_clock.elapsed();
    Millis gap = kBytePace;
    if (m_paceDue && now >= *m_paceDue && now - *m_paceDue < kBytePace)
        gap = std::max(kMinByteGap, *m_paceDue + kBytePace - now);
    m_paceDue = now + gap;
    return pause(gap);
}

bool Line::step(int total)
{
    emit stepped(m_steps, total);
    m_steps = std::int16_t(m_steps + 1); // a 16-bit counter, as the window always had
    return pace();
}

} // namespace platine
