#pragma once
// A field for a day, typed as the desktop writes dates (dd/mm/yyyy on a
// French desktop) or chosen in a calendar that its button (or Alt+Down)
// drops. Empty means no day. A text that names no day is said so beside the
// field and gives no day. What the program stores keeps its own form
// ("yyyy-mm-dd"): the desktop's format is for the operator's eyes only.

#include <QDate>
#include <QWidget>

#include <string_view>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace platine {

// A day the files keep as "yyyy-mm-dd" (and what follows it, a time), as the
// desktop writes dates; any other text as it stands.
QString shownDate(std::string_view stored);

class DateField : public QWidget {
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr);

    // The day typed or chosen; invalid when the field is empty or unreadable.
    QDate date() const;
    // True when the field is empty or names a day.
    bool readable() const;
    // Shows `day` in the desktop's format; an invalid day empties the field.
    void setDate(const QDate &day);
    // The day shown greyed while the field is empty (what an empty field
    // stands for), and the day the calendar opens on.
    void setPlaceholderDate(const QDate &day);
    QDate placeholderDate() const { return m_placeholder; }

    QLineEdit *edit() const { return m_edit; }
    // Drops the calendar.
    void showCalendar();

    // The desktop's format of a day, with the year whole ("dd/MM/yyyy", "M/d/yyyy").
    static QString shownFormat();

signals:
    // The day changed: typed, chosen, cleared, or the text became unreadable.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void typed();

    QLineEdit *m_edit = nullptr;
    QToolButton *m_pick = nullptr;
    QMenu *m_menu = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QLabel *m_problem = nullptr;
    QDate m_date;
    QDate m_placeholder;
};

} // namespace platine
