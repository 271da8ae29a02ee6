#include "IQvObject_Group.h"

#include <algorithm>
#include <utility>
#include <vector>

IQvObject_Group::IQvObject_Group() : CQvOggettoDati(QV_TIPO_GRUPPO) {}

IQvObject_Group::~IQvObject_Group() {
    Empty();
    delete m_impostazioni;
}

int IQvObject_Group::LeggiDato(int id, CDato& dato) const {
    if (id != QV_DATO_NOME_GRUPPO) return 0;
    if (!CQvOggettoDati::LeggiDato(id, dato)) dato = CDato(id, L"");
    return 1;
}

int IQvObject_Group::SetDato(const CDato& dato, int modo) {
    if (dato.GetId() != QV_DATO_NOME_GRUPPO) return 0;
    return CQvOggettoDati::SetDato(CDato(dato.GetId(), dato.GetString()), modo);
}

double IQvObject_Group::ChiaveDi(const IQvObject* oggetto) const {
    CDato dato;
    if (m_idChiave == 0 || !oggetto->LeggiDato(m_idChiave, dato)) return 0.0;
    return dato.GetDouble();
}

// Links `nuovo` in front of `prima` (at the end when null).
void IQvObject_Group::Collega(IQvObject_GroupMember* nuovo, IQvObject_GroupMember* prima) {
    nuovo->m_next = prima;
    nuovo->m_prev = prima ? prima->m_prev : m_ultimo;
    (nuovo->m_prev ? nuovo->m_prev->m_next : m_primo) = nuovo;
    (prima ? prima->m_prev : m_ultimo) = nuovo;
    ++m_numero;
}

IQvObject_GroupMember* IQvObject_Group::InsertBefore(IQvObject_GroupMember* membro, IQvObject* oggetto) {
    if (!oggetto || !membro || membro->m_gruppo != this) return nullptr;
    auto* nuovo = new IQvObject_GroupMember(this, oggetto);
    Collega(nuovo, membro);
    return nuovo;
}

IQvObject_GroupMember* IQvObject_Group::Append(IQvObject* oggetto) {
    if (!oggetto) return nullptr;
    auto* nuovo = new IQvObject_GroupMember(this, oggetto);
    IQvObject_GroupMember* prima = nullptr;
    if (m_idChiave != 0) {
        // After the last member whose key is not greater: in front when every
        // key is greater, so that members that come in either order take
        // the same time each.
        const double chiave = ChiaveDi(oggetto);
        IQvObject_GroupMember* dopo = m_ultimo;
        if (m_primo && ChiaveDi(m_primo->m_oggetto) > chiave) dopo = nullptr;
        while (dopo && ChiaveDi(dopo->m_oggetto) > chiave) dopo = dopo->m_prev;
        prima = dopo ? dopo->m_next : m_primo;
    }
    Collega(nuovo, prima);
    return nuovo;
}

IQvObject_GroupMember* IQvObject_Group::AddRecord(IQvObject* oggetto) { return Append(oggetto); }

void IQvObject_Group::LiberaOggetto(IQvObject* oggetto) {
    if (m_costruttore) m_costruttore->Libera(&oggetto);
    else delete oggetto;
}

int IQvObject_Group::RemoveMember(IQvObject_GroupMember* membro) {
    if (!membro || membro->m_gruppo != this) return 0;
    (membro->m_prev ? membro->m_prev->m_next : m_primo) = membro->m_next;
    (membro->m_next ? membro->m_next->m_prev : m_ultimo) = membro->m_prev;
    --m_numero;
    IQvObject* oggetto = membro->m_oggetto;
    delete membro;
    LiberaOggetto(oggetto);
    return 1;
}

void IQvObject_Group::Empty() {
    while (m_primo) RemoveMember(m_primo);
}

int IQvObject_Group::Riordina() {
    if (m_idChiave == 0) return 0;
    std::vector<std::pair<double, IQvObject_GroupMember*>> membri;
    membri.reserve(static_cast<size_t>(m_numero));
    for (IQvObject_GroupMember* m = m_primo; m; m = m->m_next) membri.emplace_back(ChiaveDi(m->m_oggetto), m);
    auto perChiave = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (std::is_sorted(membri.begin(), membri.end(), perChiave)) return 0;
    std::stable_sort(membri.begin(), membri.end(), perChiave);
    m_primo = m_ultimo = nullptr;
    m_numero = 0;
    for (auto& voce : membri) Collega(voce.second, nullptr);
    return 1;
}

void IQvObject_Group::SetDisplaySettings(IQvObject* impostazioni) {
    if (impostazioni == m_impostazioni) return;
    delete m_impostazioni;
    m_impostazioni = impostazioni;
}

void IQvObject_Group::Setup(IQvObjectConstructor* costruttore, int tipoMembri, int idChiave, int valoreChiave) {
    m_costruttore = costruttore;
    m_tipoMembri = tipoMembri;
    m_idChiave = idChiave;
    m_valoreChiave = valoreChiave;
}
