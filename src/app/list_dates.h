#pragma once
// The date and time written on the first lines of a new list, in the
// system's formats.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace platine {

// The short date format of `locale` ("06/12/2026" on a French system).
QString dateCourte(const QDate &date, const QLocale &locale);
// The time of day with its seconds, as the system shows it ("10:15:42" on a
// French system): the long time format without its time-zone name.
QString heureCourante(const QTime &time, const QLocale &locale);

} // namespace platine
