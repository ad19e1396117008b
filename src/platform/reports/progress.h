#pragma once
// The progress of a long export or print: told the rows done and the rows
// in all, it answers false once the operator asked to stop.

#include <QElapsedTimer>
#include <QProgressDialog>

#include <cstddef>
#include <functional>

class QWidget;

namespace platine {

using ProgressFn = std::function<bool(std::size_t done, std::size_t total)>;

// The progress with "Annuler" over the window that asked, keeping the
// program's windows alive meanwhile; a short job is over before it shows.
class ProgressBox {
public:
    ProgressBox(QWidget *parent, const QString &what);
    // False once the operator cancelled.
    bool step(std::size_t done, std::size_t total);
    ProgressFn fn()
    {
        return [this](std::size_t done, std::size_t total) { return step(done, total); };
    }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_pumped;
};

} // namespace platine
