// Conversions between the host's object ids and the suite's handles.
#pragma once

#include "AcDbObjectId.h"
#include "ZylHandles.h"

class CAcadConvert {
public:
    // The table-record handle of an object id (a block, a layer ...); a null
    // id gives a null handle.
    static ZylTableRecordID ToZylTableRecordID(AcDbObjectId id);
};
