// Any screen: every window at scale 2 on a 1280×1024 screen (640×512 for
// the windows) opens inside it, scrolls where it is larger, every button
// reachable; its size and place come back at the next opening, from the
// program's own settings. The placing rule itself on plain boxes.

#include "badges/badge_table_window.h"
#include "board/journal_window.h"
#include "core/platform/placement.h"
#include "support/example_list.h"
#include "support/harness.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace platine;
using platine::testing::Harness;

Q_DECLARE_METATYPE(std::optional<Box>)
Q_DECLARE_METATYPE(Box)

class TstScreens : public QObject {
    Q_OBJECT
private slots:
    void placeInsideRule_data();
    void placeInsideRule();
    void windowsInsideTheScreen_data();
    void windowsInsideTheScreen();
    void placeKept();
};

void TstScreens::placeInsideRule_data()
{
    QTest::addColumn<std::optional<Box>>("kept");
    QTest::addColumn<Box>("placed");
    // A window of 728×665 designed; the area 640×512.
    QTest::newRow("larger than the area: as large, at its corner")
        << std::optional<Box>() << Box{0, 0, 640, 512};
    QTest::newRow("kept place inside: as it was")
        << std::optional<Box>(Box{10, 20, 300, 200}) << Box{10, 20, 300, 200};
    QTest::newRow("kept off the screen (another screen gone): brought back")
        << std::optional<Box>(Box{1500, -40, 300, 200}) << Box{340, 0, 300, 200};
    QTest::newRow("kept larger (a larger scale since)")
        << std::optional<Box>(Box{0, 0, 1200, 900}) << Box{0, 0, 640, 512};
    QTest::newRow("settings text unreadable: none kept")
        << boxOfText("1,2,three,4") << Box{0, 0, 640, 512};
}

void TstScreens::placeInsideRule()
{
    QFETCH(std::optional<Box>, kept);
    QFETCH(Box, placed);
    QCOMPARE(placeInside(728, 665, kept, Box{0, 0, 640, 512}), placed);
    QCOMPARE(boxOfText(boxText(placed)), std::optional<Box>(placed));
}

void TstScreens::windowsInsideTheScreen_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "Form2";
    QTest::newRow("table") << "tableau_des_badges";
    QTest::newRow("journal") << "journal_des_passages";
}

void TstScreens::windowsInsideTheScreen()
{
    QFETCH(QString, window);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(screen.size(), QSize(640, 512)); // 1280×1024 at scale 2
    Harness h;
    QWidget *w = h.form.get();
    if (window == QLatin1String("Form2")) {
        h.form->placeOnScreen();
        h.form->show();
    } else if (window == QLatin1String("tableau_des_badges")) {
        Harness::writeFile(h.path(QStringLiteral("liste.txt")),
                           QByteArray::fromStdString(testing::kListHeader));
        h.openList(h.path(QStringLiteral("liste.txt")));
        h.form->tableau_des_badges_Click();
        w = h.windows.find<BadgeTableWindow>();
    } else {
        h.form->journal_des_passages_Click();
        w = h.windows.find<JournalWindow>();
    }
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QVERIFY2(screen.contains(w->frameGeometry()), qPrintable(window));
    // Every button shown (those of the main window below its design's
    // edge apart) comes into view when the page scrolls to it.
    auto *area = w->findChild<QScrollArea *>(QStringLiteral("defilement"));
    QVERIFY(area);
    QWidget *page = area->widget();
    int reached = 0;
    for (QPushButton *b : page->findChildren<QPushButton *>()) {
        if (!b->isVisibleTo(page) || !page->rect().contains(b->mapTo(page, b->rect().center())))
            continue;
        area->ensureWidgetVisible(b, 0, 0);
        const QRect inViewport(b->mapTo(area->viewport(), QPoint(0, 0)), b->size());
        QVERIFY2(area->viewport()->rect().contains(inViewport), qPrintable(b->objectName()));
        ++reached;
    }
    QVERIFY(reached >= 3);
    if (window == QLatin1String("Form2")) {
        // The design is larger than the screen: the page scrolls, at its design size.
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        QCOMPARE(page->size(), QSize(728, 643));
        QCOMPARE(h.ui().Frame1->geometry(), QRect(572, 22, 153, 619));
    }
}

void TstScreens::placeKept()
{
    // The journal moved and made smaller comes back so, from platine.ini.
    Harness h;
    h.form->journal_des_passages_Click();
    auto *journal = h.windows.find<JournalWindow>();
    QVERIFY(QTest::qWaitForWindowExposed(journal));
    journal->setGeometry(20, 30, 400, 300);
    const QRect kept = journal->geometry();
    journal->close();
    QVERIFY(h.windows.find<JournalWindow>() == nullptr || !journal->isVisible());
    QTest::qWait(0);
    QVERIFY(
        Harness::readFile(h.path(QStringLiteral("platine.ini"))).contains("journal_des_passages="));
    QVERIFY(!Harness::readFile(h.path(QStringLiteral("param.ini"))).contains("journal"));
    h.form->journal_des_passages_Click();
    auto *again = h.windows.find<JournalWindow>();
    QVERIFY(QTest::qWaitForWindowExposed(again));
    QCOMPARE(again->geometry(), kept);
}

int main(int argc, char *argv[])
{
    // A 1280×1024 screen at scale 2, whatever the calling environment.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    Harness::writeFile(config, R"({"screens": [{"name": "ecran", "x": 0, "y": 0,
        "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TstScreens t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_screens.moc"
