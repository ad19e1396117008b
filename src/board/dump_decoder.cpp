// "Ascii": a memory dump collected in the receive pane becomes an addressed
// listing in temp.txt, opened in the system's text viewer. The pane's text is
// kept in temp2.txt as the working copy.

#include "board/operations.h"
#include "core/board/dump_listing.h"
#include "core/platform/files.h"

#include <QCoreApplication>

namespace platine::board {

DumpOutcome decodeDump(const std::string &pane, const std::string &workingPath,
                       const std::string &listingPath)
{
    std::string error;
    if (!files::writeAtomic(workingPath, dumpWorkingFileContent(pane), &error))
        return {false, QCoreApplication::translate(
                           "Board", "Décodage impossible : temp2.txt n'a pas pu être créé (%1)")
                           .arg(QString::fromStdString(error))};
    // A listing that could not be written is not shown: the viewer would
    // open the previous one.
    if (!files::writeAtomic(listingPath, dumpListing(pane), &error))
        return {false, QCoreApplication::translate(
                           "Board", "Décodage impossible : temp.txt n'a pas pu être écrit (%1)")
                           .arg(QString::fromStdString(error))};
    return {true, {}};
}

} // namespace platine::board
