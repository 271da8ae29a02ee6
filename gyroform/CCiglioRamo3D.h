// An edge of a branch: outer left (3000), inner left (4000), inner right
// (5000) or outer right (6000), seen from the branch towards the ring. Its
// geometry is completed against its axis; the saved axis values serve while
// it is rebuilt from saved data, before its axis is bound.
#pragma once

#include "CCiglio3D.h"

class CCiglioRamo3D : public CCiglio3D {
public:
    CCiglioRamo3D() = default;
    ~CCiglioRamo3D() override;

    bool IsA(int tipo) const override;
    int GetTipo() const override;
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    int GetElencoDati(CDato** dati, int* numero, int contesto = 0) const override;

    CADDatoArray* getPuntiAltCiglio(int tipoGruppo) override;
    void getTipiCalcolo(CADDatoArray& tipiCalcolo) override;

    void azzera() override;
    CAsseRamo* getAsseRamo() override { return m_asse; }
    int inizializzaCiglio(CRotatoria3D* rotatoria, const wchar_t* codice, CAsseRamo* asse, datipoli* polilinea,
                          datipoli* ultimo) override;
    bool precede(CCiglio3D* nuovo) override;
    int getPuntoIniziale(Zyl_GePoint3d& punto) override;
    int calcolaGeometria(CPuntoNodo* incontro, CPuntoNodo** nodoSinistro) override;
    int calcolaProfilo(int tipoEvento, IQvObject_GroupMember* punto, CDato dato) override;
    int calcolaRotazione(int tipoEvento, IQvObject_GroupMember* punto, CDato dato) override;
    int calcolaPiano() override { return 1; }
    int getQuotaDaProg(double& quota, double prog, int tipo) override;
    virtual int adattaPunti(CPuntoNodo* a, CPuntoNodo* b);
    virtual CCiglio3D* getSecondoNodo(CPuntoNodo*& collegato);

    // The saved axis values, for a rebuild from saved data.
    const CString& getHandleAsseSalvato() const { return m_handleAsse; }
    const CString& getNomeAsseSalvato() const { return m_nomeAsse; }

private:
    // Replaces the edge's end by a cut of a polyline: the last vertex takes
    // the cut's first vertex and the rest follows.
    void sostituisciFine(datipoli* taglio);
    // The values of this edge's side at the branch end: cross value, its
    // gradient and the second value.
    void valoriLato(double& i, double& k, double& w) const;

    // Compute calls started by hand-overs nest at most this deep (legitimate
    // chains nest at most 4).
    class Annidamento {
    public:
        Annidamento() { ++s_profondita; }
        ~Annidamento() { --s_profondita; }
        Annidamento(const Annidamento&) = delete;
        Annidamento& operator=(const Annidamento&) = delete;
        bool consentito() const { return s_profondita <= 8; }

    private:
        static inline int s_profondita = 0;
    };

    // Hands the second node's elevation and slope, from this edge's own
    // method, over to the partner edge with the third node.
    void consegnaSecondoNodo(CPuntoNodo* n2, CPuntoNodo* n3);
    // The rotation points of an outer edge, of an island edge hung from the
    // outer edge of its side, and of an island edge hung from the other one.
    void rotazioneEsterno(int tipoEvento, CPuntoNodo* n1, CPuntoNodo* m1, CPuntoNodo* fine, CPuntoNodo* fineRif);
    void rotazioneSuEsterno(const std::vector<CPuntoNodo*>& nodiRif, CPuntoNodo* n1, CPuntoNodo* fine,
                            CPuntoNodo* fineRif);
    void rotazioneSuInterno(CPuntoNodo* n1, CPuntoNodo* n2, CPuntoNodo* t, CPuntoNodo* m1, CPuntoNodo* m2,
                            CPuntoNodo* u, CPuntoNodo* fine, CPuntoNodo* fineRif);
    void pendenzaFinale(CPuntoRotazione* ultimo, CPuntoNodo* fine, CPuntoNodo* fineRif);
    // Places a rotation point at a chainage, or a new one appended for none.
    CPuntoRotazione* puntoRotazione(CPuntoRotazione* punto, double prog);

    // Keeps only the points of a group up to a chainage, and one there.
    void tagliaPunti(IQvObject_Group* gruppo, int tipo, double prog);

    CAsseRamo* m_asse = nullptr;
    bool m_inValutazione = false;  // an elevation of this edge is being computed
    CString m_handleAsse;
    CString m_nomeAsse;
    double m_posizioneAnello = -1.0;
    double m_quotaCentri = 0.0;
    double m_pendenzaCentri = 0.0;
    int m_direzione = 0;
};
