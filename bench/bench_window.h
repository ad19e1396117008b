#pragma once
// The benches that time the windows: the program's window (offscreen) with
// a list of the board's 100 records written to disk and opened.

#include "bench_lists.h"
#include "support/harness.h"

#include <QByteArray>
#include <QString>

namespace platine::bench {

// Writes the list into the harness's folder and opens it; its path.
inline QString openBoardList(testing::Harness &h)
{
    const QString path = h.path(QStringLiteral("liste.txt"));
    testing::Harness::writeFile(path, QByteArray::fromStdString(makeList(kBoardRecords)));
    h.openList(path);
    return path;
}

} // namespace platine::bench
