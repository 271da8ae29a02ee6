// Conversions between managed and native entity data.
#pragma once

#include <memory>

#include "CADDatoArray.h"
#include "CADDatoArrayMgd.h"
#include "IEntityIDMgd.h"
#include "ZylEntityID.h"

class CADConvertMgd {
public:
    // The native entity of a managed id in the current drawing (none for
    // null or an unknown handle).
    static void FromMgd(const std::shared_ptr<IEntityIDMgd>& idMgd, ZylEntityID& id);
    // Appends the native entries to the managed array.
    static void ToMgd(const CADDatoArray& dati, CADDatoArrayMgd& datiMgd);
};
