// The window's controls, found by their names as the operator finds them by
// their captions.

#include "support/controls.h"

#include "serial/pane.h"
#include "serial/exchange.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>

#include <stdexcept>

namespace platine::testing {

namespace {

template <typename T> void find(const QWidget &form, const QString &name, T *&control)
{
    control = form.findChild<T *>(name);
    if (!control)
        throw std::logic_error("no control named " + name.toStdString());
}

} // namespace

Form2Ui controls(const QWidget &form)
{
    Form2Ui u{};
    forEachControl(u, [&form](const QString &name, auto *&control) { find(form, name, control); });
    return u;
}

void openListFile(Form2 &form, FakeDialogs &dialogs, const QString &path)
{
    const std::size_t shown = dialogs.shown.size();
    const qsizetype presets = dialogs.presets.size();
    dialogs.files.push_front(path);
    form.Command1_Click();
    dialogs.shown.resize(shown);
    dialogs.presets.resize(presets);
}

namespace {
const QString kTest = QStringLiteral("essai");
}

WaitEnd waitIn(Form2 &form, const std::function<bool(const QString &)> &match,
               std::optional<Millis> limit)
{
    Exchange x(form.line(), kTest);
    x.waitFor(kTest, match, limit);
    return x.lastWait();
}

WaitEnd waitStartIn(Form2 &form, const QString &keyword, std::optional<Millis> limit)
{
    return waitIn(
        form, [&keyword](const QString &pane) { return pane.startsWith(keyword); }, limit);
}

bool pauseIn(Form2 &form, Millis d)
{
    Exchange x(form.line(), kTest);
    return x.pause(d, kTest);
}

void pauseBlockingIn(Form2 &form, Millis d)
{
    Exchange x(form.line(), kTest);
    x.pauseBlocking(d);
}

bool sendIn(Form2 &form, const QByteArray &bytes)
{
    Exchange x(form.line(), kTest);
    return x.send(bytes, kTest);
}

bool connectIn(Form2 &form)
{
    Exchange x(form.line(), kTest);
    return x.connect(Exchange::Indicator::Leave);
}

} // namespace platine::testing
