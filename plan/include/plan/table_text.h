// A table written as the program's CSV (a header line, no quoted fields), again as
// tab-separated text and as an HTML table, so that spreadsheets and documents paste it
// into columns.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

std::string CsvToTabSeparated(std::string_view csv);

/// The header line as <th> cells, the rest as <td>; the text escaped for HTML.
std::string CsvToHtmlTable(std::string_view csv);

}  // namespace quorvel
