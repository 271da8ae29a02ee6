// A road profile: vertices (chainage, elevation) joined by straight grades,
// with a vertical curve (circular or parabolic, of a radius) at each inner
// vertex. What ICPROFILO::Alloca makes.
#pragma once

#include <list>
#include <unordered_map>

#include "AcDbObjectId.h"
#include "CDato.h"
#include "ICPROFILO.h"

// Curve kinds and the data read from a vertex or the profile.
constexpr int QV_RACCORDO_CIRCOLARE = 3113;
constexpr int QV_RACCORDO_PARABOLICO = 3114;
constexpr int QV_DATO_PROG_VERTICE = 3107;
constexpr int QV_DATO_RAGGIO_CIRCOLARE = 3117;
constexpr int QV_DATO_RAGGIO_PARABOLICO = 3118;
constexpr int QV_DATO_QUOTA_PROFILO = 3148;

// A vertex of a road profile; valid until the profile is freed.
struct ICVERTICE_PROFILO {
    double prog = 0.0, quota = 0.0;
    int raccordo = 0;       // QV_RACCORDO_*, 0 for none
    double raggio = 0.0;    // asked
    double usato = 0.0;     // used, after calcola
};

class ICPROFILO_STRADALE : public ICPROFILO {
public:
    ICPROFILO_STRADALE() = default;
    ICPROFILO_STRADALE(const ICPROFILO_STRADALE& altro);
    ICPROFILO_STRADALE& operator=(const ICPROFILO_STRADALE&) = delete;
    ICPROFILO* Duplica() const override;

    // Walk: null at the ends. Each step takes the same time however many
    // vertices the profile has.
    ICVERTICE_PROFILO* primoVertice();
    ICVERTICE_PROFILO* successivo(const ICVERTICE_PROFILO* v);
    ICVERTICE_PROFILO* precedente(const ICVERTICE_PROFILO* v);
    // A new vertex before the given one, at the end for null; 1 done. The
    // caller keeps chainage order.
    int inserisciVertice(double prog, double quota, const ICVERTICE_PROFILO* prima, ICVERTICE_PROFILO** nuovo = nullptr);
    // The vertex's curve: kind and radius; 1 done.
    int impostaRaccordo(ICVERTICE_PROFILO* v, int raccordo, double raggio);
    // 3107 chainage, 3117 / 3118 the radius used by a circular / parabolic
    // curve (0 for the other kind): 1, or 0 for another id.
    int leggiDatoVertice(const ICVERTICE_PROFILO* v, int id, CDato& dato) const;
    // 0 when the profile can be computed: at least two vertices, chainages
    // more than 1e-9 apart, every value finite.
    int valida() const;
    // Computes the curves, each radius reduced so that its tangents reach at
    // most the middle of a grade shared with another curve, or the first or
    // last vertex. 1 done, 0 for a profile that is not valid.
    int calcola();
    // The value of 3148 (elevation) at a chainage: 1 valid; 0 before the
    // computation, off the profile or for another id.
    int getValore(int id, double prog, double* valore) const;
    // Draws the profile into the working drawing's current space as one 2D
    // polyline on the layer (made when missing): x the chainage, y the
    // elevation, straight along the grades and through every vertical curve
    // at points at most 1.0 apart in chainage. Computes the profile first.
    // 1 with the entity; 0 for a profile that is not valid or no drawing.
    int disegna(const wchar_t* layer, AcDbObjectId& entita);

private:
    struct Raccordo {
        double da = 0.0, a = 0.0;  // chainages where the curve starts and ends
    };
    const ICVERTICE_PROFILO* verticeDi(const ICVERTICE_PROFILO* v, std::list<ICVERTICE_PROFILO>::const_iterator& it) const;
    double quotaRaccordo(std::list<ICVERTICE_PROFILO>::const_iterator it, double prog) const;

    std::list<ICVERTICE_PROFILO> m_vertici;
    // Where each vertex stands in the list, so that a vertex handle finds
    // its neighbours at once.
    std::unordered_map<const ICVERTICE_PROFILO*, std::list<ICVERTICE_PROFILO>::iterator> m_posti;
    bool m_calcolato = false;
};

using ICPROFILO_STRADALE_I = ICPROFILO_STRADALE;
