// The base of every engineering object of the suite.
#pragma once

#include <cstdint>
#include <map>

#include "CDato.h"

class IQvObject {
public:
    IQvObject();
    // A copy is another object, with a number of its own.
    IQvObject(const IQvObject&);
    IQvObject& operator=(const IQvObject&) { return *this; }
    virtual ~IQvObject();

    // Every object of the process has a number of its own, never given again:
    // whoever keeps a pointer together with the number can tell whether the
    // object still lives, whatever has been made at that address since.
    uint64_t GetNumero() const { return m_numero; }
    static bool IsVivo(uint64_t numero);

    virtual bool IsA(int tipo) const = 0;
    virtual int GetTipoBase() const = 0;
    virtual int GetTipo() const = 0;
    virtual CDato GetDato(int id, bool* ok = nullptr) const = 0;
    // 1 when the object has the property, else 0 and the datum is untouched.
    virtual int LeggiDato(int id, CDato& dato) const = 0;
    virtual CString GetDatoStringa(int id, int modo, int decimali) const = 0;
    // 1 when set.
    virtual int SetDato(const CDato& dato, int modo = 1) = 0;
    virtual CString GetNomeTipo() const = 0;
    // The property list: a new array (CDato::LiberaArrayCDato) and its count;
    // each entry gives a value kind, an id and a label. An object may list
    // other entries in another context (7005: the data that saves it).
    virtual int GetElencoDati(CDato** dati, int* numero, int contesto = 0) const = 0;
    virtual int GetRiservato() const { return 0; }

private:
    uint64_t m_numero;
};

// An object that keeps its properties by id.
class CQvOggettoDati : public IQvObject {
public:
    explicit CQvOggettoDati(int tipo, int tipoBase = 0) : m_tipo(tipo), m_tipoBase(tipoBase) {}

    bool IsA(int tipo) const override { return tipo == m_tipo || (m_tipoBase != 0 && tipo == m_tipoBase); }
    int GetTipoBase() const override { return m_tipoBase; }
    int GetTipo() const override { return m_tipo; }
    CDato GetDato(int id, bool* ok = nullptr) const override;
    int LeggiDato(int id, CDato& dato) const override;
    CString GetDatoStringa(int id, int modo, int decimali) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    CString GetNomeTipo() const override;
    int GetElencoDati(CDato** dati, int* numero, int contesto = 0) const override;

    // Removes a property; true when it was there.
    bool RimuoviDato(int id) { return m_dati.erase(id) > 0; }
    const std::map<int, CDato>& Dati() const { return m_dati; }

private:
    int m_tipo;
    int m_tipoBase;
    std::map<int, CDato> m_dati;
};
