// Angle units and their conversion, with the engine's own value of pi.
#pragma once

// The engine's pi: every angle of the intersection is computed with it.
constexpr double PI_GRECO = 3.14159265;
// Half of it: the default of the style's angles.
constexpr double MEZZO_PI_GRECO = 1.570796325;

// Angle unit codes.
enum UnitaAngolo {
    UNITA_GRADI_DECIMALI = 0,  // "[deg]"
    UNITA_GRADI_CENTESIMALI = 1,  // "[grad]"
    UNITA_RADIANTI = 2,  // "[rad]"
    UNITA_GRADI_MINUTI_SECONDI = 3,  // "[dms]": shown, never converted
    UNITA_TOPOGRAFICHE = 4  // known by name only
};

// Converts the value in place between decimal degrees, grads and radians; any
// other pair of codes (equal codes, 3 or 4 on either side) leaves it as it is.
void ConvertiAngolo(double& valore, int da, int a);
