#include "QvObjectMgd.h"

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
