// The recalculation tick runs 20 times a second for the whole run; these measure one tick once
// the rows have settled, so nothing changes from one tick to the next.
#include <benchmark/benchmark.h>

#include "lens_calculator.h"

namespace {

// Ticks until the row texts stop changing, as the window would after the user stops typing.
std::array<std::array<std::u16string, 4>, 2> Settle(
    LensCalculator& calc, std::array<std::array<std::u16string, 4>, 2> boxes) {
    for (int i = 0; i < 3; ++i) {
        for (const BoxWrite& w : calc.Tick(boxes[0][static_cast<std::size_t>(calc.rows[0].Mark)],
                                           boxes[1][static_cast<std::size_t>(calc.rows[1].Mark)]))
            boxes[static_cast<std::size_t>(w.row)][static_cast<std::size_t>(w.box)] = w.text;
    }
    return boxes;
}

void Tick(benchmark::State& state, Quantity mark, const std::u16string& entered) {
    LensCalculator calc;
    calc.IgnoredSep = std::u16string(1, u'.');
    std::array<std::array<std::u16string, 4>, 2> boxes{
        {{u"4", u"20", u"16", u"12"}, {u"4", u"20", u"16", u"12"}}};
    calc.Load(boxes);
    for (CalcRow& row : calc.rows)
        row.Mark = mark;
    for (auto& row : boxes)
        row[static_cast<std::size_t>(mark)] = entered;
    boxes = Settle(calc, boxes);
    const std::u16string& row1 = boxes[0][static_cast<std::size_t>(mark)];
    const std::u16string& row2 = boxes[1][static_cast<std::size_t>(mark)];
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.Tick(row1, row2));
}

}  // namespace

BENCHMARK_CAPTURE(Tick, start_state, Quantity::F, u"4");
BENCHMARK_CAPTURE(Tick, focal_length_3_5, Quantity::F, u"3.5");
BENCHMARK_CAPTURE(Tick, vertical_20_57, Quantity::V, u"20.57");
