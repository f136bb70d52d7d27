#include "platform/qt/qt_convert.h"

#include <QApplication>

namespace kestrova {

namespace {

// Windows system colour indices and the palette roles that mean the same thing.
QPalette::ColorRole roleForSystemColor(int index)
{
    switch (index) {
    case 4: return QPalette::Window;           // menu bar
    case 5: return QPalette::Base;             // window background
    case 7: return QPalette::WindowText;       // menu text
    case 8: return QPalette::Text;             // window text
    case 9: return QPalette::HighlightedText;  // caption text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;          // button face
    case 16: return QPalette::Mid;             // button shadow
    case 17: return QPalette::PlaceholderText; // grey text
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;           // button highlight
    case 21: return QPalette::Shadow;
    case 22: return QPalette::Midlight;
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    case 2: return QPalette::Highlight;        // active caption
    case 3: return QPalette::Mid;              // inactive caption
    case 12: return QPalette::Dark;            // application workspace
    default: return QPalette::Window;
    }
}

} // namespace

QColor toQColor(Color color)
{
    if (isSystemColor(color))
        return QApplication::palette().color(roleForSystemColor(systemColorIndex(color)));
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

Color fromQColor(const QColor &color)
{
    return rgb(color.red(), color.green(), color.blue());
}

} // namespace kestrova
