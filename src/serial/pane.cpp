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

Pane::Pane(QWidget *parent) : QPlainTextEdit(parent), m_lines{Walk{}}
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

QString Pane::viewOf(qsizetype to, Walk &w, std::vector<Walk> &lines) const
{
    QString view;
    view.reserve(to - w.raw + (to - w.raw) / kViewLineMax + 1);
    while (w.raw < to) {
        const QChar c = m_text.at(w.raw++);
        const int n = step(c, w.state);
        w.view += n;
        if (n == 0) {
            // The LF of a CR LF: the line the CR started begins after it.
            lines.back() = w;
            continue;
        }
        view += isBreak(c) ? kLf : c;
        if (n > 1)
            view += kLf;
        if (n > 1 || isBreak(c))
            lines.push_back(w);
    }
    return view;
}

void Pane::walk(Walk &w, int view, qsizetype raw) const
{
    raw = std::min(raw, m_text.size());
    while (w.raw < raw && (w.view < view || (w.state.afterCr && m_text.at(w.raw) == kLf)))
        w.view += step(m_text.at(w.raw++), w.state);
}

std::size_t Pane::lineOf(int view) const
{
    const int line = document()->findBlock(view).blockNumber();
    Q_ASSERT(line >= 0 && std::size_t(line) < m_lines.size());
    return std::min(std::size_t(std::max(line, 0)), m_lines.size() - 1);
}

void Pane::setText(const QString &text)
{
    m_text = text;
    m_lines.assign(1, Walk{});
    m_end = Walk{};
    m_programmatic = true;
    setPlainText(viewOf(m_text.size(), m_end, m_lines));
    m_programmatic = false;
}

void Pane::append(const QString &more)
{
    if (more.isEmpty())
        return;
    m_text += more;
    const QString view = viewOf(m_text.size(), m_end, m_lines);
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
    // both for the line break of a CR LF) give way to what was typed. The
    // view line of the edit starts where it did: the document before it is
    // the same.
    QTextDocument *doc = document();
    const std::size_t line = lineOf(position);
    const Walk start = m_lines[line];
    Walk from = start;
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

    // The view lines from the edit's one to the break after the edit are
    // laid out again; those after it keep their state and move.
    Walk w = start;
    std::vector<Walk> lines{start};
    const QString head = viewOf(typedEnd, w, lines);
    const QString view = head + viewOf(end, w, lines);
    const qsizetype rawMoved = w.raw - oldEnd.raw;
    const int viewMoved = w.view - oldEnd.view;
    const auto first = m_lines.begin() + qsizetype(line);
    auto last = first;
    while (last != m_lines.end() && last->raw <= oldEnd.raw)
        ++last;
    for (auto it = last; it != m_lines.end(); ++it) {
        it->raw += rawMoved;
        it->view += viewMoved;
    }
    m_lines.erase(first, last);
    m_lines.insert(m_lines.begin() + qsizetype(line), lines.begin(), lines.end());
    if (end == m_text.size()) {
        m_end = w;
    } else {
        m_end.raw += rawMoved;
        m_end.view += viewMoved;
    }

    const int viewTo = oldEnd.view - removed + added;
    if (documentText(doc, start.view, viewTo) != view)
        m_reshow = Reshow{start.view, viewTo, view, start.view + int(head.size())};
}

int Pane::caretPosition() const
{
    const int caret = textCursor().position();
    Walk w = m_lines[lineOf(caret)];
    walk(w, caret, m_text.size());
    return int(w.raw);
}

} // namespace platine
