// A carriageway edge of the 3D roundabout: one of the two ring edges or one of
// the four edges of a branch. It owns its plan polyline (ring-centred), its
// point groups and its arrays; it never owns its roundabout, its reference
// edge or its axis.
#pragma once

#include <vector>

#include "CADDatoArray.h"
#include "DatiPoli.h"
#include "ICCiglio3D.h"
#include "ICPROFILO_STRADALE.h"
#include "ZylEntityID.h"

class CAsseRamo;
class CPuntoCiglio;
class CPuntoNodo;
class CPuntoRotazione;
class CPuntoVertice;
class CPuntoSezione;
class CRotatoria3D;
class StazioniRiga;

// Property ids of the edges.
enum DatoCiglio {
    DATO_CIGLIO_CODICE = 1,
    DATO_CIGLIO_DESCRIZIONE = 2,
    DATO_CIGLIO_TIPO_CALCOLO = 3,
    DATO_CIGLIO_PIANO = 5,
    DATO_CIGLIO_VERIFICA = 6,
    DATO_CIGLIO_ROTAZIONE = 7,
    DATO_CIGLIO_VERTICI = 8,
    DATO_CIGLIO_NODI = 9,
    DATO_CIGLIO_PIANO_PARALLELO = 11,
    DATO_CIGLIO_DIFF_QUOTA = 12,
    DATO_CIGLIO_HANDLE_ASSE = 13,
    DATO_CIGLIO_NOME_ASSE = 14,
    DATO_CIGLIO_POSIZIONE_ANELLO = 15,
    DATO_CIGLIO_HANDLE_3D = 17,
    DATO_CIGLIO_CODICE_RIF = 18,
    DATO_CIGLIO_QUOTA_CENTRI = 19,
    DATO_CIGLIO_PENDENZA_CENTRI = 20,
    DATO_CIGLIO_DIREZIONE = 21,
    DATO_CIGLIO_TRACCIATO_ESPORTATO = 22,
};

class CCiglio3D : public ICCiglio3D {
public:
    CCiglio3D() = default;
    ~CCiglio3D() override;
    CCiglio3D(const CCiglio3D&) = delete;
    CCiglio3D& operator=(const CCiglio3D&) = delete;

    bool IsA(int tipo) const override;
    int GetTipoBase() const override { return 0; }
    CDato GetDato(int id, bool* ok = nullptr) const override;
    int LeggiDato(int id, CDato& dato) const override;
    CString GetDatoStringa(int id, int modo, int decimali) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    CString GetNomeTipo() const override;
    int GetRiservato() const override { return 0; }

    CString getDescrizione() override { return m_descrizione; }
    IQvObject_Group* getPunti(int tipo) override;
    int getProgDaPunto(double& prog, Zyl_GePoint3d pnt) override;
    int getPuntoDaProg(double prog, Zyl_GePoint3d& pnt) override;
    CADDatoArray* getPunti3DCiglio() override { return &m_punti3D; }
    int getTipoCalcolo() override { return m_tipoCalcolo; }
    // A method the edge's kind cannot take (only a ring edge takes the
    // plane), or rotation whose references would close a loop, is refused
    // with a message: 0, and the edge stays as it was.
    int setTipoCalcolo(int tipoCalcolo) override;
    // A reference to no edge (none of that code on this edge's axis, or for
    // a ring edge among the rings), to the edge itself, or one that would
    // close a loop of references is refused the same way.
    int setProfRif(int tipoCiglioRif) override;
    ICCiglio3D* getCiglioRif() override;
    int getCodiceEnum() override { return m_codiceEnum; }
    void highlight(double prog) override;
    int getVisualizzaSuGrafico(int tipoGruppoPunti) override;
    void setVisualizzaSuGrafico(int tipoGruppoPunti, int visualizza) override;
    double getLunghezza() override { return m_lunghezza; }
    void setUsaPianoParallelo(int) override {}
    int getUsaPianoParallelo() override { return 0; }
    void setDiffQuotaPiani(double) override {}
    double getDiffQuotaPiani() override { return 0.0; }

    // The edges' own operations.
    virtual void azzera();
    virtual CAsseRamo* getAsseRamo() = 0;
    virtual int inizializzaCiglio(CRotatoria3D* rotatoria, const wchar_t* codice, CAsseRamo* asse, datipoli* polilinea,
                                  datipoli* ultimo);
    virtual bool precede(CCiglio3D* nuovo) = 0;
    virtual int getPuntoIniziale(Zyl_GePoint3d& punto);
    virtual int calcolaGeometria(CPuntoNodo* incontro, CPuntoNodo** nodoSinistro) = 0;
    virtual int creaGruppiPunti();
    virtual void scriviDatiEstesi(CADDatoArray& datiEstesi);
    virtual int getQuotaDaProg(double& quota, double prog, int tipo);
    virtual int calcolaProfilo(int tipoEvento, IQvObject_GroupMember* punto, CDato dato) = 0;
    virtual int calcolaRotazione(int tipoEvento, IQvObject_GroupMember* punto, CDato dato) = 0;
    virtual int calcolaPiano() = 0;
    virtual double getPendenzaDaProg(double prog);
    virtual CString getCodiceRif() { return m_codiceRif; }

    // Inserts a vertex (chainage, elevation) into the edge's profile (made
    // when there is none), after the vertices at the same or a lower
    // chainage: the new vertex, or null.
    ICVERTICE_PROFILO* inserisciVerticeProfilo(const double vertice[2]);
    // The same into a given profile. The walk for the vertex's place starts
    // at `da` when it is given and stands at or before that place (the
    // vertex inserted last, when the vertices come in chainage order, so
    // that a whole profile is made in time linear in its vertices), else at
    // the first vertex.
    static ICVERTICE_PROFILO* inserisciVerticeInProfilo(const double vertice[2], ICPROFILO_STRADALE* profilo,
                                                        ICVERTICE_PROFILO* da = nullptr);

    // Creates the plan polyline in the block, with the edge's saved data, or
    // updates its vertices and bulges; 1.
    int scriviPolilineaPiana(const ZylBlockID& blocco);

    // Replaces the plan entity's extended data with the edge's saved data:
    // the result of that, or 0 when the edge has no plan entity.
    int aggiornaDatiEstesi();
    // Draws into the model's block the faces of the edge's strip, a section
    // line with its barb and label at every section point, and the 3D
    // polyline through the edge's 3D points (reused, bound through the saved
    // handle, or made). The caller erased the block's lines, texts and faces.
    void disegnaCiglio();
    const ZylPolylineID& getEntita3D() const { return m_entita3D; }
    // The station indexes k of the edge's rows after which a station was
    // left out (no elevation there): stations k and k + 1 are not
    // neighbours, and no face joins them. Filled with the rows.
    const std::vector<int>& getInterruzioni() const { return m_interruzioni; }
    void segnaInterruzione(int indice) { m_interruzioni.push_back(indice); }
    void svuotaInterruzioni() { m_interruzioni.clear(); }

    // Moves the plan polyline in place.
    void traslaPolilinea(const Zyl_GeMatrix3d& matrice);
    int getPrimoVertice(Zyl_GePoint3d& punto) const;
    int collegaPuntiGruppo(IQvObject_Group* gruppo);
    // The first member of a group whose point has that reference kind and a
    // reference value within 1e-6 of valore; null when none.
    IQvObject_GroupMember* trovaPuntoRiferimento(int tipo, int tipoRiferimento, double valore);
    CPuntoNodo* creaPuntoNodo(double valore, double posizione, int tipo, const double punto[2]);
    // A section point, inserted in chainage order after the points at its place.
    CPuntoSezione* creaPuntoSezione(double valore, double posizione, int tipo, const double punto[2]);
    void svuotaPuntiSezione();
    // Erases the plan entity and forgets it: the erase result.
    int cancellaEntita();
    // True when every member of every point group is of its group's kind
    // (vertex points in the vertex group, and so on).
    bool puntiDelTipoDeiGruppi();
    // A new object rebuilt from the saved data of an edge's plan polyline
    // (application, flag, then key and value pairs); null when none was made.
    static IQvObject* leggiDaDatiEstesi(const CADDatoArray& datiEstesi);
    // The facing point of punto on this edge: the crossing along the
    // direction within 100 on the inner ring and inner branch edges, the
    // nearest point on the outer ring and outer branch edges. 1 found.
    int proiettaSuCiglio(const double punto[3], double direzione, double* distanza, double piede[3], double* progressiva,
                         double* altro);

    const CString& getCodice() const { return m_codice; }
    // The vertical profile of the last computation (null before it).
    ICPROFILO* getProfiloAltimetrico() const { return m_profilo; }
    // True when the last profile made from the vertex points could not be
    // computed (two vertices at one chainage): the edge has no elevation
    // by profile.
    bool isProfiloNonValido() const { return m_profiloNonValido; }
    datipoli* getPolilinea() const { return m_polilinea; }
    datipoli* getUltimo() const { return m_ultimo; }
    CRotatoria3D* getRotatoria() const { return m_rotatoria; }
    bool isNonTrovato() const { return m_nonTrovato; }
    const ZylPolylineID& getEntita() const { return m_entita; }
    void setEntita(const ZylPolylineID& entita) { m_entita = entita; }
    // A rotation or vertex point placed at a chainage and appended (the group
    // is made when missing); null when none could be made. A new vertex
    // point has the roundabout's reference elevation.
    CPuntoRotazione* nuovoPuntoRotazione(double prog);
    CPuntoVertice* nuovoPuntoVertice(double prog);
    // setTipoCalcolo and setProfRif with or without the message (the
    // model's own defaults go without): 1, or 0 when refused.
    int impostaMetodo(int tipoCalcolo, bool avvisa);
    int impostaRiferimento(int tipoCiglioRif, bool avvisa);
    // True when the edge's kind takes the method (0 is no method).
    bool metodoAmmesso(int metodo) const;
    // Why the edge has no elevations by its method after a computation
    // (empty when it has them): a profile that could not be computed, no
    // method, rotation without reference edge or around a loop of them.
    CString motivoNonCalcolato() const;
    // Forgets the reference edge (it is leaving the model).
    void dimenticaCiglioRif() { m_ciglioRif = nullptr; }

protected:
    // The section line from a to b with its barb and label, when the two
    // are apart in plan.
    void disegnaSezione(const double a[3], const double b[3]);
    // The faces from the running index i up to s's station, paired with the
    // points of o's edge (its stations by index in sue); remembers that edge
    // and o's index. A face joins only stations that both rows have.
    void disegnaFacce(CPuntoSezione* s, CPuntoSezione* o, const StazioniRiga& mie, const StazioniRiga& sue, int& i,
                      CCiglio3D*& vicino, int& indiceVicino);
    void disegnaPolilinea3D();
    // The method list: profile, the plane for ring edges, then the candidate
    // reference edges (code + 7, description); a candidate that refers to
    // this edge is not offered.
    void elencoMetodi(CADDatoArray& tipiCalcolo, bool anello);
    // The codes of the edges this edge's code may take as reference, in
    // the order the method list offers them.
    static std::vector<int> candidatiRiferimento(int codice);
    // True when an edge computed by rotation (metodo 7) about rif would
    // reach itself through the references in effect (edges computed by
    // rotation about their reference).
    bool chiudeCiclo(const CCiglio3D* rif, int metodo) const;
    static CString motivoCiclo(const CCiglio3D* rif);
    // True (after the message, when asked) when there is a reason to refuse.
    bool rifiuta(const CString& motivo, bool avvisa) const;
    // Sets the curves of the vertex points with a radius on their vertices,
    // computes the profile when it is valid and reads back the radii used.
    void calcolaRaccordi(const std::vector<CPuntoVertice*>& punti);
    // The elevation by rotation about the reference edge: its elevation at
    // the facing point plus the plan distance times the cross slope; the
    // outer ring stands in when the reference edge is not met. 1 written.
    int quotaRotazione(double& quota, double prog);
    std::vector<CPuntoRotazione*> puntiRotazione() const;
    // A point of that type placed at a chainage and appended to the group,
    // made with its name when missing; null when none could be made.
    CPuntoCiglio* nuovoPunto(IQvObject_Group*& gruppo, int tipo, const wchar_t* nome, double prog);
    // The entries every edge lists, then the kind's own.
    void vociComuni(std::vector<CDato>& voci) const;
    static int consegnaElenco(const std::vector<CDato>& voci, CDato** dati, int* numero);
    // Makes a missing point group and names it; true when it had to be made.
    bool preparaGruppo(IQvObject_Group*& gruppo, const wchar_t* nome);
    // Display settings (named groups), set-up and the points tied to this edge.
    void impostaGruppo(IQvObject_Group* gruppo, int tipoElemento, bool conNome);
    void sostituisciGruppo(IQvObject_Group*& gruppo, const CDato& dato);
    // Frees the polyline and takes a new one, with its last node.
    void prendiPolilinea(datipoli* polilinea, datipoli* ultimo);
    void liberaGruppo(IQvObject_Group*& gruppo);
    void mostraMessaggio(const CString& testo) const;

    CString m_codice;
    int m_codiceEnum = 0;
    CString m_descrizione;
    int m_tipoCalcolo = 0;
    datipoli* m_polilinea = nullptr;
    datipoli* m_ultimo = nullptr;
    double m_lunghezza = 0.0;
    CCiglio3D* m_ciglioRif = nullptr;
    ICPROFILO* m_profilo = nullptr;
    ICVERTICE_PROFILO* m_ultimoInserito = nullptr;  // the profile's vertex inserted last
    bool m_profiloNonValido = false;
    IQvObject_Group* m_vertici = nullptr;
    IQvObject_Group* m_rotazione = nullptr;
    IQvObject_Group* m_verifica = nullptr;
    IQvObject_Group* m_puntiCiglio = nullptr;
    IQvObject_Group* m_nodi = nullptr;
    bool m_nonTrovato = true;
    CRotatoria3D* m_rotatoria = nullptr;
    ZylPolylineID m_entita;
    ZylPolylineID m_entita3D;
    CString m_handle3D;
    bool m_inRotazione = false;  // the elevation by rotation is being computed
    bool m_visVertici = false;
    bool m_visRotazione = false;
    CString m_codiceRif;
    CADDatoArray m_punti3D;
    std::vector<int> m_interruzioni;
    CADDatoArray m_rigaProfilo;
    CADDatoArray m_rigaRotazione;
    CString m_tracciatoEsportato;
};
