// Rewrites the style file: 0 the settings, 1 adds the current style, 2
// overwrites a style, 3 deletes a style, 4 makes the print copy. It loads the
// file as the reader does and rebuilds it in a new document.
#pragma once

#include "CXmlDomWriter.h"
#include "CXmlReaderJunctor.h"

class CXmlWriterJunctor : public CXmlReaderJunctor {
public:
    enum { MODO_IMPOSTAZIONI = 0, MODO_AGGIUNGI = 1, MODO_SOVRASCRIVI = 2, MODO_CANCELLA = 3, MODO_STAMPA = 4 };

    CXmlWriterJunctor();
    ~CXmlWriterJunctor() override;

    void SetModo(int modo) { m_nModo = modo; }
    void SetUscita(bool inPlace, const CString& percorso);
    void SetFoglioStile(const CString& href) { m_strFoglioStile = href; }
    void SetDescrizione(const CString& descrizione) { m_strDescrizione = descrizione; }

    bool ProcessRoot(IXMLDOMNode* root) override;
    // Appends one INTERSEZIONE built from the settings.
    void ScriviStile(IXMLDOMNode* parent);

    // Whether a text can stand in an XML 1.0 document.
    static bool TestoXmlValido(const CString& testo);

private:
    void ScriviImpostazioni(IXMLDOMNode* parent);
    void CopiaAttornoAllaRadice(bool prima);
    void ScriviParametro(IXMLDOMNode* gruppo, LPCWSTR codice, const CSingleConstrPar& p);
    // The checks made before anything is built; each failure ends the run.
    void Verifica(IXMLDOMNode* root);
    // Fails the run when a value text would not read back as a finite number.
    void VerificaNumero(LPCWSTR codice, const CString& testo);
    // Reading the input document: here a failed call ends the run, as a
    // misread node would otherwise be dropped from the file.
    CString NomeInput(IXMLDOMNode* node);
    CString AttributoInput(IXMLDOMNode* node, LPCWSTR name);
    bool HaFigliInput(IXMLDOMNode* node);
    void FigliInput(IXMLDOMNode* node, CArray<IXMLDOMNode*>& figli);

    CXmlDomWriter m_domWriter;
    int m_nModo;
    bool m_bInPlace;
    CString m_strUscita;
    CString m_strFoglioStile;
    CString m_strDescrizione;
    CString m_strVersione;
    CString m_strMetodo;
    // The failure text of a check that names what failed.
    CString m_strErrore;
};
