// Small engineering objects for the framework's tests: a record with one
// property of every kind and a group, a point with a chainage (4) and a
// position (3), and a constructor that counts what it makes and frees.
#pragma once

#include <map>
#include <set>

#include "QvEngineeringConstructor.h"
#include "QvFoundationMix.h"

constexpr int TIPO_RECORD_PROVA = 90000;
constexpr int TIPO_PUNTO_PROVA = 90001;

// Objects alive right now, of the two test kinds.
inline int& OggettiVivi() {
    static int n = 0;
    return n;
}

// What both test kinds share: their type code, the count of live objects,
// GetDato through LeggiDato.
template <int TIPO>
class OggettoProva : public IQvObject {
public:
    OggettoProva() { ++OggettiVivi(); }
    ~OggettoProva() override { --OggettiVivi(); }
    OggettoProva(const OggettoProva&) = delete;
    OggettoProva& operator=(const OggettoProva&) = delete;

    bool IsA(int tipo) const override { return tipo == TIPO; }
    int GetTipoBase() const override { return 0; }
    int GetTipo() const override { return TIPO; }
    CDato GetDato(int id, bool* ok = nullptr) const override {
        CDato d(id);
        bool letto = LeggiDato(id, d) == 1;
        if (ok) *ok = letto;
        return d;
    }
    CString GetDatoStringa(int, int, int) const override { return CString(); }
};

class PuntoProva : public OggettoProva<TIPO_PUNTO_PROVA> {
public:
    explicit PuntoProva(double prog = 0.0, bool conChiave = true) : m_prog(prog), m_conChiave(conChiave) {}

    int LeggiDato(int id, CDato& d) const override {
        if (id == 4 && m_conChiave) d = CDato(4, m_prog);
        else if (id == 3) d = CDato(3, m_punto);
        else return 0;
        return 1;
    }
    int SetDato(const CDato& d, int = 1) override {
        if (d.GetId() == 4) m_prog = d.GetDouble();
        else if (d.GetId() == 3) d.GetPunto(m_punto);
        else return 0;
        return 1;
    }
    CString GetNomeTipo() const override { return L"PuntoProva"; }
    int GetElencoDati(CDato** dati, int* n, int = 0) const override {
        *n = 2;
        *dati = CDato::AllocaArrayCDato(2);
        (*dati)[0] = CDato(4, 0.0);
        (*dati)[1] = CDato(3);
        (*dati)[1].SetTipo(CDato::Punto);
        return 1;
    }

    double m_prog;
    bool m_conChiave;
    double m_punto[3] = {0, 0, 0};
};

// Properties: 1 bool, 2 int, 3 real, 4 text, 5 point, 6 group (owned), 7 an
// angle; 8 is listed but never answers.
class RecordProva : public OggettoProva<TIPO_RECORD_PROVA> {
public:
    RecordProva() = default;
    ~RecordProva() override {
        IQvObject* g = m_gruppo;
        QvEngineeringConstructor::Libera(&g, 1);
    }

    int LeggiDato(int id, CDato& d) const override {
        switch (id) {
            case 1: d = CDato(1, m_bool); return 1;
            case 2: d = CDato(2, m_int); return 1;
            case 3: d = CDato(3, m_reale); return 1;
            case 4: d = CDato(4, m_testo); return 1;
            case 5: d = CDato(5, m_punto); return 1;
            case 6: d = CDato(6, m_gruppo); return 1;
            case 7: d = CDato(7, m_angolo); d.SetTipo(CDato::Angolo); return 1;
            default: return 0;
        }
    }
    int SetDato(const CDato& d, int = 1) override {
        switch (d.GetId()) {
            case 1: m_bool = d.GetBool(); return 1;
            case 2: m_int = static_cast<int>(d.GetInt()); return 1;
            case 3: m_reale = d.GetDouble(); return 1;
            case 4: m_testo = d.GetString(); return 1;
            case 5: d.GetPunto(m_punto); return 1;
            case 6: {
                if (d.GetTipo() != CDato::Gruppo) return 0;
                IQvObject* vecchio = m_gruppo;
                if (vecchio != d.GetGruppo()) QvEngineeringConstructor::Libera(&vecchio, 1);
                m_gruppo = d.GetGruppo();
                return 1;
            }
            case 7: m_angolo = d.GetDouble(); return 1;
            default: return 0;
        }
    }
    CString GetNomeTipo() const override { return L"RecordProva"; }
    int GetElencoDati(CDato** dati, int* n, int = 0) const override {
        static const int tipi[][2] = {{CDato::Bool, 1},  {CDato::Intero, 2}, {CDato::Reale, 3}, {CDato::Testo, 4},
                                      {CDato::Punto, 5}, {CDato::Gruppo, 6}, {CDato::Angolo, 7}, {CDato::Reale, 8}};
        *n = 8;
        *dati = CDato::AllocaArrayCDato(8);
        for (int i = 0; i < 8; ++i) {
            (*dati)[i].SetId(tipi[i][1]);
            (*dati)[i].SetTipo(tipi[i][0]);
        }
        return 1;
    }

    bool m_bool = false;
    int m_int = 0;
    double m_reale = 0.0;
    CString m_testo;
    double m_punto[3] = {0, 0, 0};
    IQvObject_Group* m_gruppo = nullptr;
    double m_angolo = 0.0;
};

// Makes the two test kinds and, through the suite's constructor, its own
// kinds; remembers what it made and counts each release.
class CostruttoreContatore : public IQvObjectConstructor {
public:
    IQvObject* Alloca(int tipo) override {
        IQvObject* o = tipo == TIPO_RECORD_PROVA  ? static_cast<IQvObject*>(new RecordProva)
                       : tipo == TIPO_PUNTO_PROVA ? new PuntoProva
                                                  : QvEngineeringConstructor::Alloca(tipo, nullptr);
        if (o) m_fatti.insert(o);
        return o;
    }
    void Libera(IQvObject** o) override {
        if (!o || !*o) return;
        ++m_liberati[*o];
        QvEngineeringConstructor::Libera(o, 1);
    }
    // Objects freed here, each with how many times.
    std::map<const void*, int> m_liberati;
    std::set<const void*> m_fatti;
};
