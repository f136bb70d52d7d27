#include "reference/coverage_html.h"

#include "reference/coverage_report.h"
#include "reference/match_outcome.h"
#include "reference/wiki_search.h"
#include "reference/wiki_table.h"

#include <cstdio>

namespace kestrova {

namespace {

constexpr const char *kStyle = R"(<style>
body { font-family: "DejaVu Sans", sans-serif; margin: 1.5em; color: #222; background: #fafafa; }
h1 { font-size: 1.4em; margin-bottom: 0.2em; }
.source { color: #555; margin: 0 0 1em 0; }
.counts span { display: inline-block; margin-right: 1.5em; font-size: 1.1em; }
.counts b { font-size: 1.3em; }
#filter { width: 24em; padding: 0.3em; margin: 0.8em 0; font-size: 1em; }
table { border-collapse: collapse; width: 100%; background: #fff; }
th, td { border: 1px solid #ccc; padding: 0.25em 0.5em; text-align: left; }
th { background: #e8e8e8; cursor: pointer; user-select: none; white-space: nowrap; }
th.sorted-up::after { content: " \25B2"; } th.sorted-down::after { content: " \25BC"; }
td.num { text-align: right; font-variant-numeric: tabular-nums; }
tr.owned td.status { color: #1a6b1a; } tr.missing td.status { color: #b02020; }
tr.unsure td.status { color: #9a6a00; }
a.no-article { color: #b02020; }
.meter { display: inline-block; width: 0.9em; height: 0.9em; margin-right: 0.4em;
         vertical-align: -0.1em; border: 1px solid #888; }
.summary { margin-top: 1em; font-family: "DejaVu Sans Mono", monospace; }
</style>
)";

constexpr const char *kScript = R"(<script>
(function () {
  var table = document.getElementById('coverage');
  var body = table.tBodies[0];
  var filter = document.getElementById('filter');
  filter.addEventListener('input', function () {
    var words = filter.value.toLowerCase();
    for (var row of body.rows)
      row.hidden = words !== '' && row.textContent.toLowerCase().indexOf(words) < 0;
  });
  var heads = table.tHead.rows[0].cells;
  for (let i = 0; i < heads.length; ++i) {
    heads[i].addEventListener('click', function () {
      var up = !heads[i].classList.contains('sorted-up');
      for (var h of heads) h.classList.remove('sorted-up', 'sorted-down');
      heads[i].classList.add(up ? 'sorted-up' : 'sorted-down');
      var numeric = heads[i].dataset.type === 'number';
      var rows = Array.from(body.rows);
      rows.sort(function (a, b) {
        var x = a.cells[i].dataset.key, y = b.cells[i].dataset.key;
        var order = numeric ? parseFloat(x) - parseFloat(y) : x.localeCompare(y);
        return up ? order : -order;
      });
      for (var row of rows) body.appendChild(row);
    });
  }
})();
</script>
)";

std::string number(double value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string cell(const std::string &key, const std::string &content, const char *cls = nullptr)
{
    std::string out = "<td";
    if (cls)
        out += std::string(" class=\"") + cls + "\"";
    return out + " data-key=\"" + htmlEscape(key) + "\">" + content + "</td>";
}

std::string titleCell(const WikiTable &table, int row, const std::string &root)
{
    const WikiRow &title = table.rows[size_t(row)];
    const std::string text = displayTitle(title.title);
    const bool missing = hasNoArticle(title.link);
    const std::string link = "<a href=\"" + htmlEscape(root + displayTitle(title.link)) + "\"" +
                             (missing ? " class=\"no-article\" title=\"No article\"" : "") + ">" +
                             htmlEscape(text) + "</a>";
    return cell(text, link);
}

std::string ratioCell(double ratio)
{
    const MeterColor c = meterColor(ratio);
    const std::string swatch = "<span class=\"meter\" style=\"background: rgb(" +
                               std::to_string(c.red) + "," + std::to_string(c.green) + "," +
                               std::to_string(c.blue) + ")\"></span>";
    return cell(number(ratio), swatch + number(ratio), "num");
}

std::string romRow(const char *status, const WikiTable &table, const CoveredRom &rom,
                   const std::string &root)
{
    std::string out = std::string("<tr class=\"") + status + "\">";
    out += cell(status, status, "status");
    out += rom.bestRow ? titleCell(table, *rom.bestRow, root) : cell("", "");
    out += cell(rom.file, htmlEscape(rom.file));
    out += ratioCell(rom.ratio);
    out += cell(number(rom.likeness), number(rom.likeness), "num");
    return out + "</tr>\n";
}

std::string missingRow(const WikiTable &table, int row, const std::string &root)
{
    return "<tr class=\"missing\">" + cell("missing", "missing", "status") +
           titleCell(table, row, root) + cell("", "") + cell("-1", "", "num") +
           cell("-1", "", "num") + "</tr>\n";
}

std::string rows(const CoverageReport &report, const WikiTable &table, const std::string &root)
{
    std::string out;
    for (size_t t = 0; t < report.titleRows.size(); ++t) {
        if (report.owners[t].empty())
            out += missingRow(table, report.titleRows[t], root);
        for (size_t rom : report.owners[t]) {
            CoveredRom shown = report.roms[rom];
            shown.bestRow = report.titleRows[t];
            out += romRow("owned", table, shown, root);
        }
    }
    for (size_t rom : report.unsure)
        out += romRow("unsure", table, report.roms[rom], root);
    return out;
}

} // namespace

std::string htmlEscape(const std::string &utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string coverageHtml(const CoverageReport &report, const WikiTable &table,
                         const CoverageSource &source)
{
    const std::string title = "Coverage of " + source.platform;
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    out += "<title>" + htmlEscape(title) + "</title>\n" + kStyle + "</head>\n<body>\n";
    out += "<h1>" + htmlEscape(title) + "</h1>\n";
    out += "<p class=\"source\">List " + htmlEscape(source.list) + "<br>ROM folder " +
           htmlEscape(source.folder) + "<br>A ROM owns its best title at a likeness of " +
           number(source.minLikeness) + " or more.</p>\n";
    out += "<p class=\"counts\"><span><b>" + std::to_string(report.titleRows.size()) +
           "</b> titles</span><span><b>" + std::to_string(report.ownedCount()) +
           "</b> owned</span><span><b>" + std::to_string(report.missingCount()) +
           "</b> missing</span><span><b>" + std::to_string(report.unsure.size()) +
           "</b> unsure ROMs</span></p>\n";
    out += "<input id=\"filter\" type=\"search\" placeholder=\"Filter\" "
           "aria-label=\"Filter the rows\">\n";
    out += "<table id=\"coverage\">\n<thead><tr><th>Status</th><th>Title</th><th>ROM</th>"
           "<th data-type=\"number\">Ratio</th><th data-type=\"number\">Likeness</th></tr>"
           "</thead>\n<tbody>\n";
    out += rows(report, table, source.encyclopediaRoot);
    out += "</tbody>\n</table>\n<p class=\"summary\">" + htmlEscape(report.summary()) + "</p>\n";
    out += kScript;
    return out + "</body>\n</html>\n";
}

} // namespace kestrova
