// The data lists of an alignment: records along the alignment by chainage.
#pragma once

#include <vector>

#include "IQvObject.h"

// The property that holds a record's chainage.
constexpr int QV_DATO_PROGRESSIVA_ELEMENTO = 22150;

// A record of a data list: its chainage (also property 22150), a set of flags
// and data by code.
class ICELEMENTODATI : public CQvOggettoDati {
public:
    ICELEMENTODATI(int codiceLista, double prog) : CQvOggettoDati(codiceLista), m_prog(prog) {}
    int LeggiDato(int id, CDato& dato) const override;
    CDato GetDato(int id, bool* ok = nullptr) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    double getProgressiva() const { return m_prog; }
    void setProgressiva(double prog) { m_prog = prog; }
    CBitDato& getBitDato() { return m_bit; }
    const CBitDato& getBitDato() const { return m_bit; }

private:
    double m_prog;
    CBitDato m_bit;
};

// One data list; it owns its records.
class ICLISTADATI {
public:
    explicit ICLISTADATI(int codice) : m_codice(codice) {}
    ~ICLISTADATI() { svuota(); }
    ICLISTADATI(const ICLISTADATI&) = delete;
    ICLISTADATI& operator=(const ICLISTADATI&) = delete;

    int getCodice() const { return m_codice; }
    int getNumero() const { return static_cast<int>(m_elementi.size()); }
    // Walk: the first record, then the one after a record (null at the end
    // or for a record not in this list).
    ICELEMENTODATI* getPrimo() const { return m_elementi.empty() ? nullptr : m_elementi.front(); }
    ICELEMENTODATI* getSuccessivo(const ICELEMENTODATI* elemento) const;
    // Frees every record.
    void svuota();
    // A new record at the end, at the last record's chainage (0 in an empty list).
    ICELEMENTODATI* accoda();
    // A new record at a chainage, after the records at the same or a lower one.
    ICELEMENTODATI* aggiungi(double prog);
    // A new record copied from an object of kind 1500 or 1508 (the object
    // stays the caller's): its 22150 becomes the record's chainage, its
    // other properties the record's data by code, its flags are copied. It
    // joins after the records at the same or a lower chainage. Null for
    // another kind or no object.
    ICELEMENTODATI* aggiungiCopia(const IQvObject* oggetto);
    // The last record at or before the chainage (1e-6), null before the first.
    ICELEMENTODATI* cerca(double prog) const;
    // A new record, the caller's (freed with QvEngineeringConstructor::Libera),
    // holding the data at a chainage: real data interpolated linearly between
    // the records before and after it, the first record's data before the
    // first, the last's after the last. Null for an empty list.
    ICELEMENTODATI* elementoDaProg(double prog) const;
    // Removes and frees a record of this list: 1, or 0 when it is not here.
    int rimuovi(ICELEMENTODATI* elemento);

private:
    int m_codice;
    std::vector<ICELEMENTODATI*> m_elementi;
};
