#include "CXmlReader.h"

#include <cwchar>

#include <TranslatorBinding.h>

namespace {

// One buffer for every report, of the size the reports have always had.
wchar_t g_szReport[1000];

const wchar_t* const kSource = L"xmlreader";

}  // namespace

CXmlReader::CXmlReader() : m_pXMLDom(nullptr), m_bCaricato(false) { VariantInit(&m_xmlFilePath); }

// A document still held was loaded but never walked: its load is paired here.
CXmlReader::~CXmlReader() {
    if (m_pXMLDom) {
        RilasciaDocumento();
        CoUninitialize();
    }
    VariantClear(&m_xmlFilePath);
}

void CXmlReader::RilasciaDocumento() {
    if (m_pXMLDom) m_pXMLDom->Release();
    m_pXMLDom = nullptr;
}

CString CXmlReader::GetPercorso() const {
    return m_xmlFilePath.vt == VT_BSTR && m_xmlFilePath.bstrVal ? CString(m_xmlFilePath.bstrVal) : CString();
}

bool CXmlReader::Carica(const CString& path) {
    VariantClear(&m_xmlFilePath);
    m_xmlFilePath.vt = VT_BSTR;
    m_xmlFilePath.bstrVal = SysAllocString(path);
    return Ricarica();
}

bool CXmlReader::Ricarica() {
    // A document from an earlier load that was never walked: that load's pair.
    if (m_pXMLDom) {
        RilasciaDocumento();
        CoUninitialize();
    }
    m_bCaricato = false;
    CoInitialize(nullptr);
    m_pXMLDom = CreaDocumento();
    if (m_pXMLDom) {
        VARIANT_BOOL status = VARIANT_FALSE;
        bool called = false;
        HRCALL(kSource, m_pXMLDom->load(m_xmlFilePath, &status), L"dom->load(): ", called = false; goto done);
        called = true;
    done:
        if (called && status == VARIANT_TRUE) {
            m_bCaricato = true;
        } else if (called) {
            CString text = TranslateText(L"Impossibile caricare il file xml - Failed to load DOM.");
            SegnalaErroreCaricamento(m_pXMLDom, text);
        }
    }
    if (!m_bCaricato) {
        RilasciaDocumento();
        CoUninitialize();
    }
    return m_bCaricato;
}

IXMLDOMDocument* CXmlReader::CreaDocumento() {
    IXMLDOMDocument* pxmldoc = nullptr;
    HRCALL(kSource,
           CoCreateInstance(__uuidof(MSXML2::DOMDocument60),NULL,CLSCTX_INPROC_SERVER, __uuidof(MSXML2::IXMLDOMDocument),(void**)&pxmldoc),
           L"Create a new DOMDocument", goto failed);
    HRCALL(kSource, pxmldoc->put_async(VARIANT_FALSE), L"should never fail", goto failed);
    HRCALL(kSource, pxmldoc->put_validateOnParse(VARIANT_FALSE), L"should never fail", goto failed);
    HRCALL(kSource, pxmldoc->put_resolveExternals(VARIANT_FALSE), L"should never fail", goto failed);
    return pxmldoc;
failed:
    if (pxmldoc) pxmldoc->Release();
    return nullptr;
}

CString CXmlReader::GetAttributo(IXMLDOMNode* element, LPCWSTR name) {
    CString value;
    CComPtr<IXMLDOMElement> e;
    if (!element || FAILED(element->QueryInterface(__uuidof(IXMLDOMElement), reinterpret_cast<void**>(&e))) || !e)
        return value;
    BSTR bstrName = SysAllocString(name);
    VARIANT v;
    VariantInit(&v);
    if (e->getAttribute(bstrName, &v) == S_OK && v.vt == VT_BSTR && v.bstrVal) value = v.bstrVal;
    VariantClear(&v);
    SysFreeString(bstrName);
    return value;
}

void CXmlReader::SegnalaErroreCaricamento(IXMLDOMDocument* pDom, LPCWSTR text) {
    IXMLDOMParseError* pXMLErr = nullptr;
    BSTR bstrReason = nullptr;
    HRCALL(kSource, pDom->get_parseError(&pXMLErr), L"dom->get_parseError: ", goto clean);
    HRCALL(kSource, pXMLErr->get_reason(&bstrReason), L"parseError->get_reason: ", goto clean);
    SegnalaErrore(L"%s %s\n", text, bstrReason ? bstrReason : L"");
clean:
    SysFreeString(bstrReason);
    if (pXMLErr) pXMLErr->Release();
}

void CXmlReader::SegnalaErrore(LPCWSTR format, ...) {
    va_list args;
    va_start(args, format);
    CString report;
    report.FormatV(format, args);
    va_end(args);
    // Bounded: a longer report is cut to the buffer.
    std::wcsncpy(g_szReport, report, _countof(g_szReport) - 1);
    g_szReport[_countof(g_szReport) - 1] = L'\0';
    OutputDebugStringW(g_szReport);
    AfxMessageBox(g_szReport, MB_OK);
}
