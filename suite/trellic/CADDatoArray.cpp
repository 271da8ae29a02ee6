#include "CADDatoArray.h"

#include "ZylEntityID.h"

double CADDatoArray::CADDato::GetDouble() const {
    return m_tipo == Intero ? static_cast<double>(m_int) : m_real[0];
}

int CADDatoArray::CADDato::GetInt() const {
    return m_tipo == Reale ? static_cast<int>(m_real[0]) : static_cast<int>(m_int);
}

void CADDatoArray::CADDato::GetPunto(double* xyz) const {
    for (int i = 0; i < 3; ++i) xyz[i] = m_real[i];
}

void CADDatoArray::CADDato::SetStringa(const wchar_t* text) {
    m_tipo = Testo;
    m_text = text ? text : L"";
}

CADDatoArray::CADDatoArray(const CADDatoArray& other) { *this = other; }

CADDatoArray& CADDatoArray::operator=(const CADDatoArray& other) {
    if (this == &other) return *this;
    m_items = other.m_items;
    // Nested arrays are copied, not shared.
    for (CADDato& d : m_items)
        if (d.m_array) d.m_array = std::make_shared<CADDatoArray>(*d.m_array);
    return *this;
}

CADDatoArray::CADDato& CADDatoArray::Push(int code, Tipo tipo) {
    m_items.emplace_back();
    m_items.back().m_code = code;
    m_items.back().m_tipo = tipo;
    return m_items.back();
}

void CADDatoArray::Add(int code, int value) { Push(code, Intero).m_int = value; }
void CADDatoArray::Add(int code, double value) { Push(code, Reale).m_real[0] = value; }
void CADDatoArray::Add(int code, const wchar_t* text) { Push(code, Testo).m_text = text ? text : L""; }
void CADDatoArray::Add(int code, const double xyz[3]) { Add(code, xyz[0], xyz[1], xyz[2]); }

void CADDatoArray::Add(int code, double x, double y, double z) {
    CADDato& d = Push(code, Punto);
    d.m_real[0] = x, d.m_real[1] = y, d.m_real[2] = z;
}

void CADDatoArray::Add(int code, const CADDatoArray& nested) {
    Push(code, Array).m_array = std::make_shared<CADDatoArray>(nested);
}

void CADDatoArray::Add(const CADDato& dato) {
    m_items.push_back(dato);
    if (dato.m_array) m_items.back().m_array = std::make_shared<CADDatoArray>(*dato.m_array);
}

void CADDatoArray::AddRichiesta(int code) { Push(code, Richiesta); }
void CADDatoArray::AddEntityID(int code, const ZylEntityID& entita) {
    CADDato& d = Push(code, EntityID);
    d.m_id = entita.GetObjectId();
    d.m_text = entita.GetHandle();
}

ZylEntityID CADDatoArray::CADDato::GetEntityID() const {
    return m_tipo == EntityID ? ZylEntityID(m_id) : ZylEntityID();
}

CADDatoArray* CADDatoArray::GetArray(int code) const {
    for (const CADDato& d : m_items)
        if (d.m_code == code && d.m_array) return d.m_array.get();
    return nullptr;
}

bool CADDatoArray::HasTipo(int code, int& index) const {
    for (int i = index < 0 ? 0 : index; i < GetCount(); ++i)
        if (m_items[static_cast<size_t>(i)].m_code == code) {
            index = i;
            return true;
        }
    return false;
}
