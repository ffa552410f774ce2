#include "wall_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace {

// A wall across more cells than this is kept apart rather than listed in each: the grid then holds
// at most this many entries per wall.
constexpr std::size_t kMostCellsOfAWall = 64;
// How far, in cells, a wall's cells and a question's reach past what the arithmetic gives, so
// that rounding at a cell's edge never loses a wall.
constexpr double kCellSlack = 1e-6;

bool IsFinite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool IsFinite(const Segment& wall) {
    return IsFinite(wall.a) && IsFinite(wall.b);
}

// The cells from `from` to `to` (in cells, either may be out of the grid) that lie in a grid of
// `count`; first > last when none do.
std::pair<std::size_t, std::size_t> CellsBetween(double from, double to, std::size_t count) {
    const double first = std::floor(from - kCellSlack);
    const double last = std::floor(to + kCellSlack);
    if (!(last >= 0) || !(first < static_cast<double>(count)))
        return {1, 0};
    return {first <= 0 ? 0 : static_cast<std::size_t>(first),
            std::min(count - 1, static_cast<std::size_t>(last))};
}

// Columns and rows near square, at most `cells` of them in all, over a width and a height; one
// column or row along a side of no extent.
std::pair<std::size_t, std::size_t> GridShape(double width, double height, std::size_t cells) {
    const bool wide = width > 0 && std::isfinite(width);
    const bool high = height > 0 && std::isfinite(height);
    if (!wide || !high)
        return {wide ? cells : 1, high ? cells : 1};
    const double across = std::sqrt(static_cast<double>(cells) * width / height);
    const std::size_t columns =
        static_cast<std::size_t>(std::clamp(std::round(across), 1.0, static_cast<double>(cells)));
    return {columns, std::max<std::size_t>(1, cells / columns)};
}

double PerMetre(std::size_t cells, double extentM) {
    return extentM > 0 && std::isfinite(extentM) ? static_cast<double>(cells) / extentM : 0;
}

}  // namespace

WallIndex::WallIndex(std::vector<Segment> walls) : m_walls(std::move(walls)) {
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    std::size_t finite = 0;
    for (const Segment& wall : m_walls) {
        if (!IsFinite(wall))
            continue;
        ++finite;
        minX = std::min({minX, wall.a.x, wall.b.x});
        maxX = std::max({maxX, wall.a.x, wall.b.x});
        minY = std::min({minY, wall.a.y, wall.b.y});
        maxY = std::max({maxY, wall.a.y, wall.b.y});
    }
    if (finite == 0)
        return;
    m_origin = {minX, minY};
    std::tie(m_columns, m_rows) = GridShape(maxX - minX, maxY - minY, finite);
    m_columnsPerM = PerMetre(m_columns, maxX - minX);
    m_rowsPerM = PerMetre(m_rows, maxY - minY);

    std::vector<std::vector<std::uint32_t>> cells(m_columns * m_rows);
    for (std::size_t i = 0; i < m_walls.size(); ++i) {
        const auto wall = static_cast<std::uint32_t>(i);
        if (IsFinite(m_walls[i]) && !AddToCells(wall, cells))
            m_acrossMany.push_back(wall);
    }
    m_starts.reserve(cells.size() + 1);
    m_starts.push_back(0);
    for (const std::vector<std::uint32_t>& cell : cells) {
        m_entries.insert(m_entries.end(), cell.begin(), cell.end());
        m_starts.push_back(m_entries.size());
    }
}

bool WallIndex::AddToCells(std::uint32_t wall,
                           std::vector<std::vector<std::uint32_t>>& cells) const {
    // In cells from the grid's corner.
    const Segment& at = m_walls[wall];
    const Point a{(at.a.x - m_origin.x) * m_columnsPerM, (at.a.y - m_origin.y) * m_rowsPerM};
    const Point b{(at.b.x - m_origin.x) * m_columnsPerM, (at.b.y - m_origin.y) * m_rowsPerM};
    const auto [firstRow, lastRow] = CellsBetween(std::min(a.y, b.y), std::max(a.y, b.y), m_rows);
    // Row by row, the columns of the stretch of wall within the row.
    std::vector<std::pair<std::size_t, std::pair<std::size_t, std::size_t>>> rows;
    std::size_t count = 0;
    for (std::size_t row = firstRow; row <= lastRow; ++row) {
        double from = 0, to = 1;
        if (a.y != b.y) {
            from = std::clamp((static_cast<double>(row) - a.y) / (b.y - a.y), 0.0, 1.0);
            to = std::clamp((static_cast<double>(row + 1) - a.y) / (b.y - a.y), 0.0, 1.0);
        }
        const double x1 = a.x + from * (b.x - a.x), x2 = a.x + to * (b.x - a.x);
        const auto columns = CellsBetween(std::min(x1, x2), std::max(x1, x2), m_columns);
        if (columns.first > columns.second)
            continue;
        count += columns.second - columns.first + 1;
        if (count > kMostCellsOfAWall)
            return false;
        rows.push_back({row, columns});
    }
    for (const auto& [row, columns] : rows) {
        for (std::size_t column = columns.first; column <= columns.second; ++column)
            cells[row * m_columns + column].push_back(wall);
    }
    return true;
}

std::vector<std::size_t> WallIndex::Within(Point centre, double radiusM) const {
    std::vector<std::size_t> found;
    if (!(radiusM >= 0) || !IsFinite(centre))
        return found;
    const double reachM = radiusM + kPlanToleranceM;
    std::vector<std::uint32_t> candidates(m_acrossMany);
    if (!std::isfinite(reachM)) {
        for (std::size_t i = 0; i < m_walls.size(); ++i) {
            if (IsFinite(m_walls[i]))
                found.push_back(i);
        }
        return found;
    }
    if (m_columns == 0) {
        KeepMeeting(candidates, centre, reachM, found);
        return found;
    }
    const double left = (centre.x - reachM - m_origin.x) * m_columnsPerM;
    const double right = (centre.x + reachM - m_origin.x) * m_columnsPerM;
    const double bottom = (centre.y - reachM - m_origin.y) * m_rowsPerM;
    const double top = (centre.y + reachM - m_origin.y) * m_rowsPerM;
    const auto [firstColumn, lastColumn] = CellsBetween(left, right, m_columns);
    const auto [firstRow, lastRow] = CellsBetween(bottom, top, m_rows);
    for (std::size_t row = firstRow; row <= lastRow && firstColumn <= lastColumn; ++row) {
        const std::size_t from = m_starts[row * m_columns + firstColumn];
        const std::size_t to = m_starts[row * m_columns + lastColumn + 1];
        candidates.insert(candidates.end(), m_entries.begin() + static_cast<std::ptrdiff_t>(from),
                          m_entries.begin() + static_cast<std::ptrdiff_t>(to));
    }
    KeepMeeting(candidates, centre, reachM, found);
    return found;
}

void WallIndex::KeepMeeting(const std::vector<std::uint32_t>& candidates, Point centre,
                            double reachM, std::vector<std::size_t>& found) const {
    // Squared, without the root, but for the few walls whose distance is too near the reach to
    // tell that way.
    const double reach2 = reachM * reachM;
    const auto keep = [&](std::size_t wall) {
        const Segment& at = m_walls[wall];
        const Point along = at.b - at.a;
        const double length2 = Dot(along, along);
        const double t =
            length2 > 0 ? std::clamp(Dot(centre - at.a, along) / length2, 0.0, 1.0) : 0.0;
        const Point off = centre - (at.a + t * along);
        const double distance2 = Dot(off, off);
        if (distance2 < reach2 * (1 - 1e-9) || (!(distance2 > reach2 * (1 + 1e-9)) &&
                                                DistanceToSegment(centre, m_walls[wall]) <= reachM))
            found.push_back(wall);
    };
    // A question over much of the plan marks the walls it meets in one pass over them all; a
    // small one sorts its few candidates, so that its cost does not grow with the plan.
    if (candidates.size() * 8 >= m_walls.size()) {
        std::vector<char> met(m_walls.size(), 0);
        for (const std::uint32_t wall : candidates)
            met[wall] = 1;
        for (std::size_t wall = 0; wall < met.size(); ++wall) {
            if (met[wall])
                keep(wall);
        }
        return;
    }
    std::vector<std::uint32_t> sorted = candidates;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (const std::uint32_t wall : sorted)
        keep(wall);
}

std::vector<Segment> WallIndex::WallsWithin(Point centre, double radiusM) const {
    std::vector<Segment> walls;
    for (const std::size_t i : Within(centre, radiusM))
        walls.push_back(m_walls[i]);
    return walls;
}
