#include "CLanePars.h"

#include <cwchar>

namespace {

const wchar_t kImmissione[] = L"CORSIAIMM";
const wchar_t kUscita[] = L"CORSIAUSC";
const wchar_t kSvoltaSx[] = L"CORSIASX";

CString SiNo(bool valore) { return valore ? L"Y" : L"N"; }

}  // namespace

const DescrittoreParametro CLanePars::DESCRITTORI[NUMERO_PARAMETRI] = {
    {L"ILCImm", kImmissione, 2, 1},
    {L"ILBCImm", kImmissione, 3, 1},
    {L"IAccVf", kImmissione, 5, 4},
    {L"IAccVi", kImmissione, 6, 4},
    {L"IAcca", kImmissione, 7, 4},
    {L"IAccLae", kImmissione, 0, 0},
    {L"IImmVi", kImmissione, 9, 8},
    {L"IImmV", kImmissione, 10, 8},
    {L"IImma", kImmissione, 11, 8},
    {L"IImmd", kImmissione, 12, 8},
    {L"IImmT", kImmissione, 0, 0},
    {L"IImmQ1", kImmissione, 13, 8},
    {L"IImmK", kImmissione, 0, 0},
    {L"IImmEs", kImmissione, 0, 0},
    {L"IImmVars", kImmissione, 0, 0},
    {L"IImmQ2", kImmissione, 14, 8},
    {L"IImmEw", kImmissione, 0, 0},
    {L"IImmEq", kImmissione, 0, 0},
    {L"IImmLie", kImmissione, 0, 0},
    {L"IManVp", kImmissione, 16, 15},
    {L"IManLve", kImmissione, 0, 0},
    {L"IManb", kImmissione, 17, 15},
    {L"IManR", kImmissione, 0, 0},
    {L"ULCUsc", kUscita, 2, 1},
    {L"ULBCUsc", kUscita, 3, 1},
    {L"UManLmu", kUscita, 5, 4},
    {L"UManb", kUscita, 6, 4},
    {L"UManR", kUscita, 0, 0},
    {L"UDecVi", kUscita, 8, 7},
    {L"UDecVf", kUscita, 9, 7},
    {L"UDeca", kUscita, 10, 7},
    {L"UDecLdu", kUscita, 0, 0},
    {L"SLCLa", kSvoltaSx, 2, 1},
    {L"SLCLm", kSvoltaSx, 3, 1},
    {L"SAcuT", kSvoltaSx, 5, 4},
    {L"SAcuQ1", kSvoltaSx, 6, 4},
    {L"SAcuK", kSvoltaSx, 0, 0},
    {L"SAcuEs", kSvoltaSx, 0, 0},
    {L"SAcuVars", kSvoltaSx, 0, 0},
    {L"SAcuQ2", kSvoltaSx, 7, 4},
    {L"SAcuEw", kSvoltaSx, 0, 0},
    {L"SAcuEq", kSvoltaSx, 0, 0},
    {L"SAcuLv", kSvoltaSx, 8, 4},
    {L"SAcuLaa", kSvoltaSx, 0, 0},
    {L"SDecVi", kSvoltaSx, 10, 9},
    {L"SDecVf", kSvoltaSx, 11, 9},
    {L"SDeca", kSvoltaSx, 12, 9},
    {L"SDecLda", kSvoltaSx, 0, 0},
    {L"SManVp", kSvoltaSx, 14, 13},
    {L"SManLma", kSvoltaSx, 0, 0},
    {L"SManb", kSvoltaSx, 15, 13},
    {L"SManR", kSvoltaSx, 0, 0},
    {L"SRacVp", kSvoltaSx, 17, 16},
    {L"SRacd1", kSvoltaSx, 18, 16},
    {L"SRacLva", kSvoltaSx, 0, 0},
    {L"SRacRI1", kSvoltaSx, 0, 0},
    {L"SRacd2", kSvoltaSx, 19, 16},
    {L"SRacRI2", kSvoltaSx, 0, 0},
};

const GruppoAlbero CLanePars::GRUPPI_IMMISSIONE[4] = {
    {1, L"Parametri generali: "},
    {4, L"Tratto di accelerazione: "},
    {8, L"Tratto di immissione: "},
    {15, L"Tratto di manovra: "},
};

const GruppoAlbero CLanePars::GRUPPI_USCITA[3] = {
    {1, L"Parametri generali: "},
    {4, L"Tratto di manovra: "},
    {7, L"Tratto di decelerazione: "},
};

const GruppoAlbero CLanePars::GRUPPI_SVOLTA_SX[5] = {
    {1, L"Parametri generali: "},
    {4, L"Tratto di accumulo: "},
    {9, L"Tratto di decelerazione: "},
    {13, L"Tratto di manovra: "},
    {16, L"Tratto di raccordo: "},
};

CLanePars::CLanePars() {
    for (int i = 0; i < NUMERO_PARAMETRI; ++i) Parametro(i).SetValore(0.0);
}

CString CLanePars::GetCorsiaImm() const { return SiNo(m_corsiaImm); }
CString CLanePars::GetCorsiaUsc() const { return SiNo(m_corsiaUsc); }
CString CLanePars::GetCorsiaSx() const { return SiNo(m_corsiaSx); }
CString CLanePars::GetCorsiaSxUrbano() const { return SiNo(m_corsiaSxUrbano); }

void CLanePars::SetCorsie(bool immissione, bool uscita, bool svoltaSx, bool svoltaSxUrbano) {
    m_corsiaImm = immissione;
    m_corsiaUsc = uscita;
    m_corsiaSx = svoltaSx;
    m_corsiaSxUrbano = svoltaSxUrbano;
}

void CLanePars::SetCorsieDaTesto(CString immissione, CString uscita, CString svoltaSx, CString svoltaSxUrbano) {
    SetCorsie(immissione == L"Y", uscita == L"Y", svoltaSx == L"Y", svoltaSxUrbano == L"Y");
}

CSingleConstrPar& CLanePars::Parametro(int indice) {
    if (indice < 0 || indice >= NUMERO_PARAMETRI) AfxThrowInvalidArgException();
    CSingleConstrPar* const tutti[NUMERO_PARAMETRI] = {
        &ILCImm, &ILBCImm, &IAccVf, &IAccVi, &IAcca, &IAccLae, &IImmVi, &IImmV, &IImma, &IImmd, &IImmT,
        &IImmQ1, &IImmK, &IImmEs, &IImmVars, &IImmQ2, &IImmEw, &IImmEq, &IImmLie, &IManVp, &IManLve, &IManb,
        &IManR, &ULCUsc, &ULBCUsc, &UManLmu, &UManb, &UManR, &UDecVi, &UDecVf, &UDeca, &UDecLdu, &SLCLa,
        &SLCLm, &SAcuT, &SAcuQ1, &SAcuK, &SAcuEs, &SAcuVars, &SAcuQ2, &SAcuEw, &SAcuEq, &SAcuLv, &SAcuLaa,
        &SDecVi, &SDecVf, &SDeca, &SDecLda, &SManVp, &SManLma, &SManb, &SManR, &SRacVp, &SRacd1, &SRacLva,
        &SRacRI1, &SRacd2, &SRacRI2,
    };
    return *tutti[indice];
}

const CSingleConstrPar& CLanePars::Parametro(int indice) const {
    return const_cast<CLanePars*>(this)->Parametro(indice);
}

CSingleConstrPar* CLanePars::TrovaParametro(LPCWSTR codice) {
    if (!codice || !*codice) return nullptr;
    for (int i = 0; i < NUMERO_PARAMETRI; ++i)
        if (std::wcscmp(DESCRITTORI[i].codice, codice) == 0) return &Parametro(i);
    return nullptr;
}
