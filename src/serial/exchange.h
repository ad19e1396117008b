#pragma once
// One exchange with the board: every board operation runs in one. It takes
// the line (one operation at a time; a second is refused in the status
// strip), opens the port and lights the indicator, offers the waits, pauses
// and sends, and gives the line back when it ends, whichever way it ends.
// When a step fails it remembers why, in the words the status strip shows.

#include "serial/line.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace platine {

class Exchange {
public:
    // Begins the operation `operation` ("envoi de la liste"): takes the line,
    // or tells the operator which operation holds it.
    Exchange(Line &line, const QString &operation);
    ~Exchange();
    Exchange(const Exchange &) = delete;
    Exchange &operator=(const Exchange &) = delete;

    // The line was free and is this exchange's.
    bool began() const { return m_began; }

    enum class Indicator { Light, Leave };
    // Opens the port when closed and (by default) lights the indicator.
    // False when it would not open: the status strip says why.
    bool connect(Indicator indicator = Indicator::Light);
    // For the commands that never open the port: false (and the status strip
    // says `command` was not sent) when it is closed.
    bool requireOpen(const QString &command);
    void setDtr(bool on);

    // The receive pane, which the waits watch.
    void clearReceived();
    QString received() const;

    // Waits until `match` accepts the receive pane; `what` names the awaited
    // text in the reason kept on failure. No limit: until the port closes.
    bool waitFor(const QString &what, const std::function<bool(const QString &)> &match,
                 std::optional<Millis> limit);
    // Waits until the receive pane starts with `keyword`.
    bool waitStart(std::string_view keyword, std::optional<Millis> limit);
    // Waits while the board talks: until `match` accepts the receive pane,
    // nothing has come from the board for longer than `quietFor` (counted
    // from the wait's start or the last bytes received), `limit` passes
    // (none: no limit) or the port closes. It sleeps in the event loop until
    // bytes arrive or the nearer deadline. Without `match` it waits for the
    // line to fall quiet, which is then its success; otherwise every end
    // but a match keeps its reason, `what` naming the awaited text.
    WaitEnd waitQuiet(Millis quietFor, std::optional<Millis> limit, const QString &what = {},
                      const std::function<bool(const QString &)> &match = nullptr);
    // How the last wait ended.
    WaitEnd lastWait() const { return m_lastWait; }

    // Yielding pause: the window and the receive path go on. False when the
    // port was closed or lost meanwhile, or the program is ending.
    bool pause(Millis d, const QString &step);
    // Blocking pause: the window does not respond.
    void pauseBlocking(Millis d);

    // One write; `step` names what was being sent in the reason kept on failure.
    bool send(const QByteArray &bytes, const QString &step);
    bool sendWord(std::string_view word, const QString &step);
    // Data bytes one write each, each followed by the progress step, which
    // counts from 0 towards `total` and paces the board.
    bool sendPaced(std::span<const unsigned char> bytes, int total, const QString &step);

    // Why the exchange stopped early, in French; empty while all went well.
    const QString &why() const { return m_why; }
    // Shows `text` in the status strip.
    void status(const QString &text);

    Line &line() { return m_line; }

private:
    bool lineLost() const;

    Line &m_line;
    bool m_began = false;
    std::uint64_t m_epoch = 0;
    WaitEnd m_lastWait = WaitEnd::Matched;
    QString m_why;
};

} // namespace platine
