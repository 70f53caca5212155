#pragma once

namespace dezenario {

// Twips, the one unit of length of the window's layout and of the slip: 1440 to the inch.
inline constexpr double TwipsPerInch = 1440;
inline constexpr double MillimetresPerInch = 25.4;
inline constexpr double TwipsPerMillimetre = TwipsPerInch / MillimetresPerInch;

constexpr double twipsOfMillimetres(double mm)
{
    return mm * TwipsPerMillimetre;
}
constexpr double millimetresOfTwips(double twips)
{
    return twips / TwipsPerMillimetre;
}

} // namespace dezenario
