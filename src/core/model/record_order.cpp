#include "core/model/record_order.h"

#include <numeric>
#include <utility>

std::vector<int> orderAfterStep(const std::vector<bool>& chosen, MoveStep step)
{
    const int count = static_cast<int>(chosen.size());
    std::vector<int> order(chosen.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<bool> moving = chosen;
    const auto swapAt = [&](int a, int b) {
        std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
        const bool kept = moving[static_cast<std::size_t>(a)];
        moving[static_cast<std::size_t>(a)] = moving[static_cast<std::size_t>(b)];
        moving[static_cast<std::size_t>(b)] = kept;
    };
    if (step == MoveStep::Up) {
        for (int i = 1; i < count; ++i)
            if (moving[static_cast<std::size_t>(i)] && !moving[static_cast<std::size_t>(i - 1)])
                swapAt(i, i - 1);
    } else {
        for (int i = count - 2; i >= 0; --i)
            if (moving[static_cast<std::size_t>(i)] && !moving[static_cast<std::size_t>(i + 1)])
                swapAt(i, i + 1);
    }
    return order;
}

std::vector<int> orderAfterDrop(const std::vector<bool>& chosen, int before)
{
    const int count = static_cast<int>(chosen.size());
    std::vector<int> rest;
    std::vector<int> moved;
    int insertAt = -1;
    for (int i = 0; i < count; ++i) {
        if (i >= before && insertAt < 0 && !chosen[static_cast<std::size_t>(i)])
            insertAt = static_cast<int>(rest.size());
        (chosen[static_cast<std::size_t>(i)] ? moved : rest).push_back(i);
    }
    if (insertAt < 0)
        insertAt = static_cast<int>(rest.size());
    rest.insert(rest.begin() + insertAt, moved.begin(), moved.end());
    return rest;
}

bool isOrderOf(std::span<const int> order, std::size_t count)
{
    if (order.size() != count)
        return false;
    std::vector<bool> seen(count, false);
    for (const int position : order) {
        if (position < 0 || static_cast<std::size_t>(position) >= count || seen[static_cast<std::size_t>(position)])
            return false;
        seen[static_cast<std::size_t>(position)] = true;
    }
    return true;
}
