// Handles of the drawing's entities, as values: a default handle means none.
// Properties move in CADDatoArray form by group code: 10 a point (a circle's
// centre, a reference's insertion point) or, for a polyline, a nested array
// of its vertices keyed 0, 1, 2 ...; 40 a radius; 42 a nested array of the
// bulges keyed the same way; -3 a nested array of the extended data of every
// application, each from its 1001 item.
#pragma once

#include <string>

#include "CADDatoArray.h"
#include "ZylGe.h"
#include "ZylHandles.h"

// Entity kinds.
#define ZYL_LINEA 10020
#define ZYL_POLILINEA_2D 10022
#define ZYL_POLILINEA_3D 10023
#define ZYL_FACCIA_3D 10024
#define ZYL_TESTO 10025
#define ZYL_CERCHIO 10028
#define ZYL_RIFERIMENTO_BLOCCO 10030
#define ZYL_DEFINIZIONE_ATTRIBUTO 10031

class ZylEntityID {
public:
    ZylEntityID() = default;
    explicit ZylEntityID(AcDbObjectId id) : m_id(id) {}
    // The entity of that handle text in the drawing (default: the current
    // one); none when there is no such entity.
    ZylEntityID(const wchar_t* handle, const ZylDatabase& db);

    bool IsNull() const { return m_id.isNull(); }
    AcDbObjectId GetObjectId() const { return m_id; }
    // The entity is in its drawing and not erased.
    bool IsVivo() const;
    ZylDatabase GetDatabase() const { return ZylDatabase(m_id.database()); }

    // The entity's kind (ZYL_ codes), 0 for none or a kind without code.
    int GetTipo() const;
    // Replaces each request entry (a code alone) of the array by the value
    // that code names; 1 when every request was answered, 0 when the entity
    // is not alive or lacks one (that request stays as it was).
    int GetDati(CADDatoArray& dati) const;
    // Appends the extended data of every application; non-zero when there is any.
    int GetDatiEstesi(CADDatoArray& dati) const;
    // Each 1001 item starts an application whose items are replaced (the
    // application is registered first); 1 when set.
    int SetDatiEstesi(const CADDatoArray& dati);
    // Hexadecimal, as the drawing writes it; empty for none.
    std::wstring GetHandle() const;
    // 1 with the corners of the box the entity covers.
    int GetEstensione(Zyl_GePoint3d& minimo, Zyl_GePoint3d& massimo) const;
    // The block record that holds the entity (model space, a layout or a
    // block definition); none when the entity is not alive.
    ZylBlockID GetProprietario() const;

protected:
    AcDbObjectId m_id;
};

class ZylPolylineID : public ZylEntityID {
public:
    ZylPolylineID() = default;
    explicit ZylPolylineID(AcDbObjectId id) : ZylEntityID(id) {}
    explicit ZylPolylineID(const ZylEntityID& e) : ZylEntityID(e) {}
    // The vertices (10) and bulges (42, 0 for a 3D polyline), as nested-array
    // content keyed 0, 1, 2 ...; 1 for a live polyline.
    int GetVertici(CADDatoArray& vertici, CADDatoArray& bulge) const;
};

class ZylBlockRefID : public ZylEntityID {
public:
    ZylBlockRefID() = default;
    explicit ZylBlockRefID(AcDbObjectId id) : ZylEntityID(id) {}
    explicit ZylBlockRefID(const ZylEntityID& e) : ZylEntityID(e) {}
    // Replaces the properties the array holds: 10 insertion point, 50
    // rotation (radians), 8 layer (made when missing), -3 extended data;
    // 1 when all were set.
    int SetDati(const CADDatoArray& dati);
    // The block definition the reference points at.
    ZylBlockID GetBlocco() const;
    // Points the reference at another block definition of its drawing; 1
    // when done.
    int SetBlocco(const ZylBlockID& blocco);
    // The reference's attributes as two parallel nested arrays, keyed 0, 1,
    // 2 ... in the reference's order: 2 the tags, 1 the texts. 1 for a live
    // reference (with or without attributes), 0 otherwise.
    int GetAttributi(CADDatoArray& attributi) const;
    // Writes the texts of the nested array 1 into the attributes whose tag
    // stands at the same key of the nested array 2 (every attribute of that
    // tag). 1 when done, 0 for a reference that cannot be opened or arrays
    // that do not pair up.
    int SetAttributi(const CADDatoArray& attributi);
};
