// The list reader on a list of 101 records (the tables' full size), as the
// record editor's "Enregistrer" writes them: the reader runs at every entry
// into record mode and before every upload.

#include "bench_lists.h"
#include "bench_util.h"
#include "core/badges/listfile.h"

#include <cstdio>

using namespace platine;
using namespace platine::bench;

int main()
{
    const std::string content = makeList(kSlots);

    BadgeTables tables;
    ListReadReport r;
    const double t = medianSeconds(200, [&] { r = readList(content, tables); });
    if (r.count != kSlots || r.hasInvalid()) {
        std::fprintf(stderr, "bench_listfile: read %d records, %zu invalid\n", r.count,
                     r.invalidSlots.size());
        return 1;
    }
    report("list reader, 101 records (" + std::to_string(content.size() / 1024) + " KiB)",
           fmt("median %.3f ms, %.2f us a record", t * 1e3, t * 1e6 / kSlots));
    return 0;
}
