#include "main_window/main_layout.h"

#include "core/application.h"
#include "main_window/navigation_bar.h"
#include "platform/control.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace kestrova {

namespace {

constexpr float kMargin = 120;
constexpr float kListsTop = 315;
constexpr float kFrameGap = 400;
constexpr float kBottomGroupGap = 645;
constexpr float kBarRightGap = 240;
constexpr float kPaneGapAfterResize = 800;
constexpr float kPaneGapAfterDrag = 640;
constexpr double kSplitterLow = 0.05;
constexpr double kSplitterHigh = 0.95;
// The least room that keeps a caption readable in a smaller type, a search box usable and the
// web pane visible; the window's minimum size keeps at least this much.
constexpr float kLeastCaptionRoom = 540;
constexpr float kLeastSearchWidth = 600;
constexpr float kLeastPaneHeight = 600;

constexpr std::array<const char *, 6> kColumns = {"manu_L",  "plat_list_L", "Emu_L",
                                                  "Flist_L", "FavList_L",   "avail_L"};
// The order in which a drag sets the list heights.
constexpr std::array<const char *, 6> kDragHeightOrder = {"Emu_L",     "Flist_L", "manu_L",
                                                          "FavList_L", "avail_L", "plat_list_L"};
constexpr std::array<const char *, 6> kHoverResetControls = {"Emu_L",     "manu_L", "plat_list_L",
                                                             "matches_L", "prog",   "Frame1T"};

} // namespace

MainLayout::MainLayout(Application &app) : m_app(app)
{
    install();
}

void MainLayout::startupStep(StartupStep step)
{
    if (step == StartupStep::Layout)
        resizeLayout();
}

void MainLayout::install()
{
    m_app.form1().setMinimumSize(minimumWidth(), minimumHeight());
    m_app.form1().onResize = [this] { resizeLayout(); };
    auto &splitter = ctl("Dragger_T");
    splitter.onMouseDown = [this](const MouseEvent &e) { splitterPress(e); };
    splitter.onMouseMove = [this](const MouseEvent &e) { splitterDrag(e); };
    for (const char *name : kHoverResetControls)
        chainHoverReset(ctl(name));
    auto previous = m_app.form1().onMouseMove;
    m_app.form1().onMouseMove = [this, previous](const MouseEvent &e) {
        if (previous)
            previous(e);
        hoverReset();
    };
}

void MainLayout::chainHoverReset(Control &control)
{
    // Other features may listen to the same moves; keep their handler.
    auto previous = control.onMouseMove;
    control.onMouseMove = [this, previous](const MouseEvent &e) {
        if (previous)
            previous(e);
        hoverReset();
    };
}

void MainLayout::hoverReset()
{
    m_app.feature<NavigationBar>().allButtonsNormal();
}

Control &MainLayout::ctl(const std::string &name)
{
    return m_app.control(name);
}

Control &MainLayout::bar(int k)
{
    return ctl("Image2(" + std::to_string(k) + ")");
}

float MainLayout::buttonsRight()
{
    float right = 0;
    for (int k = 0; k < 6; ++k)
        right = std::max(right, bar(k).left() + bar(k).width());
    return right;
}

float MainLayout::minimumWidth()
{
    // Columns wide enough for the top strip (caption, count and filter side by side) and for
    // a ROM search box beside the navigation buttons.
    const float strip = std::max(ctl("ext1_C").width() + ctl("romc_T").width(),
                                 ctl("wikic_T").width()) + kLeastCaptionRoom;
    const float search = (buttonsRight() + kLeastSearchWidth - kMargin) / 4;
    return 6 * std::max(strip, search) + 3 * kMargin;
}

float MainLayout::minimumHeight()
{
    return ctl("Browser").top() + ctl("StatusBar1").height() + kPaneGapAfterResize
           + kLeastPaneHeight;
}

float MainLayout::columnWidth()
{
    return (m_app.form1().width() - 3 * kMargin) / 6;
}

void MainLayout::resizeLayout()
{
    auto &form = m_app.form1();
    auto &browser = ctl("Browser");
    (void)browser.setWidth(form.clientWidth() - browser.left() - kMargin);
    placeBottomLeft();
    const float c = columnWidth();
    for (int k = 0; k < int(kColumns.size()); ++k)
        placeColumn(k, c);
    placeRomSearch();
    placeBar(false);
    const float meterTop = bar(2).top() + bar(2).height();
    ctl("prog").setTop(meterTop);
    ctl("matches_L").setTop(meterTop);
    placeTitleSearch();
    auto &titles = ctl("avail_L");
    auto &address = ctl("matches_L");
    (void)address.setWidth(titles.left() + titles.width() - address.left());
    placeSplitterBelowMeter();
    placeSettingsFrame();
    placeExtensionFilter();
    placeCounts();
    placeCaptionRooms();
    placeBarCaptions();
    (void)browser.setHeight(form.height() - browser.top() - ctl("StatusBar1").height() -
                            kPaneGapAfterResize);
}

void MainLayout::placeAfterSetChange()
{
    const float c = columnWidth();
    placeColumn(0, c);
    placeBar(true);
    ctl("matches_L").setTop(bar(2).top() + bar(2).height());
    placeSplitterBelowMeter();
    placeSettingsFrame();
    placeColumn(4, c);
    placeColumn(5, c);
    placeTitleSearch();
    placeExtensionFilter();
    placeCaptionRooms();
    placeBarCaptions();
}

void MainLayout::placeBottomLeft()
{
    const float h = m_app.form1().height();
    auto &version = ctl("Label_T(4)");
    auto &logo = ctl("Image1");
    version.setLeft(kMargin);
    version.setTop(h - version.height() - logo.height() - kBottomGroupGap);
    logo.setLeft(kMargin);
    logo.setTop(h - logo.height() - kBottomGroupGap);
}

void MainLayout::placeColumn(int k, float c)
{
    auto &column = ctl(kColumns[size_t(k)]);
    const float left = k == 0 ? kMargin : ctl(kColumns[size_t(k - 1)]).left() + c;
    column.setLeft(left);
    ctl("Emulators_T(" + std::to_string(k) + ")").setLeft(left);
    (void)column.setWidth(c);
    if (k > 0)
        column.setTop(kListsTop);
}

void MainLayout::placeRomSearch()
{
    auto &roms = ctl("Flist_L");
    auto &search = ctl("Text1_I");
    search.setTop(roms.top() + roms.height());
    // In a narrow window the column reaches under the navigation buttons: the box starts
    // after them so that it never covers one.
    const float left = std::max(roms.left(), buttonsRight());
    search.setLeft(left);
    (void)search.setWidth(roms.left() + roms.width() - left);
}

void MainLayout::placeCaptionRooms()
{
    // Each caption's box ends where the next thing of the top strip begins; the window shows
    // its text in a smaller type when it needs to, so that no two texts run into each other.
    for (int k = 0; k < int(kColumns.size()); ++k) {
        auto &caption = ctl("Emulators_T(" + std::to_string(k) + ")");
        const auto &column = ctl(kColumns[size_t(k)]);
        float end = column.left() + column.width();
        if (k == 3)
            end = ctl("romc_T").left();
        else if (k == 5)
            end = ctl("wikic_T").left();
        (void)caption.setWidth(end - caption.left());
    }
}

void MainLayout::placeTitleSearch()
{
    auto &titles = ctl("avail_L");
    auto &search = ctl("available_I");
    search.setTop(titles.top() + titles.height());
    (void)search.setWidth(titles.width());
    search.setLeft(titles.left());
}

void MainLayout::placeBar(bool saveBeforeColours)
{
    auto &settings = bar(4);
    if (saveBeforeColours)
        settings.setLeft(kMargin);
    const float l = settings.left();
    const float w = settings.width();
    // Left to right after the settings button.
    const std::array<int, 6> order = saveBeforeColours ? std::array<int, 6>{5, 3, 1, 0, 2, 6}
                                                       : std::array<int, 6>{3, 5, 1, 0, 2, 6};
    for (size_t p = 0; p < order.size(); ++p)
        bar(order[p]).setLeft(l + float(p + 1) * w);
    auto &strip = bar(6);
    const float stripWidth = m_app.form1().width() - strip.left() - kBarRightGap;
    if (!saveBeforeColours || stripWidth > 0)
        (void)strip.setWidth(stripWidth);
    (void)strip.setHeight(bar(3).height());
}

void MainLayout::placeBarCaptions()
{
    // "Best match" sits on the bar picture, just above the address box it names.
    auto &strip = bar(6);
    auto &caption = ctl("Label_T(5)");
    // Beside the ROM search box when a narrow window puts that box where the caption goes.
    auto &search = ctl("Text1_I");
    float left = strip.left() + kMargin;
    if (search.left() < left + caption.width() && search.left() + search.width() > left)
        left = search.left() + search.width() + kMargin;
    caption.setLeft(left);
    caption.setTop(strip.top() + strip.height() - caption.height());
    placeHint();
}

void MainLayout::placeHint()
{
    // The hint takes the widest stretch of the bar picture that nothing else covers, so that
    // no search box hides it at any window size.
    auto &strip = bar(6);
    std::vector<std::pair<float, float>> covered;
    for (const char *name : {"Label_T(5)", "Text1_I", "available_I"}) {
        const auto &control = ctl(name);
        covered.emplace_back(control.left(), control.left() + control.width());
    }
    std::sort(covered.begin(), covered.end());
    const float end = strip.left() + strip.width();
    float from = strip.left();
    float bestLeft = from;
    float bestWidth = 0;
    const auto consider = [&](float to) {
        if (std::min(to, end) - from > bestWidth) {
            bestLeft = from;
            bestWidth = std::min(to, end) - from;
        }
    };
    for (const auto &[left, right] : covered) {
        consider(left);
        from = std::max(from, right);
    }
    consider(end);
    auto &hint = ctl("m_M");
    hint.setLeft(bestLeft + kMargin / 2);
    hint.setTop(strip.top() + (strip.height() - hint.height()) / 2);
    (void)hint.setWidth(std::max(0.0F, bestWidth - kMargin));
}

void MainLayout::placeSplitterBelowMeter()
{
    auto &meter = ctl("prog");
    auto &splitter = ctl("Dragger_T");
    splitter.setTop(meter.top() + meter.height());
    (void)splitter.setWidth(ctl("Browser").width());
}

void MainLayout::placeSettingsFrame()
{
    auto &frame = ctl("Frame1T");
    frame.setTop(ctl("Dragger_T").top() + kFrameGap);
    frame.setLeft(m_app.form1().width() / 2 - frame.width() / 2);
}

void MainLayout::placeExtensionFilter()
{
    auto &roms = ctl("Flist_L");
    auto &filter = ctl("ext1_C");
    filter.setTop(0);
    filter.setLeft(roms.left() + roms.width() - filter.width());
}

void MainLayout::placeCounts()
{
    auto &romCount = ctl("romc_T");
    romCount.setLeft(ctl("ext1_C").left() - romCount.width());
    auto &titles = ctl("avail_L");
    auto &titleCount = ctl("wikic_T");
    titleCount.setLeft(titles.left() + titles.width() - titleCount.width());
}

void MainLayout::splitterPress(const MouseEvent &e)
{
    m_dragStartY = e.y;
}

void MainLayout::splitterDrag(const MouseEvent &e)
{
    hoverReset();
    if (e.button != LeftButton)
        return;
    const float top = ctl("Dragger_T").top() + e.y - m_dragStartY;
    const double h = m_app.form1().height();
    if (!(top > kSplitterLow * h && top < kSplitterHigh * h))
        return;
    moveSplitterTo(top);
}

void MainLayout::moveSplitterTo(float top)
{
    const float h = m_app.form1().height();
    auto &splitter = ctl("Dragger_T");
    splitter.setTop(top);
    auto &browser = ctl("Browser");
    browser.setTop(splitter.top() + splitter.height());
    if (h - browser.top() - kPaneGapAfterDrag > 0)
        (void)browser.setHeight(h - browser.top() - kPaneGapAfterDrag);
    ctl("Frame1T").setTop(splitter.top() + kFrameGap);
    auto &meter = ctl("prog");
    auto &address = ctl("matches_L");
    meter.setTop(splitter.top() - meter.height());
    address.setTop(splitter.top() - address.height());
    const float barTop = address.top() - bar(2).height();
    for (int k = 0; k <= 6; ++k)
        bar(k).setTop(barTop);
    (void)bar(6).setHeight(bar(3).height());
    ctl("Text1_I").setTop(bar(0).top());
    ctl("available_I").setTop(bar(0).top());
    placeBarCaptions();
    const float listHeight = bar(2).top() - kListsTop;
    if (listHeight > 0) {
        for (const char *name : kDragHeightOrder)
            (void)ctl(name).setHeight(listHeight);
    }
}

} // namespace kestrova
