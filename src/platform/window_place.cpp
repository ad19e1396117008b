#include "platform/window_place.h"

#include "core/platform/placement.h"
#include "platform/own_settings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace platine {

namespace {

constexpr char kSection[] = "Fenetres";
const QString kKeeperName = QStringLiteral("place_de_la_fenetre");

Box boxOf(const QRect &r)
{
    return Box{r.x(), r.y(), r.width(), r.height()};
}

// Keeps the window's size and place when it is hidden.
class PlaceKeeper : public QObject {
public:
    PlaceKeeper(QWidget *window, std::string settingsPath, QString key)
        : QObject(window), m_window(window), m_path(std::move(settingsPath)), m_key(std::move(key))
    {
        setObjectName(kKeeperName);
        window->installEventFilter(this);
    }

    void keep()
    {
        if (m_path.empty())
            return;
        // A setting that cannot be kept is only lost: the window opens in
        // the middle of the screen the next time.
        OwnSettings(m_path).setValue(kSection, m_key.toStdString(),
                                     boxText(boxOf(m_window->geometry())));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A window closed is hidden first, its geometry still its own.
        if (watched == m_window && event->type() == QEvent::Hide && !event->spontaneous())
            keep();
        if (watched == m_window && event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            keepFrameInside();
        }
        return false;
    }

    // Once shown, the window's frame (its title bar, its borders) is known:
    // the frame too goes inside the screen's area.
    void keepFrameInside()
    {
        const QRect inner = m_window->geometry(), outer = m_window->frameGeometry();
        QScreen *screen = m_window->screen();
        if (!screen || outer == inner)
            return;
        const QRect area = screen->availableGeometry().adjusted(
            inner.left() - outer.left(), inner.top() - outer.top(), inner.right() - outer.right(),
            inner.bottom() - outer.bottom());
        if (area.contains(inner))
            return;
        const Box b = placeInside(inner.width(), inner.height(), boxOf(inner), boxOf(area));
        m_window->setGeometry(b.x, b.y, b.width, b.height);
    }

private:
    QWidget *m_window;
    std::string m_path;
    QString m_key;
    bool m_shown = false;
};

PlaceKeeper *keeperOf(QWidget *window)
{
    return static_cast<PlaceKeeper *>(
        window->findChild<QObject *>(kKeeperName, Qt::FindDirectChildrenOnly));
}

} // namespace

QWidget *scrollingPage(QWidget *window)
{
    auto *area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("defilement"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setFocusPolicy(Qt::NoFocus); // Tab goes to the controls
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    area->setWidget(page);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    return page;
}

void placeOnScreen(QWidget *window, const std::string &settingsPath, const QString &key)
{
    std::optional<Box> kept;
    if (!settingsPath.empty())
        kept = boxOfText(OwnSettings(settingsPath).value(kSection, key.toStdString(), ""));
    // The screen where it was, else the one it would open on.
    QScreen *screen = nullptr;
    if (kept)
        screen = QGuiApplication::screenAt(
            QPoint(kept->x + kept->width / 2, kept->y + kept->height / 2));
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const Box b = placeInside(window->width(), window->height(), kept,
                                  boxOf(screen->availableGeometry()));
        window->setGeometry(b.x, b.y, b.width, b.height);
    }
    if (!keeperOf(window))
        new PlaceKeeper(window, settingsPath, key);
}

void keepPlaceNow(QWidget *window)
{
    if (PlaceKeeper *keeper = keeperOf(window))
        keeper->keep();
}

} // namespace platine
