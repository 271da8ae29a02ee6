// How a managed method reaches its native operation: each managed argument
// becomes the native one by its kind (and is written back after the call
// for references and arrays the caller gives), and the native result becomes
// the managed one.
#pragma once

#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "CADConvertMgd.h"
#include "CString.h"
#include "GyroformFactory.h"
#include "ICCiglio3D.h"
#include "InterfacceGyroform.h"
#include "QvConvertMgd.h"
#include "ZylGe.h"

namespace gfmgd {

// The managed signature of a member function.
template <typename M>
struct Firma;
template <typename C, typename R, typename... A>
struct Firma<R (C::*)(A...)> {
    using Classe = C;
    using Risultato = R;
    using Argomenti = std::tuple<A...>;
};

// Arguments, by managed kind. Plain values pass as they are.
template <typename T>
struct Argomento {
    explicit Argomento(T v) : valore(v) {}
    T nativo() { return valore; }
    void fine() {}
    T valore;
};

template <>
struct Argomento<double&> {
    explicit Argomento(double& v) : valore(v) {}
    double& nativo() { return valore; }
    void fine() {}
    double& valore;
};

template <>
struct Argomento<Point3DMgd> {
    explicit Argomento(const Point3DMgd& p) : punto(p.x, p.y, p.z) {}
    Zyl_GePoint3d nativo() { return punto; }
    void fine() {}
    Zyl_GePoint3d punto;
};

// An out point: starts at (0, 0, 0), so a failed call gives that.
template <>
struct Argomento<Point3DMgd&> {
    explicit Argomento(Point3DMgd& p) : fuori(p) {}
    Zyl_GePoint3d& nativo() { return punto; }
    void fine() { fuori = Point3DMgd(punto.x, punto.y, punto.z); }
    Point3DMgd& fuori;
    Zyl_GePoint3d punto;
};

template <>
struct Argomento<std::shared_ptr<ICiglio3D>> {
    explicit Argomento(const std::shared_ptr<ICiglio3D>& c) : ciglio(c ? c->getPtr() : nullptr) {}
    ICCiglio3D* nativo() { return ciglio; }
    void fine() {}
    ICCiglio3D* ciglio;
};

template <>
struct Argomento<std::shared_ptr<IGroupMember>> {
    explicit Argomento(const std::shared_ptr<IGroupMember>& m) : membro(m ? m->GetMember() : nullptr) {}
    IQvObject_GroupMember* nativo() { return membro; }
    void fine() {}
    IQvObject_GroupMember* membro;
};

template <>
struct Argomento<std::shared_ptr<DatoMgd>> {
    explicit Argomento(const std::shared_ptr<DatoMgd>& d) : dato(QvConvertMgd::ToCDato(d)) {}
    CDato nativo() { return dato; }
    void fine() {}
    CDato dato;
};

template <>
struct Argomento<std::shared_ptr<IEntityIDMgd>> {
    explicit Argomento(const std::shared_ptr<IEntityIDMgd>& e) { CADConvertMgd::FromMgd(e, id); }
    ZylEntityID& nativo() { return id; }
    void fine() {}
    ZylEntityID id;
};

// An array the caller gives: filled by the native operation, then converted into it.
template <>
struct Argomento<std::shared_ptr<CADDatoArrayMgd>> {
    explicit Argomento(const std::shared_ptr<CADDatoArrayMgd>& a) : fuori(a) {
        if (!fuori) throw NullReferenceException("no array to fill");
    }
    CADDatoArray& nativo() { return dati; }
    void fine() { CADConvertMgd::ToMgd(dati, *fuori); }
    std::shared_ptr<CADDatoArrayMgd> fuori;
    CADDatoArray dati;
};

template <>
struct Argomento<std::wstring> {
    explicit Argomento(const std::wstring& t) : testo(t) {}
    const wchar_t* nativo() { return testo.c_str(); }
    void fine() {}
    std::wstring testo;
};

// Results, by managed kind.
template <typename R>
struct Risultato {
    template <typename N>
    static R da(N v) { return v; }
};

template <>
struct Risultato<std::wstring> {
    static std::wstring da(const CString& t) { return t.GetString(); }
};

// A group comes back with a new module factory, so that its members are
// this module's wrappers; null when there is no group.
template <>
struct Risultato<std::shared_ptr<IGroup>> {
    static std::shared_ptr<IGroup> da(IQvObject_Group* g) {
        auto gruppo = std::dynamic_pointer_cast<IGroup>(GyroformFactory::getIQvObjectWrapper(g));
        if (gruppo) gruppo->QvObjectFactory = std::make_shared<GyroformFactory>();
        return gruppo;
    }
};

template <>
struct Risultato<std::shared_ptr<ICiglio3D>> {
    static std::shared_ptr<ICiglio3D> da(ICCiglio3D* c) {
        return std::dynamic_pointer_cast<ICiglio3D>(GyroformFactory::getIQvObjectWrapper(c));
    }
};

// A new managed array, empty when the native one is missing.
template <>
struct Risultato<std::shared_ptr<CADDatoArrayMgd>> {
    static std::shared_ptr<CADDatoArrayMgd> da(CADDatoArray* a) {
        auto out = std::make_shared<CADDatoArrayMgd>();
        if (a) CADConvertMgd::ToMgd(*a, *out);
        return out;
    }
};

template <typename R, typename Argomenti>
struct Chiamata;

template <typename R, typename... A>
struct Chiamata<R, std::tuple<A...>> {
    template <typename Nat, typename MetodoNat, typename Tupla>
    static R esegui(Nat* nat, MetodoNat metodo, Tupla&& argomenti) {
        return [&]<size_t... I>(std::index_sequence<I...>) -> R {
            std::tuple<Argomento<A>...> conv(std::get<I>(argomenti)...);
            if constexpr (std::is_void_v<R>) {
                (nat->*metodo)(std::get<I>(conv).nativo()...);
                (std::get<I>(conv).fine(), ...);
            } else {
                auto&& esito = (nat->*metodo)(std::get<I>(conv).nativo()...);
                (std::get<I>(conv).fine(), ...);
                return Risultato<R>::da(esito);
            }
        }(std::index_sequence_for<A...>{});
    }
};

// Calls the native operation with the managed method's arguments.
template <auto MetodoMgd, typename Nat, typename MetodoNat, typename Tupla>
auto Inoltra(Nat* nat, MetodoNat metodo, Tupla&& argomenti) {
    using F = Firma<decltype(MetodoMgd)>;
    return Chiamata<typename F::Risultato, typename F::Argomenti>::esegui(nat, metodo, argomenti);
}

}  // namespace gfmgd
