#include "ICTRACCIATO.h"

#include <cstdio>

#include "AcDbAds.h"
#include "AcDbDatabase.h"
#include "AcDbPolylines.h"
#include "AcDbSymbolTables.h"
#include "CercaTracciati.h"
#include "AcDbEntity.h"
#include "AcDbObject.h"
#include "DatiEstesi.h"
#include "DisegnoPolilinea.h"
#include "LeggiDatiPoli.h"
#include "TracciatoDatiEstesi.h"
#include "Tracciati.h"

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
    vplat::LiberaTracciatoAdottato(m_record);
}

void ICTRACCIATO::Lega(AcDbObjectId entita, tracciato* record) {
    m_entita = entita;
    vplat::AdottaTracciato(record);
    m_record = record;
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

int ICTRACCIATO::getProgressivaPunto(const ads_point punto, double* prog) const {
    double piede = 0;
    if (!m_asse || !DistPPoly(m_asse, punto, nullptr, nullptr, &piede, nullptr, nullptr, nullptr, 0)) return 0;
    if (prog) *prog = piede;
    return 1;
}

void ICTRACCIATO::aggiungiProfilo(ICPROFILO* profilo) {
    if (profilo) m_profili.push_back(profilo);
}

namespace {
// Writes an alignment's data onto its entity.
int Scrivi(const ICTRACCIATO& t) {
    if (t.Entita().isNull()) return 1;  // only in memory: nothing to write
    resbuf* dati = vplat::CodificaTracciato(t);
    if (!dati) return 0;
    RegApplicazione(vplat::kAppTracciato, t.Entita().database());
    AcDbEntity* e = nullptr;
    int esito = 0;
    if (acdbOpenObject(e, t.Entita(), AcDb::kForWrite) == Acad::eOk) {
        esito = e->setXData(dati) == Acad::eOk ? 1 : 0;
        e->close();
    }
    acutRelRb(dati);
    return esito;
}
}  // namespace

int ICTRACCIATO::aggiornaDati(int /*codice*/, int /*modo*/) {
    ++m_aggiornamenti;
    return Scrivi(*this);
}

int ICTRACCIATO::aggiorna() {
    ++m_aggiornamenti;
    return Scrivi(*this);
}

int ICTRACCIATO::disegna(const wchar_t* layer) {
    if (!layer || !*layer) layer = QV_LAYER_TRACCIATI;
    if (!acdbHostApplicationServices()->workingDatabase() || !m_entita.isNull() || !m_asse) return 0;
    std::vector<AcGePoint3d> punti;
    std::vector<double> bulge;
    for (const datipoli* n = m_asse; n; n = n->next) {
        punti.emplace_back(n->x, n->y, n->z);
        bulge.push_back(n->bulge);
    }
    resbuf* dati = vplat::CodificaTracciato(*this);
    RegApplicazione(vplat::kAppTracciato, nullptr);
    AcDbObjectId id;
    bool ok = dati && vplat::DisegnaPolilinea2D(layer, punti, bulge, dati, id);
    acutRelRb(dati);
    if (!ok) return 0;
    m_entita = id;
    return 1;
}

ICTRACCIATO* ICTRACCIATO_Constructor::Alloca(const datipoli* asse, double progIniziale) {
    if (!asse || !asse->next) return nullptr;
    // A new internal name: numbered in the process, and never one an
    // alignment of the working drawing already carries.
    static unsigned long contatore = 0;
    wchar_t nome[32];
    for (;;) {
        std::swprintf(nome, 32, L"TR%08lX", ++contatore);
        ICTRACCIATO* esistente = nullptr;
        if (!acdbHostApplicationServices()->workingDatabase() ||
            !GetTracciatoByNomeInterno(&esistente, nome, nullptr))
            break;
        ICTRACCIATO_Costructor::Libera(&esistente, 1);
    }
    return new ICTRACCIATO(asse, progIniziale, CString(nome));
}

ICTRACCIATO* ICTRACCIATO_Costructor::Alloca(tracciato* record, AcDbObjectId entita) {
    ads_name nome;
    if (acdbGetAdsName(nome, entita) != Acad::eOk) return nullptr;
    datipoli* asse = nullptr;
    if (!LeggiDATIPOLI(nome, &asse)) return nullptr;
    resbuf* dati = LeggiDatiEstesi(entita, vplat::kAppTracciato);
    ICTRACCIATO* t = vplat::DecodificaTracciato(dati, asse, nullptr);
    acutRelRb(dati);
    LiberaDATIPOLI(&asse);
    if (t) t->Lega(entita, record);
    return t;
}

void ICTRACCIATO_Costructor::Libera(ICTRACCIATO** tracciato, int /*modo*/) {
    if (!tracciato) return;
    delete *tracciato;
    *tracciato = nullptr;
}
