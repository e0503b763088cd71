#include "dsp/SvfTuningTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Cell {
    int row, column;
    double value;
};

// Every fixed cell: the ones the cabinet reaches, and the known ends of rows 0 and 220.
const std::vector<Cell> kFixedCells = {
    {2, 0, 0.87344},
    {4, 0, 0.908888889},
    {5, 0, 0.966909091},
    {9, 0, 0.983947368},
    {10, 0, 0.98147619},
    {55, 0, 0.899837838},
    {60, 0, 0.89307438},
    {111, 0, 0.821201794},
    {121, 0, 0.810353909},
    {155, 2, 0.867800643},
    {169, 2, 0.854766962},
    {0, 0, 0.876},
    {0, 1, 0.978},
    {0, 2, 0.996},
    {220, 0, 0.678},
    {220, 1, 0.756545455},
    {220, 2, 0.819636364},
    {220, 3, 0.904545455},
    {220, 11, 0.98},
};

}  // namespace

TEST(SvfTuningTable, PassesExactlyThroughFixedCells)
{
    for (const Cell& cell : kFixedCells)
        EXPECT_EQ(svfTuningFactor(cell.row, cell.column), cell.value)
            << "row " << cell.row << ", column " << cell.column;
    for (int column = 3; column < kSvfTuningColumns; ++column)
        EXPECT_EQ(svfTuningFactor(0, column), 1.0) << "row 0, column " << column;
}

TEST(SvfTuningTable, StaysWithinRangeAndBetweenNeighbouringFixedCells)
{
    for (int row = 0; row < kSvfTuningRows; ++row)
        for (int column = 0; column < kSvfTuningColumns; ++column) {
            const double value = svfTuningFactor(row, column);
            EXPECT_GE(value, 0.678) << "row " << row << ", column " << column;
            EXPECT_LE(value, 1.0024) << "row " << row << ", column " << column;
        }

    // Between two fixed cells of a column the values run monotonically from one to the other.
    for (int column = 0; column < kSvfTuningColumns; ++column) {
        std::vector<Cell> anchors;
        for (const Cell& cell : kFixedCells)
            if (cell.column == column)
                anchors.push_back(cell);
        std::sort(anchors.begin(), anchors.end(), [](const Cell& a, const Cell& b) { return a.row < b.row; });
        for (std::size_t i = 0; i + 1 < anchors.size(); ++i) {
            const Cell& from = anchors[i];
            const Cell& to = anchors[i + 1];
            const double direction = to.value >= from.value ? 1.0 : -1.0;
            for (int row = from.row; row < to.row; ++row) {
                const double stepTaken
                    = direction * (svfTuningFactor(row + 1, column) - svfTuningFactor(row, column));
                EXPECT_GE(stepTaken, 0.0) << "column " << column << ", rows " << row << ".." << row + 1
                                          << " between fixed rows " << from.row << " and " << to.row;
            }
        }
    }
}

TEST(SvfTuningTable, SlopeChangesLittleFromRowToRow)
{
    // Away from the steep rise of column 0 below 300 Hz, the slope changes by little from
    // one 25 Hz row to the next; straight lines between the fixed cells would kink by up to
    // 4.6e-4 (column 0, row 55).
    for (int column = 0; column < kSvfTuningColumns; ++column)
        for (int row = column == 0 ? 12 : 1; row + 1 < kSvfTuningRows; ++row) {
            const double curvature = svfTuningFactor(row + 1, column) - 2.0 * svfTuningFactor(row, column)
                + svfTuningFactor(row - 1, column);
            EXPECT_LT(std::abs(curvature), 2e-4) << "row " << row << ", column " << column;
        }
}
