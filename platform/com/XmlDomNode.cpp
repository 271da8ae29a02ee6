// Nodes, node lists and attribute maps of the DOM.
#include <libxml/parser.h>

#include <cwchar>

#include "HostText.h"
#include "XmlDomImpl.h"

namespace vplat::dom {

std::string ToUtf8(const OLECHAR* text) { return text ? WideToUtf8(std::wstring(text)) : std::string(); }

BSTR ToBstr(const std::wstring& text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

BSTR ToBstr(const xmlChar* utf8) {
    return ToBstr(utf8 ? Utf8ToWide(reinterpret_cast<const char*>(utf8)) : std::wstring());
}

namespace {

std::string QualifiedName(xmlNodePtr n) {
    std::string name = n->name ? reinterpret_cast<const char*>(n->name) : "";
    if ((n->type == XML_ELEMENT_NODE || n->type == XML_ATTRIBUTE_NODE) && n->ns && n->ns->prefix)
        name = std::string(reinterpret_cast<const char*>(n->ns->prefix)) + ":" + name;
    return name;
}

// The name a namespace declaration has as an attribute.
std::string DeclarationName(xmlNsPtr ns) {
    return ns->prefix ? std::string("xmlns:") + reinterpret_cast<const char*>(ns->prefix) : std::string("xmlns");
}

// Attributes and entity references show no children.
xmlNodePtr FirstChild(xmlNodePtr n) {
    if (n->type == XML_ATTRIBUTE_NODE || n->type == XML_ENTITY_REF_NODE) return nullptr;
    return n->children;
}

bool IsAncestorOrSelf(xmlNodePtr candidate, xmlNodePtr node) {
    for (xmlNodePtr p = node; p; p = p->parent)
        if (p == candidate) return true;
    return false;
}

// Appends without merging adjacent text nodes, so node objects stay valid.
void Link(xmlNodePtr parent, xmlNodePtr child) {
    child->parent = parent;
    child->doc = parent->doc;
    child->next = nullptr;
    child->prev = parent->last;
    if (parent->last) parent->last->next = child;
    else parent->children = child;
    parent->last = child;
}

bool HasRootElement(xmlNodePtr doc) {
    for (xmlNodePtr c = doc->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE) return true;
    return false;
}

bool IsDeclaration(xmlNodePtr n) {
    return n->type == XML_PI_NODE && n->name && xmlStrEqual(n->name, BAD_CAST "xml");
}

class NodeList : public ComObject<IXMLDOMNodeList> {
public:
    NodeList(Document* owner, xmlNodePtr parent) : m_owner(owner), m_parent(parent) { m_owner->AddRef(); }
    ~NodeList() override { m_owner->Release(); }

    STDMETHOD(QueryInterface)(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IXMLDOMNodeList) return E_NOINTERFACE;
        AddRef();
        *object = static_cast<IXMLDOMNodeList*>(this);
        return S_OK;
    }
    STDMETHOD(get_item)(LONG index, IXMLDOMNode** item) override {
        if (!item) return E_POINTER;
        *item = nullptr;
        VPLAT_DOM_CALL("IXMLDOMNodeList::get_item");
        LONG i = 0;
        for (xmlNodePtr c = FirstChild(m_parent); c; c = c->next, ++i) {
            if (i == index) {
                *item = Wrap(m_owner, c);
                return S_OK;
            }
        }
        return S_FALSE;
    }
    STDMETHOD(get_length)(LONG* length) override {
        if (!length) return E_POINTER;
        *length = 0;
        VPLAT_DOM_CALL("IXMLDOMNodeList::get_length");
        for (xmlNodePtr c = FirstChild(m_parent); c; c = c->next) ++*length;
        return S_OK;
    }

private:
    Document* m_owner;
    xmlNodePtr m_parent;
};

class AttributeMap : public ComObject<IXMLDOMNamedNodeMap> {
public:
    AttributeMap(Document* owner, xmlNodePtr element) : m_owner(owner), m_element(element) { m_owner->AddRef(); }
    ~AttributeMap() override { m_owner->Release(); }

    STDMETHOD(QueryInterface)(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IXMLDOMNamedNodeMap) return E_NOINTERFACE;
        AddRef();
        *object = static_cast<IXMLDOMNamedNodeMap*>(this);
        return S_OK;
    }
    STDMETHOD(getNamedItem)(BSTR name, IXMLDOMNode** item) override {
        if (!item) return E_POINTER;
        *item = nullptr;
        VPLAT_DOM_CALL("IXMLDOMNamedNodeMap::getNamedItem");
        const std::string wanted = ToUtf8(name);
        for (xmlNsPtr ns = m_element->nsDef; ns; ns = ns->next) {
            if (DeclarationName(ns) != wanted) continue;
            xmlNodePtr node = m_owner->DeclarationNode(ns);
            if (!node) return E_OUTOFMEMORY;
            *item = Wrap(m_owner, node);
            return S_OK;
        }
        if (xmlAttrPtr a = Find(wanted)) {
            *item = Wrap(m_owner, reinterpret_cast<xmlNodePtr>(a));
            return S_OK;
        }
        return S_FALSE;
    }
    STDMETHOD(setNamedItem)(IXMLDOMNode* newItem, IXMLDOMNode** outNewItem) override {
        if (outNewItem) *outNewItem = nullptr;
        VPLAT_DOM_CALL("IXMLDOMNamedNodeMap::setNamedItem");
        NodeCore* core = CoreOf(newItem);
        if (!core || core->m_owner != m_owner || core->m_node->type != XML_ATTRIBUTE_NODE) return E_INVALIDARG;
        xmlAttrPtr attr = reinterpret_cast<xmlAttrPtr>(core->m_node);
        if (attr->parent && attr->parent != m_element) return E_INVALIDARG;  // in use elsewhere
        if (attr->parent != m_element) {
            if (xmlAttrPtr old = Find(QualifiedName(core->m_node))) {
                xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(old));
                m_owner->KeepDetached(reinterpret_cast<xmlNodePtr>(old));
            }
            attr->parent = m_element;
            attr->doc = m_element->doc;
            attr->next = nullptr;
            attr->prev = nullptr;
            if (!m_element->properties) {
                m_element->properties = attr;
            } else {
                xmlAttrPtr last = m_element->properties;
                while (last->next) last = last->next;
                last->next = attr;
                attr->prev = last;
            }
        }
        if (outNewItem) {
            newItem->AddRef();
            *outNewItem = newItem;
        }
        return S_OK;
    }
    STDMETHOD(get_item)(LONG index, IXMLDOMNode** item) override {
        if (!item) return E_POINTER;
        *item = nullptr;
        VPLAT_DOM_CALL("IXMLDOMNamedNodeMap::get_item");
        // The namespace declarations first, then the other attributes.
        LONG i = 0;
        for (xmlNsPtr ns = m_element->nsDef; ns; ns = ns->next, ++i) {
            if (i != index) continue;
            xmlNodePtr node = m_owner->DeclarationNode(ns);
            if (!node) return E_OUTOFMEMORY;
            *item = Wrap(m_owner, node);
            return S_OK;
        }
        for (xmlAttrPtr a = m_element->properties; a; a = a->next, ++i) {
            if (i == index) {
                *item = Wrap(m_owner, reinterpret_cast<xmlNodePtr>(a));
                return S_OK;
            }
        }
        return S_FALSE;
    }
    STDMETHOD(get_length)(LONG* length) override {
        if (!length) return E_POINTER;
        *length = 0;
        VPLAT_DOM_CALL("IXMLDOMNamedNodeMap::get_length");
        for (xmlNsPtr ns = m_element->nsDef; ns; ns = ns->next) ++*length;
        for (xmlAttrPtr a = m_element->properties; a; a = a->next) ++*length;
        return S_OK;
    }

private:
    xmlAttrPtr Find(const std::string& name) const {
        for (xmlAttrPtr a = m_element->properties; a; a = a->next)
            if (QualifiedName(reinterpret_cast<xmlNodePtr>(a)) == name) return a;
        return nullptr;
    }

    Document* m_owner;
    xmlNodePtr m_element;
};

class Element : public NodeImpl<IXMLDOMElement> {
public:
    using NodeImpl::NodeImpl;
    STDMETHOD(getAttribute)(BSTR name, VARIANT* value) override {
        if (!value) return E_POINTER;
        VariantInit(value);
        VPLAT_DOM_CALL("IXMLDOMElement::getAttribute");
        std::string wanted = ToUtf8(name);
        for (xmlNsPtr ns = m_node->nsDef; ns; ns = ns->next) {
            if (DeclarationName(ns) != wanted) continue;
            value->vt = VT_BSTR;
            value->bstrVal = ToBstr(ns->href);
            return S_OK;
        }
        for (xmlAttrPtr a = m_node->properties; a; a = a->next) {
            if (QualifiedName(reinterpret_cast<xmlNodePtr>(a)) == wanted) {
                value->vt = VT_BSTR;
                value->bstrVal = ToBstr(BAD_CAST JoinText(a->children).c_str());
                return S_OK;
            }
        }
        value->vt = VT_NULL;
        return S_FALSE;
    }
};

class Attribute : public NodeImpl<IXMLDOMAttribute> {
public:
    using NodeImpl::NodeImpl;
};

class ProcessingInstruction : public NodeImpl<IXMLDOMProcessingInstruction> {
public:
    using NodeImpl::NodeImpl;
};

class TextNode : public NodeImpl<IXMLDOMText> {
public:
    using NodeImpl::NodeImpl;
};

class CDataNode : public NodeImpl<IXMLDOMCDATASection> {
public:
    using NodeImpl::NodeImpl;
};

class CommentNode : public NodeImpl<IXMLDOMComment> {
public:
    using NodeImpl::NodeImpl;
};

class PlainNode : public NodeImpl<IXMLDOMNode> {
public:
    using NodeImpl::NodeImpl;
};

}  // namespace

std::string JoinText(xmlNodePtr first) {
    std::string out;
    for (xmlNodePtr c = first; c; c = c->next) {
        if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) {
            if (c->content) out += reinterpret_cast<const char*>(c->content);
        } else if (c->type == XML_ELEMENT_NODE) {
            out += JoinText(c->children);
        }
    }
    return out;
}

IXMLDOMNode* Wrap(Document* owner, xmlNodePtr node) {
    switch (node->type) {
    case XML_ELEMENT_NODE: return new Element(owner, node);
    case XML_ATTRIBUTE_NODE: return new Attribute(owner, node);
    case XML_PI_NODE: return new ProcessingInstruction(owner, node);
    case XML_TEXT_NODE: return new TextNode(owner, node);
    case XML_CDATA_SECTION_NODE: return new CDataNode(owner, node);
    case XML_COMMENT_NODE: return new CommentNode(owner, node);
    case XML_DOCUMENT_NODE:
        owner->AddRef();
        return owner;
    default: return new PlainNode(owner, node);
    }
}

NodeCore* CoreOf(IXMLDOMNode* node) { return node ? dynamic_cast<NodeCore*>(node) : nullptr; }

template <class I>
NodeImpl<I>::NodeImpl(Document* owner, xmlNodePtr node) {
    m_owner = owner;
    m_node = node;
    if (m_owner) m_owner->AddRef();
}

template <class I>
NodeImpl<I>::~NodeImpl() {
    // The document's own node object has no owner to release.
    if (m_owner && static_cast<NodeCore*>(m_owner) != static_cast<NodeCore*>(this)) m_owner->Release();
}

template <class I>
HRESULT NodeImpl<I>::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IXMLDOMNode || iid == ::vplat::UuidOf<I>::Get()) {
        this->AddRef();
        *object = static_cast<I*>(this);
        return S_OK;
    }
    return E_NOINTERFACE;
}

template <class I>
HRESULT NodeImpl<I>::get_nodeName(BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    VPLAT_DOM_CALL("IXMLDOMNode::get_nodeName");
    const char* fixed = nullptr;
    switch (m_node->type) {
    case XML_TEXT_NODE: fixed = "#text"; break;
    case XML_CDATA_SECTION_NODE: fixed = "#cdata-section"; break;
    case XML_COMMENT_NODE: fixed = "#comment"; break;
    case XML_DOCUMENT_NODE: fixed = "#document"; break;
    case XML_DOCUMENT_FRAG_NODE: fixed = "#document-fragment"; break;
    default: break;
    }
    *name = ToBstr(BAD_CAST(fixed ? std::string(fixed) : QualifiedName(m_node)).c_str());
    return S_OK;
}

template <class I>
HRESULT NodeImpl<I>::get_nodeType(DOMNodeType* type) {
    if (!type) return E_POINTER;
    *type = NODE_INVALID;
    VPLAT_DOM_CALL("IXMLDOMNode::get_nodeType");
    switch (m_node->type) {
    case XML_ELEMENT_NODE: *type = NODE_ELEMENT; break;
    case XML_ATTRIBUTE_NODE: *type = NODE_ATTRIBUTE; break;
    case XML_TEXT_NODE: *type = NODE_TEXT; break;
    case XML_CDATA_SECTION_NODE: *type = NODE_CDATA_SECTION; break;
    case XML_ENTITY_REF_NODE: *type = NODE_ENTITY_REFERENCE; break;
    case XML_ENTITY_NODE: *type = NODE_ENTITY; break;
    case XML_PI_NODE: *type = NODE_PROCESSING_INSTRUCTION; break;
    case XML_COMMENT_NODE: *type = NODE_COMMENT; break;
    case XML_DOCUMENT_NODE: *type = NODE_DOCUMENT; break;
    case XML_DOCUMENT_TYPE_NODE:
    case XML_DTD_NODE: *type = NODE_DOCUMENT_TYPE; break;
    case XML_DOCUMENT_FRAG_NODE: *type = NODE_DOCUMENT_FRAGMENT; break;
    case XML_NOTATION_NODE: *type = NODE_NOTATION; break;
    default: break;
    }
    return S_OK;
}

template <class I>
HRESULT NodeImpl<I>::get_childNodes(IXMLDOMNodeList** children) {
    if (!children) return E_POINTER;
    *children = nullptr;
    VPLAT_DOM_CALL("IXMLDOMNode::get_childNodes");
    *children = new NodeList(m_owner, m_node);
    return S_OK;
}

template <class I>
HRESULT NodeImpl<I>::hasChildNodes(VARIANT_BOOL* has) {
    if (!has) return E_POINTER;
    *has = VARIANT_FALSE;
    VPLAT_DOM_CALL("IXMLDOMNode::hasChildNodes");
    *has = FirstChild(m_node) ? VARIANT_TRUE : VARIANT_FALSE;
    return *has ? S_OK : S_FALSE;
}

template <class I>
HRESULT NodeImpl<I>::get_attributes(IXMLDOMNamedNodeMap** attributes) {
    if (!attributes) return E_POINTER;
    *attributes = nullptr;
    VPLAT_DOM_CALL("IXMLDOMNode::get_attributes");
    if (m_node->type != XML_ELEMENT_NODE) return S_FALSE;
    *attributes = new AttributeMap(m_owner, m_node);
    return S_OK;
}

template <class I>
HRESULT NodeImpl<I>::appendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) {
    if (outNewChild) *outNewChild = nullptr;
    VPLAT_DOM_CALL("IXMLDOMNode::appendChild");
    NodeCore* core = CoreOf(newChild);
    if (!core) return E_INVALIDARG;
    xmlNodePtr child = core->m_node;
    if (core->m_owner != m_owner) return E_INVALIDARG;  // a node of another document
    bool toDocument = m_node->type == XML_DOCUMENT_NODE;
    if (!toDocument && m_node->type != XML_ELEMENT_NODE) return E_FAIL;
    switch (child->type) {
    case XML_ELEMENT_NODE:
        if (toDocument && HasRootElement(m_node) && child->parent != m_node) return E_FAIL;  // one root only
        break;
    case XML_PI_NODE:
        // The declaration can only open the document.
        if (IsDeclaration(child) && (!toDocument || (m_node->children && m_node->children != child))) return E_FAIL;
        break;
    case XML_COMMENT_NODE: break;
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
        if (toDocument) return E_FAIL;
        break;
    default: return E_INVALIDARG;
    }
    if (IsAncestorOrSelf(child, m_node)) return E_INVALIDARG;
    if (child->parent) {
        xmlUnlinkNode(child);
        m_owner->KeepDetached(child);
    }
    Link(m_node, child);
    if (outNewChild) {
        newChild->AddRef();
        *outNewChild = newChild;
    }
    return S_OK;
}

template <class I>
HRESULT NodeImpl<I>::get_text(BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    VPLAT_DOM_CALL("IXMLDOMNode::get_text");
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
    case XML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
    case XML_ATTRIBUTE_NODE: *text = ToBstr(BAD_CAST JoinText(m_node->children).c_str()); break;
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE: *text = ToBstr(m_node->content); break;
    default: *text = ToBstr(std::wstring()); break;
    }
    return S_OK;
}

template <class I>
HRESULT NodeImpl<I>::put_text(BSTR text) {
    VPLAT_DOM_CALL("IXMLDOMNode::put_text");
    std::string value = ToUtf8(text);
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE: {
        // The old children may still have node objects: keep them until the document goes.
        while (xmlNodePtr c = m_node->children) {
            xmlUnlinkNode(c);
            m_owner->KeepDetached(c);
        }
        if (!value.empty()) Link(m_node, xmlNewDocText(m_node->doc, BAD_CAST value.c_str()));
        return S_OK;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE: xmlNodeSetContent(m_node, BAD_CAST value.c_str()); return S_OK;
    default: return E_FAIL;
    }
}

template class NodeImpl<IXMLDOMNode>;
template class NodeImpl<IXMLDOMElement>;
template class NodeImpl<IXMLDOMAttribute>;
template class NodeImpl<IXMLDOMProcessingInstruction>;
template class NodeImpl<IXMLDOMText>;
template class NodeImpl<IXMLDOMCDATASection>;
template class NodeImpl<IXMLDOMComment>;
template class NodeImpl<IXMLDOMDocument>;

}  // namespace vplat::dom
