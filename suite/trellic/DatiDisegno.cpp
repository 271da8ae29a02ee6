#include "DatiDisegno.h"

#include "AcDbDatabase.h"

namespace zyl {

void AggiungiTag(CADDatoArray& dati, const vplat::DxfTag& tag) {
    switch (tag.kind) {
        case vplat::DxfTag::Kind::Text: dati.Add(tag.code, tag.c_str()); break;
        case vplat::DxfTag::Kind::Real: dati.Add(tag.code, tag.v()[0]); break;
        case vplat::DxfTag::Kind::Int: dati.Add(tag.code, static_cast<int>(tag.i())); break;
        case vplat::DxfTag::Kind::Point: dati.Add(tag.code, tag.v()[0], tag.v()[1], tag.v()[2]); break;
    }
}

bool TagDaDato(const CADDatoArray::CADDato& d, vplat::DxfTag& tag) {
    int code = d.GetCodice();
    bool numero = d.GetTipo() == CADDatoArray::Intero || d.GetTipo() == CADDatoArray::Reale;
    switch (vplat::KindOfCode(code)) {
        case vplat::DxfTag::Kind::Text:
            if (d.GetTipo() != CADDatoArray::Testo) return false;
            tag = vplat::DxfTag::Text(code, d.GetStringa());
            return true;
        case vplat::DxfTag::Kind::Real:
            if (!numero) return false;
            tag = vplat::DxfTag::Real(code, d.GetDouble());
            return true;
        case vplat::DxfTag::Kind::Int:
            if (!numero) return false;
            tag = vplat::DxfTag::Int(code, d.GetInt());
            return true;
        case vplat::DxfTag::Kind::Point: {
            if (d.GetTipo() != CADDatoArray::Punto) return false;
            double p[3];
            d.GetPunto(p);
            tag = vplat::DxfTag::Point(code, p[0], p[1], p[2]);
            return true;
        }
    }
    return false;
}

void LeggiDatiEstesi(const AcDbObject* oggetto, CADDatoArray& dati) {
    for (const vplat::XDataGroup& g : oggetto->xdataGroups()) {
        dati.Add(1001, g.app.c_str());
        for (const vplat::DxfTag& t : g.items) AggiungiTag(dati, t);
    }
}

bool ScriviDatiEstesi(AcDbObject* oggetto, const CADDatoArray& dati) {
    AcDbDatabase* db = oggetto->database() ? oggetto->database() : acdbHostApplicationServices()->workingDatabase();
    resbuf* testa = nullptr;
    resbuf** coda = &testa;
    bool ok = true;
    for (int i = 0; ok && i < dati.GetCount(); ++i) {
        vplat::DxfTag tag;
        const auto& d = dati[i];
        if (d.GetCodice() == 1001) {
            ok = d.GetTipo() == CADDatoArray::Testo && *d.GetStringa() && db &&
                 !vplat::EnsureRegApp(db, d.GetStringa()).isNull();
            tag = vplat::DxfTag::Text(1001, d.GetStringa());
        } else {
            ok = testa && TagDaDato(d, tag);
        }
        if (!ok) break;
        *coda = vplat::NewResbuf(tag);
        if (!*coda) ok = false;
        else coda = &(*coda)->rbnext;
    }
    if (ok && testa) ok = oggetto->setXData(testa) == Acad::eOk;
    acutRelRb(testa);
    return ok;
}

void ArrayVertici(const std::vector<vplat::PolyVertex>& vertici, CADDatoArray* punti, CADDatoArray* bulge) {
    int i = 0;
    for (const vplat::PolyVertex& v : vertici) {
        if (punti) punti->Add(i, v.point.x, v.point.y, v.point.z);
        if (bulge) bulge->Add(i, v.bulge);
        ++i;
    }
}

std::vector<vplat::PolyVertex> VerticiDaArray(const CADDatoArray* punti, const CADDatoArray* bulge) {
    std::vector<vplat::PolyVertex> out;
    if (!punti) return out;
    for (int i = 0; i < punti->GetCount(); ++i) {
        const auto& d = (*punti)[i];
        if (d.GetTipo() != CADDatoArray::Punto) continue;
        vplat::PolyVertex v;
        double p[3];
        d.GetPunto(p);
        v.point = AcGePoint3d(p[0], p[1], p[2]);
        int k = 0;
        if (bulge && bulge->HasTipo(d.GetCodice(), k) && (*bulge)[k].GetTipo() != CADDatoArray::Punto)
            v.bulge = (*bulge)[k].GetDouble();
        out.push_back(v);
    }
    return out;
}

}  // namespace zyl
