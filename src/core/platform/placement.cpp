#include "core/platform/placement.h"

#include <algorithm>
#include <charconv>

namespace platine {

Box placeInside(int width, int height, const std::optional<Box> &kept, const Box &area)
{
    Box b;
    b.width = std::clamp(kept ? kept->width : width, 1, std::max(area.width, 1));
    b.height = std::clamp(kept ? kept->height : height, 1, std::max(area.height, 1));
    const int right = area.x + area.width - b.width, bottom = area.y + area.height - b.height;
    b.x = kept ? std::clamp(kept->x, area.x, std::max(area.x, right))
               : area.x + (area.width - b.width) / 2;
    b.y = kept ? std::clamp(kept->y, area.y, std::max(area.y, bottom))
               : area.y + (area.height - b.height) / 2;
    return b;
}

std::string boxText(const Box &box)
{
    return std::to_string(box.x) + ',' + std::to_string(box.y) + ',' + std::to_string(box.width) +
           ',' + std::to_string(box.height);
}

std::optional<Box> boxOfText(std::string_view text)
{
    int v[4];
    const char *p = text.data(), *end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (p == end || *p != ',')
                return std::nullopt;
            ++p;
        }
        const auto [next, ec] = std::from_chars(p, end, v[i]);
        if (ec != std::errc())
            return std::nullopt;
        p = next;
    }
    if (p != end || v[2] <= 0 || v[3] <= 0)
        return std::nullopt;
    return Box{v[0], v[1], v[2], v[3]};
}

} // namespace platine
