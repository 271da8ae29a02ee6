// A lane parameter tree: the input parameters of the entry, the exit or the
// left-turn storage lane as spinner rows, written from the lane set and read
// back into it. The derived lane quantities have no row.
#pragma once

#include <CLanePars.h>

#include "CParsOptionTree.h"

class CLaneParsOptionTree : public CParsOptionTree {
public:
    ~CLaneParsOptionTree() override;

    void SetParametri(CLanePars* parametri) { m_pParametri = parametri; }
    CLanePars* GetParametri() const { return m_pParametri; }

    // Without a set the fills only empty the tree and the read-backs do nothing.
    void RiempiImmissione();
    void RiempiUscita();
    void RiempiSvoltaSx();
    void LeggiImmissione();
    void LeggiUscita();
    void LeggiSvoltaSx();

private:
    static const Schema IMMISSIONE;
    static const Schema USCITA;
    static const Schema SVOLTA_SX;
    void Riempi(const Schema& schema);
    void Leggi(const Schema& schema);

    CLanePars* m_pParametri = nullptr;
};
