// The document: load, save and the factory methods.
#include <libxml/parser.h>
#include <libxml/xmlsave.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "HostText.h"
#include "XmlDomImpl.h"

extern "C" const CLSID CLSID_DOMDocument60 = {0x7d1e3c41, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x01}};
extern "C" const IID IID_IXMLDOMNode = {0x7d1e3c42, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x02}};
extern "C" const IID IID_IXMLDOMNodeList = {0x7d1e3c43, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x03}};
extern "C" const IID IID_IXMLDOMNamedNodeMap = {0x7d1e3c44, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x04}};
extern "C" const IID IID_IXMLDOMElement = {0x7d1e3c45, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x05}};
extern "C" const IID IID_IXMLDOMAttribute = {0x7d1e3c46, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x06}};
extern "C" const IID IID_IXMLDOMProcessingInstruction = {0x7d1e3c47, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x07}};
extern "C" const IID IID_IXMLDOMParseError = {0x7d1e3c48, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x08}};
extern "C" const IID IID_IXMLDOMDocument = {0x7d1e3c49, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x09}};
extern "C" const IID IID_IXMLDOMText = {0x7d1e3c4a, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x0a}};
extern "C" const IID IID_IXMLDOMCDATASection = {0x7d1e3c4b, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x0b}};
extern "C" const IID IID_IXMLDOMComment = {0x7d1e3c4c, 0x52a8, 0x4f0b, {0x9c, 0x11, 0x3a, 0x60, 0x5e, 0x2d, 0x71, 0x0c}};

namespace vplat::dom {

namespace {

xmlParserInputPtr RefuseExternal(const char*, const char*, xmlParserCtxtPtr) {
    DomCalls::CountRefusedLoad();
    return nullptr;
}

void Silent(void*, xmlErrorPtr) {}

// Without xml:space="preserve", text nodes of blanks only are not kept.
void DropBlankText(xmlNodePtr parent) {
    for (xmlNodePtr c = parent->children; c;) {
        xmlNodePtr next = c->next;
        if (c->type == XML_TEXT_NODE && xmlIsBlankNode(c) && xmlNodeGetSpacePreserve(parent) != 1) {
            xmlUnlinkNode(c);
            xmlFreeNode(c);
        } else if (c->type == XML_ELEMENT_NODE) {
            DropBlankText(c);
        }
        c = next;
    }
}

bool ValidName(const std::string& name) { return !name.empty() && xmlValidateName(BAD_CAST name.c_str(), 0) == 0; }

class ParseError : public ComObject<IXMLDOMParseError> {
public:
    ParseError(LONG code, LONG line, std::wstring reason) : m_code(code), m_line(line), m_reason(std::move(reason)) {}
    STDMETHOD(QueryInterface)(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IXMLDOMParseError) return E_NOINTERFACE;
        AddRef();
        *object = static_cast<IXMLDOMParseError*>(this);
        return S_OK;
    }
    STDMETHOD(get_errorCode)(LONG* code) override {
        if (!code) return E_POINTER;
        *code = 0;
        VPLAT_DOM_CALL("IXMLDOMParseError::get_errorCode");
        *code = m_code;
        return S_OK;
    }
    STDMETHOD(get_reason)(BSTR* reason) override {
        if (!reason) return E_POINTER;
        *reason = nullptr;
        VPLAT_DOM_CALL("IXMLDOMParseError::get_reason");
        if (m_code == 0) return S_FALSE;
        *reason = ToBstr(m_reason);
        return S_OK;
    }
    STDMETHOD(get_line)(LONG* line) override {
        if (!line) return E_POINTER;
        *line = 0;
        VPLAT_DOM_CALL("IXMLDOMParseError::get_line");
        *line = m_line;
        return S_OK;
    }

private:
    LONG m_code;
    LONG m_line;
    std::wstring m_reason;
};

bool PathOf(const VARIANT& v, std::wstring& path) {
    if (v.vt != VT_BSTR || !v.bstrVal) return false;
    path = v.bstrVal;
    return !path.empty();
}

}  // namespace

ParseGuard::ParseGuard() {
    m_loader = reinterpret_cast<void*>(xmlGetExternalEntityLoader());
    m_errorFunc = reinterpret_cast<void*>(xmlStructuredError);
    m_errorContext = xmlStructuredErrorContext;
    xmlSetExternalEntityLoader(RefuseExternal);
    xmlSetStructuredErrorFunc(nullptr, Silent);
}

ParseGuard::~ParseGuard() {
    xmlSetExternalEntityLoader(reinterpret_cast<xmlExternalEntityLoader>(m_loader));
    xmlSetStructuredErrorFunc(m_errorContext, reinterpret_cast<xmlStructuredErrorFunc>(m_errorFunc));
}

xmlDocPtr ParseFileSafely(const std::wstring& path, std::wstring& reason, LONG& line, LONG& code) {
    reason.clear();
    line = 0;
    code = 0;
    std::string posix = ToPosixPath(path);
    FILE* f = std::fopen(posix.c_str(), "rb");
    if (!f) {
        code = static_cast<LONG>(0x800C0006L);  // the object was not found
        reason = L"The file \"" + path + L"\" cannot be opened: " + Utf8ToWide(std::strerror(errno)) + L".";
        return nullptr;
    }
    std::string bytes;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    bool readError = std::ferror(f) != 0;
    std::fclose(f);
    if (readError) {
        code = static_cast<LONG>(0x800C0006L);
        reason = L"The file \"" + path + L"\" cannot be read.";
        return nullptr;
    }
    ParseGuard guard;
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        code = E_OUTOFMEMORY;
        reason = L"Out of memory.";
        return nullptr;
    }
    // No DTD is loaded, no entity substituted, nothing fetched from the network.
    const int options = XML_PARSE_NONET | XML_PARSE_NODICT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, bytes.data(), static_cast<int>(bytes.size()), posix.c_str(), nullptr, options);
    if (!doc || !ctxt->wellFormed || !xmlDocGetRootElement(doc)) {
        xmlErrorPtr err = xmlCtxtGetLastError(ctxt);
        std::string message = err && err->message ? err->message : "The document has no root element.";
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
        line = err ? err->line : 0;
        code = static_cast<LONG>(0xC00CE000L | (err ? (err->code & 0xFFF) : 0x558));
        reason = Utf8ToWide(message);
        // Some of libxml2's messages end with the line already ("... in tag X line 1").
        const std::wstring own = L"line " + std::to_wstring(line);
        const bool named = reason.size() >= own.size() && reason.compare(reason.size() - own.size(), own.size(), own) == 0;
        if (line > 0 && !named) reason += L" (line " + std::to_wstring(line) + L")";
        reason += L".";
        if (doc) xmlFreeDoc(doc);
        doc = nullptr;
    }
    xmlFreeParserCtxt(ctxt);
    if (doc) DropBlankText(reinterpret_cast<xmlNodePtr>(doc));
    return doc;
}

IXMLDOMDocument* NewDocument() { return new Document(); }

Document::Document() : NodeImpl(nullptr, nullptr) {
    m_owner = this;
    Replace(xmlNewDoc(BAD_CAST "1.0"));
}

Document::~Document() {
    // Detached trees first: their roots are the nodes without a parent. They
    // are collected before any is freed, as freeing one frees its subtree.
    std::sort(m_detached.begin(), m_detached.end());
    m_detached.erase(std::unique(m_detached.begin(), m_detached.end()), m_detached.end());
    std::vector<xmlNodePtr> roots;
    for (xmlNodePtr n : m_detached)
        if (!n->parent) roots.push_back(n);
    for (xmlNodePtr n : roots) xmlFreeNode(n);
    for (xmlDocPtr d : m_retired) xmlFreeDoc(d);
    xmlFreeDoc(m_doc);
}

// The old tree stays until the document goes: node objects may point into it.
void Document::Replace(xmlDocPtr doc) {
    if (m_doc) m_retired.push_back(m_doc);
    m_doc = doc;
    m_node = reinterpret_cast<xmlNodePtr>(doc);
}

HRESULT Document::put_async(VARIANT_BOOL async) {
    VPLAT_DOM_CALL("IXMLDOMDocument::put_async");
    m_async = async;
    return S_OK;
}

HRESULT Document::put_validateOnParse(VARIANT_BOOL validate) {
    VPLAT_DOM_CALL("IXMLDOMDocument::put_validateOnParse");
    m_validateOnParse = validate;
    return S_OK;
}

HRESULT Document::put_resolveExternals(VARIANT_BOOL resolve) {
    VPLAT_DOM_CALL("IXMLDOMDocument::put_resolveExternals");
    m_resolveExternals = resolve;
    return S_OK;
}

// Always synchronous; DTDs are neither loaded nor validated, whatever the flags say.
HRESULT Document::load(VARIANT source, VARIANT_BOOL* isSuccessful) {
    if (!isSuccessful) return E_POINTER;
    *isSuccessful = VARIANT_FALSE;
    VPLAT_DOM_CALL("IXMLDOMDocument::load");
    std::wstring path;
    if (!PathOf(source, path)) return E_INVALIDARG;
    xmlDocPtr doc = ParseFileSafely(path, m_errorReason, m_errorLine, m_errorCode);
    if (!doc) {
        Replace(xmlNewDoc(BAD_CAST "1.0"));
        return S_FALSE;
    }
    Replace(doc);
    *isSuccessful = VARIANT_TRUE;
    return S_OK;
}

HRESULT Document::get_parseError(IXMLDOMParseError** error) {
    if (!error) return E_POINTER;
    *error = nullptr;
    VPLAT_DOM_CALL("IXMLDOMDocument::get_parseError");
    *error = new ParseError(m_errorCode, m_errorLine, m_errorReason);
    return S_OK;
}

HRESULT Document::save(VARIANT destination) {
    VPLAT_DOM_CALL("IXMLDOMDocument::save");
    std::wstring path;
    if (!PathOf(destination, path)) return E_INVALIDARG;
    // The declaration is the document's own "xml" instruction, if any, as it
    // stands; libxml2's is never added, so there is never a second one.
    xmlBufferPtr buffer = xmlBufferCreate();
    if (!buffer) return E_OUTOFMEMORY;
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL);
    if (!save) {
        xmlBufferFree(buffer);
        return E_OUTOFMEMORY;
    }
    long written = xmlSaveDoc(save, m_doc);
    xmlSaveClose(save);
    if (written < 0) {
        xmlBufferFree(buffer);
        return E_FAIL;
    }
    HRESULT hr = S_OK;
    FILE* f = std::fopen(ToPosixPath(path).c_str(), "wb");
    if (!f) {
        hr = E_ACCESSDENIED;
    } else {
        size_t size = static_cast<size_t>(xmlBufferLength(buffer));
        if (std::fwrite(xmlBufferContent(buffer), 1, size, f) != size) hr = E_FAIL;
        if (std::fclose(f) != 0) hr = E_FAIL;
    }
    xmlBufferFree(buffer);
    return hr;
}

HRESULT Document::createNode(VARIANT type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node) {
    if (!node) return E_POINTER;
    *node = nullptr;
    VPLAT_DOM_CALL("IXMLDOMDocument::createNode");
    LONG kind = type.vt == VT_I4 ? type.lVal : type.vt == VT_I2 ? type.iVal : -1;
    if (kind != NODE_ELEMENT) return E_INVALIDARG;
    if (namespaceURI && *namespaceURI) return E_NOTIMPL;
    std::string utf8 = ToUtf8(name);
    // "#cdata-section", "#text" and the like are not element names.
    if (!ValidName(utf8)) return E_FAIL;
    return HandOut(xmlNewDocNode(m_doc, nullptr, BAD_CAST utf8.c_str(), nullptr), node);
}

HRESULT Document::createProcessingInstruction(BSTR target, BSTR data, IXMLDOMProcessingInstruction** pi) {
    if (!pi) return E_POINTER;
    *pi = nullptr;
    VPLAT_DOM_CALL("IXMLDOMDocument::createProcessingInstruction");
    std::string name = ToUtf8(target);
    std::string content = ToUtf8(data);
    if (!ValidName(name) || content.find("?>") != std::string::npos) return E_FAIL;
    if (name == "xml") {
        // A declaration: it must name the version.
        size_t first = content.find_first_not_of(" \t\r\n");
        if (first == std::string::npos || content.compare(first, 7, "version") != 0) return E_FAIL;
    } else if (name.size() == 3 && (name[0] | 0x20) == 'x' && (name[1] | 0x20) == 'm' && (name[2] | 0x20) == 'l') {
        return E_FAIL;  // reserved target
    }
    return HandOut(xmlNewDocPI(m_doc, BAD_CAST name.c_str(), BAD_CAST content.c_str()), pi);
}

HRESULT Document::createAttribute(BSTR name, IXMLDOMAttribute** attribute) {
    if (!attribute) return E_POINTER;
    *attribute = nullptr;
    VPLAT_DOM_CALL("IXMLDOMDocument::createAttribute");
    std::string utf8 = ToUtf8(name);
    if (!ValidName(utf8)) return E_FAIL;
    return HandOut(reinterpret_cast<xmlNodePtr>(xmlNewDocProp(m_doc, BAD_CAST utf8.c_str(), nullptr)), attribute);
}

HRESULT Document::createTextNode(BSTR data, IXMLDOMText** text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    VPLAT_DOM_CALL("IXMLDOMDocument::createTextNode");
    return HandOut(xmlNewDocText(m_doc, BAD_CAST ToUtf8(data).c_str()), text);
}

HRESULT Document::createCDATASection(BSTR data, IXMLDOMCDATASection** cdata) {
    if (!cdata) return E_POINTER;
    *cdata = nullptr;
    VPLAT_DOM_CALL("IXMLDOMDocument::createCDATASection");
    std::string content = ToUtf8(data);
    if (content.find("]]>") != std::string::npos) return E_FAIL;
    return HandOut(xmlNewCDataBlock(m_doc, BAD_CAST content.c_str(), static_cast<int>(content.size())), cdata);
}

HRESULT Document::createComment(BSTR data, IXMLDOMComment** comment) {
    if (!comment) return E_POINTER;
    *comment = nullptr;
    VPLAT_DOM_CALL("IXMLDOMDocument::createComment");
    std::string content = ToUtf8(data);
    if (content.find("--") != std::string::npos || (!content.empty() && content.back() == '-')) return E_FAIL;
    return HandOut(xmlNewDocComment(m_doc, BAD_CAST content.c_str()), comment);
}

xmlNodePtr Document::DeclarationNode(xmlNsPtr ns) {
    for (const auto& [declared, node] : m_declarations)
        if (declared == ns) return node;
    std::string name = ns->prefix ? std::string("xmlns:") + reinterpret_cast<const char*>(ns->prefix) : "xmlns";
    xmlAttrPtr attr = xmlNewDocProp(m_doc, BAD_CAST name.c_str(), ns->href);
    if (!attr) return nullptr;
    xmlNodePtr node = reinterpret_cast<xmlNodePtr>(attr);
    KeepDetached(node);
    m_declarations.push_back({ns, node});
    return node;
}

}  // namespace vplat::dom
