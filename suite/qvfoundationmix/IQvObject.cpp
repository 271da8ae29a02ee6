#include "IQvObject.h"

#include <cstdio>
#include <unordered_set>

namespace {

// The numbers of the living objects (the suite's objects live on the
// caller's one thread). The set exists while some object lives, so that
// nothing of it is left when the library is unloaded; the next number never
// goes back.
uint64_t g_prossimo = 1;
std::unordered_set<uint64_t>* g_viventi = nullptr;

uint64_t Nasce() {
    if (!g_viventi) g_viventi = new std::unordered_set<uint64_t>;
    g_viventi->insert(g_prossimo);
    return g_prossimo++;
}

}  // namespace

IQvObject::IQvObject() : m_numero(Nasce()) {}

IQvObject::IQvObject(const IQvObject&) : m_numero(Nasce()) {}

IQvObject::~IQvObject() {
    if (!g_viventi) return;
    g_viventi->erase(m_numero);
    if (g_viventi->empty()) {
        delete g_viventi;
        g_viventi = nullptr;
    }
}

bool IQvObject::IsVivo(uint64_t numero) { return g_viventi && g_viventi->count(numero) > 0; }

CDato CQvOggettoDati::GetDato(int id, bool* ok) const {
    auto it = m_dati.find(id);
    if (ok) *ok = it != m_dati.end();
    return it != m_dati.end() ? it->second : CDato(id);
}

int CQvOggettoDati::LeggiDato(int id, CDato& dato) const {
    auto it = m_dati.find(id);
    if (it == m_dati.end()) return 0;
    dato = it->second;
    return 1;
}

CString CQvOggettoDati::GetDatoStringa(int id, int /*modo*/, int decimali) const {
    auto it = m_dati.find(id);
    if (it == m_dati.end()) return CString();
    if (it->second.GetTipo() != CDato::Reale || decimali < 0) return it->second.GetString();
    // Formatted to its whole length: a large value needs hundreds of digits.
    CString testo;
    testo.Format(L"%.*f", decimali, it->second.GetDouble());
    return testo;
}

int CQvOggettoDati::SetDato(const CDato& dato, int /*modo*/) {
    m_dati[dato.GetId()] = dato;
    return 1;
}

CString CQvOggettoDati::GetNomeTipo() const {
    wchar_t testo[32];
    std::swprintf(testo, 32, L"%d", m_tipo);
    return CString(testo);
}

int CQvOggettoDati::GetElencoDati(CDato** dati, int* numero, int /*contesto*/) const {
    if (!dati || !numero) return 0;
    *numero = static_cast<int>(m_dati.size());
    *dati = CDato::AllocaArrayCDato(*numero);
    int i = 0;
    for (const auto& [id, d] : m_dati) (*dati)[i++] = d;
    return 1;
}
