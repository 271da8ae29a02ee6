// The suite's services over the drawing: tables (layers and blocks),
// entities and general services.
#pragma once

#include "CADDatoArray.h"
#include "IEntityUtils.h"
#include "IGeneralUtils.h"
#include "ZylHandles.h"

// Table kinds.
#define ZYL_TABELLA_LAYER 10051
#define ZYL_TABELLA_BLOCCHI 10053
// Layer flags set through the table services: frozen, off, locked.
#define ZYL_LAYER_CONGELATO 10207
#define ZYL_LAYER_SPENTO 10208
#define ZYL_LAYER_BLOCCATO 10209

class ITableUtils {
public:
    virtual ~ITableUtils() = default;
    // Non-zero when a record of that name is in the table.
    virtual int CercaRecord(int tipoTabella, const wchar_t* nome, ZylTableRecordID& record,
                            const ZylDatabase& db = ZylDatabase()) = 0;
    // 1 when the record was created with its properties (layers: 62 colour and
    // the flags 10207 to 10209; blocks: 10 base point). A block named "*X" is
    // anonymous and gets a name of its own.
    virtual int CreaRecord(int tipoTabella, const wchar_t* nome, const CADDatoArray& proprieta,
                           ZylTableRecordID& record, const ZylDatabase& db = ZylDatabase()) = 0;
    virtual int CercaLayer(const wchar_t* nome, ZylLayerID& layer, const ZylDatabase& db = ZylDatabase()) = 0;
    // Sets one of the flags 10207 to 10209 on (non-zero) or off; 1 when done.
    virtual int SetFlagLayer(const ZylLayerID& layer, int flag, int valore) = 0;
    virtual int CreaLayer(const wchar_t* nome, const CADDatoArray& proprieta, ZylLayerID& layer,
                          const ZylDatabase& db = ZylDatabase()) = 0;
};

namespace Ombrix {
// Process-wide, never freed.
ITableUtils* GetTableUtils();
IEntityUtils* GetEntityUtils();
IGeneralUtils* GetGeneralUtils();
}  // namespace Ombrix
