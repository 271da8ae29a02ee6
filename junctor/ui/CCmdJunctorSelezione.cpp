// Road selection and the preparation of the legs of a command.
#include <TranslatorBinding.h>

#include <cmath>

#include "CCmdJunctor.h"
#include "CJunctorSettings.h"
#include "IndicePunti.h"
#include "LeggiDatiPoli.h"
#include "SelezionaTracciato.h"

namespace {

double Distanza(const ads_point a, double x, double y) { return std::hypot(a[0] - x, a[1] - y); }

const datipoli* Ultimo(const datipoli* lista) {
    while (lista && lista->next) lista = lista->next;
    return lista;
}

// A vertex list read from an entity, freed with the object.
struct Lista {
    datipoli* testa = nullptr;
    ~Lista() { LiberaDATIPOLI(&testa); }
};

}  // namespace

bool CCmdJunctor::SelezionaTracciato(const wchar_t* prompt, ads_name entita, CString& nome) {
    ACHAR nomeLetto[256] = {};
    ACHAR lavoro1[256] = {};
    ACHAR lavoro2[256] = {};
    tracciato* record = nullptr;
    const int esito = SelezionaTraEx2(nomeLetto, entita, lavoro1, lavoro2, prompt, &record, -1, 1);
    LiberaTracciato(&record);
    if (!esito) return false;
    nome = nomeLetto;
    return true;
}

int CCmdJunctor::VersoSecondaria(const ads_name secondaria) {
    Lista lista;
    if (!LeggiDATIPOLI(secondaria, &lista.testa) || !lista.testa) return 2;
    const datipoli* ultimo = Ultimo(lista.testa);
    const ads_point intersezione = {m_x, m_y, m_z};
    return Distanza(intersezione, lista.testa->x, lista.testa->y) < Distanza(intersezione, ultimo->x, ultimo->y)
               ? 0
               : 1;
}

int CCmdJunctor::IntersecaCigli(CPrincipaleJunctor* principale, const ads_name secondaria, int& verso, int& lato) {
    ads_name destro, sinistro;
    principale->GetAdsNameCigli(destro, sinistro);
    AcDbObjectId idDestro, idSinistro, idSecondaria;
    if (acdbGetObjectId(idDestro, destro) != Acad::eOk || acdbGetObjectId(idSinistro, sinistro) != Acad::eOk ||
        acdbGetObjectId(idSecondaria, secondaria) != Acad::eOk) {
        m_log += TranslateText(L"Impossibile recuperare l'entità. \r\n");
        return 0;
    }
    const ads_point intersezione = {m_x, m_y, m_z};
    ads_point punto = {0, 0, 0};
    int numero = 0;

    AcGePoint3dArray punti;
    if (Inters_2AcDbEntity2D(idDestro, idSecondaria, punti, 0.0, 0.0, 1) > 0 && punti.length() > 0) {
        int i = 0;
        if (punti.length() > 1) IndicePuntoPiuVicino(punti, intersezione, i);
        punto[0] = punti[i].x;
        punto[1] = punti[i].y;
        punto[2] = punti[i].z;
        lato = 0;
        numero = 1;
    }
    if (Inters_2AcDbEntity2D(idSinistro, idSecondaria, punti, 0.0, 0.0, 1) > 0 && punti.length() > 0) {
        if (numero == 0) {
            lato = 1;
            punto[0] = punti[0].x;
            punto[1] = punti[0].y;
            punto[2] = punti[0].z;
        }
        ++numero;
    }
    if (numero == 0) return 0;

    Lista lista;
    if (!LeggiDATIPOLI(secondaria, &lista.testa) || !lista.testa) return 0;
    if (numero == 1) {
        const datipoli* ultimo = Ultimo(lista.testa);
        verso = Distanza(punto, lista.testa->x, lista.testa->y) >= Distanza(punto, ultimo->x, ultimo->y) ? 1 : 0;
    } else {
        double progIntersezione = 0, progCiglio = 0;
        DistPPoly(lista.testa, intersezione, nullptr, nullptr, &progIntersezione, nullptr, nullptr, nullptr, 0);
        DistPPoly(lista.testa, punto, nullptr, nullptr, &progCiglio, nullptr, nullptr, nullptr, 0);
        verso = progIntersezione > progCiglio ? 1 : 0;
    }
    return numero;
}

void CCmdJunctor::LatoSecondaria(CSecondariaJunctor* ramo) {
    const datipoli* asse = ramo->GetDatiPoliAsse();
    if (!asse || !m_principale) {
        ramo->SetLato(CSecondariaJunctor::kLatoIgnoto);
        return;
    }
    const datipoli* v = ramo->GetVerso() == CSecondariaJunctor::kIn ? Ultimo(asse) : asse;
    const ads_point vertice = {v->x, v->y, v->z};
    double a = 0, b = 0;
    const bool trovatoA =
        DistPPoly(m_principale->GetDatiPoliCiglioDx(), vertice, &a, nullptr, nullptr, nullptr, nullptr, nullptr, 1);
    const bool trovatoB =
        DistPPoly(m_principale->GetDatiPoliCiglioSx(), vertice, &b, nullptr, nullptr, nullptr, nullptr, nullptr, 1);
    if (trovatoA && trovatoB)
        ramo->SetLato(std::fabs(a) >= std::fabs(b) ? CSecondariaJunctor::kSinistra : CSecondariaJunctor::kDestra);
    else
        ramo->SetLato(CSecondariaJunctor::kLatoIgnoto);
}

void CCmdJunctor::CopiaParCorsie(CSecondariaJunctor* ramo, CLanePars corsie) { *ramo->GetParametriCorsie() = corsie; }

bool CCmdJunctor::SelezionaStrade(const wchar_t* nomePrincipale, const ads_name entitaPrincipale,
                                  const wchar_t* nomeSecondaria, const ads_name entitaSecondaria) {
    m_log = TranslateText(L"Selezione dei tracciati: \r\n");
    CSecondariaJunctor* precedenteIn = m_in;
    CSecondariaJunctor* precedenteOut = m_out;

    CString principale = nomePrincipale ? nomePrincipale : L"";
    CString secondaria = nomeSecondaria ? nomeSecondaria : L"";
    ads_name asseP = {0, 0}, asseS = {0, 0};
    if (!principale.IsEmpty()) {
        asseP[0] = entitaPrincipale[0];
        asseP[1] = entitaPrincipale[1];
    } else if (!SelezionaTracciato(CString(TranslateText(L"Selezionare la strada principale: ")), asseP,
                                   principale)) {
        return false;
    }
    if (!secondaria.IsEmpty()) {
        asseS[0] = entitaSecondaria[0];
        asseS[1] = entitaSecondaria[1];
    } else if (!SelezionaTracciato(CString(TranslateText(L"Selezionare la strada secondaria: ")), asseS,
                                   secondaria)) {
        return false;
    }

    CWaitCursor attesa;
    AcDbObjectId idP, idS;
    if (acdbGetObjectId(idP, asseP) != Acad::eOk || acdbGetObjectId(idS, asseS) != Acad::eOk) {
        m_log += TranslateText(L"Impossibile recuperare l'entità. \r\n");
        return false;
    }

    // The crossing point stays the previous one when the selection fails.
    const double x0 = m_x, y0 = m_y, z0 = m_z;
    auto fallisce = [&](const wchar_t* riga) {
        m_x = x0;
        m_y = y0;
        m_z = z0;
        m_log += TranslateText(riga);
        return false;
    };

    AcGePoint3dArray punti;
    bool reale = Inters_2AcDbEntity2D(idP, idS, punti, 0.0, 0.0, 1) > 0 && punti.length() > 0;
    int versoApparente = 0;
    if (!reale) {
        // An apparent crossing: the secondary road prolonged towards the main one.
        if (!(Inters_2AcDbEntity2D(idP, idS, punti, 0.0, 1000.0, 1) > 0 && punti.length() > 0))
            return fallisce(L"Nessuna intersezione (reale o apparente) tra i tracciati selezionati. \r\n");
    }
    m_x = punti[0].x;
    m_y = punti[0].y;
    m_z = punti[0].z;
    if (!reale) {
        versoApparente = VersoSecondaria(asseS);
        if (versoApparente == 2) return fallisce(L"Impossibile ottenere il verso della strada secondaria. \r\n");
    }
    const ads_point punto = {m_x, m_y, m_z};

    auto* nuovaPrincipale = new CPrincipaleJunctor(principale, asseP);
    nuovaPrincipale->SetTipo(1);
    if (!nuovaPrincipale->CercaElementi(punto)) {
        delete nuovaPrincipale;
        return fallisce(L"Errore nella ricerca degli elementi associati al tracciato principale. \r\n");
    }

    CSecondariaJunctor* nuovoIn = nullptr;
    CSecondariaJunctor* nuovoOut = nullptr;
    auto crea = [&](int verso, int lato) {
        auto* ramo = new CSecondariaJunctor(secondaria, asseS, verso, lato);
        ramo->SetTipo(1);
        ramo->SetPuntoIntersezione(punto);
        (verso == CSecondariaJunctor::kIn ? nuovoIn : nuovoOut) = ramo;
    };
    bool trovati = true;
    if (reale) {
        int verso = 0, lato = 0;
        const int n = IntersecaCigli(nuovaPrincipale, asseS, verso, lato);
        if (n == 1) {
            crea(verso == 1 ? CSecondariaJunctor::kIn : CSecondariaJunctor::kOut, lato);
        } else if (n >= 2) {
            crea(CSecondariaJunctor::kIn, verso == 1 ? lato : 1 - lato);
            crea(CSecondariaJunctor::kOut, verso == 1 ? 1 - lato : lato);
        } else {
            trovati = false;
        }
    } else {
        crea(versoApparente == 1 ? CSecondariaJunctor::kIn : CSecondariaJunctor::kOut,
             CSecondariaJunctor::kLatoIgnoto);
    }
    for (auto [nuovo, precedente] : {std::pair{nuovoIn, precedenteIn}, std::pair{nuovoOut, precedenteOut}}) {
        if (!trovati || !nuovo) continue;
        if (!nuovo->CercaElementi(punto)) {
            trovati = false;
            continue;
        }
        if (precedente) {
            nuovo->SetParametri(precedente->CopiaParametri());
            nuovo->ImpostaDimensioni(nuovaPrincipale->GetIncrRaggioUscita(),
                                     nuovaPrincipale->GetIncrRaggioImmissione());
        }
    }
    if (!trovati) {
        delete nuovaPrincipale;
        delete nuovoIn;
        delete nuovoOut;
        return fallisce(L"Errore nella ricerca degli elementi associati al tracciato secondario. \r\n");
    }

    // The settings may point at the sets of an old leg: back to the
    // command's own sets before the old legs go.
    if (m_settings) {
        m_settings->SetParametri(m_parametriPropri);
        m_settings->SetParCorsie(m_corsiePropri);
    }
    delete m_principale;
    delete m_in;
    delete m_out;
    m_principale = nuovaPrincipale;
    m_in = nuovoIn;
    m_out = nuovoOut;
    return true;
}

void CCmdJunctor::PreparaElementi(const wchar_t* nomePrincipale, const ads_name entitaPrincipale,
                                  const wchar_t* nomeSecondaria, const ads_name entitaSecondaria,
                                  CJunctorSettings* settings, CConstrPars parametri, CLanePars corsie,
                                  bool valoriMemorizzati) {
    const bool avevaIn = m_in != nullptr;
    const bool avevaOut = m_out != nullptr;
    if (!SelezionaStrade(nomePrincipale, entitaPrincipale, nomeSecondaria, entitaSecondaria)) {
        AfxMessageBox(m_log, MB_OK);
        return;
    }
    CWaitCursor attesa;
    if (m_principale->Apri()) m_principale->CalcolaLarghezze();
    for (auto [ramo, aveva] : {std::pair{m_in, avevaIn}, std::pair{m_out, avevaOut}}) {
        if (!ramo || !ramo->Apri()) continue;
        if (ramo->GetLato() == CSecondariaJunctor::kLatoIgnoto) LatoSecondaria(ramo);
        ramo->CalcolaLarghezze();
        if (!aveva) {
            ramo->SetParametri(parametri);
            CopiaParCorsie(ramo, corsie);
        }
        if (!valoriMemorizzati)
            ramo->ImpostaDimensioni(m_principale->GetIncrRaggioUscita(), m_principale->GetIncrRaggioImmissione());
        ramo->CalcolaIsola(m_principale, true, false, false);
        if (valoriMemorizzati) {
            // The island re-splits the deflections: the stored ones go back.
            CConstrPars* p = ramo->GetParametri();
            for (auto [angolo, memorizzato] : {std::pair{&p->a1e, &parametri.a1e}, std::pair{&p->a2e, &parametri.a2e},
                                               std::pair{&p->a3e, &parametri.a3e}, std::pair{&p->a1u, &parametri.a1u},
                                               std::pair{&p->a2u, &parametri.a2u}, std::pair{&p->a3u, &parametri.a3u}})
                angolo->CSingleConstrPar::SetValore(memorizzato->CSingleConstrPar::GetValore());
        } else {
            ramo->ImpostaRaggi();
        }
        if (settings) {
            settings->SetParametri(ramo->GetParametri());
            settings->SetParCorsie(ramo->GetParametriCorsie());
        }
        ads_point intersezione;
        ramo->GetPuntoIntersezione(intersezione);
        m_principale->GetProgressiva(intersezione);
        if (settings) settings->CalcolaCorsie();
    }
}
