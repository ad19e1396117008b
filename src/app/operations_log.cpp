// The journal of operations in the program's folder of files: one recorder
// for the window, made at its first use, which stamps each row with the
// chosen board and the open list.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/status_label.h"
#include "platform/operations_recorder.h"

#include <QDir>

namespace platine {

OperationsRecorder &Form2::operations()
{
    if (!m_operations) {
        m_operations = std::make_unique<OperationsRecorder>(
            programFile(QString::fromUtf8(kOperationsFile)), *m_platform.clock, [this] {
                return OperationsRecorder::Context{boardLabel(),
                                                   QDir::toNativeSeparators(m_liste.fichier)};
            });
        // The operation is done; the operator learns that its row is missing.
        m_operations->onFailure = [this](const QString &why) { m_ui->Label14->setText(why); };
        m_operations->onWritten = [this] { emit operationsChanged(); };
    }
    return *m_operations;
}

} // namespace platine
