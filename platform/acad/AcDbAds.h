// Entity names of the utility interface: the bridge between ads names,
// object ids and result-buffer lists of an entity's data.
#pragma once

#include "AcDbDatabase.h"
#include "AdsDef.h"

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name);
Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id);
// The entity's data as a list: (-1 name) (0 kind) (330 owner) (5 handle), then
// its groups; null for an unknown or erased entity. Released with acutRelRb.
resbuf* acdbEntGet(const ads_name ent);
// The same, followed by (-3) and the extended data of the applications named
// in `apps` (texts; "*" for every application).
resbuf* acdbEntGetX(const ads_name ent, const resbuf* apps);
// Erases the entity, or brings an erased one back.
int acdbEntDel(const ads_name ent);
// Registers an application in the working drawing: RTNORM when it is newly
// registered, RTERROR when it was already there or the name is not valid.
int acdbRegApp(const ACHAR* appName);
int acdbHandEnt(const ACHAR* handle, ads_name entres);
inline void ads_name_set(const ads_name from, ads_name to) {
    to[0] = from[0];
    to[1] = from[1];
}
inline void ads_name_clear(ads_name n) { n[0] = n[1] = 0; }
inline bool ads_name_nil(const ads_name n) { return n[0] == 0 && n[1] == 0; }
inline bool ads_name_equal(const ads_name a, const ads_name b) { return a[0] == b[0] && a[1] == b[1]; }

double acutDistance(const ads_point p1, const ads_point p2);
double acutAngle(const ads_point p1, const ads_point p2);
int acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point ptres);

namespace vplat {
// Whether the database is alive (names carry a database and a handle).
bool IsLiveDatabase(const AcDbDatabase* db);
void RegisterDatabase(const AcDbDatabase* db, bool alive);
// An entity's data as group-code tags, in the order acdbEntGet gives them
// (structure first, then subclass markers and groups); for the suite's
// services and the dump.
DxfTags EntityGroups(const AcDbEntity* e);
// Name wildcards of the platform (*, ?, #, @, ., ~, comma, `), case ignored.
bool WildcardMatch(const std::wstring& pattern, std::wstring_view name);
}  // namespace vplat
