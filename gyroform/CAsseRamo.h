// A branch axis: one road leaving the roundabout. It holds the axis polyline
// from the outer ring outwards (ring-centred), the road's alignment and the
// alignment's edge polylines of the branch, where the axis leaves the ring,
// and the road's cross-section and profile values at the branch end.
#pragma once

#include "DatiPoli.h"
#include "ICAsseRamo.h"
#include "ICTRACCIATO.h"
#include "ZylEntityID.h"

class CRotatoria3D;

class CAsseRamo : public ICAsseRamo {
public:
    CAsseRamo() = default;
    ~CAsseRamo() override;
    CAsseRamo(const CAsseRamo&) = delete;
    CAsseRamo& operator=(const CAsseRamo&) = delete;

    bool IsA(int) const override { return false; }
    int GetTipoBase() const override { return 0; }
    int GetTipo() const override;
    CDato GetDato(int id, bool* ok = nullptr) const override;
    int LeggiDato(int id, CDato& dato) const override;
    CString GetDatoStringa(int, int, int) const override { return CString(); }
    int SetDato(const CDato&, int = 1) override { return 0; }
    CString GetNomeTipo() const override;
    int GetElencoDati(CDato** dati, int* numero, int contesto = 0) const override;
    int GetRiservato() const override { return 0; }

    int getProfili(CADDatoArray& profili) override;
    int setProfilo(const wchar_t* layerName) override;
    CString getProfilo() override { return m_profilo; }
    CString getNome() override { return m_nome; }
    double getQuotaCentriRotazione() override { return m_quotaCentriRotazione; }
    void setQuotaCentriRotazione(double quota) override { m_quotaCentriRotazione = quota; }
    double getPendenzaLongCentriDiRotazione() override { return m_pendenzaLongCentriDiRotazione; }
    void setPendenzaLongCentriDiRotazione(double pendenza) override { m_pendenzaLongCentriDiRotazione = pendenza; }
    int isQuotaCentriRotazioneNP() override { return m_quotaNP ? 1 : 0; }

    // Takes the axis polyline (freeing the older one) and, when the axis has
    // none yet, the alignment; an alignment it does not take is freed.
    int inizializzaAsse(CRotatoria3D* rotatoria, const wchar_t* nome, datipoli* polilinea, bool direzione,
                        ICTRACCIATO* tracciato, double posizioneAnello);
    // Cuts the axis at its farthest crossing with the outer ring.
    void intersecaAnello(bool forza);
    // Lengthens the branch to a point of one of its edges.
    int calcolaLunghezza(const double punto[3]);
    // Reads the cross-section and profile values at the branch end.
    int leggiDatiProfilo();
    // Stores an alignment edge polyline by its side code; 1. A polyline of
    // another side code stays the caller's.
    int assegnaCiglioTracciato(const wchar_t* lato, datipoli* polilinea);
    datipoli* getPolilineaCiglio(int codice) const;
    int scriviPolilinea(const ZylBlockID& blocco);
    int cancellaPolilinea();
    void traslaPolilinea(const Zyl_GeMatrix3d& matrice);
    double getDirezione();
    void impostaNomeEsportazione(bool secondo);
    // This axis lies strictly further along the ring than the other.
    bool confrontaPosizione(const CAsseRamo* altro) const;
    void azzera();

    datipoli* getPolilinea() const { return m_polilinea; }
    double getLunghezzaAsse() const { return m_lunghezza; }
    bool isNonTrovato() const { return m_nonTrovato; }
    double getPosizioneAnello() const { return m_posizioneAnello; }
    bool getDirezioneTracciato() const { return m_direzione; }
    ICTRACCIATO* getTracciato() const { return m_tracciato; }
    const ZylPolylineID& getEntita() const { return m_entita; }
    const CString& getNomeEsportazione() const { return m_nomeEsportazione; }
    double getProgFineRamo() const { return m_progFine; }
    // Cross values at the branch end: A on the right of the branch seen
    // towards the ring (edges 5000, 6000), B on its left (3000, 4000).
    double getValoreA() const { return m_valoreA; }
    double getValoreB() const { return m_valoreB; }
    double getSecondoA() const { return m_secondoA; }
    double getSecondoB() const { return m_secondoB; }
    double getGradienteA() const { return m_gradienteA; }
    double getGradienteB() const { return m_gradienteB; }

private:
    static int indiceCiglio(int codice);

    CString m_nome;
    datipoli* m_polilinea = nullptr;
    double m_lunghezza = 0.0;
    bool m_nonTrovato = true;
    ZylPolylineID m_entita;
    double m_posizioneAnello = -1.0;
    datipoli* m_cigli[4] = {nullptr, nullptr, nullptr, nullptr};  // 6000, 3000, 5000, 4000
    bool m_direzione = false;
    ICTRACCIATO* m_tracciato = nullptr;
    CString m_profilo = L"PROGETTO";
    double m_progFine = 0.0;
    double m_valoreA = 0.0, m_valoreB = 0.0;
    double m_secondoA = 0.0, m_secondoB = 0.0;
    double m_quotaCentriRotazione = 0.0;
    double m_pendenzaLongCentriDiRotazione = 0.0;
    double m_gradienteA = 0.0, m_gradienteB = 0.0;
    bool m_quotaNP = true;
    double m_progIncrocio = 0.0;
    double m_direzioneIncrocio = 0.0;
    CRotatoria3D* m_rotatoria = nullptr;
    CString m_nomeEsportazione;
};
