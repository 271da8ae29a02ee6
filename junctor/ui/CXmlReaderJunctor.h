// Reads the style file into the settings, the style list, the legend texts of
// the parameters and the parameter sets of the wanted style.
#pragma once

#include <CJunctorSettings.h>

#include "CXmlReader.h"

class CXmlReaderJunctor : public CXmlReader {
public:
    CXmlReaderJunctor();

    // Which sections Process reads; the fifth is not read.
    void SetSezioni(bool parametri, bool lista, bool legenda, bool impostazioni, bool quinto);
    void SetStile(const CString& nome) { m_strStile = nome; }
    // The settings, and from them at this moment the style list and both parameter sets.
    void SetDestinazioni(CJunctorSettings* settings);

    bool Process() override;
    virtual bool ProcessRoot(IXMLDOMNode* root);

protected:
    // DOM helpers: a failed call reads as a missing node or an empty text.
    static CString NomeNodo(IXMLDOMNode* node);
    static bool HaFigli(IXMLDOMNode* node);
    // The node's text when it has children and the text is not empty.
    static bool LeggiTesto(IXMLDOMNode* node, CString& testo);
    static LONG NumeroFigli(IXMLDOMNodeList* lista);
    // The children of a node (empty on failure); the caller releases each.
    static void Figli(IXMLDOMNode* node, CArray<IXMLDOMNode*>& figli);
    static void Rilascia(CArray<IXMLDOMNode*>& nodi);

    // The parameter a legend key names, across both sets.
    CSingleConstrPar* TrovaVoceLegenda(const CString& chiave, bool immagine);
    // The parameter with that code in that container of the style.
    CSingleConstrPar* TrovaParametro(const CString& contenitore, const CString& codice);

    // Every number the walk would take, checked before anything is taken:
    // false, after the report, when one is no number.
    bool VerificaNumeri(IXMLDOMNode* root);
    bool VerificaNumero(IXMLDOMNode* valore, const CString& dove, const CString& parametro);

    void LeggiImpostazioni(IXMLDOMNode* impostazioni);
    void LeggiLegenda(IXMLDOMNode* legenda);
    void LeggiStile(IXMLDOMNode* stile);

    bool m_bParametri;
    bool m_bLista;
    bool m_bImpostazioni;
    bool m_bLegenda;
    bool m_bQuinto;
    CString m_strStile;
    CConstrStylesMgr* m_pStili;
    CConstrPars* m_pParametri;
    CLanePars* m_pCorsie;
    CJunctorSettings* m_pSettings;
};
