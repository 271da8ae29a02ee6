// Entity data keyed by DXF-style group codes: the carrier of drawing data
// between the modules and the suite's entity and table services.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AcDbObjectId.h"

class ZylEntityID;

class CADDatoArray {
public:
    // The value an entry holds; Richiesta is a code alone, asking for that
    // property.
    enum Tipo { Intero = 1, Reale = 2, Testo = 3, Punto = 4, Array = 5, Richiesta = 6, EntityID = 7 };

    class CADDato {
    public:
        int GetCodice() const { return m_code; }
        Tipo GetTipo() const { return m_tipo; }
        double GetDouble() const;
        int GetInt() const;
        // Valid while the array lives.
        const wchar_t* GetStringa() const { return m_text.c_str(); }
        // Into a caller buffer of three doubles.
        void GetPunto(double* xyz) const;
        CADDatoArray* GetArray() const { return m_array.get(); }
        // The entity an EntityID entry carries, with its handle text.
        ZylEntityID GetEntityID() const;
        const wchar_t* GetEntityHandle() const { return m_text.c_str(); }
        void SetStringa(const wchar_t* text);

    private:
        friend class CADDatoArray;
        int m_code = 0;
        Tipo m_tipo = Richiesta;
        long long m_int = 0;
        double m_real[3] = {0, 0, 0};
        std::wstring m_text;
        std::shared_ptr<CADDatoArray> m_array;
        AcDbObjectId m_id;
    };

    CADDatoArray() = default;
    CADDatoArray(const CADDatoArray& other);
    CADDatoArray& operator=(const CADDatoArray& other);

    void Add(int code, int value);
    void Add(int code, double value);
    void Add(int code, const wchar_t* text);
    void Add(int code, const double xyz[3]);
    void Add(int code, double x, double y, double z);
    void Add(int code, const CADDatoArray& nested);
    // A copy of an entry (of this or another array).
    void Add(const CADDato& dato);
    void AddRichiesta(int code);
    void AddEntityID(int code, const ZylEntityID& entita);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CADDato& operator[](int i) { return m_items.at(static_cast<size_t>(i)); }
    const CADDato& operator[](int i) const { return m_items.at(static_cast<size_t>(i)); }
    // The nested array of the first entry of that code, or null.
    CADDatoArray* GetArray(int code) const;
    // True when an entry of the code stands at or after `index`, which then
    // holds its position.
    bool HasTipo(int code, int& index) const;
    void Clear() { m_items.clear(); }

private:
    CADDato& Push(int code, Tipo tipo);
    std::vector<CADDato> m_items;
};
