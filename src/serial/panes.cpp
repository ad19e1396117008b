// The operator's mouse actions on the two panes.

#include "app/form2.h"
#include "app/pane.h"
#include "platform/files.h"
#include "platform/text.h"

#include <QDir>
#include <QFile>
#include <QLabel>

namespace platine {

void Form2::Text1_Click()
{
    m_ui.Text1->setToolTip(QString::number(m_ui.Text1->caretPosition()));
}

void Form2::Text1_DblClick()
{
    const QString path = QDir(m_platform.programDir).filePath(QStringLiteral("temp.txt"));
    std::string error;
    const std::string bytes = toCp1252(text1() + QStringLiteral("\r\n"));
    if (!files::writeAtomic(QFile::encodeName(path).toStdString(), bytes, &error)) {
        m_ui.Label14->setText(QStringLiteral("Impossible d'écrire %1 : %2")
                                  .arg(path, QString::fromLocal8Bit(error.c_str())));
        return;
    }
    m_platform.shell->open(path);
}

void Form2::Text2_DblClick() { setText2(QString()); }

} // namespace platine
