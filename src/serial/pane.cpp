#include "serial/pane.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <cstring>
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

// Room left in a gap widened by an edit, for the next keys: a key typed in
// the middle moves the rest of the text or of the line starts once in so many.
constexpr qsizetype kTextGapRoom = 4096;
constexpr std::size_t kLineGapRoom = 256;

} // namespace

void Pane::GapText::assign(const QString &text)
{
    m_buf = text;
    m_at = text.size();
    m_gap = 0;
}

void Pane::GapText::moveGap(qsizetype to) const
{
    if (m_gap > 0 && to != m_at) {
        QChar *d = m_buf.data();
        if (to < m_at)
            std::memmove(d + to + m_gap, d + to, std::size_t(m_at - to) * sizeof(QChar));
        else
            std::memmove(d + m_at, d + m_at + m_gap, std::size_t(to - m_at) * sizeof(QChar));
    }
    m_at = to;
}

void Pane::GapText::replace(qsizetype from, qsizetype removed, const QString &typed)
{
    moveGap(from + removed);
    m_at = from;
    m_gap += removed;
    const qsizetype n = typed.size();
    if (n > m_gap) {
        const qsizetype extra = n - m_gap + kTextGapRoom;
        const qsizetype after = m_at + m_gap;
        const qsizetype tail = m_buf.size() - after;
        m_buf.resize(m_buf.size() + extra);
        QChar *d = m_buf.data();
        std::memmove(d + after + extra, d + after, std::size_t(tail) * sizeof(QChar));
        m_gap += extra;
    }
    if (n > 0)
        std::copy(typed.cbegin(), typed.cend(), m_buf.data() + m_at);
    m_at += n;
    m_gap -= n;
}

const QString &Pane::GapText::whole() const
{
    if (m_gap > 0) {
        const qsizetype n = size();
        moveGap(n);
        m_buf.resize(n); // the gap was moved to the end: drop it
        m_gap = 0;
    }
    return m_buf;
}

Pane::Walk Pane::LineStarts::at(std::size_t i) const
{
    if (i < m_at)
        return m_starts[i];
    Walk w = m_starts[i + m_gap];
    w.raw += m_raw;
    w.view += m_view;
    return w;
}

void Pane::LineStarts::assign(std::vector<Walk> starts)
{
    m_starts = std::move(starts);
    m_at = m_starts.size();
    m_gap = 0;
    m_raw = 0;
    m_view = 0;
}

void Pane::LineStarts::moveGap(std::size_t to)
{
    // The starts that cross the gap take on or drop the shift.
    for (std::size_t i = m_at; i > to; --i) {
        Walk w = m_starts[i - 1];
        w.raw -= m_raw;
        w.view -= m_view;
        m_starts[i - 1 + m_gap] = w;
    }
    for (std::size_t i = m_at; i < to; ++i) {
        Walk w = m_starts[i + m_gap];
        w.raw += m_raw;
        w.view += m_view;
        m_starts[i] = w;
    }
    m_at = to;
}

void Pane::LineStarts::replace(std::size_t first, std::size_t last,
                               const std::vector<Walk> &lines, qsizetype raw, int view)
{
    if (last == size() && first >= m_at) {
        // The last lines, behind the gap (text arriving after an edit in the
        // middle): no start follows them, the gap stays where it is.
        m_starts.resize(first + m_gap);
        for (Walk w : lines) {
            w.raw -= m_raw;
            w.view -= m_view;
            m_starts.push_back(w);
        }
        return;
    }
    moveGap(last);
    m_at = first;
    m_gap += last - first;
    if (lines.size() > m_gap) {
        const std::size_t extra = lines.size() - m_gap + kLineGapRoom;
        m_starts.insert(m_starts.begin() + std::ptrdiff_t(m_at + m_gap), extra, Walk{});
        m_gap += extra;
    }
    std::copy(lines.begin(), lines.end(), m_starts.begin() + std::ptrdiff_t(m_at));
    m_at += lines.size();
    m_gap -= lines.size();
    m_raw += raw;
    m_view += view;
}

Pane::Pane(QWidget *parent) : QPlainTextEdit(parent)
{
    m_lines.assign({Walk{}});
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
    // Tab and Shift+Tab go to the next control: a list file or the board's
    // text has no use for a tab character, and the keyboard must get out.
    setTabChangesFocus(true);
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
    m_text.assign(text);
    std::vector<Walk> lines{Walk{}};
    m_end = Walk{};
    const QString view = viewOf(m_text.size(), m_end, lines);
    m_lines.assign(std::move(lines));
    m_programmatic = true;
    setPlainText(view);
    m_programmatic = false;
}

void Pane::append(const QString &more)
{
    if (more.isEmpty())
        return;
    m_text.append(more);
    // The last view line may go on (or, after a CR, start past a LF).
    const std::size_t lastLine = m_lines.size() - 1;
    std::vector<Walk> lines{m_lines.at(lastLine)};
    const QString view = viewOf(m_text.size(), m_end, lines);
    m_lines.replace(lastLine, lastLine + 1, lines, 0, 0);
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
    const Walk start = m_lines.at(line);
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
    std::size_t last = line;
    while (last < m_lines.size() && m_lines.at(last).raw <= oldEnd.raw)
        ++last;
    m_lines.replace(line, last, lines, rawMoved, viewMoved);
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
    Walk w = m_lines.at(lineOf(caret));
    walk(w, caret, m_text.size());
    return int(w.raw);
}

} // namespace platine
