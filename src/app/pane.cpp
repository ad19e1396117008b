#include "app/pane.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace platine {

Pane::Pane(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_programmatic)
            takeOperatorEdit();
    });
}

QString Pane::forView(const QString &text)
{
    QString view = text;
    view.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    view.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return view;
}

void Pane::setText(const QString &text)
{
    m_text = text;
    m_programmatic = true;
    setPlainText(forView(text));
    m_programmatic = false;
}

void Pane::append(const QString &more)
{
    if (more.isEmpty())
        return;
    // A CR LF split across two chunks shows as one line break.
    const bool joinsCrLf = m_text.endsWith(QLatin1Char('\r')) && more.startsWith(QLatin1Char('\n'));
    m_text += more;
    QString view = forView(joinsCrLf ? more.mid(1) : more);
    if (view.isEmpty())
        return;
    m_programmatic = true;
    QScrollBar *bar = verticalScrollBar();
    const bool atBottom = bar->value() == bar->maximum();
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(view);
    if (atBottom)
        bar->setValue(bar->maximum());
    m_programmatic = false;
}

void Pane::takeOperatorEdit()
{
    // The operator typed into the pane: the view is the text, line breaks as CR LF.
    QString typed = toPlainText();
    typed.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    m_text = typed;
}

int Pane::caretPosition() const
{
    // Walks the kept text along the view: a CR LF is one line break in the
    // view and two characters of the text, a lone CR or LF one of each.
    const int viewPos = textCursor().position();
    const qsizetype size = m_text.size();
    qsizetype raw = 0;
    for (int v = 0; v < viewPos && raw < size; ++v) {
        if (m_text.at(raw) == QLatin1Char('\r') && raw + 1 < size &&
            m_text.at(raw + 1) == QLatin1Char('\n'))
            raw += 2;
        else
            raw += 1;
    }
    return int(raw);
}

} // namespace platine
