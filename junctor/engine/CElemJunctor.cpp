#include "CElemJunctor.h"

#include <cmath>

#include "CCigliBanchineMgr.h"
#include "QvEngineering.h"
#include "TranslatorBinding.h"

namespace {

bool ApriPolilinea(const ads_name nome, AcDbEntity*& entita) {
    AcDbObjectId id;
    if (acdbGetObjectId(id, nome) != Acad::eOk) return false;
    return acdbOpenObject(entita, id, AcDb::kForRead) == Acad::eOk;
}

void Chiudi(AcDbEntity*& entita, datipoli*& lista) {
    if (entita) {
        entita->close();
        entita = nullptr;
    }
    LiberaDATIPOLI(&lista);
}

}  // namespace

CElemJunctor::CElemJunctor(const wchar_t* nome, const ads_name asse) {
    Inizializza();
    m_nome = nome ? nome : L"";
    m_asse.nome[0] = asse[0];
    m_asse.nome[1] = asse[1];
}

CElemJunctor::~CElemJunctor() { CElemJunctor::Chiudi(); }

void CElemJunctor::Inizializza() {
    m_tolleranza = 0.001;
    m_aperto = 0;
    m_asse.entita = nullptr;
    m_asse.lista = nullptr;
    for (Polilinea& p : m_slot) {
        p.trovato = 0;
        p.entita = nullptr;
        p.lista = nullptr;
    }
}

bool CElemJunctor::Prepara() { return true; }

void CElemJunctor::GetAdsNameAsse(ads_name nome) const {
    nome[0] = m_asse.nome[0];
    nome[1] = m_asse.nome[1];
}

void CElemJunctor::GetAdsName(Slot s, ads_name nome) const {
    nome[0] = m_slot[s].nome[0];
    nome[1] = m_slot[s].nome[1];
}

bool CElemJunctor::Apri() {
    if (m_aperto) return true;
    m_aperto = 1;
    AcDbObjectId id;
    if (acdbGetObjectId(id, m_asse.nome) != Acad::eOk) return false;
    tracciato* record = nullptr;
    if (GetTracciato(id, &record) && record) {
        m_nomeInterno = CTRACCIATO::getNomeInterno(record);
        LiberaTracciato(&record);
    }
    Polilinea* ordine[] = {&m_asse,
                           &m_slot[kCiglioDx],
                           &m_slot[kCiglioSx],
                           &m_slot[kBanchinaDx],
                           &m_slot[kBanchinaSx],
                           m_slot[kCiglioIsolaDx].trovato ? &m_slot[kCiglioIsolaDx] : nullptr,
                           m_slot[kCiglioIsolaSx].trovato ? &m_slot[kCiglioIsolaSx] : nullptr};
    // Each list is read as soon as its entity is open, so that a failure
    // leaves everything before it complete and Valida names what is missing.
    for (Polilinea* p : ordine) {
        if (!p) continue;
        if (!ApriPolilinea(p->nome, p->entita)) return false;
        if (!LeggiDATIPOLI(p->nome, &p->lista, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))
            return false;
    }
    return true;
}

bool CElemJunctor::Valida() {
    struct Prova {
        const Polilinea* p;
        const wchar_t* riga;
    } prove[] = {
        {&m_asse, L" - Asse non valido!\r\n "},
        {&m_slot[kCiglioDx], L" - Ciglio destro non valido!\r\n "},
        {&m_slot[kCiglioSx], L" - Ciglio sinistro non valido!\r\n "},
        {&m_slot[kBanchinaDx], L" - Banchina destra non valida!\r\n "},
        {&m_slot[kBanchinaSx], L" - Banchina sinistra non valida!\r\n "},
    };
    for (const Prova& t : prove) {
        if (!t.p->entita || !t.p->lista) {
            m_log += TranslateText(t.riga);
            return false;
        }
    }
    return true;
}

void CElemJunctor::Chiudi() {
    m_aperto = 0;
    ::Chiudi(m_asse.entita, m_asse.lista);
    for (Polilinea& p : m_slot) ::Chiudi(p.entita, p.lista);
}

bool CElemJunctor::DistanzaDueVie(const datipoli* da, const datipoli* a, double& distanza) {
    if (!da || !a) return false;
    ads_point piede;
    double prog = 0;
    ads_point primo = {a->x, a->y, a->z};
    double d = 0;
    if (DistPPoly(da, primo, &d, piede, &prog, nullptr, nullptr, nullptr, 1)) {
        distanza = d;
        return true;
    }
    ads_point inverso = {da->x, da->y, da->z};
    if (DistPPoly(a, inverso, &d, piede, &prog, nullptr, nullptr, nullptr, 1)) {
        distanza = d;
        return true;
    }
    // Neither start has a foot on the other list: nothing was measured.
    return false;
}

bool CElemJunctor::CalcolaDistanzeBanchine() {
    double dx = 0, sx = 0;
    if (!DistanzaDueVie(m_slot[kCiglioDx].lista, m_slot[kBanchinaDx].lista, dx)) return false;
    if (!DistanzaDueVie(m_slot[kCiglioSx].lista, m_slot[kBanchinaSx].lista, sx)) return false;
    m_distBanchinaDx = std::fabs(dx);
    m_distBanchinaSx = std::fabs(sx);
    return true;
}

bool CElemJunctor::CercaElementiAssociati(const ads_point riferimento, int modo) {
    CCigliBanchineMgr mgr;
    mgr.Inizializza(m_nome, m_tipo, modo, riferimento);
    if (!mgr.CercaEScegli()) return false;
    ads_name nomi[kNumSlot];
    BYTE trovati[kNumSlot];
    for (int k = 0; k < kNumSlot; ++k) GetAdsName(static_cast<Slot>(k), nomi[k]);
    mgr.GetRisultati(nomi[0], trovati[0], nomi[1], trovati[1], nomi[2], trovati[2], nomi[3], trovati[3], nomi[4],
                     trovati[4], nomi[5], trovati[5]);
    for (int k = 0; k < kNumSlot; ++k) {
        m_slot[k].trovato = trovati[k];
        m_slot[k].nome[0] = nomi[k][0];
        m_slot[k].nome[1] = nomi[k][1];
    }
    return true;
}
