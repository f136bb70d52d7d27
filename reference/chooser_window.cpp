#include "reference/chooser_window.h"

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/text_box.h"
#include "platform/text_codec.h"
#include "platform/widgets.h"
#include "reference/title_corrections.h"

#include <system_error>

namespace kestrova {

namespace {

/// The text without its last `count` characters (UTF-8), or the empty text when shorter.
std::string dropLastCharacters(const std::string &text, int count)
{
    size_t end = text.size();
    while (count > 0 && end > 0) {
        --end;
        // Continuation bytes belong to the character before them.
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80)
            --count;
    }
    return text.substr(0, end);
}

} // namespace

std::vector<std::string> savedListNames(const std::string &folderUtf8, const PlatformRules &rules)
{
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(toPath(folderUtf8), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        const std::string file = fromPath(it->path().filename());
        // The user's title choices live beside the lists but name no platform.
        if (it->is_regular_file(typeError) && !rules.isHidden(*it) && !isCorrectionsFile(file))
            names.push_back(dropLastCharacters(file, 4));
    }
    return names;
}

ChooserWindow::ChooserWindow(Application &app) : m_app(app), m_form(app.form2())
{
    build();
    m_form.onActivate = [this] { refill(); };
    m_form.onMouseDown = [this](const MouseEvent &e) { pressBackground(e); };
    m_form.onMouseMove = [this](const MouseEvent &e) { dragBackground(e); };
    m_form.get<Control>("cd_B").onClick = [this] { confirm(); };
    m_form.get<Control>("cs_B").onClick = [this] { cancel(); };
}

void ChooserWindow::build()
{
    m_form.setCaption("Add platform");
    m_form.resize(4500, 2400);
    m_form.add<Label>("Label1_T", {240, 120, 2400, 255}).setCaption("Wikipedia  lists");
    auto &lists = m_form.add<ComboBox>("cb_L", {240, 390, 3900, 315});
    lists.setToolTip("Lists of the files in the wikigamelists folder.");
    lists.setAccessibleName("Wikipedia  lists");
    m_form.add<Label>("Label2_T", {240, 840, 2400, 255}).setCaption("Custom");
    m_form.add<TextBox>("T_I", {240, 1110, 3900, 315}).setAccessibleName("Custom");
    m_form.add<PictureControl>("cd_B", {960, 1620, 1095, 375}, ControlKind::Button)
        .setCaption("ok");
    m_form.add<PictureControl>("cs_B", {2400, 1620, 1095, 375}, ControlKind::Button)
        .setCaption("cancel");
    m_form.setDefaultButton("cd_B");
    m_form.setCancelButton("cs_B");
}

void ChooserWindow::refill()
{
    m_form.get<TextBox>("T_I").setText("");
    auto &lists = m_form.get<ComboBox>("cb_L");
    lists.clear();
    lists.addItems(savedListNames(fromPath(m_app.files().wikiListsFolder()), m_app.rules()));
}

bool ChooserWindow::mainWindowAccepts()
{
    // The main window may have changed while this window stayed open.
    if (m_app.listBox("manu_L").listIndex() == -1) {
        m_app.dialogs().messageBox("Choose a Manufaturer", MessageButtons::Ok,
                                   MessageIcon::Exclamation, "");
        return false;
    }
    if (m_app.listBox("plat_list_L").count() >= kPlatformSlots - 1) {
        m_app.dialogs().messageBox("A maximum of 50 platforms is supported.", MessageButtons::Ok,
                                   MessageIcon::None, "");
        return false;
    }
    return true;
}

void ChooserWindow::confirm()
{
    const auto &lists = m_form.get<ComboBox>("cb_L");
    const std::string &typed = m_form.get<TextBox>("T_I").text();
    const bool chosen = lists.listIndex() != -1;
    if (!chosen && typed.empty())
        return;
    if (chosen && !typed.empty()) {
        m_app.dialogs().messageBox("Fill only one field", MessageButtons::Ok, MessageIcon::None,
                                   "");
        return;
    }
    // A pasted name is kept up to its first line break; nothing before it is no name at all.
    const std::string name(firstLine(chosen ? lists.text() : typed));
    if (name.empty() || !mainWindowAccepts())
        return;
    m_app.form1().activate();
    m_app.listBox("plat_list_L").addItem(name);
    m_app.textBox("txt").setText(name);
    m_app.textBox("ajout").setText("1");
    m_form.hide();
}

void ChooserWindow::cancel()
{
    m_form.hide();
    m_app.textBox("ajout").setText("0");
}

void ChooserWindow::pressBackground(const MouseEvent &e)
{
    if (e.button != LeftButton)
        return;
    m_grabX = e.x;
    m_grabY = e.y;
}

void ChooserWindow::dragBackground(const MouseEvent &e)
{
    if ((e.button & LeftButton) == 0)
        return;
    m_form.move(m_form.left() + e.x - m_grabX, m_form.top() + e.y - m_grabY);
}

} // namespace kestrova
