#include "platform/reports/xlsx.h"

#include "core/platform/files.h"

#include <QCoreApplication>

#include <xlsxwriter.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <locale.h>
#include <unistd.h>

namespace platine {

namespace {

// libxlsxwriter prints its numbers (cell values, column widths) with the C
// library's printf, which takes the decimal separator of the locale: on a
// French desktop "0,3125", a file no spreadsheet reads as numbers. This
// thread writes with the C conventions while the guard lives, whatever the
// desktop's locale; the rest of the program keeps its own.
class CNumbers {
public:
    CNumbers() : m_c(newlocale(LC_ALL_MASK, "C", locale_t(nullptr)))
    {
        if (m_c)
            m_before = uselocale(m_c);
    }
    ~CNumbers()
    {
        if (m_c) {
            uselocale(m_before);
            freelocale(m_c);
        }
    }
    CNumbers(const CNumbers &) = delete;
    CNumbers &operator=(const CNumbers &) = delete;
    bool active() const { return m_c != locale_t(nullptr); }

private:
    locale_t m_c;
    locale_t m_before = locale_t(nullptr);
};

} // namespace

bool xlsxBytes(const std::vector<Sheet> &sheets, std::string &bytes, std::string &error,
               const XlsxProgress &progress)
{
    const CNumbers cNumbers;
    if (!cNumbers.active()) {
        error = QCoreApplication::translate(
                    "Reports",
                    "les nombres du classeur ne peuvent pas être écrits avec un point décimal")
                    .toStdString();
        return false;
    }
    // libxlsxwriter writes a file: a private one in the temporary folder,
    // read back and removed; the caller replaces the target atomically. Its
    // name carries the program's mark, so that the next start removes it
    // when this process is killed before it could.
    std::error_code ec;
    const std::optional<std::string> scratch = files::makeScratchFile(
        std::filesystem::temp_directory_path(ec).string(), "platine-classeur", ".xlsx");
    if (!scratch) {
        error = QCoreApplication::translate("Reports",
                                            "pas de fichier temporaire possible pour le classeur")
                    .toStdString();
        return false;
    }
    const std::string tmp = *scratch;

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE; // a million rows may pass 4 GiB unpacked
    lxw_workbook *book = workbook_new_opt(tmp.c_str(), &options);
    if (!book) {
        std::remove(tmp.c_str());
        error = QCoreApplication::translate("Reports", "le classeur n'a pas pu être créé")
                    .toStdString();
        return false;
    }
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *formats[5] = {nullptr};
    for (CellFormat f :
         {CellFormat::Date, CellFormat::Time, CellFormat::DateTime, CellFormat::Duration}) {
        formats[int(f)] = workbook_add_format(book);
        format_set_num_format(formats[int(f)], numberFormat(f));
    }
    std::size_t total = 0, done = 0;
    for (const Sheet &sheet : sheets)
        total += sheet.size();
    for (const Sheet &sheet : sheets) {
        lxw_worksheet *ws = workbook_add_worksheet(book, sheet.name.c_str());
        // The widths go before the rows: in constant-memory mode a row is
        // written out as soon as the next one starts.
        for (std::size_t c = 0; c < sheet.widths.size(); ++c)
            worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), sheet.widths[c], nullptr);
        worksheet_freeze_panes(ws, 1, 0);
        if (!sheet.header.empty())
            worksheet_autofilter(ws, 0, 0, lxw_row_t(sheet.size()),
                                 lxw_col_t(sheet.header.size() - 1));
        for (std::size_t c = 0; c < sheet.header.size(); ++c)
            worksheet_write_string(ws, 0, lxw_col_t(c), sheet.header[c].c_str(), bold);
        for (std::size_t r = 0; r < sheet.size(); ++r, ++done) {
            if (progress && done % 1000 == 0 && !progress(done, total)) {
                workbook_close(book);
                std::remove(tmp.c_str());
                error = "annulé";
                return false;
            }
            const std::vector<SheetCell> cells = sheet.row(r);
            for (std::size_t c = 0; c < cells.size(); ++c) {
                const SheetCell &cell = cells[c];
                const auto row = lxw_row_t(r + 1);
                const auto col = lxw_col_t(c);
                if (cell.isNumber)
                    worksheet_write_number(ws, row, col, cell.number, formats[int(cell.format)]);
                else if (!cell.text.empty())
                    worksheet_write_string(ws, row, col, cell.text.c_str(), nullptr);
            }
        }
    }
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        std::remove(tmp.c_str());
        error = QCoreApplication::translate("Reports", "le classeur n'a pas pu être écrit (%1)")
                    .arg(QString::fromUtf8(lxw_strerror(closed)))
                    .toStdString();
        return false;
    }
    const std::optional<std::string> read = files::read(tmp, &error);
    std::remove(tmp.c_str());
    if (!read)
        return false;
    bytes = *read;
    return true;
}

} // namespace platine
