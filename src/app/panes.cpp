// The operator's mouse actions on the two panes.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "core/platform/files.h"
#include "core/serial/pane_layout.h"
#include "platform/text.h"
#include "serial/pane.h"

#include <QDir>
#include <QLabel>

namespace platine {

void Form2::Text1_Click()
{
    m_ui->Text1->setToolTip(QString::number(m_ui->Text1->caretPosition()));
}

void Form2::Text1_DblClick()
{
    // The scratch file beside the program holds the pane and one CR LF, in
    // the 8-bit code page; the default text editor then shows it.
    const QString path = QDir(m_platform.programDir).filePath(QStringLiteral("temp.txt"));
    std::string error;
    const std::string bytes = toCp1252(text1() + QStringLiteral("\r\n"));
    if (!files::writeAtomic(nativePath(path), bytes, &error)) {
        // Nothing is opened: an old scratch file would show something else.
        m_ui->Label14->setText(
            tr("Impossible d'écrire %1 : %2")
                .arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.c_str())));
        return;
    }
    m_platform.shell->open(path);
}

void Form2::Text2_DblClick()
{
    setText2(QString());
}

void Form2::Text2_MouseDown(MouseButton button)
{
    if (button != MouseButton::Right)
        return;
    // The dump is laid out in pairs and lines, built apart and set once.
    setText2(fromCp1252(layOutPane(toCp1252(text2()))));
}

} // namespace platine
