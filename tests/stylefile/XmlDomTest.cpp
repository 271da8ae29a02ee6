// The DOM stand-in: COM start-up, loading with the platform's rules, the
// node operations the style file uses, saving, and the failure hook.
#include "StyleFileSupport.h"

#include <libxml/parser.h>

using namespace stylefile_test;

namespace {

class XmlDom : public ::testing::Test {
protected:
    void SetUp() override {
        vplat::Com::Reset();
        m_objects = vplat::Com::LiveObjects();
        m_strings = vplat::LiveStrings();
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        ASSERT_EQ(CoCreateInstance(__uuidof(MSXML2::DOMDocument60), nullptr, CLSCTX_INPROC_SERVER,
                                   __uuidof(MSXML2::IXMLDOMDocument), reinterpret_cast<void**>(&m_doc)),
                  S_OK);
    }
    void TearDown() override {
        m_doc.Reset();
        CoUninitialize();
        // Every object and string handed out was released.
        EXPECT_EQ(vplat::Com::LiveObjects(), m_objects);
        EXPECT_EQ(vplat::LiveStrings(), m_strings);
        EXPECT_EQ(vplat::Com::InitCount(), 0);
    }

    // Loads a text written to a file; the result of load and its status.
    HRESULT LoadText(const std::string& xml, VARIANT_BOOL& status, const std::string& name = "in.xml") {
        WriteFile(m_dir.Path(name), xml);
        VarString path(m_dir.WidePath(name));
        return m_doc->load(path, &status);
    }

    ComPtr<IXMLDOMNode> Root() {
        ComPtr<IXMLDOMNodeList> list;
        EXPECT_EQ(m_doc->get_childNodes(&list), S_OK);
        LONG n = 0;
        list->get_length(&n);
        for (LONG i = 0; i < n; ++i) {
            ComPtr<IXMLDOMNode> node;
            list->get_item(i, &node);
            DOMNodeType type;
            node->get_nodeType(&type);
            if (type == NODE_ELEMENT) {
                ComPtr<IXMLDOMNode> out;
                node->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&out));
                return out;
            }
        }
        return {};
    }

    static std::wstring Text(IXMLDOMNode* node) {
        Bstr t;
        EXPECT_EQ(node->get_text(&t), S_OK);
        return t.str();
    }

    static ComPtr<IXMLDOMNode> Child(IXMLDOMNode* node, LONG i) {
        ComPtr<IXMLDOMNodeList> list;
        node->get_childNodes(&list);
        ComPtr<IXMLDOMNode> child;
        list->get_item(i, &child);
        return child;
    }

    static LONG ChildCount(IXMLDOMNode* node) {
        ComPtr<IXMLDOMNodeList> list;
        node->get_childNodes(&list);
        LONG n = -1;
        list->get_length(&n);
        return n;
    }

    std::wstring Reason() {
        ComPtr<IXMLDOMParseError> err;
        EXPECT_EQ(m_doc->get_parseError(&err), S_OK);
        Bstr reason;
        err->get_reason(&reason);
        return reason.str();
    }

    ComPtr<IXMLDOMDocument> m_doc;
    ScratchFolder m_dir;
    long m_objects = 0;
    long m_strings = 0;
};

TEST(ComRuntime, InitialisationIsCountedAndGuardsCreation) {
    vplat::Com::Reset();
    IXMLDOMDocument* doc = nullptr;
    EXPECT_EQ(CoCreateInstance(__uuidof(MSXML2::DOMDocument60), nullptr, CLSCTX_INPROC_SERVER,
                               __uuidof(MSXML2::IXMLDOMDocument), reinterpret_cast<void**>(&doc)),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(vplat::Com::InitCount(), 2);
    EXPECT_EQ(CoCreateInstance(IID_IXMLDOMNode, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument,
                               reinterpret_cast<void**>(&doc)),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_ALL, IID_IXMLDOMNodeList,
                               reinterpret_cast<void**>(&doc)),
              E_NOINTERFACE);
    long before = vplat::Com::LiveObjects();
    ASSERT_EQ(CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument,
                               reinterpret_cast<void**>(&doc)),
              S_OK);
    EXPECT_EQ(vplat::Com::LiveObjects(), before + 1);
    doc->Release();
    EXPECT_EQ(vplat::Com::LiveObjects(), before);
    CoUninitialize();
    CoUninitialize();
    CoUninitialize();  // one too many
    EXPECT_EQ(vplat::Com::InitCount(), 0);
    EXPECT_EQ(vplat::Com::UnpairedUninitialize(), 1);
    vplat::Com::Reset();
}

TEST(ComRuntime, StringsAndVariants) {
    long before = vplat::LiveStrings();
    BSTR b = SysAllocString(L"abc\u00e8");
    EXPECT_EQ(SysStringLen(b), 4u);
    EXPECT_STREQ(b, L"abc\u00e8");
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = b;
    EXPECT_EQ(VariantClear(&v), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
    EXPECT_EQ(vplat::LiveStrings(), before);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
}

// Blank text between elements goes; text with content, comments and CDATA stay.
TEST_F(XmlDom, LoadDropsBlankTextAndJoinsText) {
    VARIANT_BOOL ok = VARIANT_FALSE;
    ASSERT_EQ(LoadText("<?xml version='1.0'?>\n<R>\n  <A> x </A>\n  <!-- c -->\n  <B>1<C>2</C><![CDATA[<3>]]></B>\n"
                       "  <P xml:space='preserve'>  </P>\n</R>\n",
                       ok),
              S_OK);
    ASSERT_EQ(ok, VARIANT_TRUE);
    ComPtr<IXMLDOMNode> root = Root();
    ASSERT_TRUE(root);
    EXPECT_EQ(ChildCount(root.get()), 4);  // A, comment, B, P
    ComPtr<IXMLDOMNode> a = Child(root.get(), 0);
    EXPECT_EQ(Text(a.get()), L" x ");
    ComPtr<IXMLDOMNode> comment = Child(root.get(), 1);
    Bstr name;
    comment->get_nodeName(&name);
    EXPECT_EQ(name.str(), L"#comment");
    ComPtr<IXMLDOMNode> b = Child(root.get(), 2);
    EXPECT_EQ(Text(b.get()), L"12<3>");
    ComPtr<IXMLDOMNode> cdata = Child(b.get(), 2);
    cdata->get_nodeName(&name);
    EXPECT_EQ(name.str(), L"#cdata-section");
    ComPtr<IXMLDOMNode> p = Child(root.get(), 3);
    EXPECT_EQ(Text(p.get()), L"  ");
    // The root's text joins every descendant's, the comment's excluded.
    EXPECT_EQ(Text(root.get()), L" x 12<3>  ");
}

TEST_F(XmlDom, FailedLoadsGiveTheReason) {
    struct Case {
        const char* what;
        const char* xml;  // nullptr: no file
        const wchar_t* reasonPart;
    };
    const Case cases[] = {
        {"missing file", nullptr, L"cannot be opened"},
        {"mismatched tags", "<R><A></B></R>", L"line 1"},
        // libxml2 names the line itself: it is not named twice.
        {"unterminated", "<R><A>", L"Premature end of data in tag A line 1."},
        {"empty file", "", L"empty"},
        {"no root", "<?xml version='1.0'?>\n<!-- only -->\n", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VARIANT_BOOL ok = VARIANT_TRUE;
        HRESULT hr;
        if (c.xml) {
            hr = LoadText(c.xml, ok);
        } else {
            VarString path(m_dir.WidePath("absent.xml"));
            hr = m_doc->load(path, &ok);
        }
        EXPECT_EQ(hr, S_FALSE);
        EXPECT_EQ(ok, VARIANT_FALSE);
        std::wstring reason = Reason();
        EXPECT_FALSE(reason.empty());
        EXPECT_NE(reason.find(c.reasonPart), std::wstring::npos) << std::string(reason.begin(), reason.end());
        EXPECT_EQ(reason.find(L"line 1 (line 1)"), std::wstring::npos) << std::string(reason.begin(), reason.end());
        EXPECT_EQ(ChildCount(m_doc.get()), 0);  // the document is left empty
    }
    // A successful load clears the error.
    VARIANT_BOOL ok;
    ASSERT_EQ(LoadText("<R/>", ok), S_OK);
    ComPtr<IXMLDOMParseError> err;
    m_doc->get_parseError(&err);
    LONG code = -1;
    err->get_errorCode(&code);
    EXPECT_EQ(code, 0);
}

// External DTDs, external entities and parameter entities are neither fetched
// nor substituted; the file reads all the same.
TEST_F(XmlDom, NothingOutsideTheFileIsRead) {
    WriteFile(m_dir.Path("secret.txt"), "SECRET-MARKER");
    WriteFile(m_dir.Path("defs.dtd"), "<!ENTITY leak 'DTD-MARKER'>");
    const std::string cases[] = {
        "<!DOCTYPE R SYSTEM 'defs.dtd'><R>a&leak;b</R>",
        "<!DOCTYPE R [<!ENTITY ext SYSTEM 'secret.txt'>]><R>a&ext;b</R>",
        "<!DOCTYPE R [<!ENTITY % p SYSTEM 'defs.dtd'> %p;]><R>ab</R>",
        "<!DOCTYPE R SYSTEM 'http://127.0.0.1:9/none.dtd'><R>ab</R>",
    };
    for (const std::string& xml : cases) {
        SCOPED_TRACE(xml);
        vplat::DomCalls::Reset();
        VARIANT_BOOL ok = VARIANT_FALSE;
        EXPECT_EQ(LoadText(xml, ok), S_OK);
        std::wstring reason = Reason();
        ASSERT_EQ(ok, VARIANT_TRUE) << std::string(reason.begin(), reason.end());
        ComPtr<IXMLDOMNode> root = Root();
        ASSERT_TRUE(root);
        EXPECT_EQ(Text(root.get()), L"ab");
        EXPECT_EQ(vplat::DomCalls::RefusedLoads(), 0);
    }
}

TEST_F(XmlDom, GetAttributeGivesNullWhenMissing) {
    VARIANT_BOOL ok;
    ASSERT_EQ(LoadText("<R style='DEFAULT' desc='' x='a&amp;b'/>", ok), S_OK);
    ComPtr<IXMLDOMNode> root = Root();
    ComPtr<IXMLDOMElement> e;
    ASSERT_EQ(root->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&e)), S_OK);
    struct Case {
        const wchar_t* name;
        HRESULT hr;
        VARTYPE vt;
        const wchar_t* value;
    };
    const Case cases[] = {
        {L"style", S_OK, VT_BSTR, L"DEFAULT"},
        {L"desc", S_OK, VT_BSTR, L""},
        {L"x", S_OK, VT_BSTR, L"a&b"},
        {L"Style", S_FALSE, VT_NULL, nullptr},  // names are case-sensitive
        {L"none", S_FALSE, VT_NULL, nullptr},
    };
    for (const Case& c : cases) {
        VARIANT v;
        Bstr name(c.name);
        EXPECT_EQ(e->getAttribute(name, &v), c.hr) << c.name;
        EXPECT_EQ(v.vt, c.vt) << c.name;
        if (c.value) {
            EXPECT_STREQ(v.bstrVal, c.value);
        }
        VariantClear(&v);
    }
    // Only elements answer for the element interface.
    ComPtr<IXMLDOMElement> notElement;
    EXPECT_EQ(m_doc->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&notElement)), E_NOINTERFACE);
}

// put_text replaces the children; node objects of the old children stay usable.
TEST_F(XmlDom, PutTextReplacesChildren) {
    VARIANT_BOOL ok;
    ASSERT_EQ(LoadText("<R><A>1<B>2</B></A></R>", ok), S_OK);
    ComPtr<IXMLDOMNode> root = Root();
    ComPtr<IXMLDOMNode> a = Child(root.get(), 0);
    ComPtr<IXMLDOMNode> b = Child(a.get(), 1);
    Bstr text(L"x < y & \u00e8");
    ASSERT_EQ(a->put_text(text), S_OK);
    EXPECT_EQ(ChildCount(a.get()), 1);
    EXPECT_EQ(Text(a.get()), L"x < y & \u00e8");
    EXPECT_EQ(Text(b.get()), L"2");  // detached, still alive
    Bstr empty(L"");
    ASSERT_EQ(a->put_text(empty), S_OK);
    VARIANT_BOOL has = VARIANT_TRUE;
    EXPECT_EQ(a->hasChildNodes(&has), S_FALSE);
    EXPECT_EQ(has, VARIANT_FALSE);
}

// Builds a document the way the style-file writer does and saves it.
TEST_F(XmlDom, SaveWritesOneDeclarationAndUtf8) {
    ComPtr<IXMLDOMProcessingInstruction> decl, sheet;
    Bstr xml(L"xml"), declData(L"version='1.0' encoding = 'UTF-8'");
    Bstr xs(L"xml-stylesheet"), sheetData(L"type = 'text/xsl' href = 'StylesView/Junctor.xsl'");
    ASSERT_EQ(m_doc->createProcessingInstruction(xml, declData, &decl), S_OK);
    ASSERT_EQ(m_doc->appendChild(decl.get(), nullptr), S_OK);
    ASSERT_EQ(m_doc->createProcessingInstruction(xs, sheetData, &sheet), S_OK);
    ASSERT_EQ(m_doc->appendChild(sheet.get(), nullptr), S_OK);
    // A second declaration, or one that does not open the document, is refused.
    ComPtr<IXMLDOMProcessingInstruction> decl2;
    ASSERT_EQ(m_doc->createProcessingInstruction(xml, declData, &decl2), S_OK);
    EXPECT_EQ(m_doc->appendChild(decl2.get(), nullptr), E_FAIL);

    VARIANT element;
    VariantInit(&element);
    element.vt = VT_I4;
    element.lVal = NODE_ELEMENT;
    Bstr rootName(L"INTERSEZIONI_RASO"), childName(L"INTERSEZIONE"), noNs(L"");
    ComPtr<IXMLDOMNode> root, child, out;
    ASSERT_EQ(m_doc->createNode(element, rootName, noNs, &root), S_OK);
    ASSERT_EQ(m_doc->appendChild(root.get(), &out), S_OK);
    EXPECT_EQ(out.get(), root.get());
    ComPtr<IXMLDOMNode> secondRoot;
    ASSERT_EQ(m_doc->createNode(element, rootName, noNs, &secondRoot), S_OK);
    EXPECT_EQ(m_doc->appendChild(secondRoot.get(), nullptr), E_FAIL);  // one root only
    ASSERT_EQ(m_doc->createNode(element, childName, noNs, &child), S_OK);
    ASSERT_EQ(root->appendChild(child.get(), nullptr), S_OK);

    ComPtr<IXMLDOMAttribute> attr, attr2;
    Bstr style(L"style"), value(L"Citt\u00e0 \"A\" <1>"), value2(L"B");
    ASSERT_EQ(m_doc->createAttribute(style, &attr), S_OK);
    ASSERT_EQ(attr->put_text(value), S_OK);
    ComPtr<IXMLDOMNamedNodeMap> attrs;
    ASSERT_EQ(child->get_attributes(&attrs), S_OK);
    ASSERT_EQ(attrs->setNamedItem(attr.get(), nullptr), S_OK);
    // The same name again replaces the attribute.
    ASSERT_EQ(m_doc->createAttribute(style, &attr2), S_OK);
    ASSERT_EQ(attr2->put_text(value2), S_OK);
    ASSERT_EQ(attrs->setNamedItem(attr2.get(), nullptr), S_OK);
    LONG n = 0;
    attrs->get_length(&n);
    EXPECT_EQ(n, 1);
    ASSERT_EQ(attrs->setNamedItem(attr.get(), nullptr), S_OK);  // back to the first
    Bstr text(L"90.000 \u00b0");
    ASSERT_EQ(child->put_text(text), S_OK);

    VarString path(m_dir.WidePath("out.xml"));
    ASSERT_EQ(m_doc->save(path), S_OK);
    std::string bytes = ReadFile(m_dir.Path("out.xml"));
    EXPECT_EQ(bytes.rfind("<?xml version='1.0' encoding = 'UTF-8'?>", 0), 0u) << bytes;
    EXPECT_EQ(bytes.find("<?xml ", 1), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("<?xml-stylesheet type = 'text/xsl' href = 'StylesView/Junctor.xsl'?>"), std::string::npos);
    EXPECT_NE(bytes.find("<INTERSEZIONI_RASO><INTERSEZIONE style=\"Citt\xc3\xa0 &quot;A&quot; &lt;1&gt;\">90.000 \xc2\xb0"
                         "</INTERSEZIONE></INTERSEZIONI_RASO>"),
              std::string::npos)
        << bytes;
    // An independent parser reads it back.
    xmlDocPtr check = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "out.xml", nullptr, XML_PARSE_NONET);
    ASSERT_NE(check, nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(xmlDocGetRootElement(check)->name), "INTERSEZIONI_RASO");
    xmlFreeDoc(check);
}

TEST_F(XmlDom, CreateRefusesNamesThatAreNotXmlNames) {
    VARIANT element;
    VariantInit(&element);
    element.vt = VT_I4;
    element.lVal = NODE_ELEMENT;
    Bstr noNs(L"");
    for (const wchar_t* name : {L"#cdata-section", L"#text", L"", L"1abc", L"a b"}) {
        ComPtr<IXMLDOMNode> node;
        Bstr n(name);
        EXPECT_EQ(m_doc->createNode(element, n, noNs, &node), E_FAIL) << name;
        EXPECT_FALSE(node);
        ComPtr<IXMLDOMAttribute> attr;
        EXPECT_EQ(m_doc->createAttribute(n, &attr), E_FAIL) << name;
    }
    ComPtr<IXMLDOMProcessingInstruction> pi;
    Bstr xml(L"xml"), bad(L"encoding='UTF-8'"), target(L"t"), closes(L"a ?> b");
    EXPECT_EQ(m_doc->createProcessingInstruction(xml, bad, &pi), E_FAIL);
    EXPECT_EQ(m_doc->createProcessingInstruction(target, closes, &pi), E_FAIL);
}

TEST_F(XmlDom, SaveToAFolderThatDoesNotExistFails) {
    VarString path(m_dir.WidePath("no/such/folder/out.xml"));
    EXPECT_TRUE(FAILED(m_doc->save(path)));
}

// The hook makes exactly the chosen call fail, with the chosen result.
TEST_F(XmlDom, FailureHookFailsTheChosenCall) {
    VARIANT_BOOL ok;
    ASSERT_EQ(LoadText("<R a='1'><A/></R>", ok), S_OK);
    ComPtr<IXMLDOMNode> root = Root();
    vplat::DomCalls::Reset();
    vplat::DomCalls::FailCall(2, E_OUTOFMEMORY);
    Bstr name;
    EXPECT_EQ(root->get_nodeName(&name), S_OK);
    ComPtr<IXMLDOMNodeList> list;
    EXPECT_EQ(root->get_childNodes(&list), E_OUTOFMEMORY);
    EXPECT_FALSE(list);
    EXPECT_EQ(root->get_childNodes(&list), S_OK);
    const std::vector<std::string> want = {"IXMLDOMNode::get_nodeName", "IXMLDOMNode::get_childNodes",
                                           "IXMLDOMNode::get_childNodes"};
    EXPECT_EQ(vplat::DomCalls::Log(), want);

    vplat::DomCalls::FailCall(1, E_FAIL);
    IXMLDOMDocument* other = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument,
                               reinterpret_cast<void**>(&other)),
              E_FAIL);
    EXPECT_EQ(other, nullptr);
}

// The document lives while any of its nodes does.
TEST_F(XmlDom, NodesKeepTheDocumentAlive) {
    VARIANT_BOOL ok;
    ASSERT_EQ(LoadText("<R><A>t</A></R>", ok), S_OK);
    ComPtr<IXMLDOMNode> a = Child(Root().get(), 0);
    m_doc.Reset();
    EXPECT_EQ(Text(a.get()), L"t");
}

}  // namespace
