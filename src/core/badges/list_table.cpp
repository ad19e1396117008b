#include "core/badges/list_table.h"

#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "core/badges/record_check.h"
#include "core/platform/cp1252.h"
#include "core/platform/csv.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

namespace platine {

namespace {

// A column of the table: its header name and the record value it holds.
struct Column {
    const char *name; // UTF-8
    std::string RecordFields::*value;
    const char *control; // the editor's control, as the checks name it
};

const std::array<Column, 9> kColumns{{
    {"badge", &RecordFields::numero, "numero_badge"},
    {"nom", &RecordFields::nom, "nom"},
    {"heure de début", &RecordFields::heure_debut, "heure_debut"},
    {"minute de début", &RecordFields::minute_debut, "minute_debut"},
    {"heure de fin", &RecordFields::heure_fin, "heure_fin"},
    {"minute de fin", &RecordFields::minute_fin, "minute_fin"},
    {"jours", &RecordFields::jour_code, "Combo2"},
    {"lieu", &RecordFields::lieu, "lieu"},
    {"jour du mois", &RecordFields::jour_du_mois, "jour_du_mois"},
}};
constexpr std::size_t kNom = 1, kJours = 6;

std::string trimmed(std::string_view s)
{
    return std::string(profile::trimBlanks(s));
}

// A cell a spreadsheet shows empty: nothing but blanks, tabs and no-break
// spaces (U+00A0, and U+202F that French number formats put in).
bool blankCell(std::string_view cell)
{
    for (std::size_t i = 0; i < cell.size();) {
        if (cell[i] == ' ' || cell[i] == '\t')
            i += 1;
        else if (cell.substr(i, 2) == "\xC2\xA0")
            i += 2;
        else if (cell.substr(i, 3) == "\xE2\x80\xAF")
            i += 3;
        else
            return false;
    }
    return true;
}

// The day choices in Windows-1252, as the list stores them.
std::string dayChoice(int code)
{
    return cp1252::fromUtf8(kDayChoices[code]);
}

// A number as a spreadsheet shows a figure: a decimal separator, or an
// exponent ("1,23457E+09", "101.0").
bool figure(std::string_view s)
{
    const auto digitsAt = [&](std::size_t &i) {
        const std::size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        return i > from;
    };
    std::size_t i = 0;
    if (!digitsAt(i))
        return false;
    bool separator = false;
    if (i < s.size() && (s[i] == ',' || s[i] == '.')) {
        separator = true;
        ++i;
        digitsAt(i);
    }
    if (i + 1 < s.size() && (s[i] == 'E' || s[i] == 'e') && (s[i + 1] == '+' || s[i + 1] == '-')) {
        i += 2;
        return digitsAt(i) && i == s.size();
    }
    return separator && i == s.size();
}

// The badge cell as the list keeps it: leading zeros a spreadsheet dropped
// put back (one to nine decimal digits), hexadecimal letters upper-cased.
std::string badgeOf(std::string cell)
{
    if (!cell.empty() && cell.size() < 10 &&
        std::all_of(cell.begin(), cell.end(), [](char c) { return c >= '0' && c <= '9'; }))
        cell.insert(0, 10 - cell.size(), '0');
    for (char &c : cell)
        if (c >= 'a' && c <= 'f')
            c = char(c - 'a' + 'A');
    return cell;
}

} // namespace

std::vector<RecordFields> storedRecords(std::string_view listContent)
{
    const profile::Parsed list(listContent);
    std::vector<RecordFields> out;
    std::unordered_set<std::string> seen;
    for (const std::string &section : list.sections()) {
        if (!seen.insert(profile::nameKey(section)).second)
            continue;
        out.push_back(storedFields(list, section));
    }
    return out;
}

NamesByBadge namesByBadge(std::string_view listContent)
{
    NamesByBadge names;
    for (const RecordFields &r : storedRecords(listContent))
        names.emplace(r.numero, cp1252::toUtf8(r.nom));
    return names;
}

std::string listTable(std::string_view listContent)
{
    std::vector<std::string> header;
    for (const Column &c : kColumns)
        header.push_back(c.name);
    std::string out = std::string(csv::kBom) + csv::row(header);
    for (const RecordFields &r : storedRecords(listContent)) {
        std::vector<std::string> row;
        for (const Column &c : kColumns) {
            if (c.value == &RecordFields::jour_code)
                row.push_back(isDayCode(r.jour_code) ? kDayChoices[r.jour_code[0] - '0'] : "");
            else
                row.push_back(cp1252::toUtf8(r.*c.value));
        }
        out += csv::row(row);
    }
    return out;
}

std::string TableProblem::text() const
{
    return message().french();
}

Message TableProblem::message() const
{
    if (column.empty())
        return Message("ListTable", PLATINE_TR_NOOP("ListTable", "Ligne %1 : %2"),
                       {std::to_string(line), why});
    return Message("ListTable", PLATINE_TR_NOOP("ListTable", "Ligne %1, colonne « %2 » : %3"),
                   {std::to_string(line), column, why});
}

namespace {

constexpr const char *kCtx = "ListTable";

TableProblem problem(int line, std::string column, Message why)
{
    std::string reason = why.french();
    return {line, std::move(column), std::move(reason), std::move(why)};
}

} // namespace

TableImport readListTable(std::string_view bytes)
{
    TableImport result;
    const csv::Table table = csv::read(csv::decode(bytes));
    if (table.rows.empty()) {
        result.problems.push_back(
            problem(1, "",
                    Message(kCtx, PLATINE_TR_NOOP("ListTable", "le tableau est vide, une ligne "
                                                               "d'en-tête est attendue."))));
        return result;
    }
    std::array<int, kColumns.size()> at{};
    for (std::size_t k = 0; k < kColumns.size(); ++k) {
        at[k] = csv::column(table.rows.front(), kColumns[k].name);
        if (at[k] < 0)
            result.problems.push_back(problem(
                table.lines.front(), kColumns[k].name,
                Message(kCtx,
                        PLATINE_TR_NOOP("ListTable", "colonne absente de la ligne d'en-tête."))));
    }
    if (!result.ok())
        return result;

    std::unordered_map<std::string, int> lineOfBadge;
    std::size_t rows = 0; // rows that are not blank
    for (std::size_t i = 1; i < table.rows.size(); ++i) {
        const std::vector<std::string> &row = table.rows[i];
        const int line = table.lines[i];
        const auto cell = [&](std::size_t k) {
            const std::size_t c = std::size_t(at[k]);
            return c < row.size() ? trimmed(row[c]) : std::string();
        };
        const auto fail = [&](std::size_t k, Message why) {
            result.problems.push_back(problem(line, kColumns[k].name, std::move(why)));
        };
        // A spreadsheet writes rows of empty cells below (or among) the list.
        if (std::all_of(row.begin(), row.end(), [](const std::string &c) { return blankCell(c); }))
            continue;
        if (++rows > std::size_t(kBoardRecords)) {
            result.problems.push_back(problem(
                line, "",
                Message(kCtx, PLATINE_TR_NOOP("ListTable", "la platine ne garde que 100 badges, "
                                                           "cette ligne est en trop."))));
            continue;
        }
        RecordFields r;
        for (std::size_t k = 0; k < kColumns.size(); ++k) {
            if (k == kNom || k == kJours)
                continue;
            // Every value but the name is ASCII when valid; other characters
            // are kept for the checks to refuse.
            r.*kColumns[k].value = cp1252::fromUtf8(cell(k));
        }
        const bool figured = figure(r.numero);
        if (figured) {
            fail(0, Message(kCtx,
                            PLATINE_TR_NOOP("ListTable",
                                            "« %1 » : le tableur a changé le numéro de badge en "
                                            "nombre. Formatez la colonne « badge » en texte et "
                                            "saisissez les numéros à nouveau."),
                            {cell(0)}));
        } else {
            const std::string typed = r.numero;
            r.numero = badgeOf(typed);
            if (r.numero.size() != typed.size())
                result.padded.push_back({line, typed, r.numero});
        }
        const std::string nom = cell(kNom);
        std::string unheld;
        if (std::any_of(nom.begin(), nom.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            fail(kNom, Message(kCtx, PLATINE_TR_NOOP("ListTable",
                                                     "un nom tient sur une ligne, sans tabulation "
                                                     "ni caractère de commande.")));
        else if (!cp1252::fromUtf8Exactly(nom, r.nom, &unheld))
            fail(kNom, unheldCharacterMessage(unheld));

        const std::string jour = cell(kJours);
        if (jour.empty())
            fail(kJours, Message(kCtx, PLATINE_TR_NOOP("ListTable",
                                                       "jour absent : un choix de la liste (Lundi "
                                                       "... Tous les jours) ou son code de 0 à 9 "
                                                       "est attendu.")));
        if (!jour.empty()) {
            const int code =
                isDayCode(jour) ? jour[0] - '0' : dayCodeOfName(jour); // as Combo2 takes it
            if (code < 0) {
                fail(kJours, Message(kCtx,
                                     PLATINE_TR_NOOP("ListTable",
                                                     "jour inconnu « %1 » : un choix de la liste "
                                                     "(Lundi ... Tous les jours) ou son code de 0 "
                                                     "à 9 est attendu."),
                                     {jour}));
            } else {
                r.jour_code = std::to_string(code);
                r.jour_texte = dayChoice(code);
            }
        }
        r.h24 = valeurEntiere(r.heure_debut) == 99 ? "oui" : "non";
        r.tous_lieux = valeurEntiere(r.lieu) == 99 ? "oui" : "non";

        for (const FieldProblem &p : validateRecord(r)) {
            for (std::size_t k = 0; k < kColumns.size(); ++k) {
                if (p.field != kColumns[k].control || (k == 0 && figured))
                    continue;
                // "Vérifiez l'heure de début : un nombre ... est attendu." without its
                // opening: the rule alone.
                const Message rule = p.text.args.size() == 2 ? p.text.args[1] : p.text;
                fail(k, Message(kCtx, PLATINE_TR_NOOP("ListTable", "« %1 » ne convient pas, %2"),
                                {cell(k), rule}));
            }
        }
        if (isBadgeNumber(r.numero)) {
            const auto [first, fresh] = lineOfBadge.emplace(r.numero, line);
            if (!fresh)
                fail(0, Message(kCtx,
                                PLATINE_TR_NOOP("ListTable", "le badge %1 est déjà à la ligne %2."),
                                {r.numero, std::to_string(first->second)}));
        }
        result.records.push_back(std::move(r));
    }
    if (!result.ok()) {
        result.records.clear();
        result.padded.clear();
    }
    return result;
}

std::string listFromRecords(std::string_view header, const std::vector<RecordFields> &records)
{
    std::string out(header);
    for (const RecordFields &r : records)
        out = saveRecord(out, r);
    return out;
}

} // namespace platine
