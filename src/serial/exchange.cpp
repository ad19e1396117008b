#include "serial/exchange.h"

#include "app/form2_ui.h"

#include "app/status_label.h"
#include "board/board_support.h"
#include "platform/text.h"

namespace platine {

Exchange::Exchange(Form2 &form, const QString &operation) : m_form(form)
{
    m_began = form.prendre_ligne(operation);
    m_epoch = form.m_portEpoch;
}

Exchange::~Exchange()
{
    if (m_began)
        m_form.rendre_ligne();
}

bool Exchange::connect(Indicator indicator)
{
    if (!m_form.ouvrir_port())
        return false; // the status strip says why the port would not open
    if (indicator == Indicator::Light)
        m_form.setIndicatorConnected(true);
    m_epoch = m_form.m_portEpoch;
    return true;
}

bool Exchange::requireOpen(const QString &command)
{
    if (m_form.m_platform.serial->isOpen())
        return true;
    status(QStringLiteral("Connexion non ouverte : %1 n'a pas été envoyé")
               .arg(board::quoted(command)));
    return false;
}

void Exchange::setDtr(bool on)
{
    m_form.m_platform.serial->setDtr(on);
}

void Exchange::clearReceived()
{
    m_form.setText2(QString());
}

QString Exchange::received() const
{
    return m_form.text2();
}

bool Exchange::waitFor(const QString &what, const std::function<bool(const QString &)> &match,
                       std::optional<Millis> limit)
{
    m_lastWait = m_form.attendre(match, limit);
    if (m_lastWait == WaitEnd::Matched)
        return true;
    m_why = board::waitFailure(m_lastWait, what, received().size());
    return false;
}

bool Exchange::waitStart(std::string_view keyword, std::optional<Millis> limit)
{
    const QString w = board::word(keyword);
    return waitFor(
        w, [&w](const QString &pane) { return pane.startsWith(w); }, limit);
}

bool Exchange::lineLost() const
{
    return m_form.m_portEpoch != m_epoch || m_form.m_ending;
}

bool Exchange::pause(Millis d, const QString &step)
{
    if (m_form.pause_cedante(d) && !lineLost())
        return true;
    m_why = QStringLiteral("liaison fermée ou perdue (%1)").arg(step);
    return false;
}

void Exchange::pauseBlocking(Millis d)
{
    m_form.m_platform.pump->block(d);
}

bool Exchange::send(const QByteArray &bytes, const QString &step)
{
    if (lineLost()) {
        m_why = QStringLiteral("liaison fermée ou perdue pendant %1").arg(step);
        return false;
    }
    if (m_form.envoyer(bytes))
        return true;
    m_why =
        QStringLiteral("envoi interrompu pendant %1 (%2)").arg(step, m_form.m_ui->Label14->text());
    return false;
}

bool Exchange::sendWord(std::string_view word, const QString &step)
{
    return send(board::wordBytes(word), step);
}

bool Exchange::sendPaced(std::span<const unsigned char> bytes, int total, const QString &step)
{
    m_form.m_compteur = 0;
    for (unsigned char b : bytes) {
        if (!send(QByteArray(1, char(b)), step))
            return false;
        m_form.anime(std::int16_t(total));
    }
    return true;
}

void Exchange::status(const QString &text)
{
    m_form.m_ui->Label14->setText(text);
}

} // namespace platine
