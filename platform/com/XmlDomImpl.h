// Inside the DOM: COM objects over libxml2 nodes. Not part of the platform's
// interface; shared by the document, its nodes and the XSL views.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <utility>
#include <vector>

#include "ComObject.h"
#include "ComRuntime.h"
#include "MsXml.h"

#define VPLAT_DOM_CALL(name) \
    if (HRESULT hr_ = ::vplat::DomCalls::Enter(name)) return hr_

namespace vplat::dom {

class Document;

IXMLDOMDocument* NewDocument();

std::string ToUtf8(const OLECHAR* text);
BSTR ToBstr(const xmlChar* utf8);
BSTR ToBstr(const std::wstring& text);

// Reads and parses a file without loading anything it refers to (DTDs,
// entities) and without the network. On failure: null, with the reason and line.
xmlDocPtr ParseFileSafely(const std::wstring& path, std::wstring& reason, LONG& line, LONG& code);

// While alive: libxml2 refuses every external resource and reports nothing on stderr.
class ParseGuard {
public:
    ParseGuard();
    ~ParseGuard();
    ParseGuard(const ParseGuard&) = delete;
    ParseGuard& operator=(const ParseGuard&) = delete;

private:
    void* m_loader;
    void* m_errorFunc;
    void* m_errorContext;
};

// What every node object knows: its libxml2 node and the document that owns it.
class NodeCore {
public:
    virtual ~NodeCore() = default;
    xmlNodePtr m_node = nullptr;
    Document* m_owner = nullptr;
};

// A new object for a node (the document itself for the document node).
IXMLDOMNode* Wrap(Document* owner, xmlNodePtr node);
NodeCore* CoreOf(IXMLDOMNode* node);

// The text of a list of nodes and their descendants, joined. Entity
// references are not expanded.
std::string JoinText(xmlNodePtr first);

template <class I>
class NodeImpl : public ComObject<I>, public NodeCore {
public:
    NodeImpl(Document* owner, xmlNodePtr node);
    ~NodeImpl() override;

    STDMETHOD(QueryInterface)(REFIID iid, void** object) override;
    STDMETHOD(get_nodeName)(BSTR* name) override;
    STDMETHOD(get_nodeType)(DOMNodeType* type) override;
    STDMETHOD(get_childNodes)(IXMLDOMNodeList** children) override;
    STDMETHOD(hasChildNodes)(VARIANT_BOOL* has) override;
    STDMETHOD(get_attributes)(IXMLDOMNamedNodeMap** attributes) override;
    STDMETHOD(appendChild)(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) override;
    STDMETHOD(get_text)(BSTR* text) override;
    STDMETHOD(put_text)(BSTR text) override;
};

class Document : public NodeImpl<IXMLDOMDocument> {
public:
    Document();
    ~Document() override;

    STDMETHOD(put_async)(VARIANT_BOOL async) override;
    STDMETHOD(put_validateOnParse)(VARIANT_BOOL validate) override;
    STDMETHOD(put_resolveExternals)(VARIANT_BOOL resolve) override;
    STDMETHOD(load)(VARIANT source, VARIANT_BOOL* isSuccessful) override;
    STDMETHOD(get_parseError)(IXMLDOMParseError** error) override;
    STDMETHOD(save)(VARIANT destination) override;
    STDMETHOD(createNode)(VARIANT type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node) override;
    STDMETHOD(createProcessingInstruction)(BSTR target, BSTR data, IXMLDOMProcessingInstruction** pi) override;
    STDMETHOD(createAttribute)(BSTR name, IXMLDOMAttribute** attribute) override;
    STDMETHOD(createTextNode)(BSTR data, IXMLDOMText** text) override;
    STDMETHOD(createCDATASection)(BSTR data, IXMLDOMCDATASection** cdata) override;
    STDMETHOD(createComment)(BSTR data, IXMLDOMComment** comment) override;

    xmlDocPtr Doc() const { return m_doc; }
    // Nodes created or taken out of the tree: freed with the document unless
    // they were put back (node objects may still point at them).
    void KeepDetached(xmlNodePtr node) { m_detached.push_back(node); }
    // A namespace declaration of an element shown as an attribute ("xmlns",
    // "xmlns:p"): one node per declaration, kept with the document.
    xmlNodePtr DeclarationNode(xmlNsPtr ns);

private:
    void Replace(xmlDocPtr doc);
    // A node just made: kept as detached and handed out as the interface
    // its kind answers; E_OUTOFMEMORY when libxml2 made none.
    template <class T>
    HRESULT HandOut(xmlNodePtr created, T** out) {
        if (!created) return E_OUTOFMEMORY;
        KeepDetached(created);
        *out = static_cast<T*>(Wrap(this, created));
        return S_OK;
    }

    xmlDocPtr m_doc = nullptr;
    std::vector<xmlDocPtr> m_retired;
    std::vector<xmlNodePtr> m_detached;
    std::vector<std::pair<xmlNsPtr, xmlNodePtr>> m_declarations;
    LONG m_errorCode = 0;
    LONG m_errorLine = 0;
    std::wstring m_errorReason;
    VARIANT_BOOL m_async = VARIANT_TRUE;
    VARIANT_BOOL m_validateOnParse = VARIANT_TRUE;
    VARIANT_BOOL m_resolveExternals = VARIANT_FALSE;
};

}  // namespace vplat::dom
