#pragma once
// A multi-line text box whose text is kept exactly as it was set or
// received: CR LF, lone CR and every other character stay as they are, while
// the view shows each line break as a new line (and cuts very long lines,
// see kViewLineMax). Appending adds to the end of the view in one edit and
// never rebuilds it, so a pane of megabytes still takes each chunk at once.

#include <QPlainTextEdit>
#include <QString>

namespace platine {

class Pane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Pane(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
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
    // Where the view stands at the end of the text.
    struct ViewState {
        int column = 0;       // characters on the last view line
        bool afterCr = false; // the text ends with CR: a LF next is already shown
    };
    void takeOperatorEdit();
    // The view of `raw` following the text already shown up to `state`.
    static QString viewOf(QStringView raw, ViewState &state);

    QString m_text;
    ViewState m_view;
    bool m_programmatic = false;
};

} // namespace platine
