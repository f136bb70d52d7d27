#include "roms/launcher.h"

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/shell.h"
#include "platform/text_box.h"
#include "roms/argument_template.h"

namespace kestrova {

namespace {
const std::string kChooseEmulator = "Choose an emulator to launch a game";
constexpr int kEnterKey = 13;
}

Launcher::Launcher(Application &app) : m_app(app)
{
    for (const char *name : {"Flist_L", "FavList_L"}) {
        auto &source = m_app.listBox(name);
        source.onDblClick = [this, &source] { launchRom(source); };
    }
    m_app.listBox("Emu_L").onDblClick = [this] { launchEmulator(); };
    // Enter is the keyboard's double-click: whatever the double-click does, Enter does.
    for (const char *name : {"Flist_L", "FavList_L", "Emu_L"}) {
        auto &list = m_app.listBox(name);
        list.onKeyDown = [&list](int key) {
            if (key == kEnterKey)
                list.userDoubleClick();
        };
    }
}

bool Launcher::namesProgram(const std::string &path) const
{
    if (m_app.rules().kind() == SystemKind::Windows)
        return path.ends_with("exe");
    return !path.empty();
}

std::string Launcher::programPath() const
{
    const std::string typed = m_app.textBox("EPath_I").text();
    if (typed.empty() || m_app.rules().isAbsolute(typed))
        return typed;
    return m_app.appPath(typed);
}

std::string Launcher::selectedTemplate() const
{
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = m_app.listBox("plat_list_L").listIndex();
    const int e = m_app.listBox("Emu_L").listIndex();
    if (m < 0 || m >= kManufacturerSlots || p < 0 || p >= kPlatformSlots || e < 0
        || e >= kEmulatorSlots)
        return {};
    return m_app.catalog().Man[m].Plat[p].Emu[e].Args;
}

bool Launcher::start(const std::string &program, const std::vector<std::string> &arguments)
{
    // Arguments, never a command line: no file name can become part of a command.
    const StartResult result = m_app.shell().startDetached(program, arguments, true);
    if (!result)
        reportFailure(program, result.reason);
    return bool(result);
}

void Launcher::reportFailure(const std::string &program, const std::string &reason)
{
    // The hint may still tell of an earlier start.
    m_app.control("m_M").setCaption("");
    m_app.dialogs().messageBox("Could not start " + program + ": " + reason, MessageButtons::Ok,
                               MessageIcon::Exclamation, "");
}

void Launcher::launchRom(const ListBox &source)
{
    if (source.listIndex() == -1)
        return;
    const bool emulatorChosen = m_app.listBox("Emu_L").listIndex() != -1;
    if (!emulatorChosen)
        m_app.dialogs().messageBox(kChooseEmulator, MessageButtons::Ok, MessageIcon::None, "");
    if (!namesProgram(m_app.textBox("EPath_I").text()) || source.listIndex() == -1)
        return;
    const std::string program = programPath();
    const std::string refusal = m_app.rules().launchRefusal(program);
    auto &hint = m_app.control("m_M");
    if (refusal.empty()) {
        const RomFile rom{m_app.textBox("RPath_I").text(), source.text()};
        if (start(program, romArguments(selectedTemplate(), rom)))
            hint.setCaption("COMMAND SENT TO THE EMULATOR");
        return;
    }
    if (!emulatorChosen)
        hint.setCaption(kChooseEmulator);
    else if (m_app.rules().kind() == SystemKind::Posix)
        reportFailure(program, refusal);
}

void Launcher::launchEmulator()
{
    if (m_app.listBox("Emu_L").listIndex() == -1 || !namesProgram(m_app.textBox("EPath_I").text()))
        return;
    const std::string program = programPath();
    const std::string refusal = m_app.rules().launchRefusal(program);
    if (refusal.empty())
        (void)start(program, emulatorArguments(selectedTemplate(), m_app.textBox("RPath_I").text()));
    else if (m_app.rules().kind() == SystemKind::Posix)
        reportFailure(program, refusal);
}

} // namespace kestrova
