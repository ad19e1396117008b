#include "serial/pane.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <climits>
#include <utility>

namespace platine {
namespace {

constexpr QChar kCr(u'\r');
constexpr QChar kLf(u'\n');

bool isBreak(QChar c)
{
    return c == kCr || c == kLf;
}

// The document's text between two positions, its paragraph ends read as LF;
// a no-break space stays one (the plain text of the whole document would turn
// it into a blank).
QString documentText(QTextDocument *doc, int from, int to)
{
    QTextCursor c(doc);
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    return c.selectedText().replace(QChar::ParagraphSeparator, kLf);
}

} // namespace

Pane::Pane(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                if (!m_programmatic)
                    takeOperatorEdit(position, removed, added);
            });
    // The document is changed again only once it has finished the operator's edit.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_reshow)
            return;
        const Reshow r = *std::exchange(m_reshow, std::nullopt);
        m_programmatic = true;
        QTextCursor c(document());
        c.setPosition(r.from);
        c.setPosition(r.to, QTextCursor::KeepAnchor);
        c.insertText(r.view);
        c.setPosition(r.caret);
        setTextCursor(c);
        m_programmatic = false;
    });
}

int Pane::step(QChar c, ViewState &state)
{
    if (c == kCr) {
        state = {0, true};
        return 1;
    }
    if (c == kLf) {
        // The LF of a CR LF, possibly split across two chunks, is already shown.
        const int shown = state.afterCr ? 0 : 1;
        state = {0, false};
        return shown;
    }
    state.afterCr = false;
    if (++state.column < kViewLineMax)
        return 1;
    state.column = 0;
    return 2;
}

QString Pane::viewOf(QStringView raw, ViewState &state)
{
    QString view;
    view.reserve(raw.size() + raw.size() / kViewLineMax + 1);
    for (const QChar c : raw) {
        const int n = step(c, state);
        if (n > 0)
            view += isBreak(c) ? kLf : c;
        if (n > 1)
            view += kLf;
    }
    return view;
}

void Pane::walk(Walk &w, int view, qsizetype raw) const
{
    raw = std::min(raw, m_text.size());
    while (w.raw < raw && (w.view < view || (w.state.afterCr && m_text.at(w.raw) == kLf)))
        w.view += step(m_text.at(w.raw++), w.state);
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

void Pane::takeOperatorEdit(int position, int removed, int added)
{
    // The view characters [position, position + removed) were replaced by
    // `added` others. The text changes only there: the characters those view
    // characters stood for (none for a break the view added to a long line,
    // both for the line break of a CR LF) give way to what was typed.
    QTextDocument *doc = document();

    Walk lineStart;
    walk(lineStart, doc->findBlock(position).position(), m_text.size());
    Walk from = lineStart;
    walk(from, position, m_text.size());
    Walk to = from;
    walk(to, position + removed, m_text.size());
    // The view may change up to the first line break after the edit, which
    // starts a view line anew: the breaks of a long line move, a CR and a LF
    // brought together show as one break.
    qsizetype end = to.raw;
    while (end < m_text.size() && !isBreak(m_text.at(end)))
        ++end;
    if (end < m_text.size())
        end +=
            m_text.at(end) == kCr && end + 1 < m_text.size() && m_text.at(end + 1) == kLf ? 2 : 1;
    Walk oldEnd = to;
    walk(oldEnd, INT_MAX, end);

    // A line break typed or pasted is a CR LF, as in the files.
    QString typed = documentText(doc, position, position + added);
    typed.replace(kLf, QStringLiteral("\r\n"))
        .replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    m_text.replace(from.raw, to.raw - from.raw, typed);
    const qsizetype typedEnd = from.raw + typed.size();
    end += typedEnd - to.raw;

    ViewState state = lineStart.state;
    const QString head =
        viewOf(QStringView(m_text).mid(lineStart.raw, typedEnd - lineStart.raw), state);
    const QString view = head + viewOf(QStringView(m_text).mid(typedEnd, end - typedEnd), state);
    if (end == m_text.size())
        m_view = state;
    const int viewTo = oldEnd.view - removed + added;
    if (documentText(doc, lineStart.view, viewTo) != view)
        m_reshow = Reshow{lineStart.view, viewTo, view, lineStart.view + int(head.size())};
}

int Pane::caretPosition() const
{
    Walk w;
    walk(w, textCursor().position(), m_text.size());
    return int(w.raw);
}

} // namespace platine
