#include "forms/form.h"

#include <algorithm>

namespace forms {

namespace {

// Digits with at most one point between them: how a count or a ratio is shown.
bool isDecimal(std::u16string_view text) {
    const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    const std::size_t point = text.find(u'.');
    const std::u16string_view whole = text.substr(0, point);
    const std::u16string_view fraction =
        point == std::u16string_view::npos ? std::u16string_view() : text.substr(point + 1);
    const bool fractionShown = point == std::u16string_view::npos || !fraction.empty();
    return !whole.empty() && fractionShown && std::all_of(whole.begin(), whole.end(), digit) &&
           std::all_of(fraction.begin(), fraction.end(), digit);
}

std::u16string escaped(std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'"':
                out += u"&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

std::u16string tableText(const Table &table) {
    std::u16string text;
    for (const auto &row : table) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            text += (i == 0 ? u"" : u"\t") + row[i];
        }
        text += u'\n';
    }
    return text;
}

std::u16string tableHtml(const Table &table) {
    std::u16string html = u"<html><head><meta charset=\"utf-8\"></head><body><table>\n";
    for (const auto &row : table) {
        html += u"<tr>";
        for (const std::u16string &cell : row) {
            if (!isDecimal(cell)) {
                html += u"<td>" + escaped(cell) + u"</td>";
                continue;
            }
            // The number's format as shown: LibreOffice reads sdval and sdnum, Excel its
            // mso-number-format; without them 0.400 would arrive as 0.4.
            const std::size_t point = cell.find(u'.');
            std::u16string format = u"0";
            if (point != std::u16string::npos) {
                format += u'.' + std::u16string(cell.size() - point - 1, u'0');
            }
            std::u16string excelFormat = format;
            if (point != std::u16string::npos) {
                excelFormat.insert(1, 1, u'\\');
            }
            html += u"<td sdval=\"" + cell + u"\" sdnum=\"1033;0;" + format +
                    u"\" style=\"mso-number-format:'" + excelFormat + u"'\">" + cell + u"</td>";
        }
        html += u"</tr>\n";
    }
    return html + u"</table></body></html>\n";
}

}  // namespace forms
