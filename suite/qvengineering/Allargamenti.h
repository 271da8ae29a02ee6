// Widening of a carriageway along a transition.
#pragma once

// The widening at a chainage of a transition from start to end (start may
// lie after end): the full widening at the start, the final widening at the
// end, in between two parabolas that meet at half length, so that the edge
// leaves and joins its lines tangentially. Outside the transition the
// nearer end's value holds. Written to *allargamento (may be null) and
// returned. The last four arguments are not used (the callers pass 1, 0, 0, 0).
double CalcAllargamentiCNR_V2(double allargamentoTotale, double allargamentoFinale, double progInizio,
                              double progFine, double prog, double* allargamento, int regola, double riservato1,
                              double riservato2, double riservato3);
