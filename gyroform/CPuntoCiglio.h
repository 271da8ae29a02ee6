// A point along a 3D edge: the plain point and the base of every point kind.
// Coordinates are ring-centred; the chainage is the owner's length times the
// position and is not stored.
#pragma once

#include <algorithm>
#include <vector>

#include "GyroformUtil.h"
#include "ICPuntoCiglio.h"
#include "IQvObject_Colour.h"

class CCiglio3D;

// Property ids of the points.
enum DatoPunto {
    DATO_PUNTO_VALORE_RIF = 1,
    DATO_PUNTO_POSIZIONE = 2,
    DATO_PUNTO_COORDINATE = 3,
    DATO_PUNTO_PROGRESSIVA = 4,
    DATO_PUNTO_QUOTA = 5,
    DATO_PUNTO_RAGGIO = 6,
    DATO_PUNTO_PENDENZA_ROTAZIONE = 7,
    DATO_PUNTO_PENDENZA = 8,
    DATO_PUNTO_TIPO_RIF = 9,
    DATO_PUNTO_TIPO_RACCORDO = 10,
    DATO_PUNTO_DELTA = 12,
    DATO_PUNTO_DELTA_MAX = 13,
};

// How a property is shown: labels, unit, decimals and value kind (0: none).
struct DescrittoreDato {
    CString lungo, corto, unita;
    int decimali = 0;
    int tipo = 0;
};

class CPuntoCiglio : public ICPuntoCiglio {
public:
    CPuntoCiglio();
    ~CPuntoCiglio() override;
    CPuntoCiglio(const CPuntoCiglio&) = delete;
    CPuntoCiglio& operator=(const CPuntoCiglio&) = delete;

    bool IsA(int tipo) const override;
    int GetTipoBase() const override { return 0; }
    int GetTipo() const override;
    CDato GetDato(int id, bool* ok = nullptr) const override;
    int LeggiDato(int id, CDato& dato) const override;
    CString GetDatoStringa(int id, int modo, int decimali) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    CString GetNomeTipo() const override;
    int GetElencoDati(CDato** dati, int* numero, int contesto = 0) const override;
    int GetRiservato() const override { return 0; }
    int inizializza(ICCiglio3D* proprietario, bool setDefault) override;
    // The descriptor of a property: its value kind, 0 when it has none.
    virtual int getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const;

    double getProgressiva() const;
    void imposta(CCiglio3D* proprietario, double valoreRif, double posizione, int tipoRif, const double punto[3]);
    // Places the point at a chainage of its owner (or of the given edge) and
    // finds its reference value: 1, or 0 without owner, off the polyline or
    // without a reference line.
    int impostaDaProgressiva(CCiglio3D* proprietario, double prog);

    CCiglio3D* getProprietario() const { return m_proprietario; }
    double getValoreRif() const { return m_valoreRif; }
    double getPosizione() const { return m_posizione; }
    int getTipoRif() const { return m_tipoRif; }
    void getPunto(double punto[3]) const;
    double x() const { return m_x; }
    double y() const { return m_y; }
    double z() const { return m_z; }
    void setPunto(double x, double y, double z) { m_x = x, m_y = y, m_z = z; }
    bool isGrigio() const { return m_grigio; }
    void setGrigio(bool grigio) { m_grigio = grigio; }

protected:
    // The entries a kind adds to its property list, after the common ones.
    virtual void vociProprie(std::vector<CDato>& voci, int contesto) const;
    // Attaches the owner (the rule of plain, node, rotation and section points).
    void attaccaSemplice(ICCiglio3D* proprietario);
    // Attaches the owner, giving a new point the roundabout's reference
    // elevation when asked; true when the elevation should be set.
    bool attaccaConQuota(ICCiglio3D* proprietario, bool setDefault, double* quotaRif);
    static void aggiungiVoce(std::vector<CDato>& voci, int tipo, int id);
    static void impostaGrigio(IQvObject_Colour* colore, bool grigio);
    static IQvObject_Colour* nuovoColore();
    static void liberaOggetto(IQvObject* oggetto);

    double m_valoreRif = 0.0;
    double m_posizione = 0.0;
    int m_tipoRif = 0;
    double m_x = 0.0, m_y = 0.0, m_z = 0.0;
    CCiglio3D* m_proprietario = nullptr;
    bool m_grigio = false;
    IQvObject_Colour* m_colore = nullptr;

private:
    int riferimento(CCiglio3D* proprietario, const double punto[3], double direzione);
};

// The points of a group in chainage order, those at one chainage in group
// order. The group orders its members by chainage when they join it, not
// when a point is moved afterwards, so the computations walk this order.
template <typename T>
std::vector<T*> PuntiInOrdine(IQvObject_Group* gruppo) {
    std::vector<T*> out = gyroform::Oggetti<T>(gruppo);
    std::stable_sort(out.begin(), out.end(),
                     [](const T* a, const T* b) { return a->getProgressiva() < b->getProgressiva(); });
    return out;
}
