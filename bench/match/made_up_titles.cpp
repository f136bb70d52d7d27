#include "made_up_titles.h"

#include "reference/title_matcher.h"

#include <array>
#include <random>

namespace kestrova::bench {

namespace {

const std::vector<std::string> kAdjectives = {
    "Super",   "Mega",   "Ultra",  "Hyper",   "Dark",   "Crystal",  "Iron",
    "Shadow",  "Golden", "Lost",   "Royal",   "Cosmic", "Turbo",    "Atomic",
    "Silent",  "Wild",   "Final",  "Eternal", "Savage", "Neon",     "Frozen",
    "Burning", "Mystic", "Little", "Mighty",  "Secret", "Electric", "Twin"};
const std::vector<std::string> kNouns = {
    "Quest",   "Racer",    "Blade",   "Knight",   "Dragon",  "Castle", "Galaxy",   "Warrior",
    "Fighter", "Saga",     "Legend",  "Hunter",   "Kingdom", "Island", "Runner",   "Tower",
    "Empire",  "Squadron", "Pinball", "Golf",     "Hockey",  "Soccer", "Baseball", "Tennis",
    "Bowling", "Rally",    "Derby",   "Commando", "Ninja",   "Wizard", "Pirates",  "Robots",
    "Tanks",   "Caves",    "Dungeon", "Rescue"};
const std::vector<std::string> kSyllables = {"zor", "ka",  "li",  "mor", "bren", "na",  "vath",
                                             "qui", "tes", "dra", "gon", "ul",   "phe", "ix",
                                             "ran", "tho", "sel", "mi",  "ba",   "rok"};
const std::vector<std::string> kNumbers = {"2",   "3",    "II",     "III",  "IV",   "64",
                                           "'94", "2000", "Deluxe", "Plus", "Gold", "Special"};
const std::vector<std::string> kMakers = {"Made-up Soft", "Pixelworks",         "Bluebird Games",
                                          "Northwind",    "Kettle Interactive", "Orbital Arts"};

class Picker
{
public:
    explicit Picker(unsigned seed) : m_rng(seed) {}

    size_t below(size_t bound)
    {
        return std::uniform_int_distribution<size_t>(0, bound - 1)(m_rng);
    }
    const std::string &from(const std::vector<std::string> &words)
    {
        return words[below(words.size())];
    }

    std::string name()
    {
        std::string out;
        const size_t parts = 2 + below(2);
        for (size_t i = 0; i < parts; ++i)
            out += from(kSyllables);
        out[0] = char(out[0] - 'a' + 'A');
        return out;
    }

    std::string title()
    {
        switch (below(8)) {
        case 7:
            return name() + " " + from(kNouns) + ": The " + from(kAdjectives) + " " + from(kNouns) +
                   " of " + name();
        case 0:
            return from(kAdjectives) + " " + from(kNouns);
        case 1:
            return from(kAdjectives) + " " + from(kNouns) + " " + from(kNumbers);
        case 2:
            return name() + ": " + "The " + from(kAdjectives) + " " + from(kNouns);
        case 3:
            return "The " + from(kNouns) + " of " + name();
        case 4:
            return name() + " " + from(kNouns) + " " + from(kNumbers);
        case 5:
            return "Pro " + from(kNouns) + " '" + std::to_string(80 + below(20));
        default:
            return from(kAdjectives) + " " + name() + " " + from(kNouns);
        }
    }

private:
    std::mt19937 m_rng;
};

std::string linkOf(const std::string &title)
{
    std::string link;
    for (char c : title)
        link += c == ' ' ? '_' : c;
    return link;
}

} // namespace

std::vector<std::string> madeUpTitles(size_t count, unsigned seed)
{
    Picker picker(seed);
    std::vector<std::string> titles;
    titles.reserve(count);
    for (size_t i = 0; i < count; ++i)
        titles.push_back(picker.title());
    return titles;
}

std::string madeUpListPage(const std::vector<std::string> &titles)
{
    Picker picker(7);
    std::string page = "List of Sample Console games\r\nFrom the free encyclopedia\r\n"
                       "Contents 0-9 A B C D E\r\n\r\n0-9\r\n";
    for (size_t i = 0; i < titles.size(); ++i) {
        if (i % 250 == 249)
            page += "\r\nSection " + std::to_string(i / 250) + " [edit]\r\n\r\n";
        const std::string year = std::to_string(1980 + picker.below(20));
        const std::string tail = "> (" + year + ", " + picker.from(kMakers) + ")\r\n";
        if (i % 40 == 17) {
            page += "*" + titles[i] + "\r\n<wiki/" + linkOf(titles[i]) + tail;
        } else if (i % 25 == 3) {
            page += "*" + titles[i] + " <w/index.php?title=" + linkOf(titles[i]) + "&action=edit" +
                    tail;
        } else {
            page += "*" + titles[i] + "<wiki/" + linkOf(titles[i]) + tail;
        }
    }
    page += "\r\nRetrieved from \"the encyclopedia\"\r\nCategories: Games\r\n";
    return page;
}

std::string madeUpRomName(const std::vector<std::string> &titles, size_t length, unsigned seed)
{
    // The longest of a few titles that fits, as a ROM set would name the game, then tags.
    Picker picker(seed);
    std::string name;
    for (int tries = 0; tries < 300; ++tries) {
        const std::string &title = titles[picker.below(titles.size())];
        const size_t size = normaliseRomName(title).size();
        if (size <= length && size > normaliseRomName(name).size())
            name = title;
    }
    static const std::array<const char *, 6> kExtras = {
        "Special Edition", "Disc 2", "Rev 1", "Hack", "Directors Cut", "Beta 3"};
    while (normaliseRomName(name).size() < length)
        name += std::string(" ") + kExtras[picker.below(kExtras.size())];
    while (normaliseRomName(name).size() > length)
        name.pop_back();
    return name;
}

} // namespace kestrova::bench
