// The flat C layer: one function per managed method, expanded from the
// method table, and the registry of them by name. Arguments are checked by
// kind before anything is called; every failure becomes an answer code.
#include "GyroformC.h"

#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "AsseRamo.h"
#include "CCiglio3D.h"
#include "CPuntoCiglio.h"
#include "Ciglio3D.h"
#include "GyroformFactory.h"
#include "HostText.h"
#include "ManiglieGyroform.h"
#include "PuntoCiglio.h"
#include "RegoleGruppi.h"
#include "Rotatoria3D.h"

namespace {

// Ends a call with an answer code.
struct Errore {
    int esito;
};

template <typename T>
struct Oggetto : std::false_type {};
template <typename T>
struct Oggetto<std::shared_ptr<T>> : std::bool_constant<std::is_base_of_v<IQvObjectMgd, T>> {
    using Tipo = T;
};

int ScriviTesto(const std::string& testo, GfValore& v) {
    v.necessario = testo.size() + 1;
    if (!v.buffer || v.capacita < v.necessario) return GF_ERR_BUFFER;
    std::memcpy(v.buffer, testo.c_str(), testo.size() + 1);
    return GF_OK;
}

std::string Utf8(const std::wstring& testo) { return vplat::WideToUtf8(testo); }
std::wstring Largo(const char* testo) { return testo ? vplat::Utf8ToWide(testo) : std::wstring(); }

const ManiglieGyroform::Voce& VoceViva(GfManiglia maniglia) {
    const ManiglieGyroform::Voce* voce = ManiglieGyroform::Get().Trova(maniglia);
    if (!voce) throw Errore{GF_ERR_MANIGLIA_SCADUTA};
    return *voce;
}

// The kind of a managed argument and its value from a GfValore; fine()
// writes back what the call gave.
template <typename T>
struct ArgC;

// A managed int takes only what it can hold.
int Int(long long v) {
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) throw Errore{GF_ERR_ARGOMENTI};
    return static_cast<int>(v);
}

template <>
struct ArgC<int> {
    static constexpr int tipo = GF_INTERO;
    explicit ArgC(GfValore& v) : valore(Int(v.intero)) {}
    int get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    int valore;
};

template <>
struct ArgC<bool> {
    static constexpr int tipo = GF_BOOL;
    explicit ArgC(GfValore& v) : valore(v.intero != 0) {}
    bool get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    bool valore;
};

template <>
struct ArgC<double> {
    static constexpr int tipo = GF_REALE;
    explicit ArgC(GfValore& v) : valore(v.reale) {}
    double get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    double valore;
};

template <>
struct ArgC<double&> {
    static constexpr int tipo = GF_RIF_REALE;
    explicit ArgC(GfValore& v) : valore(v.reale) {}
    double& get() { return valore; }
    int fine(GfValore& v) {
        v.reale = valore;
        return GF_OK;
    }
    double valore;
};

template <>
struct ArgC<Point3DMgd> {
    static constexpr int tipo = GF_PUNTO;
    explicit ArgC(GfValore& v) : valore(v.punto[0], v.punto[1], v.punto[2]) {}
    Point3DMgd get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    Point3DMgd valore;
};

template <>
struct ArgC<Point3DMgd&> {
    static constexpr int tipo = GF_OUT_PUNTO;
    explicit ArgC(GfValore&) {}
    Point3DMgd& get() { return valore; }
    int fine(GfValore& v) {
        v.punto[0] = valore.x;
        v.punto[1] = valore.y;
        v.punto[2] = valore.z;
        return GF_OK;
    }
    Point3DMgd valore;
};

template <>
struct ArgC<std::wstring> {
    static constexpr int tipo = GF_TESTO;
    explicit ArgC(GfValore& v) : valore(Largo(v.testo)) {}
    std::wstring get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    std::wstring valore;
};

template <>
struct ArgC<std::shared_ptr<DatoMgd>> {
    static constexpr int tipo = GF_DATO;
    explicit ArgC(GfValore& v) {
        switch (v.tipoDato) {
            case GF_NESSUNO: valore = std::make_shared<DatoMgd>(); break;
            case GF_BOOL: valore = std::make_shared<DatoMgd>(v.id, v.intero != 0); break;
            case GF_INTERO: valore = std::make_shared<DatoMgd>(v.id, Int(v.intero)); break;
            case GF_REALE: valore = std::make_shared<DatoMgd>(v.id, v.reale); break;
            case GF_TESTO: valore = std::make_shared<DatoMgd>(v.id, Largo(v.testo)); break;
            case GF_PUNTO:
                valore = std::make_shared<DatoMgd>(v.id, Point3DMgd(v.punto[0], v.punto[1], v.punto[2]));
                break;
            default: throw Errore{GF_ERR_ARGOMENTI};
        }
    }
    std::shared_ptr<DatoMgd> get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    std::shared_ptr<DatoMgd> valore;
};

template <>
struct ArgC<std::shared_ptr<IEntityIDMgd>> {
    static constexpr int tipo = GF_ENTITA;
    explicit ArgC(GfValore& v) : valore(std::make_shared<EntityIDMgd>(Largo(v.testo))) {}
    std::shared_ptr<IEntityIDMgd> get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    std::shared_ptr<IEntityIDMgd> valore;
};

template <>
struct ArgC<std::shared_ptr<IGroupMember>> {
    static constexpr int tipo = GF_MEMBRO;
    explicit ArgC(GfValore& v) {
        if (v.intero == 0) return;
        maniglia = static_cast<GfManiglia>(v.intero);
        valore = VoceViva(maniglia).membro;
        if (!valore) throw Errore{GF_ERR_CLASSE};
    }
    std::shared_ptr<IGroupMember> get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    GfManiglia maniglia = 0;
    std::shared_ptr<IGroupMember> valore;
};

// An array the call fills: given back as text.
template <>
struct ArgC<std::shared_ptr<CADDatoArrayMgd>> {
    static constexpr int tipo = GF_ARRAY;
    explicit ArgC(GfValore&) : valore(std::make_shared<CADDatoArrayMgd>()) {}
    std::shared_ptr<CADDatoArrayMgd> get() { return valore; }
    int fine(GfValore& v) { return ScriviTesto(Utf8(valore->ToString()), v); }
    std::shared_ptr<CADDatoArrayMgd> valore;
};

// A wrapper given by handle; 0 passes null.
template <typename T>
    requires Oggetto<std::shared_ptr<T>>::value
struct ArgC<std::shared_ptr<T>> {
    static constexpr int tipo = GF_OGGETTO;
    explicit ArgC(GfValore& v) {
        if (v.intero == 0) return;
        maniglia = static_cast<GfManiglia>(v.intero);
        valore = std::dynamic_pointer_cast<T>(VoceViva(maniglia).oggetto);
        if (!valore) throw Errore{GF_ERR_CLASSE};
    }
    std::shared_ptr<T> get() { return valore; }
    int fine(GfValore&) { return GF_OK; }
    GfManiglia maniglia = 0;
    std::shared_ptr<T> valore;
};

// The kind of a managed result and how it is given back.
template <typename R>
struct RisC;

template <>
struct RisC<void> {
    static constexpr int tipo = GF_NESSUNO;
};

template <>
struct RisC<int> {
    static constexpr int tipo = GF_INTERO;
    static int scrivi(int v, GfValore& r, IQvObject*) {
        r.intero = v;
        return GF_OK;
    }
};

template <>
struct RisC<double> {
    static constexpr int tipo = GF_REALE;
    static int scrivi(double v, GfValore& r, IQvObject*) {
        r.reale = v;
        return GF_OK;
    }
};

template <>
struct RisC<std::wstring> {
    static constexpr int tipo = GF_TESTO;
    static int scrivi(const std::wstring& v, GfValore& r, IQvObject*) { return ScriviTesto(Utf8(v), r); }
};

template <>
struct RisC<ArrayList> {
    static constexpr int tipo = GF_LISTA;
    static int scrivi(const ArrayList& v, GfValore& r, IQvObject*) {
        std::string testo;
        for (const std::wstring& nome : v) testo += (testo.empty() ? "" : "\n") + Utf8(nome);
        return ScriviTesto(testo, r);
    }
};

template <>
struct RisC<std::shared_ptr<CADDatoArrayMgd>> {
    static constexpr int tipo = GF_ARRAY;
    static int scrivi(const std::shared_ptr<CADDatoArrayMgd>& v, GfValore& r, IQvObject*) {
        return ScriviTesto(v ? Utf8(v->ToString()) : std::string(), r);
    }
};

template <>
struct RisC<std::shared_ptr<DatoMgd>> {
    static constexpr int tipo = GF_DATO;
    static int scrivi(const std::shared_ptr<DatoMgd>& v, GfValore& r, IQvObject*) {
        r.id = v ? v->Id() : 0;
        r.tipoDato = GF_NESSUNO;
        if (!v) return GF_OK;
        switch (v->GetTipo()) {
            case DatoMgd::Bool: r.tipoDato = GF_BOOL; r.intero = v->GetBool(); break;
            case DatoMgd::Intero: r.tipoDato = GF_INTERO; r.intero = v->GetInt(); break;
            case DatoMgd::Reale: r.tipoDato = GF_REALE; r.reale = v->GetDouble(); break;
            case DatoMgd::Testo: r.tipoDato = GF_TESTO; return ScriviTesto(Utf8(v->GetString()), r);
            case DatoMgd::Punto:
                r.tipoDato = GF_PUNTO;
                r.punto[0] = v->GetPunto().x;
                r.punto[1] = v->GetPunto().y;
                r.punto[2] = v->GetPunto().z;
                break;
            default: break;
        }
        return GF_OK;
    }
};

// A group's member: a handle that stands for the member and its object,
// which the group's factory wraps.
template <>
struct RisC<std::shared_ptr<IGroupMember>> {
    static constexpr int tipo = GF_MEMBRO;
    static int scrivi(const std::shared_ptr<IGroupMember>& v, GfValore& r, IQvObject* radice) {
        r.intero = v ? static_cast<long long>(ManiglieGyroform::Get().Aggiungi(v->GetObject(), v, radice)) : 0;
        return GF_OK;
    }
};

// A wrapper becomes a new handle of the caller's roundabout; one made
// outside any (by the factory) belongs to itself.
template <typename T>
    requires Oggetto<std::shared_ptr<T>>::value
struct RisC<std::shared_ptr<T>> {
    static constexpr int tipo = GF_OGGETTO;
    static int scrivi(const std::shared_ptr<T>& v, GfValore& r, IQvObject* radice) {
        std::shared_ptr<IQvObjectMgd> oggetto = v;
        if (oggetto && !radice) radice = oggetto->GetQvObject();
        r.intero = static_cast<long long>(ManiglieGyroform::Get().Aggiungi(oggetto, nullptr, radice));
        return GF_OK;
    }
};

// Signatures of the callables the layer exposes.
template <typename M>
struct FirmaC;
template <typename C, typename R, typename... A>
struct FirmaC<R (C::*)(A...)> {
    static constexpr bool istanza = true;
    using Classe = C;
    using Risultato = R;
    using Argomenti = std::tuple<A...>;
};
template <typename R, typename... A>
struct FirmaC<R (*)(A...)> {
    static constexpr bool istanza = false;
    using Classe = void;
    using Risultato = R;
    using Argomenti = std::tuple<A...>;
};

template <typename Argomenti>
struct Tipi;
template <typename... A>
struct Tipi<std::tuple<A...>> {
    static constexpr int numero = sizeof...(A);
    static constexpr int elenco[sizeof...(A) + 1] = {ArgC<A>::tipo..., GF_NESSUNO};
};

// The factory's instance method, for callers without a factory of their own.
std::shared_ptr<IQvObjectMgd> AllocaIQvObject(int tipo) { return GyroformFactory().AllocaIQvObject(tipo); }

// What a call of the layer does besides forwarding. prima may refuse the
// call: it then answers "nothing done" (0, null) without reaching the
// object. dopo follows a call that was made, with its result.
struct Nessuna {
    template <typename Conv>
    static bool prima(GfManiglia, Conv&) {
        return true;
    }
    template <typename Conv>
    static void dopo(GfManiglia, Conv&, IQvObject*, const GfValore&) {}
};
template <auto M>
struct Regola : Nessuna {};

ManiglieGyroform::Voce* Viva(GfManiglia maniglia) { return ManiglieGyroform::Get().Modifica(maniglia); }
IQvObject* Nativo(GfManiglia maniglia) {
    ManiglieGyroform::Voce* v = Viva(maniglia);
    return v && v->oggetto ? v->oggetto->GetQvObject() : nullptr;
}

// Freeing a roundabout releases every handle of it.
template <>
struct Regola<&Rotatoria3D::liberaPtr> : Nessuna {
    template <typename Conv>
    static void dopo(GfManiglia, Conv&, IQvObject* rotatoria, const GfValore&) {
        ManiglieGyroform::Get().InvalidaRadice(rotatoria);
    }
};

// A lone object belongs to the host, which frees it with its handle unless
// it gives it to a group.
template <>
struct Regola<&AllocaIQvObject> : Nessuna {
    template <typename Conv>
    static void dopo(GfManiglia, Conv&, IQvObject*, const GfValore& risultato) {
        if (ManiglieGyroform::Voce* v = Viva(static_cast<GfManiglia>(risultato.intero))) v->proprio = true;
    }
};

// A point of the model stays on its edge; a lone point may be attached to
// any edge, and is of no use once that edge is gone.
template <>
struct Regola<&PuntoCiglio::inizializza> : Nessuna {
    template <typename Conv>
    static bool prima(GfManiglia se, Conv& conv) {
        ManiglieGyroform::Voce* v = Viva(se);
        GfManiglia proprietario = std::get<0>(conv).maniglia;
        if (!v || v->proprio || proprietario == 0) return true;
        auto* punto = dynamic_cast<CPuntoCiglio*>(v->oggetto->GetQvObject());
        return punto && static_cast<IQvObject*>(punto->getProprietario()) == Nativo(proprietario);
    }
    template <typename Conv>
    static void dopo(GfManiglia se, Conv&, IQvObject* nativo, const GfValore&) {
        ManiglieGyroform::Voce* v = Viva(se);
        auto* punto = dynamic_cast<CPuntoCiglio*>(nativo);
        if (!v || !v->proprio || !punto) return;
        v->numeroProprietario = punto->getProprietario() ? punto->getProprietario()->GetNumero() : 0;
    }
};

// A lone object joins a group the host may edit; the group owns it then.
template <int posizione>
struct RegolaAggiunta : Nessuna {
    template <typename Conv>
    static bool prima(GfManiglia se, Conv& conv) {
        ManiglieGyroform::Voce* gruppo = Viva(se);
        ManiglieGyroform::Voce* oggetto = Viva(std::get<posizione>(conv).maniglia);
        if (!gruppo || !oggetto) return true;  // null joins nothing
        return oggetto->proprio &&
               gfgruppi::Ammetti(static_cast<IQvObject_Group*>(gruppo->oggetto->GetQvObject()), gruppo->radice,
                                 oggetto->oggetto->GetQvObject());
    }
    template <typename Conv>
    static void dopo(GfManiglia se, Conv& conv, IQvObject*, const GfValore& risultato) {
        ManiglieGyroform::Voce* gruppo = Viva(se);
        ManiglieGyroform::Voce* oggetto = Viva(std::get<posizione>(conv).maniglia);
        if (!gruppo || !oggetto || risultato.intero == 0) return;
        oggetto->proprio = false;
        oggetto->numeroProprietario = 0;
        oggetto->radice = gruppo->radice;
        gfgruppi::Riordina(static_cast<IQvObject_Group*>(gruppo->oggetto->GetQvObject()), gruppo->radice);
    }
};
template <>
struct Regola<&IGroup::Append> : RegolaAggiunta<0> {};
template <>
struct Regola<&IGroup::Insert> : RegolaAggiunta<1> {};

// A point moved by the host takes its place in its group.
template <>
struct Regola<&IQvObjectMgd::SetDato> : Nessuna {
    template <typename Conv>
    static void dopo(GfManiglia, Conv&, IQvObject* nativo, const GfValore& risultato) {
        if (risultato.intero == 1) gfgruppi::RiordinaGruppoDi(nativo);
    }
};

// Nothing leaves the model's own groups through the host.
struct RegolaTogli : Nessuna {
    template <typename Conv>
    static bool prima(GfManiglia se, Conv&) {
        ManiglieGyroform::Voce* gruppo = Viva(se);
        return !gruppo || gfgruppi::Classifica(static_cast<IQvObject_Group*>(gruppo->oggetto->GetQvObject()),
                                               gruppo->radice)
                                  .genere != gfgruppi::Genere::DelModello;
    }
};
template <>
struct Regola<&IGroup::Remove> : RegolaTogli {};
template <>
struct Regola<&IGroup::Empty> : RegolaTogli {};

template <auto M, typename... A>
int Esegui(GfValore* argomenti, GfValore* risultato, std::tuple<A...>*) {
    using F = FirmaC<decltype(M)>;
    using R = typename F::Risultato;
    constexpr int primo = F::istanza ? 1 : 0;
    return [&]<size_t... I>(std::index_sequence<I...>) -> int {
        if (((argomenti[primo + I].tipo != ArgC<A>::tipo) || ...)) return GF_ERR_ARGOMENTI;
        std::shared_ptr<typename std::conditional_t<F::istanza, typename F::Classe, IQvObjectMgd>> se;
        IQvObject* radice = nullptr;
        IQvObject* nativo = nullptr;
        if constexpr (F::istanza) {
            if (argomenti[0].tipo != GF_OGGETTO && argomenti[0].tipo != GF_MEMBRO) return GF_ERR_ARGOMENTI;
            if (argomenti[0].intero == 0) return GF_ERR_MANIGLIA_NULLA;
            const ManiglieGyroform::Voce& voce = VoceViva(static_cast<GfManiglia>(argomenti[0].intero));
            se = std::dynamic_pointer_cast<typename F::Classe>(voce.oggetto);
            if (!se) return GF_ERR_CLASSE;
            radice = voce.radice;
            nativo = voce.oggetto->GetQvObject();
        }
        std::tuple<ArgC<A>...> conv{ArgC<A>(argomenti[primo + I])...};
        GfManiglia maniglia = F::istanza ? static_cast<GfManiglia>(argomenti[0].intero) : 0;
        risultato->tipo = RisC<R>::tipo;
        if (!Regola<M>::prima(maniglia, conv)) {
            if constexpr (!std::is_void_v<R>) return RisC<R>::scrivi(R{}, *risultato, radice);
            return GF_OK;
        }
        auto chiama = [&]() -> decltype(auto) {
            if constexpr (F::istanza)
                return ((*se).*M)(std::get<I>(conv).get()...);
            else
                return M(std::get<I>(conv).get()...);
        };
        int esito = GF_OK;
        if constexpr (std::is_void_v<R>) {
            chiama();
        } else {
            R valore = chiama();
            esito = RisC<R>::scrivi(valore, *risultato, radice);
        }
        Regola<M>::dopo(maniglia, conv, nativo, *risultato);
        int scritti[] = {GF_OK, std::get<I>(conv).fine(argomenti[primo + I])...};
        for (int s : scritti)
            if (s != GF_OK) esito = s;
        return esito;
    }(std::index_sequence_for<A...>{});
}

template <auto M>
int Chiama(GfValore* argomenti, int numero, GfValore* risultato) {
    using F = FirmaC<decltype(M)>;
    constexpr int attesi = Tipi<typename F::Argomenti>::numero + (F::istanza ? 1 : 0);
    if (numero != attesi || (attesi > 0 && !argomenti) || !risultato) return GF_ERR_ARGOMENTI;
    try {
        return Esegui<M>(argomenti, risultato, static_cast<typename F::Argomenti*>(nullptr));
    } catch (const Errore& e) {
        return e.esito;
    } catch (const NullReferenceException&) {
        return GF_ERR_RIFERIMENTO_NULLO;
    } catch (...) {
        return GF_ERR_INTERNO;
    }
}

template <auto M>
GfMetodo Voce(const char* nome, GfFunzione funzione) {
    using F = FirmaC<decltype(M)>;
    using T = Tipi<typename F::Argomenti>;
    return GfMetodo{nome, F::istanza ? 1 : 0, T::numero, T::elenco, RisC<typename F::Risultato>::tipo, funzione};
}

}  // namespace

// Besides the table: the factory, and the suite's object and group
// operations through which a caller reads and edits points.
#define GF_ALTRI(X)                                                    \
    X(GyroformFactory, allocaRotatoria, &GyroformFactory::allocaRotatoria) \
    X(GyroformFactory, AllocaIQvObject, &AllocaIQvObject)              \
    X(IQvObjectMgd, GetTipo, &IQvObjectMgd::GetTipo)                   \
    X(IQvObjectMgd, GetDato, &IQvObjectMgd::GetDato)                   \
    X(IQvObjectMgd, SetDato, &IQvObjectMgd::SetDato)                   \
    X(IQvObjectMgd, GetElencoDati, &IQvObjectMgd::GetElencoDati)       \
    X(IQvObjectMgd, GetDatoStringa, &IQvObjectMgd::GetDatoStringa)     \
    X(IGroup, First, &IGroup::First)                                   \
    X(IGroup, Count, &IGroup::Count)                                   \
    X(IGroup, Member, &IGroup::Member)                                 \
    X(IGroup, Append, &IGroup::Append)                                 \
    X(IGroup, Insert, &IGroup::Insert)                                 \
    X(IGroup, Remove, &IGroup::Remove)                                 \
    X(IGroup, Empty, &IGroup::Empty)

#define GF_C_X(C, m, p) \
    extern "C" int Gyroform_##C##_##m(GfValore* a, int n, GfValore* r) { return Chiama<p>(a, n, r); }
#define GF_C_N(C, I, m, s, R, P, A, f) GF_C_X(C, m, &C::m)
#define GF_C_G(C, m, R, P) GF_C_X(C, m, &C::m)
GF_METODI(GF_C_N, GF_NIENTE, GF_C_G)
GF_ALTRI(GF_C_X)

namespace {

#define GF_REG_X(C, m, p) Voce<p>(#C "." #m, &Gyroform_##C##_##m),
#define GF_REG_N(C, I, m, s, R, P, A, f) GF_REG_X(C, m, &C::m)
#define GF_REG_G(C, m, R, P) GF_REG_X(C, m, &C::m)
const GfMetodo g_registro[] = {GF_METODI(GF_REG_N, GF_NIENTE, GF_REG_G) GF_ALTRI(GF_REG_X)};

}  // namespace

extern "C" int Gyroform_NumeroMetodi(void) { return static_cast<int>(std::size(g_registro)); }

extern "C" const GfMetodo* Gyroform_Metodo(int posizione) {
    return posizione >= 0 && posizione < Gyroform_NumeroMetodi() ? &g_registro[posizione] : nullptr;
}

extern "C" const GfMetodo* Gyroform_CercaMetodo(const char* nome) {
    if (!nome) return nullptr;
    for (const GfMetodo& m : g_registro)
        if (std::strcmp(m.nome, nome) == 0) return &m;
    return nullptr;
}

extern "C" int Gyroform_Classe(GfManiglia maniglia, char* buffer, size_t capacita, size_t* necessario) {
    if (maniglia == 0) return GF_ERR_MANIGLIA_NULLA;
    const ManiglieGyroform::Voce* voce = ManiglieGyroform::Get().Trova(maniglia);
    if (!voce) return GF_ERR_MANIGLIA_SCADUTA;
    IQvObjectMgd* o = voce->oggetto.get();
    const char* nome = dynamic_cast<Rotatoria3D*>(o) ? "Rotatoria3D"
                       : dynamic_cast<Ciglio3D*>(o)  ? "Ciglio3D"
                       : dynamic_cast<AsseRamo*>(o)  ? "AsseRamo"
                       : dynamic_cast<PuntoCiglio*>(o) ? "PuntoCiglio"
                       : dynamic_cast<IGroup*>(o)    ? "IGroup"
                                                     : "QvObjectMgd";
    GfValore v{};
    v.buffer = buffer;
    v.capacita = capacita;
    int esito = ScriviTesto(nome, v);
    if (necessario) *necessario = v.necessario;
    return esito;
}

extern "C" int Gyroform_Rilascia(GfManiglia maniglia) {
    return ManiglieGyroform::Get().Rilascia(maniglia) ? GF_OK : GF_ERR_MANIGLIA_SCADUTA;
}
