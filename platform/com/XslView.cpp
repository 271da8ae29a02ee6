// XSL views through libxslt, with a security policy that forbids file
// access beyond the two parsed documents, folder creation and the network.
#include "XslView.h"

#include <libxml/parser.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstdarg>
#include <cstdio>

#include "HostText.h"
#include "XmlDomImpl.h"

namespace vplat {

namespace {

// The value of a pseudo-attribute of a processing instruction (href='...').
std::string PseudoAttribute(const std::string& data, const std::string& name) {
    size_t at = 0;
    while ((at = data.find(name, at)) != std::string::npos) {
        bool startsWord = at == 0 || data[at - 1] == ' ' || data[at - 1] == '\t';
        size_t p = at + name.size();
        while (p < data.size() && (data[p] == ' ' || data[p] == '\t')) ++p;
        if (startsWord && p < data.size() && data[p] == '=') {
            ++p;
            while (p < data.size() && (data[p] == ' ' || data[p] == '\t')) ++p;
            if (p < data.size() && (data[p] == '\'' || data[p] == '"')) {
                size_t end = data.find(data[p], p + 1);
                if (end != std::string::npos) return data.substr(p + 1, end - p - 1);
            }
        }
        at = p;
    }
    return std::string();
}

// libxslt's messages become the reason of a failed transform.
void CollectMessage(void* context, const char* format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    *static_cast<std::string*>(context) += line;
}

// A stylesheet named relative to the file that stays in its folder or below:
// no drive or scheme (a colon), no part that climbs out ("..", or dots and
// blanks only, which the file system trims to it).
bool InsideTheFolder(const std::string& href) {
    if (href.empty() || href[0] == '/' || href[0] == '\\' || href.find(':') != std::string::npos) return false;
    size_t start = 0;
    while (start <= href.size()) {
        size_t end = href.find_first_of("/\\", start);
        if (end == std::string::npos) end = href.size();
        const std::string part = href.substr(start, end - start);
        if (part != "." && !part.empty() && part.find_first_not_of(". ") == std::string::npos) return false;
        start = end + 1;
    }
    return true;
}

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

XslResult XslView::Transform(const std::wstring& xmlPath) {
    XslResult result;
    std::wstring reason;
    LONG line = 0, code = 0;
    xmlDocPtr doc = dom::ParseFileSafely(xmlPath, reason, line, code);
    if (!doc) {
        result.error = reason;
        return result;
    }
    std::string href;
    for (xmlNodePtr c = doc->children; c && href.empty(); c = c->next)
        if (c->type == XML_PI_NODE && xmlStrEqual(c->name, BAD_CAST "xml-stylesheet") && c->content)
            href = PseudoAttribute(reinterpret_cast<const char*>(c->content), "href");
    if (!InsideTheFolder(href)) {
        result.error = href.empty() ? L"The file names no stylesheet." : L"The stylesheet is not beside the file.";
        xmlFreeDoc(doc);
        return result;
    }
    std::wstring xslPath = FolderOf(xmlPath) + Utf8ToWide(href);
    xmlDocPtr xslDoc = dom::ParseFileSafely(xslPath, reason, line, code);
    if (!xslDoc) {
        result.error = L"Stylesheet: " + reason;
        xmlFreeDoc(doc);
        return result;
    }
    dom::ParseGuard guard;
    std::string messages;
    xsltSetGenericErrorFunc(&messages, CollectMessage);
    xsltStylesheetPtr style = xsltParseStylesheetDoc(xslDoc);  // takes the document
    if (!style) {
        xmlFreeDoc(xslDoc);
        xmlFreeDoc(doc);
        result.error = L"The stylesheet is not valid XSLT. " + Utf8ToWide(messages);
        xsltSetGenericErrorFunc(nullptr, nullptr);
        return result;
    }
    xsltSecurityPrefsPtr prefs = xsltNewSecurityPrefs();
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_READ_FILE, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
    xsltTransformContextPtr ctxt = xsltNewTransformContext(style, doc);
    xmlDocPtr out = nullptr;
    if (ctxt && xsltSetCtxtSecurityPrefs(prefs, ctxt) == 0)
        out = xsltApplyStylesheetUser(style, doc, nullptr, nullptr, nullptr, ctxt);
    bool failed = !ctxt || ctxt->state != XSLT_STATE_OK;
    if (out && !failed) {
        xmlChar* text = nullptr;
        int length = 0;
        if (xsltSaveResultToString(&text, &length, out, style) == 0) {
            result.html.assign(text ? reinterpret_cast<const char*>(text) : "", static_cast<size_t>(length));
            result.ok = true;
        }
        xmlFree(text);
    }
    if (!result.ok) result.error = L"The transform failed. " + Utf8ToWide(messages);
    xsltSetGenericErrorFunc(nullptr, nullptr);
    if (out) xmlFreeDoc(out);
    if (ctxt) xsltFreeTransformContext(ctxt);
    xsltFreeSecurityPrefs(prefs);
    xsltFreeStylesheet(style);
    xmlFreeDoc(doc);
    return result;
}

}  // namespace vplat
