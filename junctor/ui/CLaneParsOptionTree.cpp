#include "CLaneParsOptionTree.h"

#include <iterator>

// Each lane's parameters are those of its element of the style file.
const CParsOptionTree::Schema CLaneParsOptionTree::IMMISSIONE = {
    CLanePars::GRUPPI_IMMISSIONE, static_cast<int>(std::size(CLanePars::GRUPPI_IMMISSIONE)), CLanePars::DESCRITTORI,
    CLanePars::NUMERO_PARAMETRI, L"CORSIAIMM"};
const CParsOptionTree::Schema CLaneParsOptionTree::USCITA = {
    CLanePars::GRUPPI_USCITA, static_cast<int>(std::size(CLanePars::GRUPPI_USCITA)), CLanePars::DESCRITTORI,
    CLanePars::NUMERO_PARAMETRI, L"CORSIAUSC"};
const CParsOptionTree::Schema CLaneParsOptionTree::SVOLTA_SX = {
    CLanePars::GRUPPI_SVOLTA_SX, static_cast<int>(std::size(CLanePars::GRUPPI_SVOLTA_SX)), CLanePars::DESCRITTORI,
    CLanePars::NUMERO_PARAMETRI, L"CORSIASX"};

CLaneParsOptionTree::~CLaneParsOptionTree() = default;

void CLaneParsOptionTree::Riempi(const Schema& schema) {
    if (!m_pParametri) {
        DeleteAllItems();
        return;
    }
    RiempiSchema(schema, [this](int indice) -> CSingleConstrPar& { return m_pParametri->Parametro(indice); });
}

void CLaneParsOptionTree::Leggi(const Schema& schema) {
    if (!m_pParametri) return;
    LeggiSchema(schema, [this](int indice) -> CSingleConstrPar& { return m_pParametri->Parametro(indice); });
}

void CLaneParsOptionTree::RiempiImmissione() { Riempi(IMMISSIONE); }
void CLaneParsOptionTree::RiempiUscita() { Riempi(USCITA); }
void CLaneParsOptionTree::RiempiSvoltaSx() { Riempi(SVOLTA_SX); }
void CLaneParsOptionTree::LeggiImmissione() { Leggi(IMMISSIONE); }
void CLaneParsOptionTree::LeggiUscita() { Leggi(USCITA); }
void CLaneParsOptionTree::LeggiSvoltaSx() { Leggi(SVOLTA_SX); }
