#include "DatiEstesi.h"

resbuf* mio_assoc(resbuf* catena, int codice) {
    for (resbuf* rb = catena; rb; rb = rb->rbnext)
        if (rb->restype == codice) return rb;
    return nullptr;
}
