#include "catalog_editing/path_dialogs.h"

#include "catalog_editing/catalog_selection.h"
#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/text_box.h"
#include "platform/text_codec.h"

namespace kestrova {

std::string openExecutableFile(Application &app)
{
    const std::string path = app.dialogs().openFile(
        app.rules().executableFilter("exe files (*.exe)|*.exe|All files (*.*)|*.*"), ".exe");
    if (!hasLineBreak(path))
        return path;
    app.dialogs().messageBox("This file name contains a line break and cannot be kept in the "
                             "catalog.",
                             MessageButtons::Ok, MessageIcon::Exclamation, "");
    return {};
}

PathDialogs::PathDialogs(Application &app) : m_app(app)
{
    m_app.control("edit_path_B").onClick = [this] { chooseRomFolder(); };
    m_app.control("CommandButton1_B").onClick = [this] { chooseEmulatorFile(); };
}

void PathDialogs::chooseRomFolder()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasPlatform()) {
        m_app.dialogs().messageBox("Choose a platform", MessageButtons::Ok,
                                   MessageIcon::Exclamation, "No Platform selected");
        return;
    }
    const std::string folder = m_app.OpenDir();
    if (folder.empty())
        return;
    // A root keeps its own separator and gets one more, as every folder does.
    const std::string stored = folder + m_app.rules().separator();
    m_app.textBox("RPath_I").setText(stored);
    m_app.catalog().Man[selected.m].Plat[selected.p].RomPath = stored;
}

void PathDialogs::chooseEmulatorFile()
{
    const auto selected = CatalogSelection::of(m_app);
    if (!selected.hasEmulator()) {
        const std::string text = "Choose an emulator";
        m_app.dialogs().messageBox(text, MessageButtons::Ok, MessageIcon::None, "");
        return;
    }
    const std::string path = openExecutableFile(m_app);
    if (path.empty())
        return;
    m_app.textBox("EPath_I").setText(path);
    m_app.catalog().Man[selected.m].Plat[selected.p].Emu[selected.e].Path = path;
}

} // namespace kestrova
