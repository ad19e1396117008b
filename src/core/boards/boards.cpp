#include "core/boards/boards.h"

#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "core/badges/record_fields.h"

#include <unordered_map>
#include <unordered_set>

namespace platine::boards {

namespace {

// The field's bare name as kRecordFields marks it for translation.
const char *nameOf(const std::string &name)
{
    for (const RecordField &f : kRecordFields)
        if (name == f.name)
            return f.name;
    return "";
}

constexpr std::size_t kWhole = 4096; // values are read whole

std::string oneLine(std::string_view s)
{
    // The line breaks made blanks before the blanks around are taken off: a
    // text ending with one is written the same the first time as the next.
    std::string out(s);
    for (char &c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return std::string(profile::trimBlanks(out));
}

// The line between the record's keys and the list's bytes (Windows-1252).
const std::string &listMark()
{
    static const std::string mark = "--- liste envoy\xE9" "e ---\r\n";
    return mark;
}

// The fields the comparison looks at: the derived texts ("24 h 24", the
// day's name, "tous lieux") follow the values they name.
bool compared(const RecordField &f)
{
    return f.value != &RecordFields::h24 && f.value != &RecordFields::jour_texte &&
           f.value != &RecordFields::tous_lieux;
}

bool sameValue(const RecordField &f, const std::string &a, const std::string &b)
{
    if (f.rule == FieldRule::Text || f.rule == FieldRule::BadgeNumber)
        return profile::trimBlanks(a) == profile::trimBlanks(b);
    // Numbers as the reader takes them: "07" and "7" send the same byte.
    return valeurEntiere(a) == valeurEntiere(b);
}

struct Record {
    std::string section;
    RecordFields fields; // the compared ones, and the name
    Validity validity;
};

// The records of a list, the first of each name, in file order: one
// look-up of each section, then its keys without a copy each.
std::vector<Record> firstRecords(const profile::Parsed &parsed)
{
    static const std::vector<std::pair<std::string, const RecordField *>> keys = [] {
        std::vector<std::pair<std::string, const RecordField *>> k;
        for (const RecordField &f : kRecordFields)
            if (compared(f))
                k.emplace_back(profile::nameKey(f.key), &f);
        return k;
    }();
    static const std::string from = profile::nameKey(listkey::valide_du);
    static const std::string until = profile::nameKey(listkey::valide_jusqu_au);
    std::vector<Record> out;
    std::unordered_set<std::string> seen;
    for (const std::string &s : parsed.sections()) {
        if (!seen.insert(profile::nameKey(s)).second)
            continue;
        Record r{s, {}, {}};
        if (const profile::Parsed::Keys *k = parsed.keysOf(s)) {
            const auto value = [&](const std::string &key) -> std::string_view {
                const auto v = k->find(key);
                return v == k->end() ? std::string_view() : std::string_view(v->second);
            };
            for (const auto &[key, field] : keys)
                r.fields.*field->value = std::string(value(key));
            r.validity = {parseDate(value(from)), parseDate(value(until))};
        }
        out.push_back(std::move(r));
    }
    return out;
}

} // namespace

std::vector<Board> readBoards(std::string_view content)
{
    const profile::Parsed parsed(content);
    std::vector<Board> out;
    std::unordered_set<std::string> seen;
    for (const std::string &port : parsed.sections()) {
        if (port.empty() || !seen.insert(profile::nameKey(port)).second)
            continue;
        out.push_back({port, parsed.get(port, "nom", "", kWhole),
                       parsed.get(port, "lieux", "", kWhole)});
    }
    return out;
}

std::string writeBoards(const std::vector<Board> &boards)
{
    std::string out;
    for (const Board &b : boards) {
        const std::string port = oneLine(b.port);
        if (port.empty())
            continue;
        out += "[" + port + "]\r\nnom=" + oneLine(b.nom) + "\r\nlieux=" + oneLine(b.lieux) +
               "\r\n\r\n";
    }
    return out;
}

const Board *findBoard(const std::vector<Board> &boards, std::string_view port)
{
    const std::string wanted = profile::nameKey(port);
    for (const Board &b : boards)
        if (profile::nameKey(b.port) == wanted)
            return &b;
    return nullptr;
}

std::string sentFileName(std::string_view port)
{
    std::string name = "envoi ";
    for (char c : port) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '_';
        name += kept ? c : '_';
    }
    return name + ".txt";
}

std::string writeSent(const Sent &sent)
{
    std::string out = "etat=" + std::string(sent.complete ? "complet" : "inconnu") + "\r\n";
    out += "date=" + oneLine(sent.when) + "\r\n";
    out += "liste=" + oneLine(sent.listFile) + "\r\n";
    out += listMark();
    if (sent.complete)
        out += sent.list;
    return out;
}

std::optional<Sent> readSent(std::string_view content)
{
    const std::size_t mark = content.find(listMark());
    if (mark == std::string_view::npos)
        return std::nullopt;
    Sent sent;
    bool stated = false;
    std::string_view head = content.substr(0, mark);
    while (!head.empty()) {
        const std::size_t end = head.find("\r\n");
        const std::string_view line = head.substr(0, end);
        head = end == std::string_view::npos ? std::string_view() : head.substr(end + 2);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, eq);
        const std::string value(line.substr(eq + 1));
        if (key == "etat") {
            if (value != "complet" && value != "inconnu")
                return std::nullopt;
            sent.complete = value == "complet";
            stated = true;
        } else if (key == "date") {
            sent.when = value;
        } else if (key == "liste") {
            sent.listFile = value;
        }
    }
    if (!stated)
        return std::nullopt;
    if (sent.complete)
        sent.list = std::string(content.substr(mark + listMark().size()));
    return sent;
}

int BoardDiff::changes() const
{
    std::unordered_set<std::string> counted;
    int n = int(removed.size());
    for (const RecordDiff &r : records)
        if (r.state != RecordState::UpToDate && r.state != RecordState::Withheld &&
            counted.insert(profile::nameKey(r.section)).second)
            ++n;
    return n;
}

int BoardDiff::removals() const
{
    std::unordered_set<std::string> counted;
    int n = int(removed.size());
    for (const RecordDiff &r : records)
        if (r.state == RecordState::Expiring && counted.insert(profile::nameKey(r.section)).second)
            ++n;
    return n;
}

BoardDiff compareWithBoard(std::string_view list, const std::optional<Sent> &sent,
                           std::string_view listFile, const Date &today)
{
    BoardDiff diff;
    if (!sent)
        diff.basis = Basis::NeverSent;
    else if (!sent->complete)
        diff.basis = Basis::Unknown;
    else if (sent->listFile != listFile)
        diff.basis = Basis::OtherList;
    else
        diff.basis = Basis::Known;

    const profile::Parsed parsed(list);
    const std::vector<Record> mine = firstRecords(parsed);
    std::unordered_map<std::string, const Record *> board;
    std::vector<Record> held;
    std::optional<profile::Parsed> heldParsed;
    if (diff.basis == Basis::Known) {
        heldParsed.emplace(sent->list);
        held = firstRecords(*heldParsed);
        for (const Record &r : held)
            board.emplace(profile::nameKey(r.section), &r);
    }

    std::unordered_map<std::string, RecordDiff> byName;
    for (const Record &r : mine) {
        RecordDiff d{r.section, RecordState::New, {}, r.validity};
        const auto found = board.find(profile::nameKey(r.section));
        const Record *theirs = found == board.end() ? nullptr : found->second;
        if (!validOn(r.validity, today)) {
            d.state = theirs ? RecordState::Expiring : RecordState::Withheld;
        } else if (theirs) {
            for (const RecordField &f : kRecordFields)
                if (compared(f) && !sameValue(f, r.fields.*f.value, theirs->fields.*f.value))
                    d.fields.push_back(f.name);
            d.state = d.fields.empty() ? RecordState::UpToDate : RecordState::Changed;
        }
        byName.emplace(profile::nameKey(r.section), d);
    }
    // Every section of the list gets the state of the first of its name:
    // the reader gives a badge listed twice the values of its first record.
    for (const std::string &s : parsed.sections()) {
        RecordDiff d = byName.at(profile::nameKey(s));
        d.section = s;
        diff.records.push_back(std::move(d));
    }
    for (const Record &r : held)
        if (!byName.count(profile::nameKey(r.section)))
            diff.removed.push_back({r.section, r.fields.nom});
    return diff;
}

Message stateText(const RecordDiff &d)
{
    switch (d.state) {
    case RecordState::UpToDate:
        return Message("Boards", PLATINE_TR_NOOP("Boards", "à jour"));
    case RecordState::New:
        return Message("Boards", PLATINE_TR_NOOP("Boards", "à envoyer : nouveau"));
    case RecordState::Withheld:
        return Message("Boards", PLATINE_TR_NOOP("Boards", "non envoyé : hors validité"));
    case RecordState::Expiring:
        return Message("Boards", PLATINE_TR_NOOP("Boards", "à envoyer : retrait (hors validité, "
                                                           "encore actif sur la platine)"));
    case RecordState::Changed:
        break;
    }
    // The fields' names (kRecordFields, context "Record"), one after another.
    Message fields;
    for (const std::string &f : d.fields) {
        Message name("Record", nameOf(f));
        fields = fields.isValue() && fields.value.empty()
                     ? std::move(name)
                     : Message("Boards", PLATINE_TR_NOOP("Boards", "%1, %2"), {fields, name});
    }
    return Message("Boards", PLATINE_TR_NOOP("Boards", "à envoyer : modifié (%1)"), {fields});
}

std::vector<std::string> expiredOnBoard(const Sent &sent, const Date &today)
{
    std::vector<std::string> out;
    if (!sent.complete)
        return out;
    const profile::Parsed parsed(sent.list);
    for (const Record &r : firstRecords(parsed))
        if (r.validity.until && *r.validity.until < today)
            out.push_back(r.section);
    return out;
}

void addStates(std::vector<BadgeRow> &rows, std::string_view content, const BoardDiff *diff,
               const Date &today)
{
    // The list is parsed again only for a record the comparison (which holds
    // the dates) does not name.
    std::optional<profile::Parsed> parsed;
    const auto datesOf = [&](const std::string &section) {
        if (!parsed)
            parsed.emplace(content);
        return validityOf(*parsed, section);
    };
    std::unordered_map<std::string, const RecordDiff *> byName;
    if (diff)
        for (const RecordDiff &d : diff->records)
            byName.emplace(profile::nameKey(d.section), &d);
    for (BadgeRow &row : rows) {
        const auto found = byName.find(profile::nameKey(row.section));
        const Validity v =
            found != byName.end() ? found->second->validity : datesOf(row.section);
        row.validite = validityText(v, today);
        if (v.until)
            row.joursRestants = int(dayNumber(*v.until) - dayNumber(today));
        if (found != byName.end())
            row.platine = stateText(*found->second);
    }
    if (!diff)
        return;
    for (const RemovedRecord &r : diff->removed) {
        BadgeRow row;
        row.slot = int(rows.size());
        row.section = r.section;
        row.numero = r.section;
        row.nom = r.nom;
        row.platine =
            Message("Boards", PLATINE_TR_NOOP("Boards", "retiré — encore actif sur la platine"));
        row.retire = true;
        rows.push_back(std::move(row));
    }
}

} // namespace platine::boards
