#include "app/settings.h"

#include "platform/files.h"

namespace platine {

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

bool strikeDelayAboveLimit(std::string_view text)
{
    double v = 0;
    return leadingNumber(text, v) && v > kStrikeDelayMax;
}

std::string readSettings(const std::string &path)
{
    return files::read(path).value_or(std::string());
}

bool writeSettings(const std::string &path, const std::string &content, std::string *error)
{
    return files::writeAtomic(path, content, error, /*inPlaceWhenNoTemp=*/true);
}

} // namespace platine
