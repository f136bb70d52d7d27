#include "schemes/scheme_editor.h"

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/platform_rules.h"
#include "platform/widgets.h"
#include "schemes/color_schemes.h"
#include "schemes/scheme_file.h"

#include <array>
#include <system_error>

namespace kestrova {

namespace {

constexpr float kSlotTop = 120;
constexpr float kSlotStep = 420;
constexpr float kListLeft = 2640;

// What each slot colours, for tool tips and screen readers.
constexpr std::array<const char *, kSchemeSlots> kSlotRoles = {
    "BackGround",         "Text",        "Buttons", "Buttons text", "Lists", "Lists Text",
    "Message background", "Spare colour"};

// The captions, and the slot each stands beside.
struct SlotCaption
{
    const char *caption;
    int slot;
};
constexpr std::array<SlotCaption, 6> kSlotCaptions = {{{"Buttons", 2},
                                                       {"Buttons text", 3},
                                                       {"BackGround", 0},
                                                       {"Lists Text", 5},
                                                       {"Lists", 4},
                                                       {"Text", 1}}};

std::string indexed(const char *stem, int n)
{
    return std::string(stem) + "(" + std::to_string(n) + ")";
}

} // namespace

SchemeEditor::SchemeEditor(Application &app) : m_app(app)
{
    build();
    install();
}

ColorSchemes &SchemeEditor::schemes()
{
    return m_app.feature<ColorSchemes>();
}

void SchemeEditor::build()
{
    Form &form = m_app.colors();
    form.setClosesOnEscape(true);
    for (int n = 0; n < kSchemeSlots; ++n) {
        auto &button = form.add<PictureControl>(indexed("bcol", n),
                                                {120, kSlotTop + float(n) * kSlotStep, 615, 345},
                                                ControlKind::Button);
        button.setBackColor(kToolkitSlots[size_t(n)]);
        button.setToolTip(kSlotRoles[size_t(n)]);
        button.setAccessibleName(kSlotRoles[size_t(n)]);
    }
    for (size_t k = 0; k < kSlotCaptions.size(); ++k) {
        const float top = kSlotTop + float(kSlotCaptions[k].slot) * kSlotStep + 45;
        form.add<Label>(indexed("Label_T", int(k)), {840, top, 1575, 255})
            .setCaption(kSlotCaptions[k].caption);
    }
    form.add<Label>("Label_T(6)", {kListLeft, kSlotTop, 1935, 255}).setCaption("Schemes");
    form.add<ListBox>("List1_L", {kListLeft, 420, 1935, 2475}).setAccessibleName("Schemes");
    form.add<PictureControl>("OK_B", {kListLeft, 3000, 900, 375}, ControlKind::Button)
        .setCaption("OK");
    form.add<PictureControl>("save_B", {kListLeft + 1035, 3000, 900, 375}, ControlKind::Button)
        .setCaption("Save");
    form.resize(4935, 4020);
}

void SchemeEditor::install()
{
    Form &form = m_app.colors();
    for (int n = 0; n < kSchemeSlots; ++n)
        form.find(indexed("bcol", n))->onClick = [this, n] { colorButtonClicked(n); };
    form.get<ListBox>("List1_L").onClick = [this] { schemeClicked(); };
    form.find("OK_B")->onClick = [this] { confirm(); };
    form.find("save_B")->onClick = [this] { saveAs(); };
    form.onLoad = [this] { fillSchemeList(true); };
    form.onMouseDown = [this](const MouseEvent &e) { dragPress(e); };
    form.onMouseMove = [this](const MouseEvent &e) { dragMove(e); };
    m_app.form1().menuBar().find("M_set_col_New")->onClick = [this] { m_app.colors().activate(); };
}

std::optional<Color> SchemeEditor::PickColor()
{
    return m_app.dialogs().pickColor();
}

void SchemeEditor::fillSchemeList(bool schemeFilesOnly)
{
    auto &list = m_app.colors().get<ListBox>("List1_L");
    list.clear();
    std::vector<std::string> names;
    for (const auto &file : schemes().folderFiles()) {
        // After a save every file but Active.col is listed, cut by four characters.
        if (schemeFilesOnly ? !file.ends_with(".col") : file == "Active.col")
            continue;
        names.push_back(file.substr(0, file.size() >= 4 ? file.size() - 4 : 0));
    }
    list.addItems(std::move(names));
}

void SchemeEditor::colorButtonClicked(int n)
{
    const auto picked = PickColor();
    if (!picked)
        return;
    schemes().setSlot(n, *picked);
    preview(n);
}

void SchemeEditor::preview(int n)
{
    auto &s = schemes();
    const auto slot = [&s](int k) { return s.slot(k); };
    const Color window = slot(0);
    if (n == 4 || n == 5) {
        s.ApplyColors(slot(4), slot(5), window, 'I');
        s.ApplyColors(slot(4), slot(5), window, 'C');
    }
    s.ApplyColors(slot(6), slot(1), window, 'M');
    if (n == 0 || n == 1)
        s.ApplyColors(slot(0), slot(1), window, 'T');
    else if (n == 2 || n == 3)
        s.ApplyColors(slot(2), slot(3), window, 'B');
    else if (n == 4 || n == 5)
        s.ApplyColors(slot(4), slot(5), window, 'L');
    else if (n == 6)
        s.ApplyColors(slot(6), slot(1), window, 'M');
}

void SchemeEditor::schemeClicked()
{
    auto &list = m_app.colors().get<ListBox>("List1_L");
    if (list.listIndex() < 0)
        return;
    (void)schemes().loadScheme(list.text(), false);
}

void SchemeEditor::confirm()
{
    auto &s = schemes();
    if (!s.ensureFolder())
        return;
    const auto bytes = writeSchemeFile(s.slots(), m_app.comboBox("nav_C").text());
    if (s.writeSchemeText("Active.col", bytes))
        m_app.colors().hide();
}

void SchemeEditor::saveAs()
{
    auto &s = schemes();
    if (!s.ensureFolder())
        return;
    auto &dialogs = m_app.dialogs();
    const std::string name = dialogs.inputBox("Enter Color Scheme Name", "Save Color Scheme");
    if (name.empty())
        return;
    if (auto problem = schemeNameProblem(name)) {
        dialogs.messageBox("\"" + name + "\" cannot be used as a scheme name: " + *problem + ".",
                           MessageButtons::Ok, MessageIcon::Exclamation, "Save Color Scheme");
        return;
    }
    const std::string fileName = name + ".col";
    std::error_code ec;
    if (std::filesystem::exists(s.folder() / toPath(fileName), ec)) {
        const auto answer = dialogs.messageBox("Overwrtite " + name + "?", MessageButtons::YesNo,
                                               MessageIcon::None, "");
        if (answer != MessageResult::Yes)
            return;
    }
    const auto bytes = writeSchemeFile(s.slots(), m_app.comboBox("nav_C").text());
    if (!s.writeSchemeText(fileName, bytes))
        return;
    (void)s.writeSchemeText("Active.col", bytes);
    fillSchemeList(false);
}

void SchemeEditor::dragPress(const MouseEvent &e)
{
    if (e.button != LeftButton)
        return;
    m_dragX = e.x;
    m_dragY = e.y;
}

void SchemeEditor::dragMove(const MouseEvent &e)
{
    if ((e.button & LeftButton) == 0)
        return;
    Form &form = m_app.colors();
    form.move(form.left() + e.x - m_dragX, form.top() + e.y - m_dragY);
}

} // namespace kestrova
