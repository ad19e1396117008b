#include "platform/date_field.h"

#include "core/platform/typed_date.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace platine {

namespace {

QDate dayOf(const QString &text)
{
    const std::optional<std::string> day =
        readTypedDate(text.trimmed().toStdString(),
                      dateOrderOf(QLocale().dateFormat(QLocale::ShortFormat).toStdString()));
    return day ? QDate::fromString(QString::fromStdString(*day), Qt::ISODate) : QDate();
}

} // namespace

QString shownDate(std::string_view stored)
{
    const QString text = QString::fromUtf8(stored.data(), qsizetype(stored.size()));
    const QDate day = QDate::fromString(text.left(10), Qt::ISODate);
    if (!day.isValid() || (text.size() > 10 && text[10] != QLatin1Char(' ')))
        return text;
    return day.toString(DateField::shownFormat()) + text.mid(10);
}

QString DateField::shownFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

DateField::DateField(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("date"));
    m_edit->setClearButtonEnabled(true);
    // Room for the longest day of the format, and the clear button.
    m_edit->setMinimumWidth(
        m_edit->fontMetrics().horizontalAdvance(QDate(2026, 12, 31).toString(shownFormat())) + 40);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);
    row->addWidget(m_edit);

    m_pick = new QToolButton(this);
    m_pick->setObjectName(QStringLiteral("calendrier"));
    m_pick->setArrowType(Qt::DownArrow);
    m_pick->setToolTip(tr("Choisir le jour dans un calendrier (Alt+Bas)"));
    m_pick->setFocusPolicy(Qt::NoFocus); // Alt+Down in the field drops it
    m_menu = new QMenu(this);
    m_calendar = new QCalendarWidget(m_menu);
    m_calendar->setObjectName(QStringLiteral("calendrier_jours"));
    auto *action = new QWidgetAction(m_menu);
    action->setDefaultWidget(m_calendar);
    m_menu->addAction(action);
    connect(m_pick, &QToolButton::clicked, this, &DateField::showCalendar);
    connect(m_calendar, &QCalendarWidget::activated, this, [this](const QDate &day) {
        m_menu->close();
        setDate(day);
        m_edit->setFocus();
    });
    connect(m_calendar, &QCalendarWidget::clicked, m_calendar, &QCalendarWidget::activated);
    row->addWidget(m_pick);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("date_illisible"));
    QPalette p = m_problem->palette();
    p.setColor(QPalette::WindowText, QColor(200, 0, 0));
    m_problem->setPalette(p);
    m_problem->hide();
    row->addWidget(m_problem);

    connect(m_edit, &QLineEdit::textChanged, this, &DateField::typed);
}

QDate DateField::date() const
{
    return m_date;
}

bool DateField::readable() const
{
    return m_edit->text().trimmed().isEmpty() || m_date.isValid();
}

void DateField::setDate(const QDate &day)
{
    m_edit->setText(day.isValid() ? day.toString(shownFormat()) : QString());
}

void DateField::setPlaceholderDate(const QDate &day)
{
    m_placeholder = day;
    m_edit->setPlaceholderText(day.isValid() ? day.toString(shownFormat()) : QString());
}

void DateField::showCalendar()
{
    const QDate shown = m_date.isValid()          ? m_date
                        : m_placeholder.isValid() ? m_placeholder
                                                  : QDate::currentDate();
    m_calendar->setSelectedDate(shown);
    m_menu->popup(m_edit->mapToGlobal(QPoint(0, m_edit->height())));
    m_calendar->setFocus();
}

void DateField::typed()
{
    const QString text = m_edit->text().trimmed();
    m_date = text.isEmpty() ? QDate() : dayOf(text);
    if (readable()) {
        m_problem->hide();
        m_problem->clear();
    } else {
        m_problem->setText(
            tr("date illisible (par ex. %1)").arg(QDate(2026, 12, 31).toString(shownFormat())));
        m_problem->show();
    }
    emit changed();
}

bool DateField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) ||
            key->key() == Qt::Key_F4) {
            showCalendar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace platine
