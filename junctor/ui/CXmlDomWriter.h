// Builds the output document of the style-file writer. Every operation that
// fails stores its failure text, releases the document and throws an int,
// which the writer catches.
#pragma once

#include <afx.h>
#include <atlbase.h>
#include <msxml6.h>

class CXmlDomWriter {
public:
    CXmlDomWriter();
    ~CXmlDomWriter();
    CXmlDomWriter(const CXmlDomWriter&) = delete;
    CXmlDomWriter& operator=(const CXmlDomWriter&) = delete;

    // Clears the failure text and the state of an earlier run.
    void Azzera();
    // CoInitialize and a new document; IsCreato tells whether it exists.
    // When it does not, COM is already released again.
    void Crea();
    bool IsCreato() const { return m_bCreato; }

    void AggiungiIstruzione(LPCWSTR target, LPCWSTR data);
    // The new element (the caller releases it).
    IXMLDOMNode* AggiungiRadice(LPCWSTR name);
    IXMLDOMNode* AggiungiFiglio(IXMLDOMNode* parent, LPCWSTR name);
    void AggiungiAttributo(IXMLDOMNode* element, LPCWSTR name, LPCWSTR value);
    void ImpostaTesto(IXMLDOMNode* element, LPCWSTR text);
    // Deep copy of an input node under an output parent: elements with their
    // attributes, texts, character data, comments and processing instructions.
    void CopiaNodo(IXMLDOMNode* parent, IXMLDOMNode* node);
    // The attributes of an input element onto an output one.
    void CopiaAttributi(IXMLDOMNode* copy, IXMLDOMNode* node);
    // A comment or processing instruction of the input document, appended to
    // the output document.
    void AggiungiNodoDocumento(IXMLDOMNode* node);
    // Saves over the loaded file / to another path, then releases the document.
    // The file is written beside the target first and renamed over it only
    // when complete, so a failed save leaves the old file as it was.
    void SalvaSu(const CString& path);
    void SalvaCome(const CString& path);

    // Fails with a text of the writer's own (the checks before any DOM work).
    [[noreturn]] void Fallisci(LPCWSTR text);
    [[noreturn]] void Fallisci();

    LPCWSTR GetTestoErrore() const { return m_szErrore; }
    HRESULT GetRisultato() const { return m_hr; }

private:
    void Salva(const CString& path);
    void Rilascia();
    // Appends a node made for the copy, or fails with the text.
    void AccodaNodo(IXMLDOMNode* parent, IXMLDOMNode* node, LPCWSTR text);
    // Stores the text and fails when hr is a failure.
    void Verifica(HRESULT hr, LPCWSTR text);

    IXMLDOMDocument* m_pDoc;
    HRESULT m_hr;
    LPCWSTR m_szErrore;
    bool m_bCreato;
};
