#pragma once

#include <span>
#include <stdexcept>
#include <vector>

// Moving records within their list (plans in the plan list, TPs in their
// plan's slots). An order lists old positions: the record at order[i] goes to
// position i.

enum class MoveStep { Up, Down };

// Each chosen record moves one place up or down past its unchosen neighbour.
// A chosen record at the edge stays, and so does one behind a chosen record
// that stays; the others close up to it.
std::vector<int> orderAfterStep(const std::vector<bool>& chosen, MoveStep step);

// The chosen records, in their order, go just before the record at `before`
// (or to the end for the count); the others keep their order. A `before` that
// is itself chosen means the first unchosen record after it.
std::vector<int> orderAfterDrop(const std::vector<bool>& chosen, int before);

// Whether `order` names every position below `count` once.
bool isOrderOf(std::span<const int> order, std::size_t count);

// `records` in `order`; throws std::invalid_argument for an order that does
// not name every position once.
template <typename Record> std::vector<Record> reordered(std::span<const Record> records, std::span<const int> order)
{
    if (!isOrderOf(order, records.size()))
        throw std::invalid_argument("not an order of the records");
    std::vector<Record> moved;
    moved.reserve(records.size());
    for (const int position : order)
        moved.push_back(records[static_cast<std::size_t>(position)]);
    return moved;
}
