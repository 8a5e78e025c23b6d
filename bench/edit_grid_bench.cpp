#include "editors/grid/edit_grid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {
constexpr qint32 kRows = 2000;

// A shown grid as a host sets one up, with room for the rows.
std::unique_ptr<ctlEditGrid> SetUpGrid()
{
    auto g = std::make_unique<ctlEditGrid>();
    g->Move(0, 0, 6000, 6000);
    g->LetRows(kRows + 1);
    g->SetColFormat(QStringLiteral(",,"));
    g->LetCols(3);
    g->LetFixedCols(0);
    g->LetColWidth(0, 800);
    g->LetColWidth(1, 2400);
    g->LetColWidth(2, 2400);
    g->Setup();
    g->LetFixedRows(1);
    g->SetCellCtl(1, kCellText);
    g->show();
    QApplication::processEvents();
    return g;
}

void Fill(ctlEditGrid& g)
{
    for (qint32 r = 1; r <= kRows; ++r) {
        g.LetTextMatrix(r, 0, QString::number(r));
        g.LetTextMatrix(r, 1, QStringLiteral("Key %1").arg(r));
        g.LetTextMatrix(r, 2, QStringLiteral("Value of row %1").arg(r));
    }
}

// Set-up and every cell of 2,000 rows written, then painted once.
void EditGridFill2000Rows(benchmark::State& state)
{
    for (auto _ : state) {
        auto g = SetUpGrid();
        Fill(*g);
        g->ctlGrid.viewport()->repaint();
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(EditGridFill2000Rows)->Unit(benchmark::kMillisecond);

// One page down through the filled grid, painted.
void EditGridScrollPage(benchmark::State& state)
{
    auto g = SetUpGrid();
    Fill(*g);
    qint32 top = 1;
    for (auto _ : state) {
        top = top + 20 > kRows - 20 ? 1 : top + 20;
        g->LetTopRow(top);
        g->ctlGrid.viewport()->repaint();
    }
}
BENCHMARK(EditGridScrollPage)->Unit(benchmark::kMicrosecond);

} // namespace
