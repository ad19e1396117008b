// The window: its controls, and the wiring of each control's event to the
// handler named after it.

#include "app/form2.h"

#include "app/commands.h"
#include "app/form2_ui.h"
#include "app/port_combo.h"
#include "platform/operations_recorder.h"

#include "serial/pane.h"
#include "platform/text.h"
#include "platform/window_place.h"

#include <QDir>
#include <QHash>

#include <QApplication>
#include <QAction>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QKeyEvent>
#include <QScrollArea>

#include <type_traits>

namespace platine {

Form2::Form2(Platform platform, QWidget *parent)
    : QWidget(parent), m_platform(std::move(platform)),
      m_ui(std::make_unique<Form2Ui>(buildForm2Ui(this)))
{
    m_line = std::make_unique<Line>(*m_platform.serial, *m_platform.clock, *m_platform.pump,
                                    m_platform.makeTimer(), *m_ui->Text2);
    m_platform.serial->onReadyRead = [this] { MSComm1_OnComm(); };
    connect(m_line.get(), &Line::litChanged, this, &Form2::showIndicator);
    connect(m_line.get(), &Line::opened, this, [this](const PortId &port) {
        if (!port.device.isEmpty())
            markChosenDevicePresent(); // plugged in since it was marked absent
    });
    connect(m_line.get(), &Line::lost, m_ui->Label14, &QLabel::setText);
    connect(m_line.get(), &Line::reported, m_ui->Label14, &QLabel::setText);
    connect(m_line.get(), &Line::stepped, this, &Form2::showStep);
    m_endProgram = [] { QCoreApplication::exit(0); };
    // What the chosen board holds against the list follows the list's changes.
    connect(this, &Form2::listChanged, this, &Form2::showBoardState);
    connectHandlers();
    showLanguageChoice();
}

Form2::~Form2()
{
    if (m_platform.serial)
        m_platform.serial->onReadyRead = nullptr;
}

void Form2::connectHandlers()
{
    const Form2Ui &u = *m_ui;
    // The buttons and menu items of the table of commands (app/commands.h),
    // each found by its name: a name that matches no control is a fault of
    // the table, which stops the program at once rather than leaving a
    // command that does nothing.
    QHash<QString, QPushButton *> buttons;
    forEachControl(u, [&](const QString &name, auto &control) {
        if constexpr (std::is_convertible_v<decltype(control), QPushButton *>)
            buttons.insert(name, control);
    });
    for (const CommandDef &c : commands()) {
        auto run = [this, f = c.run] { f(*this); };
        if (c.button) {
            QPushButton *b = buttons.value(QLatin1String(c.button));
            if (!b)
                qFatal("command %s: no button of that name", c.button);
            connect(b, &QPushButton::clicked, this, run);
        }
        if (c.menu) {
            QAction *a = u.MenuBar->findChild<QAction *>(QLatin1String(c.item));
            if (!a)
                qFatal("command %s: no menu item of that name", c.item);
            connect(a, &QAction::triggered, this, run);
        }
    }

    // Check boxes react only when the operator changes them, not when code sets them.
    connect(u.Choix_24, &QCheckBox::clicked, this, [this] { Choix_24_Click(); });
    connect(u.choix_lieu, &QCheckBox::clicked, this, [this] { choix_lieu_Click(); });
    // The port list reacts to every change of its selection, by the operator or by code.
    connect(u.Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    if (auto *ports = qobject_cast<PortComboBox *>(u.Combo1))
        connect(ports, &PortComboBox::aboutToDropDown, this, [this] { Combo1_DropDown(); });
    connect(u.tempo_gache, &QLineEdit::textChanged, this, [this] { tempo_gache_Change(); });
    // Return in a field of the record editor (which leaves the key to the
    // frame) presses "Enregistrer" (eventFilter).
    u.Frame2->installEventFilter(this);

    // Mouse presses that have handlers of their own.
    for (QObject *o :
         {static_cast<QObject *>(u.Command10), static_cast<QObject *>(u.Command20),
          static_cast<QObject *>(u.Text1->viewport()), static_cast<QObject *>(u.Text2->viewport()),
          static_cast<QObject *>(u.Label7), static_cast<QObject *>(u.Label16)})
        o->installEventFilter(this);
}

static std::optional<MouseButton> toButton(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return std::nullopt;
    }
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_ui->Frame2 && type == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            m_ui->Command7->click();
            return true;
        }
        return false;
    }
    if (watched == m_ui->Command10 || watched == m_ui->Command20) {
        // From the keyboard (Return, Enter, Space, the access key) these
        // buttons do what the left mouse button does.
        bool pressed = type == QEvent::Shortcut;
        if (type == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            pressed = !key->isAutoRepeat() && key->modifiers() == Qt::NoModifier &&
                      (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                       key->key() == Qt::Key_Space);
        }
        if (pressed) {
            if (watched == m_ui->Command10)
                Command10_MouseDown(MouseButton::Left);
            else
                Command20_MouseDown(MouseButton::Left);
            return true;
        }
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const auto button = toButton(mouse->button());

    if (watched == m_ui->Command10 || watched == m_ui->Command20) {
        // These buttons act on the press of any mouse button; keyboard
        // activation and plain clicks do nothing more.
        if (type == QEvent::MouseButtonPress && button) {
            if (watched == m_ui->Command10)
                Command10_MouseDown(*button);
            else
                Command20_MouseDown(*button);
        }
        return false;
    }
    if (watched == m_ui->Text1->viewport()) {
        if (type == QEvent::MouseButtonRelease && button == MouseButton::Left)
            Text1_Click();
        else if (type == QEvent::MouseButtonDblClick && button == MouseButton::Left) {
            QWidget::eventFilter(watched, event);
            Text1_DblClick();
            return true;
        }
        return false;
    }
    if (watched == m_ui->Text2->viewport()) {
        if (type == QEvent::MouseButtonPress && button) {
            Text2_MouseDown(*button);
            return *button == MouseButton::Right; // no context menu over the layout
        }
        if (type == QEvent::MouseButtonDblClick && button == MouseButton::Left) {
            Text2_DblClick();
            return true;
        }
        return false;
    }
    if (type == QEvent::MouseButtonRelease && button == MouseButton::Left) {
        if (watched == m_ui->Label7)
            Label7_Click();
        else if (watched == m_ui->Label16)
            Label16_Click();
    }
    return QWidget::eventFilter(watched, event);
}

bool Form2::showsControl(QWidget *w) const
{
    QWidget *page = m_ui->defilement->widget();
    if (!page->isAncestorOf(w))
        return true;
    QWidget *top = page->childAt(w->mapTo(page, w->rect().center()));
    return top && (top == w || w->isAncestorOf(top));
}

bool Form2::focusNextPrevChild(bool next)
{
    // Qt's own chain (the Tab order of form2_ui.cpp), skipping what Qt
    // skips and what the window does not show.
    QWidget *start = focusWidget() ? focusWidget() : this;
    QWidget *w = start;
    for (;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == start)
            return false;
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled() &&
            w->isVisibleTo(this) && !w->isWindow() && isAncestorOf(w) && showsControl(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

void Form2::placeOnScreen()
{
    platine::placeOnScreen(this, nativePath(ownSettingsPath()), objectName());
}

void Form2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event); // the layout places the menu bar and the page
}

void Form2::closeEvent(QCloseEvent *event)
{
    // The close box ends the program without writing the settings.
    m_line->end();
    QWidget::closeEvent(event);
}

QString Form2::text1() const
{
    return m_ui->Text1->text();
}
void Form2::setText1(const QString &text)
{
    m_ui->Text1->setText(text);
    m_text1ShowsList = false;
}
void Form2::appendText1(const QString &text)
{
    m_ui->Text1->append(text);
    m_text1ShowsList = false;
}
QString Form2::text2() const
{
    return m_ui->Text2->text();
}
void Form2::setText2(const QString &text)
{
    m_ui->Text2->setText(text);
}

void Form2::setLabel2(const QString &caption)
{
    // Every reading sets the caption, and each one shows "Badge lu": a second
    // reading of the same badge leaves the caption as it was, but its prompt
    // "Présenter votre badge" has replaced "Badge lu" meanwhile.
    m_ui->Label2->setText(caption);
    Label2_Change();
}

std::string Form2::programFile(const QString &name) const
{
    return nativePath(QDir(m_platform.programDir).filePath(name));
}

} // namespace platine
