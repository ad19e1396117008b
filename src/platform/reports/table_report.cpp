#include "platform/reports/table_report.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include <algorithm>
#include <numeric>

namespace platine {

namespace {

QStringList texts(const std::vector<SheetCell> &cells)
{
    QStringList l;
    l.reserve(qsizetype(cells.size()));
    for (const SheetCell &c : cells)
        l << QString::fromStdString(c.text);
    return l;
}

// One table of the report; its rows are made as they are drawn.
struct Section {
    QStringList header;
    qsizetype count = 0;
    std::function<QStringList(qsizetype)> row;
};

// The columns of a report's table on a page `width` wide: each as wide as
// its widest text (header, and the first few thousand rows); when they
// do not fit, a board's state in words (when shown) and then the name
// column give way, never to less than their header; a long text is cut in
// its own column, the dates and numbers stay whole.
QList<int> columnWidths(const Section &s, int width, int pad, const QFontMetrics &fm,
                        const QFontMetrics &bm)
{
    QList<int> w;
    for (qsizetype c = 0; c < s.header.size(); ++c)
        w << bm.horizontalAdvance(s.header[c]) + 2 * pad;
    for (qsizetype r = 0; r < std::min<qsizetype>(s.count, 2000); ++r) {
        const QStringList cells = s.row(r);
        for (qsizetype c = 0; c < w.size(); ++c)
            w[c] = std::max(w[c], fm.horizontalAdvance(cells.value(c)) + 2 * pad);
    }
    if (w.isEmpty() || std::accumulate(w.begin(), w.end(), 0) <= width)
        return w;
    // The columns of long texts give way, in this order, each down to its
    // header: a board's state in words (when shown), then the name.
    QList<qsizetype> flexible;
    for (const QString &title : {QStringLiteral("Platine"), QStringLiteral("Nom")})
        if (const qsizetype c = s.header.indexOf(title); c >= 0)
            flexible << c;
    if (flexible.isEmpty())
        flexible << s.header.size() - 1;
    for (qsizetype c : flexible) {
        const int others = std::accumulate(w.begin(), w.end(), 0) - w[c];
        w[c] = std::max(std::min(w[c], width - others),
                        bm.horizontalAdvance(s.header[c]) + 2 * pad);
    }
    const int sum = std::accumulate(w.begin(), w.end(), 0);
    if (sum > width) // too many columns for the page: all give way alike
        for (int &x : w)
            x = int(qint64(x) * width / sum);
    return w;
}

} // namespace

bool drawReport(const Report &report, QPagedPaintDevice &device, const ProgressFn &progress)
{
    QList<Section> sections;
    for (const Sheet &sheet : report.sheets)
        sections << Section{fromUtf8List(sheet.header), qsizetype(sheet.size()),
                            [&sheet](qsizetype r) { return texts(sheet.row(std::size_t(r))); }};
    std::size_t total = 0, drawn = 0;
    for (const Section &s : sections)
        total += std::size_t(s.count);
    bool cancelled = false;
    const QString title = QString::fromStdString(report.title);
    const QString subtitle = QString::fromStdString(report.filters);

    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPainter p(&device);
    QFont font = p.font();
    font.setPointSizeF(9);
    QFont bold = font;
    bold.setBold(true);
    QFont big = bold;
    big.setPointSizeF(13);
    p.setFont(font);
    const int width = device.width(), height = device.height();
    const QFontMetrics fm(font, &device), bm(bold, &device), tm(big, &device);
    const int rowH = fm.height() * 5 / 4, pad = fm.horizontalAdvance(QLatin1Char(' '));
    const int top = tm.height() + fm.height() * 2, bottom = height - fm.height() * 2;

    QList<QList<int>> widths;
    for (const Section &s : sections)
        widths << columnWidths(s, width, pad, fm, bm);

    // Lays the pages out, drawing them when `pages` (their count) is known.
    const auto layout = [&](int pages) {
        int page = 1, y = top;
        const auto startPage = [&] {
            if (!pages)
                return;
            p.setFont(big);
            p.drawText(QRect(0, 0, width, tm.height()), Qt::AlignLeft, title);
            p.setFont(font);
            p.drawText(QRect(0, tm.height(), width, fm.height()), Qt::AlignLeft, subtitle);
            p.drawText(QRect(0, bottom + fm.height() / 2, width, fm.height()), Qt::AlignRight,
                       QCoreApplication::translate("Reports", "page %1 / %2").arg(page).arg(pages));
        };
        const auto drawRow = [&](const QStringList &cells, const QList<int> &w, bool header) {
            if (pages) {
                p.setFont(header ? bold : font);
                int x = 0;
                for (qsizetype c = 0; c < w.size(); ++c) {
                    const QFontMetrics &m = header ? bm : fm;
                    p.drawText(QRect(x + pad, y, w[c] - pad, rowH),
                               Qt::AlignVCenter | Qt::AlignLeft,
                               m.elidedText(cells.value(c), Qt::ElideRight, w[c] - pad));
                    x += w[c];
                }
                if (header)
                    p.drawLine(0, y + rowH, x, y + rowH);
                p.setFont(font);
            }
            y += rowH;
        };
        const auto newPage = [&] {
            if (pages)
                device.newPage();
            ++page;
            y = top;
            startPage();
        };
        startPage();
        for (qsizetype s = 0; s < sections.size(); ++s) {
            if (s > 0) {
                y += rowH; // a blank line between two tables
                if (y + 2 * rowH > bottom)
                    newPage();
            }
            drawRow(sections[s].header, widths[s], true);
            for (qsizetype r = 0; r < sections[s].count; ++r) {
                if (y + rowH > bottom) {
                    newPage();
                    drawRow(sections[s].header, widths[s], true);
                }
                if (!pages) {
                    y += rowH;
                    continue;
                }
                if (++drawn % 500 == 0 && progress && !progress(drawn, total)) {
                    cancelled = true;
                    return page;
                }
                drawRow(sections[s].row(r), widths[s], false);
            }
        }
        return page;
    };
    layout(layout(0));
    return !cancelled;
}

bool reportPdf(const Report &report, std::string &bytes, std::string &error,
               const ProgressFn &progress)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QString::fromStdString(report.title));
        pdf.setCreator(QStringLiteral("platine"));
        if (!drawReport(report, pdf, progress)) {
            error = "annulé";
            return false;
        }
    }
    bytes = buffer.data().toStdString();
    return true;
}

void printReport(const Report &report, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(report.title));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QCoreApplication::translate("Reports", "Imprimer"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    ProgressBox progress(parent,
                         QCoreApplication::translate("Reports", "Mise en page de l'impression…"));
    if (!drawReport(report, printer, progress.fn()))
        printer.abort();
}

} // namespace platine
