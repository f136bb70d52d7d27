#include "catalog_editing/emulator_arguments.h"

#include "catalog_editing/catalog_selection.h"
#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/menu_item.h"
#include "platform/text_codec.h"
#include "roms/argument_template.h"

namespace kestrova {

EmulatorArguments::EmulatorArguments(Application &app) : m_app(app)
{
    m_app.form1().menuBar().find("M_emu_args")->onClick = [this] { editArguments(); };
}

std::optional<std::string> EmulatorArguments::problem(const std::string &argumentTemplate) const
{
    // A line break would start a new record in DATA.txt.
    if (hasLineBreak(argumentTemplate))
        return "The arguments cannot hold a line break.";
    if (const auto at = unclosedQuoteAt(argumentTemplate))
        return "The double quote at character " + std::to_string(*at)
               + " of the arguments is never closed. Close it or remove it.";
    return std::nullopt;
}

void EmulatorArguments::editArguments()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasEmulator())
        return;
    auto &emulator = m_app.catalog().Man[selected.m].Plat[selected.p].Emu[selected.e];
    const std::string prompt = "Arguments for " + m_app.listBox("Emu_L").text()
                               + ":\n{rom} is the ROM's full path; {romfile}, {romname} and "
                                 "{romdir} are its parts.\nWithout them the ROM's path comes last.";
    std::string offered = emulator.Args;
    for (;;) {
        const auto answer = m_app.dialogs().editText(prompt, "Emulator arguments", offered);
        if (!answer)
            return;
        const auto refusal = problem(*answer);
        if (!refusal) {
            emulator.Args = *answer;
            break;
        }
        m_app.dialogs().messageBox(*refusal, MessageButtons::Ok, MessageIcon::Exclamation, "");
        offered = std::string(firstLine(*answer));
    }
    // The cascade shows the template as the path box's tool tip.
    m_app.UpdatE("E_change", selected.e);
}

} // namespace kestrova
