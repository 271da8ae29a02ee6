#include "ICLISTADATI.h"

#include <algorithm>

namespace {
constexpr double kTolProg = 1e-6;
}

int ICELEMENTODATI::LeggiDato(int id, CDato& dato) const {
    if (id != QV_DATO_PROGRESSIVA_ELEMENTO) return CQvOggettoDati::LeggiDato(id, dato);
    dato = CDato(id, m_prog);
    return 1;
}

CDato ICELEMENTODATI::GetDato(int id, bool* ok) const {
    CDato dato(id);
    int letto = LeggiDato(id, dato);
    if (ok) *ok = letto == 1;
    return dato;
}

int ICELEMENTODATI::SetDato(const CDato& dato, int modo) {
    if (dato.GetId() != QV_DATO_PROGRESSIVA_ELEMENTO) return CQvOggettoDati::SetDato(dato, modo);
    m_prog = dato.GetDouble();
    return 1;
}

ICELEMENTODATI* ICLISTADATI::getSuccessivo(const ICELEMENTODATI* elemento) const {
    auto it = std::find(m_elementi.begin(), m_elementi.end(), elemento);
    if (it == m_elementi.end() || ++it == m_elementi.end()) return nullptr;
    return *it;
}

void ICLISTADATI::svuota() {
    for (ICELEMENTODATI* e : m_elementi) delete e;
    m_elementi.clear();
}

ICELEMENTODATI* ICLISTADATI::accoda() {
    double prog = m_elementi.empty() ? 0.0 : m_elementi.back()->getProgressiva();
    m_elementi.push_back(new ICELEMENTODATI(m_codice, prog));
    return m_elementi.back();
}

ICELEMENTODATI* ICLISTADATI::aggiungi(double prog) {
    auto it = std::find_if(m_elementi.begin(), m_elementi.end(),
                           [prog](const ICELEMENTODATI* e) { return e->getProgressiva() > prog; });
    return *m_elementi.insert(it, new ICELEMENTODATI(m_codice, prog));
}

ICELEMENTODATI* ICLISTADATI::aggiungiCopia(const IQvObject* oggetto) {
    const auto* origine = dynamic_cast<const ICELEMENTODATI*>(oggetto);
    if (!origine || (origine->GetTipo() != 1500 && origine->GetTipo() != 1508)) return nullptr;
    ICELEMENTODATI* e = aggiungi(origine->getProgressiva());
    e->getBitDato() = origine->getBitDato();
    for (const auto& [id, dato] : origine->Dati())
        if (id != QV_DATO_PROGRESSIVA_ELEMENTO) e->SetDato(dato, 1);
    return e;
}

ICELEMENTODATI* ICLISTADATI::cerca(double prog) const {
    ICELEMENTODATI* trovato = nullptr;
    for (ICELEMENTODATI* e : m_elementi)
        if (e->getProgressiva() <= prog + kTolProg) trovato = e;
    return trovato;
}

ICELEMENTODATI* ICLISTADATI::elementoDaProg(double prog) const {
    if (m_elementi.empty()) return nullptr;
    const ICELEMENTODATI* prima = m_elementi.front();
    const ICELEMENTODATI* dopo = nullptr;
    for (const ICELEMENTODATI* e : m_elementi) {
        if (e->getProgressiva() <= prog) {
            prima = e;
        } else {
            dopo = e;
            break;
        }
    }
    auto* copia = new ICELEMENTODATI(m_codice, prog);
    copia->getBitDato() = prima->getBitDato();
    double t = 0.0;
    if (dopo && prima->getProgressiva() <= prog) {
        double passo = dopo->getProgressiva() - prima->getProgressiva();
        t = passo > 0.0 ? (prog - prima->getProgressiva()) / passo : 0.0;
    } else if (dopo) {
        prima = dopo;  // before the first record: its data
        dopo = nullptr;
    }
    for (const auto& [id, dato] : prima->Dati()) {
        CDato valore = dato;
        CDato altro;
        if (dopo && dato.GetTipo() == CDato::Reale && dopo->LeggiDato(id, altro) == 1 &&
            altro.GetTipo() == CDato::Reale)
            valore = CDato(id, dato.GetDouble() + t * (altro.GetDouble() - dato.GetDouble()));
        copia->SetDato(valore);
    }
    return copia;
}

int ICLISTADATI::rimuovi(ICELEMENTODATI* elemento) {
    auto it = std::find(m_elementi.begin(), m_elementi.end(), elemento);
    if (it == m_elementi.end()) return 0;
    delete *it;
    m_elementi.erase(it);
    return 1;
}
