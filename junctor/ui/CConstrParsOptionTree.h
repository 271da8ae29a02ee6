// The style parameter tree: the parameters of a style in eight groups of
// spinner rows, written from the set, read back into it, reformatted, and with
// the six curb-return angles locked while the CNR three-centred option is on.
#pragma once

#include <CConstrPars.h>

#include "CParsOptionTree.h"

class CConstrParsOptionTree : public CParsOptionTree {
public:
    ~CConstrParsOptionTree() override;

    void SetParametri(CConstrPars* parametri) { m_pParametri = parametri; }
    CConstrPars* GetParametri() const { return m_pParametri; }

    // Each of these does nothing (Riempi only empties the tree) without a set.
    void Riempi();
    void ScriviValori();
    void LeggiValori();
    void ApplicaFormato(int decimali, double incremento);
    void AggiornaUnitaAngoli();
    void AbilitaTricentrica(bool tricentrica);

    // Row ids of the six curb-return angles.
    static constexpr int RIGHE_ANGOLI[6] = {26, 27, 28, 33, 34, 35};

private:
    static const Schema SCHEMA;
    Accesso Parametro();
    static bool RigaAngolo(int id);

    CConstrPars* m_pParametri = nullptr;
};
