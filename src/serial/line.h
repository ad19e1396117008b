#pragma once
// The serial line to the board: the port, the receive step that appends what
// the board sends to the receive pane, the facts of the connection (the port
// chosen, the port open, whether the program lit the indicator, which
// operation holds the line) and the one way every operation opens, sends,
// waits and pauses. It is no widget: the window shows what it says through
// its signals.

#include "platform/platform.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace platine {

class Pane;

// How a wait for the board ended.
// Quiet: the board sent nothing for longer than the wait allowed.
enum class WaitEnd { Matched, TimedOut, PortClosed, Quiet };

// The receive step runs this long after the first character of a burst, so
// that a burst is appended in one piece.
inline constexpr Millis kReceiveStep{100};
// The gap left after each data byte sent to the board: one tick of a
// time-of-day clock, the pace the board has always been fed at. Its
// tolerance for a faster pace is unknown.
inline constexpr Millis kBytePace{16};
// The shortest gap ever left between two data bytes.
inline constexpr Millis kMinByteGap{1};

// Pale green (192, 255, 192): the connection indicator once the program has
// opened the port.
inline constexpr std::uint32_t kConnectedRgb = 0xC0FFC0;

class Line : public QObject {
    Q_OBJECT
public:
    // `received` is the receive pane: the line appends to it and the waits
    // watch its text, which the operator may also edit or clear.
    Line(SerialPort &port, Clock &clock, EventPump &pump, std::unique_ptr<Timer> receiveTimer,
         Pane &received, QObject *parent = nullptr);
    ~Line() override;

    // --- The port ------------------------------------------------------------------
    // The port chosen in the list; it applies at the next opening.
    void choose(const PortId &port) { m_chosen = port; }
    const PortId &chosen() const { return m_chosen; }
    // The port a message about the line names: the one open, or last opened.
    const PortId &inService() const;
    bool isOpen() const;
    // Opens the chosen port when closed. On failure the reason, in the words
    // the status strip shows ("Port COM3 indisponible : ..."); empty when open.
    QString open();
    // Closes the port when open; every running wait ends at once.
    void close();
    void setDtr(bool on);
    // Writes the bytes as one write. On failure the reason in the status
    // strip's words ("Port COM3 fermé : rien n'a été envoyé"); empty when sent.
    QString write(const QByteArray &bytes);

    // The connection indicator: lit once the program has opened the port for
    // the operator, put out when the port is closed by the operator or lost.
    bool lit() const { return m_lit; }
    void setLit(bool lit);

    // --- The receive path ----------------------------------------------------------
    // The port says bytes are waiting: the receive step is armed.
    void dataArrived();
    // The receive step: what waits in the port goes to the receive pane.
    void receiveStep();
    const QString &received() const;
    void clearReceived();
    // When bytes last reached the receive pane (on the steady clock).
    Millis lastArrival() const { return m_lastArrival; }

    // --- One operation at a time ---------------------------------------------------
    // Takes the line for `operation` ("envoi de la liste"). When another
    // holds it, the refusal in the status strip's words; empty when taken.
    QString take(const QString &operation);
    void release() { m_owner.clear(); }
    bool busy() const { return !m_owner.isEmpty(); }
    // Counts every close and loss of the port: an operation that saw it move
    // has lost its line.
    std::uint64_t epoch() const { return m_epoch; }
    // The program is ending: every wait and pause ends at once.
    void end();
    bool ending() const { return m_ending; }

    // --- Waits and pauses ----------------------------------------------------------
    // The reply wait: until `match` accepts the receive pane, the limit passes
    // (none: no limit), or the port is closed or lost or the program ends.
    // With `quietFor`, it also ends once nothing has been received for longer
    // than that, counted from the wait's start or the last bytes received,
    // whichever came later. A null `match` accepts nothing.
    WaitEnd wait(const std::function<bool(const QString &)> &match, std::optional<Millis> limit,
                 std::optional<Millis> quietFor = std::nullopt);
    // Yielding pause: the window and the receive path go on. False when the
    // port was closed or lost meanwhile, or the program is ending.
    bool pause(Millis d);
    // Blocking pause: the window does not respond, nothing is received.
    void pauseBlocking(Millis d);
    // The pause after one data byte: a series of bytes leaves one pace apart,
    // counted from where the previous pause was due to end, so the time spent
    // writing and drawing between two pauses does not add up over a block.
    bool pace();
    // The progress step of a series of data bytes: shows the transfer
    // counter against `total`, counts one more and leaves the pace.
    bool step(int total);
    void resetSteps() { m_steps = 0; }

    // Shows `text` in the status strip.
    void report(const QString &text) { emit reported(text); }

signals:
    // The program opened `port`.
    void opened(const PortId &port);
    // What the status strip shows now.
    void reported(const QString &text);
    // The transfer counter before a data byte's pace, against its total.
    void stepped(int count, int total);
    // The indicator was lit or put out.
    void litChanged(bool lit);
    // The port went away under the program ("Port COM3 perdu : ...").
    void lost(const QString &message);

private:
    void portLost(const QString &why);
    void receive();

    SerialPort &m_port;
    Clock &m_clock;
    EventPump &m_pump;
    std::unique_ptr<Timer> m_receiveTimer; // Timer2
    Pane &m_received;                      // Text2

    PortId m_chosen{1};
    PortId m_opened; // the port last opened by the program; none yet at start
    bool m_lit = false;
    std::uint64_t m_epoch = 0;
    bool m_ending = false;
    QString m_owner; // the board operation holding the line
    std::optional<Millis> m_paceDue;
    int m_steps = 0; // the transfer counter
    Millis m_lastArrival{0};
};

} // namespace platine
