#include "PuntoCiglio.h"

#include "Inoltro.h"

PuntoCiglio::PuntoCiglio(ICPuntoCiglio* obj) : QvObjectMgd(obj) {}

ICPuntoCiglio* PuntoCiglio::getPtr() { return static_cast<ICPuntoCiglio*>(_qvObj); }

GF_METODI_PUNTOCIGLIO(GF_CORPO_N, GF_NIENTE, GF_NIENTE)
