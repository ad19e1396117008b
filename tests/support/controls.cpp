// The window's controls, found by their names as the operator finds them by
// their captions.

#include "support/controls.h"

#include "app/pane.h"
#include "serial/exchange.h"
#include "support/fakes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>

namespace platine::testing {

namespace {

template <typename T> T *find(const QWidget &form, const char *name)
{
    T *w = form.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        throw std::logic_error(std::string("no control named ") + name);
    return w;
}

} // namespace

Form2Ui controls(const QWidget &form)
{
    Form2Ui u{};
    u.Frame1 = find<QGroupBox>(form, "Frame1");
    u.Frame2 = find<QGroupBox>(form, "Frame2");
    u.Frame3 = find<QGroupBox>(form, "Frame3");
    u.Frame4 = find<QGroupBox>(form, "Frame4");
    u.Frame5 = find<QGroupBox>(form, "Frame5");
    u.Frame6 = find<QGroupBox>(form, "Frame6");
    u.Text1 = find<Pane>(form, "Text1");
    u.Text2 = find<Pane>(form, "Text2");
    u.Label16 = find<QLabel>(form, "Label16");
    u.nom_fichier = find<QLabel>(form, "nom_fichier");
    u.Command4 = find<QPushButton>(form, "Command4");
    u.Command1 = find<QPushButton>(form, "Command1");
    u.Command2 = find<QPushButton>(form, "Command2");
    u.lecture_badge = find<QPushButton>(form, "lecture_badge");
    u.Command5 = find<QPushButton>(form, "Command5");
    u.Command8 = find<QPushButton>(form, "Command8");
    u.Command10 = find<QPushButton>(form, "Command10");
    u.Command3 = find<QPushButton>(form, "Command3");
    u.Command17 = find<QPushButton>(form, "Command17");
    u.Command6 = find<QPushButton>(form, "Command6");
    u.Label2 = find<QLabel>(form, "Label2");
    u.gache_0 = find<QLabel>(form, "gache_0");
    u.Label13 = find<QLabel>(form, "Label13");
    u.Label6 = find<QLabel>(form, "Label6");
    u.Label5 = find<QLabel>(form, "Label5");
    u.Label4 = find<QLabel>(form, "Label4");
    u.tempo_gache = find<QLineEdit>(form, "tempo_gache");
    u.buzzer = find<QCheckBox>(form, "buzzer");
    u.Combo1 = find<QComboBox>(form, "Combo1");
    u.Label1[0] = find<QLabel>(form, "Label1_0");
    u.Label1[1] = find<QLabel>(form, "Label1_1");
    u.Label1[2] = find<QLabel>(form, "Label1_2");
    u.Label1[3] = find<QLabel>(form, "Label1_3");
    u.Label1[4] = find<QLabel>(form, "Label1_4");
    u.Label1[5] = find<QLabel>(form, "Label1_5");
    u.Label1[6] = find<QLabel>(form, "Label1_6");
    u.Label1[7] = find<QLabel>(form, "Label1_7");
    u.Label1[8] = find<QLabel>(form, "Label1_8");
    u.numero_badge = find<QLineEdit>(form, "numero_badge");
    u.nom = find<QLineEdit>(form, "nom");
    u.heure_debut = find<QLineEdit>(form, "heure_debut");
    u.minute_debut = find<QLineEdit>(form, "minute_debut");
    u.heure_fin = find<QLineEdit>(form, "heure_fin");
    u.minute_fin = find<QLineEdit>(form, "minute_fin");
    u.lieu = find<QLineEdit>(form, "lieu");
    u.jour_du_mois = find<QLineEdit>(form, "jour_du_mois");
    u.Choix_24 = find<QCheckBox>(form, "Choix_24");
    u.choix_lieu = find<QCheckBox>(form, "choix_lieu");
    u.Combo2 = find<QComboBox>(form, "Combo2");
    u.Label10 = find<QLabel>(form, "Label10");
    u.nombre_enregistrements = find<QLabel>(form, "nombre_enregistrements");
    u.Label12 = find<QLabel>(form, "Label12");
    u.Label11 = find<QLabel>(form, "Label11");
    u.Label8 = find<QLabel>(form, "Label8");
    u.Label9 = find<QLabel>(form, "Label9");
    u.Command21 = find<QPushButton>(form, "Command21");
    u.Command22 = find<QPushButton>(form, "Command22");
    u.Command11 = find<QPushButton>(form, "Command11");
    u.Command14 = find<QPushButton>(form, "Command14");
    u.Command13 = find<QPushButton>(form, "Command13");
    u.Command7 = find<QPushButton>(form, "Command7");
    u.Command12 = find<QPushButton>(form, "Command12");
    u.Line1[0] = find<QFrame>(form, "Line1_0");
    u.Line1[1] = find<QFrame>(form, "Line1_1");
    u.Line1[2] = find<QFrame>(form, "Line1_2");
    u.Line1[3] = find<QFrame>(form, "Line1_3");
    u.Line1[4] = find<QFrame>(form, "Line1_4");
    u.defile = find<QLabel>(form, "defile");
    u.Label7 = find<QLabel>(form, "Label7");
    u.Label14 = find<StatusLabel>(form, "Label14");
    u.Command15 = find<QPushButton>(form, "Command15");
    u.Command18 = find<QPushButton>(form, "Command18");
    u.Command16 = find<QPushButton>(form, "Command16");
    u.Command9 = find<QPushButton>(form, "Command9");
    u.Command20 = find<QPushButton>(form, "Command20");
    u.Label15[0] = find<QLabel>(form, "Label15_0");
    u.Label15[1] = find<QLabel>(form, "Label15_1");
    u.Label15[2] = find<QLabel>(form, "Label15_2");
    u.Label15[3] = find<QLabel>(form, "Label15_3");
    u.heure_pc = find<QLineEdit>(form, "heure_pc");
    u.minute_pc = find<QLineEdit>(form, "minute_pc");
    u.jour_pc = find<QLineEdit>(form, "jour_pc");
    u.j_mois = find<QLineEdit>(form, "j_mois");
    u.Command19 = find<QPushButton>(form, "Command19");
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
    Exchange x(form, kTest);
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
    Exchange x(form, kTest);
    return x.pause(d, kTest);
}

void pauseBlockingIn(Form2 &form, Millis d)
{
    Exchange x(form, kTest);
    x.pauseBlocking(d);
}

bool sendIn(Form2 &form, const QByteArray &bytes)
{
    Exchange x(form, kTest);
    return x.send(bytes, kTest);
}

bool connectIn(Form2 &form)
{
    Exchange x(form, kTest);
    return x.connect(Exchange::Indicator::Leave);
}

} // namespace platine::testing
