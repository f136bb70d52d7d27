#include "roms/favourites.h"

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/list_box.h"
#include "platform/text_codec.h"

#include <algorithm>

namespace kestrova {

namespace {
// The last favourite slot stays empty.
constexpr int kFavouriteLimit = kFavouriteSlots - 1;
} // namespace

Favourites::Favourites(Application &app) : m_app(app)
{
    m_app.listBox("Flist_L").onMouseDown = [this](const MouseEvent &e) {
        if (e.button != LeftButton)
            addSelectedRom();
    };
    auto &favourites = m_app.listBox("FavList_L");
    favourites.onMouseDown = [this](const MouseEvent &e) {
        if (e.button != LeftButton)
            removeSelectedFavourite();
    };
    favourites.onClick = [&favourites] { favourites.setToolTip(favourites.text()); };
}

PlatformRec *Favourites::selectedPlatform()
{
    const int m = m_app.listBox("manu_L").listIndex();
    const int p = m_app.listBox("plat_list_L").listIndex();
    if (m < 0 || m >= kManufacturerSlots || p < 0 || p >= kPlatformSlots)
        return nullptr;
    return &m_app.catalog().Man[m].Plat[p];
}

void Favourites::addSelectedRom()
{
    PlatformRec *platform = selectedPlatform();
    if (!platform)
        return;
    auto &favourites = m_app.listBox("FavList_L");
    if (favourites.count() >= kFavouriteLimit) {
        m_app.dialogs().messageBox("A maximum of 200 favorites per platform is supported.",
                                   MessageButtons::Ok, MessageIcon::None, "");
        return;
    }
    const std::string name = m_app.listBox("Flist_L").text();
    if (name.empty())
        return;
    if (hasLineBreak(name)) {
        m_app.dialogs().messageBox(
            "This file name contains a line break and cannot be kept as a favourite.",
            MessageButtons::Ok, MessageIcon::Exclamation, "");
        return;
    }
    favourites.addItem(name);
    platform->Fav[favourites.count() - 1] = name;
    platform->LastFav = std::int16_t(std::min(platform->LastFav + 1, kFavouriteLimit));
    favourites.setListIndex(favourites.count() - 1);
}

void Favourites::removeSelectedFavourite()
{
    auto &favourites = m_app.listBox("FavList_L");
    const int i = favourites.listIndex();
    PlatformRec *platform = selectedPlatform();
    if (i == -1 || !platform)
        return;
    favourites.removeItem(i);
    const int last = std::min<int>(platform->LastFav, kFavouriteLimit);
    if (i <= last) {
        for (int k = i; k < last; ++k)
            platform->Fav[k] = platform->Fav[k + 1];
        platform->Fav[last].clear();
        platform->LastFav = std::int16_t(last - 1);
    }
    if (favourites.count() > 0)
        favourites.setListIndex(std::max(i - 1, 0));
}

} // namespace kestrova
