#pragma once
// The board played by platine-sim: its memories and its side of every
// exchange with the program. It does no input or output of its own: the
// bytes it sends and the lines it reports go through two hooks, and the
// main loop feeds it what the program wrote and the passing time.

#include <array>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platine::sim {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;
using Millis = std::chrono::milliseconds;

// Bytes as printable text, the others as <HH>.
std::string readable(std::string_view bytes);

struct Passage {
    std::string badge; // ten characters
    int hour = 0, minute = 0, day = 1, month = 1, year2 = 0, place = 0;
};

class Board {
public:
    struct Hooks {
        // Bytes for the line, to leave at least `gap` after the output
        // already queued (and after now). Returns the number that `left`
        // will be given once their last byte is on the line.
        std::function<std::uint64_t(std::string bytes, Millis gap)> send;
        // One line of the report on standard output.
        std::function<void(const std::string &line)> print;
    };

    explicit Board(Hooks hooks);

    // What the program wrote, in the order it arrived.
    void receive(std::string_view bytes, TimePoint now);
    // Time-outs of the exchanges and the demonstration cycle.
    void tick(TimePoint now);
    // The last byte of output `output` (a number `send` gave) has been
    // written to the line.
    void left(std::uint64_t output, TimePoint at);

    // The operator's actions on the board.
    void pushBp1(TimePoint now);
    void pushBp3(TimePoint now);
    void announceClock(TimePoint now);
    void present(std::string_view badge);
    void logPassage(std::string_view badge, int place, TimePoint now);
    void seedPassages(int count);
    void dump(TimePoint now);

    // Faults and modes, set by the commands of the same names.
    bool garbage = false;       // a stray character before each keyword
    bool garbageInside = false; // a stray character in the middle of each keyword
    bool cut = false;           // stop reading after half of the next block
    bool split = false;         // each keyword and "Historique" in two bursts
    bool autoMode = false;      // push the buttons by itself
    Millis answerDelay{0};      // the answers leave that late (widens the board's waits)
    // The program writes the bytes of one item back to back (a millisecond
    // or so apart); a line quiet this long in the middle of an item means it
    // stopped sending it (and ends the deafness after a violation).
    Millis quietLimit{2000};
    Millis splitGap{300}; // the second half of a split keyword leaves this late
    // An item whose first byte comes before the board's keyword has left,
    // or sooner after it than the program's receive step and the pause it
    // leaves (50 ms short allowed), is a violation.
    bool strict = false;

    // Memories, readable by the dump and by tests of the simulator.
    struct Params {
        int delay = 0, blocks = 0, buzzer = 0;
    };
    const Params &params() const { return m_params; }
    const std::vector<Passage> &passages() const { return m_log; }
    std::string clockText(TimePoint now) const;
    bool busy() const { return m_phase != Phase::Idle; }

private:
    enum class Phase { Idle, Upload, History, Clock, RazFlash, Deaf };
    enum class Item { None, Param, Block, Table, Vidage, Horaire, Heure, RazBytes };

    std::uint64_t sendKeyword(std::string_view keyword, TimePoint now);
    // The keyword as the faults under way put it on the line.
    std::string spoilt(std::string_view keyword) const;
    void expect(Item item, std::string word, int dataBytes, TimePoint now, int index = 0);
    void ask(std::string_view keyword, Millis pause, TimePoint now);
    bool early(char c, TimePoint now);
    void itemComplete(TimePoint now);
    void idleByte(char c, TimePoint now);
    void violation(const std::string &expected, const std::string &got, TimePoint now);
    void goIdle(TimePoint now);
    void finishUpload();
    void printList();
    void sendHistory(TimePoint now);
    void setClock(const std::string &bytes, TimePoint now);
    std::string externalEeprom() const;
    std::tm clockNow(TimePoint now, int *weekday1Sunday) const;
    std::string describeItem() const;

    Hooks m_hooks;

    // Memories.
    Params m_params;
    std::array<unsigned char, 1000> m_badges{};
    std::array<std::array<unsigned char, 100>, 7> m_tables{};
    std::array<unsigned char, 256> m_internal{};
    std::vector<Passage> m_log;
    std::size_t m_downloadOffset = 0;
    std::time_t m_clockBase = 0; // the clock's value when set, as UTC seconds
    TimePoint m_clockSetAt{};
    int m_weekdayShift = 0; // the day of the week the program gave, against the date

    // The exchange under way.
    Phase m_phase = Phase::Idle;
    Item m_item = Item::None;
    int m_index = 0;         // block number (1..4) or table index (0..6)
    std::string m_word;      // keyword the program must write first
    int m_dataBytes = 0;     // bytes that follow it
    std::string m_got;       // what arrived of the current item
    std::string m_newBadges; // blocks of the upload under way
    Params m_newParams;
    long m_offset = 0;       // bytes received since the exchange began
    TimePoint m_itemSince{}; // when the board started awaiting the item
    // What the item's first byte must wait for: the output that asks for it
    // (0 when none does) and the pause after `m_after`, counted from
    // `m_afterAt` (unknown while that output is still queued).
    std::uint64_t m_prompt = 0;
    std::string m_after;
    std::optional<TimePoint> m_afterAt;
    Millis m_pause{0};
    Millis m_minGap{0}; // the earliest the item may start after `m_afterAt`
    TimePoint m_lastRx{};
    TimePoint m_idleSince{};
    std::string m_command; // maintenance command being received
    int m_autoStep = 0;
};

} // namespace platine::sim
