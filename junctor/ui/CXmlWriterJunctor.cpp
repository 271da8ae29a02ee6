#include "CXmlWriterJunctor.h"

#include <NumeroTesto.h>
#include <TranslatorBinding.h>

namespace {

const wchar_t kDichiarazione[] = L"version='1.0' encoding = 'UTF-8'";
const wchar_t kFoglioStile[] = L"type = 'text/xsl' href = 'StylesView/Junctor.xsl'";

}  // namespace

CXmlWriterJunctor::CXmlWriterJunctor() : m_nModo(MODO_IMPOSTAZIONI), m_bInPlace(true) {}

CXmlWriterJunctor::~CXmlWriterJunctor() = default;

void CXmlWriterJunctor::SetUscita(bool inPlace, const CString& percorso) {
    m_bInPlace = inPlace;
    m_strUscita = percorso;
}

// XML 1.0 characters: tab, line feed, carriage return and the ranges from
// blank to U+D7FF, U+E000 to U+FFFD and U+10000 to U+10FFFF (as surrogate
// pairs where wide characters have 16 bits).
bool CXmlWriterJunctor::TestoXmlValido(const CString& testo) {
    const int n = testo.GetLength();
    for (int i = 0; i < n; ++i) {
        unsigned long c = static_cast<unsigned long>(testo[i]);
        if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < n) {
            unsigned long low = static_cast<unsigned long>(testo[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                ++i;
                continue;
            }
        }
        bool ok = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
                  (c >= 0x10000 && c <= 0x10FFFF);
        if (!ok) return false;
    }
    return true;
}

CString CXmlWriterJunctor::NomeInput(IXMLDOMNode* node) {
    BSTR b = nullptr;
    if (FAILED(node->get_nodeName(&b))) m_domWriter.Fallisci(L"Unable to get name from XML node.");
    CString nome = b ? b : L"";
    SysFreeString(b);
    return nome;
}

// Empty when the element has no such attribute.
CString CXmlWriterJunctor::AttributoInput(IXMLDOMNode* node, LPCWSTR name) {
    CComPtr<IXMLDOMElement> e;
    if (FAILED(node->QueryInterface(__uuidof(IXMLDOMElement), reinterpret_cast<void**>(&e))) || !e)
        m_domWriter.Fallisci(L"Unable to get text from XML attribute.");
    BSTR bName = SysAllocString(name);
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = e->getAttribute(bName, &v);
    SysFreeString(bName);
    CString value = hr == S_OK && v.vt == VT_BSTR && v.bstrVal ? v.bstrVal : L"";
    VariantClear(&v);
    if (FAILED(hr)) m_domWriter.Fallisci(L"Unable to get text from XML attribute.");
    return value;
}

bool CXmlWriterJunctor::HaFigliInput(IXMLDOMNode* node) {
    VARIANT_BOOL has = VARIANT_FALSE;
    if (FAILED(node->hasChildNodes(&has))) m_domWriter.Fallisci(L"Unable to get item from node list.");
    return has == VARIANT_TRUE;
}

void CXmlWriterJunctor::FigliInput(IXMLDOMNode* node, CArray<IXMLDOMNode*>& figli) {
    figli.RemoveAll();
    CComPtr<IXMLDOMNodeList> lista;
    LONG n = 0;
    if (FAILED(node->get_childNodes(&lista)) || !lista || FAILED(lista->get_length(&n)))
        m_domWriter.Fallisci(L"Unable to get item from node list.");
    for (LONG i = 0; i < n; ++i) {
        IXMLDOMNode* figlio = nullptr;
        if (FAILED(lista->get_item(i, &figlio)) || !figlio) {
            Rilascia(figli);
            m_domWriter.Fallisci(L"Unable to get item from node list.");
        }
        figli.Add(figlio);
    }
}

void CXmlWriterJunctor::Verifica(IXMLDOMNode* root) {
    if (m_nModo < MODO_IMPOSTAZIONI || m_nModo > MODO_STAMPA) m_domWriter.Fallisci(L"Unknown save mode.");
    // A foreign or empty file is left as it is rather than replaced by an empty root.
    if (NomeInput(root) != L"INTERSEZIONI_RASO" || !HaFigliInput(root))
        m_domWriter.Fallisci(L"The XML document is not a style file (root INTERSEZIONI_RASO with content).");
    if (m_nModo == MODO_IMPOSTAZIONI && !m_pSettings) m_domWriter.Fallisci(L"No settings to write.");
    if (m_nModo == MODO_AGGIUNGI || m_nModo == MODO_SOVRASCRIVI) {
        if (!m_pSettings || !m_pParametri || !m_pCorsie) m_domWriter.Fallisci(L"No style to write.");
        if (!TestoXmlValido(m_strStile) || !TestoXmlValido(m_strDescrizione))
            m_domWriter.Fallisci(L"The style name or description holds characters an XML document cannot carry.");
    }
    // A value text the reader would refuse would make the whole file
    // unreadable: nothing is written then.
    if (m_nModo == MODO_IMPOSTAZIONI) VerificaNumero(L"INCREMENTO_SPIN", m_pSettings->GetIncrementoTesto());
    if (m_nModo == MODO_AGGIUNGI || m_nModo == MODO_SOVRASCRIVI) {
        for (int k = 0; k < CConstrPars::NUMERO_IN_FILE; ++k) {
            const int i = CConstrPars::ORDINE_FILE[k];
            VerificaNumero(CConstrPars::DESCRITTORI[i].codice, m_pParametri->Parametro(i).GetValoreTesto());
        }
        for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i)
            VerificaNumero(CLanePars::DESCRITTORI[i].codice, m_pCorsie->Parametro(i).GetValoreTesto());
    }
    if (m_nModo == MODO_SOVRASCRIVI) {
        // Overwriting a style the file does not hold would lose the edits.
        bool trovato = false;
        CArray<IXMLDOMNode*> figli;
        FigliInput(root, figli);
        try {
            for (INT_PTR i = 0; i < figli.GetSize() && !trovato; ++i)
                trovato = NomeInput(figli[i]) == L"INTERSEZIONE" && AttributoInput(figli[i], L"style") == m_strStile;
        } catch (...) {
            Rilascia(figli);
            throw;
        }
        Rilascia(figli);
        if (!trovato) m_domWriter.Fallisci(L"The style to overwrite is not in the XML document.");
    }
}

void CXmlWriterJunctor::VerificaNumero(LPCWSTR codice, const CString& testo) {
    double valore = 0;
    if (LeggiNumeroCompleto(testo, valore)) return;
    m_strErrore.Format(L"The value of a parameter is not a number a style file can hold: %s \"%s\".", codice,
                       (LPCWSTR)testo);
    m_domWriter.Fallisci(m_strErrore);
}

bool CXmlWriterJunctor::ProcessRoot(IXMLDOMNode* root) {
    m_domWriter.Azzera();
    try {
        Verifica(root);
        m_domWriter.Crea();
        if (!m_domWriter.IsCreato()) {
            AfxMessageBox(TranslateText(L"Impossibile salvare: errore in inizializzazione."), MB_OK);
            throw 0;
        }
        m_domWriter.AggiungiIstruzione(L"xml", kDichiarazione);
        CString foglio = kFoglioStile;
        if (m_nModo == MODO_STAMPA) foglio = L"type = 'text/xsl' href = '" + m_strFoglioStile + L"'";
        m_domWriter.AggiungiIstruzione(L"xml-stylesheet", foglio);
        // Nothing that was read is dropped but what the run replaces: the
        // comments and instructions around the root, the root's attributes
        // (namespace declarations among them), children of any name.
        CopiaAttornoAllaRadice(true);
        CComPtr<IXMLDOMNode> uscita;
        uscita.Attach(m_domWriter.AggiungiRadice(L"INTERSEZIONI_RASO"));
        m_domWriter.CopiaAttributi(uscita, root);

        CArray<IXMLDOMNode*> figli;
        FigliInput(root, figli);
        try {
            for (INT_PTR i = 0; i < figli.GetSize(); ++i) {
                IXMLDOMNode* c = figli[i];
                if (m_nModo == MODO_STAMPA) {
                    m_domWriter.CopiaNodo(uscita, c);
                    continue;
                }
                CString nome = NomeInput(c);
                if (nome == L"IMPOSTAZIONI" && m_nModo == MODO_IMPOSTAZIONI) {
                    ScriviImpostazioni(uscita);
                } else if (nome == L"INTERSEZIONE" && AttributoInput(c, L"style") == m_strStile &&
                           (m_nModo == MODO_SOVRASCRIVI || m_nModo == MODO_CANCELLA)) {
                    if (m_nModo == MODO_SOVRASCRIVI) {
                        m_strVersione = AttributoInput(c, L"version");
                        m_strMetodo = AttributoInput(c, L"method");
                        ScriviStile(uscita);
                    }
                } else {
                    m_domWriter.CopiaNodo(uscita, c);
                }
            }
        } catch (...) {
            Rilascia(figli);
            throw;
        }
        Rilascia(figli);
        if (m_nModo == MODO_AGGIUNGI) ScriviStile(uscita);
        uscita.Release();
        CopiaAttornoAllaRadice(false);
        if (m_bInPlace) m_domWriter.SalvaSu(GetPercorso());
        else m_domWriter.SalvaCome(m_strUscita);
        return true;
    } catch (int) {
        CString testo = L"Errore nel salvataggio: ";
        if (m_domWriter.GetTestoErrore()) testo += m_domWriter.GetTestoErrore();
        AfxMessageBox(testo, MB_OK);
        return false;
    }
}

// The comments and processing instructions of the input document before the
// root (prima) or after it. Its declaration and stylesheet are the run's own.
void CXmlWriterJunctor::CopiaAttornoAllaRadice(bool prima) {
    if (!m_pXMLDom) return;
    CArray<IXMLDOMNode*> figli;
    FigliInput(m_pXMLDom, figli);
    try {
        bool dopo = false;
        for (INT_PTR i = 0; i < figli.GetSize(); ++i) {
            IXMLDOMNode* c = figli[i];
            DOMNodeType tipo = NODE_INVALID;
            if (FAILED(c->get_nodeType(&tipo))) m_domWriter.Fallisci(L"Unable to get name from XML node.");
            if (tipo == NODE_ELEMENT) {
                dopo = true;
                continue;
            }
            if (dopo == prima) continue;
            if (tipo == NODE_COMMENT) {
                m_domWriter.AggiungiNodoDocumento(c);
            } else if (tipo == NODE_PROCESSING_INSTRUCTION) {
                const CString nome = NomeInput(c);
                if (nome != L"xml" && nome != L"xml-stylesheet") m_domWriter.AggiungiNodoDocumento(c);
            }
        }
    } catch (...) {
        Rilascia(figli);
        throw;
    }
    Rilascia(figli);
}

void CXmlWriterJunctor::ScriviImpostazioni(IXMLDOMNode* parent) {
    CComPtr<IXMLDOMNode> impostazioni, e;
    impostazioni.Attach(m_domWriter.AggiungiFiglio(parent, L"IMPOSTAZIONI"));
    e.Attach(m_domWriter.AggiungiFiglio(impostazioni, L"INCREMENTO_SPIN"));
    m_domWriter.ImpostaTesto(e, m_pSettings->GetIncrementoTesto());
    e.Attach(m_domWriter.AggiungiFiglio(impostazioni, L"DECIMALI_SPIN"));
    m_domWriter.ImpostaTesto(e, m_pSettings->GetDecimaliTesto());
    e.Attach(m_domWriter.AggiungiFiglio(impostazioni, L"UNITA_MISURA_ANGOLI"));
    m_domWriter.AggiungiAttributo(e, L"useAutoCAD", m_pSettings->GetUseAutoCADTesto());
    m_domWriter.ImpostaTesto(e, m_pSettings->GetNomeUnitaAngoli());
    e.Attach(m_domWriter.AggiungiFiglio(impostazioni, L"METODO_COSTRUZIONE"));
    m_domWriter.ImpostaTesto(e, m_pSettings->GetMetodo());
    e.Attach(m_domWriter.AggiungiFiglio(impostazioni, L"TRICENTRICA_CNR"));
    m_domWriter.ImpostaTesto(e, m_pSettings->GetTricentricaTesto());
}

// The name written is the code of the format, whatever name the legend gave
// the parameter, so that the file always reads back.
void CXmlWriterJunctor::ScriviParametro(IXMLDOMNode* gruppo, LPCWSTR codice, const CSingleConstrPar& p) {
    CComPtr<IXMLDOMNode> e;
    e.Attach(m_domWriter.AggiungiFiglio(gruppo, L"PARAMETRO"));
    m_domWriter.AggiungiAttributo(e, L"name", codice);
    m_domWriter.AggiungiAttributo(e, L"measUnit", p.GetUnita());
    m_domWriter.ImpostaTesto(e, p.GetValoreTesto());
}

void CXmlWriterJunctor::ScriviStile(IXMLDOMNode* parent) {
    CComPtr<IXMLDOMNode> stile;
    stile.Attach(m_domWriter.AggiungiFiglio(parent, L"INTERSEZIONE"));
    m_domWriter.AggiungiAttributo(stile, L"style", m_strStile);
    m_domWriter.AggiungiAttributo(stile, L"desc", m_strDescrizione);
    m_domWriter.AggiungiAttributo(stile, L"version", m_pSettings->GetVersione());
    m_domWriter.AggiungiAttributo(stile, L"method", m_pSettings->GetMetodo());
    m_domWriter.AggiungiAttributo(stile, L"corsia_imm", m_pCorsie->GetCorsiaImm());
    m_domWriter.AggiungiAttributo(stile, L"corsia_usc", m_pCorsie->GetCorsiaUsc());
    m_domWriter.AggiungiAttributo(stile, L"corsia_sx", m_pCorsie->GetCorsiaSx());
    m_domWriter.AggiungiAttributo(stile, L"corsia_sx_urbano", m_pCorsie->GetCorsiaSxUrbano());

    // ISOLA and RACCORDO in the file's order of the style set.
    CComPtr<IXMLDOMNode> gruppo;
    CString contenitore;
    for (int k = 0; k < CConstrPars::NUMERO_IN_FILE; ++k) {
        int i = CConstrPars::ORDINE_FILE[k];
        const DescrittoreParametro& d = CConstrPars::DESCRITTORI[i];
        if (contenitore != d.contenitore) {
            contenitore = d.contenitore;
            gruppo.Attach(m_domWriter.AggiungiFiglio(stile, contenitore));
        }
        ScriviParametro(gruppo, d.codice, m_pParametri->Parametro(i));
    }
    // The lane set in record order, which is the file's.
    for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i) {
        const DescrittoreParametro& d = CLanePars::DESCRITTORI[i];
        if (contenitore != d.contenitore) {
            contenitore = d.contenitore;
            gruppo.Attach(m_domWriter.AggiungiFiglio(stile, contenitore));
        }
        ScriviParametro(gruppo, d.codice, m_pCorsie->Parametro(i));
    }
}
