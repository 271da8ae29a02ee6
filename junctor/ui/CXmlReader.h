// Base of the style-file reader and writer: loads an XML file into a DOM
// document and reports failed DOM calls.
#pragma once

#include <afx.h>
#include <atlbase.h>
#include <msxml6.h>

class CXmlReader {
public:
    CXmlReader();
    virtual ~CXmlReader();
    CXmlReader(const CXmlReader&) = delete;
    CXmlReader& operator=(const CXmlReader&) = delete;

    // Loads the file; on failure reports it and holds no document.
    bool Carica(const CString& path);
    // Loads again from the stored path.
    bool Ricarica();
    virtual bool Process() = 0;

protected:
    IXMLDOMDocument* CreaDocumento();
    // The element's attribute of exactly that name; empty when missing.
    CString GetAttributo(IXMLDOMNode* element, LPCWSTR name);
    void SegnalaErroreCaricamento(IXMLDOMDocument* doc, LPCWSTR text);
    // Formats the report into the shared buffer, sends it to the debugger
    // output and shows it in a message box.
    void SegnalaErrore(LPCWSTR format, ...);
    void RilasciaDocumento();
    // The path the document was loaded from.
    CString GetPercorso() const;

    VARIANT m_xmlFilePath;
    IXMLDOMDocument* m_pXMLDom;
    bool m_bCaricato;
};

// The report of a failed call: source, line, text, result code, the call itself.
#define XMLREADER_REPORT_FORMAT L"%s:%d  HRCALL Failed: %s\n  0x%.8x = %s\n"
#define XMLREADER_WIDEN2(x) L##x
#define XMLREADER_WIDEN(x) XMLREADER_WIDEN2(x)
// Runs a DOM call; a failure is reported with the source name and the text and
// runs the statement that follows (the caller's way out).
#define HRCALL(source, call, text, onFailure)                                                     \
    do {                                                                                          \
        HRESULT hrCall_ = (call);                                                                 \
        if (FAILED(hrCall_)) {                                                                    \
            SegnalaErrore(XMLREADER_REPORT_FORMAT, source, __LINE__, text, static_cast<unsigned>(hrCall_), \
                          XMLREADER_WIDEN(#call));                                                \
            onFailure;                                                                            \
        }                                                                                         \
    } while (0)
