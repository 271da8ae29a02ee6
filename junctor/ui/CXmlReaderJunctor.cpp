#include "CXmlReaderJunctor.h"

#include <climits>
#include <cwchar>

#include <NumeroTesto.h>
#include <TranslatorBinding.h>

namespace {

const wchar_t* const kSource = L"xmlreaderjunctor";

// Legend keys that differ from the parameter's code. "nome" covers the name and
// description lookups, "immagine" the picture lookup.
struct ChiaveLegenda {
    const wchar_t* chiave;
    const wchar_t* codice;
    bool nome;
    bool immagine;
};
const ChiaveLegenda kChiaviSpeciali[] = {
    {L"IManRI", L"IManR", true, true},        {L"SAcuE[s]", L"SAcuEs", true, true},
    {L"SAcuVar[s]", L"SAcuVars", true, true}, {L"SAcuE[w]", L"SAcuEw", true, true},
    {L"SAcuE[q]", L"SAcuEq", true, true},     {L"IImmE[s]", L"IImmEs", false, true},
    {L"IImmVar[s]", L"IImmVars", false, true}, {L"IImmE[w]", L"IImmEw", false, true},
    {L"IImmE[q]", L"IImmEq", false, true},
};

}  // namespace

CXmlReaderJunctor::CXmlReaderJunctor()
    : m_bParametri(false),
      m_bLista(false),
      m_bImpostazioni(false),
      m_bLegenda(false),
      m_bQuinto(false),
      m_pStili(nullptr),
      m_pParametri(nullptr),
      m_pCorsie(nullptr),
      m_pSettings(nullptr) {}

void CXmlReaderJunctor::SetSezioni(bool parametri, bool lista, bool legenda, bool impostazioni, bool quinto) {
    m_bParametri = parametri;
    m_bLista = lista;
    m_bLegenda = legenda;
    m_bImpostazioni = impostazioni;
    m_bQuinto = quinto;
}

void CXmlReaderJunctor::SetDestinazioni(CJunctorSettings* settings) {
    m_pSettings = settings;
    m_pStili = settings ? settings->GetStili() : nullptr;
    m_pParametri = settings ? settings->GetParametri() : nullptr;
    m_pCorsie = settings ? settings->GetParCorsie() : nullptr;
}

bool CXmlReaderJunctor::Process() {
    if (!m_pXMLDom) {
        m_bCaricato = Ricarica();
        if (!m_bCaricato) return false;
    }
    bool result = false;
    IXMLDOMNodeList* lista = nullptr;
    IXMLDOMNode* node = nullptr;
    LONG count = 0;
    HRCALL(kSource, m_pXMLDom->get_childNodes (&lista), L"get_childNodes", goto clean);
    // A list that cannot be read counts as no list.
    if (!lista || FAILED(lista->get_length(&count))) {
        AfxMessageBox(TranslateText(L"Errore nel caricamento."), MB_OK);
        goto clean;
    }
    for (LONG i = 0; i < count; ++i) {
        if (node) node->Release();
        node = nullptr;
        DOMNodeType type = NODE_INVALID;
        // A node that cannot be taken or told apart counts as missing.
        if (FAILED(lista->get_item(i, &node)) || !node || FAILED(node->get_nodeType(&type))) {
            AfxMessageBox(TranslateText(L"Errore nel caricamento"), MB_OK);
            result = false;
            continue;
        }
        if (type == NODE_ELEMENT) result = ProcessRoot(node);
    }
clean:
    if (node) node->Release();
    if (lista) lista->Release();
    RilasciaDocumento();
    CoUninitialize();
    return result;
}

CString CXmlReaderJunctor::NomeNodo(IXMLDOMNode* node) {
    CString nome;
    BSTR b = nullptr;
    if (node && SUCCEEDED(node->get_nodeName(&b)) && b) nome = b;
    SysFreeString(b);
    return nome;
}

bool CXmlReaderJunctor::HaFigli(IXMLDOMNode* node) {
    VARIANT_BOOL has = VARIANT_FALSE;
    return node && SUCCEEDED(node->hasChildNodes(&has)) && has == VARIANT_TRUE;
}

bool CXmlReaderJunctor::LeggiTesto(IXMLDOMNode* node, CString& testo) {
    testo.Empty();
    if (!HaFigli(node)) return false;
    BSTR b = nullptr;
    if (SUCCEEDED(node->get_text(&b)) && b) testo = b;
    SysFreeString(b);
    return !testo.IsEmpty();
}

LONG CXmlReaderJunctor::NumeroFigli(IXMLDOMNodeList* lista) {
    LONG n = 0;
    if (!lista || FAILED(lista->get_length(&n))) return 0;
    return n;
}

void CXmlReaderJunctor::Figli(IXMLDOMNode* node, CArray<IXMLDOMNode*>& figli) {
    figli.RemoveAll();
    IXMLDOMNodeList* lista = nullptr;
    if (!node || FAILED(node->get_childNodes(&lista)) || !lista) return;
    LONG n = NumeroFigli(lista);
    for (LONG i = 0; i < n; ++i) {
        IXMLDOMNode* figlio = nullptr;
        if (SUCCEEDED(lista->get_item(i, &figlio)) && figlio) figli.Add(figlio);
    }
    lista->Release();
}

void CXmlReaderJunctor::Rilascia(CArray<IXMLDOMNode*>& nodi) {
    for (INT_PTR i = 0; i < nodi.GetSize(); ++i) nodi[i]->Release();
    nodi.RemoveAll();
}

CSingleConstrPar* CXmlReaderJunctor::TrovaVoceLegenda(const CString& chiave, bool immagine) {
    for (const ChiaveLegenda& k : kChiaviSpeciali) {
        bool vale = immagine ? k.immagine : k.nome;
        if (vale && chiave == k.chiave) return TrovaParametro(L"", k.codice);
        // The code itself is no key where a special key replaces it.
        if (vale && chiave == k.codice) return nullptr;
    }
    return TrovaParametro(L"", chiave);
}

// An empty container matches any.
CSingleConstrPar* CXmlReaderJunctor::TrovaParametro(const CString& contenitore, const CString& codice) {
    if (m_pParametri) {
        for (int i = 0; i < CConstrPars::NUMERO_PARAMETRI; ++i) {
            const DescrittoreParametro& d = CConstrPars::DESCRITTORI[i];
            if (*d.codice && codice == d.codice && (contenitore.IsEmpty() || contenitore == d.contenitore))
                return &m_pParametri->Parametro(i);
        }
    }
    if (m_pCorsie) {
        for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i) {
            const DescrittoreParametro& d = CLanePars::DESCRITTORI[i];
            if (*d.codice && codice == d.codice && (contenitore.IsEmpty() || contenitore == d.contenitore))
                return &m_pCorsie->Parametro(i);
        }
    }
    return nullptr;
}

bool CXmlReaderJunctor::ProcessRoot(IXMLDOMNode* root) {
    // Another document is no style file: nothing of it is taken.
    if (NomeNodo(root) != L"INTERSEZIONI_RASO") {
        SegnalaErrore(L"%s\n", (LPCWSTR)TranslateText(L"Il file xml non \u00e8 un file di stili - not a style file."));
        return false;
    }
    if (!HaFigli(root)) return true;
    if (!VerificaNumeri(root)) return false;
    CArray<IXMLDOMNode*> figli;
    Figli(root, figli);
    for (INT_PTR i = 0; i < figli.GetSize(); ++i) {
        IXMLDOMNode* c = figli[i];
        CString nome = NomeNodo(c);
        if (nome == L"IMPOSTAZIONI") {
            if (m_bImpostazioni && m_pSettings && HaFigli(c)) LeggiImpostazioni(c);
        } else if (nome == L"LEGENDA") {
            if (m_bLegenda && m_pParametri && m_pCorsie && HaFigli(c)) LeggiLegenda(c);
        } else if (nome == L"INTERSEZIONE") {
            if (m_bParametri || m_bLista) LeggiStile(c);
        }
    }
    Rilascia(figli);
    return true;
}

bool CXmlReaderJunctor::VerificaNumero(IXMLDOMNode* valore, const CString& dove, const CString& parametro) {
    // The value as the file holds it: its texts, and any other node (an
    // entity that was not expanded, an element) shown as written.
    CString testo;
    bool soloTesto = true;
    CArray<IXMLDOMNode*> parti;
    Figli(valore, parti);
    for (INT_PTR i = 0; i < parti.GetSize(); ++i) {
        DOMNodeType tipo = NODE_INVALID;
        parti[i]->get_nodeType(&tipo);
        CString parte;
        if (tipo == NODE_TEXT || tipo == NODE_CDATA_SECTION) {
            BSTR b = nullptr;
            if (SUCCEEDED(parti[i]->get_text(&b)) && b) parte = b;
            SysFreeString(b);
        } else {
            soloTesto = false;
            parte = (tipo == NODE_ENTITY_REFERENCE ? L"&" : L"<") + NomeNodo(parti[i]) +
                    (tipo == NODE_ENTITY_REFERENCE ? L";" : L">");
        }
        testo += parte;
    }
    Rilascia(parti);
    double numero = 0;
    // An empty value leaves its target unchanged.
    if (soloTesto && (testo.IsEmpty() || LeggiNumeroCompleto(testo, numero))) return true;
    // Each translation copied: they share one buffer.
    CString titolo = TranslateText(L"Numero non valido nel file degli stili");
    CString nomeParametro = TranslateText(L"parametro"), nomeTesto = TranslateText(L"testo");
    SegnalaErrore(L"%s: %s, %s \"%s\", %s \"%s\"\n", (LPCWSTR)titolo, (LPCWSTR)dove, (LPCWSTR)nomeParametro,
                  (LPCWSTR)parametro, (LPCWSTR)nomeTesto, (LPCWSTR)testo);
    return false;
}

bool CXmlReaderJunctor::VerificaNumeri(IXMLDOMNode* root) {
    bool buono = true;
    CArray<IXMLDOMNode*> figli;
    Figli(root, figli);
    for (INT_PTR i = 0; i < figli.GetSize() && buono; ++i) {
        CString nome = NomeNodo(figli[i]);
        CArray<IXMLDOMNode*> voci;
        if (nome == L"IMPOSTAZIONI" && m_bImpostazioni && m_pSettings) {
            Figli(figli[i], voci);
            for (INT_PTR j = 0; j < voci.GetSize() && buono; ++j) {
                CString voce = NomeNodo(voci[j]);
                if (voce == L"INCREMENTO_SPIN" || voce == L"DECIMALI_SPIN")
                    buono = VerificaNumero(voci[j], L"IMPOSTAZIONI", voce);
            }
        } else if (nome == L"INTERSEZIONE" && m_bParametri && m_pParametri) {
            // Every style's values, not only the wanted one's: the dialog
            // reads the others later from the same file.
            CString dove = CString(TranslateText(L"stile")) + L" \"" + GetAttributo(figli[i], L"style") + L"\"";
            Figli(figli[i], voci);
            for (INT_PTR j = 0; j < voci.GetSize() && buono; ++j) {
                CString gruppo = NomeNodo(voci[j]);
                CArray<IXMLDOMNode*> parametri;
                Figli(voci[j], parametri);
                for (INT_PTR k = 0; k < parametri.GetSize() && buono; ++k) {
                    if (NomeNodo(parametri[k]) != L"PARAMETRO") continue;
                    CString codice = GetAttributo(parametri[k], L"name");
                    if (TrovaParametro(gruppo, codice)) buono = VerificaNumero(parametri[k], dove, codice);
                }
                Rilascia(parametri);
            }
        }
        Rilascia(voci);
    }
    Rilascia(figli);
    return buono;
}

void CXmlReaderJunctor::LeggiImpostazioni(IXMLDOMNode* impostazioni) {
    CArray<IXMLDOMNode*> figli;
    Figli(impostazioni, figli);
    for (INT_PTR i = 0; i < figli.GetSize(); ++i) {
        IXMLDOMNode* e = figli[i];
        CString nome = NomeNodo(e);
        CString testo;
        if (nome == L"INCREMENTO_SPIN") {
            if (LeggiTesto(e, testo)) {
                double incremento = LeggiNumero(testo);
                // A step that does not move the spinner forward is no step.
                if (!(incremento > 0)) {
                    CString titolo = TranslateText(L"Incremento non positivo, si usa quello predefinito");
                    CString nomeParametro = TranslateText(L"parametro"), nomeTesto = TranslateText(L"testo");
                    SegnalaErrore(L"%s: %s \"%s\", %s \"%s\"\n", (LPCWSTR)titolo, (LPCWSTR)nomeParametro,
                                  (LPCWSTR)nome, (LPCWSTR)nomeTesto, (LPCWSTR)testo);
                    incremento = CJunctorSettings::INCREMENTO_PREDEFINITO;
                }
                m_pSettings->SetIncremento(incremento);
            }
        } else if (nome == L"DECIMALI_SPIN") {
            // An integer by the C library's rules: "2.7" reads as 2.
            if (LeggiTesto(e, testo)) {
                long decimali = std::wcstol(testo, nullptr, 10);
                m_pSettings->SetDecimali(static_cast<int>(decimali < INT_MIN ? INT_MIN : decimali > INT_MAX ? INT_MAX : decimali));
            }
        } else if (nome == L"UNITA_MISURA_ANGOLI") {
            m_pSettings->SetUseAutoCADDaTesto(GetAttributo(e, L"useAutoCAD"));
            if (LeggiTesto(e, testo)) m_pSettings->SetUnitaAngoliDaNome(testo);
        } else if (nome == L"METODO_COSTRUZIONE") {
            if (LeggiTesto(e, testo)) m_pSettings->SetMetodo(testo);
        } else if (nome == L"TRICENTRICA_CNR") {
            if (LeggiTesto(e, testo)) m_pSettings->SetTricentricaDaTesto(testo);
        }
    }
    Rilascia(figli);
}

void CXmlReaderJunctor::LeggiLegenda(IXMLDOMNode* legenda) {
    CArray<IXMLDOMNode*> elementi;
    Figli(legenda, elementi);
    for (INT_PTR i = 0; i < elementi.GetSize(); ++i) {
        if (NomeNodo(elementi[i]) != L"ELEMENTO" || !HaFigli(elementi[i])) continue;
        CArray<IXMLDOMNode*> voci;
        Figli(elementi[i], voci);
        for (INT_PTR j = 0; j < voci.GetSize(); ++j) {
            if (NomeNodo(voci[j]) != L"VOCE" || !HaFigli(voci[j])) continue;
            CArray<IXMLDOMNode*> campi;
            Figli(voci[j], campi);
            CString chiave;
            for (INT_PTR k = 0; k < campi.GetSize(); ++k) {
                CString nome = NomeNodo(campi[k]);
                CString testo;
                LeggiTesto(campi[k], testo);
                if (nome == L"NOMEPAR") {
                    chiave = testo;
                    if (CSingleConstrPar* p = TrovaVoceLegenda(chiave, false)) p->SetNome(chiave);
                } else if (nome == L"DESC") {
                    if (CSingleConstrPar* p = TrovaVoceLegenda(chiave, false)) p->SetDescrizione(testo);
                } else if (nome == L"PATHIMG") {
                    if (CSingleConstrPar* p = TrovaVoceLegenda(chiave, true)) p->SetPathImg(testo);
                }
            }
            Rilascia(campi);
        }
        Rilascia(voci);
    }
    Rilascia(elementi);
}

void CXmlReaderJunctor::LeggiStile(IXMLDOMNode* stile) {
    CString nome = GetAttributo(stile, L"style");
    if (m_bLista && m_pStili) {
        int indice = m_pStili->Aggiungi(nome, GetAttributo(stile, L"desc"));
        if (nome == L"DEFAULT") m_pStili->SetIndiceCorrente(indice);
    }
    if (!m_bParametri || !m_pParametri || nome != m_strStile || !HaFigli(stile)) return;
    if (m_pCorsie)
        m_pCorsie->SetCorsieDaTesto(GetAttributo(stile, L"corsia_imm"), GetAttributo(stile, L"corsia_usc"),
                                    GetAttributo(stile, L"corsia_sx"), GetAttributo(stile, L"corsia_sx_urbano"));
    CArray<IXMLDOMNode*> gruppi;
    Figli(stile, gruppi);
    for (INT_PTR i = 0; i < gruppi.GetSize(); ++i) {
        CString gruppo = NomeNodo(gruppi[i]);
        if (gruppo != L"ISOLA" && gruppo != L"RACCORDO" && gruppo != L"CORSIAIMM" && gruppo != L"CORSIAUSC" &&
            gruppo != L"CORSIASX")
            continue;
        CArray<IXMLDOMNode*> parametri;
        Figli(gruppi[i], parametri);
        for (INT_PTR j = 0; j < parametri.GetSize(); ++j) {
            if (NomeNodo(parametri[j]) != L"PARAMETRO") continue;
            CSingleConstrPar* p = TrovaParametro(gruppo, GetAttributo(parametri[j], L"name"));
            if (!p) continue;
            // The unit first: an angle then reads its value in the unit it was written in.
            p->SetUnita(GetAttributo(parametri[j], L"measUnit"));
            CString testo;
            if (LeggiTesto(parametri[j], testo)) p->SetValoreDaTesto(testo);
        }
        Rilascia(parametri);
    }
    Rilascia(gruppi);
}
