#pragma once
// A multi-line text box whose text is kept exactly as it was set or
// received: CR LF, lone CR and every other character stay as they are, while
// the view shows each line break as a new line (and cuts very long lines,
// see kViewLineMax). Appending adds to the end of the view in one edit and
// never rebuilds it, so a pane of megabytes still takes each chunk at once.
// What the operator types changes the text only where it was typed, and
// costs what the edited lines cost: the pane keeps where each view line
// starts in the text, so neither an edit nor the caret's place reads the text
// from its first character; and both the text and those line starts keep a
// gap at the place of the last edit, so that the text after a key and the
// later line starts do not move at each key typed in the middle.

#include <QPlainTextEdit>
#include <QString>

#include <optional>
#include <vector>

namespace platine {

class Pane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Pane(QWidget *parent = nullptr);

    const QString &text() const { return m_text.whole(); }
    void setText(const QString &text);
    void append(const QString &more);
    // Characters before the caret, a line break counting as in the text
    // (CR LF as two characters).
    int caretPosition() const;

    // A line longer than this is shown in pieces of this length: each piece
    // is laid out on its own, so a dump of megabytes without a line break
    // still takes each chunk at once. The text itself is not changed.
    static constexpr int kViewLineMax = 2048;

private:
    // Where the view stands after some text.
    struct ViewState {
        int column = 0;       // characters on the last view line
        bool afterCr = false; // the text ends with CR: a LF next is already shown
    };
    // A place in the text and the matching place in the view.
    struct Walk {
        qsizetype raw = 0;
        int view = 0;
        ViewState state;
    };
    // The view characters one character of the text adds: none (the LF of a
    // CR LF), itself (a line break for CR or LF), or itself and a break when
    // it fills its view line.
    static int step(QChar c, ViewState &state);
    // The view of the text from `w` up to `to`, following the view already
    // shown up to `w`, which it moves to `to`. Each view line it starts is
    // added to `lines`; the LF of a CR LF moves the last one past it.
    QString viewOf(qsizetype to, Walk &w, std::vector<Walk> &lines) const;
    // Moves `w` along the text until the view position `view` or the text
    // position `raw` is reached. A LF whose CR shows the line break belongs
    // to the place after the break.
    void walk(Walk &w, int view, qsizetype raw) const;
    // The view line holding the view position `view` (its place in m_lines).
    std::size_t lineOf(int view) const;
    void takeOperatorEdit(int position, int removed, int added);

    // The text with a gap where it was last edited: an edit next to the last
    // one moves no more than the characters between them. text() closes the
    // gap (the characters after it move once) to give the text in one piece.
    class GapText {
    public:
        qsizetype size() const { return m_buf.size() - m_gap; }
        QChar at(qsizetype i) const { return m_buf.at(i < m_at ? i : i + m_gap); }
        void assign(const QString &text);
        // Adds to the end, wherever the gap stands.
        void append(const QString &more) { m_buf += more; }
        // The characters [from, from + removed) give way to `typed`.
        void replace(qsizetype from, qsizetype removed, const QString &typed);
        const QString &whole() const;

    private:
        void moveGap(qsizetype to) const;

        // [0, m_at) and [m_at + m_gap, end) of m_buf hold the text.
        mutable QString m_buf;
        mutable qsizetype m_at = 0;
        mutable qsizetype m_gap = 0;
    };

    // The view lines' starts in order, with a gap where the last edit was:
    // the starts after the gap are kept less a shift common to all of them,
    // so that an edit moves the later starts by changing the shift alone, and
    // a line break typed or taken back adds or removes a start in the gap.
    class LineStarts {
    public:
        std::size_t size() const { return m_starts.size() - m_gap; }
        Walk at(std::size_t i) const;
        void assign(std::vector<Walk> starts);
        // The starts [first, last) give way to `lines`; those after them move
        // by `raw` characters of the text and `view` of the view.
        void replace(std::size_t first, std::size_t last, const std::vector<Walk> &lines,
                     qsizetype raw, int view);

    private:
        void moveGap(std::size_t to);

        // [0, m_at) and [m_at + m_gap, end) of m_starts hold the starts; those
        // after the gap are stored less (m_raw, m_view).
        std::vector<Walk> m_starts;
        std::size_t m_at = 0;
        std::size_t m_gap = 0;
        qsizetype m_raw = 0;
        int m_view = 0;
    };

    GapText m_text;
    // Where each view line (each block of the document, in order) starts,
    // and where the text ends. Never empty: an empty text has one line.
    LineStarts m_lines;
    Walk m_end;
    bool m_programmatic = false;
    // An edit that moved the view away from the text (a long line's breaks,
    // a CR and a LF brought together): the view part to show again, once the
    // document has finished the edit.
    struct Reshow {
        int from = 0;
        int to = 0;
        QString view;
        int caret = 0;
    };
    std::optional<Reshow> m_reshow;
};

} // namespace platine
