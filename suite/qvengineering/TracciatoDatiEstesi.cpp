#include "TracciatoDatiEstesi.h"

#include <cwchar>

namespace vplat {

namespace {

constexpr const wchar_t* kLista = L"LISTA";
constexpr const wchar_t* kProfilo = L"PROFILO";
constexpr const wchar_t* kDisegno = L"DISEGNO";
constexpr const wchar_t* kCartiglio = L"CARTIGLIO";

// Appends nodes to a chain under construction.
class Catena {
public:
    ~Catena() { acutRelRb(m_testa); }
    void Testo(int codice, const wchar_t* v) { Aggiungi(acutBuildList(codice, v, RTNONE)); }
    void Reale(int codice, double v) { Aggiungi(acutBuildList(codice, v, RTNONE)); }
    void Intero(long v) { Aggiungi(acutBuildList(1071, static_cast<int32_t>(v), RTNONE)); }
    void Punto(const double p[3]) {
        ads_point q = {p[0], p[1], p[2]};
        Aggiungi(acutBuildList(1010, q, RTNONE));
    }
    void Apri() { Testo(1002, L"{"); }
    void Chiudi() { Testo(1002, L"}"); }
    void Dato(const CDato& d) {
        switch (d.GetTipo()) {
            case CDato::Testo:
                Intero(d.GetId());
                Testo(1000, d.GetString());
                break;
            case CDato::Reale:
                Intero(d.GetId());
                Reale(1040, d.GetDouble());
                break;
            case CDato::Bool:
            case CDato::Intero:
                Intero(d.GetId());
                Intero(d.GetInt());
                break;
            case CDato::Punto: {
                double p[3];
                d.GetPunto(p);
                Intero(d.GetId());
                Punto(p);
                break;
            }
            default:
                break;  // objects and empty data do not persist
        }
    }
    resbuf* Prendi() {
        resbuf* t = m_testa;
        m_testa = m_coda = nullptr;
        return t;
    }
    bool Ok() const { return m_ok; }

private:
    void Aggiungi(resbuf* rb) {
        if (!rb) {
            m_ok = false;
            return;
        }
        if (m_coda)
            m_coda->rbnext = rb;
        else
            m_testa = rb;
        m_coda = rb;
    }
    resbuf* m_testa = nullptr;
    resbuf* m_coda = nullptr;
    bool m_ok = true;
};

bool Apertura(const resbuf* rb) { return rb && rb->restype == 1002 && std::wcscmp(rb->resval.rstring, L"{") == 0; }
bool Chiusura(const resbuf* rb) { return rb && rb->restype == 1002 && std::wcscmp(rb->resval.rstring, L"}") == 0; }

// Reads (1071 id, value) pairs up to the next brace or the end.
bool LeggiDati(const resbuf*& rb, CQvOggettoDati& oggetto, std::wstring* errore) {
    while (rb && rb->restype != 1002) {
        if (rb->restype != 1071 || !rb->rbnext) {
            if (errore) *errore = L"atteso un codice di dato (1071)";
            return false;
        }
        int id = rb->resval.rlong;
        const resbuf* v = rb->rbnext;
        switch (v->restype) {
            case 1000: oggetto.SetDato(CDato(id, v->resval.rstring)); break;
            case 1040: oggetto.SetDato(CDato(id, v->resval.rreal)); break;
            case 1071: oggetto.SetDato(CDato(id, static_cast<long>(v->resval.rlong))); break;
            case 1010: oggetto.SetDato(CDato(id, v->resval.rpoint)); break;
            default:
                if (errore) *errore = L"valore di dato di tipo sconosciuto";
                return false;
        }
        rb = v->rbnext;
    }
    return true;
}

bool LeggiLista(const resbuf*& rb, ICTRACCIATO& t, std::wstring* errore) {
    if (!rb || rb->restype != 1071) {
        if (errore) *errore = L"lista senza codice";
        return false;
    }
    ICLISTADATI* lista = t.getListaDati(rb->resval.rlong);
    if (!lista) {
        if (errore) *errore = L"codice di lista sconosciuto";
        return false;
    }
    rb = rb->rbnext;
    while (Apertura(rb)) {
        rb = rb->rbnext;
        if (!rb || rb->restype != 1040 || !rb->rbnext || rb->rbnext->restype != 1071) {
            if (errore) *errore = L"record senza progressiva o flag";
            return false;
        }
        ICELEMENTODATI* e = lista->accoda();
        e->setProgressiva(rb->resval.rreal);
        e->getBitDato().SetValore(static_cast<uint32_t>(rb->rbnext->resval.rlong));
        rb = rb->rbnext->rbnext;
        if (!LeggiDati(rb, *e, errore)) return false;
        if (!Chiusura(rb)) {
            if (errore) *errore = L"record non chiuso";
            return false;
        }
        rb = rb->rbnext;
    }
    return true;
}

bool Marca(const resbuf* rb, const wchar_t* marca) {
    return rb && rb->restype == 1000 && std::wcscmp(rb->resval.rstring, marca) == 0;
}

bool LeggiDisegno(const resbuf*& rb, ICPROFILO& profilo, std::wstring* errore);

bool LeggiProfilo(const resbuf*& rb, ICTRACCIATO& t, std::wstring* errore) {
    if (!rb || rb->restype != 1000) {
        if (errore) *errore = L"profilo senza nome";
        return false;
    }
    ICPROFILO* p = ICPROFILO::Alloca();
    p->SetDato(CDato(QV_DATO_NOME_PROFILO, rb->resval.rstring));
    t.aggiungiProfilo(p);
    for (rb = rb->rbnext; rb && rb->restype == 1010; rb = rb->rbnext)
        p->aggiungiVertice(rb->resval.rpoint[0], rb->resval.rpoint[1]);
    if (!LeggiDisegno(rb, *p, errore)) return false;
    // The sheet's insertion point, when the profile was drawn on a sheet.
    if (!Marca(rb, kCartiglio)) return true;
    if (!rb->rbnext || rb->rbnext->restype != 1010) {
        if (errore) *errore = L"cartiglio senza punto";
        return false;
    }
    rb = rb->rbnext;
    p->setPuntoCartiglio(AcGePoint3d(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]));
    rb = rb->rbnext;
    return true;
}

bool LeggiDisegno(const resbuf*& rb, ICPROFILO& profilo, std::wstring* errore) {
    if (!Marca(rb, kDisegno)) return true;
    ICPROFILO* p = &profilo;
    // The profile drawing: h, p, q, V, C.
    const int attesi[] = {1040, 1010, 1010, 1000, 1000};
    const resbuf* v[5];
    const resbuf* cur = rb->rbnext;
    for (int i = 0; i < 5; ++i, cur = cur->rbnext) {
        if (!cur || cur->restype != attesi[i]) {
            if (errore) *errore = L"disegno del profilo incompleto";
            return false;
        }
        v[i] = cur;
    }
    ICPROFILO::Disegno d;
    d.h = v[0]->resval.rreal;
    d.p = AcGePoint3d(v[1]->resval.rpoint[0], v[1]->resval.rpoint[1], v[1]->resval.rpoint[2]);
    d.q = AcGePoint3d(v[2]->resval.rpoint[0], v[2]->resval.rpoint[1], v[2]->resval.rpoint[2]);
    d.V = v[3]->resval.rstring;
    d.C = v[4]->resval.rstring;
    p->setDisegno(d);
    rb = cur;
    return true;
}

}  // namespace

resbuf* CodificaTracciato(const ICTRACCIATO& t) {
    Catena c;
    c.Testo(1001, kAppTracciato);
    c.Testo(1000, t.getNomeInterno());
    c.Reale(1040, t.GetDato(QV_DATO_PROG_INIZIALE).GetDouble());
    for (const auto& [id, d] : t.Dati()) c.Dato(d);
    for (int codice : ICTRACCIATO::CodiciListe()) {
        ICLISTADATI* lista = t.getListaDati(codice);
        if (!lista->getNumero()) continue;
        c.Apri();
        c.Testo(1000, kLista);
        c.Intero(codice);
        for (ICELEMENTODATI* e = lista->getPrimo(); e; e = lista->getSuccessivo(e)) {
            c.Apri();
            c.Reale(1040, e->getProgressiva());
            c.Intero(static_cast<long>(e->getBitDato().GetValore()));
            for (const auto& [id, d] : e->Dati()) c.Dato(d);
            c.Chiudi();
        }
        c.Chiudi();
    }
    for (int i = 0; i < t.getNumeroProfili(); ++i) {
        const ICPROFILO* p = t.getProfilo(i);
        c.Apri();
        c.Testo(1000, kProfilo);
        c.Testo(1000, p->GetDato(QV_DATO_NOME_PROFILO).GetString());
        for (const auto& v : p->getVertici()) {
            double q[3] = {v.prog, v.quota, 0};
            c.Punto(q);
        }
        if (p->hasDisegno()) {
            const ICPROFILO::Disegno& d = p->getDisegno();
            c.Testo(1000, kDisegno);
            c.Reale(1040, d.h);
            double dp[3] = {d.p.x, d.p.y, d.p.z}, dq[3] = {d.q.x, d.q.y, d.q.z};
            c.Punto(dp);
            c.Punto(dq);
            c.Testo(1000, d.V);
            c.Testo(1000, d.C);
        }
        AcGePoint3d cartiglio;
        if (p->getPuntoCartiglio(cartiglio)) {
            c.Testo(1000, kCartiglio);
            double dc[3] = {cartiglio.x, cartiglio.y, cartiglio.z};
            c.Punto(dc);
        }
        c.Chiudi();
    }
    return c.Ok() ? c.Prendi() : nullptr;
}

ICTRACCIATO* DecodificaTracciato(const resbuf* catena, const datipoli* asse, std::wstring* errore) {
    const resbuf* rb = catena;
    if (!rb || rb->restype != 1001 || std::wcscmp(rb->resval.rstring, kAppTracciato) != 0) {
        if (errore) *errore = L"non sono dati di un tracciato";
        return nullptr;
    }
    rb = rb->rbnext;
    if (!rb || rb->restype != 1000 || !rb->rbnext || rb->rbnext->restype != 1040) {
        if (errore) *errore = L"nome interno o progressiva iniziale mancante";
        return nullptr;
    }
    if (!asse || !asse->next) {
        if (errore) *errore = L"tracciato senza polilinea";
        return nullptr;
    }
    auto* t = new ICTRACCIATO(asse, rb->rbnext->resval.rreal, CString(rb->resval.rstring));
    rb = rb->rbnext->rbnext;
    bool ok = LeggiDati(rb, *t, errore);
    while (ok && Apertura(rb)) {
        rb = rb->rbnext;
        if (rb && rb->restype == 1000 && std::wcscmp(rb->resval.rstring, kLista) == 0) {
            rb = rb->rbnext;
            ok = LeggiLista(rb, *t, errore);
        } else if (rb && rb->restype == 1000 && std::wcscmp(rb->resval.rstring, kProfilo) == 0) {
            rb = rb->rbnext;
            ok = LeggiProfilo(rb, *t, errore);
        } else {
            if (errore) *errore = L"gruppo sconosciuto";
            ok = false;
        }
        if (ok && !Chiusura(rb)) {
            if (errore) *errore = L"gruppo non chiuso";
            ok = false;
        }
        if (ok) rb = rb->rbnext;
    }
    if (ok && rb) {
        if (errore) *errore = L"dati oltre la fine del tracciato";
        ok = false;
    }
    if (!ok) {
        ICTRACCIATO_Costructor::Libera(&t, 1);
        return nullptr;
    }
    return t;
}

}  // namespace vplat
