// One construction parameter: a value with its code, description, picture, unit
// text and number of decimals, shown as text and taken back from text.
#pragma once

#include <afx.h>

class CSingleConstrPar {
public:
    CSingleConstrPar() = default;
    CSingleConstrPar(const CSingleConstrPar&) = default;
    CSingleConstrPar& operator=(const CSingleConstrPar&) = default;
    virtual ~CSingleConstrPar() = default;

    // The value in the unit shown.
    virtual double GetValore() const;
    // The value text in the shown unit (see FormattaValore).
    virtual CString GetValoreTesto() const;
    // Takes the value from a text in the shown unit.
    virtual void SetValoreDaTesto(CString testo);
    // Takes a value in the shown unit; returns the number stored.
    virtual double SetValore(double valore);
    virtual void SetUnita(CString unita);

    CString GetNome() const { return m_nome; }
    void SetNome(CString nome) { m_nome = nome; }
    CString GetDescrizione() const { return m_descrizione; }
    void SetDescrizione(CString descrizione) { m_descrizione = descrizione; }
    CString GetPathImg() const { return m_pathImg; }
    void SetPathImg(CString pathImg) { m_pathImg = pathImg; }
    CString GetUnita() const { return m_unita; }
    // Label of the parameter's row in the trees: code, blank, unit ("h [m]").
    CString GetEtichetta() const;
    // The value text of a number with this parameter's decimals: "%g" decides
    // between exponent and fixed form, the decimals give the digits.
    CString FormattaValore(double valore) const;

protected:
    int m_decimali = 3;
    double m_valore = 0.0;
    CString m_nome;
    CString m_descrizione;
    CString m_pathImg;
    CString m_unita = L"[m]";
};
