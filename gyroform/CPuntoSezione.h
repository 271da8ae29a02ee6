// A section point: where a cross-section meets an edge, linked to the section
// points of the neighbouring edges across the carriageway (not owned).
#pragma once

#include <vector>

#include "CPuntoCiglio.h"

class CPuntoSezione : public CPuntoCiglio {
public:
    int GetTipo() const override;
    // A section point shows no property.
    int getDescrittoreDato(int, CString&, CString&, CString&, int*) const override { return 0; }

    using CPuntoCiglio::imposta;
    // Sets the owner (when given) and the two links; 1.
    int imposta(CCiglio3D* proprietario, CPuntoSezione* precedente, CPuntoSezione* successivo);
    // The longitudinal slope of s's edge, combined with the cross fall
    // towards s's previous neighbour when s also has a next one: 1, or 0
    // without s or its previous neighbour.
    static int calcolaPendenza(const CPuntoCiglio* p, double& pendenza, const CPuntoSezione* s);

    CPuntoSezione* getPrecedente() const { return m_precedente; }
    CPuntoSezione* getSuccessivo() const { return m_successivo; }
    void setPrecedente(CPuntoSezione* p) { m_precedente = p; }
    void setSuccessivo(CPuntoSezione* s) { m_successivo = s; }
    int getIndice() const { return m_indice; }
    void setIndice(int indice) { m_indice = indice; }

private:
    CPuntoSezione* m_successivo = nullptr;
    CPuntoSezione* m_precedente = nullptr;
    int m_indice = 0;
};

// The section points among a group's points, in chainage order.
std::vector<CPuntoSezione*> SezioniInOrdine(IQvObject_Group* gruppo);
