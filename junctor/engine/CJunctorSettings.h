// The state that the intersection commands, the dialogs and the style file
// share during one command: the style list and the parameter sets being edited
// (none owned), the construction method, the editing options and the paths.
#pragma once

#include <afx.h>

#include "CConstrPars.h"
#include "CConstrStylesMgr.h"
#include "CLanePars.h"

class CJunctorSettings {
public:
    // The spinners' step when nothing sensible is given.
    static constexpr double INCREMENTO_PREDEFINITO = 1.0;

    CJunctorSettings();

    CConstrStylesMgr* GetStili() const { return m_stili; }
    void SetStili(CConstrStylesMgr* stili) { m_stili = stili; }
    CConstrPars* GetParametri() const { return m_parametri; }
    void SetParametri(CConstrPars* parametri) { m_parametri = parametri; }
    CLanePars* GetParCorsie() const { return m_parCorsie; }
    void SetParCorsie(CLanePars* parCorsie) { m_parCorsie = parCorsie; }
    // Leg shown in the dialogs: 1 the In leg, 0 the Out leg, 2 none.
    int GetRamo() const { return m_ramo; }
    void SetRamo(int ramo) { m_ramo = ramo; }
    // Construction method code, "F" or "CH".
    CString GetMetodo() const { return m_metodo; }
    void SetMetodo(CString metodo) { m_metodo = metodo; }
    CString GetVersione() const { return m_versione; }
    void SetVersione(CString versione) { m_versione = versione; }
    bool GetTricentrica() const { return m_tricentrica; }
    void SetTricentrica(bool tricentrica) { m_tricentrica = tricentrica; }
    int GetDecimali() const { return m_decimali; }
    void SetDecimali(int decimali) { m_decimali = decimali; }
    double GetIncremento() const { return m_incremento; }
    void SetIncremento(double incremento) { m_incremento = incremento; }
    bool GetUseAutoCAD() const { return m_useAutoCAD; }
    void SetUseAutoCAD(bool useAutoCAD) { m_useAutoCAD = useAutoCAD; }
    // User's angle unit: 0 decimal degrees, 1 grads, 2 radians.
    int GetUnitaAngoli() const { return m_unitaAngoli; }
    void SetUnitaAngoli(int unita) { m_unitaAngoli = unita; }
    // The drawing's angle unit: 0 deg, 1 grad, 2 rad, 3 dms, 4 surveyor's units.
    int GetUnitaAutoCAD() const { return m_unitaAutoCAD; }
    void SetUnitaAutoCAD(int unita) { m_unitaAutoCAD = unita; }
    bool GetPannelloImmagine() const { return m_pannelloImmagine; }
    void SetPannelloImmagine(bool aperto) { m_pannelloImmagine = aperto; }
    CString GetPathXml() const { return m_pathXml; }
    void SetPathXml(CString path) { m_pathXml = path; }
    CString GetImmagine() const { return m_immagine; }
    void SetImmagine(CString immagine) { m_immagine = immagine; }
    CString GetCartella() const { return m_cartella; }
    void SetCartella(CString cartella) { m_cartella = cartella; }

    // Unit names, translated: gradi centesimali, gradi decimali,
    // gradi-minuti-secondi, radianti, unità topografiche.
    void GetNomiUnitaAngoli(CStringArray& nomi) const;
    // Name of the user's angle unit (0, 1, 2); empty for any other index.
    CString GetNomeUnitaAngoli() const;
    // The same for the drawing's angle unit.
    CString GetNomeUnitaAutoCAD() const;
    // The unit whose translated name is given; any other name leaves the unit.
    void SetUnitaAngoliDaNome(CString nome);

    // The translated name of the method; an unknown code as it is.
    CString GetNomeMetodo() const;
    void GetNomiMetodi(CStringArray& nomi) const;
    // The code of a translated method name; any other text is kept as the code.
    void SetMetodoDaNome(CString nome);

    CString GetDecimaliTesto() const;
    // The spinner step as a value text with the settings' decimals.
    CString GetIncrementoTesto() const;
    CString GetTricentricaTesto() const;
    CString GetUseAutoCADTesto() const;
    void SetTricentricaDaTesto(CString testo);
    void SetUseAutoCADDaTesto(CString testo);

    // The current style of the list; throws as CConstrStylesMgr::GetCorrente,
    // also when there is no list.
    void GetStileCorrente(CString& nome, CString& descrizione) const;
    // Appends copies of every style of the list.
    void CopiaStili(CArray<ConstrStyle>& stili) const;
    // Makes the style current and names the parameter set after it.
    void SelezionaStile(CString nome);
    // The user's angle unit on the parameter set's angles.
    void ApplicaUnitaAngoli();
    // Fills the derived lane parameters from their inputs.
    void CalcolaCorsie();

private:
    CString NomeUnita(int indice) const;

    CConstrStylesMgr* m_stili = nullptr;
    CConstrPars* m_parametri = nullptr;
    CLanePars* m_parCorsie = nullptr;
    int m_ramo = 2;
    CString m_metodo;
    CString m_versione = L"1";
    bool m_tricentrica = false;
    int m_decimali = 0;
    double m_incremento = INCREMENTO_PREDEFINITO;
    bool m_useAutoCAD = false;
    int m_unitaAngoli = 2;
    int m_unitaAutoCAD = 2;
    bool m_pannelloImmagine = false;
    CString m_pathXml;
    CString m_immagine;
    CString m_cartella;
    CString m_nomeRadianti;
    CString m_nomeGradiDecimali;
    CString m_nomeGradiCentesimali;
    CString m_nomeGradiMinutiSecondi;
    CString m_nomeUnitaTopografiche;
};
