// "Ascii": a memory dump collected in the receive pane becomes an addressed
// listing in temp.txt, opened in the system's text viewer. The pane's text is
// kept in temp2.txt as the working copy.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "board/board_support.h"
#include "board/dump_listing.h"
#include "platform/files.h"
#include "platform/text.h"

#include <QDir>
#include <QLabel>

namespace platine {

using namespace board;

void Form2::Command9_Click()
{
    const std::string pane = toCp1252(text2());
    std::string error;
    if (!files::writeAtomic(programFile(QStringLiteral("temp2.txt")), dumpWorkingFileContent(pane),
                            &error)) {
        m_ui->Label14->setText(
            QStringLiteral("Décodage impossible : temp2.txt n'a pas pu être créé (%1)")
                .arg(QString::fromStdString(error)));
        return;
    }
    // A listing that could not be written is not shown: the viewer would
    // open the previous one.
    if (!files::writeAtomic(programFile(QStringLiteral("temp.txt")), dumpListing(pane), &error)) {
        m_ui->Label14->setText(
            QStringLiteral("Décodage impossible : temp.txt n'a pas pu être écrit (%1)")
                .arg(QString::fromStdString(error)));
        return;
    }
    m_platform.shell->open(QDir(m_platform.programDir).filePath(QStringLiteral("temp.txt")));
}

} // namespace platine
