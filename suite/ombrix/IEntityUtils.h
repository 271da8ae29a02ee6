// The suite's entity services: block references, entities and polylines made
// from CADDatoArray properties, vertex changes, erasing and selection.
#pragma once

#include "CADDatoArray.h"
#include "ZylEntityID.h"

class IEntityUtils {
public:
    virtual ~IEntityUtils() = default;
    // Inserts a reference of the block into the owner block (default: the
    // current space of the block's drawing) with 10 insertion point, 50
    // rotation (radians), 8 layer, -3 extended data, and one attribute per
    // non-constant attribute definition of the block with its default text.
    // Non-zero when made; a layout's block, or a block placed inside
    // itself, is refused.
    virtual int InserisciBlocco(ZylBlockRefID& riferimento, const ZylBlockID& blocco, const CADDatoArray& proprieta,
                                const ZylBlockID& proprietario = ZylBlockID()) = 0;
    // Makes an entity of a kind in a block record: a line (10020: 10, 11), a
    // 3D face (10024: 10 to 13), a text (10025: 10, 1, 40, 50, 72, 73, 11) or
    // an attribute definition (10031: the text's codes, 2 tag, 3 prompt);
    // every kind takes 8 layer, 62 colour and -3 extended data. 1 when made.
    virtual int CreaEntita(int tipo, const CADDatoArray& proprieta, const ZylBlockID& blocco) = 0;
    // Makes a 2D (10022) or 3D (10023) polyline from 10 (nested vertices
    // keyed 0, 1, 2 ...), 42 (nested bulges, same keys), 10204 closed (1) or
    // open (0), 8 layer ("0" when
    // missing or empty; a missing layer is made) and -3 extended data, in the
    // block (default: the current space). Non-zero with its handle; 0
    // without a vertex.
    virtual int CreaPolilinea(int tipo, const CADDatoArray& proprieta, ZylPolylineID& polilinea,
                              const ZylBlockID& blocco = ZylBlockID()) = 0;
    // Replaces a polyline's vertices (10) and bulges (42); 1 when done, 0
    // for an array without a vertex.
    virtual int ModificaVertici(const ZylEntityID& polilinea, const CADDatoArray& proprieta) = 0;
    // 1 when the live entity was erased.
    virtual int Cancella(const ZylEntityID& entita) = 0;
    // Mode "X" or "_X": every live entity that passes the filter, once, in
    // creation order, appended as entity-id entries (code -1). The filter
    // holds (5020 entity type) and optionally (1001 application); without a
    // block the drawing's model space and layouts are searched. The number
    // of entities found; 0 for another mode or a filter without a type.
    virtual int Seleziona(CADDatoArray& entita, const wchar_t* modo, const CADDatoArray& filtro,
                          const ZylBlockID& blocco = ZylBlockID()) = 0;
};
