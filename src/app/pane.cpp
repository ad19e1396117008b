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

QString Pane::viewOf(QStringView raw, ViewState &state)
{
    QString view;
    view.reserve(raw.size() + raw.size() / kViewLineMax + 1);
    for (const QChar c : raw) {
        if (c == QLatin1Char('\r')) {
            view += QLatin1Char('\n');
            state.column = 0;
            state.afterCr = true;
        } else if (c == QLatin1Char('\n')) {
            // The LF of a CR LF, possibly split across two chunks, is already shown.
            if (!state.afterCr)
                view += QLatin1Char('\n');
            state.column = 0;
            state.afterCr = false;
        } else {
            view += c;
            state.afterCr = false;
            if (++state.column == kViewLineMax) {
                view += QLatin1Char('\n');
                state.column = 0;
            }
        }
    }
    return view;
}

void Pane::setText(const QString &text)
{
    m_text = text;
    m_view = ViewState{};
    m_programmatic = true;
    setPlainText(viewOf(text, m_view));
    m_programmatic = false;
}

void Pane::append(const QString &more)
{
    if (more.isEmpty())
        return;
    m_text += more;
    const QString view = viewOf(more, m_view);
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
    // The operator typed into the pane: the view is the text, every line
    // break as CR LF (those the view added to long lines included, as the
    // operator sees them).
    QString typed = toPlainText();
    typed.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    m_text = typed;
    m_view = ViewState{};
    viewOf(m_text, m_view);
}

int Pane::caretPosition() const
{
    // Walks the kept text along the view: a CR LF is one line break in the
    // view and two characters of the text; a break the view added to a long
    // line is no character of the text.
    const int viewPos = textCursor().position();
    ViewState state;
    int v = 0;
    qsizetype raw = 0;
    while (v < viewPos && raw < m_text.size()) {
        const QChar c = m_text.at(raw++);
        v += int(viewOf(QStringView(&c, 1), state).size());
    }
    // The LF of a CR LF before the caret belongs to the line break shown.
    if (state.afterCr && raw < m_text.size() && m_text.at(raw) == QLatin1Char('\n'))
        ++raw;
    return int(raw);
}

} // namespace platine
