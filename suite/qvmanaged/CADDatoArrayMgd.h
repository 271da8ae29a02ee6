// A managed entity-data array: entries of a group code with an int, a real,
// a text, a point or a nested array (or the code alone, a request).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Point3DMgd.h"

class CADDatoArrayMgd {
public:
    enum Tipo { Richiesta, Intero, Reale, Testo, Punto, Array };

    struct Voce {
        int codice = 0;
        Tipo tipo = Richiesta;
        int intero = 0;
        double reale = 0;
        std::wstring testo;
        Point3DMgd punto;
        std::shared_ptr<CADDatoArrayMgd> array;
    };

    void Add(int codice, int v) { Nuova(codice, Intero).intero = v; }
    void Add(int codice, double v) { Nuova(codice, Reale).reale = v; }
    void Add(int codice, const std::wstring& v) { Nuova(codice, Testo).testo = v; }
    void Add(int codice, const Point3DMgd& v) { Nuova(codice, Punto).punto = v; }
    void Add(int codice, std::shared_ptr<CADDatoArrayMgd> v) { Nuova(codice, Array).array = std::move(v); }
    void AddRichiesta(int codice) { Nuova(codice, Richiesta); }

    int Count() const { return static_cast<int>(m_voci.size()); }
    const Voce& operator[](int i) const { return m_voci.at(static_cast<size_t>(i)); }
    void Clear() { m_voci.clear(); }

    // The entries as one line: "(code value) (code value) ...", texts in
    // quotes, points as x,y,z, nested arrays in brackets.
    std::wstring ToString() const;

private:
    Voce& Nuova(int codice, Tipo tipo) {
        m_voci.emplace_back();
        m_voci.back().codice = codice;
        m_voci.back().tipo = tipo;
        return m_voci.back();
    }
    std::vector<Voce> m_voci;
};
