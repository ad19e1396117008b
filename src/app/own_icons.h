#pragma once

// The program's own icons, drawn from the SVG drawings of src/app/icons when
// the program is built (tools/render_icons), each at every size the window
// may show it in: 16 pixels, 24, 32 and 48 on screens that scale by 1.5, 2
// and 3 (a size between is drawn from the next larger).

#include <QIcon>

#include <cstddef>
#include <cstdint>

namespace platine {

// One drawing at one size: size × size pixels, premultiplied ARGB, a row
// after another.
struct OwnIconImage {
    const char *name; // the drawing's file name less ".svg"
    int size;
    const std::uint32_t *pixels;
};

extern const OwnIconImage kOwnIconImages[];
extern const std::size_t kOwnIconImageCount;

// The icon of that drawing at each size it was drawn at; a null icon for a
// name no drawing has.
QIcon ownIcon(const char *name);

} // namespace platine
