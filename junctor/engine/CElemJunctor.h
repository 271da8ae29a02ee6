// A road of an intersection as the drawing holds it: its axis alignment, its
// carriageway edges and shoulders and, on a divided road, the edges of the
// central island. Between Apri and Chiudi the entities stay open for read
// and their vertex lists are held in memory.
#pragma once

#include <afx.h>
#include <arx.h>

#include "QvGeometry.h"

class CElemJunctor {
public:
    // The associated polylines, in slot order.
    enum Slot { kCiglioDx = 0, kCiglioSx, kBanchinaDx, kBanchinaSx, kCiglioIsolaDx, kCiglioIsolaSx, kNumSlot };

    CElemJunctor(const wchar_t* nome, const ads_name asse);
    // Not virtual: each element is deleted through its own type.
    ~CElemJunctor();
    CElemJunctor(const CElemJunctor&) = delete;
    CElemJunctor& operator=(const CElemJunctor&) = delete;

    void Inizializza();
    virtual bool Prepara();
    // Opens the axis and the polylines and reads their lists; true at once
    // when already opened, even after a failed attempt (only Chiudi allows a
    // new one; Valida reports what is missing).
    virtual bool Apri();
    // The first missing entity or list appends its line to the log.
    virtual bool Valida();
    virtual void Chiudi();
    virtual bool CalcolaLarghezze() = 0;

    // The absolute edge-to-shoulder distances, right and left.
    bool CalcolaDistanzeBanchine();
    bool CercaElementiAssociati(const ads_point riferimento, int modo);

    CString GetNome() const { return m_nome; }
    CString GetNomeInterno() const { return m_nomeInterno; }
    const CString& GetLog() const { return m_log; }
    void GetAdsNameAsse(ads_name nome) const;
    void SetTipo(int tipo) { m_tipo = tipo; }
    int GetTipo() const { return m_tipo; }
    BYTE GetAperto() const { return m_aperto; }

    datipoli* GetDatiPoliAsse() const { return m_asse.lista; }
    datipoli* GetDatiPoliCiglioDx() const { return m_slot[kCiglioDx].lista; }
    datipoli* GetDatiPoliCiglioSx() const { return m_slot[kCiglioSx].lista; }
    datipoli* GetDatiPoliBanchinaDx() const { return m_slot[kBanchinaDx].lista; }
    datipoli* GetDatiPoliBanchinaSx() const { return m_slot[kBanchinaSx].lista; }
    datipoli* GetDatiPoliCiglioIsolaDx() const { return m_slot[kCiglioIsolaDx].lista; }
    datipoli* GetDatiPoliCiglioIsolaSx() const { return m_slot[kCiglioIsolaSx].lista; }
    AcDbEntity* GetEntitaAsse() const { return m_asse.entita; }
    AcDbEntity* GetEntita(Slot s) const { return m_slot[s].entita; }
    BYTE GetTrovato(Slot s) const { return m_slot[s].trovato; }
    void GetAdsName(Slot s, ads_name nome) const;
    double GetDistanzaBanchinaDx() const { return m_distBanchinaDx; }
    double GetDistanzaBanchinaSx() const { return m_distBanchinaSx; }

protected:
    struct Polilinea {
        BYTE trovato = 0;
        ads_name nome = {0, 0};
        AcDbEntity* entita = nullptr;
        datipoli* lista = nullptr;
    };
    // The signed offset of the first vertex of one list from the other, in
    // either direction; false when neither start has a perpendicular foot.
    static bool DistanzaDueVie(const datipoli* da, const datipoli* a, double& distanza);

    CString m_log;
    CString m_nomeInterno;
    CString m_nome;
    int m_tipo = 0;
    BYTE m_aperto = 0;
    Polilinea m_asse;
    Polilinea m_slot[kNumSlot];
    double m_distBanchinaDx = 0;
    double m_distBanchinaSx = 0;
    double m_tolleranza = 0.001;
};
