#include "HtmlParts.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxml/tree.h>

#include <memory>

namespace vplat {

namespace {

xmlNodePtr Child(xmlNodePtr parent, const char* name) {
    for (xmlNodePtr c = parent ? parent->children : nullptr; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && xmlStrcasecmp(c->name, BAD_CAST name) == 0) return c;
    return nullptr;
}

std::string Dump(xmlDocPtr doc, xmlNodePtr node) {
    std::unique_ptr<xmlBuffer, void (*)(xmlBufferPtr)> buf(xmlBufferCreate(), xmlBufferFree);
    htmlNodeDump(buf.get(), doc, node);
    return std::string(reinterpret_cast<const char*>(xmlBufferContent(buf.get())),
                       static_cast<size_t>(xmlBufferLength(buf.get())));
}

// The body's start tag with its attributes, as written.
std::string StartTag(xmlDocPtr doc, xmlNodePtr body) {
    std::string whole = Dump(doc, body);
    size_t end = whole.find('>');
    return end == std::string::npos ? "<body>" : whole.substr(0, end + 1);
}

}  // namespace

std::vector<HtmlPart> CutHtmlPage(const std::string& html, size_t partBytes) {
    std::vector<HtmlPart> parts;
    const std::vector<HtmlPart> whole{{html, html.size()}};
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
        htmlReadMemory(html.data(), static_cast<int>(html.size()), nullptr, "UTF-8",
                       HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING),
        xmlFreeDoc);
    if (!doc) return whole;
    xmlNodePtr root = xmlDocGetRootElement(doc.get());
    xmlNodePtr head = Child(root, "head"), body = Child(root, "body");
    if (!head || !body || !body->children || !body->children->next) return whole;
    const std::string headHtml = Dump(doc.get(), head), bodyTag = StartTag(doc.get(), body);
    // Each part after the first goes on where the one before ended: no
    // margin of the body between them.
    auto page = [&](const std::string& content, bool first, bool last) {
        std::string style;
        if (!first) style += "body { margin-top: 0; padding-top: 0; }";
        if (!last) style += "body { margin-bottom: 0; padding-bottom: 0; }";
        std::string h = headHtml;
        if (!style.empty()) {
            size_t close = h.rfind("</head>");
            if (close == std::string::npos) close = h.size();
            h.insert(close, "<style type=\"text/css\">" + style + "</style>");
        }
        return "<html>" + h + bodyTag + content + "</body></html>";
    };
    std::vector<std::string> contents;
    std::string current;
    for (xmlNodePtr c = body->children; c; c = c->next) {
        current += Dump(doc.get(), c);
        // Cut only before an element: text between children stays with the one before.
        xmlNodePtr next = c->next;
        while (next && next->type != XML_ELEMENT_NODE) {
            current += Dump(doc.get(), next);
            c = next;
            next = c->next;
        }
        if (current.size() >= partBytes || !next) {
            contents.push_back(std::move(current));
            current.clear();
        }
    }
    if (contents.size() < 2) return whole;
    for (size_t i = 0; i < contents.size(); ++i)
        parts.push_back({page(contents[i], i == 0, i + 1 == contents.size()), contents[i].size()});
    return parts;
}

}  // namespace vplat
