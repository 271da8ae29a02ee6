#include "CADConvertMgd.h"

void CADConvertMgd::FromMgd(const std::shared_ptr<IEntityIDMgd>& idMgd, ZylEntityID& id) {
    id = idMgd ? ZylEntityID(idMgd->GetHandle().c_str(), ZylDatabase()) : ZylEntityID();
}

void CADConvertMgd::ToMgd(const CADDatoArray& dati, CADDatoArrayMgd& datiMgd) {
    for (int i = 0; i < dati.GetCount(); ++i) {
        const CADDatoArray::CADDato& d = dati[i];
        int codice = d.GetCodice();
        switch (d.GetTipo()) {
            case CADDatoArray::Intero: datiMgd.Add(codice, d.GetInt()); break;
            case CADDatoArray::Reale: datiMgd.Add(codice, d.GetDouble()); break;
            case CADDatoArray::Testo:
            case CADDatoArray::EntityID: datiMgd.Add(codice, std::wstring(d.GetStringa())); break;
            case CADDatoArray::Punto: {
                double p[3];
                d.GetPunto(p);
                datiMgd.Add(codice, Point3DMgd(p[0], p[1], p[2]));
                break;
            }
            case CADDatoArray::Array: {
                auto annidato = std::make_shared<CADDatoArrayMgd>();
                if (d.GetArray()) ToMgd(*d.GetArray(), *annidato);
                datiMgd.Add(codice, annidato);
                break;
            }
            default: datiMgd.AddRichiesta(codice); break;
        }
    }
}
