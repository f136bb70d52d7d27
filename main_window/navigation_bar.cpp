#include "main_window/navigation_bar.h"

#include "core/application.h"
#include "main_window/image_sets.h"
#include "main_window/main_layout.h"
#include "platform/list_box.h"
#include "platform/web_pane.h"
#include "platform/widgets.h"

#include <system_error>

namespace kestrova {

namespace {

constexpr int kButtons = 6;
constexpr int kBarImage = 6;
constexpr int kStates = 3;
// Picture states, as offsets into a button's three store entries.
constexpr int kNormal = 0;
constexpr int kHover = 1;
constexpr int kPressed = 2;

constexpr std::array<std::array<const char *, kStates>, kButtons> kButtonPictures = {{
    {"back1.gif", "back2.gif", "back3.gif"},
    {"refresh1.gif", "refresh2.gif", "refresh3.gif"},
    {"next1.gif", "next2.gif", "next3.gif"},
    {"colors1.gif", "colors2.gif", "colors3.gif"},
    {"settings.gif", "settings2.gif", "settings3.gif"},
    {"save1.gif", "save2.gif", "save3.gif"},
}};

// The nine small catalog buttons, in load order, with their pictures.
constexpr std::array<std::pair<const char *, const char *>, 9> kListButtonPictures = {{
    {"AddMan_B", "add.gif"},
    {"AddPlat_B", "add.gif"},
    {"AddEmu_B", "add.gif"},
    {"RemoveMan_B", "Remove.gif"},
    {"RemovePlat_B", "remove.gif"},
    {"RemoveEmu_B", "remove.gif"},
    {"EditMan_B", "edit.gif"},
    {"EditPlat_B", "edit.gif"},
    {"EditEmu_B", "edit.gif"},
}};

bool isFile(const std::filesystem::path &path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

/// A missing picture leaves the control as it was.
void setPictureIfPresent(PictureControl &control, const std::filesystem::path &path)
{
    if (isFile(path))
        control.setPicture(fromPath(path));
}

void takePictureSize(PictureControl &control, const std::optional<PictureSize> &size)
{
    if (!size)
        return;
    (void)control.setWidth(size->width);
    (void)control.setHeight(size->height);
}

std::string setEntryName(int n)
{
    return "M_set_nav_list(" + std::to_string(n) + ")";
}

} // namespace

NavigationBar::NavigationBar(Application &app) : m_app(app)
{
    install();
}

void NavigationBar::startupStep(StartupStep step)
{
    if (step == StartupStep::ImageSetList)
        listSets();
    else if (step == StartupStep::DefaultPictures)
        loadDefaultSet();
}

void NavigationBar::install()
{
    for (int i = 0; i <= kBarImage; ++i) {
        auto &picture = image(i);
        picture.onMouseMove = [this, i](const MouseEvent &) { mouseMove(i); };
        picture.onMouseDown = [this, i](const MouseEvent &) { press(i); };
        picture.onMouseUp = [this, i](const MouseEvent &) { release(i); };
    }
    m_app.comboBox("nav_C").onClick = [this] { changeSet(); };
    m_app.form1().menuBar().find("M_Cycle_nav")->onClick = [this] { cycleSets(); };
}

PictureControl &NavigationBar::image(int k)
{
    return m_app.form1().get<PictureControl>("Image2(" + std::to_string(k) + ")");
}

void NavigationBar::listSets()
{
    auto &menu = *m_app.form1().menuBar().find("M_set_nav");
    for (int n = 1; n <= m_setEntries; ++n)
        menu.removeItem(setEntryName(n));
    auto &sets = m_app.comboBox("nav_C");
    sets.clear();
    const auto names = listImageSets(m_app.files().imageSetsFolder());
    m_setEntries = 0;
    for (const auto &name : names) {
        sets.addItem(name);
        const int n = ++m_setEntries;
        menu.addItem(setEntryName(n), name).onClick = [this, n] {
            m_app.comboBox("nav_C").setListIndex(n - 1);
        };
    }
}

void NavigationBar::loadDefaultSet()
{
    for (const char *hidden : {"Frame1T", "Label_T(4)", "Image1"})
        m_app.control(hidden).setVisible(false);
    loadPictures(m_app.files().imageSetsFolder());
}

void NavigationBar::loadPictures(const std::filesystem::path &folder)
{
    auto &form = m_app.form1();
    for (const auto &[button, file] : kListButtonPictures)
        setPictureIfPresent(form.get<PictureControl>(button), folder / file);
    auto &logo = form.get<PictureControl>("Image1");
    if (isFile(folder / "logo.gif")) {
        logo.setPicture(fromPath(folder / "logo.gif"));
        takePictureSize(logo, readGifSize(folder / "logo.gif"));
    }
    for (int k = 0; k < kButtons; ++k) {
        for (int s = 0; s < kStates; ++s) {
            const auto path = folder / kButtonPictures[size_t(k)][size_t(s)];
            if (isFile(path))
                m_nav[size_t(kStates * k + s)] = {fromPath(path), readGifSize(path)};
            if (s == kNormal)
                showStored(k, kNormal);
        }
    }
    setPictureIfPresent(image(kBarImage), folder / "bar.gif");
}

void NavigationBar::changeSet()
{
    const std::string name = m_app.comboBox("nav_C").text();
    loadPictures(m_app.files().imageSetsFolder() / toPath(name));
    m_app.feature<MainLayout>().placeAfterSetChange();
    tickCurrentSet();
}

void NavigationBar::tickCurrentSet()
{
    auto &menu = m_app.form1().menuBar();
    for (int n = 1; n <= m_setEntries; ++n)
        menu.find(setEntryName(n))->setChecked(false);
    const int position = m_app.comboBox("nav_C").listIndex();
    if (position >= 0 && position < m_setEntries)
        menu.find(setEntryName(position + 1))->setChecked(true);
}

void NavigationBar::cycleSets()
{
    auto &sets = m_app.comboBox("nav_C");
    if (sets.count() == 0)
        return;
    const int position = sets.listIndex();
    sets.setListIndex(position == sets.count() - 1 ? 0 : position + 1);
}

void NavigationBar::allButtonsNormal()
{
    for (int k = 0; k < kButtons; ++k)
        showStored(k, kNormal);
}

void NavigationBar::showStored(int k, int state)
{
    const auto &stored = m_nav[size_t(kStates * k + state)];
    if (stored.path.empty())
        return;
    auto &button = image(k);
    if (button.picture() != stored.path)
        button.setPicture(stored.path);
    takePictureSize(button, stored.size);
}

void NavigationBar::showOthersNormal(int i)
{
    for (int k = 0; k < kButtons; ++k) {
        if (k != i)
            showStored(k, kNormal);
    }
}

void NavigationBar::mouseMove(int i)
{
    showOthersNormal(i);
    if (i != kBarImage)
        showStored(i, kHover);
}

void NavigationBar::press(int i)
{
    if (i != kBarImage)
        showStored(i, kPressed);
    act(i);
}

void NavigationBar::release(int i)
{
    if (i != kBarImage)
        showStored(i, kHover);
    showOthersNormal(i);
}

void NavigationBar::act(int i)
{
    switch (i) {
    case 0:
        m_app.web().back();
        break;
    case 1:
        m_app.web().refresh();
        break;
    case 2:
        m_app.web().forward();
        break;
    case 3:
        m_app.colors().activate();
        break;
    case 4:
        swapLowerPane();
        break;
    case 5:
        (void)m_app.SaveData();
        break;
    default:
        break;
    }
}

void NavigationBar::swapLowerPane()
{
    auto &browser = m_app.control("Browser");
    const bool showSettings = browser.isVisible();
    browser.setVisible(!showSettings);
    for (const char *name : {"Frame1T", "Label_T(4)", "Image1"})
        m_app.control(name).setVisible(showSettings);
}

} // namespace kestrova
