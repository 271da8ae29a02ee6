#include "CConstrPars.h"

#include <cwchar>

#include "Angoli.h"

namespace {

const wchar_t kIsola[] = L"ISOLA";
const wchar_t kRaccordo[] = L"RACCORDO";

double InRadianti(double angolo, bool gradi) { return gradi ? angolo * PI_GRECO / 180.0 : angolo; }
double DaRadianti(double angolo, bool gradi) { return gradi ? angolo * 180.0 / PI_GRECO : angolo; }

}  // namespace

const DescrittoreParametro CConstrPars::DESCRITTORI[NUMERO_PARAMETRI] = {
    {L"h", kIsola, 2, 1},        {L"s", kIsola, 3, 1},        {L"b1", kIsola, 4, 1},
    {L"b2", kIsola, 5, 1},       {L"riu", kRaccordo, 9, 8},   {L"rie", kRaccordo, 12, 11},
    {L"rru", kRaccordo, 10, 8},  {L"rre", kRaccordo, 13, 11}, {L"Lbis", kIsola, 6, 1},
    {L"Rr1is", kIsola, 7, 1},    {L"", L"", 0, 0},            {L"Lcu", kRaccordo, 15, 14},
    {L"Lce", kRaccordo, 19, 18}, {L"", L"", 0, 0},            {L"", L"", 0, 0},
    {L"Ledx", kRaccordo, 20, 18}, {L"Ludx", kRaccordo, 16, 14}, {L"Lesx", kRaccordo, 21, 18},
    {L"Lusx", kRaccordo, 17, 14}, {L"Lbitr", kRaccordo, 38, 36}, {L"Lbutr", kRaccordo, 37, 36},
    {L"Rit", kRaccordo, 40, 36}, {L"Lbint", kRaccordo, 39, 36}, {L"r1e", kRaccordo, 30, 29},
    {L"r2e", kRaccordo, 31, 29}, {L"r3e", kRaccordo, 32, 29}, {L"a1e", kRaccordo, 33, 29},
    {L"a2e", kRaccordo, 34, 29}, {L"a3e", kRaccordo, 35, 29}, {L"r1u", kRaccordo, 23, 22},
    {L"r2u", kRaccordo, 24, 22}, {L"r3u", kRaccordo, 25, 22}, {L"a1u", kRaccordo, 26, 22},
    {L"a2u", kRaccordo, 27, 22}, {L"a3u", kRaccordo, 28, 22},
};

// ISOLA: h, s, b1, b2, Lbis, Rr1is; RACCORDO: riu, rru, rie, rre, Lcu, Ludx, Lusx,
// Lce, Ledx, Lesx, the exit curve, the entry curve, Lbutr, Lbitr, Lbint, Rit.
const int CConstrPars::ORDINE_FILE[NUMERO_IN_FILE] = {
    0, 1, 2, 3, 8, 9,
    4, 6, 5, 7, 11, 16, 18, 12, 15, 17, 29, 30, 31, 32, 33, 34, 23, 24, 25, 26, 27, 28, 20, 19, 22, 21,
};

const GruppoAlbero CConstrPars::GRUPPI_ALBERO[NUMERO_GRUPPI] = {
    {1, L"Parametri per l'isola: "},
    {8, L"Raggi per la corsia di uscita: "},
    {11, L"Raggi per la corsia di immissione: "},
    {14, L"Larghezze per la corsia di uscita: "},
    {18, L"Larghezze per la corsia di immissione: "},
    {22, L"Policentrica di raccordo della corsia di uscita: "},
    {29, L"Policentrica di raccordo della corsia di immissione: "},
    {36, L"Larghezze delle banchine dei raccordi: "},
};

CConstrPars::CConstrPars()
    : m_angoloIncrocio(MEZZO_PI_GRECO), m_deviazioneImmissione(MEZZO_PI_GRECO), m_deviazioneUscita(MEZZO_PI_GRECO) {
    s.SetValore(0.5);
    Lbis.SetValore(0.5);
    Rr1is.SetValore(0.6);
    Lbitr.SetValore(Lbis.GetValore());
    Lbutr.SetValore(Lbis.GetValore());
    Rit.SetValore(0.6);
    Lbint.SetValore(1.0);
}

CConstrPars& CConstrPars::operator=(const CConstrPars& altro) {
    if (this == &altro) return *this;
    m_intero = altro.m_intero;
    m_nome = altro.m_nome;
    m_angoloIncrocio = altro.m_angoloIncrocio;
    m_deviazioneImmissione = altro.m_deviazioneImmissione;
    m_deviazioneUscita = altro.m_deviazioneUscita;
    h = altro.h;
    s = altro.s;
    b1 = altro.b1;
    b2 = altro.b2;
    riu = altro.riu;
    rie = altro.rie;
    rru = altro.rru;
    rre = altro.rre;
    Lbis = altro.Lbis;
    Rr1is = altro.Rr1is;
    ParSenzaCodice = altro.ParSenzaCodice;
    Lcu = altro.Lcu;
    Lce = altro.Lce;
    RaggioInternoImm = altro.RaggioInternoImm;
    RaggioInternoUsc = altro.RaggioInternoUsc;
    Ledx = altro.Ledx;
    Ludx = altro.Ludx;
    Lesx = altro.Lesx;
    Lusx = altro.Lusx;
    Lbitr = altro.Lbitr;
    Lbutr = altro.Lbutr;
    Rit = altro.Rit;
    Lbint = altro.Lbint;
    r1e = altro.r1e;
    r2e = altro.r2e;
    r3e = altro.r3e;
    a1e = altro.a1e;
    a2e = altro.a2e;
    a3e = altro.a3e;
    r1u = altro.r1u;
    r2u = altro.r2u;
    r3u = altro.r3u;
    a1u = altro.a1u;
    a2u = altro.a2u;
    a3u = altro.a3u;
    // The angle unit code stays this set's own.
    return *this;
}

double CConstrPars::GetAngoloIncrocio(bool gradi) const { return DaRadianti(m_angoloIncrocio, gradi); }

double CConstrPars::GetDeviazioneImmissione(bool gradi) const { return DaRadianti(m_deviazioneImmissione, gradi); }

double CConstrPars::GetDeviazioneUscita(bool gradi) const { return DaRadianti(m_deviazioneUscita, gradi); }

void CConstrPars::SetAngoloIncrocio(double angolo, bool gradi) { m_angoloIncrocio = InRadianti(angolo, gradi); }

void CConstrPars::SetDeviazioni(double immissione, double uscita, bool gradi) {
    m_deviazioneImmissione = InRadianti(immissione, gradi);
    m_deviazioneUscita = InRadianti(uscita, gradi);
    RipartisciDeviazioni();
}

void CConstrPars::SetUnitaAngoli(int codice) {
    m_unitaAngoli = codice;
    a1e.SetUnitaVisualizzazione(codice);
    a2e.SetUnitaVisualizzazione(codice);
    a3e.SetUnitaVisualizzazione(codice);
    a1u.SetUnitaVisualizzazione(codice);
    a2u.SetUnitaVisualizzazione(codice);
    a3u.SetUnitaVisualizzazione(codice);
}

CSingleConstrPar& CConstrPars::Parametro(int indice) {
    if (indice < 0 || indice >= NUMERO_PARAMETRI) AfxThrowInvalidArgException();
    CSingleConstrPar* const tutti[NUMERO_PARAMETRI] = {
        &h,    &s,    &b1,   &b2,   &riu,  &rie,   &rru,  &rre, &Lbis, &Rr1is, &ParSenzaCodice, &Lcu,
        &Lce,  &RaggioInternoImm,   &RaggioInternoUsc,   &Ledx, &Ludx, &Lesx,  &Lusx, &Lbitr,   &Lbutr,
        &Rit,  &Lbint, &r1e, &r2e,  &r3e,  &a1e,  &a2e,  &a3e, &r1u,  &r2u,   &r3u,  &a1u,  &a2u, &a3u,
    };
    return *tutti[indice];
}

const CSingleConstrPar& CConstrPars::Parametro(int indice) const {
    return const_cast<CConstrPars*>(this)->Parametro(indice);
}

CSingleConstrPar* CConstrPars::TrovaParametro(LPCWSTR codice) {
    if (!codice || !*codice) return nullptr;
    for (int i = 0; i < NUMERO_PARAMETRI; ++i)
        if (std::wcscmp(DESCRITTORI[i].codice, codice) == 0) return &Parametro(i);
    return nullptr;
}
