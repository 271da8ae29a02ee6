// What a section line between two edges looks like: the line coloured by its
// cross fall, the arrow barb at its lower end and the label of the fall.
#pragma once

#include "CDato.h"

struct LineaSezione {
    int colore = 0;                 // 3 within the slope bounds, else 1
    double linea[2][3] = {};        // from the first edge's point to the second's
    double barba[2][3] = {};        // from the lower end inwards, on the right of the downhill direction
    double posizioneTesto[3] = {};  // one sixth of the length from the lower end
    double rotazioneTesto = 0.0;    // reads from the lower end upwards
    double altezzaTesto = 0.0;      // plan length / 25
    CString testo;                  // |slope x 100| with three decimals, a blank and "%"

    // The section from a = (x1, y1, z1) to b = (x3, y3, zB); false when the
    // two coincide in plan (nothing is drawn).
    bool calcola(const double a[3], const double b[3], double pendMin, double pendMax);
};
