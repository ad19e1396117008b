#include "core/badges/listfile.h"

#include "core/badges/hexconv.h"
#include "core/badges/profile.h"
#include "core/platform/cp1252.h"
#include "core/platform/csv.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace platine {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isHexUpper(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'F');
}
// The packed decimal byte of a stored value; a value that does not convert
// gives 0 (its record is marked invalid and never reaches the board).
std::int16_t bcd(std::string_view text)
{
    const HexResult r = convertion_hex_dec(text);
    return r.ok ? r.value : 0;
}

} // namespace

bool leadingNumber(std::string_view text, double &value)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    double v = 0;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        v = v * 10 + (text[i++] - '0');
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10) {
            v += (text[i] - '0') * scale;
            digits = true;
        }
    }
    if (!digits)
        return false;
    value = negative ? -v : v;
    return true;
}

std::int16_t valeurEntiere(std::string_view text)
{
    double v = 0;
    if (!leadingNumber(text, v))
        return 0;
    v = std::nearbyint(v); // to the nearest, halves to the even one
    if (v > 32767)
        return 32767;
    if (v < -32768)
        return -32768;
    return std::int16_t(v);
}

bool isTwoDigitNumber(std::string_view text)
{
    return !text.empty() && text.size() <= 2 && std::all_of(text.begin(), text.end(), isDigit);
}

bool isBadgeNumber(std::string_view text)
{
    return text.size() == 10 && std::all_of(text.begin(), text.end(), isHexUpper);
}

bool isDayOfMonth(std::string_view text)
{
    // 0 (no day) or 1 to 31: the board keeps no other day of the month.
    return isTwoDigitNumber(text) && valeurEntiere(text) <= kMaxDayOfMonth;
}

bool isDayCode(std::string_view text)
{
    return text.size() == 1 && isDigit(text[0]);
}

bool followsRule(FieldRule rule, const std::string &value)
{
    switch (rule) {
    case FieldRule::Text:
        return true;
    case FieldRule::BadgeNumber:
        return isBadgeNumber(value);
    case FieldRule::TwoDigits:
        return isTwoDigitNumber(value);
    case FieldRule::DayCode:
        return value.empty() || isDayCode(value);
    case FieldRule::DayOfMonth:
        return value.empty() || isDayOfMonth(value);
    }
    return false;
}

const RecordField &fieldOf(std::uint16_t bad)
{
    for (const RecordField &f : kRecordFields)
        if (f.bad == bad)
            return f;
    return kRecordFields[0];
}

std::uint16_t badTimeBits(const RecordFields &r)
{
    constexpr int kAllDay = 99; // 24 h/24
    const auto within = [](const std::string &text, int max) {
        const int v = isTwoDigitNumber(text) ? valeurEntiere(text) : -1;
        return v == kAllDay || (v >= 0 && v <= max);
    };
    std::uint16_t bits = 0;
    if (!within(r.heure_debut, 23))
        bits |= BadHeureDebut;
    if (!within(r.minute_debut, 59))
        bits |= BadMinuteDebut;
    const bool endsAt24 = isTwoDigitNumber(r.heure_fin) && valeurEntiere(r.heure_fin) == 24;
    if (endsAt24 ? !(isTwoDigitNumber(r.minute_fin) && valeurEntiere(r.minute_fin) == 0)
                 : !within(r.heure_fin, 23))
        bits |= BadHeureFin;
    if (!within(r.minute_fin, 59))
        bits |= BadMinuteFin;
    return bits;
}

const char *timeRule(std::uint16_t bad)
{
    switch (bad) {
    case BadHeureFin:
        return PLATINE_TR_NOOP("Record", "une heure de 0 à 23 est attendue (24 avec la minute 00 "
                                         "pour finir à minuit, 99 pour 24h/24).");
    case BadMinuteDebut:
    case BadMinuteFin:
        return PLATINE_TR_NOOP("Record", "une minute de 0 à 59 est attendue (99 pour 24h/24).");
    default:
        return PLATINE_TR_NOOP("Record", "une heure de 0 à 23 est attendue (99 pour 24h/24).");
    }
}

std::string timeRuleText(std::uint16_t bad)
{
    return timeRule(bad);
}

std::uint16_t invalidBits(const RecordFields &record)
{
    std::uint16_t bits = badTimeBits(record);
    for (const RecordField &f : kRecordFields)
        if (!followsRule(f.rule, record.*f.value))
            bits |= f.bad;
    return bits;
}

int dayCodeOfName(std::string_view typed)
{
    const std::string key = csv::nameKey(typed);
    for (int code = 0; code < int(std::size(kDayChoices)); ++code)
        if (!key.empty() && key == csv::nameKey(kDayChoices[code]))
            return code;
    return -1;
}

std::string foldedCp1252(std::string_view text)
{
    // Windows-1252 letters 0xC0 to 0xFF without their accents, upper case
    // first; "*" marks the two-letter ones and the signs that stay.
    static constexpr std::string_view kBase = "aaaaaa*ceeeeiiii*nooooo*ouuuuy**"
                                              "aaaaaa*ceeeeiiii*nooooo*ouuuuy*y";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z')
            out += char(c - 'A' + 'a');
        else if (c == 0x8C || c == 0x9C) // OE
            out += "oe";
        else if (c == 0xC6 || c == 0xE6) // AE
            out += "ae";
        else if (c == 0x8A || c == 0x9A) // S caron
            out += 's';
        else if (c == 0x8E || c == 0x9E) // Z caron
            out += 'z';
        else if (c == 0x9F) // Y diaeresis
            out += 'y';
        else if (c >= 0xC0 && kBase[c - 0xC0] != '*')
            out += kBase[c - 0xC0];
        else
            out += ch;
    }
    return out;
}

int searchSlot(const std::array<std::string, kSlots> &table, int last, std::string_view key,
               bool byName)
{
    last = std::min(last, kSlots - 1);
    const std::string folded = foldedCp1252(profile::trimBlanks(key));
    if (key.empty() || folded.empty())
        return -1;
    const auto first = [&](auto matches) {
        for (int i = 0; i <= last; ++i)
            if (matches(table[std::size_t(i)]))
                return i;
        return -1;
    };
    int slot = first([&](const std::string &s) { return s == key; });
    if (slot < 0)
        slot = first(
            [&](const std::string &s) { return foldedCp1252(profile::trimBlanks(s)) == folded; });
    if (slot < 0 && byName)
        slot = first([&](const std::string &s) {
            return foldedCp1252(s).find(folded) != std::string::npos;
        });
    return slot;
}

std::string invalidKeysText(std::uint16_t bits)
{
    std::string out;
    for (int b = 0; b < 8; ++b) {
        const auto key = InvalidKey(1 << b);
        if (bits & key) {
            if (!out.empty())
                out += ", ";
            out += cp1252::toUtf8(fieldOf(key).key);
        }
    }
    return out;
}

std::uint16_t readRecordInto(const profile::Parsed &list, const std::string &section,
                             BadgeTables &t, int i)
{
    RecordFields record;
    for (const RecordField &f : kRecordFields)
        record.*f.value = list.get(section, f.key, "", kListValueSize);
    t.tab_sections[i] = section;
    for (const RecordField &f : kRecordFields) {
        const std::string &v = record.*f.value;
        if (f.text) // an empty day code is 0
            (t.*f.text)[i] = f.rule == FieldRule::DayCode && v.empty() ? std::string("0") : v;
        if (f.number)
            (t.*f.number)[i] = valeurEntiere(v);
        if (f.packed)
            (t.*f.packed)[i] = bcd(v);
    }
    t.invalid[i] = invalidBits(record);
    return t.invalid[i];
}

ListReadReport readList(std::string_view content, BadgeTables &t)
{
    ListReadReport report;
    // Slots without a record: the default number and blank name, a day code
    // of 0, zero board values. The decimal tables keep what they held.
    for (int i = 0; i < kSlots; ++i) {
        t.tab_numero[i] = "0000000000";
        t.tab_nom[i] = " ";
        t.tab_heure_debut_bcd[i] = 0;
        t.tab_minute_debut_bcd[i] = 0;
        t.tab_heure_fin_bcd[i] = 0;
        t.tab_minute_fin_bcd[i] = 0;
        t.tab_lieu_bcd[i] = 0;
        t.tab_jour[i] = "0";
        t.tab_jour_du_mois[i] = 0;
        t.invalid[i] = 0;
    }

    const profile::Parsed list(content);
    const std::vector<std::string> &names = list.sections();
    report.sectionsInFile = int(names.size());
    report.count = std::min(report.sectionsInFile, kSlots);
    report.leftOut = report.sectionsInFile - report.count;

    // A repeated name is looked up as its first section: name it once.
    std::unordered_set<std::string> seen, named;
    for (const std::string &name : names) {
        const std::string key = profile::nameKey(name);
        if (!seen.insert(key).second && named.insert(key).second)
            report.duplicates.push_back(name);
    }

    for (int i = 0; i < report.count; ++i)
        if (readRecordInto(list, names[std::size_t(i)], t, i))
            report.invalidSlots.push_back(i);

    // A new list's header lines (the date, the time, the file's name) may
    // hold brackets without meaning a record.
    const auto headerLine = [](const std::string &text) {
        for (const char *caption : {"Liste cr\xE9"
                                    "e le  : ",
                                    "Heure courante : ", "Nom du fichier : "})
            if (text.rfind(caption, 0) == 0)
                return true;
        return false;
    };
    for (profile::UnusedLine &u : profile::unusedLines(content))
        if (!(u.section.empty() && headerLine(u.text)))
            report.unused.push_back(std::move(u));

    // Badge bytes: five pairs of each number; everything past the last
    // record is 0, so a badge taken off the list is never sent again.
    t.tab_octets_badge.fill(0);
    int k = 0;
    for (int i = 0; i < report.count; ++i) {
        const std::string &numero = t.tab_numero[i];
        for (std::size_t pos = 0; pos < 10; pos += 2, ++k) {
            const std::string_view pair =
                pos < numero.size() ? std::string_view(numero).substr(pos, 2) : std::string_view();
            t.tab_octets_badge[std::size_t(k)] = bcd(pair);
        }
    }
    return report;
}

std::vector<Message> readReportLines(const ListReadReport &report, const BadgeTables &t)
{
    constexpr const char *c = "ListRead";
    const auto number = [](std::size_t n) { return Message(std::to_string(n)); };
    if (!report.readable)
        return {Message(c, PLATINE_TR_NOOP("ListRead", "Lecture de la liste impossible.")),
                Message(report.error)};
    std::vector<Message> out;
    if (report.leftOut > 0)
        out.push_back(Message(
            c,
            PLATINE_TR_NOOP("ListRead", "La liste contient %1 badges : seuls les "
                                        "101 premiers ont été lus, %2 laissé(s) "
                                        "de côté."),
            {number(std::size_t(report.sectionsInFile)), number(std::size_t(report.leftOut))}));
    if (report.tooManyForBoard())
        out.push_back(Message(c,
                              PLATINE_TR_NOOP("ListRead", "La platine ne garde que 100 badges : "
                                                          "cette liste en contient %1, elle ne "
                                                          "peut pas être envoyée."),
                              {number(std::size_t(report.sectionsInFile))}));
    if (!report.duplicates.empty()) {
        std::string names;
        for (const std::string &d : report.duplicates)
            names += (names.empty() ? "" : ", ") + d;
        out.push_back(Message(c,
                              PLATINE_TR_NOOP("ListRead", "Badge(s) en double dans la liste, seul "
                                                          "le premier compte : %1"),
                              {names}));
    }
    if (!report.unused.empty()) {
        out.push_back(Message(
            c, PLATINE_TR_NOOP("ListRead", "Lignes de la liste qui n'ont pas pu être lues :")));
        constexpr std::size_t kShown = 10;
        for (std::size_t n = 0; n < report.unused.size() && n < kShown; ++n) {
            const profile::UnusedLine &u = report.unused[n];
            constexpr std::size_t kLineShown = 60;
            std::string text = cp1252::toUtf8(u.text.substr(0, kLineShown));
            if (u.text.size() > kLineShown)
                text += "…";
            Message why;
            switch (u.why) {
            case profile::UnusedLine::NotAHeader:
                why = Message(c,
                              PLATINE_TR_NOOP("ListRead",
                                              "pas un en-tête de section (du texte précède « [ »), "
                                              "le badge qui suit n'est pas lu"));
                break;
            case profile::UnusedLine::RepeatedKey:
                why = Message(
                    c, PLATINE_TR_NOOP("ListRead", "clé déjà donnée dans la section [%1], ignorée"),
                    {cp1252::toUtf8(u.section)});
                break;
            case profile::UnusedLine::NotAKey:
                why = Message(
                    c, PLATINE_TR_NOOP("ListRead",
                                       "ni une clé (nom=valeur) ni une ligne vide, ignorée"));
                break;
            }
            out.push_back(Message(c, PLATINE_TR_NOOP("ListRead", "  ligne %1 « %2 » : %3"),
                                  {number(u.number), text, why}));
        }
        if (report.unused.size() > kShown)
            out.push_back(Message(c, PLATINE_TR_NOOP("ListRead", "  et %1 autre(s) ligne(s)"),
                                  {number(report.unused.size() - kShown)}));
    }
    if (report.hasInvalid()) {
        out.push_back(Message(
            c, PLATINE_TR_NOOP("ListRead", "Valeurs que la platine ne peut pas prendre :")));
        constexpr std::size_t kShown = 10; // a message box stays readable
        for (std::size_t n = 0; n < report.invalidSlots.size() && n < kShown; ++n) {
            const int i = report.invalidSlots[n];
            out.push_back(Message(
                c, PLATINE_TR_NOOP("ListRead", "  enregistrement %1 (badge %2) : %3"),
                {number(std::size_t(i + 1)), t.tab_numero[i], invalidKeysText(t.invalid[i])}));
        }
        if (report.invalidSlots.size() > kShown)
            out.push_back(Message(c,
                                  PLATINE_TR_NOOP("ListRead", "  et %1 autre(s) enregistrement(s)"),
                                  {number(report.invalidSlots.size() - kShown)}));
    }
    return out;
}

std::string readReportText(const ListReadReport &report, const BadgeTables &t)
{
    return frenchLines(readReportLines(report, t));
}

std::vector<FieldProblem> validateRecord(const RecordFields &record)
{
    const std::uint16_t bits = invalidBits(record);
    std::vector<FieldProblem> out;
    for (const RecordField &f : kRecordFields) {
        if (!(bits & f.bad))
            continue;
        const char *rule = nullptr;
        switch (f.rule) {
        case FieldRule::BadgeNumber:
            rule = PLATINE_TR_NOOP("Record", "dix caractères de 0 à 9 ou de A à F sont attendus.");
            break;
        case FieldRule::DayCode:
            rule = PLATINE_TR_NOOP("Record", "choisissez un jour dans la liste.");
            break;
        case FieldRule::DayOfMonth:
            rule = PLATINE_TR_NOOP("Record",
                                   "0 s'il ne sert pas, sinon un jour de 1 à 31 est attendu.");
            break;
        default:
            rule = f.bad & kBadTimes
                       ? timeRule(f.bad)
                       : PLATINE_TR_NOOP("Record", "un nombre d'un ou deux chiffres est attendu.");
        }
        Message text("Record", PLATINE_TR_NOOP("Record", "Vérifiez %1 : %2"),
                     {Message("Record", f.label), Message("Record", rule)});
        std::string french = text.french();
        out.push_back({f.control, std::move(french), std::move(text)});
    }
    return out;
}

namespace {
constexpr std::size_t kUncut = 65536; // a stored value read whole
}

RecordFields storedFields(const profile::Parsed &list, std::string_view section)
{
    RecordFields r;
    for (const RecordField &f : kRecordFields)
        r.*f.value = list.get(section, f.key, "", kUncut);
    return r;
}

RecordFields keepStoredForms(std::string_view content, RecordFields f)
{
    const profile::Parsed list(content);
    auto stored = [&](const char *key) { return list.get(f.numero, key, "", kUncut); };
    for (const RecordField &field : kRecordFields) {
        if (!field.number)
            continue; // only numbers have other stored forms
        std::string &value = f.*field.value;
        const std::string old = stored(field.key);
        if (isTwoDigitNumber(old) && isTwoDigitNumber(value) &&
            value == std::to_string(valeurEntiere(old)))
            value = old;
    }
    const std::string oldName = stored(listkey::nom);
    if (oldName.size() >= kListValueSize && f.nom == oldName.substr(0, kListValueSize - 1))
        f.nom = oldName;
    return f;
}

bool hasSection(std::string_view content, std::string_view name)
{
    const std::string wanted = profile::nameKey(name);
    for (const std::string &s : profile::sections(content)) {
        if (profile::nameKey(s) == wanted)
            return true;
    }
    return false;
}

std::string saveRecord(std::string_view content, const RecordFields &f)
{
    std::string out(content);
    for (const RecordField &field : kRecordFields) {
        std::string value = f.*field.value;
        // The empty line below the last key ends the record in the file.
        if (&field == &kRecordFields.back())
            value += "\r\n";
        out = profile::set(out, f.numero, field.key, value);
    }
    return out;
}

std::string newListHeader(std::string_view date, std::string_view time, std::string_view fileTitle)
{
    std::string out = "Liste cr\xE9"
                      "e le  : ";
    out.append(date);
    out += "\r\nHeure courante : ";
    out.append(time);
    out += "\r\nNom du fichier : ";
    out.append(fileTitle);
    out += "\r\n\r\n\r\n";
    return out;
}

std::string linesWithCrLf(std::string_view content)
{
    std::string out;
    out.reserve(content.size() + content.size() / 16 + 2);
    std::size_t i = 0;
    while (i < content.size()) {
        std::size_t end = i;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n')
            ++end;
        out.append(content.substr(i, end - i));
        out += "\r\n";
        if (end < content.size() && content[end] == '\r' && end + 1 < content.size() &&
            content[end + 1] == '\n')
            ++end;
        i = end + 1;
    }
    return out;
}

} // namespace platine
