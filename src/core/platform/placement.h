#pragma once
// Where a window opens: inside the screen's available area (the desktop
// without its panels), at the size and place it had when it was last closed,
// or at its own size in the middle. A window larger than the area is made as
// large as the area; its content then scrolls.

#include <optional>
#include <string>
#include <string_view>

namespace platine {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box &) const = default;
};

// The window's box inside `area`: `kept` (the last one) brought inside
// `area` when there is one, else `width` by `height` in the middle of it.
// Never larger than `area`, never smaller than one pixel.
Box placeInside(int width, int height, const std::optional<Box> &kept, const Box &area);

// A box as the settings keep it, "x,y,width,height", and read back;
// nothing for a text that is not four numbers with a positive size.
std::string boxText(const Box &box);
std::optional<Box> boxOfText(std::string_view text);

} // namespace platine
