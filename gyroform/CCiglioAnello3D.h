// An edge of the ring: the inner (1000) or the outer (2000) edge of the
// circulatory carriageway. It adds the plane points and the plane fit.
#pragma once

#include "CCiglio3D.h"

class CCiglioAnello3D : public CCiglio3D {
public:
    CCiglioAnello3D() = default;
    ~CCiglioAnello3D() override;

    bool IsA(int tipo) const override;
    int GetTipo() const override;
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    int GetElencoDati(CDato** dati, int* numero, int contesto = 0) const override;

    IQvObject_Group* getPunti(int tipo) override;
    CADDatoArray* getPuntiAltCiglio(int tipoGruppo) override;
    void getTipiCalcolo(CADDatoArray& tipiCalcolo) override;
    int getVisualizzaSuGrafico(int tipoGruppoPunti) override;
    void setVisualizzaSuGrafico(int tipoGruppoPunti, int visualizza) override;
    void setUsaPianoParallelo(int usa) override { m_usaPianoParallelo = usa != 0; }
    int getUsaPianoParallelo() override { return m_usaPianoParallelo ? 1 : 0; }
    void setDiffQuotaPiani(double diffQuota) override { m_diffQuotaPiani = diffQuota; }
    double getDiffQuotaPiani() override { return m_diffQuotaPiani; }

    CAsseRamo* getAsseRamo() override { return nullptr; }
    int inizializzaCiglio(CRotatoria3D* rotatoria, const wchar_t* codice, CAsseRamo* asse, datipoli* polilinea,
                          datipoli* ultimo) override;
    bool precede(CCiglio3D* nuovo) override;
    int calcolaGeometria(CPuntoNodo*, CPuntoNodo**) override { return 1; }
    int creaGruppiPunti() override;
    int calcolaProfilo(int tipoEvento, IQvObject_GroupMember* punto, CDato dato) override;
    int calcolaRotazione(int tipoEvento, IQvObject_GroupMember* punto, CDato dato) override;
    int calcolaPiano() override;
    int getQuotaDaProg(double& quota, double prog, int tipo) override;
    double getPendenzaDaProg(double prog) override;
    virtual int adattaPunti();

    // The plane z = a x + b y + c in ring-centred coordinates.
    void getPiano(double& a, double& b, double& c) const {
        a = m_a;
        b = m_b;
        c = m_c;
    }

private:
    // Three plane points at 0, L/3 and 2L/3 at the reference elevation,
    // where the group lacks them.
    void completaPuntiPiano();
    int pianoParallelo();

    IQvObject_Group* m_piano = nullptr;
    bool m_visPiano = false;
    bool m_usaPianoParallelo = false;
    double m_diffQuotaPiani = 0.0;
    double m_a = 0.0, m_b = 0.0, m_c = 0.0;
    CADDatoArray m_rigaPiano;
};
