// The alignment object: plan polyline, properties, data lists and profiles.
#pragma once

#include <map>
#include <vector>

#include "AcDbObjectId.h"
#include "DatiPoli.h"
#include "ICLISTADATI.h"
#include "ICPROFILO.h"
#include "IQvObject.h"

// Type code of an alignment (qv_isA).
constexpr int QV_TIPO_TRACCIATO = 100;
// Properties.
constexpr int QV_DATO_NOME_TRACCIATO = 22400;
constexpr int QV_DATO_TIPO_TRACCIATO = 22404;
constexpr int QV_DATO_PROG_INIZIALE = 22153;
constexpr int QV_DATO_LUNGHEZZA = 22155;
// The layer of an alignment drawn without one.
constexpr const wchar_t* QV_LAYER_TRACCIATI = L"QV-TRACCIATI";

class ICTRACCIATO : public CQvOggettoDati {
public:
    // The codes of the data lists an alignment keeps.
    static const std::vector<int>& CodiciListe();

    ICTRACCIATO(const datipoli* asse, double progIniziale, const CString& nomeInterno);
    ~ICTRACCIATO() override;
    ICTRACCIATO(const ICTRACCIATO&) = delete;
    ICTRACCIATO& operator=(const ICTRACCIATO&) = delete;

    CString getNomeInterno() const { return m_nomeInterno; }
    // The plan polyline, chainages from the start chainage; owned by the alignment.
    datipoli* getDatiPoli() const { return m_asse; }
    // The start chainage (22153) and the length (22155) follow the polyline.
    CDato GetDato(int id, bool* ok = nullptr) const override;
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;

    // A data list by code, null for a code the alignment does not keep.
    ICLISTADATI* getListaDati(int codice) const;
    // Profiles; the alignment owns them.
    int getNumeroProfili() const { return static_cast<int>(m_profili.size()); }
    ICPROFILO* getProfilo(int i) const;
    ICPROFILO* getProfiloDaNome(const CString& nome) const;
    void aggiungiProfilo(ICPROFILO* profilo);
    // The vertical profile: the first profile, or null.
    ICPROFILO* getProfiloVerticale() const { return getProfilo(0); }
    // The chainage of a plan point: of its nearest point on the plan
    // polyline. 1 found, 0 not.
    int getProgressivaPunto(const ads_point punto, double* prog) const;

    // Commit of edited lists: (list code, mode), then once without arguments.
    int aggiornaDati(int codice, int modo);
    int aggiorna();
    // Draws the alignment into the working drawing's current space as a 2D
    // polyline on the layer (made when missing; "QV-TRACCIATI" for none or
    // an empty name) carrying the alignment's data;
    // from then on commits update that entity. 1 drawn, 0 failed (also when
    // it is drawn already).
    int disegna(const wchar_t* layer = nullptr);
    // Number of commits so far (for tests and the drawing binding).
    int NumeroAggiornamenti() const { return m_aggiornamenti; }
    // The entity the alignment rides on (null while it is only in memory),
    // and the record it took over, which it frees with itself.
    AcDbObjectId Entita() const { return m_entita; }
    void Lega(AcDbObjectId entita, struct tracciato* record);

private:
    CString m_nomeInterno;
    datipoli* m_asse = nullptr;
    std::map<int, ICLISTADATI*> m_liste;
    std::vector<ICPROFILO*> m_profili;
    int m_aggiornamenti = 0;
    AcDbObjectId m_entita;
    struct tracciato* m_record = nullptr;
};

// A new alignment from a copy of an axis polyline and its start chainage.
class ICTRACCIATO_Constructor {
public:
    static ICTRACCIATO* Alloca(const datipoli* asse, double progIniziale);
};

// Releases an alignment object (the second argument is 1 in every caller).
class ICTRACCIATO_Costructor {
public:
    // The alignment object of a drawing's alignment; it takes over the
    // record (GetTracciato). Null when the entity is not an alignment.
    static ICTRACCIATO* Alloca(struct tracciato* record, AcDbObjectId entita);
    static void Libera(ICTRACCIATO** tracciato, int modo = 1);
};
