#include "QvObjectMgd.h"

#include "CADDatoArrayMgd.h"
#include "IQvObject.h"
#include "QvConvertMgd.h"

IQvObject* QvObjectMgd::Nativo() const {
    if (!_qvObj) throw NullReferenceException("the wrapper holds no native object");
    return _qvObj;
}

int QvObjectMgd::GetTipo() { return Nativo()->GetTipo(); }

std::shared_ptr<DatoMgd> QvObjectMgd::GetDato(int id) {
    CDato dato;
    if (!Nativo()->LeggiDato(id, dato)) return std::make_shared<DatoMgd>();
    return QvConvertMgd::ToDatoMgd(dato);
}

int QvObjectMgd::SetDato(std::shared_ptr<DatoMgd> dato) {
    if (!dato) throw NullReferenceException("SetDato without a value");
    return Nativo()->SetDato(QvConvertMgd::ToCDato(dato), 1);
}

std::shared_ptr<CADDatoArrayMgd> QvObjectMgd::GetElencoDati() {
    CDato* dati = nullptr;
    int numero = 0;
    auto elenco = std::make_shared<CADDatoArrayMgd>();
    if (!Nativo()->GetElencoDati(&dati, &numero) || !dati) return elenco;
    for (int i = 0; i < numero; ++i) {
        auto voce = std::make_shared<CADDatoArrayMgd>();
        voce->Add(1, dati[i].GetTipo());
        voce->Add(2, std::wstring(dati[i].GetEtichetta().GetString()));
        elenco->Add(dati[i].GetId(), voce);
    }
    CDato::LiberaArrayCDato(dati);
    return elenco;
}

std::wstring QvObjectMgd::GetDatoStringa(int id, int modo, int decimali) {
    return Nativo()->GetDatoStringa(id, modo, decimali).GetString();
}
