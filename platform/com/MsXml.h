// The XML DOM of the platform (class DOMDocument60), as far as the modules
// call it. Documents are loaded synchronously; DTDs and external entities are
// never loaded and the network is never used; whitespace-only text nodes are
// dropped on load; an "xml" processing instruction is written as the file's
// declaration; files are written in UTF-8. An element's attributes include
// its namespace declarations (xmlns, xmlns:p), as the DOM shows them.
#pragma once

#include "ComTypes.h"
#include "OleAuto.h"

typedef enum tagDOMNodeType {
    NODE_INVALID = 0,
    NODE_ELEMENT = 1,
    NODE_ATTRIBUTE = 2,
    NODE_TEXT = 3,
    NODE_CDATA_SECTION = 4,
    NODE_ENTITY_REFERENCE = 5,
    NODE_ENTITY = 6,
    NODE_PROCESSING_INSTRUCTION = 7,
    NODE_COMMENT = 8,
    NODE_DOCUMENT = 9,
    NODE_DOCUMENT_TYPE = 10,
    NODE_DOCUMENT_FRAGMENT = 11,
    NODE_NOTATION = 12,
} DOMNodeType;

struct IXMLDOMNodeList;
struct IXMLDOMNamedNodeMap;

struct IXMLDOMNode : public IUnknown {
    STDMETHOD(get_nodeName)(BSTR* name) = 0;
    STDMETHOD(get_nodeType)(DOMNodeType* type) = 0;
    // Live list of the children.
    STDMETHOD(get_childNodes)(IXMLDOMNodeList** children) = 0;
    STDMETHOD(hasChildNodes)(VARIANT_BOOL* has) = 0;
    // The attributes of an element; none (S_FALSE) for other nodes.
    STDMETHOD(get_attributes)(IXMLDOMNamedNodeMap** attributes) = 0;
    STDMETHOD(appendChild)(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) = 0;
    // The text of the node and its descendants, joined.
    STDMETHOD(get_text)(BSTR* text) = 0;
    // Replaces the node's children by one text node.
    STDMETHOD(put_text)(BSTR text) = 0;
};

struct IXMLDOMNodeList : public IUnknown {
    STDMETHOD(get_item)(LONG index, IXMLDOMNode** item) = 0;
    STDMETHOD(get_length)(LONG* length) = 0;
};

struct IXMLDOMNamedNodeMap : public IUnknown {
    STDMETHOD(getNamedItem)(BSTR name, IXMLDOMNode** item) = 0;
    // Adds an attribute, replacing one of the same name.
    STDMETHOD(setNamedItem)(IXMLDOMNode* newItem, IXMLDOMNode** outNewItem) = 0;
    STDMETHOD(get_item)(LONG index, IXMLDOMNode** item) = 0;
    STDMETHOD(get_length)(LONG* length) = 0;
};

struct IXMLDOMElement : public IXMLDOMNode {
    // S_FALSE and VT_NULL when the element has no such attribute.
    STDMETHOD(getAttribute)(BSTR name, VARIANT* value) = 0;
};

struct IXMLDOMAttribute : public IXMLDOMNode {};

struct IXMLDOMProcessingInstruction : public IXMLDOMNode {};

struct IXMLDOMText : public IXMLDOMNode {};

struct IXMLDOMCDATASection : public IXMLDOMText {};

struct IXMLDOMComment : public IXMLDOMNode {};

struct IXMLDOMParseError : public IUnknown {
    STDMETHOD(get_errorCode)(LONG* code) = 0;
    STDMETHOD(get_reason)(BSTR* reason) = 0;
    STDMETHOD(get_line)(LONG* line) = 0;
};

struct IXMLDOMDocument : public IXMLDOMNode {
    STDMETHOD(put_async)(VARIANT_BOOL async) = 0;
    STDMETHOD(put_validateOnParse)(VARIANT_BOOL validate) = 0;
    STDMETHOD(put_resolveExternals)(VARIANT_BOOL resolve) = 0;
    // S_OK and VARIANT_TRUE when loaded, S_FALSE and VARIANT_FALSE on a parse error.
    STDMETHOD(load)(VARIANT source, VARIANT_BOOL* isSuccessful) = 0;
    STDMETHOD(get_parseError)(IXMLDOMParseError** error) = 0;
    STDMETHOD(save)(VARIANT destination) = 0;
    STDMETHOD(createNode)(VARIANT type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node) = 0;
    STDMETHOD(createProcessingInstruction)(BSTR target, BSTR data, IXMLDOMProcessingInstruction** pi) = 0;
    STDMETHOD(createAttribute)(BSTR name, IXMLDOMAttribute** attribute) = 0;
    STDMETHOD(createTextNode)(BSTR data, IXMLDOMText** text) = 0;
    // Data holding "]]>" cannot be written as one section: E_FAIL.
    STDMETHOD(createCDATASection)(BSTR data, IXMLDOMCDATASection** cdata) = 0;
    // Data holding "--" or ending in "-" cannot be written as a comment: E_FAIL.
    STDMETHOD(createComment)(BSTR data, IXMLDOMComment** comment) = 0;
};

extern "C" {
extern const CLSID CLSID_DOMDocument60;
extern const IID IID_IXMLDOMNode;
extern const IID IID_IXMLDOMNodeList;
extern const IID IID_IXMLDOMNamedNodeMap;
extern const IID IID_IXMLDOMElement;
extern const IID IID_IXMLDOMAttribute;
extern const IID IID_IXMLDOMProcessingInstruction;
extern const IID IID_IXMLDOMText;
extern const IID IID_IXMLDOMCDATASection;
extern const IID IID_IXMLDOMComment;
extern const IID IID_IXMLDOMParseError;
extern const IID IID_IXMLDOMDocument;
}

// The names the type library gives these declarations.
namespace MSXML2 {
class DOMDocument60;
using ::IXMLDOMAttribute;
using ::IXMLDOMDocument;
using ::IXMLDOMElement;
using ::IXMLDOMNamedNodeMap;
using ::IXMLDOMNode;
using ::IXMLDOMNodeList;
using ::IXMLDOMParseError;
using ::IXMLDOMProcessingInstruction;
using ::IXMLDOMText;
using ::IXMLDOMCDATASection;
using ::IXMLDOMComment;
}  // namespace MSXML2

VPLAT_DECLARE_UUID(MSXML2::DOMDocument60, CLSID_DOMDocument60)
VPLAT_DECLARE_UUID(IXMLDOMNode, IID_IXMLDOMNode)
VPLAT_DECLARE_UUID(IXMLDOMNodeList, IID_IXMLDOMNodeList)
VPLAT_DECLARE_UUID(IXMLDOMNamedNodeMap, IID_IXMLDOMNamedNodeMap)
VPLAT_DECLARE_UUID(IXMLDOMElement, IID_IXMLDOMElement)
VPLAT_DECLARE_UUID(IXMLDOMAttribute, IID_IXMLDOMAttribute)
VPLAT_DECLARE_UUID(IXMLDOMProcessingInstruction, IID_IXMLDOMProcessingInstruction)
VPLAT_DECLARE_UUID(IXMLDOMText, IID_IXMLDOMText)
VPLAT_DECLARE_UUID(IXMLDOMCDATASection, IID_IXMLDOMCDATASection)
VPLAT_DECLARE_UUID(IXMLDOMComment, IID_IXMLDOMComment)
VPLAT_DECLARE_UUID(IXMLDOMParseError, IID_IXMLDOMParseError)
VPLAT_DECLARE_UUID(IXMLDOMDocument, IID_IXMLDOMDocument)
