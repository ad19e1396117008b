#include "core/badges/list_edit.h"
#include "core/badges/validity.h"

#include "core/badges/listfile.h"
#include "core/badges/profile.h"
#include "core/badges/record_check.h"
#include "core/platform/cp1252.h"

namespace platine {

namespace {

// A typed number without the blanks around it, as the list stores it.
std::string trimmed(const std::string &typed)
{
    return cp1252::fromUtf8(profile::trimBlanks(typed));
}

// The typed texts of the ticked fields that a list cannot keep, each named
// with its field and the character.
std::vector<Message> unheldTyped(const BulkChange &c)
{
    std::vector<std::pair<const char *, const std::string *>> typed;
    if (c.times && !c.h24)
        typed = {{"heure_debut", &c.heure_debut},
                 {"minute_debut", &c.minute_debut},
                 {"heure_fin", &c.heure_fin},
                 {"minute_fin", &c.minute_fin}};
    if (c.place && !c.allPlaces)
        typed.emplace_back("lieu", &c.lieu);
    if (c.dayOfMonth)
        typed.emplace_back("jour_du_mois", &c.jourDuMois);
    std::vector<Message> out;
    for (const auto &[control, text] : typed) {
        FieldProblem problem;
        if (!typedValue(*fieldOfControl(control), *text, problem))
            out.push_back(problem.text);
    }
    return out;
}

} // namespace

std::string removeRecords(std::string_view content, const std::vector<std::string> &sections)
{
    std::string out(content);
    for (const std::string &s : sections)
        out = profile::removeSection(out, s);
    return out;
}

std::optional<RecordFields> storedRecord(std::string_view content, std::string_view section)
{
    const profile::Parsed list(content);
    const std::string wanted = profile::nameKey(section);
    for (const std::string &name : list.sections()) {
        if (profile::nameKey(name) == wanted)
            return storedFields(list, name);
    }
    return std::nullopt;
}

std::vector<RecordFields> recordsStoredUnder(std::string_view content, std::string_view section)
{
    std::vector<RecordFields> out;
    for (const std::string &text : profile::sectionTexts(content, section)) {
        const profile::Parsed one(text);
        out.push_back(storedFields(one, one.sections().front()));
    }
    return out;
}

RecordFields applyChange(RecordFields r, const BulkChange &c)
{
    if (c.times) {
        r.h24 = c.h24 ? "oui" : "non";
        r.heure_debut = c.h24 ? "99" : trimmed(c.heure_debut);
        r.minute_debut = c.h24 ? "99" : trimmed(c.minute_debut);
        r.heure_fin = c.h24 ? "99" : trimmed(c.heure_fin);
        r.minute_fin = c.h24 ? "99" : trimmed(c.minute_fin);
    }
    if (c.days) {
        r.jour_code = std::to_string(c.dayCode);
        r.jour_texte = c.dayCode >= 0 && c.dayCode <= 9 ? cp1252::fromUtf8(kDayChoices[c.dayCode])
                                                        : std::string();
    }
    if (c.place) {
        r.tous_lieux = c.allPlaces ? "oui" : "non";
        r.lieu = c.allPlaces ? "99" : trimmed(c.lieu);
    }
    if (c.dayOfMonth)
        r.jour_du_mois = trimmed(c.jourDuMois);
    return r;
}

ChangeResult changeRecords(std::string_view content, const std::vector<std::string> &sections,
                           const BulkChange &change)
{
    ChangeResult result;
    result.content = std::string(content);
    // Refused once for all the badges: no record gets a '?' in its place.
    result.problems = unheldTyped(change);
    if (change.validity) {
        if (const auto wrong = validityProblem(change.valideDu, change.valideJusquAu))
            result.problems.push_back(*wrong);
    }
    if (!result.ok())
        return result;
    for (const std::string &section : sections) {
        // "Badge <number> : <what is wrong>"
        const auto badge = [&](Message why) {
            return Message("Badges", PLATINE_TR_NOOP("Badges", "Badge %1 : %2"),
                           {cp1252::toUtf8(section), std::move(why)});
        };
        const std::optional<RecordFields> stored = storedRecord(result.content, section);
        if (!stored) {
            result.problems.push_back(
                badge(Message("Badges", PLATINE_TR_NOOP("Badges", "il n'est plus dans la liste."))));
            continue;
        }
        // The editor saves a record under its badge number.
        if (profile::nameKey(stored->numero) != profile::nameKey(section)) {
            result.problems.push_back(badge(Message(
                "Badges",
                PLATINE_TR_NOOP("Badges", "sa section porte un autre nom que son numéro « %1 »."),
                {cp1252::toUtf8(stored->numero)})));
            continue;
        }
        const RecordFields r = applyChange(*stored, change);
        const std::vector<FieldProblem> problems = validateRecord(r);
        for (const FieldProblem &p : problems)
            result.problems.push_back(badge(p.text));
        if (!problems.empty())
            continue;
        std::string after = saveRecord(result.content, keepStoredForms(result.content, r));
        if (change.validity)
            after = setValidity(after, section, change.valideDu, change.valideJusquAu);
        if (after != result.content)
            ++result.changed;
        result.content = std::move(after);
    }
    if (!result.ok())
        result.content = std::string(content);
    return result;
}

} // namespace platine
