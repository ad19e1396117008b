// platine-sim: plays the access-control board at the other end of a
// pseudo-terminal, so that the program (and its tests) can run every
// exchange without the hardware. Commands come one a line on standard input
// (or from a script file); what the board receives and stores is reported
// on standard output, one fact a line.

#include "board.h"
#include "core/platform/cp1252.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <random>
#include <pty.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace platine::sim;
using namespace std::chrono_literals;

namespace {

// At 9600 baud, 10 bits a character: 1.04 ms a byte.
constexpr auto kWireByte = std::chrono::microseconds(1042);
// The loop wakes at least this often, for the board's time-outs and signals.
constexpr auto kMaxSleep = 50ms;

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int)
{
    g_stop = 1;
}

const char kUsage[] =
    "Usage: platine-sim --link PATH [options]\n"
    "Plays the access-control board on a pseudo-terminal linked under PATH.\n"
    "\n"
    "Options:\n"
    "  --link PATH      symbolic link to the terminal (an old link is replaced,\n"
    "                   any other file is left alone and the simulator stops)\n"
    "  --auto           demonstration: while idle, every 5 s the board announces\n"
    "                   the next exchange in turn: upload (\"Pret\"), history\n"
    "                   (\"Vidage EEPROM externe\"), clock (\"Mise a jour\") and a\n"
    "                   badge report; an announcement the program does not follow\n"
    "                   within 10 s is dropped\n"
    "  --wire-speed     pace the output at 9600 baud (as \"wire on\")\n"
    "  --passages N     start with N passages in the log (default 3)\n"
    "  --script FILE    run the commands of FILE before those of standard input\n"
    "  --verbose        print every chunk received (RX) and sent (TX)\n"
    "  --seed N         seed of the noise bytes (default 1)\n"
    "  --strict         (the default) an item whose first byte comes before the\n"
    "                   board's keyword has left, or inside the pause the\n"
    "                   program must leave after it (0.2 s before \"param\" and\n"
    "                   each badge block, 0.5 s before \"vidage\", \"horaire\"\n"
    "                   and \"heure\"), is a VIOLATION\n"
    "  --lenient        take an item's bytes whenever they come\n"
    "  --quiet-limit S  a line quiet S seconds inside an item is a VIOLATION\n"
    "                   (default 2; more on a loaded machine)\n"
    "  --split-gap S    \"split on\" sends \"rique\" S seconds after \"Histo\"\n"
    "                   (default 0.3)\n"
    "\n"
    "Commands (one a line):\n"
    "  push bp1 | push bp3 | announce clock | present NUMBER | passage NUMBER [PLACE]\n"
    "  send TEXT          (\\r \\n \\t \\\\ and \\xHH escapes)\n"
    "  silent on|off | delay SECONDS | garbage on|off | cut on|off | split on|off\n"
    "  wire on|off | wait SECONDS | dump | hangup | quit\n"
    "Faults at a chosen step:\n"
    "  hangup after N     unplug once N more bytes have come from the program\n"
    "  silent after N     let N more outputs leave, then drop every output\n"
    "  garbage inside     a stray character in the middle of each keyword\n"
    "                     (garbage off ends it too)\n"
    "  noise N            N random bytes at full line speed (9600 baud), now\n";

struct Burst {
    TimePoint due;
    std::string bytes;
    std::uint64_t number; // as the board was given it
    bool paced = false;   // one byte a character time, whatever the wire setting
};

std::string unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char e = text[++i];
        if (e == 'r')
            out += '\r';
        else if (e == 'n')
            out += '\n';
        else if (e == 't')
            out += '\t';
        else if (e == 'x' && i + 2 < text.size() && std::isxdigit((unsigned char)text[i + 1]) &&
                 std::isxdigit((unsigned char)text[i + 2])) {
            out += char(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else
            out += e;
    }
    return out;
}

class Simulator {
public:
    Simulator(std::string link, bool verbose)
        : m_link(std::move(link)), m_verbose(verbose),
          m_board(
              Board::Hooks{[this](std::string b, Millis gap) { return queue(std::move(b), gap); },
                           [](const std::string &line) { std::printf("%s\n", line.c_str()); }})
    {
    }

    ~Simulator() { closeLine(); }

    Board &board() { return m_board; }
    bool wire = false;
    std::mt19937 noise{1};

    bool open()
    {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
            std::fprintf(stderr, "platine-sim: openpty: %s\n", std::strerror(errno));
            return false;
        }
        for (int fd : {m_master, m_slave}) {
            termios tio{};
            tcgetattr(fd, &tio);
            cfmakeraw(&tio);
            cfsetispeed(&tio, B9600);
            cfsetospeed(&tio, B9600);
            tcsetattr(fd, TCSANOW, &tio);
        }
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        // The slave stays open here too, so that the program can close and
        // reopen its port without the master seeing a hang-up.
        struct stat st {};
        if (lstat(m_link.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                std::fprintf(stderr,
                             "platine-sim: %s exists and is not a symbolic link; "
                             "not replaced\n",
                             m_link.c_str());
                return false;
            }
            unlink(m_link.c_str());
        }
        if (symlink(name, m_link.c_str()) != 0) {
            std::fprintf(stderr, "platine-sim: cannot link %s: %s\n", m_link.c_str(),
                         std::strerror(errno));
            return false;
        }
        m_linked = true;
        std::printf("READY link=%s pty=%s\n", m_link.c_str(), name);
        return true;
    }

    void closeLine()
    {
        if (m_linked) {
            unlink(m_link.c_str());
            m_linked = false;
        }
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
        m_master = m_slave = -1;
    }

    // Queues bytes for the line; returns their number, which the board is
    // given again once the last of them is written (never, when dropped).
    std::uint64_t queue(std::string bytes, Millis gap)
    {
        const TimePoint now = SteadyClock::now();
        const std::uint64_t number = ++m_queued;
        if (m_silentAfter == 0) {
            m_silent = true;
            m_silentAfter = -1;
        } else if (m_silentAfter > 0) {
            --m_silentAfter;
        }
        if (m_silent) {
            std::printf("SILENT dropped %zu bytes\n", bytes.size());
            return number;
        }
        TimePoint due = now + m_delay + gap;
        if (!m_out.empty() || m_tailEnd > now)
            due = std::max(due, m_tailEnd + gap);
        m_tailEnd = due + (wire ? kWireByte * long(bytes.size()) : std::chrono::microseconds(0));
        if (m_verbose)
            std::printf("TX %zu bytes: %s\n", bytes.size(), readable(bytes).c_str());
        m_out.push_back(Burst{due, std::move(bytes), number});
        return number;
    }

    // A flood of random bytes, one every character time from now on, after
    // what is already queued.
    void flood(long count)
    {
        std::string bytes;
        std::uniform_int_distribution<int> byte(0, 255);
        for (long i = 0; i < count; ++i)
            bytes += char(byte(noise));
        const TimePoint now = SteadyClock::now();
        const TimePoint due = std::max(now, m_tailEnd);
        m_tailEnd = due + kWireByte * count;
        m_out.push_back(Burst{due, std::move(bytes), ++m_queued, true});
        std::printf("NOISE %ld bytes\n", count);
    }

    // Bytes that came from the program, up to a hang-up armed with
    // "hangup after"; false once the line is hung up.
    bool take(std::string_view bytes, TimePoint now)
    {
        if (m_hangupAfter >= 0 && long(bytes.size()) >= m_hangupAfter) {
            m_board.receive(bytes.substr(0, std::size_t(m_hangupAfter)), now);
            std::printf("HANGUP after %ld bytes\n", m_hangupArmed);
            closeLine();
            return false;
        }
        if (m_hangupAfter >= 0)
            m_hangupAfter -= long(bytes.size());
        m_board.receive(bytes, now);
        return true;
    }

    // Writes what is due; returns when the next byte is due (if any).
    std::optional<TimePoint> flush(TimePoint now)
    {
        while (!m_out.empty()) {
            Burst &front = m_out.front();
            if (front.due > now)
                return front.due;
            const bool paced = wire || front.paced;
            const std::size_t want = paced ? 1 : front.bytes.size();
            const ssize_t n = ::write(m_master, front.bytes.data(), want);
            if (n < 0) {
                if (errno == EAGAIN || errno == EINTR)
                    return std::nullopt; // POLLOUT wakes us
                std::printf("ERROR write: %s\n", std::strerror(errno));
                m_out.clear();
                return std::nullopt;
            }
            front.bytes.erase(0, std::size_t(n));
            if (front.bytes.empty()) {
                const std::uint64_t number = front.number;
                m_out.pop_front();
                m_board.left(number, now);
            } else if (paced) {
                front.due = now + kWireByte;
                return front.due;
            }
        }
        return std::nullopt;
    }

    // One command line; false on quit or hang-up.
    bool command(const std::string &raw, TimePoint now)
    {
        std::string line = raw;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '#')
            return true;
        line.erase(0, first);
        const std::size_t space = line.find(' ');
        const std::string verb = line.substr(0, space);
        const std::string arg = space == std::string::npos ? "" : line.substr(space + 1);
        const auto count = [&](const std::string &text, long &value) {
            char *end = nullptr;
            const long n = std::strtol(text.c_str(), &end, 10);
            if (text.empty() || *end != '\0' || n < 0) {
                std::printf("ERROR %s wants a count\n", verb.c_str());
                return false;
            }
            value = n;
            return true;
        };
        const auto onOff = [&](bool &flag) {
            if (arg != "on" && arg != "off") {
                std::printf("ERROR %s wants on or off\n", verb.c_str());
                return false;
            }
            flag = arg == "on";
            return true;
        };
        bool ok = true;
        if (line == "push bp1") {
            m_board.pushBp1(now);
        } else if (line == "push bp3") {
            m_board.pushBp3(now);
        } else if (line == "announce clock") {
            m_board.announceClock(now);
        } else if (verb == "present" && !arg.empty()) {
            m_board.present(arg);
        } else if (verb == "passage" && !arg.empty()) {
            const std::size_t sp = arg.find(' ');
            const int place = sp == std::string::npos ? 1 : std::atoi(arg.c_str() + sp + 1);
            m_board.logPassage(arg.substr(0, sp), place, now);
        } else if (verb == "send" && space != std::string::npos) {
            // Typed text is UTF-8; the board speaks Windows-1252, escapes give raw bytes.
            queue(unescape(platine::cp1252::fromUtf8(arg)), 0ms);
        } else if (verb == "silent" && arg.rfind("after ", 0) == 0) {
            ok = count(arg.substr(6), m_silentAfter);
        } else if (verb == "silent") {
            ok = onOff(m_silent);
            m_silentAfter = -1;
        } else if (line == "garbage inside") {
            m_board.garbageInside = true;
        } else if (verb == "garbage") {
            ok = onOff(m_board.garbage);
            m_board.garbageInside = m_board.garbageInside && arg != "off";
        } else if (verb == "hangup" && arg.rfind("after ", 0) == 0) {
            ok = count(arg.substr(6), m_hangupAfter);
            m_hangupArmed = m_hangupAfter;
        } else if (verb == "noise") {
            long n = 0;
            ok = count(arg, n);
            if (ok)
                flood(n);
        } else if (verb == "cut") {
            ok = onOff(m_board.cut);
        } else if (verb == "split") {
            ok = onOff(m_board.split);
        } else if (verb == "wire") {
            ok = onOff(wire);
        } else if (verb == "delay" || verb == "wait") {
            char *end = nullptr;
            const double seconds = std::strtod(arg.c_str(), &end);
            if (arg.empty() || *end != '\0' || seconds < 0) {
                std::printf("ERROR %s wants a number of seconds\n", verb.c_str());
                ok = false;
            } else if (verb == "delay") {
                m_delay = Millis(long(seconds * 1000));
                m_board.answerDelay = m_delay;
            } else {
                m_resumeAt = now + Millis(long(seconds * 1000));
            }
        } else if (line == "dump") {
            m_board.dump(now);
        } else if (line == "hangup") {
            std::printf("HANGUP\n");
            closeLine();
            return false;
        } else if (line == "quit") {
            std::printf("QUIT\n");
            return false;
        } else {
            std::printf("ERROR unknown command: %s\n", line.c_str());
            ok = false;
        }
        if (ok)
            std::printf("OK %s\n", line.c_str());
        return true;
    }

    int run(std::deque<std::string> pending)
    {
        std::string stdinBuf;
        bool stdinOpen = true;
        for (;;) {
            TimePoint now = SteadyClock::now();
            // Commands waiting (script lines, or lines held back by "wait").
            while (!pending.empty() && now >= m_resumeAt) {
                const std::string line = pending.front();
                pending.pop_front();
                if (!command(line, now))
                    return 0;
            }
            if (g_stop) {
                std::printf("QUIT\n");
                return 0;
            }
            m_board.tick(now);
            const std::optional<TimePoint> next = flush(now);

            pollfd fds[2] = {{m_master, POLLIN, 0}, {stdinOpen ? 0 : -1, POLLIN, 0}};
            if (!m_out.empty() && !next)
                fds[0].events |= POLLOUT;
            auto sleep = std::chrono::duration_cast<Millis>(kMaxSleep);
            if (next)
                sleep = std::min(sleep, std::chrono::ceil<Millis>(*next - now));
            if (!pending.empty() && m_resumeAt > now)
                sleep = std::min(sleep, std::chrono::ceil<Millis>(m_resumeAt - now));
            std::fflush(stdout);
            const int r = ::poll(fds, 2, int(std::max<long>(0, sleep.count())));
            if (r < 0 && errno != EINTR) {
                std::printf("ERROR poll: %s\n", std::strerror(errno));
                return 1;
            }
            now = SteadyClock::now();
            if (fds[0].revents & POLLIN) {
                char buf[4096];
                const ssize_t n = ::read(m_master, buf, sizeof buf);
                if (n > 0) {
                    if (m_verbose)
                        std::printf("RX %zd bytes: %s\n", n,
                                    readable(std::string_view(buf, std::size_t(n))).c_str());
                    if (!take(std::string_view(buf, std::size_t(n)), now))
                        return 0;
                }
            }
            if (fds[1].revents & (POLLIN | POLLHUP)) {
                char buf[4096];
                const ssize_t n = ::read(0, buf, sizeof buf);
                if (n <= 0) {
                    // End of standard input: the board keeps running until a
                    // signal (a background simulator has no input at all).
                    stdinOpen = false;
                    if (!stdinBuf.empty())
                        pending.push_back(stdinBuf);
                    stdinBuf.clear();
                } else {
                    stdinBuf.append(buf, std::size_t(n));
                    std::size_t eol;
                    while ((eol = stdinBuf.find('\n')) != std::string::npos) {
                        pending.push_back(stdinBuf.substr(0, eol));
                        stdinBuf.erase(0, eol + 1);
                    }
                }
            }
        }
    }

private:
    std::string m_link;
    bool m_verbose;
    Board m_board;
    int m_master = -1;
    int m_slave = -1;
    bool m_linked = false;
    bool m_silent = false;
    long m_silentAfter = -1; // outputs left before "silent after" falls silent
    long m_hangupAfter = -1; // bytes left before "hangup after" unplugs
    long m_hangupArmed = 0;
    Millis m_delay{0};
    TimePoint m_resumeAt{};
    TimePoint m_tailEnd{};
    std::deque<Burst> m_out;
    std::uint64_t m_queued = 0;
};

} // namespace

int main(int argc, char **argv)
{
    std::string link;
    std::string script;
    bool autoMode = false, wire = false, verbose = false, strict = true;
    int passages = 3;
    std::optional<Millis> quietLimit, splitGap;
    // A duration in seconds, above zero and at most an hour.
    const auto seconds = [](const char *text) -> std::optional<Millis> {
        char *end = nullptr;
        const double s = std::strtod(text, &end);
        if (end == text || *end != '\0' || !(s > 0 && s <= 3600))
            return std::nullopt;
        return Millis(static_cast<long long>(s * 1000 + 0.5));
    };
    unsigned seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--link" && hasValue)
            link = argv[++i];
        else if (a == "--script" && hasValue)
            script = argv[++i];
        else if (a == "--seed" && hasValue)
            seed = unsigned(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--passages" && hasValue)
            passages = std::max(0, std::atoi(argv[++i]));
        else if (a == "--auto")
            autoMode = true;
        else if (a == "--wire-speed")
            wire = true;
        else if (a == "--verbose")
            verbose = true;
        else if (a == "--strict" || a == "--lenient")
            strict = a == "--strict";
        else if ((a == "--quiet-limit" || a == "--split-gap") && hasValue) {
            const std::optional<Millis> d = seconds(argv[++i]);
            if (!d) {
                std::fprintf(stderr, "platine-sim: %s takes a number of seconds (0 to 3600)\n",
                             a.c_str());
                return 2;
            }
            (a == "--quiet-limit" ? quietLimit : splitGap) = d;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "platine-sim: unknown option %s\n\n%s", a.c_str(), kUsage);
            return 2;
        }
    }
    if (link.empty()) {
        std::fprintf(stderr, "platine-sim: --link PATH is required\n\n%s", kUsage);
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::deque<std::string> pending;
    if (!script.empty()) {
        std::ifstream in(script);
        if (!in) {
            std::fprintf(stderr, "platine-sim: cannot read %s\n", script.c_str());
            return 2;
        }
        for (std::string line; std::getline(in, line);)
            pending.push_back(line);
    }
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Simulator sim(link, verbose);
    sim.wire = wire;
    sim.noise.seed(seed);
    sim.board().autoMode = autoMode;
    sim.board().strict = strict;
    if (quietLimit)
        sim.board().quietLimit = *quietLimit;
    if (splitGap)
        sim.board().splitGap = *splitGap;
    sim.board().seedPassages(passages);
    if (!sim.open())
        return 1;
    return sim.run(std::move(pending));
}
