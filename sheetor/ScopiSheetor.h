// Small scope guards of the Sheetor commands: whatever they hold is given
// back on every way out of a command.
#pragma once

#include <arx.h>

#include <memory>

#include "QvEngineeringConstructor.h"

class IQvObject;

// An object opened for the length of a scope.
template <typename T>
class Aperto {
public:
    Aperto(AcDbObjectId id, AcDb::OpenMode modo) {
        if (!id.isNull()) acdbOpenObject(m_p, id, modo);
    }
    ~Aperto() {
        if (m_p) m_p->close();
    }
    Aperto(const Aperto&) = delete;
    Aperto& operator=(const Aperto&) = delete;
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// Closes an object opened elsewhere.
class Chiusura {
public:
    explicit Chiusura(AcDbObject* o) : m_o(o) {}
    ~Chiusura() {
        if (m_o) m_o->close();
    }
    Chiusura(const Chiusura&) = delete;
    Chiusura& operator=(const Chiusura&) = delete;

private:
    AcDbObject* m_o;
};

// A result chain released with acutRelRb.
class RisultatoLisp {
public:
    explicit RisultatoLisp(resbuf*& rb) : m_rb(rb) {}
    ~RisultatoLisp() {
        if (m_rb) acutRelRb(m_rb);
    }
    RisultatoLisp(const RisultatoLisp&) = delete;
    RisultatoLisp& operator=(const RisultatoLisp&) = delete;

private:
    resbuf*& m_rb;
};

// A selection set freed with acedSSFree once it was made.
class Selezione {
public:
    Selezione() { m_nome[0] = m_nome[1] = 0; }
    ~Selezione() {
        if (m_fatta) acedSSFree(m_nome);
    }
    Selezione(const Selezione&) = delete;
    Selezione& operator=(const Selezione&) = delete;
    // Call with the result of acedSSGet into Nome().
    bool Fatta(int risultato) { return m_fatta = risultato == RTNORM; }
    ads_name& Nome() { return m_nome; }
    long Numero() const {
        Adesk::Int32 n = 0;
        return m_fatta && acedSSLength(m_nome, &n) == RTNORM ? n : 0;
    }

private:
    ads_name m_nome;
    bool m_fatta = false;
};

// An engineering object released with QvEngineeringConstructor::Libera.
class OggettoQv {
public:
    OggettoQv() = default;
    ~OggettoQv() { QvEngineeringConstructor::Libera(&m_o, 1); }
    OggettoQv(const OggettoQv&) = delete;
    OggettoQv& operator=(const OggettoQv&) = delete;
    IQvObject** Indirizzo() { return &m_o; }
    IQvObject* get() const { return m_o; }

private:
    IQvObject* m_o = nullptr;
};

// Calls `f` with every entity of a block definition, each opened for read
// for the call; false when the definition cannot be opened.
template <typename F>
bool PerOgniEntita(AcDbObjectId blocco, F f) {
    Aperto<AcDbBlockTableRecord> definizione(blocco, AcDb::kForRead);
    if (!definizione) return false;
    AcDbBlockTableRecordIterator* grezzo = nullptr;
    definizione->newIterator(grezzo);
    std::unique_ptr<AcDbBlockTableRecordIterator> it(grezzo);
    for (; it && !it->done(); it->step()) {
        AcDbEntity* e = nullptr;
        if (it->getEntity(e, AcDb::kForRead) != Acad::eOk) continue;
        Chiusura chiudi(e);
        f(e);
    }
    return true;
}
