#include "board.h"

#include "core/board/protocol.h"

#include <algorithm>
#include <cstdio>

namespace platine::sim {

namespace proto = platine::protocol;
using namespace std::chrono_literals;

namespace {

// The program waits 10 s for each keyword of the board and answers within
// a second; the board waits as long for the answer before giving up.
constexpr auto kAnswerWindow = 10s;
// In the demonstration cycle, the board leaves the line quiet this long
// between two announcements.
constexpr auto kAutoPause = 5s;
// The board's own pause between storing an item and asking for the next
// (it writes its memory meanwhile). A program that sends the next item
// without awaiting its keyword is caught by it: the item comes before the
// keyword has left.
constexpr auto kStoreTime = 100ms;
// The pauses the program leaves between the board's keyword and its answer:
// 0.2 s before "param" and before each badge block, 0.5 s before "vidage"
// and before "horaire", and 0.5 s between "horaire" and "heure".
constexpr auto kUploadPause = 200ms;
constexpr auto kWordPause = 500ms;
// The program sees a keyword only at its receive step, 100 ms after the
// keyword's first byte came; its pause runs from there. From the keyword's
// last byte on the line to the answer's first byte, the board therefore
// counts the receive step and the pause.
constexpr auto kReceiveStep = 100ms;
// The program measures its pauses on its own clock and the terminal delays
// the bytes both ways: an answer this much short of the receive step and its
// pause still counts as after them, while one sent after a pause much
// shorter than its own (0.06 s for 0.2 s) never does.
constexpr auto kPauseTolerance = 50ms;

constexpr char kStray = '#';

std::string byteText(unsigned char c)
{
    char text[16];
    if (c >= 0x20 && c < 0x7F)
        std::snprintf(text, sizeof text, "0x%02X '%c'", c, c);
    else
        std::snprintf(text, sizeof text, "0x%02X", c);
    return text;
}

std::string hex2(int b)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02X", b & 0xFF);
    return text;
}

// Packed decimal as the list shows it: 0x07 -> "7"; a byte that is not
// packed decimal shows as "x" and its hexadecimal digits.
std::string decimalOf(int b)
{
    const int v = proto::unpackDecimal(b);
    return v < 0 ? "x" + hex2(b) : std::to_string(v);
}

// The five badge bytes of a passage, from the pairs of its number.
void badgeBytes(std::string_view badge, std::string &out)
{
    for (int i = 0; i < 5; ++i) {
        int value = 0;
        for (int k = 0; k < 2; ++k) {
            const std::size_t at = std::size_t(2 * i + k);
            const char c = at < badge.size() ? badge[at] : '0';
            int d = 0;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            value = value * 16 + d;
        }
        out += char(value);
    }
}

} // namespace

std::string readable(std::string_view bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", c);
            out += hex;
        }
    }
    return out;
}

Board::Board(Hooks hooks) : m_hooks(std::move(hooks))
{
    // The board starts with its clock at the PC's local time.
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    m_clockBase = timegm(&local);
    m_clockSetAt = SteadyClock::now();
    m_internal.fill(0xFF);
    const std::string_view signature = "PLATINE V1.0";
    std::copy(signature.begin(), signature.end(), m_internal.begin() + 0x10);
    m_internal[0] = m_internal[1] = m_internal[2] = 0;
    m_idleSince = SteadyClock::now();
}

// --- Clock ------------------------------------------------------------------------

std::tm Board::clockNow(TimePoint now, int *weekday1Sunday) const
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - m_clockSetAt);
    const std::time_t t = m_clockBase + std::time_t(elapsed.count());
    std::tm fields{};
    gmtime_r(&t, &fields);
    if (weekday1Sunday)
        *weekday1Sunday = (fields.tm_wday + m_weekdayShift + 7) % 7 + 1;
    return fields;
}

std::string Board::clockText(TimePoint now) const
{
    const std::tm t = clockNow(now, nullptr);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %02d/%02d/%02d", t.tm_hour, t.tm_min, t.tm_sec,
                  t.tm_mday, t.tm_mon + 1, t.tm_year % 100);
    return text;
}

void Board::setClock(const std::string &bytes, TimePoint now)
{
    int v[7];
    static const int lo[7] = {0, 0, 0, 1, 1, 0, 1};
    static const int hi[7] = {23, 59, 59, 31, 12, 99, 7};
    static const char *names[7] = {"hour",  "minute", "second",         "day",
                                   "month", "year",   "day of the week"};
    for (int i = 0; i < 7; ++i) {
        v[i] = proto::unpackDecimal(static_cast<unsigned char>(bytes[std::size_t(i)]));
        if (v[i] < lo[i] || v[i] > hi[i]) {
            violation(std::string(names[i]) + " in packed decimal " + std::to_string(lo[i]) + ".." +
                          std::to_string(hi[i]) + " at clock byte " + std::to_string(i),
                      byteText(static_cast<unsigned char>(bytes[std::size_t(i)])), now);
            m_hooks.print("CLOCK REFUSED");
            return;
        }
    }
    std::tm fields{};
    fields.tm_hour = v[0];
    fields.tm_min = v[1];
    fields.tm_sec = v[2];
    fields.tm_mday = v[3];
    fields.tm_mon = v[4] - 1;
    fields.tm_year = 100 + v[5];
    m_clockBase = timegm(&fields);
    m_clockSetAt = now;
    std::tm check{};
    gmtime_r(&m_clockBase, &check);
    m_weekdayShift = (v[6] - 1) - check.tm_wday;
    const std::string text = clockText(now);
    m_hooks.print("CLOCK SET " + text + " weekday=" + std::to_string(v[6]));
    m_hooks.send(std::string(proto::kModificationEnregistree) + " " + text + "\r\n", 0ms);
}

// --- Operator actions --------------------------------------------------------------

std::string Board::spoilt(std::string_view keyword) const
{
    std::string bytes;
    if (garbage)
        bytes += kStray;
    bytes += keyword;
    if (garbageInside && keyword.size() > 1)
        bytes.insert(bytes.size() - keyword.size() + keyword.size() / 2, 1, kStray);
    return bytes;
}

std::uint64_t Board::sendKeyword(std::string_view keyword, TimePoint now)
{
    (void)now;
    const std::string bytes = spoilt(keyword);
    if (split && bytes.size() > 1) {
        // The board sends the keyword whole; the line hands its second half
        // over late enough to come in another read. The board's own pause
        // runs from the first half, as the program may act on a prefix.
        const std::uint64_t first = m_hooks.send(bytes.substr(0, bytes.size() / 2), kStoreTime);
        m_hooks.send(bytes.substr(bytes.size() / 2), splitGap);
        return first;
    }
    return m_hooks.send(bytes, kStoreTime);
}

void Board::pushBp1(TimePoint now)
{
    if (m_phase != Phase::Idle)
        m_hooks.print("NOTE bp1 pressed during " + describeItem() + ": exchange restarted");
    m_phase = Phase::Upload;
    m_offset = 0;
    m_newBadges.clear();
    expect(Item::Param, std::string(proto::kParam), proto::kParamBytes, now);
    ask(proto::kPret, kUploadPause, now);
}

void Board::pushBp3(TimePoint now)
{
    if (m_phase != Phase::Idle)
        m_hooks.print("NOTE bp3 pressed during " + describeItem() + ": exchange restarted");
    m_phase = Phase::History;
    m_offset = 0;
    expect(Item::Vidage, std::string(proto::kVidage), 0, now);
    ask(proto::kVidageAnnounce, kWordPause, now);
}

void Board::announceClock(TimePoint now)
{
    if (m_phase != Phase::Idle)
        m_hooks.print("NOTE clock announced during " + describeItem() + ": exchange restarted");
    m_phase = Phase::Clock;
    m_offset = 0;
    expect(Item::Horaire, std::string(proto::kHoraire), 0, now);
    ask("Mise a jour", kWordPause, now);
}

void Board::present(std::string_view badge)
{
    std::string bytes = spoilt(proto::kTag);
    bytes += ": ";
    bytes += badge;
    bytes += "\r\n";
    if (split) {
        m_hooks.send(bytes.substr(0, 2), 0ms);
        m_hooks.send(bytes.substr(2), splitGap);
    } else {
        m_hooks.send(bytes, 0ms);
    }
    m_hooks.print("BADGE PRESENTED " + std::string(badge));
}

void Board::logPassage(std::string_view badge, int place, TimePoint now)
{
    const std::tm t = clockNow(now, nullptr);
    Passage p{std::string(badge), t.tm_hour,       t.tm_min, t.tm_mday,
              t.tm_mon + 1,       t.tm_year % 100, place};
    m_log.push_back(p);
    m_hooks.print("PASSAGE " +
                  proto::historyLine(p.badge, p.hour, p.minute, p.day, p.month, p.year2, p.place));
}

void Board::seedPassages(int count)
{
    for (int i = 0; i < count; ++i) {
        char badge[16];
        std::snprintf(badge, sizeof badge, "%010d", 123456789 + i * 1111);
        m_log.push_back(Passage{badge, 7 + i % 12, (i * 7 + 30) % 60, 1 + i % 28, 1 + (i / 28) % 12,
                                26, 1 + i % 20});
    }
}

void Board::dump(TimePoint now)
{
    m_hooks.print("PARAM delay=" + std::to_string(m_params.delay) + " blocks=" +
                  std::to_string(m_params.blocks) + " buzzer=" + std::to_string(m_params.buzzer));
    m_hooks.print("CLOCK " + clockText(now));
    m_hooks.print("OFFSET " + std::to_string(m_downloadOffset));
    m_hooks.print("PASSAGES " + std::to_string(m_log.size()));
    for (const Passage &p : m_log)
        m_hooks.print("PASSAGE " + proto::historyLine(p.badge, p.hour, p.minute, p.day, p.month,
                                                      p.year2, p.place));
    printList();
    const std::string internal(m_internal.begin(), m_internal.end());
    const std::string internalDump = proto::dumpLines(internal, 16);
    std::size_t start = 0;
    while (start < internalDump.size()) {
        const std::size_t end = internalDump.find("\r\n", start);
        m_hooks.print("EEPROM " + internalDump.substr(start, end - start));
        start = end + 2;
    }
    m_hooks.print("EXTERNAL " + std::to_string(externalEeprom().size()) + " bytes");
    m_hooks.print(std::string("MODE ") + (m_phase == Phase::Idle   ? "idle"
                                          : m_phase == Phase::Deaf ? "deaf"
                                                                   : "awaiting " + describeItem()));
}

// --- Receiving -------------------------------------------------------------------------

void Board::expect(Item item, std::string word, int dataBytes, TimePoint now, int index)
{
    m_item = item;
    m_index = index;
    m_word = std::move(word);
    m_dataBytes = dataBytes;
    m_got.clear();
    // The window opens when the prompt leaves, which is late in delay mode.
    m_itemSince = now + answerDelay;
    m_prompt = 0;
    m_after.clear();
    m_afterAt = now;
    m_pause = 0ms;
    m_minGap = 0ms;
}

// Asks for the item just expected with `keyword`; the program answers once
// the keyword has reached it (its receive step), `pause` later.
void Board::ask(std::string_view keyword, Millis pause, TimePoint now)
{
    m_prompt = sendKeyword(keyword, now);
    m_after = "\"" + std::string(keyword) + "\"";
    m_afterAt.reset();
    m_pause = pause;
    m_minGap = kReceiveStep + pause - kPauseTolerance;
}

void Board::left(std::uint64_t output, TimePoint at)
{
    if (m_item == Item::None || output != m_prompt || m_afterAt)
        return;
    m_afterAt = at;
    m_itemSince = at;
}

// Reports the first byte of an item that came too soon: before the keyword
// asking for it had left, or inside the pause that follows.
bool Board::early(char c, TimePoint now)
{
    std::string when;
    if (!m_afterAt) {
        when = "before " + m_after + " had left";
    } else if (m_minGap > 0ms && now < *m_afterAt + m_minGap) {
        const auto after = std::chrono::duration_cast<Millis>(now - *m_afterAt);
        when = std::to_string(after.count()) + " ms after it";
    } else {
        return false;
    }
    std::string gap;
    if (m_minGap > 0ms)
        gap = "at least " + std::to_string(m_minGap.count()) + " ms (" +
              (m_prompt != 0 ? std::to_string(kReceiveStep.count()) + " ms receive step, " : "") +
              (m_pause > 0ms ? std::to_string(m_pause.count()) + " ms pause, " : "no pause, ") +
              std::to_string(kPauseTolerance.count()) + " ms short allowed) ";
    violation(describeItem() + " " + gap + "after " + m_after,
              byteText(static_cast<unsigned char>(c)) + " " + when, now);
    return true;
}

std::string Board::describeItem() const
{
    switch (m_item) {
    case Item::None:
        return "nothing";
    case Item::Param:
        return "\"param\" and 3 bytes";
    case Item::Block:
        return "250 bytes of block " + std::to_string(m_index);
    case Item::Table:
        return "\"" + std::string(proto::kTableKeywords[std::size_t(m_index)]) + "\" and 100 bytes";
    case Item::Vidage:
        return "\"vidage\"";
    case Item::Horaire:
        return "\"horaire\"";
    case Item::Heure:
        return "\"heure\" and 7 clock bytes";
    case Item::RazBytes:
        return "2 bytes after \"raz_flash\"";
    }
    return "";
}

void Board::violation(const std::string &expected, const std::string &got, TimePoint now)
{
    m_hooks.print("VIOLATION offset=" + std::to_string(m_offset) + " expected " + expected +
                  " got " + got);
    // The rest of what the program is writing would only repeat the fault:
    // the board stops listening until the line is quiet.
    m_phase = Phase::Deaf;
    m_item = Item::None;
    m_command.clear();
    m_lastRx = now;
}

void Board::goIdle(TimePoint now)
{
    m_phase = Phase::Idle;
    m_item = Item::None;
    m_command.clear();
    m_idleSince = now;
}

void Board::receive(std::string_view bytes, TimePoint now)
{
    for (char c : bytes) {
        m_lastRx = now;
        switch (m_phase) {
        case Phase::Deaf:
            continue;
        case Phase::Idle:
            idleByte(c, now);
            continue;
        default:
            break;
        }
        if (strict && m_got.empty() && early(c, now)) {
            ++m_offset;
            continue;
        }
        const std::size_t pos = m_got.size();
        if (pos < m_word.size() && c != m_word[pos]) {
            violation("\"" + m_word + "\" (" + byteText(static_cast<unsigned char>(m_word[pos])) +
                          " at its byte " + std::to_string(pos) + ") for " + describeItem(),
                      byteText(static_cast<unsigned char>(c)) + " after \"" + readable(m_got) +
                          "\"",
                      now);
            ++m_offset;
            continue;
        }
        m_got += c;
        ++m_offset;
        if (cut && (m_item == Item::Block || m_item == Item::Table) &&
            int(m_got.size()) == int(m_word.size()) + m_dataBytes / 2) {
            m_hooks.print("CUT after " + std::to_string(m_dataBytes / 2) + " bytes of " +
                          describeItem());
            cut = false;
            m_phase = Phase::Deaf;
            m_item = Item::None;
            continue;
        }
        if (int(m_got.size()) == int(m_word.size()) + m_dataBytes)
            itemComplete(now);
    }
}

void Board::idleByte(char c, TimePoint now)
{
    static const std::string_view commands[] = {proto::kEeprom, proto::kVidage, proto::kRazOffset,
                                                proto::kRazFlash};
    if (m_command.empty())
        m_offset = 0;
    m_command += c;
    ++m_offset;
    bool prefix = false;
    for (std::string_view command : commands) {
        if (command == m_command) {
            const std::string word = m_command;
            m_command.clear();
            m_idleSince = now;
            if (word == proto::kEeprom) {
                const std::string internal(m_internal.begin(), m_internal.end());
                m_hooks.send(proto::dumpLines(internal, 16), 0ms);
                m_hooks.print("DUMP eeprom 256 bytes");
            } else if (word == proto::kVidage) {
                const std::string external = externalEeprom();
                m_hooks.send(proto::dumpLines(external, 16), 0ms);
                m_hooks.print("DUMP vidage " + std::to_string(external.size()) + " bytes");
            } else if (word == proto::kRazOffset) {
                m_downloadOffset = 0;
                m_hooks.print("RAZ offset");
            } else {
                m_phase = Phase::RazFlash;
                expect(Item::RazBytes, "", 2, now);
                m_itemSince = now;
            }
            return;
        }
        if (command.substr(0, m_command.size()) == m_command)
            prefix = true;
    }
    if (!prefix) {
        const std::string got = readable(m_command);
        m_command.clear();
        m_hooks.print("VIOLATION offset=" + std::to_string(m_offset) +
                      " expected a command (eeprom, vidage, raz_offset, raz_flash) got \"" + got +
                      "\"");
        m_phase = Phase::Deaf;
    }
}

void Board::itemComplete(TimePoint now)
{
    const std::string data = m_got.substr(m_word.size());
    switch (m_item) {
    case Item::Param: {
        const auto b = [&](int i) { return static_cast<unsigned char>(data[std::size_t(i)]); };
        m_newParams = Params{b(0), b(1), b(2)};
        if (m_newParams.blocks < 1 || m_newParams.blocks > proto::kMaxBlocks) {
            violation("a block count 1..4", byteText(b(1)), now);
            return;
        }
        if (m_newParams.buzzer > 1)
            m_hooks.print("VIOLATION offset=" + std::to_string(m_offset) +
                          " expected a buzzer flag 0 or 1 got " + byteText(b(2)));
        m_params = m_newParams;
        m_internal[0] = b(0);
        m_internal[1] = b(1);
        m_internal[2] = b(2);
        m_hooks.print("STORED param delay=" + std::to_string(m_params.delay) +
                      " blocks=" + std::to_string(m_params.blocks) +
                      " buzzer=" + std::to_string(m_params.buzzer));
        expect(Item::Block, "", proto::kBlockBytes, now, 1);
        ask(proto::kBadge, kUploadPause, now);
        return;
    }
    case Item::Block: {
        m_newBadges += data;
        m_hooks.print("STORED block " + std::to_string(m_index));
        if (m_index < m_newParams.blocks) {
            const int next = m_index + 1;
            expect(Item::Block, "", proto::kBlockBytes, now, next);
            ask(std::string(proto::kBadge) + std::to_string(next), kUploadPause, now);
        } else {
            // The blocks not sent are cleared: the board holds the list just sent.
            m_badges.fill(0);
            std::copy(m_newBadges.begin(), m_newBadges.end(), m_badges.begin());
            expect(Item::Table, std::string(proto::kTableKeywords[0]), proto::kTableBytes, now, 0);
            ask(proto::kTableKeywords[0], 0ms, now);
        }
        return;
    }
    case Item::Table: {
        const int t = m_index;
        auto &table = m_tables[std::size_t(t)];
        std::copy(data.begin(), data.end(), table.begin());
        m_hooks.print("STORED table " + std::string(proto::kTableKeywords[std::size_t(t)]));
        // What the board can make use of: hours 0..23, minutes 0..59 (99 is
        // "no restriction"), day codes 0..9, places in packed decimal, days
        // of the month 0..31.
        for (int slot = 0; slot < proto::kTableBytes; ++slot) {
            const int b = table[std::size_t(slot)];
            const int v = proto::unpackDecimal(b);
            std::string want;
            if ((t == 0 || t == 2) && !(v == 99 || (v >= 0 && v <= 23)))
                want = "an hour in packed decimal (0..23 or 99)";
            else if ((t == 1 || t == 3) && !(v == 99 || (v >= 0 && v <= 59)))
                want = "a minute in packed decimal (0..59 or 99)";
            else if (t == 4 && b > 9)
                want = "a day code 0..9";
            else if (t == 5 && v < 0)
                want = "a place in packed decimal";
            else if (t == 6 && b > 31)
                want = "a day of the month 0..31";
            if (!want.empty())
                m_hooks.print(
                    "VIOLATION offset=" + std::to_string(m_offset - proto::kTableBytes + slot) +
                    " expected " + want + " in slot " + std::to_string(slot) + " got " +
                    byteText(static_cast<unsigned char>(b)));
        }
        if (t + 1 < int(proto::kTableKeywords.size())) {
            const std::string_view next = proto::kTableKeywords[std::size_t(t + 1)];
            expect(Item::Table, std::string(next), proto::kTableBytes, now, t + 1);
            ask(next, 0ms, now);
        } else {
            finishUpload();
            goIdle(now);
        }
        return;
    }
    case Item::Vidage:
        sendHistory(now);
        goIdle(now);
        return;
    case Item::Horaire:
        expect(Item::Heure, std::string(proto::kHeure), proto::kClockBytes, now);
        m_itemSince = now;
        m_after = "\"" + std::string(proto::kHoraire) + "\"";
        // Two words of the program's own: its pause alone, no receive step.
        m_pause = kWordPause;
        m_minGap = kWordPause - kPauseTolerance;
        return;
    case Item::Heure:
        setClock(data, now);
        goIdle(now);
        return;
    case Item::RazBytes:
        if (data == std::string("\0\0", 2)) {
            m_log.clear();
            m_downloadOffset = 0;
            m_hooks.print("RAZ flash history erased");
        } else if (data == "\x01\x01") {
            m_log.clear();
            m_downloadOffset = 0;
            m_badges.fill(0);
            for (auto &table : m_tables)
                table.fill(0);
            m_internal.fill(0xFF);
            m_params = Params{};
            m_hooks.print("RAZ flash everything erased");
        } else {
            violation("0x00 0x00 or 0x01 0x01 after \"raz_flash\"",
                      byteText(static_cast<unsigned char>(data[0])) + " " +
                          byteText(static_cast<unsigned char>(data[1])),
                      now);
            return;
        }
        goIdle(now);
        return;
    case Item::None:
        return;
    }
}

void Board::finishUpload()
{
    printList();
    int records = 0;
    for (int slot = 0; slot < proto::kTableBytes; ++slot) {
        bool used = false;
        for (int k = 0; k < 5; ++k)
            used = used || m_badges[std::size_t(5 * slot + k)] != 0;
        for (const auto &table : m_tables)
            used = used || table[std::size_t(slot)] != 0;
        records += used ? 1 : 0;
    }
    m_hooks.print("UPLOAD COMPLETE blocks=" + std::to_string(m_params.blocks) +
                  " slots=" + std::to_string(records));
}

void Board::printList()
{
    for (int slot = 0; slot < proto::kTableBytes; ++slot) {
        std::string badge;
        bool used = false;
        for (int k = 0; k < 5; ++k) {
            const int b = m_badges[std::size_t(5 * slot + k)];
            badge += hex2(b);
            used = used || b != 0;
        }
        for (const auto &table : m_tables)
            used = used || table[std::size_t(slot)] != 0;
        if (!used)
            continue;
        const auto at = [&](int t) { return int(m_tables[std::size_t(t)][std::size_t(slot)]); };
        m_hooks.print("SLOT " + std::to_string(slot) + " badge=" + badge + " debut=" + hex2(at(0)) +
                      ":" + hex2(at(1)) + " fin=" + hex2(at(2)) + ":" + hex2(at(3)) +
                      " jour=" + std::to_string(at(4)) + " lieu=" + decimalOf(at(5)) +
                      " jour_mois=" + std::to_string(at(6)));
    }
}

std::string Board::externalEeprom() const
{
    // Eleven bytes a passage: the badge's five bytes, hour, minute, day,
    // month, year and place in packed decimal.
    std::string bytes;
    for (const Passage &p : m_log) {
        badgeBytes(p.badge, bytes);
        for (int v : {p.hour, p.minute, p.day, p.month, p.year2, p.place % 100})
            bytes += char(std::max(0, proto::packedDecimal(v)));
    }
    return bytes;
}

void Board::sendHistory(TimePoint now)
{
    (void)now;
    std::string text;
    const std::size_t from = std::min(m_downloadOffset, m_log.size());
    for (std::size_t i = from; i < m_log.size(); ++i) {
        const Passage &p = m_log[i];
        text += proto::historyLine(p.badge, p.hour, p.minute, p.day, p.month, p.year2, p.place);
        text += "\r\n";
    }
    const std::string_view marker = proto::kHistorique;
    if (split) {
        text += marker.substr(0, 5);
        m_hooks.send(text, 0ms);
        m_hooks.send(std::string(marker.substr(5)), splitGap);
    } else {
        text += marker;
        m_hooks.send(text, 0ms);
    }
    m_hooks.print("HISTORY SENT " + std::to_string(m_log.size() - from) + " passages");
    m_downloadOffset = m_log.size();
}

// --- Time ------------------------------------------------------------------------------

void Board::tick(TimePoint now)
{
    switch (m_phase) {
    case Phase::Deaf:
        if (now - m_lastRx >= quietLimit)
            goIdle(now);
        return;
    case Phase::Idle:
        if (!m_command.empty() && now - m_lastRx >= quietLimit) {
            m_hooks.print("VIOLATION offset=" + std::to_string(m_offset) +
                          " expected a complete command got \"" + readable(m_command) +
                          "\" and a quiet line");
            m_command.clear();
            m_idleSince = now;
        }
        if (autoMode && m_command.empty() && now - m_idleSince >= kAutoPause) {
            switch (m_autoStep++ % 4) {
            case 0:
                pushBp1(now);
                break;
            case 1:
                pushBp3(now);
                break;
            case 2:
                announceClock(now);
                break;
            default:
                present("0123456789");
                m_idleSince = now;
                break;
            }
        }
        return;
    default:
        break;
    }
    if (m_got.empty()) {
        if (now >= m_itemSince + kAnswerWindow) {
            m_hooks.print("ABANDON no " + describeItem() + " within 10 s");
            goIdle(now);
        }
    } else if (now - m_lastRx >= quietLimit) {
        violation(describeItem(),
                  std::to_string(m_got.size()) + " bytes (\"" +
                      readable(m_got.substr(0, std::min<std::size_t>(m_got.size(), 20))) +
                      "\"...) and a quiet line",
                  now);
        goIdle(now);
    }
}

} // namespace platine::sim
