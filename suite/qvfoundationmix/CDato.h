// A property of an engineering object: a numeric id with one typed value.
#pragma once

#include "CString.h"

class IQvObject;
class IQvObject_Group;

class CDato {
public:
    // Value kinds, as the property lists report them. An angle is a real in
    // radians that is shown in gon; a group carries an IQvObject_Group.
    enum Tipo { Nessuno = 0, Bool = 1, Intero = 2, Reale = 3, Testo = 4, Punto = 5, Oggetto = 6, Angolo = 7, Gruppo = 11 };

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
    CDato(int id, IQvObject_Group* gruppo);

    int GetId() const { return m_id; }
    void SetId(int id) { m_id = id; }
    int GetTipo() const { return m_tipo; }
    // Gives the datum a kind and keeps its value: a property list entry that
    // announces a kind without a value, or a real marked as an angle.
    void SetTipo(int tipo) { m_tipo = tipo; }
    // The value in the asked kind; numbers and texts convert into each other
    // (texts with the C numeric locale), anything else gives 0 or empty.
    bool GetBool() const { return GetInt() != 0; }
    long GetInt() const;
    double GetDouble() const;
    CString GetString() const;
    void GetPunto(double punto[3]) const;
    // The object of an object or group datum.
    IQvObject* GetOggetto() const { return m_tipo == Oggetto || m_tipo == Gruppo ? m_oggetto : nullptr; }
    IQvObject_Group* GetGruppo() const;

    // The label of a property list entry.
    const CString& GetEtichetta() const { return m_etichetta; }
    void SetEtichetta(const CString& etichetta) { m_etichetta = etichetta; }
    // An object that travels with the value (a colour, a list of choices);
    // the datum does not own it.
    IQvObject* GetAllegato() const { return m_allegato; }
    void SetAllegato(IQvObject* allegato) { m_allegato = allegato; }
    // A flag a property list entry may carry for the one who shows it.
    bool GetFlag() const { return m_flag; }
    void SetFlag(bool flag) { m_flag = flag; }

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
    CString m_etichetta;
    IQvObject* m_allegato = nullptr;
    bool m_flag = false;
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
