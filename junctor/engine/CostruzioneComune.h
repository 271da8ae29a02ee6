// Small pieces the leg builder's steps share: a vertex list they own for the
// length of a computation, point copies, the lane switches as flags, the
// crossing nearest to a reference point and the log lines several steps write.
#pragma once

#include <afx.h>
#include <arx.h>

#include "IndicePunti.h"
#include "QvEngineering.h"

namespace costruzione {

constexpr const wchar_t* kRigaOffset = L" - Impossibile creare l'offset di una polilinea di costruzione.\r\n";
constexpr const wchar_t* kRigaIntersezioni =
    L" - Numero di intersezioni insufficienti in fase di costruzione.\r\n";

// A vertex list owned by its holder and freed when the holder goes.
class ListaDatiPoli {
public:
    ListaDatiPoli() = default;
    explicit ListaDatiPoli(datipoli* lista) : m_testa(lista) {}
    ~ListaDatiPoli() { LiberaDATIPOLI(&m_testa); }
    ListaDatiPoli(const ListaDatiPoli&) = delete;
    ListaDatiPoli& operator=(const ListaDatiPoli&) = delete;

    datipoli* get() const { return m_testa; }
    // The head, for functions that append to the list.
    datipoli** Testa() { return &m_testa; }
    // The head for a function that fills a new list: an earlier one is freed.
    datipoli** Uscita() {
        LiberaDATIPOLI(&m_testa);
        return &m_testa;
    }
    // Hands the list over; the holder keeps nothing.
    datipoli* Rilascia() {
        datipoli* l = m_testa;
        m_testa = nullptr;
        return l;
    }

private:
    datipoli* m_testa = nullptr;
};

inline void Copia(ads_point d, const double* s) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
}

inline void DaPunto(ads_point d, const AcGePoint3d& p) {
    d[0] = p.x;
    d[1] = p.y;
    d[2] = p.z;
}

// A lane switch as it is kept: on exactly when "Y".
inline bool Acceso(const CString& flag) { return flag == L"Y"; }

// The plan crossing of two lists (ends prolonged by the extensions); of
// several, the one nearest to the reference point. False when none.
inline bool IncrocioPiuVicino(const datipoli* a, const datipoli* b, double estensioneA, double estensioneB,
                              const ads_point riferimento, ads_point punto) {
    if (!a || !b) return false;
    AcGePoint3dArray punti;
    Inters_2_DATIPOLI_2D(a, b, punti, estensioneA, estensioneB, 1);
    int i = 0;
    if (!IndicePuntoPiuVicino(punti, riferimento, i)) return false;
    DaPunto(punto, punti[i]);
    return true;
}

}  // namespace costruzione
