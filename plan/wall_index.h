#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry.h"

// A plan's walls grouped by where they lie, so that a question about one camera's surroundings
// meets only the walls near it rather than every wall of the site.
//
// The walls are bucketed in a uniform grid over their extent, with at most one cell per wall, so
// that its memory grows with the walls and not with the size
// of the site: a plan of a few rooms a kilometre from its origin, or walls from −1e6 m to +1e6 m,
// takes as little as any other. A wall across very many cells is kept apart, in a list every
// question checks, so that no wall takes more than a bounded share of the grid.
//
// A wall with a coordinate that is not finite meets no disc: it is left out.
class WallIndex {
  public:
    WallIndex() = default;  // no walls
    explicit WallIndex(std::vector<Segment> walls);

    // The walls as given, in their order.
    const std::vector<Segment>& Walls() const { return m_walls; }

    // The indices into Walls(), ascending, of exactly the walls that meet the disc: those with a
    // point within radiusM + kPlanToleranceM of the centre. None for a radius that is not a number
    // or below 0, or a centre that is not finite; an infinite radius meets every wall.
    std::vector<std::size_t> Within(Point centre, double radiusM) const;

    // Those walls themselves, in the plan's order.
    std::vector<Segment> WallsWithin(Point centre, double radiusM) const;

  private:
    // The wall listed in each cell it crosses; false, and listed in none, when it crosses too many.
    bool AddToCells(std::uint32_t wall, std::vector<std::vector<std::uint32_t>>& cells) const;
    // Each wall meeting the disc among these candidates (repeats allowed) added to `found`.
    void KeepMeeting(const std::vector<std::uint32_t>& candidates, Point centre, double reachM,
                     std::vector<std::size_t>& found) const;

    std::vector<Segment> m_walls;
    Point m_origin;  // the grid's lower-left corner
    // Cells per metre across and up: 0 where the walls have no extent that way (one column or row).
    double m_columnsPerM = 0;
    double m_rowsPerM = 0;
    std::size_t m_columns = 0;
    std::size_t m_rows = 0;
    // Cell (column, row) = index row * m_columns + column holds the walls
    // m_entries[m_starts[index] .. m_starts[index + 1]).
    std::vector<std::size_t> m_starts;
    std::vector<std::uint32_t> m_entries;
    std::vector<std::uint32_t> m_acrossMany;  // the walls kept apart, ascending
};
