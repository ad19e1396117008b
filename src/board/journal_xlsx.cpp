#include "board/journal_xlsx.h"

#include "platform/files.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace platine {

bool xlsxBytes(const std::vector<Sheet> &sheets, std::string &bytes, std::string &error)
{
    // libxlsxwriter writes a file: a private one in the temporary folder,
    // read back and removed; the caller replaces the target atomically. Its
    // name carries the program's mark, so that the next start removes it
    // when this process is killed before it could.
    std::error_code ec;
    const std::optional<std::string> scratch = files::makeScratchFile(
        std::filesystem::temp_directory_path(ec).string(), "platine-classeur", ".xlsx");
    if (!scratch) {
        error = "pas de fichier temporaire possible pour le classeur";
        return false;
    }
    const std::string tmp = *scratch;

    lxw_workbook *book = workbook_new(tmp.c_str());
    if (!book) {
        std::remove(tmp.c_str());
        error = "le classeur n'a pas pu être créé";
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
    for (const Sheet &sheet : sheets) {
        lxw_worksheet *ws = workbook_add_worksheet(book, sheet.name.c_str());
        for (std::size_t c = 0; c < sheet.header.size(); ++c)
            worksheet_write_string(ws, 0, lxw_col_t(c), sheet.header[c].c_str(), bold);
        for (std::size_t r = 0; r < sheet.rows.size(); ++r)
            for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const SheetCell &cell = sheet.rows[r][c];
                const auto row = lxw_row_t(r + 1);
                const auto col = lxw_col_t(c);
                if (cell.isNumber)
                    worksheet_write_number(ws, row, col, cell.number, formats[int(cell.format)]);
                else if (!cell.text.empty())
                    worksheet_write_string(ws, row, col, cell.text.c_str(), nullptr);
            }
        for (std::size_t c = 0; c < sheet.widths.size(); ++c)
            worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), sheet.widths[c], nullptr);
        worksheet_freeze_panes(ws, 1, 0);
        if (!sheet.header.empty())
            worksheet_autofilter(ws, 0, 0, lxw_row_t(sheet.rows.size()),
                                 lxw_col_t(sheet.header.size() - 1));
    }
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        std::remove(tmp.c_str());
        error = std::string("le classeur n'a pas pu être écrit (") + lxw_strerror(closed) + ")";
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
