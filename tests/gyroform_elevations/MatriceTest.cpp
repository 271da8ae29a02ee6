// The plane fit's matrix toolkit.
#include <gtest/gtest.h>

#include "CMatrice.h"

namespace {

CMatrice Da(int r, int c, std::initializer_list<double> v) {
    CMatrice m(r, c);
    std::vector<double> valori(v);
    m.copiaDa(valori.data());
    return m;
}

TEST(Matrice, CholeskyOfASymmetricPositiveDefiniteMatrix) {
    CMatrice a = Da(3, 3, {4, 2, 2, 2, 5, 3, 2, 3, 6});
    CMatrice l;
    ASSERT_EQ(fattorizzaCholesky(a, l), 0);
    const double atteso[3][3] = {{2, 0, 0}, {1, 2, 0}, {1, 1, 2}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_DOUBLE_EQ(l(i, j), atteso[i - 1][j - 1]) << i << j;
    CMatrice prodotto = l * l.trasposta();
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_DOUBLE_EQ(prodotto(i, j), a(i, j));
    // Only the upper triangle is read.
    CMatrice sporca = a;
    sporca(2, 1) = 99.0;
    sporca(3, 1) = -7.0;
    sporca(3, 2) = 1e9;
    CMatrice l2;
    ASSERT_EQ(fattorizzaCholesky(sporca, l2), 0);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_DOUBLE_EQ(l2(i, j), l(i, j));
}

TEST(Matrice, CholeskyRefusesWhatIsNotPositiveDefinite) {
    CMatrice l;
    EXPECT_EQ(fattorizzaCholesky(Da(2, 2, {1, 2, 2, 1}), l), 1);
    // Rank one in floating point: the plain test may pass it, the relative tolerance does not.
    CMatrice quasi = Da(2, 2, {1, 1, 1, 1 + 1e-12});
    EXPECT_EQ(fattorizzaCholesky(quasi, l, 1e-10), 1);
    EXPECT_EQ(fattorizzaCholesky(CMatrice(), l), 0);
}

TEST(Matrice, SizesAssignmentAndProducts) {
    CMatrice a(2, 3, 1.5), b(3, 2, 0.0), vuota(0, 4);
    EXPECT_EQ(vuota.righe(), 0);
    EXPECT_EQ(vuota.colonne(), 0);
    b = a;
    EXPECT_EQ(b.righe(), 2);
    EXPECT_EQ(b.colonne(), 3);
    EXPECT_EQ(b(2, 3), 1.5);
    b = b;
    EXPECT_EQ(b(1, 1), 1.5);
    CMatrice c = Da(2, 2, {1, 2, 3, 4});
    CVettore v(2);
    const double vv[2] = {1, 1};
    v.copiaDa(vv);
    CVettore r = c * v;
    EXPECT_EQ(r(1), 3.0);
    EXPECT_EQ(r(2), 7.0);
    EXPECT_EQ(CVettore(0).dimensione(), 0);
    c.rilascia();
    EXPECT_EQ(c.righe(), 0);
}

}  // namespace
