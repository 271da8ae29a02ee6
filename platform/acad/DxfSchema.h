// Which group codes each entity kind keeps, grouped by the subclass they are
// written under.
#pragma once

#include <vector>

class AcDbObject;

namespace vplat {

struct DxfSubclass {
    const char* marker;
    std::vector<int> codes;
};

// The subclasses after AcDbEntity of an entity, or null for a non-entity.
const std::vector<DxfSubclass>* EntitySchema(const AcDbObject* o);
// Codes of the AcDbEntity part that are kept.
const std::vector<int>& CommonEntityCodes();
bool SchemaKeeps(const AcDbObject* o, int code);
// The same for the schema of an object already looked up.
bool SchemaKeeps(const std::vector<DxfSubclass>* schema, int code);

}  // namespace vplat
