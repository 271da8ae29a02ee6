// What the style and lane parameter trees share: the spinner format their
// owner sets (step, decimals, limits, trailing zeros), the making of their
// rows from a table of groups and parameters, and the walk over the rows by
// position. Each spinner row remembers the text the tree last showed in it,
// so that only rows the user changed are read back: taking every shown text
// back would round every parameter to the displayed decimals.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include <CSingleConstrPar.h>
#include <DescrittoreParametro.h>

#include "CMyOptionTreeItemSpinnerDec.h"
#include "COptionTree.h"

class CParsOptionTree : public COptionTree {
public:
    // Id of the empty spinner row that ends every parameter tree.
    static constexpr int RIGA_VUOTA = 41;

    void SetIncremento(double incremento) { m_dIncremento = incremento; }
    void SetDecimali(int decimali) { m_nDecimali = decimali; }
    void SetLimiti(double massimo, double minimo) {
        m_dMassimo = massimo;
        m_dMinimo = minimo;
    }
    void SetTrimZeros(int trim) { m_nTrimZeros = trim; }
    // The dialogs' way: the settings' step and decimals, limits 10000 / -10000,
    // no trimming, no divider cursor of its own; made visible inside a group
    // box of the dialog, 20 pixels in on every side, with the info pane and
    // shaded expand column and root rows, telling the dialog of its changes,
    // on top of its siblings.
    BOOL CreaNelGruppo(CWnd* dialog, double incremento, int decimali, int gruppo, UINT id);

    double GetIncremento() const { return m_dIncremento; }
    int GetDecimali() const { return m_nDecimali; }
    double GetMassimo() const { return m_dMassimo; }
    double GetMinimo() const { return m_dMinimo; }
    int GetTrimZeros() const { return m_nTrimZeros; }

protected:
    // The rows of one tree: its groups in order, and the parameters of a set
    // whose descriptors name one of those groups (and the container, when given).
    struct Schema {
        const GruppoAlbero* gruppi;
        int numeroGruppi;
        const DescrittoreParametro* descrittori;
        int numeroDescrittori;
        const wchar_t* contenitore;  // null: every container
    };
    // The parameter at a record index of the set shown.
    using Accesso = std::function<CSingleConstrPar&(int)>;
    // A parameter row reached by the walk: the record index of its parameter.
    using Visita = std::function<void(int indice, CMyOptionTreeItemSpinnerDec* riga)>;

    // Builds all rows of the schema, then the empty row, and expands them.
    void RiempiSchema(const Schema& schema, const Accesso& parametro);
    // Walks the parameter rows by position (group order, then row order); the
    // walk stops at the first row that is missing or is not a spinner row.
    void Percorri(const Schema& schema, const Visita& visita);
    // Rows the user changed since the tree last showed a value in them give
    // their spinner's value to their parameter.
    void LeggiSchema(const Schema& schema, const Accesso& parametro);
    // Every parameter row shows its parameter's value.
    void ScriviSchema(const Schema& schema, const Accesso& parametro);
    // Every parameter row takes the step and decimals and shows its value again.
    void FormatoSchema(const Schema& schema, const Accesso& parametro);

    // Shows a value in a row and remembers the text shown.
    void Mostra(CMyOptionTreeItemSpinnerDec* riga, double valore);
    bool ModificataDallUtente(CMyOptionTreeItemSpinnerDec* riga) const;

private:
    static CString TestoDi(CMyOptionTreeItemSpinnerDec* riga);
    CMyOptionTreeItemSpinnerDec* NuovaRiga(COptionTreeItem* gruppo, int id, LPCWSTR etichetta, LPCWSTR descrizione,
                                           LPCWSTR immagine, double valore);
    // Record indices of each group's parameters, in row order.
    static std::vector<std::vector<int>> Righe(const Schema& schema);

    // Until the owner sets them: step 1, no decimals, limits 10000 / -10000, no trimming.
    double m_dIncremento = 1.0;
    int m_nDecimali = 0;
    double m_dMassimo = 10000.0;
    double m_dMinimo = -10000.0;
    int m_nTrimZeros = 0;
    // The text last shown by the tree in each row, by row id.
    std::map<int, CString> m_testiMostrati;
};
