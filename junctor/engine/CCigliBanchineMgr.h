// The lookup of a road's carriageway edges and shoulders: the tagged
// polylines of the drawing that belong to an alignment, one chosen per kind
// (the one ending nearest to the reference point).
#pragma once

#include <afx.h>
#include <arx.h>

struct AdsNameElem {
    ads_name nome;
};

class CCigliBanchineMgr {
public:
    // Kinds in the order of the candidate arrays and of the results.
    enum Tipo { kCDX = 0, kCSX, kBDX, kBSX, kCIDX, kCISX, kNumTipi };
    static const wchar_t* CodiceTipo(int tipo);

    CCigliBanchineMgr();
    ~CCigliBanchineMgr();

    void Inizializza(const wchar_t* nome, int tipoEntita, int modo, const ads_point riferimento);
    // Fills the candidate arrays from the tagged polylines of the drawing
    // that name the road or no road, in selection order; false when there is
    // none, when one tagged polyline has no text, or when one of the four
    // required kinds has no candidate.
    bool Cerca();
    void ScegliPiuVicino();
    void IndiceCandidatoPiuVicino(const CArray<AdsNameElem, const AdsNameElem&>& candidati, int& indice);
    bool CercaEScegli();
    // Six pairs (entity name, found) in kind order; the name is written only
    // for a kind that has a chosen candidate.
    void GetRisultati(ads_name cdx, BYTE& trovatoCdx, ads_name csx, BYTE& trovatoCsx, ads_name bdx,
                      BYTE& trovatoBdx, ads_name bsx, BYTE& trovatoBsx, ads_name cidx, BYTE& trovatoCidx,
                      ads_name cisx, BYTE& trovatoCisx) const;

    const CArray<AdsNameElem, const AdsNameElem&>& Candidati(int tipo) const { return m_candidati[tipo]; }
    int Scelto(int tipo) const { return m_scelto[tipo]; }

private:
    CString m_nome;
    int m_tipoEntita;
    int m_modo;
    ads_point m_riferimento;
    CArray<AdsNameElem, const AdsNameElem&> m_candidati[kNumTipi];
    int m_scelto[kNumTipi];
};
