// Selection sets and picks: the whole drawing by filter ("X"), or what the
// person selects, answered from the input script by entity handle.
#pragma once

#include "AcDbAds.h"

// Modes "X"/"_X": every entity of model space and of the layouts that passes
// the filter, in creation order; no mode (null or ""): the person's selection
// (script line "select"). RTNORM with a set, RTERROR when nothing is selected,
// RTCAN when the person cancels.
int acedSSGet(const ACHAR* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss);
int acedSSLength(const ads_name ss, Adesk::Int32* len);
int acedSSName(const ads_name ss, Adesk::Int32 i, ads_name entres);
int acedSSFree(const ads_name ss);
int acedSSAdd(const ads_name ename, const ads_name ss, ads_name result);
// One pick (script line "entsel HANDLE [x,y[,z]]"): RTNORM with the entity and
// the pick point, RTERROR for a pick that hits nothing or Enter, RTCAN on cancel.
int acedEntSel(const ACHAR* prompt, ads_name entres, ads_point ptres);

namespace vplat {
// Selection sets not yet freed (tests check that commands free theirs).
int OpenSelectionSets();
// Whole-drawing selections answered from the drawing's indexes (the
// default) or by walking every entity (tests compare the two).
void UseSelectionIndexes(bool use);
// Whether the entity passes a selection filter.
bool PassesFilter(const AcDbEntity* e, const resbuf* filter);
}  // namespace vplat
