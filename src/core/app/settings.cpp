#include "core/app/settings.h"

#include "core/badges/listfile.h"
#include "core/board/protocol.h"
#include "core/platform/files.h"

namespace platine {

bool strikeDelayAboveLimit(std::string_view text)
{
    double v = 0;
    return leadingNumber(text, v) && v > protocol::kMaxStrikeDelay;
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
