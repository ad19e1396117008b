#include "core/board/upload_plan.h"

#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "core/badges/record_check.h"
#include "core/board/protocol.h"
#include "core/platform/cp1252.h"

namespace platine {

namespace {

// A whole decimal number of at most `maxDigits` significant digits, blanks
// around and leading zeros allowed ("005" is 5).
std::optional<int> wholeNumber(std::string_view text, std::size_t maxDigits)
{
    text = profile::trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    int v = 0;
    std::size_t significant = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        if (v > 0 || c != '0')
            ++significant;
        if (significant > maxDigits)
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// "badge n° 3 (emplacement 2, numéro « 0123456789 »)"
Message badgeName(const BadgeTables &t, int slot)
{
    return Message(
        "Upload", PLATINE_TR_NOOP("Upload", "badge n° %1 (emplacement %2, numéro « %3 »)"),
        {std::to_string(slot + 1), std::to_string(slot), cp1252::toUtf8(t.tab_numero[slot])});
}

Message refusal(Message what)
{
    return Message(
        "Upload", PLATINE_TR_NOOP("Upload", "Liste refusée, rien n'a été envoyé à la platine : %1"),
        {std::move(what)});
}

} // namespace

int uploadRecordCount(std::string_view recordCountText)
{
    // Five digits hold any count a 16-bit number can carry.
    return wholeNumber(recordCountText, 5).value_or(0);
}

std::optional<Message> uploadRefusal(const BadgeTables &t, std::string_view strikeDelayText,
                                     std::string_view recordCountText)
{
    constexpr const char *c = "Upload";
    const auto delay = wholeNumber(strikeDelayText, 2);
    if (!delay || *delay > protocol::kMaxStrikeDelay)
        return refusal(
            Message(c,
                    PLATINE_TR_NOOP("Upload", "la temporisation de gâche « %1 » n'est "
                                              "pas un nombre entier de 0 à 65 secondes."),
                    {cp1252::toUtf8(strikeDelayText)}));

    const int count = uploadRecordCount(recordCountText);
    if (count > kBoardRecords)
        return tooManyRecords(count);

    // Slots past the last record hold the reader's reset values, which are
    // all valid; only the records need looking at.
    const int records = count < kBoardRecords ? count : kBoardRecords;
    for (int i = 0; i < records; ++i)
        if (std::optional<Message> why = recordRefusalMessage(t, i))
            return refusal(Message(c, PLATINE_TR_NOOP("Upload", "%1 : %2"),
                                   {badgeName(t, i), std::move(*why)}));
    // Entries past the last record go out as the tables hold them; they come
    // from earlier reads of valid numbers or are zero, but a byte they are not
    // would be cut on the line.
    for (int e = 0; e < protocol::kMaxBlocks * protocol::kBlockBytes; ++e)
        if (t.tab_octets_badge[e] < 0 || t.tab_octets_badge[e] > 0xFF)
            return refusal(
                Message(c, PLATINE_TR_NOOP("Upload", "octet de badge n° %1 hors de 0 à 255 (%2)."),
                        {std::to_string(e), std::to_string(t.tab_octets_badge[e])}));
    return std::nullopt;
}

Message tooManyRecords(int count)
{
    return refusal(Message("Upload",
                           PLATINE_TR_NOOP("Upload", "la liste compte %1 enregistrements ; la "
                                                     "platine en garde 100 au plus."),
                           {std::to_string(count)}));
}

std::optional<std::string> validateUpload(const BadgeTables &t, std::string_view strikeDelayText,
                                          std::string_view recordCountText)
{
    if (const std::optional<Message> why = uploadRefusal(t, strikeDelayText, recordCountText))
        return why->french();
    return std::nullopt;
}

UploadPlan planUpload(const BadgeTables &t, std::string_view strikeDelayText, bool buzzer,
                      std::string_view recordCountText)
{
    UploadPlan plan;
    plan.blocks = protocol::blockCount(uploadRecordCount(recordCountText));
    plan.param = {static_cast<unsigned char>(wholeNumber(strikeDelayText, 2).value_or(0)),
                  static_cast<unsigned char>(plan.blocks),
                  static_cast<unsigned char>(buzzer ? 1 : 0)};
    plan.blockBytes.resize(std::size_t(plan.blocks));
    for (int k = 0; k < plan.blocks; ++k)
        for (int j = 0; j < protocol::kBlockBytes; ++j)
            plan.blockBytes[std::size_t(k)][std::size_t(j)] = static_cast<unsigned char>(
                t.tab_octets_badge[std::size_t(k * protocol::kBlockBytes + j)]);

    // Each table takes its field's packed decimal byte, its number, or (the
    // day code) the digit of its text.
    for (const RecordField &f : kRecordFields) {
        if (f.boardTable < 0)
            continue;
        auto &table = plan.tables[std::size_t(f.boardTable)];
        for (int i = 0; i < protocol::kTableBytes; ++i) {
            const int v = f.packed   ? (t.*f.packed)[i]
                          : f.number ? (t.*f.number)[i]
                                     : boardDayCode((t.*f.text)[i]).value_or(0);
            table[std::size_t(i)] = static_cast<unsigned char>(v);
        }
    }
    return plan;
}

std::string uploadStream(const UploadPlan &plan)
{
    std::string s(protocol::kParam);
    s.append(reinterpret_cast<const char *>(plan.param.data()), plan.param.size());
    for (const auto &block : plan.blockBytes)
        s.append(reinterpret_cast<const char *>(block.data()), block.size());
    for (int k = 0; k < protocol::kTables; ++k) {
        s += protocol::kTableKeywords[std::size_t(k)];
        s.append(reinterpret_cast<const char *>(plan.tables[std::size_t(k)].data()),
                 plan.tables[std::size_t(k)].size());
    }
    return s;
}

} // namespace platine
