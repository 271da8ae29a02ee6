// The command object: its roads, the dispatch of the modes, the new
// intersection with its dialog loop and the build of the checked legs.
#include "CCmdJunctor.h"

#include <ArxAppContext.h>
#include <TranslatorBinding.h>

#include <memory>

#include "CConstrJunctor.h"
#include "CConstrStylesMgr.h"
#include "CDlgErrs.h"
#include "CDlgJunctor.h"
#include "CJunctorSettings.h"
#include "CXmlReaderJunctor.h"
#include "DatiEstesi.h"

namespace {

// A new main dialog on the command's roads for every pass.
INT_PTR DialogoPrincipale(CCmdJunctor& comando, CJunctorSettings* settings, CXmlReaderJunctor* lettore,
                          HINSTANCE risorse, int& codice) {
    CDlgJunctor dialogo;
    dialogo.SetElementi(comando.GetPrincipale(), comando.GetIn(), comando.GetOut());
    dialogo.SetImpostazioni(settings);
    dialogo.SetLettore(lettore);
    dialogo.SetRisorse(risorse);
    const INT_PTR esito = dialogo.DoModal();
    codice = dialogo.GetCodice();
    return esito;
}

CCmdJunctor::PassoDialogo g_passoDialogo = DialogoPrincipale;

}  // namespace

void CCmdJunctor::SetPassoDialogo(PassoDialogo passo) { g_passoDialogo = passo ? passo : DialogoPrincipale; }

CCmdJunctor::CCmdJunctor() = default;

CCmdJunctor::~CCmdJunctor() {
    delete m_principale;
    delete m_in;
    delete m_out;
}

void CCmdJunctor::GetPuntoIntersezione(ads_point p) const {
    p[0] = m_x;
    p[1] = m_y;
    p[2] = m_z;
}

void CCmdJunctor::SetParametriPropri(CConstrPars* parametri, CLanePars* corsie, CJunctorSettings* settings) {
    m_parametriPropri = parametri;
    m_corsiePropri = corsie;
    m_settings = settings;
}

bool CCmdJunctor::Esegui(int modo) {
    switch (modo) {
    case 0:
        return Nuova();
    case 1:
        return Cancella();
    case 2:
        return Aggiorna();
    case 3:
        return ProvaOffset();
    default:
        return false;
    }
}

int CCmdJunctor::UnitaAutoCAD() {
    resbuf valore{};
    if (acedGetVar(L"AUNITS", &valore) != RTNORM) return 2;
    int aunits = -1;
    if (valore.restype == RTSHORT)
        aunits = valore.resval.rint;
    else if (valore.restype == RTLONG)
        aunits = static_cast<int>(valore.resval.rlong);
    switch (aunits) {
    case 0:
        return 0;
    case 1:
        return 3;
    case 2:
        return 1;
    case 3:
        return 2;
    case 4:
        return 4;
    default:
        return 2;
    }
}

bool CCmdJunctor::Nuova() {
    // The library stays loaded with the module; the dialogs hand its handle on.
    HINSTANCE risorse = LoadLibraryW(L"QvInterfaceResources.dll");
    MargineProgressiva = 5.0;

    CArxAppContext* contesto = GetArxAppContext();
    const CString cartella = CString(contesto ? contesto->GetAppDir() : L"") + L"Junctor\\";
    const CString file = cartella + L"Junctor.xml";
    const int unita = UnitaAutoCAD();

    CConstrStylesMgr stili;
    CConstrPars parametri;
    parametri.SetNome(L"DEFAULT");
    CLanePars corsie;
    CJunctorSettings settings;
    settings.SetStili(&stili);
    settings.SetParametri(&parametri);
    settings.SetParCorsie(&corsie);
    settings.SetPathXml(file);
    settings.SetCartella(cartella);
    settings.SetMetodo(L"F");
    settings.SetUnitaAutoCAD(unita);
    // The sets live for this call only; nothing may point at them afterwards.
    struct Propri {
        CCmdJunctor* comando;
        ~Propri() { comando->SetParametriPropri(nullptr, nullptr, nullptr); }
    } propri{this};
    SetParametriPropri(&parametri, &corsie, &settings);

    CXmlReaderJunctor lettore;
    if (!lettore.Carica(file)) return false;
    lettore.SetSezioni(true, true, true, true, false);
    lettore.SetStile(L"DEFAULT");
    lettore.SetDestinazioni(&settings);
    if (!lettore.Process()) return false;

    // "Use the drawing's unit": the drawing's angle unit, when the dialogs
    // can show angles in it, replaces the unit stored in the style file.
    if (settings.GetUseAutoCAD() && unita >= 0 && unita <= 2) settings.SetUnitaAngoli(unita);
    settings.ApplicaUnitaAngoli();

    int codice = 0;
    INT_PTR esito = g_passoDialogo(*this, &settings, &lettore, risorse, codice);
    while (esito == IDCANCEL) {
        if (codice == 0) return true;
        if (codice == 2)
            PreparaElementi(L"", nullptr, L"", nullptr, &settings, parametri, corsie);
        esito = g_passoDialogo(*this, &settings, &lettore, risorse, codice);
    }
    if (esito != IDOK) return true;

    m_log.Empty();
    m_tuttiCostruiti = true;
    CostruisciRami(&settings);
    return true;
}

void CCmdJunctor::CostruisciRami(CJunctorSettings* settings) {
    // The earlier legs are found before any new polyline of the same roads
    // is drawn. Each new leg is built beside its earlier one, which goes
    // only when the new leg stands whole; a refused leg is taken away again
    // and the earlier one keeps its polylines and records as they were.
    CString precedenti[2];
    CercaPrecedenti(precedenti[0], precedenti[1]);
    CSecondariaJunctor* const rami[] = {m_in, m_out};
    for (int i = 0; i < 2; ++i) {
        CSecondariaJunctor* ramo = rami[i];
        const CString& precedente = precedenti[i];
        if (!ramo || !ramo->GetSelezionata() || !m_principale) continue;
        CString id;
        const bool costruito = CostruisciRamo(ramo, settings, id);
        if (precedente.IsEmpty()) continue;
        ads_name asse;
        m_principale->GetAdsNameAsse(asse);
        if (costruito) {
            TogliPrecedente(precedente, asse);
            continue;
        }
        TogliRifiutato(id, asse);
        m_log += TranslateText(L" - Intersezione non ridisegnata: il disegno resta com'era.\r\n");
    }
    MostraErrori();
}

bool CCmdJunctor::CostruisciRamo(CSecondariaJunctor* ramo, CJunctorSettings* settings, CString& id) {
    auto costruttore = std::make_unique<CConstrJunctor>();
    costruttore->Init(m_principale, ramo);
    costruttore->SetParCorsie(settings->GetParCorsie());
    costruttore->SetId(timeGetTime());
    id = costruttore->GetId();
    RegApplicazione(kAppIntersezione, acdbHostApplicationServices()->workingDatabase());
    costruttore->Costruisci();
    if (costruttore->GetEsito()) return true;
    m_log += costruttore->GetLog();
    m_tuttiCostruiti = false;
    return false;
}

void CCmdJunctor::MostraErrori() {
    if (m_tuttiCostruiti) return;
    CDlgErrs errori;
    errori.SetTesto(m_log);
    errori.DoModal();
}
