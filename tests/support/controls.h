#pragma once
// The window's controls for the tests, each found by its object name.

#include "app/form2.h"
#include "app/form2_ui.h"

#include <functional>
#include <optional>

namespace platine::testing {

Form2Ui controls(const QWidget &form);

class FakeDialogs;
// Opens the list file `path` with "Ouvrir une liste enregistrée", its file
// dialog answered; the dialog is then taken off the dialogs shown.
void openListFile(Form2 &form, FakeDialogs &dialogs, const QString &path);

// The window's waits and sends, each run in an exchange of its own as a
// board operation runs them.
WaitEnd waitIn(Form2 &form, const std::function<bool(const QString &)> &match,
               std::optional<Millis> limit);
WaitEnd waitStartIn(Form2 &form, const QString &keyword, std::optional<Millis> limit);
bool pauseIn(Form2 &form, Millis d);
void pauseBlockingIn(Form2 &form, Millis d);
bool sendIn(Form2 &form, const QByteArray &bytes);
bool connectIn(Form2 &form);

} // namespace platine::testing
