// The leg builder: from the main road, one leg with its island points, the
// leg's style parameters and the lane parameters, it draws the drop island,
// the outer edges and shoulders with their curb returns, the triangular
// islands and the left-turn lane edges, tags every polyline with the
// intersection's extended data and records the lanes in the main alignment.
#pragma once

#include <afx.h>
#include <arx.h>

#include <vector>

#include "CConstrPars.h"
#include "CLanePars.h"
#include "CPrincipaleJunctor.h"
#include "CSecondariaJunctor.h"
#include "QvEngineering.h"

// The chainage margin the curb returns add to or take from a crossing
// chainage; every command that builds legs sets it to 5.0 first.
extern double MargineProgressiva;

// Application of the extended data on every polyline of a leg.
constexpr const wchar_t* kAppIntersezione = L"QV-VORTANA-INTERS-T";
// Data code of the intersection id on the lane records of the main alignment.
constexpr int kDatoIdIntersezione = 22405;

class CConstrJunctor {
public:
    // Sides of the curb returns and of the drop island halves.
    enum Lato { kUscita = 0, kImmissione = 1 };

    CConstrJunctor();
    ~CConstrJunctor();
    CConstrJunctor(const CConstrJunctor&) = delete;
    CConstrJunctor& operator=(const CConstrJunctor&) = delete;

    void Init(CPrincipaleJunctor* principale, CSecondariaJunctor* secondaria);
    void SetParCorsie(CLanePars* corsie);
    // The id text is the number as "%lu"; when the drawing already holds that
    // id (on an intersection polyline or a lane record), the next free number.
    void SetId(DWORD id);
    CString GetId() const { return m_id; }
    void Costruisci();
    BYTE GetEsito() const { return m_esito; }
    CString GetLog() const { return m_log; }
    // Island points of the leg and the four offset points of the lane lines.
    void LeggiPuntiRamo();

    // The name under section "LAYER" of "DEFAULTSETTINGS.INI" in the module
    // folder; the default when the file or the key is missing.
    static CString GetNomeLayer(const wchar_t* chiave, const wchar_t* predefinito);
    // The same from the settings file of a given folder (ending in a backslash).
    static CString GetNomeLayerIn(const wchar_t* cartella, const wchar_t* chiave, const wchar_t* predefinito);

    // Drop island.
    bool CostruisciIsolaGoccia();
    bool CalcolaLatoIsolaGoccia(int lato, AcDb2dPolyline** polilinea, AcGePoint3dArray& vertici,
                                AcGeDoubleArray& bulge);
    bool CostruisciBanchinaIsolaGoccia(const AcGePoint3dArray& vertici0, const AcGeDoubleArray& bulge0,
                                       const AcGePoint3dArray& vertici1, const AcGeDoubleArray& bulge1,
                                       datipoli** lista0, datipoli** lista1, circ* cerchioBase);
    // The circle tangent to the line P Q and to both circles, on the side of
    // the line where A's centre lies.
    bool CerchioTangente(const circ& a, const circ& b, const ads_point p, const ads_point q, circ* risultato);
    // The foot of the circle's centre on the line A B, accepted when it lies
    // at least radius - tolerance from the centre.
    bool PuntoSuCerchio(const circ& cerchio, const ads_point a, const ads_point b, ads_point punto,
                        double tolleranza = 0.001);
    // The foot of the circle's centre on the list, accepted when its distance
    // from the centre is within the tolerance of the radius.
    bool PuntoVicinoCerchio(const circ& cerchio, const datipoli* lista, ads_point punto, double tolleranza = 0.001);

    // Curb returns: outer edges and shoulders.
    bool CalcolaTricentrica(const AcGeDoubleArray& angoli, const AcGeDoubleArray& raggi, AcGePoint3dArray& punti,
                            AcGePoint3dArray& centri, ads_point vertice);
    bool PosizionaTricentrica(const ads_point a, const ads_point b, const ads_point c, const AcGeDoubleArray& angoli,
                              const AcGeDoubleArray& raggi, AcGePoint3dArray& punti, AcGePoint3dArray& centri,
                              bool& antiorario);
    bool CostruisciCiglioEsterno(int lato, AcDb2dPolyline** polilinea);
    bool CostruisciBanchinaEsterna(int lato, AcDb2dPolyline** polilinea);
    bool CostruisciCigliEsterni();

    // Triangular islands.
    bool CostruisciIsoleTriangolari();
    bool CostruisciCiglioIsolaTriangolare(int lato, const datipoli* isola, const datipoli* esterno);
    bool CostruisciBanchinaIsolaTriangolare(int lato, const datipoli* isola, const datipoli* esterno);

    // Left-turn storage lane and the lane records of the main alignment.
    bool CalcolaCorsiaAccumulo();
    bool CalcolaCorsiaAccumuloUrbana();
    bool CalcolaAllargamento(const ads_point inizio, double progInizio, double progFine, double allargamento,
                             double allargamentoFinale, const datipoli* lista, AcGePoint3dArray& vertici,
                             AcGeDoubleArray& bulge);
    bool CostruisciCorsiaAccumulo();
    bool RegistraCorsiaAccumulo();
    bool DisegnaCorsiaAccumulo();
    bool RegistraCorsieImmUsc();

    // Removes from the alignment's lane lists (1512, 1511, 1513, 1514, 1515)
    // every record whose intersection id is that text; nothing is committed.
    static void RimuoviRecord(ICTRACCIATO* tracciato, const CString& id);

    // Extended data of a drawn polyline: 0 written, 3 not.
    int ScriviDatiEstesi(AcDbObjectId id, const wchar_t* codiceCiglio);

protected:
    // Appends a line, translated, to the log.
    void Log(const wchar_t* riga);
    // The drawing pattern of every step: the polyline appended to model
    // space on the layer of the key, then tagged with the edge code. The
    // polyline is closed (or, when the append fails, deleted) afterwards.
    // An outline that crosses itself or turns back (except at the vertices
    // listed, pointed tails by design) is deleted instead, with a log line;
    // the id is then null.
    AcDbObjectId Disegna(AcDb2dPolyline* polilinea, const wchar_t* chiaveLayer, const wchar_t* codiceCiglio,
                         const std::vector<int>& punte = {});
    // Whether the lane values a switched-on lane uses are finite; the first
    // that is not is named in the log.
    bool ValoriCorsieFiniti();
    // Whether the leg's island points stand for its h, s, b1 and b2, after
    // computing them again from the crossing when they do not; the reasons
    // of an island that cannot be placed go into the log.
    bool IsolaPronta();
    // The reasons the leg's last island computation wrote from `inizio` on,
    // and the value to change when the apex was not found.
    void LogIsolaMancante(int inizio);
    // Frees the left-turn lane's working arrays.
    void LiberaArrayCorsia();

    CPrincipaleJunctor* m_principale = nullptr;
    CSecondariaJunctor* m_secondaria = nullptr;
    CConstrPars* m_parametri = nullptr;
    CLanePars* m_corsie = nullptr;
    BYTE m_esito = 0;
    CString m_log;
    CString m_id;
    ICTRACCIATO* m_tracciato = nullptr;

    // Leg points: island points 1 to 4 (base point, b1 corner, b2 corner,
    // apex); the b1 corner and the apex moved Lcu to the left of apex -> b1
    // corner; the b2 corner and the apex moved Lce to the right of apex -> b2
    // corner.
    ads_point m_isola1 = {0, 0, 0}, m_isola2 = {0, 0, 0}, m_isola3 = {0, 0, 0}, m_isola4 = {0, 0, 0};
    ads_point m_offsetB1 = {0, 0, 0}, m_offsetApiceUscita = {0, 0, 0};
    // Where the drop island shoulder's halves meet the main shoulder (Pv,
    // Pi): the base circle touches the line through them, and the base arcs
    // of the shoulder and of the edge's nose pass there.
    ads_point m_cordaBase[2] = {{0, 0, 0}, {0, 0, 0}};
    ads_point m_offsetB2 = {0, 0, 0}, m_offsetApiceImmissione = {0, 0, 0};

    // Left-turn lane: chainages t1 to t4; X with its feet F3 and F2 on the
    // third and second offsets and their chainages; Y with its foot F2y and
    // the arc end Z with the arc's bulge; the widening chainages and start
    // point; whether the lane was computed.
    double m_t[4] = {0, 0, 0, 0};
    ads_point m_X = {0, 0, 0}, m_F3 = {0, 0, 0}, m_F2 = {0, 0, 0};
    double m_c3 = 0, m_c2 = 0;
    ads_point m_Y = {0, 0, 0}, m_F2y = {0, 0, 0}, m_Z = {0, 0, 0};
    double m_bulgeCorsia = 0;
    double m_w1 = 0, m_w2 = 0;
    ads_point m_inizioAllargamento = {0, 0, 0};
    bool m_corsiaSxCalcolata = false;
    // The widening points and the part along the lane offset.
    AcGePoint3dArray m_verticiAllargamento{0, 8};
    AcGeDoubleArray m_bulgeAllargamento{0, 8};
    AcGePoint3dArray m_verticiTratto{0, 8};
    AcGeDoubleArray m_bulgeTratto{0, 8};

    // Entry and exit lane sections along the main axis, indexed by side
    // (kUscita: e1..e3, kImmissione: s1..s3), for the outer edges and the
    // outer shoulders; whether each was computed; the lane shoulder point of
    // each side.
    double m_sezioniCiglio[2][3] = {{0, 0, 0}, {0, 0, 0}};
    double m_sezioniBanchina[2][3] = {{0, 0, 0}, {0, 0, 0}};
    bool m_sezioniCiglioCalcolate[2] = {false, false};
    bool m_sezioniBanchinaCalcolate[2] = {false, false};
    ads_point m_puntoBanchinaCorsia[2] = {{0, 0, 0}, {0, 0, 0}};

    // Drawn polylines: the drop island's edge and shoulder, and the outer
    // edge and shoulder of each side.
    AcDbObjectId m_idCiglioIsola;
    AcDbObjectId m_idBanchinaIsola;
    AcDbObjectId m_idCiglioEsterno[2];
    AcDbObjectId m_idBanchinaEsterna[2];
};
