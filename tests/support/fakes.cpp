#include "support/fakes.h"

#include <QCoreApplication>

#include <stdexcept>

namespace platine::testing {

void VirtualTime::at(Millis at, std::function<void()> action)
{
    m_queue.emplace(at, std::move(action));
}

bool VirtualTime::runDue()
{
    bool ran = false;
    while (!m_queue.empty() && m_queue.begin()->first <= m_now) {
        auto action = std::move(m_queue.begin()->second);
        m_queue.erase(m_queue.begin());
        action();
        ran = true;
    }
    return ran;
}

void VirtualTime::processEvents()
{
    runDue();
    QCoreApplication::processEvents();
}

void VirtualTime::waitUntil(Millis deadline)
{
    if (runDue()) {
        QCoreApplication::processEvents();
        return;
    }
    Millis next = deadline;
    if (!m_queue.empty() && m_queue.begin()->first < next)
        next = m_queue.begin()->first;
    if (next > m_now) {
        if (next > horizon)
            throw std::runtime_error("virtual time ran past the horizon: a wait never ends");
        m_now = next;
    }
    runDue();
    QCoreApplication::processEvents();
}

void VirtualTime::advanceTo(Millis t)
{
    while (!m_queue.empty() && m_queue.begin()->first <= t) {
        m_now = std::max(m_now, m_queue.begin()->first);
        runDue();
    }
    m_now = std::max(m_now, t);
}

namespace {
class VirtualTimer : public Timer {
public:
    explicit VirtualTimer(VirtualTime &time) : m_time(time) {}
    void start(Millis interval) override
    {
        const std::uint64_t generation = ++m_generation;
        m_active = true;
        m_interval = interval;
        m_time.after(interval, [this, generation, alive = m_alive] {
            if (*alive && m_active && generation == m_generation) {
                // A repeating timer: armed again unless its handler stopped it.
                if (onTimeout)
                    onTimeout();
                if (m_active && generation == m_generation)
                    start(m_interval);
            }
        });
    }
    void stop() override
    {
        m_active = false;
        ++m_generation;
    }
    bool isActive() const override { return m_active; }
    ~VirtualTimer() override { *m_alive = false; }

private:
    VirtualTime &m_time;
    bool m_active = false;
    Millis m_interval{0};
    std::uint64_t m_generation = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
} // namespace

std::unique_ptr<Timer> VirtualTime::makeTimer()
{
    return std::make_unique<VirtualTimer>(*this);
}

OpenResult FakeSerialPort::open(const PortId &port)
{
    ++opens;
    openedPort = port.number;
    openedDevice = port.device;
    if (nextOpen == OpenResult::Opened) {
        m_open = true;
        m_input.clear(); // what waited in the adapter, as the real port drops it
    }
    return nextOpen;
}

bool FakeSerialPort::write(const QByteArray &bytes)
{
    if (!m_open)
        return false;
    written += bytes;
    writes << bytes;
    if (onWrite)
        onWrite(bytes);
    return true;
}

QByteArray FakeSerialPort::readAll()
{
    if (!m_open)
        return {};
    QByteArray all = m_input;
    m_input.clear();
    return all;
}

void FakeSerialPort::deliver(const QByteArray &bytes, Millis delay)
{
    m_time.after(delay, [this, bytes] {
        // On a closed port the bytes wait in the adapter, unannounced.
        m_input += bytes;
        if (m_open && onReadyRead)
            onReadyRead();
    });
}

void FakeSerialPort::lose(Millis delay)
{
    m_time.after(delay, [this] {
        if (m_open && onLost)
            onLost(QStringLiteral("périphérique retiré"));
    });
}

MsgAnswer FakeDialogs::message(MsgIcon icon, MsgButtons buttons, const QString &title,
                               const QString &text, QWidget *parent, MsgAnswer byDefault)
{
    Shown s{QStringLiteral("message"), icon, buttons, title, text, parent, byDefault};
    shown.push_back(s);
    MsgAnswer answer = MsgAnswer::Ok;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    if (onMessage)
        onMessage(s);
    return answer;
}

QString FakeDialogs::input(const QString &prompt, const QString &title, const QString &,
                           QWidget *parent)
{
    shown.push_back(
        {QStringLiteral("input"), MsgIcon::Question, MsgButtons::Ok, title, prompt, parent});
    if (inputs.empty())
        return QString();
    QString a = inputs.front();
    inputs.pop_front();
    return a;
}

QString FakeDialogs::fileDialog(const QString &kind, const QString &title, const QString &preset,
                                QWidget *parent)
{
    shown.push_back({kind, MsgIcon::Information, MsgButtons::Ok, title, preset, parent});
    presets << preset;
    if (files.empty())
        return QString();
    QString a = files.front();
    files.pop_front();
    return a;
}

QString FakeDialogs::openFile(const QString &title, const QString &preset, QWidget *parent)
{
    return fileDialog(QStringLiteral("open"), title, preset, parent);
}

QString FakeDialogs::saveFile(const QString &title, const QString &preset, QWidget *parent)
{
    return fileDialog(QStringLiteral("save"), title, preset, parent);
}

FakeWindows::~FakeWindows()
{
    for (const QPointer<QWidget> &w : shown)
        delete w.data();
}

void FakeWindows::show(QWidget *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    shown.emplace_back(window);
}

} // namespace platine::testing
