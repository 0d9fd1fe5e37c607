// The least cover of an underground tank: ground level less foundation level
// at least 1.1 times the tank's outer diameter.
#pragma once

// The least cover (m) of a tank of outer diameter Dz (mm).
constexpr double TankLeastCover(double outerDiameter)
{
    return outerDiameter * 11 / 10000;
}

// A cover (m) short of the least by more than the tolerance (m). Levels typed
// into the page have two decimals, so the page lets a cover be short by up to
// a centimetre; a level dragged in the picture is held to the least exactly.
constexpr bool TankCoverShort(double cover, double outerDiameter, double tolerance)
{
    return cover < TankLeastCover(outerDiameter) - tolerance;
}
