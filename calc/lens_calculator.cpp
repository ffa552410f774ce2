#include "lens_calculator.h"

#include <utility>

#include "relations.h"

std::u16string& CalcRow::Stored(Quantity q) {
    return const_cast<std::u16string&>(std::as_const(*this).Stored(q));
}

const std::u16string& CalcRow::Stored(Quantity q) const {
    switch (q) {
        case Quantity::F:
            return StoredF;
        case Quantity::L:
            return StoredL;
        case Quantity::H:
            return StoredH;
        case Quantity::V:
            break;
    }
    return StoredV;
}

const char16_t* FallbackText(Quantity q) {
    switch (q) {
        case Quantity::F:
            return u"4";
        case Quantity::L:
            return u"20";
        case Quantity::H:
            return u"24";
        case Quantity::V:
            break;
    }
    return u"18";
}

bool IsGroupingMark(const std::u16string& mark) {
    if (mark.size() != 1)
        return false;
    const char16_t c = mark[0];
    const bool digit = c >= u'0' && c <= u'9';
    return !digit && c != u'+' && c != u'-' && c != u'e' && c != u'E';
}

std::optional<std::u16string> RemoveIgnoredSep(const std::u16string& text,
                                               const std::u16string& separator) {
    if (!IsGroupingMark(separator) || text.find(separator[0]) == std::u16string::npos)
        return std::nullopt;
    const char16_t sep = separator[0];
    std::u16string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != sep) {
            kept += text[i];
        } else if (++i < text.size()) {
            kept += text[i];
        }
    }
    return kept;
}

namespace {

template <typename Relation, typename... Args>
std::optional<double> Apply(Relation relation, const std::optional<Args>&... args) {
    if ((args && ...))
        return relation(*args...);
    return std::nullopt;
}

// One evaluation of a box, appending its writes, so that a tick collects both rows in one list.
class RowEvaluation {
  public:
    RowEvaluation(LensCalculator& calc, int row, std::vector<BoxWrite>& writes)
        : calc(calc), row(row), stored(calc.rows[static_cast<std::size_t>(row)]), writes(writes) {}

    void Run(Quantity box, Evaluation kind, const std::u16string& boxText) {
        if (kind == Evaluation::Click || box != Quantity::L)
            stored.Mark = box;

        if (!IsNumericText(boxText, calc.format())) {
            if (kind == Evaluation::Leave) {
                writes.push_back({row, box, FallbackText(box)});
                // A distance box showing 20 while the row computes from an older distance would
                // mislead, and the tick may never evaluate L to catch up.
                if (box == Quantity::L)
                    stored.StoredL = FallbackText(Quantity::L);
            }
            return;
        }

        if (auto normalised = RemoveIgnoredSep(boxText, calc.IgnoredSep)) {
            writes.push_back({row, box, *normalised});
            stored.Stored(box) = std::move(*normalised);
        } else {
            stored.Stored(box) = boxText;
        }

        const double height = calc.SensorHeight;
        const auto focalFromV = [&] {
            return Apply([height](double l, double v) { return FocalFromV(l, v, height); },
                         Read(Quantity::L), Read(Quantity::V));
        };
        switch (box) {
            case Quantity::H:
                Derive(Quantity::V, Apply(VFromH, Read(Quantity::H)));
                Derive(Quantity::F, focalFromV());
                break;
            case Quantity::V:
                Derive(Quantity::H, Apply(HFromV, Read(Quantity::V)));
                Derive(Quantity::F, focalFromV());
                break;
            case Quantity::L:
                Derive(Quantity::F, focalFromV());
                break;
            case Quantity::F:
                Derive(Quantity::V,
                       Apply([height](double l, double f) { return VFromFocal(l, f, height); },
                             Read(Quantity::L), Read(Quantity::F)));
                // Reads the vertical dimension just stored, at full precision, not the shown one.
                Derive(Quantity::H, Apply(HFromV, Read(Quantity::V)));
                break;
        }
    }

  private:
    std::optional<double> Read(Quantity q) const {
        return ParseNumber(stored.Stored(q), calc.format());
    }

    void Derive(Quantity target, std::optional<double> value) {
        if (!value)
            return;
        stored.Stored(target) = NumberText(*value, calc.format());
        if (auto shown = DisplayText(*value, calc.format()))
            writes.push_back({row, target, std::move(*shown)});
    }

    LensCalculator& calc;
    int row;
    CalcRow& stored;
    std::vector<BoxWrite>& writes;
};

}  // namespace

LensCalculator::LensCalculator(NumberFormat format) : numberFormat(std::move(format)) {}

void LensCalculator::Load(const std::array<std::array<std::u16string, 4>, 2>& boxTexts) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r].StoredF = boxTexts[r][0];
        rows[r].StoredL = boxTexts[r][1];
        rows[r].StoredH = boxTexts[r][2];
        rows[r].StoredV = boxTexts[r][3];
        rows[r].Mark = Quantity::F;
    }
}

std::vector<BoxWrite> LensCalculator::Evaluate(int row, Quantity box, Evaluation kind,
                                               const std::u16string& boxText) {
    std::vector<BoxWrite> writes;
    if (row == 0 || row == 1)
        RowEvaluation(*this, row, writes).Run(box, kind, boxText);
    return writes;
}

std::vector<BoxWrite> LensCalculator::Tick(const std::u16string& row1MarkedText,
                                           const std::u16string& row2MarkedText) {
    std::vector<BoxWrite> writes;
    writes.reserve(6);
    RowEvaluation(*this, 0, writes).Run(rows[0].Mark, Evaluation::Click, row1MarkedText);
    RowEvaluation(*this, 1, writes).Run(rows[1].Mark, Evaluation::Click, row2MarkedText);
    return writes;
}
