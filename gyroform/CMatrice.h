// A small dense-matrix toolkit for the ring's plane fit: a matrix and a
// vector of doubles with one-based element access, and an upper Cholesky
// factorisation.
#pragma once

#include <cstddef>
#include <vector>

class CMatrice {
public:
    CMatrice() = default;
    // rows x cols elements, each set to the fill value; sizes below 1 hold nothing.
    CMatrice(int righe, int colonne, double valore = 0.0);
    CMatrice(const CMatrice& altra) = default;
    // Takes the other's sizes (reallocating when either differs) and values.
    CMatrice& operator=(const CMatrice& altra);

    int righe() const { return m_righe; }
    int colonne() const { return m_colonne; }
    // Element (i, j), 1 <= i <= rows, 1 <= j <= columns.
    double& operator()(int i, int j) { return m_dati[static_cast<std::size_t>((i - 1) * m_colonne + (j - 1))]; }
    double operator()(int i, int j) const { return m_dati[static_cast<std::size_t>((i - 1) * m_colonne + (j - 1))]; }
    // Copies rows x columns values given row by row.
    void copiaDa(const double* valori);
    // Frees the elements; the matrix then has no size.
    void rilascia();

    CMatrice trasposta() const;
    CMatrice operator*(const CMatrice& altra) const;

private:
    int m_righe = 0;
    int m_colonne = 0;
    std::vector<double> m_dati;
};

class CVettore {
public:
    CVettore() = default;
    explicit CVettore(int dimensione, double valore = 0.0);

    int dimensione() const { return static_cast<int>(m_dati.size()); }
    // Element i, 1 <= i <= size.
    double& operator()(int i) { return m_dati[static_cast<std::size_t>(i - 1)]; }
    double operator()(int i) const { return m_dati[static_cast<std::size_t>(i - 1)]; }
    void copiaDa(const double* valori);
    void rilascia() { m_dati.clear(); }

private:
    std::vector<double> m_dati;
};

// The matrix times a vector (columns of the matrix = size of the vector).
CVettore operator*(const CMatrice& a, const CVettore& v);

// L with A = L * L^T, A taken as n x n (n = A's columns). Reads only A's
// diagonal and upper triangle, writes only L's diagonal and lower triangle
// (L becomes an n x n matrix of zeros first when its sizes differ). 0 done;
// 1 at a pivot that is not positive, or not above the tolerance times that
// diagonal element of A (0.0: the plain test); the columns after it stay as
// they were.
int fattorizzaCholesky(const CMatrice& a, CMatrice& l, double tolleranza = 0.0);
