#include "catalog_editing/path_dialogs.h"

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/text_box.h"

namespace kestrova {

std::string openExecutableFile(Application &app)
{
    return app.dialogs().openFile(
        app.rules().executableFilter("exe files (*.exe)|*.exe|All files (*.*)|*.*"), ".exe");
}

PathDialogs::PathDialogs(Application &app) : m_app(app)
{
    m_app.control("edit_path_B").onClick = [this] { chooseRomFolder(); };
    m_app.control("CommandButton1_B").onClick = [this] { chooseEmulatorFile(); };
}

void PathDialogs::chooseRomFolder()
{
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = m_app.listBox("plat_list_L").listIndex();
    if (p < 0 || p >= kPlatformSlots || m < 0 || m >= kManufacturerSlots) {
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
    m_app.catalog().Man[m].Plat[p].RomPath = stored;
}

void PathDialogs::chooseEmulatorFile()
{
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = m_app.listBox("plat_list_L").listIndex();
    const int e = m_app.listBox("Emu_L").listIndex();
    if (e < 0 || e >= kEmulatorSlots || p < 0 || p >= kPlatformSlots || m < 0
        || m >= kManufacturerSlots) {
        m_app.dialogs().messageBox("Choose an emulator", MessageButtons::Ok, MessageIcon::None,
                                   "");
        return;
    }
    const std::string path = openExecutableFile(m_app);
    if (path.empty())
        return;
    m_app.textBox("EPath_I").setText(path);
    m_app.catalog().Man[m].Plat[p].Emu[e].Path = path;
}

} // namespace kestrova
