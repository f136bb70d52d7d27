#pragma once

#include "platform/color.h"

#include <QColor>
#include <QPalette>
#include <QString>
#include <string>

namespace kestrova {

constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(float twips)
{
    return int(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5));
}
inline float pixelsToTwips(double pixels)
{
    return float(pixels * kTwipsPerPixel);
}
inline QString toQString(const std::string &utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
inline std::string fromQString(const QString &text)
{
    return text.toUtf8().toStdString();
}

/// A scheme colour as the toolkit draws it; system colours come from the application palette.
QColor toQColor(Color color);
/// The colour as scheme files store it.
Color fromQColor(const QColor &color);

} // namespace kestrova
