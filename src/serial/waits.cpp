// The one way every operation waits for the board: it watches the receive
// pane while the event loop runs, asleep until an event or its deadline.

#include "app/form2.h"

namespace platine {

// How far ahead a wait without a limit sleeps at most between two looks; any
// event wakes it earlier.
inline constexpr Millis kEndlessNap{60'000};

WaitEnd Form2::attendre(const std::function<bool(const QString &)> &match,
                        std::optional<Millis> limit)
{
    Clock &clock = *m_platform.clock;
    EventPump &pump = *m_platform.pump;
    const Millis start = clock.elapsed();
    const std::uint64_t epoch = m_portEpoch;
    for (;;) {
        // A quit or a closed port in the same batch of events as the keyword
        // wins: nothing more is done for an operation the operator ended.
        if (m_portEpoch != epoch || m_ending)
            return WaitEnd::PortClosed;
        if (match(text2()))
            return WaitEnd::Matched;
        const Millis now = clock.elapsed();
        if (limit) {
            // Strictly more than the limit ends the wait.
            if (now - start > *limit)
                return WaitEnd::TimedOut;
            pump.waitUntil(start + *limit + Millis(1));
        } else {
            pump.waitUntil(now + kEndlessNap);
        }
    }
}

bool Form2::pause_cedante(Millis d)
{
    Clock &clock = *m_platform.clock;
    const Millis start = clock.elapsed();
    const std::uint64_t epoch = m_portEpoch;
    m_platform.pump->processEvents();
    while (clock.elapsed() - start < d) {
        if (m_portEpoch != epoch || m_ending)
            return false;
        m_platform.pump->waitUntil(start + d);
    }
    return m_portEpoch == epoch && !m_ending;
}

void Form2::pause_bloquante(Millis d)
{
    m_platform.pump->block(d);
}

} // namespace platine
