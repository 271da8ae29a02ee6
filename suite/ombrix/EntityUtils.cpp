#include <cwctype>
#include <memory>

#include "AcDbAds.h"
#include "DatiDisegno.h"
#include "Ombrix.h"

namespace {

AcDbDatabase* DatabaseCorrente() { return acdbHostApplicationServices()->workingDatabase(); }

// The block meant: the given one, or the current space of the working drawing.
AcDbObjectId BloccoOCorrente(const ZylBlockID& blocco) {
    if (!blocco.IsNull()) return blocco.GetObjectId();
    AcDbDatabase* db = DatabaseCorrente();
    return db ? db->currentSpaceId() : AcDbObjectId();
}

// Appends a new entity to a block and leaves it open for write; false (and
// the entity deleted) when the block refuses it.
bool Aggiungi(AcDbObjectId blocco, AcDbEntity* e) {
    AcDbBlockTableRecord* b = nullptr;
    if (blocco.isNull() || blocco.isErased() || acdbOpenObject(b, blocco, AcDb::kForWrite) != Acad::eOk) {
        delete e;
        return false;
    }
    AcDbObjectId id;
    Acad::ErrorStatus es = b->appendAcDbEntity(id, e);
    b->close();
    if (es != Acad::eOk) delete e;
    return es == Acad::eOk;
}

AcGePoint3d Punto(const CADDatoArray::CADDato& d) {
    double p[3];
    d.GetPunto(p);
    return AcGePoint3d(p[0], p[1], p[2]);
}

const wchar_t* NomeLayer(const CADDatoArray::CADDato* d) {
    return d && d->GetTipo() == CADDatoArray::Testo && *d->GetStringa() ? d->GetStringa() : L"0";
}

// Sets one property of a new entity by code (before it joins a block);
// false for a code its kind does not take or a value of the wrong kind.
bool Imposta(AcDbEntity* e, const CADDatoArray::CADDato& d) {
    int codice = d.GetCodice();
    bool punto = d.GetTipo() == CADDatoArray::Punto;
    bool numero = d.GetTipo() == CADDatoArray::Intero || d.GetTipo() == CADDatoArray::Reale;
    bool testo = d.GetTipo() == CADDatoArray::Testo;
    if (codice == 8) {
        vplat::SetTag(e->data(), vplat::DxfTag::Text(8, NomeLayer(&d)));
        return true;
    }
    if (codice == 62) return numero && e->setColorIndex(static_cast<Adesk::UInt16>(d.GetInt())) == Acad::eOk;
    if (codice == -3) return d.GetTipo() == CADDatoArray::Array;  // set once the entity is in its drawing
    if (codice == 10204 && numero) {
        // Closed (1) or open (0) polyline.
        if (auto* p2 = AcDb2dPolyline::cast(e)) return (d.GetInt() ? p2->makeClosed() : p2->makeOpen()) == Acad::eOk;
        if (auto* p3 = AcDb3dPolyline::cast(e)) return (d.GetInt() ? p3->makeClosed() : p3->makeOpen()) == Acad::eOk;
        return false;
    }
    if (auto* l = AcDbLine::cast(e)) {
        if (codice == 10 && punto) return l->setStartPoint(Punto(d)) == Acad::eOk;
        if (codice == 11 && punto) return l->setEndPoint(Punto(d)) == Acad::eOk;
        return false;
    }
    if (auto* f = AcDbFace::cast(e)) {
        if (codice >= 10 && codice <= 13 && punto)
            return f->setVertexAt(static_cast<Adesk::UInt16>(codice - 10), Punto(d)) == Acad::eOk;
        return false;
    }
    if (auto* t = AcDbText::cast(e)) {
        if (auto* a = AcDbAttributeDefinition::cast(e)) {
            if (codice == 2 && testo) return a->setTag(d.GetStringa()) == Acad::eOk;
            if (codice == 3 && testo) return a->setPrompt(d.GetStringa()) == Acad::eOk;
        }
        switch (codice) {
            case 10: return punto && t->setPosition(Punto(d)) == Acad::eOk;
            case 11: return punto && t->setAlignmentPoint(Punto(d)) == Acad::eOk;
            case 1: return testo && t->setTextString(d.GetStringa()) == Acad::eOk;
            case 40: return numero && t->setHeight(d.GetDouble()) == Acad::eOk;
            case 50: return numero && t->setRotation(d.GetDouble()) == Acad::eOk;
            case 72: return numero && t->setHorizontalMode(d.GetInt()) == Acad::eOk;
            case 73: return numero && t->setVerticalMode(d.GetInt()) == Acad::eOk;
            default: return false;
        }
    }
    return false;
}

// Sets the extended data (-3) an entity open for write was given.
bool ImpostaDatiEstesi(AcDbEntity* e, const CADDatoArray& proprieta) {
    const CADDatoArray* estesi = proprieta.GetArray(-3);
    return !estesi || zyl::ScriviDatiEstesi(e, *estesi);
}

// A vertex of a polyline open for write, itself opened for write while it is
// changed (a vertex of a new polyline needs no opening).
class VerticeAperto {
public:
    explicit VerticeAperto(AcDbEntity* v) {
        if (v->isNewObject()) m_v = v;
        else if (acdbOpenObject(m_v, v->objectId(), AcDb::kForWrite) == Acad::eOk) m_chiudi = true;
    }
    ~VerticeAperto() {
        if (m_chiudi) m_v->close();
    }
    VerticeAperto(const VerticeAperto&) = delete;
    VerticeAperto& operator=(const VerticeAperto&) = delete;
    AcDbEntity* get() const { return m_v; }

private:
    AcDbEntity* m_v = nullptr;
    bool m_chiudi = false;
};

// Puts the vertices of the nested arrays 10 and 42 into a polyline open for
// write: existing vertices are moved, extra ones erased, missing ones added.
bool ImpostaVertici(AcDbEntity* e, const CADDatoArray& proprieta) {
    std::vector<vplat::PolyVertex> nuovi = zyl::VerticiDaArray(proprieta.GetArray(10), proprieta.GetArray(42));
    vplat::VertexOwner* owner = nullptr;
    auto* p2 = AcDb2dPolyline::cast(e);
    auto* p3 = AcDb3dPolyline::cast(e);
    if (p2) owner = &p2->vertexOwner();
    else if (p3) owner = &p3->vertexOwner();
    else return false;
    size_t i = 0;
    for (auto& v : owner->vertices) {
        if (v->isErased()) continue;
        VerticeAperto aperto(v.get());
        if (!aperto.get()) return false;
        if (i >= nuovi.size()) {
            aperto.get()->erase();
        } else if (auto* v2 = AcDb2dVertex::cast(aperto.get())) {
            v2->setPosition(nuovi[i].point);
            v2->setBulge(nuovi[i].bulge);
        } else if (auto* v3 = AcDb3dPolylineVertex::cast(aperto.get())) {
            v3->setPosition(nuovi[i].point);
        }
        ++i;
    }
    for (; i < nuovi.size(); ++i) {
        if (p2) p2->appendVertex(new AcDb2dVertex(nuovi[i].point, nuovi[i].bulge));
        else p3->appendVertex(new AcDb3dPolylineVertex(nuovi[i].point));
    }
    return true;
}

std::wstring Maiuscolo(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return s;
}

class EntityUtils : public IEntityUtils {
public:
    int InserisciBlocco(ZylBlockRefID& riferimento, const ZylBlockID& blocco, const CADDatoArray& proprieta,
                        const ZylBlockID& proprietario) override {
        riferimento = ZylBlockRefID();
        // A layout's block cannot be placed, nor a block inside itself.
        auto* definizione = blocco.Esiste() ? vplat::Peek<AcDbBlockTableRecord>(blocco.GetObjectId()) : nullptr;
        if (!definizione || definizione->isLayout()) return 0;
        AcDbObjectId dove = proprietario.IsNull() ? blocco.GetDatabase().GetAcDbDatabase()->currentSpaceId()
                                                  : proprietario.GetObjectId();
        if (dove == blocco.GetObjectId()) return 0;
        auto* r = new AcDbBlockReference(AcGePoint3d(0, 0, 0), blocco.GetObjectId());
        if (!Aggiungi(dove, r)) return 0;
        AcDbObjectId id = r->objectId();
        r->close();
        riferimento = ZylBlockRefID(id);
        if (riferimento.SetDati(proprieta) && AggiungiAttributi(id)) return 1;
        Cancella(riferimento);
        riferimento = ZylBlockRefID();
        return 0;
    }

    int CreaEntita(int tipo, const CADDatoArray& proprieta, const ZylBlockID& blocco) override {
        AcDbEntity* e = nullptr;
        switch (tipo) {
            case ZYL_LINEA: e = new AcDbLine; break;
            case ZYL_FACCIA_3D: e = new AcDbFace; break;
            case ZYL_TESTO: e = new AcDbText; break;
            case ZYL_DEFINIZIONE_ATTRIBUTO: e = new AcDbAttributeDefinition; break;
            default: return 0;
        }
        return Completa(e, proprieta, BloccoOCorrente(blocco), nullptr);
    }

    int CreaPolilinea(int tipo, const CADDatoArray& proprieta, ZylPolylineID& polilinea,
                      const ZylBlockID& blocco) override {
        polilinea = ZylPolylineID();
        AcDbEntity* e = nullptr;
        if (tipo == ZYL_POLILINEA_2D) e = new AcDb2dPolyline;
        else if (tipo == ZYL_POLILINEA_3D) e = new AcDb3dPolyline;
        else return 0;
        if (zyl::VerticiDaArray(proprieta.GetArray(10), nullptr).empty()) {
            delete e;
            return 0;
        }
        // The layer first (the vertices take it), then the vertices, then the rest.
        int iLayer = 0;
        vplat::SetTag(e->data(), vplat::DxfTag::Text(
                                     8, NomeLayer(proprieta.HasTipo(8, iLayer) ? &proprieta[iLayer] : nullptr)));
        CADDatoArray resto;
        for (int i = 0; i < proprieta.GetCount(); ++i)
            if (proprieta[i].GetCodice() != 10 && proprieta[i].GetCodice() != 42) resto.Add(proprieta[i]);
        if (!ImpostaVertici(e, proprieta)) {
            delete e;
            return 0;
        }
        AcDbObjectId id;
        int fatto = Completa(e, resto, BloccoOCorrente(blocco), &id);
        if (fatto) polilinea = ZylPolylineID(id);
        return fatto;
    }

    int ModificaVertici(const ZylEntityID& polilinea, const CADDatoArray& proprieta) override {
        AcDbEntity* e = nullptr;
        if (!polilinea.IsVivo() || acdbOpenObject(e, polilinea.GetObjectId(), AcDb::kForWrite) != Acad::eOk) return 0;
        bool ok = !zyl::VerticiDaArray(proprieta.GetArray(10), nullptr).empty() && ImpostaVertici(e, proprieta);
        e->close();
        return ok ? 1 : 0;
    }

    int Cancella(const ZylEntityID& entita) override {
        AcDbEntity* e = nullptr;
        if (!entita.IsVivo() || acdbOpenObject(e, entita.GetObjectId(), AcDb::kForWrite) != Acad::eOk) return 0;
        Acad::ErrorStatus es = e->erase();
        e->close();
        return es == Acad::eOk ? 1 : 0;
    }

    int Seleziona(CADDatoArray& entita, const wchar_t* modo, const CADDatoArray& filtro,
                  const ZylBlockID& blocco) override {
        std::wstring m = Maiuscolo(modo ? modo : L"");
        int iTipo = 0, iApp = 0;
        if ((m != L"X" && m != L"_X") || !filtro.HasTipo(5020, iTipo) || filtro[iTipo].GetTipo() != CADDatoArray::Testo)
            return 0;
        const wchar_t* app = filtro.HasTipo(1001, iApp) && filtro[iApp].GetTipo() == CADDatoArray::Testo
                                 ? filtro[iApp].GetStringa()
                                 : nullptr;
        AcDbDatabase* db = blocco.IsNull() ? DatabaseCorrente() : blocco.GetObjectId().database();
        if (!db || (!blocco.IsNull() && !blocco.Esiste())) return 0;
        int trovate = 0;
        auto prova = [&](AcDbEntity* e) {
            if (!e || e->isErased() || !Contenuta(e, blocco)) return;
            if (!vplat::WildcardMatch(filtro[iTipo].GetStringa(), e->dxfName())) return;
            if (app && !HaApplicazione(e, app)) return;
            entita.AddEntityID(-1, ZylEntityID(e->objectId()));
            ++trovate;
        };
        // Inside a block only its own entities are candidates (in the order
        // they joined it), not every object the drawing ever held.
        if (auto* definizione = blocco.IsNull() ? nullptr : vplat::Peek<AcDbBlockTableRecord>(blocco.GetObjectId())) {
            for (AcDbObjectId id : definizione->entityIds())
                if (!id.isErased()) prova(vplat::Peek<AcDbEntity>(id));
            return trovate;
        }
        for (const auto& stub : db->store().Stubs()) prova(AcDbEntity::cast(stub->object));
        return trovate;
    }

private:
    // Gives a new reference one attribute per non-constant definition of its
    // block, with the definition's default text, as the host's insert does.
    static bool AggiungiAttributi(AcDbObjectId id) {
        AcDbBlockReference* r = nullptr;
        if (acdbOpenObject(r, id, AcDb::kForWrite) != Acad::eOk) return false;
        bool ok = true;
        AcDbBlockTableRecord* definizione = nullptr;
        if (acdbOpenObject(definizione, r->blockTableRecord(), AcDb::kForRead) == Acad::eOk) {
            AcGeMatrix3d m = r->blockTransform();
            AcDbBlockTableRecordIterator* grezzo = nullptr;
            definizione->newIterator(grezzo);
            std::unique_ptr<AcDbBlockTableRecordIterator> it(grezzo);
            for (; ok && it && !it->done(); it->step()) {
                AcDbObjectId eid;
                it->getEntityId(eid);
                auto* def = vplat::Peek<AcDbAttributeDefinition>(eid);
                if (!def || def->isErased() || def->isConstant()) continue;
                auto* a = new AcDbAttribute;
                ok = a->setAttributeFromBlock(def, m) == Acad::eOk && r->appendAttribute(a) == Acad::eOk;
                if (ok) a->close();
                else delete a;
            }
            definizione->close();
        }
        r->close();
        return ok;
    }

    // Sets the properties of a new entity, adds it to the block and sets its
    // extended data; 1 when all went in, else nothing is left in the drawing.
    int Completa(AcDbEntity* e, const CADDatoArray& proprieta, AcDbObjectId blocco, AcDbObjectId* id) {
        for (int i = 0; i < proprieta.GetCount(); ++i)
            if (!Imposta(e, proprieta[i])) {
                delete e;
                return 0;
            }
        if (!Aggiungi(blocco, e)) return 0;
        bool ok = ImpostaDatiEstesi(e, proprieta);
        if (!ok) e->erase();
        if (id) *id = e->objectId();
        e->close();
        return ok ? 1 : 0;
    }

    static bool Contenuta(const AcDbEntity* e, const ZylBlockID& blocco) {
        if (!blocco.IsNull()) return e->ownerId() == blocco.GetObjectId();
        auto* b = vplat::Peek<AcDbBlockTableRecord>(e->ownerId());
        return b && !b->isErased() && b->isLayout();
    }

    static bool HaApplicazione(const AcDbEntity* e, const wchar_t* app) {
        for (const auto& g : e->xdataGroups())
            if (vplat::WildcardMatch(app, g.app)) return true;
        return false;
    }
};

}  // namespace

namespace Ombrix {
IEntityUtils* GetEntityUtils() {
    static EntityUtils utils;
    return &utils;
}
}  // namespace Ombrix
