// The root of the 3D model of one roundabout: settings, the branch axes and
// the carriageway edges in ring order, and the block that shows the model.
// All plan geometry is ring-centred: a world point is a model point plus the
// ring centre.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "DatiPoli.h"
#include "ICRotatoria3D.h"
#include "ZylEntityID.h"

class CAsseRamo;
class CCiglio3D;
class CPuntoSezione;
class ICPROFILO;

enum DatoRotatoria {
    DATO_ROTATORIA_NOME = 1,
    DATO_ROTATORIA_PIANTA = 2,
    DATO_ROTATORIA_PASSO_SEZIONI = 3,
    DATO_ROTATORIA_PASSO_DISCR = 4,
    DATO_ROTATORIA_QUOTA_RIF = 7,
    DATO_ROTATORIA_PEND_MIN = 8,
    DATO_ROTATORIA_PEND_MAX = 9,
    DATO_ROTATORIA_RICALCOLA_PENDENZE = 10,
};

class CRotatoria3D : public ICRotatoria3D {
public:
    CRotatoria3D() = default;
    ~CRotatoria3D() override;
    CRotatoria3D(const CRotatoria3D&) = delete;
    CRotatoria3D& operator=(const CRotatoria3D&) = delete;

    bool IsA(int) const override { return false; }
    int GetTipoBase() const override { return 0; }
    int GetTipo() const override;
    CDato GetDato(int id, bool* ok = nullptr) const override;
    int LeggiDato(int id, CDato& dato) const override;
    CString GetDatoStringa(int, int, int) const override { return CString(); }
    int SetDato(const CDato& dato, int modo = 1) override;
    CString GetNomeTipo() const override;
    int GetElencoDati(CDato** dati, int* numero, int contesto = 0) const override;
    int GetRiservato() const override { return 0; }

    int disegna(ZylEntityID& id) override;
    int disegna3D(ICCiglio3D* ciglioChanged) override;
    int inizializzaCalcolo() override;
    int aggiorna() override;
    IQvObject_Group* getCigli() override { return m_cigli; }
    IQvObject_Group* getAssi() override { return m_assi; }
    double getPassoDiscr() override { return m_passoDiscr; }
    // A step outside kPassoMinimo to kPassoMassimo (or not finite) is
    // refused with a message, and the stored one stays: 0.
    int setPassoDiscr(double passoDiscr) override;
    double getPassoSezioni() override { return m_passoSezioni; }
    int setPassoSezioni(double passoSezioni) override;
    int ricalcola(ICCiglio3D* ciglio, int tipoEvento, int tipoGruppoPunti, IQvObject_GroupMember* punto,
                  CDato dato) override;
    double getPendenzaMinima() override { return m_pendMin; }
    void setPendenzaMinima(double pendMin) override { m_pendMin = pendMin; }
    double getPendenzaMassima() override { return m_pendMax; }
    void setPendenzaMassima(double pendMax) override { m_pendMax = pendMax; }
    CString getNome() override { return m_nome; }
    int getRicalcolaPendenzeRami() override { return m_ricalcolaPendenzeRami; }
    void setRicalcolaPendenzeRami(int ricalcola) override { m_ricalcolaPendenzeRami = ricalcola; }
    int esporta(Zyl_GePoint3d ptIns) override;

    // The outer ring edge (code 2000), null when there is none.
    CCiglio3D* getAnelloEsterno() const;
    CCiglio3D* trovaCiglio(int codice, const CAsseRamo* asse) const;
    CAsseRamo* trovaOCreaAsse(const wchar_t* nomeAsse, const wchar_t* riferimento, bool daTracciato, bool direzione,
                              double posizioneAnello);
    // Creates, reuses or inserts the edge of that code on that axis: 1, or 0
    // when refused (off the ring, duplicate). The plan polyline built here,
    // and an edge handed in that is not kept, are freed on refusal.
    int creaCiglio(IQvObject** ciglio, const wchar_t* codice, CAsseRamo* asse, const CADDatoArray& vertici,
                   const CADDatoArray& bulge);
    IQvObject* creaImpostazioniGruppo();
    // Rebuilds the cross-sections of every edge: across the ring where the
    // branch edges leave it, at the branch ends and where the island edges
    // meet, then between sections further apart than the spacing. 1.
    int calcolaNodiESezioni();
    // One cross-section at a fraction of the axis (of the outer ring without
    // axis) through up to four edges, linked in order; 0 when its base point
    // is off the base line.
    int creaSezione(double valoreRif, CAsseRamo* asse, CCiglio3D* a, CCiglio3D* b, CCiglio3D* c, CCiglio3D* d);
    // The cross-sections between two section points (either may be null),
    // at most the section spacing apart; 0 when neither point can serve.
    int creaSezioniTra(CPuntoSezione* p1, CPuntoSezione* p2);

    // Reading the plan roundabout and a saved model.
    int leggiEntita(int tipoEntita, ZylEntityID& entita);
    int leggiCigliTracciato(ZylEntityID& entita);
    int allineaInizioAnelli();
    // The model saved in the block: the result of inizializzaCalcolo, 0
    // without block, -1 (with a message, and no edges or axes left) for a
    // saved model with a value out of range or a point of the wrong kind.
    int caricaDaBlocco();
    void creaLayer();
    // Samples every carriageway strip into matching rows of 3D points.
    void calcolaSuperfici();
    // Both steps (sections, surfaces) must be finite and within these: a
    // smaller one would make millions of stations, a longer one faces whose
    // chords leave the ring's carriageway.
    static constexpr double kPassoMinimo = 0.01;
    static constexpr double kPassoMassimo = 25.0;
    static bool passoValido(double passo);
    // Forgets every reference to an edge that leaves the model: reference
    // edges (their code strings stay), partner nodes, and the section points
    // of every edge, which are rebuilt with the nodes and sections.
    void scollegaCiglio(CCiglio3D* ciglio);

    // Export of the branches as alignments: the inner ring, then one
    // alignment per gap between neighbouring branches, each with its
    // cross-slope records, its profile vertices and a profile sheet. pt is
    // where the next new sheet goes; it moves up after each one. 1.
    int esportaRami(Zyl_GePoint3d& pt);
    // Creates the alignment of a stretch (ring-centred polyline, which stays
    // the caller's) or updates the one of that internal name. nome becomes
    // the existing alignment's own name; nomeInterno the internal name of
    // the alignment made or updated, empty when none could be made.
    // *profilo receives a copy of an existing alignment's vertical profile
    // (the caller frees it with ICPROFILO::libera), null otherwise. 1 done.
    int creaTracciatoEsportato(CString& nome, const datipoli* polilinea, IQvObject_Group* pendenze,
                               CString& nomeInterno, ICPROFILO** profilo);
    // Draws the profile sheet of an exported alignment and its profile from
    // the profile vertices. Nothing is drawn without vertices. 1 drawn.
    int disegnaCartiglioProfilo(Zyl_GePoint3d& pt, const CString& nome, IQvObject_Group* vertici,
                                ICPROFILO* profiloEsistente);
    // Append the profile vertices (new vertex points whose position holds
    // the alignment chainage) and the cross-slope records (objects of kind
    // 1500) of an edge between two of its chainages (null: its start, its
    // end; the outer ring needs both). *progressiva is the alignment
    // chainage reached, carried from call to call. 1.
    int aggiungiVerticiProfilo(CCiglio3D* ciglio, const double* da, const double* a, IQvObject_Group* vertici,
                               double* progressiva);
    int aggiungiPendenzeTrasversali(CCiglio3D* ciglio, const double* da, const double* a, IQvObject_Group* pendenze,
                                    double* progressiva);

    void getCentro(double centro[3]) const;
    void setCentro(const double centro[3]);
    double getQuotaRiferimento() const { return m_quotaRiferimento; }
    double getRaggioVerticeDefault() const { return m_raggioVertice; }
    const CString& getNomePianta() const { return m_nomePianta; }
    const CString& getLayerPianta() const { return m_layerPianta; }
    const CString& getLayerSuperfici() const { return m_layerSuperfici; }
    const CString& getLayerCigli3D() const { return m_layerCigli3D; }
    const CString& getLayerSezioni() const { return m_layerSezioni; }
    const CString& getLayerTesti() const { return m_layerTesti; }
    const ZylBlockID& getBlocco() const { return m_blocco; }
    const ZylBlockRefID& getRiferimentoBlocco() const { return m_riferimento; }

private:
    IQvObject_Group* gruppoAssi();
    IQvObject_Group* gruppoCigli();
    void inserisciAsse(CAsseRamo* asse);
    void inserisciCiglio(CCiglio3D* ciglio);
    int leggiCerchio(ZylEntityID& entita);
    int leggiPolilinea(ZylEntityID& entita);
    int leggiCiglioSalvato(ZylEntityID& entita, const CADDatoArray& items, const CADDatoArray& vertici,
                           const CADDatoArray& bulge);
    // The models of the plan roundabout of that name already in the drawing
    // (block references with the model's data naming it), other than this
    // one's: the first becomes this model's block and reference when it has
    // none, emptied; the others are emptied and their references erased.
    // The alignments their edges were exported as go into esportati, by the
    // edges' code, axis and direction.
    void prendiModelloEsistente(const CString& pianta, std::map<std::wstring, CString>& esportati);
    // The edges read again take the alignment their earlier model's edge was
    // exported as, so the next export updates it instead of making another.
    void riprendiTracciatiEsportati(const std::map<std::wstring, CString>& esportati);
    // Drops the axes and edges still marked not found; the edges are erased
    // from the drawing and unlinked first.
    void eliminaAssiNonTrovati();
    void eliminaCigliNonTrovati();
    // The recompute of one edge and what follows from it (ricalcola without
    // the report).
    int ricalcolaCiglio(ICCiglio3D* ciglio, int tipoEvento, int tipoGruppoPunti, IQvObject_GroupMember* punto,
                        CDato dato);
    // The edges without elevations by their method.
    std::vector<CCiglio3D*> cigliNonCalcolati() const;
    // Tells the user of every such edge, naming it and why; true when there
    // was one.
    bool segnalaCigliNonCalcolati() const;
    // Puts the points the host may edit (plane, verification, rotation,
    // vertex) back in chainage order on every edge after a computation.
    void riordinaPunti();
    // Tells the user a step is refused, with the range.
    static void rifiutaPasso(const wchar_t* testo, double passo);
    // A saved model that cannot be loaded: its edges and axes go, its block
    // stays, the user is told; -1.
    int rifiutaSalvato();
    // Frees the edges and the axes with their points.
    void liberaGruppi();
    // Insertion point and extended data of the block reference.
    CADDatoArray datiRiferimento() const;
    int disegnaNelBlocco();

    CString m_nome;
    CString m_nomePianta;
    ZylBlockRefID m_riferimento;
    ZylBlockID m_blocco;
    double m_passoDiscr = 1.0;
    double m_passoSezioni = 5.0;
    IQvObject_Group* m_assi = nullptr;
    IQvObject_Group* m_cigli = nullptr;
    double m_centro[3] = {0.0, 0.0, 0.0};
    double m_quotaRiferimento = 0.0;
    double m_pendMin = 0.01;
    double m_pendMax = 0.03;
    double m_raggioVertice = 200.0;
    CString m_layerSuperfici, m_layerPianta, m_layerCigli3D, m_layerSezioni, m_layerTesti;
    int m_ricalcolaPendenzeRami = 1;
    CString m_prefissoLayer = L"QVRO3D";
    int m_ricalcoli = 0;  // recomputes under way
    bool m_salvatoNonValido = false;  // the saved model being read is refused
};
