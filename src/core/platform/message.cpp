#include "core/platform/message.h"

namespace platine {

std::string Message::fill(std::string_view templ, const std::vector<std::string> &values)
{
    std::string out;
    out.reserve(templ.size());
    for (std::size_t i = 0; i < templ.size(); ++i) {
        const char c = templ[i];
        if (c == '%' && i + 1 < templ.size() && templ[i + 1] >= '1' && templ[i + 1] <= '9') {
            const std::size_t n = std::size_t(templ[i + 1] - '1');
            if (n < values.size()) {
                out += values[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string Message::french() const
{
    if (isValue())
        return value;
    std::vector<std::string> values;
    values.reserve(args.size());
    for (const Message &a : args)
        values.push_back(a.french());
    return fill(text, values);
}

std::string frenchLines(const std::vector<Message> &lines)
{
    std::string out;
    for (const Message &m : lines) {
        if (!out.empty())
            out += "\r\n";
        out += m.french();
    }
    return out;
}

} // namespace platine
