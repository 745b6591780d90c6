// exact_cover.cpp: dancing links on flat arrays.
#include "bench/exact_cover.h"

namespace {

struct Links {
    std::vector<int> left, right, up, down, column, rowOf;
    std::vector<int> size;  // per column header
    std::vector<int> rowSlot, rowPlacement;
    int root = 0;

    int addNode(int col, int row)
    {
        const int n = int(left.size());
        left.push_back(n);
        right.push_back(n);
        up.push_back(up[size_t(col)]);
        down.push_back(col);
        down[size_t(up[size_t(col)])] = n;
        up[size_t(col)] = n;
        column.push_back(col);
        rowOf.push_back(row);
        size[size_t(col)]++;
        return n;
    }

    void cover(int c)
    {
        right[size_t(left[size_t(c)])] = right[size_t(c)];
        left[size_t(right[size_t(c)])] = left[size_t(c)];
        for (int i = down[size_t(c)]; i != c; i = down[size_t(i)])
            for (int j = right[size_t(i)]; j != i; j = right[size_t(j)]) {
                up[size_t(down[size_t(j)])] = up[size_t(j)];
                down[size_t(up[size_t(j)])] = down[size_t(j)];
                size[size_t(column[size_t(j)])]--;
            }
    }

    void uncover(int c)
    {
        for (int i = up[size_t(c)]; i != c; i = up[size_t(i)])
            for (int j = left[size_t(i)]; j != i; j = left[size_t(j)]) {
                size[size_t(column[size_t(j)])]++;
                up[size_t(down[size_t(j)])] = j;
                down[size_t(up[size_t(j)])] = j;
            }
        right[size_t(left[size_t(c)])] = c;
        left[size_t(right[size_t(c)])] = c;
    }
};

struct Solver {
    Links& links;
    const SolverPuzzle& puzzle;
    const CoverFn& onSolution;
    std::vector<int> taken;
    ExactCoverResult result = {0, 0};

    void search()
    {
        Links& l = links;
        if (l.right[0] == 0) {
            result.solutions++;
            if (onSolution) {
                std::vector<int> placementOfSlot(size_t(puzzle.slotCount), -1);
                for (int row : taken)
                    placementOfSlot[size_t(l.rowSlot[size_t(row)])] = l.rowPlacement[size_t(row)];
                onSolution(placementOfSlot);
            }
            return;
        }
        int best = l.right[0];
        for (int c = l.right[0]; c != 0; c = l.right[size_t(c)])
            if (l.size[size_t(c)] < l.size[size_t(best)]) best = c;
        if (l.size[size_t(best)] == 0) return;
        l.cover(best);
        for (int r = l.down[size_t(best)]; r != best; r = l.down[size_t(r)]) {
            result.nodes++;
            taken.push_back(l.rowOf[size_t(r)]);
            for (int j = l.right[size_t(r)]; j != r; j = l.right[size_t(j)]) l.cover(l.column[size_t(j)]);
            search();
            for (int j = l.left[size_t(r)]; j != r; j = l.left[size_t(j)]) l.uncover(l.column[size_t(j)]);
            taken.pop_back();
        }
        l.uncover(best);
    }
};

}  // namespace

ExactCoverResult solveExactCover(const SolverPuzzle& puzzle, int fixedSlot, int fixedPlacement,
                                 const CoverFn& onSolution)
{
    const int cells = boxCellTotal(puzzle.box);
    const int columns = puzzle.slotCount + cells;
    Links l;
    // Node 0 is the root; nodes 1..columns the column headers: slots first, then cells.
    for (int c = 0; c <= columns; c++) {
        l.left.push_back(c == 0 ? columns : c - 1);
        l.right.push_back(c == columns ? 0 : c + 1);
        l.up.push_back(c);
        l.down.push_back(c);
        l.column.push_back(c);
        l.rowOf.push_back(-1);
        l.size.push_back(0);
    }
    for (int s = 0; s < puzzle.slotCount; s++) {
        for (size_t p = 0; p < puzzle.placements[s].size(); p++) {
            if (s == fixedSlot && int(p) != fixedPlacement) continue;
            const int row = int(l.rowSlot.size());
            l.rowSlot.push_back(s);
            l.rowPlacement.push_back(int(p));
            const int first = l.addNode(1 + s, row);
            uint64_t mask = puzzle.placements[s][p].mask;
            while (mask) {
                const int bit = __builtin_ctzll(mask);
                mask &= mask - 1;
                const int n = l.addNode(1 + puzzle.slotCount + bit, row);
                l.right[size_t(n)] = first;
                l.left[size_t(n)] = l.left[size_t(first)];
                l.right[size_t(l.left[size_t(first)])] = n;
                l.left[size_t(first)] = n;
            }
        }
    }
    Solver solver = {l, puzzle, onSolution, {}, {0, 0}};
    solver.search();
    return solver.result;
}
