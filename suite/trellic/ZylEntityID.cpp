#include "ZylEntityID.h"

#include <cwchar>

#include "AcDbAds.h"
#include "DatiDisegno.h"

namespace {

// An entity opened for read or write for the length of a scope.
template <typename T = AcDbEntity>
class Aperta {
public:
    Aperta(AcDbObjectId id, AcDb::OpenMode modo) {
        if (!id.isNull() && !id.isErased() && vplat::IsLiveDatabase(id.database()))
            acdbOpenObject(m_e, id, modo);
    }
    ~Aperta() {
        if (m_e) m_e->close();
    }
    Aperta(const Aperta&) = delete;
    Aperta& operator=(const Aperta&) = delete;
    T* operator->() const { return m_e; }
    T* get() const { return m_e; }
    explicit operator bool() const { return m_e != nullptr; }

private:
    T* m_e = nullptr;
};

bool IsPolilinea(const AcDbEntity* e) {
    return AcDb2dPolyline::cast(e) || AcDb3dPolyline::cast(e) || AcDbPolyline::cast(e);
}

// The value of one requested code, appended to `out`; false when the entity
// has no such property.
bool Rispondi(const AcDbEntity* e, int codice, CADDatoArray& out) {
    if ((codice == 10 || codice == 42) && IsPolilinea(e)) {
        std::vector<vplat::PolyVertex> vertici;
        vplat::PolylineVertices(e, vertici);
        CADDatoArray annidato;
        zyl::ArrayVertici(vertici, codice == 10 ? &annidato : nullptr, codice == 42 ? &annidato : nullptr);
        out.Add(codice, annidato);
        return true;
    }
    if (codice == 10) {
        if (auto* c = AcDbCircle::cast(e)) {
            AcGePoint3d p = c->center();
            out.Add(10, p.x, p.y, p.z);
            return true;
        }
        if (auto* r = AcDbBlockReference::cast(e)) {
            AcGePoint3d p = r->position();
            out.Add(10, p.x, p.y, p.z);
            return true;
        }
    }
    if (codice == -3) {
        CADDatoArray estesi;
        zyl::LeggiDatiEstesi(e, estesi);
        out.Add(-3, estesi);
        return true;
    }
    if (codice == 8) {
        out.Add(8, e->layerName().c_str());
        return true;
    }
    const vplat::DxfTag* tag = vplat::FindTag(e->data(), codice);
    if (!tag) return false;
    // Angles (50 to 58) are kept in the file's degrees and handed out in
    // radians, as they are taken.
    if (codice >= 50 && codice <= 58 && tag->kind == vplat::DxfTag::Kind::Real) {
        out.Add(codice, vplat::RadiansOf(tag->v()[0]));
        return true;
    }
    zyl::AggiungiTag(out, *tag);
    return true;
}

}  // namespace

ZylEntityID::ZylEntityID(const wchar_t* handle, const ZylDatabase& db) { db.CercaEntita(handle, *this); }

bool ZylEntityID::IsVivo() const {
    return !m_id.isNull() && !m_id.isErased() && vplat::IsLiveDatabase(m_id.database());
}

int ZylEntityID::GetTipo() const {
    Aperta<> e(m_id, AcDb::kForRead);
    if (!e) return 0;
    if (AcDbLine::cast(e.get())) return ZYL_LINEA;
    if (AcDb2dPolyline::cast(e.get()) || AcDbPolyline::cast(e.get())) return ZYL_POLILINEA_2D;
    if (AcDb3dPolyline::cast(e.get())) return ZYL_POLILINEA_3D;
    if (AcDbFace::cast(e.get())) return ZYL_FACCIA_3D;
    if (AcDbAttributeDefinition::cast(e.get())) return ZYL_DEFINIZIONE_ATTRIBUTO;
    if (AcDbText::cast(e.get()) && !AcDbAttribute::cast(e.get())) return ZYL_TESTO;
    if (AcDbCircle::cast(e.get())) return ZYL_CERCHIO;
    if (AcDbBlockReference::cast(e.get())) return ZYL_RIFERIMENTO_BLOCCO;
    return 0;
}

int ZylEntityID::GetDati(CADDatoArray& dati) const {
    Aperta<> e(m_id, AcDb::kForRead);
    if (!e) return 0;
    CADDatoArray out;
    bool tutti = true;
    for (int i = 0; i < dati.GetCount(); ++i) {
        const auto& d = dati[i];
        if (d.GetTipo() != CADDatoArray::Richiesta || !Rispondi(e.get(), d.GetCodice(), out)) {
            tutti = tutti && d.GetTipo() != CADDatoArray::Richiesta;
            out.Add(d);
        }
    }
    dati = out;
    return tutti ? 1 : 0;
}

int ZylEntityID::GetDatiEstesi(CADDatoArray& dati) const {
    Aperta<> e(m_id, AcDb::kForRead);
    if (!e) return 0;
    int prima = dati.GetCount();
    zyl::LeggiDatiEstesi(e.get(), dati);
    return dati.GetCount() > prima ? 1 : 0;
}

int ZylEntityID::SetDatiEstesi(const CADDatoArray& dati) {
    Aperta<> e(m_id, AcDb::kForWrite);
    return e && zyl::ScriviDatiEstesi(e.get(), dati) ? 1 : 0;
}

std::wstring ZylEntityID::GetHandle() const { return m_id.isNull() ? std::wstring() : m_id.handle().text(); }

int ZylEntityID::GetEstensione(Zyl_GePoint3d& minimo, Zyl_GePoint3d& massimo) const {
    Aperta<> e(m_id, AcDb::kForRead);
    AcDbExtents ext;
    if (!e || e->getGeomExtents(ext) != Acad::eOk || ext.isEmpty()) return 0;
    minimo = Zyl_GePoint3d(ext.minPoint().x, ext.minPoint().y, ext.minPoint().z);
    massimo = Zyl_GePoint3d(ext.maxPoint().x, ext.maxPoint().y, ext.maxPoint().z);
    return 1;
}

ZylBlockID ZylEntityID::GetProprietario() const {
    Aperta<> e(m_id, AcDb::kForRead);
    return e ? ZylBlockID(e->ownerId()) : ZylBlockID();
}

int ZylPolylineID::GetVertici(CADDatoArray& vertici, CADDatoArray& bulge) const {
    Aperta<> e(m_id, AcDb::kForRead);
    if (!e || !IsPolilinea(e.get())) return 0;
    std::vector<vplat::PolyVertex> vs;
    vplat::PolylineVertices(e.get(), vs);
    zyl::ArrayVertici(vs, &vertici, &bulge);
    return 1;
}

int ZylBlockRefID::SetDati(const CADDatoArray& dati) {
    Aperta<AcDbBlockReference> r(m_id, AcDb::kForWrite);
    if (!r) return 0;
    bool ok = true;
    for (int i = 0; i < dati.GetCount(); ++i) {
        const auto& d = dati[i];
        switch (d.GetCodice()) {
            case 10: {
                double p[3];
                d.GetPunto(p);
                ok = d.GetTipo() == CADDatoArray::Punto && r->setPosition(AcGePoint3d(p[0], p[1], p[2])) == Acad::eOk && ok;
                break;
            }
            case 50:
                ok = r->setRotation(d.GetDouble()) == Acad::eOk && ok;
                break;
            case 8: {
                const wchar_t* nome = d.GetTipo() == CADDatoArray::Testo && *d.GetStringa() ? d.GetStringa() : L"0";
                vplat::EnsureLayer(r->database(), nome);
                ok = r->setLayer(nome) == Acad::eOk && ok;
                break;
            }
            case -3:
                ok = d.GetArray() && zyl::ScriviDatiEstesi(r.get(), *d.GetArray()) && ok;
                break;
            default:
                ok = false;
        }
    }
    return ok ? 1 : 0;
}

ZylBlockID ZylBlockRefID::GetBlocco() const {
    Aperta<AcDbBlockReference> r(m_id, AcDb::kForRead);
    return r ? ZylBlockID(r->blockTableRecord()) : ZylBlockID();
}

int ZylBlockRefID::SetBlocco(const ZylBlockID& blocco) {
    if (!blocco.Esiste() || blocco.GetObjectId().database() != m_id.database()) return 0;
    Aperta<AcDbBlockReference> r(m_id, AcDb::kForWrite);
    return r && r->setBlockTableRecord(blocco.GetObjectId()) == Acad::eOk ? 1 : 0;
}

int ZylBlockRefID::GetAttributi(CADDatoArray& attributi) const {
    Aperta<AcDbBlockReference> r(m_id, AcDb::kForRead);
    if (!r) return 0;
    CADDatoArray tag, testi;
    std::vector<AcDbObject*> figli;
    r->subObjects(figli);
    int k = 0;
    for (AcDbObject* o : figli) {
        auto* a = AcDbAttribute::cast(o);
        if (!a || a->isErased()) continue;
        tag.Add(k, a->tagConst());
        testi.Add(k, a->textStringConst());
        ++k;
    }
    attributi.Add(2, tag);
    attributi.Add(1, testi);
    return 1;
}

int ZylBlockRefID::SetAttributi(const CADDatoArray& attributi) {
    const CADDatoArray* tag = attributi.GetArray(2);
    const CADDatoArray* testi = attributi.GetArray(1);
    if (!tag || !testi || tag->GetCount() != testi->GetCount()) return 0;
    Aperta<AcDbBlockReference> r(m_id, AcDb::kForWrite);
    if (!r) return 0;
    std::vector<AcDbObject*> figli;
    r->subObjects(figli);
    for (int i = 0; i < tag->GetCount(); ++i) {
        if ((*tag)[i].GetTipo() != CADDatoArray::Testo || (*testi)[i].GetTipo() != CADDatoArray::Testo) return 0;
        for (AcDbObject* o : figli) {
            auto* a = AcDbAttribute::cast(o);
            if (!a || a->isErased() || std::wcscmp(a->tagConst(), (*tag)[i].GetStringa()) != 0) continue;
            AcDbAttribute* aperto = nullptr;
            if (acdbOpenObject(aperto, a->objectId(), AcDb::kForWrite) != Acad::eOk) return 0;
            Acad::ErrorStatus es = aperto->setTextString((*testi)[i].GetStringa());
            aperto->close();
            if (es != Acad::eOk) return 0;
        }
    }
    return 1;
}
