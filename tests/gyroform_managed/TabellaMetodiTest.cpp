// The method table against the native interfaces: every interface operation
// has its row, at the slot the compiler gives it, in the interfaces' order.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "AsseRamo.h"
#include "Ciglio3D.h"
#include "GyroformC.h"
#include "MetodiGyroform.h"
#include "PuntoCiglio.h"
#include "Rotatoria3D.h"

namespace {

// The vtable index of a virtual member function, from its pointer's
// representation in the platform's C++ ABI (offset in bytes plus one).
template <typename M>
long IndiceVtable(M metodo) {
    struct {
        uintptr_t ptr;
        ptrdiff_t adj;
    } rappresentazione;
    static_assert(sizeof(metodo) == sizeof(rappresentazione));
    std::memcpy(&rappresentazione, &metodo, sizeof metodo);
    if ((rappresentazione.ptr & 1) == 0) return -1;  // not virtual
    return static_cast<long>((rappresentazione.ptr - 1) / sizeof(void*));
}

struct Riga {
    std::string interfaccia, metodo;
    int slot;
    long indice;
    bool gestito;
};

std::vector<Riga> Righe() {
    std::vector<Riga> righe;
#define RIGA_N(C, I, m, s, R, P, A, f) righe.push_back({#I, #m, s, IndiceVtable(&I::m), true});
#define RIGA_S(I, m, s) righe.push_back({#I, #m, s, IndiceVtable(&I::m), false});
    GF_METODI(RIGA_N, RIGA_S, GF_NIENTE)
#undef RIGA_N
#undef RIGA_S
    return righe;
}

TEST(TabellaMetodi, OgniOperazioneNativaAlSuoSlotNellOrdineDelleInterfacce) {
    const std::map<std::string, std::vector<std::string>> attese = {
        {"ICRotatoria3D",
         {"disegna", "disegna3D", "inizializzaCalcolo", "aggiorna", "getCigli", "getAssi", "getPassoDiscr",
          "setPassoDiscr", "getPassoSezioni", "setPassoSezioni", "ricalcola", "getPendenzaMinima",
          "setPendenzaMinima", "getPendenzaMassima", "setPendenzaMassima", "getNome", "getRicalcolaPendenzeRami",
          "setRicalcolaPendenzeRami", "esporta"}},
        {"ICCiglio3D",
         {"getDescrizione", "getPunti", "getProgDaPunto", "getPuntoDaProg", "getPunti3DCiglio", "getPuntiAltCiglio",
          "getTipoCalcolo", "setTipoCalcolo", "setProfRif", "getTipiCalcolo", "getCiglioRif", "getCodiceEnum",
          "highlight", "getVisualizzaSuGrafico", "setVisualizzaSuGrafico", "getLunghezza", "setUsaPianoParallelo",
          "getUsaPianoParallelo", "setDiffQuotaPiani", "getDiffQuotaPiani"}},
        {"ICAsseRamo",
         {"getProfili", "setProfilo", "getProfilo", "getNome", "getQuotaCentriRotazione", "setQuotaCentriRotazione",
          "getPendenzaLongCentriDiRotazione", "setPendenzaLongCentriDiRotazione", "isQuotaCentriRotazioneNP"}},
        {"ICPuntoCiglio", {"inizializza"}},
    };
    std::map<std::string, std::vector<Riga>> perInterfaccia;
    for (const Riga& r : Righe()) perInterfaccia[r.interfaccia].push_back(r);
    ASSERT_EQ(perInterfaccia.size(), attese.size());
    for (const auto& [interfaccia, nomi] : attese) {
        SCOPED_TRACE(interfaccia);
        const std::vector<Riga>& righe = perInterfaccia[interfaccia];
        ASSERT_EQ(righe.size(), nomi.size());
        for (size_t i = 0; i < righe.size(); ++i) {
            SCOPED_TRACE(righe[i].metodo);
            EXPECT_EQ(righe[i].metodo, nomi[i]);
            // The eleven IQvObject operations come first, the destructor as one.
            EXPECT_EQ(righe[i].slot, 12 + static_cast<int>(i));
            EXPECT_EQ(righe[i].indice, righe[i].slot);
            EXPECT_EQ(righe[i].gestito, righe[i].metodo != "inizializzaCalcolo");
        }
    }
}

// Every managed method of the table is in the registry with its argument
// and result kinds, and the registry finds each by name.
TEST(TabellaMetodi, IlRegistroHaOgniMetodoConISuoiTipi) {
    std::vector<std::string> nomi;
#define NOME_N(C, I, m, s, R, P, A, f) nomi.push_back(#C "." #m);
#define NOME_G(C, m, R, P) nomi.push_back(#C "." #m);
    GF_METODI(NOME_N, GF_NIENTE, NOME_G)
#undef NOME_N
#undef NOME_G
    // Every operation but inizializzaCalcolo, plus liberaPtr and svuotaGruppoPunti.
    EXPECT_EQ(nomi.size(), 18u + 1u + 20u + 1u + 9u + 1u);
    for (const std::string& nome : nomi) {
        const GfMetodo* m = Gyroform_CercaMetodo(nome.c_str());
        ASSERT_NE(m, nullptr) << nome;
        EXPECT_EQ(m->istanza, 1) << nome;
    }
    EXPECT_EQ(Gyroform_CercaMetodo("Rotatoria3D.inizializzaCalcolo"), nullptr);
    EXPECT_EQ(Gyroform_CercaMetodo("Rotatoria3D.nonEsiste"), nullptr);
    EXPECT_EQ(Gyroform_CercaMetodo(nullptr), nullptr);

    struct Caso {
        const char* nome;
        std::vector<int> argomenti;
        int risultato;
    };
    const Caso casi[] = {
        {"Rotatoria3D.disegna", {GF_ENTITA}, GF_INTERO},
        {"Rotatoria3D.ricalcola", {GF_OGGETTO, GF_INTERO, GF_INTERO, GF_MEMBRO, GF_DATO}, GF_INTERO},
        {"Rotatoria3D.getCigli", {}, GF_OGGETTO},
        {"Rotatoria3D.esporta", {GF_PUNTO}, GF_INTERO},
        {"Rotatoria3D.liberaPtr", {}, GF_NESSUNO},
        {"Rotatoria3D.getNome", {}, GF_TESTO},
        {"Ciglio3D.getProgDaPunto", {GF_RIF_REALE, GF_PUNTO}, GF_INTERO},
        {"Ciglio3D.getPuntoDaProg", {GF_REALE, GF_OUT_PUNTO}, GF_INTERO},
        {"Ciglio3D.getTipiCalcolo", {GF_ARRAY}, GF_NESSUNO},
        {"Ciglio3D.getPuntiAltCiglio", {GF_INTERO}, GF_ARRAY},
        {"AsseRamo.getProfili", {}, GF_LISTA},
        {"PuntoCiglio.inizializza", {GF_OGGETTO, GF_BOOL}, GF_INTERO},
        {"GyroformFactory.allocaRotatoria", {}, GF_OGGETTO},
        {"IGroup.Member", {GF_INTERO}, GF_MEMBRO},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        const GfMetodo* m = Gyroform_CercaMetodo(c.nome);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(std::vector<int>(m->tipiArgomenti, m->tipiArgomenti + m->numeroArgomenti), c.argomenti);
        EXPECT_EQ(m->tipoRisultato, c.risultato);
    }
    EXPECT_EQ(Gyroform_CercaMetodo("GyroformFactory.allocaRotatoria")->istanza, 0);
}

}  // namespace
