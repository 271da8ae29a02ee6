#include "ICTRACCIATO.h"

#include <cstdio>

const std::vector<int>& ICTRACCIATO::CodiciListe() {
    static const std::vector<int> codici = {1500, 1505, 1508, 1511, 1512, 1513, 1514, 1515};
    return codici;
}

ICTRACCIATO::ICTRACCIATO(const datipoli* asse, double progIniziale, const CString& nomeInterno)
    : CQvOggettoDati(QV_TIPO_TRACCIATO), m_nomeInterno(nomeInterno), m_asse(allocaDATIPOLI(asse)) {
    ProgDATIPOLI(m_asse, progIniziale, nullptr);
    for (int codice : CodiciListe()) m_liste[codice] = new ICLISTADATI(codice);
}

ICTRACCIATO::~ICTRACCIATO() {
    for (auto& [codice, lista] : m_liste) delete lista;
    for (ICPROFILO* p : m_profili) ICPROFILO::libera(&p);
    LiberaDATIPOLI(&m_asse);
}

CDato ICTRACCIATO::GetDato(int id, bool* ok) const {
    CDato d(id);
    int trovato = LeggiDato(id, d);
    if (ok) *ok = trovato != 0;
    return d;
}

int ICTRACCIATO::LeggiDato(int id, CDato& dato) const {
    if (id == QV_DATO_PROG_INIZIALE || id == QV_DATO_LUNGHEZZA) {
        if (!m_asse) return 0;
        const datipoli* fine = m_asse;
        while (fine->next) fine = fine->next;
        dato = CDato(id, id == QV_DATO_PROG_INIZIALE ? m_asse->prog : fine->prog - m_asse->prog);
        return 1;
    }
    return CQvOggettoDati::LeggiDato(id, dato);
}

int ICTRACCIATO::SetDato(const CDato& dato, int modo) {
    if (dato.GetId() == QV_DATO_LUNGHEZZA) return 0;  // the polyline decides it
    if (dato.GetId() == QV_DATO_PROG_INIZIALE) return ProgDATIPOLI(m_asse, dato.GetDouble(), nullptr);
    return CQvOggettoDati::SetDato(dato, modo);
}

ICLISTADATI* ICTRACCIATO::getListaDati(int codice) const {
    auto it = m_liste.find(codice);
    return it == m_liste.end() ? nullptr : it->second;
}

ICPROFILO* ICTRACCIATO::getProfilo(int i) const {
    return i >= 0 && i < getNumeroProfili() ? m_profili[static_cast<size_t>(i)] : nullptr;
}

ICPROFILO* ICTRACCIATO::getProfiloDaNome(const CString& nome) const {
    for (ICPROFILO* p : m_profili)
        if (p->GetDato(QV_DATO_NOME_PROFILO).GetString() == nome) return p;
    return nullptr;
}

void ICTRACCIATO::aggiungiProfilo(ICPROFILO* profilo) {
    if (profilo) m_profili.push_back(profilo);
}

int ICTRACCIATO::aggiornaDati(int /*codice*/, int /*modo*/) {
    ++m_aggiornamenti;
    return 1;
}

int ICTRACCIATO::aggiorna() {
    ++m_aggiornamenti;
    return 1;
}

ICTRACCIATO* ICTRACCIATO_Constructor::Alloca(const datipoli* asse, double progIniziale) {
    if (!asse || !asse->next) return nullptr;
    // Internal names are unique in the process; a drawing keeps the ones it was saved with.
    static unsigned long contatore = 0;
    wchar_t nome[32];
    std::swprintf(nome, 32, L"TR%08lX", ++contatore);
    return new ICTRACCIATO(asse, progIniziale, CString(nome));
}

void ICTRACCIATO_Costructor::Libera(ICTRACCIATO** tracciato, int /*modo*/) {
    if (!tracciato) return;
    delete *tracciato;
    *tracciato = nullptr;
}
