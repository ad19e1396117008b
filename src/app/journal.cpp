// Menu "Passages": the window "Journal des passages" (board/journal_window.h),
// opened beside the main window. It reads the journal of the program's
// folder, takes the names of the open list as it stands in its file, and
// reads the journal again after each download.

#include "app/form2.h"
#include "board/journal_window.h"
#include "core/badges/list_table.h"
#include "core/board/operations_journal.h"
#include "core/platform/files.h"
#include "platform/text.h"
#include "platform/window_place.h"

namespace platine {

void Form2::journal_des_passages_Click()
{
    // One window: a click while it is open brings it to the front.
    if (!m_journal) {
        JournalWindow::Source source;
        source.path = programFile(QString::fromUtf8(kJournalFile));
        source.names = [this] { return openListNames(); };
        source.settingsPath = nativePath(ownSettingsPath());
        source.operationsPath = programFile(QString::fromUtf8(kOperationsFile));
        m_journal = new JournalWindow(std::move(source), *m_platform.dialogs, this);
        platine::placeOnScreen(m_journal, nativePath(ownSettingsPath()), m_journal->objectName());
        connect(this, &Form2::journalChanged, m_journal, &JournalWindow::reload);
        connect(this, &Form2::operationsChanged, m_journal, &JournalWindow::reloadOperations);
    }
    m_platform.windows->show(m_journal);
}

NamesByBadge Form2::openListNames() const
{
    // The holders' names as the open list stands in its file now.
    if (!m_liste.fichier.isEmpty())
        if (const auto list = files::read(nativePath(m_liste.fichier)))
            return namesByBadge(*list);
    return NamesByBadge();
}

} // namespace platine
