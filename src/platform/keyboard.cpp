#include "platform/keyboard.h"

#include "core/platform/access_keys.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>

#include <string>
#include <vector>

namespace platine {

void giveAccessKeys(const QList<QAbstractButton *> &buttons, const QString &taken)
{
    std::string used = taken.toStdString();
    std::vector<std::string> plain;
    QList<QAbstractButton *> without;
    for (QAbstractButton *b : buttons) {
        const std::string caption = b->text().toStdString();
        if (const char key = accessKeyOf(caption)) {
            used += key;
            continue;
        }
        plain.push_back(caption);
        without << b;
    }
    const std::vector<std::string> marked = withAccessKeys(plain, used);
    for (qsizetype i = 0; i < without.size(); ++i)
        without[i]->setText(QString::fromStdString(marked[std::size_t(i)]));
}

QString menuAccessKeys(const QMenuBar *bar)
{
    QString keys;
    if (bar)
        for (const QAction *a : bar->actions())
            if (const char key = accessKeyOf(a->text().toStdString()))
                keys += QLatin1Char(key);
    return keys;
}

QString shownCaption(const QString &caption)
{
    return QString::fromStdString(platine::shownCaption(caption.toStdString()));
}

void returnPressesButtons(QWidget *window)
{
    // Outside a dialog a push button takes Return only when it is "auto default".
    for (QPushButton *b : window->findChildren<QPushButton *>())
        b->setAutoDefault(true);
}

namespace {

class EscapeCloses : public QObject {
public:
    explicit EscapeCloses(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A key the focused control did not take goes up to the window.
        if (watched == m_window && event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                m_window->close();
                return true;
            }
        }
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

void escapeCloses(QWidget *window)
{
    new EscapeCloses(window);
}

void setTabChain(const QList<QWidget *> &chain)
{
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace platine
