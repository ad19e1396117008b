#include "platform/text.h"

#include "core/platform/cp1252.h"

namespace platine {

QString fromCp1252(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    // Every character of the code page lies in the basic plane: one QChar a byte.
    for (char ch : bytes)
        out += QChar(char16_t(cp1252::toUnicode(static_cast<unsigned char>(ch))));
    return out;
}

std::string toCp1252(const QString &text)
{
    std::string out;
    out.reserve(size_t(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isSurrogate()) {
            // A character beyond the basic plane (a pair) or a stray half:
            // neither has a byte, both become one '?'.
            if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
                ++i;
            out += '?';
            continue;
        }
        const int b = cp1252::fromUnicode(c.unicode());
        out += b < 0 ? '?' : char(b);
    }
    return out;
}

} // namespace platine
