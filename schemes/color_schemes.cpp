#include "schemes/color_schemes.h"

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"
#include "platform/list_box.h"
#include "platform/platform_rules.h"
#include "platform/widgets.h"

#include <array>
#include <system_error>

namespace kestrova {

namespace {

constexpr const char *kActive = "Active.col";
constexpr std::string_view kExtension = ".col";
constexpr int kImageSetLineA = 7; // the eighth and ninth lines may name an image set
constexpr int kImageSetLineB = 8;

struct ClassSlots
{
    char colorClass;
    int back;
    int fore;
};
constexpr std::array<ClassSlots, 6> kClassOrder = {
    {{'B', 2, 3}, {'T', 0, 1}, {'L', 4, 5}, {'I', 4, 5}, {'C', 4, 5}, {'M', 6, 1}}};

std::string entryName(int n)
{
    return "M_set_col_schemes(" + std::to_string(n) + ")";
}

std::string slotName(int n)
{
    return "bcol(" + std::to_string(n) + ")";
}

} // namespace

ColorSchemes::ColorSchemes(Application &app) : m_app(app)
{
    install();
}

void ColorSchemes::install()
{
    m_app.form1().menuBar().find("M_Cycle_c")->onClick = [this] { cycleSchemes(); };
}

void ColorSchemes::startupStep(StartupStep step)
{
    if (step == StartupStep::SchemeMenu)
        fillMenu();
    else if (step == StartupStep::ActiveScheme)
        readActiveScheme();
}

std::filesystem::path ColorSchemes::folder() const
{
    return m_app.files().schemesFolder();
}

std::vector<std::string> ColorSchemes::folderFiles() const
{
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder(), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code kindError;
        if (it->is_regular_file(kindError))
            names.push_back(fromPath(it->path().filename()));
    }
    return names;
}

Color ColorSchemes::slot(int n)
{
    auto *button = m_app.colors().find(slotName(n));
    const Color fallback = kToolkitSlots.at(size_t(n));
    return button ? button->backColor().value_or(fallback) : fallback;
}

void ColorSchemes::setSlot(int n, Color c)
{
    if (auto *button = m_app.colors().find(slotName(n)))
        button->setBackColor(c);
}

SchemeColors ColorSchemes::slots()
{
    SchemeColors colors{};
    for (int n = 0; n < kSchemeSlots; ++n)
        colors[size_t(n)] = slot(n);
    return colors;
}

char colorClassOf(const std::string &name)
{
    // The members of a control array share the array's name: "Label_T(4)" is a "Label_T".
    const auto end = name.ends_with(')') ? name.rfind('(') : name.size();
    return end == 0 || end == std::string::npos ? '\0' : name[end - 1];
}

void ColorSchemes::ApplyColors(Color back, Color fore, Color formBack, char colorClass)
{
    // The chooser is coloured too; loading it for that must not show it.
    Form &chooser = m_app.form2();
    const bool chooserShown = chooser.isVisible();
    chooser.load();
    for (Form *form : {&m_app.form1(), &chooser, &m_app.colors()}) {
        if (!form->isLoaded())
            continue;
        form->setBackColor(formBack);
        for (const auto &control : form->controls()) {
            if (colorClassOf(control->name()) == colorClass) {
                control->setBackColor(back);
                control->setForeColor(fore);
            }
        }
    }
    if (!chooserShown)
        chooser.hide();
}

void ColorSchemes::applyScheme()
{
    const auto colors = slots();
    for (const auto &c : kClassOrder)
        ApplyColors(colors[size_t(c.back)], colors[size_t(c.fore)], colors[0], c.colorClass);
}

void ColorSchemes::fillMenu()
{
    auto &menu = *m_app.form1().menuBar().find("M_set_col");
    for (size_t k = 0; k < m_entries.size(); ++k)
        menu.removeItem(entryName(int(k) + 1));
    m_entries.clear();
    for (const auto &file : folderFiles()) {
        if (!file.ends_with(kExtension) || file == kActive)
            continue;
        const int n = int(m_entries.size()) + 1;
        auto &entry = menu.addItem(entryName(n), schemeCaption(file));
        entry.onClick = [this, n] { chooseScheme(n); };
        m_entries.push_back(&entry);
    }
}

void ColorSchemes::readActiveScheme()
{
    const auto path = folder() / kActive;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        // The start-up message has said that nothing can be written.
        if (!m_app.files().isWritable() || !ensureFolder())
            return;
        if (auto error = createEmptyIfMissing(path))
            reportFileError("create", *error);
        return;
    }
    const auto content = readFilePrefix(path, kSchemeReadBytes);
    if (content.error) {
        reportFileError("read", {fromPath(path), content.error->reason});
        return;
    }
    const auto size = std::filesystem::file_size(path, ec);
    m_activeVersion = content.bytes.size() < kSchemeReadBytes
                          ? FileVersion::of(content.bytes)
                          : FileVersion::ofPrefix(content.bytes, ec ? 0 : size);
    const auto scheme = parseSchemeFile(content.bytes);
    // An empty scheme in force leaves the toolkit's own colours.
    if (scheme.isBlank())
        return;
    m_app.colors().load();
    for (int n = 0; n < kSchemeSlots - 1; ++n)
        setSlot(n, scheme.color(n));
    selectImageSet(scheme.imageSet());
    applyScheme();
    m_app.colors().hide();
}

void ColorSchemes::selectImageSet(const std::string &name)
{
    auto &sets = m_app.comboBox("nav_C");
    for (int k = 0; k < sets.count(); ++k) {
        if (sets.item(k) == name) {
            sets.setListIndex(k);
            return;
        }
    }
}

bool ColorSchemes::loadScheme(const std::string &name, bool editorHidden)
{
    const auto path = folder() / toPath(name + std::string(kExtension));
    if (editorHidden)
        m_app.colors().load();
    // A vanished scheme is reported, never recreated empty nor copied over Active.col.
    const auto content = readFilePrefix(path, kSchemeReadBytes);
    if (content.error) {
        std::error_code ec;
        const bool exists = std::filesystem::exists(path, ec);
        m_app.dialogs().messageBox("The color scheme file " + fromPath(path) +
                                       (exists ? " cannot be read." : " was not found."),
                                   MessageButtons::Ok, MessageIcon::Exclamation, "");
        return false;
    }
    const std::string_view head =
        schemeFileHead(content.bytes, content.bytes.size() < kSchemeReadBytes);
    const auto scheme = parseSchemeFile(head);
    for (int k = 0; k < int(scheme.lines.size()); ++k) {
        if (k == kImageSetLineA || k == kImageSetLineB)
            selectImageSet(scheme.lines[size_t(k)]);
        else
            setSlot(k, scheme.color(k));
    }
    // The test looks at the path's last ten characters only, so "NotActive" is not copied.
    if (!fromPath(path).ends_with(kActive))
        (void)writeSchemeText(kActive, std::string(head));
    applyScheme();
    if (editorHidden)
        m_app.colors().hide();
    return true;
}

void ColorSchemes::chooseScheme(int n)
{
    if (n < 1 || n > int(m_entries.size()))
        return;
    if (loadScheme(m_entries[size_t(n - 1)]->caption(), true))
        markEntry(n);
}

void ColorSchemes::cycleSchemes()
{
    const int last = int(m_entries.size());
    if (last == 0)
        return;
    int k = -1;
    for (int i = 1; i <= last; ++i) {
        if (m_entries[size_t(i - 1)]->isChecked())
            k = i + 1;
    }
    if (k == -1 || k == last + 1)
        k = 1;
    chooseScheme(k);
}

void ColorSchemes::markEntry(int n)
{
    for (size_t k = 0; k < m_entries.size(); ++k)
        m_entries[k]->setChecked(int(k) + 1 == n);
}

bool ColorSchemes::ensureFolder()
{
    std::error_code ec;
    std::filesystem::create_directories(folder(), ec);
    if (ec) {
        reportFileError("create", {fromPath(folder()), ec.message()});
        return false;
    }
    return true;
}

bool ColorSchemes::writeSchemeText(const std::string &fileName, const std::string &bytes)
{
    const auto path = folder() / toPath(fileName);
    const bool active = fileName == kActive;
    if (active && !m_activeVersion.isCurrent(path) &&
        m_app.dialogs().messageBox("Active.col was changed by another program since Kestrova "
                                   "read it. Replace it with the colours shown now?",
                                   MessageButtons::YesNo, MessageIcon::Exclamation,
                                   "") != MessageResult::Yes)
        return false;
    if (auto error = writeFileAtomically(path, bytes)) {
        reportFileError("save", *error);
        return false;
    }
    if (active)
        m_activeVersion = FileVersion::of(bytes);
    return true;
}

void ColorSchemes::reportFileError(const std::string &what, const FileError &error)
{
    m_app.dialogs().messageBox("Could not " + what + " " + error.path + ": " + error.reason,
                               MessageButtons::Ok, MessageIcon::Exclamation, "");
}

} // namespace kestrova
