#include "core/status_summary.h"

#include "platform/form.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/widgets.h"

#include <array>
#include <utility>

namespace kestrova {

std::string articleIndicator(const std::string &matchesText)
{
    if (matchesText.starts_with("http"))
        return "Article: Yes";
    if (matchesText.starts_with("No"))
        return "Article: NO";
    return "Article: --";
}

void ShowStatus(Form &form1)
{
    static constexpr std::array<std::pair<const char *, const char *>, 5> kPanels = {{
        {"Man: ", "manu_L"},
        {"Plat :", "plat_list_L"},
        {"Emu :", "Emu_L"},
        {"Rom :", "Flist_L"},
        {"Wiki :", "avail_L"},
    }};
    auto &bar = form1.get<StatusBar>("StatusBar1");
    for (size_t i = 0; i < kPanels.size() && int(i) < bar.panelCount(); ++i)
        bar.setPanel(int(i) + 1, kPanels[i].first + form1.get<ListBox>(kPanels[i].second).text());
    if (bar.panelCount() >= 6)
        bar.setPanel(6, articleIndicator(form1.get<TextBox>("matches_L").text()));
}

} // namespace kestrova
