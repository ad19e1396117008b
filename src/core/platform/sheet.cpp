#include "core/platform/sheet.h"

#include "core/platform/csv.h"

#include <algorithm>

namespace platine {

const char *numberFormat(CellFormat format)
{
    switch (format) {
    case CellFormat::Date:
        return "yyyy-mm-dd";
    case CellFormat::Time:
        return "hh:mm";
    case CellFormat::DateTime:
        return "yyyy-mm-dd hh:mm";
    case CellFormat::Duration:
        return "[h]:mm";
    case CellFormat::None:
        break;
    }
    return "";
}

namespace {

std::size_t codePoints(const std::string &s)
{
    return std::size_t(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

} // namespace

Sheet textSheet(std::string name, std::vector<std::string> header,
                const std::vector<std::vector<std::string>> &rows)
{
    Sheet sheet;
    sheet.name = std::move(name);
    sheet.header = std::move(header);
    sheet.widths.assign(sheet.header.size(), 0);
    for (std::size_t c = 0; c < sheet.header.size(); ++c)
        sheet.widths[c] = double(codePoints(sheet.header[c]));
    sheet.rows.reserve(rows.size());
    for (const std::vector<std::string> &texts : rows) {
        std::vector<SheetCell> cells(texts.size());
        for (std::size_t c = 0; c < texts.size(); ++c) {
            cells[c].text = texts[c];
            if (c < sheet.widths.size())
                sheet.widths[c] = std::max(sheet.widths[c], double(codePoints(texts[c])));
        }
        sheet.rows.push_back(std::move(cells));
    }
    for (double &w : sheet.widths)
        w += 2;
    return sheet;
}

std::string sheetsCsv(const std::vector<Sheet> &sheets)
{
    std::string s(csv::kBom);
    std::vector<std::string> fields;
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        const Sheet &sheet = sheets[k];
        if (k > 0)
            s += "\r\n";
        s += csv::row(sheet.header);
        for (std::size_t r = 0; r < sheet.size(); ++r) {
            const std::vector<SheetCell> cells = sheet.row(r);
            fields.resize(cells.size());
            for (std::size_t c = 0; c < cells.size(); ++c)
                fields[c] = cells[c].text;
            s += csv::row(fields);
        }
    }
    return s;
}

} // namespace platine
