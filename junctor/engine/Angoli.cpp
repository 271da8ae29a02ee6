#include "Angoli.h"

void ConvertiAngolo(double& valore, int da, int a) {
    // One multiplication, then one division: the stored values depend on the order.
    if (da == UNITA_GRADI_DECIMALI && a == UNITA_GRADI_CENTESIMALI) {
        valore = valore * 200.0 / 180.0;
    } else if (da == UNITA_GRADI_DECIMALI && a == UNITA_RADIANTI) {
        valore = valore * PI_GRECO / 180.0;
    } else if (da == UNITA_GRADI_CENTESIMALI && a == UNITA_GRADI_DECIMALI) {
        valore = valore * 180.0 / 200.0;
    } else if (da == UNITA_GRADI_CENTESIMALI && a == UNITA_RADIANTI) {
        valore = valore * PI_GRECO / 200.0;
    } else if (da == UNITA_RADIANTI && a == UNITA_GRADI_DECIMALI) {
        valore = valore * 180.0 / PI_GRECO;
    } else if (da == UNITA_RADIANTI && a == UNITA_GRADI_CENTESIMALI) {
        valore = valore * 200.0 / PI_GRECO;
    }
}
