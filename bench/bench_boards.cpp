// What two boards hold against a list of 100 records: the main window's
// line on the chosen board and the table's column "Platine", for each of
// the two boards in turn, the board records and the list read from disk.

#include "app/status_label.h"
#include "bench_window.h"
#include "bench_util.h"
#include "core/badges/badge_rows.h"
#include "core/boards/boards.h"
#include "core/platform/files.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

using namespace platine;
using namespace platine::bench;
using platine::testing::Harness;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Harness h;
    const QString path = openBoardList(h);
    const std::string content = makeList(kBoardRecords);
    // COM1 received the list as it is, COM2 an older one with a record fewer.
    const std::string listKey = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())
                                    .toStdString();
    const std::string older = makeList(kBoardRecords - 1);
    for (const auto &[port, list] : {std::pair{"COM1", content}, {"COM2", older}})
        files::writeAtomic(
            h.path(QString::fromStdString(boards::sentFileName(port))).toStdString(),
            boards::writeSent({true, "07/12/2026 14:02", listKey, list}));

    QComboBox *ports = h.ui().Combo1;
    int rows = 0;
    const double t = medianSeconds(30, [&] {
        for (int index : {0, 1}) {
            ports->setCurrentIndex(index); // the window's line follows the chosen board
            const std::optional<boards::BoardDiff> diff = h.form->boardDiff();
            std::vector<BadgeRow> table = listRows(*files::read(path.toStdString()));
            boards::addStates(table, content, diff ? &*diff : nullptr, {2026, 12, 9});
            rows = int(table.size());
        }
    });
    if (rows != kBoardRecords || h.ui().etat_platine->text().isEmpty()) {
        std::fprintf(stderr, "bench_boards: %d rows\n", rows);
        return 1;
    }
    report("two boards against a list of 100 records",
           fmt("median %.2f ms for the line and the column of both (at most 20 ms)", t * 1e3));
    return t < 0.020 ? 0 : 1;
}
