#pragma once
// A text for the operator made by the core, which knows no translation: a
// French template with "%1", "%2"... and what fills them, each a value
// (UTF-8, shown as it stands) or a message of its own. The window shows it
// in its language (platform/text.h, shown()); the core's own callers and
// the tests take the French text (french()).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Marks a template for the translation tools, which read it as Qt's
// QT_TRANSLATE_NOOP(context, text): it is the text itself.
#define PLATINE_TR_NOOP(context, text) text

namespace platine {

struct Message {
    const char *context = nullptr; // null: a value, shown as it stands
    const char *text = "";         // the template, marked with PLATINE_TR_NOOP
    std::string value;
    std::vector<Message> args;

    Message() = default;
    // A value (a number, a name, a line of the file).
    Message(std::string v) : value(std::move(v)) {}
    Message(const char *ctx, const char *templ, std::vector<Message> values = {})
        : context(ctx), text(templ), args(std::move(values))
    {
    }
    bool isValue() const { return context == nullptr; }
    // The French text, every template filled.
    std::string french() const;

    // `templ` with each "%1" to "%9" replaced by that value, in one pass (a
    // value holding "%2" stays as it is); a marker without a value stays.
    static std::string fill(std::string_view templ, const std::vector<std::string> &values);
};

// Messages one after another, each on its line ("\r\n" between them).
std::string frenchLines(const std::vector<Message> &lines);

} // namespace platine
