#include "plan/table_text.h"

#include <algorithm>

namespace quorvel {

std::string CsvToTabSeparated(std::string_view csv) {
    std::string text(csv);
    std::replace(text.begin(), text.end(), ',', '\t');
    return text;
}

std::string CsvToHtmlTable(std::string_view csv) {
    std::string html = "<table>\n";
    bool header = true;
    std::size_t start = 0;
    while (start < csv.size()) {
        const std::size_t end = std::min(csv.find('\n', start), csv.size());
        const std::string_view line = csv.substr(start, end - start);
        start = end + 1;
        const char* cell = header ? "th" : "td";
        html += "<tr>";
        std::size_t from = 0;
        while (true) {
            const std::size_t comma = line.find(',', from);
            html += std::string("<") + cell + ">";
            for (const char c : line.substr(from, comma - from)) {
                switch (c) {
                    case '&':
                        html += "&amp;";
                        break;
                    case '<':
                        html += "&lt;";
                        break;
                    case '>':
                        html += "&gt;";
                        break;
                    default:
                        html += c;
                }
            }
            html += std::string("</") + cell + ">";
            if (comma == std::string_view::npos) {
                break;
            }
            from = comma + 1;
        }
        html += "</tr>\n";
        header = false;
    }
    return html + "</table>\n";
}

}  // namespace quorvel
