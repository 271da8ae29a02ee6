// Export of the model as road alignments: the inner ring, and one curb
// alignment for every gap between neighbouring branches, each with its
// cross-slope records, its vertical profile and a profile sheet.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "CartiglioProfilo.h"
#include "CercaTracciati.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "GyroformUtil.h"
#include "ICQvLorvent.h"
#include "ICTRACCIATO.h"
#include "LeggiDatiPoli.h"
#include "Ombrix.h"
#include "QvEngineeringConstructor.h"
#include "WinIni.h"
#include "ZylEntityID.h"

namespace {

constexpr const wchar_t* kAppEsportazione = L"QV-VORTANA-INTERS-ROT_3D_EXP";
constexpr double kPi = 3.14159265358979323846;
// The inner ring is one arc a little short of the whole circle, whose start
// and end would coincide.
constexpr double kAngoloAnello = 2.0 * kPi - 0.001;
constexpr double kDistanzaCartigli = 10.0;
constexpr double kAllungamentoCartiglio = 10.0;
constexpr double kTolVertici = 1e-6;
constexpr int kNumeroTracciatoNuovo = 2;
constexpr double kProgInizialeTracciato = 0.1;
constexpr int kListaPendenze = 1500;
constexpr int kListaSovralzi = 1505;
constexpr int kListaElementi = 1508;

// The export's data on every entity it draws.
CADDatoArray DatiEsportazione(const CString& nomePianta, const CString& nome) {
    CADDatoArray d;
    d.Add(1001, kAppEsportazione);
    d.Add(1071, 1);
    d.Add(1071, 2);
    d.Add(1000, nomePianta.GetString());
    d.Add(1071, 1);
    d.Add(1000, nome.GetString());
    return d;
}

// True when the entity's export data name that plan roundabout under key 2.
bool DiQuestaPianta(const ZylEntityID& entita, const CString& nomePianta) {
    CADDatoArray dati;
    if (!entita.GetDatiEstesi(dati)) return false;
    for (int i = 0; i < dati.GetCount(); ++i) {
        if (dati[i].GetCodice() != 1001 || CString(dati[i].GetStringa()) != kAppEsportazione) continue;
        for (int j = i + 2; j + 1 < dati.GetCount() && dati[j].GetCodice() != 1001; j += 2) {
            if (dati[j].GetCodice() != 1071 || dati[j].GetInt() != 2) continue;
            return dati[j + 1].GetTipo() == CADDatoArray::Testo && CString(dati[j + 1].GetStringa()) == nomePianta;
        }
    }
    return false;
}

datipoli* Ultimo(datipoli* lista) {
    while (lista && lista->next) lista = lista->next;
    return lista;
}

// Appends a copy of the vertices of a list (all, or all but its last) to
// the stretch. A first vertex on the stretch's last one replaces it, so the
// joint makes no segment of zero length.
void Accoda(datipoli*& tratto, const datipoli* parte, bool senzaUltimo) {
    datipoli* coda = Ultimo(tratto);
    for (const datipoli* n = parte; n && (!senzaUltimo || n->next); n = n->next) {
        if (coda && std::hypot(n->x - coda->x, n->y - coda->y) <= kTolVertici) {
            coda->bulge = n->bulge;
            coda->raggio = n->raggio;
            continue;
        }
        ads_point p = {n->x, n->y, n->z};
        AggpuntoDATIPOLI(p, n->bulge, &tratto, &coda);
        coda->raggio = n->raggio;
    }
}

// Consecutive arcs of one circle become one arc.
void UnisciArchi(datipoli* lista) {
    for (datipoli* n = lista; n && n->next && n->next->next;) {
        datipoli* m = n->next;
        double somma = std::atan(n->bulge) + std::atan(m->bulge);
        bool stessoCerchio = n->bulge != 0.0 && m->bulge != 0.0 && (n->bulge > 0) == (m->bulge > 0) &&
                             std::fabs(n->raggio - m->raggio) <= 1e-6 && std::fabs(somma) < kPi / 2.0 - 1e-9;
        if (!stessoCerchio) {
            n = m;
            continue;
        }
        n->bulge = std::tan(somma);
        n->next = m->next;
        m->next = nullptr;
        LiberaDATIPOLI(&m);
    }
}

// The ring chainage where a branch edge meets the outer ring: its first
// node's reference value, or, for an edge without nodes, the foot of its
// first vertex.
std::optional<double> ProgSuAnello(CCiglio3D* ciglio, CCiglio3D* anello) {
    IQvObject_Group* nodi = ciglio->getPunti(GRUPPO_NODO);
    if (nodi && nodi->GetFirstMember())
        return anello->getLunghezza() * static_cast<CPuntoNodo*>(nodi->GetFirstMember()->GetObject())->getValoreRif();
    const datipoli* primo = ciglio->getPolilinea();
    double prog = 0.0;
    ads_point p = {primo ? primo->x : 0.0, primo ? primo->y : 0.0, 0.0};
    if (!primo || !DistPPoly(anello->getPolilinea(), p, nullptr, nullptr, &prog, nullptr, nullptr, nullptr, 1))
        return std::nullopt;
    return prog;
}

IQvObject_Group* NuovoGruppo(int chiave) {
    auto* g = static_cast<IQvObject_Group*>(QvEngineeringConstructor::Alloca(TIPO_GRUPPO, nullptr));
    if (g) g->Setup(GyroformMain::getConstructor(), 0, chiave, 0);
    return g;
}

void LiberaGruppo(IQvObject_Group*& g) {
    IQvObject* o = g;
    QvEngineeringConstructor::Libera(&o, 1);
    g = nullptr;
}

// The largest margin of a profile sheet, in elevation units.
constexpr double kMargineMassimo = 1000.0;

// The margin above and below a profile on its sheet: the project setting
// "QVDISQR", 0 without it. False for a setting that is no finite margin up
// to kMargineMassimo: the sheets then get none.
bool MargineCartigli(double& margine) {
    margine = 0.0;
    CADDatoArray impostazione;
    if (!getLorvent()->GetImpostazione(L"QVDISQR", impostazione) || !impostazione.GetCount()) return true;
    if (impostazione[0].GetTipo() != CADDatoArray::Reale) return false;
    const double valore = impostazione[0].GetDouble();
    if (!std::isfinite(valore) || std::fabs(valore) > kMargineMassimo) return false;
    margine = valore;
    return true;
}

// The layer of exported profiles, from the project's settings file.
CString LayerProfili() {
    wchar_t file[MAX_PATH] = L"";
    getLorvent()->GetFileImpostazioni(file, MAX_PATH);
    wchar_t layer[256] = L"";
    GetPrivateProfileStringW(L"LAYER", L"PROGETTO", L"PROGETTO", layer, 256, file);
    return layer;
}

}  // namespace

int CRotatoria3D::esporta(Zyl_GePoint3d ptIns) {
    // The sheets and profiles of an earlier export of this plan roundabout go.
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    CADDatoArray filtro, entita;
    filtro.Add(5020, L"*");
    filtro.Add(1001, kAppEsportazione);
    utils->Seleziona(entita, L"_X", filtro);
    for (int i = 0; i < entita.GetCount(); ++i) {
        ZylEntityID e = entita[i].GetEntityID();
        if (DiQuestaPianta(e, m_nomePianta)) utils->Cancella(e);
    }
    double margine = 0.0;
    if (!MargineCartigli(margine))
        gyroform::Messaggio(gyroform::Traduci(L"Impostazione QVDISQR non valida: i cartigli dei profili non hanno margine."));
    const CString layerProfili = LayerProfili();
    ZylTableRecordID record;
    ITableUtils* tabelle = Ombrix::GetTableUtils();
    if (!tabelle->CercaRecord(ZYL_TABELLA_LAYER, layerProfili, record) &&
        !tabelle->CreaRecord(ZYL_TABELLA_LAYER, layerProfili, CADDatoArray(), record))
        gyroform::Messaggio(gyroform::Traduci(L"Layer dei profili non creato, nome non valido: ") + layerProfili);
    ICQvLorvent* lorvent = getLorvent();
    lorvent->DisegnoLayer(true, m_prefissoLayer.GetString());
    esportaRami(ptIns);
    lorvent->LayerEsportati(m_prefissoLayer.GetString());
    lorvent->DisegnoLayer(false, m_prefissoLayer.GetString());
    // An edge without elevations leaves its alignments without a profile.
    return segnalaCigliNonCalcolati() ? 0 : 1;
}

int CRotatoria3D::esportaRami(Zyl_GePoint3d& pt) {
    IQvObject_Group* pendenze = NuovoGruppo(QV_DATO_PROGRESSIVA_ELEMENTO);
    IQvObject_Group* vertici = NuovoGruppo(DATO_PUNTO_POSIZIONE);
    CCiglio3D* anello = getAnelloEsterno();
    const double lunghezzaAnello = anello ? anello->getLunghezza() : 0.0;
    const std::vector<CCiglio3D*> cigli = gyroform::Oggetti<CCiglio3D>(m_cigli);
    if (!pendenze || !vertici) {
        if (pendenze) LiberaGruppo(pendenze);
        if (vertici) LiberaGruppo(vertici);
        return 1;
    }

    datipoli* tratto = nullptr;
    CCiglio3D* destroInAttesa = nullptr;
    CString datoDestro;  // the pending outer right edge's property 22
    double s6 = 0.0, s3 = 0.0, progAsse = 0.0;
    CAsseRamo* asseVisto = nullptr;  // the axis whose ring chainage progAsse is
    // The records and the vertices each run their own alignment chainage.
    double progPendenze = 0.0, progVertici = 0.0;
    CString nome, suffisso;

    // Exports the pending stretch; the edge keeps the alignment's internal
    // name.
    auto esportaTratto = [&](const CString& nomeTratto, CCiglio3D* ciglio, const CString& dato) {
        if (tratto) {
            CString nomeTracciato = nomeTratto, nomeInterno = dato;
            ICPROFILO* profilo = nullptr;
            creaTracciatoEsportato(nomeTracciato, tratto, pendenze, nomeInterno, &profilo);
            disegnaCartiglioProfilo(pt, nomeTracciato, vertici, profilo);
            if (ciglio) {
                ciglio->SetDato(CDato(DATO_CIGLIO_TRACCIATO_ESPORTATO, nomeInterno.GetString()), 1);
                ciglio->aggiornaDatiEstesi();
            }
            ICPROFILO::libera(&profilo);
        }
        pendenze->Empty();
        vertici->Empty();
        LiberaDATIPOLI(&tratto);
        destroInAttesa = nullptr;
        progPendenze = progVertici = 0.0;
    };
    auto appendiCiglio = [&](CCiglio3D* c) {
        aggiungiPendenzeTrasversali(c, nullptr, nullptr, pendenze, &progPendenze);
        aggiungiVerticiProfilo(c, nullptr, nullptr, vertici, &progVertici);
    };
    // An outer right edge starts a stretch, reversed so that it runs towards
    // the ring.
    auto preparaDestro = [&](CCiglio3D* c) {
        LiberaDATIPOLI(&tratto);
        pendenze->Empty();
        vertici->Empty();
        progPendenze = progVertici = 0.0;
        datoDestro = c->GetDato(DATO_CIGLIO_TRACCIATO_ESPORTATO).GetString();
        tratto = allocaDATIPOLI(c->getPolilinea());
        InvertiDatiPoli(&tratto);
        if (datipoli* ultimo = Ultimo(tratto); ultimo && c->getPolilinea()) {
            ultimo->bulge = -c->getPolilinea()->bulge;
            ultimo->raggio = c->getPolilinea()->raggio;
        }
        if (anello)
            if (auto s = ProgSuAnello(c, anello)) s6 = *s;
        nome = c->getAsseRamo() ? c->getAsseRamo()->getNomeEsportazione() : CString();
        appendiCiglio(c);
        destroInAttesa = c;
    };
    // The outer ring from s6 to s3 (across its start when s3 <= s6), each
    // part without its last vertex, which the next part or edge gives; a
    // stretch that ends on the ring (at a branch axis) keeps its end.
    auto appendiAnello = [&](bool unisci, bool conFine) {
        if (!anello) return;
        double da = s6, a = s3;
        aggiungiPendenzeTrasversali(anello, &da, &a, pendenze, &progPendenze);
        aggiungiVerticiProfilo(anello, &da, &a, vertici, &progVertici);
        datipoli* parte = nullptr;
        if (s3 > s6) {
            if (estraiCopiaDATIPOLI(anello->getPolilinea(), &da, &a, &parte)) {
                if (unisci) UnisciArchi(parte);
                Accoda(tratto, parte, !conFine);
            }
        } else {
            double fine = lunghezzaAnello, inizio = 0.0;
            if (estraiCopiaDATIPOLI(anello->getPolilinea(), &da, &fine, &parte)) Accoda(tratto, parte, true);
            LiberaDATIPOLI(&parte);
            if (estraiCopiaDATIPOLI(anello->getPolilinea(), &inizio, &a, &parte)) Accoda(tratto, parte, !conFine);
        }
        LiberaDATIPOLI(&parte);
    };

    for (CCiglio3D* c : cigli) {
        CAsseRamo* asse = c->getAsseRamo();
        switch (c->getCodiceEnum()) {
            case CIGLIO_ANELLO_INTERNO: {
                CString dato = c->GetDato(DATO_CIGLIO_TRACCIATO_ESPORTATO).GetString();
                const datipoli* primo = c->getPolilinea();
                if (!primo) break;
                LiberaDATIPOLI(&tratto);
                datipoli* coda = nullptr;
                ads_point p0 = {primo->x, primo->y, primo->z};
                ads_point p1 = {primo->x * std::cos(kAngoloAnello) - primo->y * std::sin(kAngoloAnello),
                                primo->x * std::sin(kAngoloAnello) + primo->y * std::cos(kAngoloAnello), primo->z};
                AggpuntoDATIPOLI(p0, std::tan(kPi / 2.0 - 0.00025), &tratto, &coda);
                AggpuntoDATIPOLI(p1, 0.0, &tratto, &coda);
                appendiCiglio(c);
                nome = m_nome;
                esportaTratto(nome, c, dato);
                break;
            }
            case CIGLIO_ESTERNO_DESTRO:
                preparaDestro(c);
                break;
            case CIGLIO_ESTERNO_SINISTRO: {
                CString dato = c->GetDato(DATO_CIGLIO_TRACCIATO_ESPORTATO).GetString();
                suffisso = L"_" + (asse ? asse->getNomeEsportazione() : CString());
                if (!destroInAttesa) {
                    CCiglio3D* ultimo = cigli.empty() ? nullptr : cigli.back();
                    if (s6 == 0.0 && ultimo && ultimo != c && ultimo->getCodiceEnum() == CIGLIO_ESTERNO_DESTRO) {
                        preparaDestro(ultimo);
                    } else {
                        // After a branch without outer right edge the gap
                        // starts on the ring at that branch's axis, and is
                        // named after it.
                        s6 = progAsse;
                        if (asseVisto) nome = asseVisto->getNomeEsportazione();
                        LiberaDATIPOLI(&tratto);
                        pendenze->Empty();
                        vertici->Empty();
                        progPendenze = progVertici = 0.0;
                    }
                }
                if (anello)
                    if (auto s = ProgSuAnello(c, anello)) s3 = *s;
                AcGePoint3dArray incroci;
                if (destroInAttesa &&
                    Inters_2_DATIPOLI_2D(destroInAttesa->getPolilinea(), c->getPolilinea(), incroci, 0.0, 0.0, 0) > 0) {
                    // The two edges cross: each is exported alone.
                    CCiglio3D* destro = destroInAttesa;
                    CString nomeDestro = nome;
                    LiberaDATIPOLI(&tratto);
                    tratto = allocaDATIPOLI(destro->getPolilinea());
                    InvertiDatiPoli(&tratto);
                    esportaTratto(nomeDestro + L"_", destro, datoDestro);
                    tratto = allocaDATIPOLI(c->getPolilinea());
                    appendiCiglio(c);
                    esportaTratto(suffisso, c, dato);
                    break;
                }
                appendiAnello(false, false);
                Accoda(tratto, c->getPolilinea(), false);
                appendiCiglio(c);
                esportaTratto(nome + suffisso, c, dato);
                break;
            }
            case CIGLIO_INTERNO_SINISTRO:
            case CIGLIO_INTERNO_DESTRO: {
                if (!asse) break;
                asse->intersecaAnello(true);
                progAsse = asse->getPosizioneAnello() * lunghezzaAnello;
                asseVisto = asse;
                if (!destroInAttesa) break;
                // A branch without outer left edge: the gap ends at its axis,
                // and is named after the branch it starts from and this one.
                s3 = progAsse;
                CString dato = c->GetDato(DATO_CIGLIO_TRACCIATO_ESPORTATO).GetString();
                appendiAnello(s3 > s6, true);
                esportaTratto(nome + L"_" + asse->getNomeEsportazione(), c, dato);
                break;
            }
            default: break;
        }
    }
    LiberaDATIPOLI(&tratto);
    LiberaGruppo(pendenze);
    LiberaGruppo(vertici);
    return 1;
}

int CRotatoria3D::creaTracciatoEsportato(CString& nome, const datipoli* polilinea, IQvObject_Group* pendenze,
                                         CString& nomeInterno, ICPROFILO** profilo) {
    if (profilo) *profilo = nullptr;
    datipoli* mondo = allocaDATIPOLI(polilinea);
    Zyl_GeMatrix3d traslazione;
    traslazione.setTranslation(Zyl_GeVector3d(m_centro[0], m_centro[1], 0.0));
    ads_matrix m;
    traslazione.getMatrix(m);
    if (mondo) RototraslaDATIPOLI(mondo, m);

    ICTRACCIATO* tracciato = nullptr;
    bool esistente = !nomeInterno.IsEmpty() && GetTracciatoByNomeInterno(&tracciato, nomeInterno.GetString(), nullptr) &&
                     tracciato;
    if (esistente) {
        // The caller gets a copy: the alignment and its profiles go below.
        const ICPROFILO* proprio = tracciato->getProfiloVerticale();
        if (profilo && proprio) *profilo = proprio->Duplica();
        nome = tracciato->GetDato(QV_DATO_NOME_TRACCIATO).GetString();
    } else {
        nomeInterno.Empty();
        tracciato = mondo ? ICTRACCIATO_Constructor::Alloca(mondo, kProgInizialeTracciato) : nullptr;
        if (tracciato) {
            tracciato->SetDato(CDato(QV_DATO_TIPO_TRACCIATO, kNumeroTracciatoNuovo), 1);
            tracciato->SetDato(CDato(QV_DATO_NOME_TRACCIATO, nome.GetString()), 1);
        }
    }
    LiberaDATIPOLI(&mondo);
    if (!tracciato) return 0;

    ICLISTADATI* elementi = tracciato->getListaDati(kListaElementi);
    elementi->svuota();
    IQvObject* elemento = QvEngineeringConstructor::Alloca(kListaElementi, nullptr);
    elementi->aggiungiCopia(elemento);
    QvEngineeringConstructor::Libera(&elemento, 1);
    ICLISTADATI* lista = tracciato->getListaDati(kListaPendenze);
    lista->svuota();
    for (IQvObject_GroupMember* mb = pendenze ? pendenze->GetFirstMember() : nullptr; mb; mb = mb->GetNext())
        lista->aggiungiCopia(mb->GetObject());
    tracciato->aggiornaDati(kListaSovralzi, 0);

    int esito = 1;
    if (esistente) {
        tracciato->aggiorna();
    } else if (tracciato->disegna()) {
        nomeInterno = tracciato->getNomeInterno();
    } else {
        esito = 0;
    }
    IQvObject* oggetto = tracciato;
    QvEngineeringConstructor::Libera(&oggetto, 1);
    return esito;
}

int CRotatoria3D::disegnaCartiglioProfilo(Zyl_GePoint3d& pt, const CString& nome, IQvObject_Group* vertici,
                                          ICPROFILO* profiloEsistente) {
    struct Vertice {
        double prog, quota, raggio;
        int raccordo;
    };
    std::vector<Vertice> punti;
    for (CPuntoVertice* v : gyroform::Oggetti<CPuntoVertice>(vertici))
        punti.push_back({v->getPosizione(), v->getQuota(), v->getRaggio(), v->getTipoRaccordo()});
    // Without vertices (a model exported before it was drawn) there is
    // nothing to size a sheet by.
    if (punti.empty()) return 0;

    AcGePoint3d cartiglio;
    const bool esistente = profiloEsistente && profiloEsistente->getPuntoCartiglio(cartiglio);
    Zyl_GePoint3d base = esistente ? Zyl_GePoint3d(cartiglio.x, cartiglio.y, cartiglio.z) : Zyl_GePoint3d(pt.x, pt.y, 0.0);

    double margine = 0.0;
    MargineCartigli(margine);

    auto [progMin, progMax] = std::minmax_element(punti.begin(), punti.end(),
                                                  [](const Vertice& a, const Vertice& b) { return a.prog < b.prog; });
    auto [quotaMin, quotaMax] = std::minmax_element(
        punti.begin(), punti.end(), [](const Vertice& a, const Vertice& b) { return a.quota < b.quota; });
    const double riferimento = quotaMin->quota - margine;
    const double altezza = quotaMax->quota - quotaMin->quota + 2.0 * margine;
    const double lunghezza = progMax->prog - progMin->prog + (esistente ? 0.0 : kAllungamentoCartiglio);

    ads_point p = {base.x, base.y, base.z};
    wchar_t handle[100] = L"";
    if (!DisegnaCartProf(p, riferimento, altezza, lunghezza, nome.GetString(), L"", handle, 100, 0)) return 0;
    ZylEntityID foglio(handle, ZylDatabase());
    CADDatoArray dati = DatiEsportazione(m_nomePianta, m_nome);
    foglio.SetDatiEstesi(dati);
    Zyl_GePoint3d minimo, massimo;
    const double altezzaFoglio = foglio.GetEstensione(minimo, massimo) ? massimo.y - minimo.y : altezza;

    auto* profilo = static_cast<ICPROFILO_STRADALE_I*>(ICPROFILO::Alloca());
    std::vector<ICVERTICE_PROFILO*> inseriti;
    ICVERTICE_PROFILO* ultimo = nullptr;
    for (const Vertice& v : punti) {
        const double vertice[2] = {base.x + v.prog, base.y + v.quota - riferimento};
        inseriti.push_back(CCiglio3D::inserisciVerticeInProfilo(vertice, profilo, ultimo));
        if (inseriti.back()) ultimo = inseriti.back();
    }
    for (size_t i = 0; i < punti.size(); ++i)
        if (punti[i].raggio > 0.0 && inseriti[i]) profilo->impostaRaccordo(inseriti[i], punti[i].raccordo, punti[i].raggio);
    AcDbObjectId disegnato;
    if (profilo->disegna(LayerProfili().GetString(), disegnato)) ZylEntityID(disegnato).SetDatiEstesi(dati);

    if (!esistente) pt.y += altezzaFoglio + kDistanzaCartigli;
    ICPROFILO* daLiberare = profilo;
    ICPROFILO::libera(&daLiberare);
    return 1;
}
