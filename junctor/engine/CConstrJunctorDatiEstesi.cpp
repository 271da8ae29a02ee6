// The intersection's extended data on every polyline of a leg.
#include "CConstrJunctor.h"
#include "TestoDatiEstesi.h"

namespace {

// Appends a node to the chain's tail and moves the tail on.
void Accoda(resbuf*& coda, resbuf* nodo) {
    coda->rbnext = nodo;
    while (coda->rbnext) coda = coda->rbnext;
}

}  // namespace

int CConstrJunctor::ScriviDatiEstesi(AcDbObjectId id, const wchar_t* codiceCiglio) {
    if (!m_principale || !m_secondaria || !m_parametri || !m_corsie) return 3;
    AcDbObject* oggetto = nullptr;
    if (acdbOpenObject(oggetto, id, AcDb::kForWrite) != Acad::eOk) return 3;
    acdbRegApp(kAppIntersezione);

    const CConstrPars& p = *m_parametri;
    // Texts longer than extended data carries are cut as its readers cut them.
    CString nomeInternoPrincipale = TestoDatiEstesi(m_principale->GetNomeInterno());
    CString nomePrincipale = TestoDatiEstesi(m_principale->GetNome());
    CString nomeInternoSecondaria = TestoDatiEstesi(m_secondaria->GetNomeInterno());
    CString nomeSecondaria = TestoDatiEstesi(m_secondaria->GetNome());
    CString stile = TestoDatiEstesi(p.GetNome());
    const CLanePars& corsie = *m_corsie;
    CString imm = corsie.GetCorsiaImm(), usc = corsie.GetCorsiaUsc(), sx = corsie.GetCorsiaSx();

    // Angles are written in radians, the unit they are kept in, whatever
    // unit the dialogs show them in: a reader then never has to guess it.
    resbuf* testa = acutBuildList(1001, kAppIntersezione, 1000, (LPCWSTR)m_id, 1000, codiceCiglio, 1000,
                                  (LPCWSTR)nomeInternoPrincipale, 1000, (LPCWSTR)nomePrincipale, 1000,
                                  (LPCWSTR)nomeInternoSecondaria, 1000, (LPCWSTR)nomeSecondaria, 1000,
                                  (LPCWSTR)stile, 1040, p.a1e.CSingleConstrPar::GetValore(), RTNONE);
    Acad::ErrorStatus es = Acad::eOutOfMemory;
    if (testa) {
        resbuf* coda = testa;
        while (coda->rbnext) coda = coda->rbnext;
        for (int i = 0; i < CConstrPars::NUMERO_PARAMETRI; ++i)
            Accoda(coda, acutBuildList(1040, p.Parametro(i).CSingleConstrPar::GetValore(), RTNONE));
        Accoda(coda, acutBuildList(1000, (LPCWSTR)imm, 1000, (LPCWSTR)usc, 1000, (LPCWSTR)sx, RTNONE));
        for (int i = 0; i < CLanePars::NUMERO_PARAMETRI; ++i)
            Accoda(coda, acutBuildList(1040, corsie.Parametro(i).GetValore(), RTNONE));
        es = oggetto->setXData(testa);
    }
    oggetto->close();
    acutRelRb(testa);
    return es == Acad::eOk ? 0 : 3;
}
