#include "roms/launcher.h"

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/shell.h"
#include "platform/text_box.h"

namespace kestrova {

namespace {
const std::string kChooseEmulator = "Choose an emulator to launch a game";
}

Launcher::Launcher(Application &app) : m_app(app)
{
    for (const char *name : {"Flist_L", "FavList_L"}) {
        auto &source = m_app.listBox(name);
        source.onDblClick = [this, &source] { launchRom(source); };
    }
    m_app.listBox("Emu_L").onDblClick = [this] { launchEmulator(); };
}

bool Launcher::namesProgram(const std::string &path) const
{
    if (m_app.rules().kind() == SystemKind::Windows)
        return path.ends_with("exe");
    return !path.empty();
}

void Launcher::launchRom(const ListBox &source)
{
    if (source.listIndex() == -1)
        return;
    const bool emulatorChosen = m_app.listBox("Emu_L").listIndex() != -1;
    if (!emulatorChosen)
        m_app.dialogs().messageBox(kChooseEmulator, MessageButtons::Ok, MessageIcon::None, "");
    const std::string program = m_app.textBox("EPath_I").text();
    if (!namesProgram(program) || source.listIndex() == -1)
        return;
    if (m_app.rules().isLaunchable(program)) {
        // One argument, never a command line: no file name can become part of a command.
        const std::string rom = m_app.textBox("RPath_I").text() + source.text();
        if (m_app.shell().startDetached(program, {rom}, true))
            m_app.control("m_M").setCaption("COMMAND SENT TO THE EMULATOR");
        return;
    }
    if (!emulatorChosen)
        m_app.control("m_M").setCaption(kChooseEmulator);
}

void Launcher::launchEmulator()
{
    const std::string program = m_app.textBox("EPath_I").text();
    if (m_app.listBox("Emu_L").listIndex() == -1 || !namesProgram(program))
        return;
    if (m_app.rules().isLaunchable(program))
        (void)m_app.shell().startDetached(program, {}, true);
}

} // namespace kestrova
