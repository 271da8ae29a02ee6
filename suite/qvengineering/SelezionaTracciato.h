// Picking an alignment in the drawing.
#pragma once

#include "AdsDef.h"
#include "Tracciati.h"

// Prompts for an alignment; the person names it (the input script's
// "tracciato" line). On a pick: its name into `nome` (at least 256
// characters), its entity into `entita`, a new record into *record (freed
// with LiberaTracciato) and a non-zero result. The two working buffers and
// the last two arguments (-1 and 1 in the callers) are not used. 0 for a
// cancel or a name no alignment bears.
int SelezionaTraEx2(ACHAR* nome, ads_name entita, ACHAR* lavoro1, ACHAR* lavoro2, const ACHAR* prompt,
                    tracciato** record, int riservato1, int riservato2);
