// The window: its controls, and the wiring of each control's event to the
// handler named after it.

#include "app/form2.h"
#include "app/form2_ui.h"
#include "app/port_combo.h"

#include "serial/pane.h"
#include "platform/text.h"

#include <QDir>

#include <QApplication>
#include <QAction>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>

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
    connectHandlers();
}

Form2::~Form2()
{
    if (m_platform.serial)
        m_platform.serial->onReadyRead = nullptr;
}

void Form2::connectHandlers()
{
    const Form2Ui &u = *m_ui;
    auto click = [this](QPushButton *b, void (Form2::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    click(u.Command6, &Form2::Command6_Click);
    click(u.Command1, &Form2::Command1_Click);
    click(u.Command4, &Form2::Command4_Click);
    click(u.Command2, &Form2::Command2_Click);
    click(u.Command7, &Form2::Command7_Click);
    click(u.Command5, &Form2::Command5_Click);
    click(u.Command11, &Form2::Command11_Click);
    click(u.Command14, &Form2::Command14_Click);
    click(u.Command13, &Form2::Command13_Click);
    click(u.Command12, &Form2::Command12_Click);
    click(u.Command21, &Form2::Command21_Click);
    click(u.Command22, &Form2::Command22_Click);
    click(u.Command23, &Form2::Command23_Click);
    click(u.Command8, &Form2::Command8_Click);
    click(u.Command3, &Form2::Command3_Click);
    click(u.Command17, &Form2::Command17_Click);
    click(u.Command19, &Form2::Command19_Click);
    click(u.lecture_badge, &Form2::lecture_badge_Click);
    click(u.Command15, &Form2::Command15_Click);
    click(u.Command16, &Form2::Command16_Click);
    click(u.Command18, &Form2::Command18_Click);
    click(u.Command9, &Form2::Command9_Click);

    // Each menu item runs its button's handler, refused the same way while
    // the line is busy.
    auto item = [this, &u](const char *name, std::function<void()> handler) {
        QAction *a = u.MenuBar->findChild<QAction *>(QLatin1String(name));
        connect(a, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    };
    item("nouvelle_liste", [this] { Command4_Click(); });
    item("ouvrir_liste", [this] { Command1_Click(); });
    item("enregistrer_liste_sous", [this] { Command2_Click(); });
    item("quitter", [this] { Command6_Click(); });
    item("tableau_des_badges", [this] { tableau_des_badges_Click(); });
    item("ajouter_modifier_badge", [this] { Command5_Click(); });
    item("supprimer_le_badge", [this] { Command23_Click(); });
    item("envoi_programmation", [this] { Command8_Click(); });
    item("telechargement_historique", [this] { Command3_Click(); });
    item("mise_a_l_heure", [this] { Command17_Click(); });
    item("lire_badge", [this] { lecture_badge_Click(); });
    item("connexion", [this] { Command10_MouseDown(MouseButton::Left); });
    item("journal_des_passages", [this] { journal_des_passages_Click(); });
    item("a_propos", [this] { Label16_Click(); });

    // Check boxes react only when the operator changes them, not when code sets them.
    connect(u.Choix_24, &QCheckBox::clicked, this, [this] { Choix_24_Click(); });
    connect(u.choix_lieu, &QCheckBox::clicked, this, [this] { choix_lieu_Click(); });
    // The port list reacts to every change of its selection, by the operator or by code.
    connect(u.Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    if (auto *ports = qobject_cast<PortComboBox *>(u.Combo1))
        connect(ports, &PortComboBox::aboutToDropDown, this, [this] { Combo1_DropDown(); });
    connect(u.tempo_gache, &QLineEdit::textChanged, this, [this] { tempo_gache_Change(); });

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

void Form2::resizeEvent(QResizeEvent *event)
{
    if (m_ui && m_ui->MenuBar)
        m_ui->MenuBar->resize(width(), m_ui->MenuBar->height());
    QWidget::resizeEvent(event);
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
