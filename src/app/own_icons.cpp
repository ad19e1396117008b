#include "app/own_icons.h"

#include <QImage>
#include <QPixmap>

#include <cstring>

namespace platine {

QIcon ownIcon(const char *name)
{
    QIcon icon;
    for (std::size_t i = 0; i < kOwnIconImageCount; ++i) {
        const OwnIconImage &o = kOwnIconImages[i];
        if (std::strcmp(o.name, name) != 0)
            continue;
        // The image reads the pixels where they are; the pixmap copies them.
        const QImage image(reinterpret_cast<const uchar *>(o.pixels), o.size, o.size, o.size * 4,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace platine
