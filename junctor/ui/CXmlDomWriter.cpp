#include "CXmlDomWriter.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {

// A string owned for the length of one DOM call.
class CBstr {
public:
    CBstr() = default;
    explicit CBstr(LPCWSTR text) : m_b(SysAllocString(text ? text : L"")) {}
    ~CBstr() { SysFreeString(m_b); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    operator BSTR() const { return m_b; }
    LPCWSTR Text() const { return m_b ? m_b : L""; }
    // For an out parameter: the old string goes first.
    BSTR* operator&() {
        SysFreeString(m_b);
        m_b = nullptr;
        return &m_b;
    }

private:
    BSTR m_b = nullptr;
};

// Forward slashes work as separators on every platform the module runs on.
std::filesystem::path FsPath(const CString& path) {
    std::wstring p = path.GetString();
    for (wchar_t& c : p)
        if (c == L'\\') c = L'/';
    return std::filesystem::path(p);
}

VARIANT VariantOf(BSTR text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text;
    return v;
}

}  // namespace

CXmlDomWriter::CXmlDomWriter() : m_pDoc(nullptr), m_hr(S_OK), m_szErrore(nullptr), m_bCreato(false) {}

CXmlDomWriter::~CXmlDomWriter() {
    if (m_pDoc) {
        m_pDoc->Release();
        CoUninitialize();
    }
}

void CXmlDomWriter::Azzera() {
    m_hr = S_OK;
    m_szErrore = nullptr;
    m_bCreato = false;
}

void CXmlDomWriter::Rilascia() {
    if (m_pDoc) {
        m_pDoc->Release();
        m_pDoc = nullptr;
        CoUninitialize();
    }
}

void CXmlDomWriter::Fallisci() {
    Rilascia();
    throw 1;
}

void CXmlDomWriter::Fallisci(LPCWSTR text) {
    m_szErrore = text;
    Fallisci();
}

void CXmlDomWriter::Verifica(HRESULT hr, LPCWSTR text) {
    m_hr = hr;
    if (FAILED(hr)) Fallisci(text);
}

void CXmlDomWriter::Crea() {
    CoInitialize(nullptr);
    m_hr = CoCreateInstance(__uuidof(MSXML2::DOMDocument60), nullptr, CLSCTX_ALL, __uuidof(MSXML2::IXMLDOMDocument),
                            reinterpret_cast<void**>(&m_pDoc));
    m_bCreato = SUCCEEDED(m_hr) && m_pDoc;
    if (!m_bCreato) {
        m_pDoc = nullptr;
        CoUninitialize();
    }
}

void CXmlDomWriter::AggiungiIstruzione(LPCWSTR target, LPCWSTR data) {
    const LPCWSTR text = L"Unable to append processing instruction to XML document.";
    CComPtr<IXMLDOMProcessingInstruction> pi;
    CBstr bTarget(target), bData(data);
    Verifica(m_pDoc->createProcessingInstruction(bTarget, bData, &pi), text);
    Verifica(m_pDoc->appendChild(pi, nullptr), text);
}

IXMLDOMNode* CXmlDomWriter::AggiungiRadice(LPCWSTR name) {
    CComPtr<IXMLDOMNode> node;
    VARIANT type;
    VariantInit(&type);
    type.vt = VT_I4;
    type.lVal = NODE_ELEMENT;
    CBstr bName(name), noNamespace(L"");
    Verifica(m_pDoc->createNode(type, bName, noNamespace, &node), L"Unable to create node to XML document.");
    Verifica(m_pDoc->appendChild(node, nullptr), L"Unable to append root node to XML document.");
    return node.Detach();
}

IXMLDOMNode* CXmlDomWriter::AggiungiFiglio(IXMLDOMNode* parent, LPCWSTR name) {
    CComPtr<IXMLDOMNode> node;
    VARIANT type;
    VariantInit(&type);
    type.vt = VT_I4;
    type.lVal = NODE_ELEMENT;
    CBstr bName(name), noNamespace(L"");
    Verifica(m_pDoc->createNode(type, bName, noNamespace, &node), L"Unable to create node to XML document.");
    Verifica(parent->appendChild(node, nullptr), L"Unable to append child node to XML document.");
    return node.Detach();
}

void CXmlDomWriter::AggiungiAttributo(IXMLDOMNode* element, LPCWSTR name, LPCWSTR value) {
    CComPtr<IXMLDOMAttribute> attr;
    CComPtr<IXMLDOMNamedNodeMap> attrs;
    CBstr bName(name), bValue(value);
    Verifica(m_pDoc->createAttribute(bName, &attr), L"Unable to create attribute in XML document.");
    Verifica(attr->put_text(bValue), L"Unable to create attribute in XML document.");
    Verifica(element->get_attributes(&attrs), L"Unable to get attributes from XML document.");
    if (!attrs) Fallisci(L"Unable to get attributes from XML document.");
    Verifica(attrs->setNamedItem(attr, nullptr), L"Unable to append attribute to XML document.");
}

void CXmlDomWriter::ImpostaTesto(IXMLDOMNode* element, LPCWSTR text) {
    CBstr bText(text);
    Verifica(element->put_text(bText), L"Unable to append text to XML document.");
}

void CXmlDomWriter::AccodaNodo(IXMLDOMNode* parent, IXMLDOMNode* node, LPCWSTR text) {
    if (!node) Fallisci(text);
    Verifica(parent->appendChild(node, nullptr), text);
}

// Everything read is kept: texts are appended beside the elements copied
// before them (setting the parent's text would replace those), and comments,
// character-data sections and processing instructions are copied as such.
void CXmlDomWriter::CopiaNodo(IXMLDOMNode* parent, IXMLDOMNode* node) {
    DOMNodeType type = NODE_INVALID;
    Verifica(node->get_nodeType(&type), L"Unable to get name from XML node.");
    CBstr name;
    Verifica(node->get_nodeName(&name), L"Unable to get name from XML node.");
    if (type != NODE_ELEMENT) {
        // An entity reference can only name an entity of a document type,
        // which the style file never loads: it has nothing to copy.
        const bool testo = type == NODE_TEXT || type == NODE_CDATA_SECTION;
        if (!testo && type != NODE_COMMENT && type != NODE_PROCESSING_INSTRUCTION) return;
        CBstr text;
        Verifica(node->get_text(&text), L"Unable to get text from XML node.");
        CComPtr<IXMLDOMNode> copy;
        HRESULT hr = E_FAIL;
        if (type == NODE_TEXT) {
            CComPtr<IXMLDOMText> c;
            hr = m_pDoc->createTextNode(text, &c);
            copy = c;
        } else if (type == NODE_CDATA_SECTION) {
            CComPtr<IXMLDOMCDATASection> c;
            hr = m_pDoc->createCDATASection(text, &c);
            copy = c;
        } else if (type == NODE_COMMENT) {
            CComPtr<IXMLDOMComment> c;
            hr = m_pDoc->createComment(text, &c);
            copy = c;
        } else {
            CComPtr<IXMLDOMProcessingInstruction> c;
            hr = m_pDoc->createProcessingInstruction(name, text, &c);
            copy = c;
        }
        const LPCWSTR failure = testo ? L"Unable to put text on XML node." : L"Unable to append child node to XML document.";
        Verifica(hr, failure);
        AccodaNodo(parent, copy, failure);
        return;
    }

    CComPtr<IXMLDOMNode> copy;
    copy.Attach(AggiungiFiglio(parent, name.Text()));
    CopiaAttributi(copy, node);

    VARIANT_BOOL hasChildren = VARIANT_FALSE;
    Verifica(node->hasChildNodes(&hasChildren), L"Unable to get item from node list.");
    if (hasChildren != VARIANT_TRUE) return;
    CComPtr<IXMLDOMNodeList> children;
    Verifica(node->get_childNodes(&children), L"Unable to get item from node list.");
    if (!children) Fallisci(L"Unable to get item from node list.");
    LONG count = 0;
    Verifica(children->get_length(&count), L"Unable to get item from node list.");
    for (LONG i = 0; i < count; ++i) {
        CComPtr<IXMLDOMNode> child;
        Verifica(children->get_item(i, &child), L"Unable to get item from node list.");
        if (!child) Fallisci(L"Unable to get item from node list.");
        CopiaNodo(copy, child);
    }
}

// The namespace declarations among them, so that prefixed names stay bound.
void CXmlDomWriter::CopiaAttributi(IXMLDOMNode* copy, IXMLDOMNode* node) {
    CComPtr<IXMLDOMNamedNodeMap> attrs;
    Verifica(node->get_attributes(&attrs), L"Unable to get attributes from XML document.");
    if (!attrs) return;
    LONG count = 0;
    Verifica(attrs->get_length(&count), L"Unable to get item form attribute list.");
    for (LONG i = 0; i < count; ++i) {
        CComPtr<IXMLDOMNode> attr;
        Verifica(attrs->get_item(i, &attr), L"Unable to get item form attribute list.");
        if (!attr) Fallisci(L"Unable to get item form attribute list.");
        CBstr attrName, attrText;
        Verifica(attr->get_nodeName(&attrName), L"Unable to get name from XML attribute.");
        Verifica(attr->get_text(&attrText), L"Unable to get text from XML attribute.");
        AggiungiAttributo(copy, attrName.Text(), attrText.Text());
    }
}

void CXmlDomWriter::AggiungiNodoDocumento(IXMLDOMNode* node) { CopiaNodo(m_pDoc, node); }

void CXmlDomWriter::Salva(const CString& path) {
    const LPCWSTR text = L"Unable to save updated XML document.";
    // The temporary file lies in the target's folder, so the rename stays on one volume.
    CString temp = path + L".tmp";
    CBstr bTemp(temp);
    VARIANT destination = VariantOf(bTemp);
    HRESULT hr = m_pDoc->save(destination);
    std::error_code ec;
    if (SUCCEEDED(hr)) {
        std::filesystem::rename(FsPath(temp), FsPath(path), ec);
        if (ec) hr = E_FAIL;
    }
    if (FAILED(hr)) std::filesystem::remove(FsPath(temp), ec);
    Verifica(hr, text);
    Rilascia();
}

void CXmlDomWriter::SalvaSu(const CString& path) { Salva(path); }

void CXmlDomWriter::SalvaCome(const CString& path) { Salva(path); }
