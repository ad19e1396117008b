// The operator typing at the end of a receive pane of 4 MB (CR LF lines of
// 60 characters), key by key on the real widget, against a plain
// QPlainTextEdit holding the same text in the same run (same line wrapping,
// no undo, like the pane): median time of a key, of the repaint that follows
// it, and of the caret's place in the text; then keys and line breaks in the
// middle.
// Run: QT_QPA_PLATFORM=offscreen build-bench/bench/bench_pane [MEGABYTES]

#include "serial/pane.h"
#include "bench_util.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>

#include <cstdlib>
#include <vector>

using namespace platine;
using namespace platine::bench;

namespace {

QString makeText(qsizetype size)
{
    QString text;
    text.reserve(size + 64);
    for (int i = 0; text.size() < size; ++i)
        text += QStringLiteral("%1 ").arg(i, 8, 10, QLatin1Char('0')).repeated(6) +
                QStringLiteral("ligne\r\n");
    return text;
}

void caretToEnd(QPlainTextEdit &edit)
{
    QTextCursor c = edit.textCursor();
    c.movePosition(QTextCursor::End);
    edit.setTextCursor(c);
}

struct Times {
    std::vector<double> key, repaint;
};

// One key at the end, then the repaint it asks for, in microseconds.
void typeOne(QPlainTextEdit &edit, Qt::Key key, Times &t)
{
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(&edit, key);
    t.key.push_back(double(clock.nsecsElapsed()) / 1000.0);
    clock.start();
    QCoreApplication::processEvents();
    t.repaint.push_back(double(clock.nsecsElapsed()) / 1000.0);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 4;
    const QString text = makeText(qsizetype(megabytes) << 20);

    Pane pane;
    pane.setText(text);
    QPlainTextEdit plain;
    plain.setLineWrapMode(QPlainTextEdit::NoWrap);
    plain.setUndoRedoEnabled(false);
    plain.setPlainText(text);
    for (QPlainTextEdit *edit : {static_cast<QPlainTextEdit *>(&pane), &plain}) {
        edit->resize(600, 400);
        edit->show();
        caretToEnd(*edit);
    }
    QCoreApplication::processEvents();

    // The two editors take turns, so that the machine's load falls on both.
    Times paneTimes, plainTimes;
    std::vector<double> caret;
    const int keys = 400;
    for (int i = 0; i < keys + 20; ++i) {
        const Qt::Key key = i % 61 == 60 ? Qt::Key_Return : Qt::Key(Qt::Key_A + i % 26);
        typeOne(pane, key, paneTimes);
        typeOne(plain, key, plainTimes);
        QElapsedTimer clock;
        clock.start();
        const int at = pane.caretPosition();
        caret.push_back(double(clock.nsecsElapsed()) / 1000.0);
        if (at != pane.text().size()) {
            std::fprintf(stderr, "bench_pane: caret at %d of %lld\n", at,
                         (long long)pane.text().size());
            return 1;
        }
    }
    for (Times *t : {&paneTimes, &plainTimes}) { // the first keys warm up
        t->key.erase(t->key.begin(), t->key.begin() + 20);
        t->repaint.erase(t->repaint.begin(), t->repaint.begin() + 20);
    }

    const std::string what = "key at the end of a " + std::to_string(megabytes) +
                             " MB pane (CR LF lines of 60), " + std::to_string(keys) + " keys";
    const double paneKey = median(paneTimes.key), plainKey = median(plainTimes.key);
    const double paneAll = median(paneTimes.repaint) + paneKey;
    const double plainAll = median(plainTimes.repaint) + plainKey;
    report(what, fmt("pane %.1f us, plain QPlainTextEdit %.1f us, ratio %.2f", paneKey, plainKey,
                     paneKey / plainKey));
    report(what + ", with the repaint",
           fmt("pane %.1f us, plain QPlainTextEdit %.1f us, ratio %.2f", paneAll, plainAll,
               paneAll / plainAll));
    report("caret's place at the end of the pane", fmt("median %.2f us", median(caret)));

    // In the middle, the view lines after the key move by one character.
    Times paneMiddle, plainMiddle;
    for (QPlainTextEdit *edit : {static_cast<QPlainTextEdit *>(&pane), &plain}) {
        QTextCursor c = edit->textCursor();
        c.setPosition(edit->document()->characterCount() / 2);
        edit->setTextCursor(c);
    }
    for (int i = 0; i < 100; ++i) {
        typeOne(pane, Qt::Key_X, paneMiddle);
        typeOne(plain, Qt::Key_X, plainMiddle);
    }
    report("key in the middle of the same pane, 100 keys",
           fmt("pane %.1f us, plain QPlainTextEdit %.1f us, ratio %.2f", median(paneMiddle.key),
               median(plainMiddle.key), median(paneMiddle.key) / median(plainMiddle.key)));

    // A line break typed there adds a view line, and a line start to keep.
    Times paneBreak, plainBreak;
    for (int i = 0; i < 100; ++i) {
        typeOne(pane, Qt::Key_Return, paneBreak);
        typeOne(plain, Qt::Key_Return, plainBreak);
    }
    report("line break typed in the middle of the same pane, 100 keys",
           fmt("pane %.1f us, plain QPlainTextEdit %.1f us, ratio %.2f", median(paneBreak.key),
               median(plainBreak.key), median(paneBreak.key) / median(plainBreak.key)));
    return 0;
}
