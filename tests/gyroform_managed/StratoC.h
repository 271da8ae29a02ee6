// What the flat C layer's tests share: values of each kind, calls by name
// through the registry, and the sample plan read into a roundabout through
// the C calls.
#pragma once

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "GyroformC.h"
#include "HostText.h"
#include "CCiglio3D.h"
#include "CPuntoCiglio.h"
#include "ManagedFixture.h"
#include "Ombrix.h"

inline GfValore Valore(int tipo) {
    GfValore v{};
    v.tipo = tipo;
    return v;
}
inline GfValore Ogg(GfManiglia h) {
    GfValore v = Valore(GF_OGGETTO);
    v.intero = static_cast<long long>(h);
    return v;
}
inline GfValore Membro(GfManiglia h) {
    GfValore v = Valore(GF_MEMBRO);
    v.intero = static_cast<long long>(h);
    return v;
}
inline GfValore Int(long long i, int tipo = GF_INTERO) {
    GfValore v = Valore(tipo);
    v.intero = i;
    return v;
}
inline GfValore Reale(double r, int tipo = GF_REALE) {
    GfValore v = Valore(tipo);
    v.reale = r;
    return v;
}
inline GfValore Testo(const char* t, int tipo = GF_TESTO) {
    GfValore v = Valore(tipo);
    v.testo = t;
    return v;
}

class StratoCTest : public ManagedTest {
public:
    // Calls a method found by name; the answer code.
    int C(const char* nome, std::vector<GfValore> argomenti, GfValore* risultato = nullptr) {
        const GfMetodo* m = Gyroform_CercaMetodo(nome);
        EXPECT_NE(m, nullptr) << nome;
        if (!m) return 1;
        GfValore scarto{};
        GfValore* r = risultato ? risultato : &scarto;
        if (!r->buffer) {
            r->buffer = m_testo;
            r->capacita = sizeof m_testo;
        }
        m_argomenti = std::move(argomenti);
        return m->funzione(m_argomenti.data(), static_cast<int>(m_argomenti.size()), r);
    }
    GfManiglia Maniglia(const char* nome, std::vector<GfValore> argomenti) {
        GfValore r{};
        EXPECT_EQ(C(nome, std::move(argomenti), &r), GF_OK) << nome;
        EXPECT_EQ(r.tipo == GF_OGGETTO || r.tipo == GF_MEMBRO, true) << nome;
        return static_cast<GfManiglia>(r.intero);
    }
    std::string Classe(GfManiglia h) {
        char buffer[32] = "";
        size_t necessario = 0;
        int esito = Gyroform_Classe(h, buffer, sizeof buffer, &necessario);
        return esito == GF_OK ? buffer : "errore " + std::to_string(esito);
    }
    // A roundabout read from the sample plan through the C calls.
    GfManiglia Leggi() {
        m_ids = rotatorie::Disegna(rotatorie::Campioni().front().rotatorie.front(), m_db.get());
        m_handle = vplat::WideToUtf8(ZylEntityID(m_ids.front()).GetHandle());
        GfManiglia r = Maniglia("GyroformFactory.allocaRotatoria", {});
        GfValore esito{};
        EXPECT_EQ(C("Rotatoria3D.disegna", {Ogg(r), Testo(m_handle.c_str(), GF_ENTITA)}, &esito), GF_OK);
        EXPECT_EQ(esito.intero, 1);
        m_nativa = ManiglieGyroform::Get().Trova(r)->oggetto->GetQvObject();
        return r;
    }
    void TearDown() override {
        if (m_nativa) GyroformMain::getConstructor()->Libera(&m_nativa);
        ManagedTest::TearDown();
    }

    char m_testo[512] = "";
    std::vector<GfValore> m_argomenti;
    std::string m_handle;
    std::vector<AcDbObjectId> m_ids;  // the plan's entities, in the generator's order
    IQvObject* m_nativa = nullptr;
};
