// Dates as people type them: the reading of a typed day in the desktop's
// order, the date field in French and in English, and "Du" in the journal.

#include "board/journal_window.h"
#include "core/board/journal.h"
#include "core/platform/csv.h"
#include "core/platform/typed_date.h"
#include "platform/date_field.h"
#include "support/harness.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QTest>

using namespace platine;
using platine::testing::Harness;

class TstDates : public QObject {
    Q_OBJECT
private slots:
    void readTyped_data();
    void readTyped();
    void fieldInTheDesktopsFormat_data();
    void fieldInTheDesktopsFormat();
    void journalFromTyped();
    void shownAsTheDesktopWrites_data();
    void shownAsTheDesktopWrites();
};

void TstDates::readTyped_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("day"); // empty: no day
    QTest::newRow("French") << "dd/MM/yyyy"
                            << "01/12/2026"
                            << "2026-12-01";
    QTest::newRow("American") << "M/d/yy"
                              << "12/01/2026"
                              << "2026-12-01";
    QTest::newRow("short forms, other separators") << "dd/MM/yyyy"
                                                   << " 1.2.26 "
                                                   << "2026-02-01";
    QTest::newRow("the files' form in any desktop") << "M/d/yy"
                                                    << "2026-12-01"
                                                    << "2026-12-01";
    QTest::newRow("year first desktop") << "yyyy-MM-dd"
                                        << "2026/1/5"
                                        << "2026-01-05";
    QTest::newRow("no such day") << "dd/MM/yyyy"
                                 << "31/02/2026"
                                 << "";
    QTest::newRow("29 February of a leap year") << "dd/MM/yyyy"
                                                << "29/02/2028"
                                                << "2028-02-29";
    QTest::newRow("month 13") << "dd/MM/yyyy"
                              << "01/13/2026"
                              << "";
    QTest::newRow("letters") << "dd/MM/yyyy"
                             << "1er/12/2026"
                             << "";
    QTest::newRow("two groups") << "dd/MM/yyyy"
                                << "01/12"
                                << "";
    QTest::newRow("three-digit year") << "dd/MM/yyyy"
                                      << "01/12/202"
                                      << "";
}

void TstDates::readTyped()
{
    QFETCH(QString, pattern);
    QFETCH(QString, typed);
    QFETCH(QString, day);
    const auto read = readTypedDate(typed.toStdString(), dateOrderOf(pattern.toStdString()));
    QCOMPARE(QString::fromStdString(read.value_or("")), day);
}

void TstDates::fieldInTheDesktopsFormat_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("told"); // the field says it cannot read it
    QTest::newRow("French") << "fr_FR"
                            << "01/12/2026" << QDate(2026, 12, 1) << false;
    QTest::newRow("English") << "en_US"
                             << "12/01/2026" << QDate(2026, 12, 1) << false;
    QTest::newRow("empty: no day, nothing said") << "fr_FR"
                                                 << "" << QDate() << false;
    QTest::newRow("unreadable") << "fr_FR"
                                << "12/31/2026" << QDate() << true;
}

void TstDates::fieldInTheDesktopsFormat()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QDate, day);
    QFETCH(bool, told);
    QLocale::setDefault(QLocale(locale));
    DateField field;
    field.show();
    QTest::keyClicks(field.edit(), typed);
    QCOMPARE(field.date(), day);
    auto *problem = field.findChild<QLabel *>(QStringLiteral("date_illisible"));
    QCOMPARE(problem->isVisible(), told);
    // Shown back in the desktop's format, the year whole.
    field.setDate(QDate(2026, 12, 1));
    QCOMPARE(field.edit()->text(), locale == QLatin1String("en_US") ? QStringLiteral("12/1/2026")
                                                                    : QStringLiteral("01/12/2026"));
    QLocale::setDefault(QLocale::system());
}

void TstDates::journalFromTyped()
{
    Harness h;
    std::string journal = std::string(csv::kBom) + csv::row(journalHeader());
    for (const char *day : {"2026-12-02", "2026-12-01", "2026-11-30"})
        journal += csv::row({day, "08:00", "0000000001", "Valmire", "1", "2026-12-03 10:00"});
    QVERIFY(Harness::writeFile(h.path(QString::fromUtf8(kJournalFile)),
                               QByteArray::fromStdString(journal)));
    h.form->journal_des_passages_Click();
    auto *w = h.windows.find<JournalWindow>();
    auto *du = w->findChild<DateField *>(QStringLiteral("du"));
    // Empty: no bound, the journal's first day shown greyed.
    QCOMPARE(w->rows().size(), std::size_t(3));
    QCOMPARE(du->edit()->placeholderText(), QStringLiteral("30/11/2026"));
    QTest::keyClicks(du->edit(), QStringLiteral("01/12/2026"));
    QCOMPARE(w->rows().size(), std::size_t(2));
    QCOMPARE(w->filter().from, std::string("2026-12-01"));
    // A day that cannot be read is said so and bounds nothing.
    QTest::keyClicks(du->edit(), QStringLiteral("x"));
    QCOMPARE(w->rows().size(), std::size_t(3));
    QVERIFY(du->findChild<QLabel *>(QStringLiteral("date_illisible"))->isVisibleTo(w));
}

void TstDates::shownAsTheDesktopWrites_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a day") << "2026-12-01"
                           << "01/12/2026";
    QTest::newRow("a day and its time") << "2026-12-02 18:00"
                                        << "02/12/2026 18:00";
    QTest::newRow("as the board garbled it") << "3/xx/26"
                                             << "3/xx/26";
    QTest::newRow("a day run into other text") << "2026-12-01x"
                                               << "2026-12-01x";
    QTest::newRow("no such day") << "2026-02-30"
                                 << "2026-02-30";
}

void TstDates::shownAsTheDesktopWrites()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(shownDate(stored.toStdString()), shown);
}

QTEST_MAIN(TstDates)
#include "tst_dates.moc"
