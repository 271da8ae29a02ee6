// Geometry: the answers of the running sums against plain walks over the
// sizes from the first row and column, zero sizes included.
#include "GridFixture.h"

#include <random>

#include "GridSizeLine.h"

namespace {

class GridGeometry : public GridFixture {};

// The walks, written out as the sizes are stepped through one by one.
struct Walk {
    std::vector<int> sizes;
    int fixed;

    int FixedSize() const {
        int sum = 0;
        for (int i = 0; i < fixed; ++i) sum += sizes[static_cast<size_t>(i)];
        return sum;
    }
    int First(int pos) const {
        int i = fixed, sum = 0;
        int last = static_cast<int>(sizes.size()) - 1;
        while (sum < pos && i < last) sum += sizes[static_cast<size_t>(i++)];
        return i;
    }
    // The start of index i with `first` the first scrolled index; -1 when scrolled off.
    int Start(int i, int first) const {
        if (i >= fixed && i < first) return -1;
        int x = 0;
        if (i < fixed) {
            for (int k = 0; k < i; ++k) x += sizes[static_cast<size_t>(k)];
        } else {
            x = FixedSize();
            for (int k = first; k < i; ++k) x += sizes[static_cast<size_t>(k)];
        }
        return x;
    }
    int Hit(int at, int first, bool allowFixed) const {
        int n = static_cast<int>(sizes.size());
        if (at < 0) return -1;
        int fixedSize = FixedSize();
        if (at < fixedSize) {
            if (!allowFixed) return -1;
            int i = 0, sum = 0;
            while (i < fixed) {
                sum += sizes[static_cast<size_t>(i)];
                if (at < sum) break;
                ++i;
            }
            return i;
        }
        int i = first, sum = fixedSize;
        while (i < n) {
            sum += sizes[static_cast<size_t>(i)];
            if (sum > at) break;
            ++i;
        }
        return i >= n ? -1 : i;
    }
    int LastShown(int first, int end) const {
        int last = first - 1, x = FixedSize();
        for (int i = first; i < static_cast<int>(sizes.size()) && x < end; ++i) {
            last = i;
            x += sizes[static_cast<size_t>(i)];
        }
        return last;
    }
};

std::vector<int> RandomSizes(std::mt19937& random, int count) {
    std::uniform_int_distribution<int> size(0, 40);
    std::vector<int> out;
    for (int i = 0; i < count; ++i) {
        int s = size(random);
        out.push_back(s < 12 ? 0 : s);  // many rows and columns hidden
    }
    return out;
}

}  // namespace

TEST_F(GridGeometry, RunningSumsAnswerAsTheWalks) {
    std::mt19937 random(20261210);
    struct Case {
        int rows, cols, fixedRows, fixedCols;
    } cases[] = {{60, 25, 1, 1}, {40, 8, 0, 0}, {80, 30, 3, 2}, {2, 2, 1, 1}};
    for (const Case& c : cases) {
        CGridCtrl grid(c.rows, c.cols, c.fixedRows, c.fixedCols);
        GridHost host(grid, 300, 200);
        Walk rows{RandomSizes(random, c.rows), c.fixedRows};
        Walk cols{RandomSizes(random, c.cols), c.fixedCols};
        for (int r = 0; r < c.rows; ++r) grid.SetRowHeight(r, rows.sizes[static_cast<size_t>(r)]);
        for (int k = 0; k < c.cols; ++k) grid.SetWidthOfColumn(k, cols.sizes[static_cast<size_t>(k)]);
        long long total = 0;
        for (int s : rows.sizes) total += s;
        EXPECT_EQ(grid.TotalHeight(), total);
        EXPECT_EQ(grid.HeaderRowsHeight(), rows.FixedSize());
        CRect client;
        grid.GetClientRect(&client);
        std::uniform_int_distribution<int> pos(0, 400);
        for (int trial = 0; trial < 12; ++trial) {
            grid.WriteScrollPos(SB_VERT, trial == 0 ? 0 : pos(random));
            grid.WriteScrollPos(SB_HORZ, trial == 0 ? 0 : pos(random));
            int vpos = grid.ReadScrollPos(SB_VERT), hpos = grid.ReadScrollPos(SB_HORZ);
            CCellID first = grid.FirstScrolledCell(TRUE);
            ASSERT_EQ(first, CCellID(rows.First(vpos), cols.First(hpos))) << vpos << " " << hpos;
            for (int r = 0; r < c.rows; ++r)
                for (int k = 0; k < c.cols; ++k) {
                    CPoint at;
                    BOOL ok = grid.CellTopLeft(r, k, &at);
                    int x = cols.Start(k, first.col), y = rows.Start(r, first.row);
                    ASSERT_EQ(ok != 0, x >= 0 && y >= 0) << r << "," << k;
                    if (ok) {
                        ASSERT_EQ(at, CPoint(x, y)) << r << "," << k;
                    }
                }
            for (int y = -2; y < client.bottom + 40; y += 3)
                for (int x = -2; x < client.right + 40; x += 7)
                    for (BOOL allowFixed : {FALSE, TRUE})
                        ASSERT_EQ(grid.HitTestCell(CPoint(x, y), allowFixed),
                                  CCellID(rows.Hit(y, first.row, allowFixed), cols.Hit(x, first.col, allowFixed)))
                            << x << "," << y << " " << allowFixed;
            CCellSpan shown = grid.ShownBodySpan();
            EXPECT_EQ(shown, CCellSpan(first.row, first.col, std::min(rows.LastShown(first.row, client.bottom), c.rows - 1),
                                       std::min(cols.LastShown(first.col, client.right), c.cols - 1)));
        }
    }
}

// The size line on its own: appends, removals at the end and in the middle,
// swaps and searches keep the sums those of the sizes.
TEST_F(GridGeometry, SizeLineKeepsItsSums) {
    std::mt19937 random(7);
    CGridSizeLine line;
    std::vector<int> plain;
    std::uniform_int_distribution<int> op(0, 5), size(0, 9);
    for (int step = 0; step < 2000; ++step) {
        int n = static_cast<int>(plain.size());
        int which = op(random);
        if (which <= 1 || n == 0) {
            int s = size(random);
            line.Insert(n, s);
            plain.push_back(s);
        } else if (which == 2) {
            int i = std::uniform_int_distribution<int>(0, n)(random), s = size(random);
            line.Insert(i, s);
            plain.insert(plain.begin() + i, s);
        } else if (which == 3) {
            int i = random() % 2 ? n - 1 : std::uniform_int_distribution<int>(0, n - 1)(random);
            line.Erase(i);
            plain.erase(plain.begin() + i);
        } else if (which == 4) {
            int a = std::uniform_int_distribution<int>(0, n - 1)(random), b = std::uniform_int_distribution<int>(0, n - 1)(random);
            line.Swap(a, b);
            std::swap(plain[static_cast<size_t>(a)], plain[static_cast<size_t>(b)]);
        } else {
            int grow = n + 3;
            line.Resize(grow, 4);
            plain.resize(static_cast<size_t>(grow), 4);
        }
        ASSERT_EQ(line.Count(), static_cast<int>(plain.size()));
        long long sum = 0;
        for (int i = 0; i <= line.Count(); ++i) {
            ASSERT_EQ(line.Prefix(i), sum) << step << " " << i;
            if (i < line.Count()) sum += plain[static_cast<size_t>(i)];
        }
        long long target = std::uniform_int_distribution<long long>(0, sum + 2)(random);
        int k = 0;
        long long run = 0;
        while (k < line.Count() && run < target) run += plain[static_cast<size_t>(k++)];
        ASSERT_EQ(line.LowerBound(target), run >= target ? k : line.Count() + 1) << step << " " << target;
    }
}

TEST_F(GridGeometry, SizesOutsideTheGrid) {
    CGridCtrl grid(3, 3);
    EXPECT_EQ(grid.GetColumnWidth(-1), -1);
    EXPECT_EQ(grid.GetRowHeight(3), -1);
    int before = grid.GetColumnWidth(1);
    EXPECT_FALSE(grid.SetWidthOfColumn(1, -1));
    EXPECT_EQ(grid.GetColumnWidth(1), before);
    EXPECT_FALSE(grid.SetRowHeight(3, 10));
    CRect rect;
    EXPECT_FALSE(grid.CellBounds(3, 0, &rect));
    EXPECT_EQ(grid.PointInCell(5, 5, CPoint(10, 10)), CPoint(0, 0));
    EXPECT_FALSE(grid.IsCellShown(0, 0));  // no window yet
}

TEST_F(GridGeometry, ZeroWidthColumnsAreNeitherShownNorHit) {
    CGridCtrl grid(3, 4, 1, 1);
    GridHost host(grid, 400, 100);
    for (int c = 0; c < 4; ++c) grid.SetWidthOfColumn(c, 50);
    grid.SetWidthOfColumn(2, 0);
    EXPECT_EQ(grid.HitTestCell(CPoint(120, 30)), CCellID(1, 3));  // column 2 takes no space
    EXPECT_EQ(grid.HitTestCell(CPoint(150, 30)).col, -1);        // right of the last column
    EXPECT_EQ(grid.HitTestCell(CPoint(20, 30)), CCellID(1, -1));  // fixed cells not allowed
    EXPECT_EQ(grid.HitTestCell(CPoint(20, 30), TRUE), CCellID(1, 0));
    CRect span;
    ASSERT_TRUE(grid.SpanBounds(CCellSpan(1, 1, 2, 3), &span));
    CRect last;
    grid.CellBounds(2, 3, &last);
    EXPECT_EQ(span.BottomRight(), last.BottomRight());
    EXPECT_EQ(grid.WholeSpan(), CCellSpan(0, 0, 2, 3));
}
