// The receive pane's layout on any text: each run of characters between full
// stops comes out with a blank after every pair, the full stops become line
// breaks and one line break ends the text.
#include "core/serial/pane_layout.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::string out = platine::layOutPane(text);

    std::string expected;
    std::size_t inRun = 0;
    for (char c : text) {
        if (c == '.') {
            expected += "\r\n";
            inRun = 0;
            continue;
        }
        expected += c;
        if (++inRun % 2 == 0)
            expected += ' ';
    }
    expected += "\r\n";
    fuzzcheck::check(out == expected);
    return 0;
}
