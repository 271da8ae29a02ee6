// A property of an engineering object: a numeric id with one typed value.
#pragma once

#include "CString.h"

class IQvObject;

class CDato {
public:
    // Value kinds, as the property lists report them.
    enum Tipo { Nessuno = 0, Bool = 1, Intero = 2, Reale = 3, Testo = 4, Punto = 5, Oggetto = 6 };

    CDato() = default;
    explicit CDato(int id) : m_id(id) {}
    CDato(int id, bool v) : m_id(id), m_tipo(Bool), m_int(v ? 1 : 0) {}
    CDato(int id, int v) : m_id(id), m_tipo(Intero), m_int(v) {}
    CDato(int id, long v) : m_id(id), m_tipo(Intero), m_int(v) {}
    CDato(int id, double v) : m_id(id), m_tipo(Reale), m_reale(v) {}
    CDato(int id, const wchar_t* v) : m_id(id), m_tipo(Testo), m_testo(v ? v : L"") {}
    CDato(int id, const CString& v) : m_id(id), m_tipo(Testo), m_testo(v) {}
    CDato(int id, const double punto[3]);
    CDato(int id, IQvObject* v) : m_id(id), m_tipo(Oggetto), m_oggetto(v) {}

    int GetId() const { return m_id; }
    void SetId(int id) { m_id = id; }
    int GetTipo() const { return m_tipo; }
    // The value in the asked kind; numbers and texts convert into each other
    // (texts with the C numeric locale), anything else gives 0 or empty.
    bool GetBool() const { return GetInt() != 0; }
    long GetInt() const;
    double GetDouble() const;
    CString GetString() const;
    void GetPunto(double punto[3]) const;
    IQvObject* GetOggetto() const { return m_tipo == Oggetto ? m_oggetto : nullptr; }

    // An array of n empty data, freed with LiberaArrayCDato.
    static CDato* AllocaArrayCDato(int n);
    static void LiberaArrayCDato(CDato* array);

private:
    int m_id = 0;
    int m_tipo = Nessuno;
    long m_int = 0;
    double m_reale = 0;
    CString m_testo;
    double m_punto[3] = {0, 0, 0};
    IQvObject* m_oggetto = nullptr;
};

// A set of flags; += adds one.
class CBitDato {
public:
    CBitDato() = default;
    explicit CBitDato(unsigned long bit) : m_bit(bit) {}
    CBitDato& operator+=(unsigned long flag) {
        m_bit |= flag;
        return *this;
    }
    CBitDato& operator-=(unsigned long flag) {
        m_bit &= ~flag;
        return *this;
    }
    bool Ha(unsigned long flag) const { return (m_bit & flag) == flag; }
    unsigned long GetValore() const { return m_bit; }
    void SetValore(unsigned long bit) { m_bit = bit; }

private:
    unsigned long m_bit = 0;
};
