#include "CAcadConvert.h"

ZylTableRecordID CAcadConvert::ToZylTableRecordID(AcDbObjectId id) { return ZylTableRecordID(id); }
