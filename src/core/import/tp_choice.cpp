#include "core/import/tp_choice.h"

#include "core/import/tp_match.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>

namespace {

// Quadrants in the order they are covered: vertical, then horizontal, then
// any other polarization; within each, the bands from low to high.
int quadrantOf(const SateChannel& tp)
{
    constexpr int kBands = 3;
    const int polarization =
        holds(tp.polarization, Polarization::VertRight) ? 0 : (holds(tp.polarization, Polarization::HorizLeft) ? 1 : 2);
    return polarization * kBands + static_cast<int>(bandOf(tp));
}

std::uint32_t distance(std::uint32_t a, std::uint32_t b)
{
    return a > b ? a - b : b - a;
}

struct Quadrant {
    std::vector<std::size_t> open;      // candidates not taken yet
    std::vector<std::uint32_t> holding; // frequencies of the TPs it holds
    std::uint32_t middle = 0;           // the middle of its candidates' frequencies
};

// The best open candidate of `rank` for the quadrant, if it has one: the one
// farthest from what it holds, or nearest its middle while it holds none.
std::optional<std::size_t> pick(const Quadrant& quadrant, std::span<const TpCandidate> candidates, int rank)
{
    std::optional<std::size_t> best;
    std::uint64_t bestScore = 0;
    for (const std::size_t i : quadrant.open) {
        if (candidates[i].rank != rank)
            continue;
        const std::uint32_t frequency = candidates[i].tp.frequency;
        std::uint64_t score = 0;
        if (quadrant.holding.empty()) {
            score = std::numeric_limits<std::uint32_t>::max() - distance(frequency, quadrant.middle);
        } else {
            std::uint32_t nearest = std::numeric_limits<std::uint32_t>::max();
            for (const std::uint32_t held : quadrant.holding)
                nearest = std::min(nearest, distance(frequency, held));
            score = nearest;
        }
        const bool lower = best && score == bestScore && frequency < candidates[*best].tp.frequency;
        if (!best || score > bestScore || lower) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

int bestRank(const Quadrant& quadrant, std::span<const TpCandidate> candidates)
{
    int rank = std::numeric_limits<int>::max();
    for (const std::size_t i : quadrant.open)
        rank = std::min(rank, candidates[i].rank);
    return rank;
}

} // namespace

std::vector<bool> chooseTps(std::span<const TpCandidate> candidates, std::span<const SateChannel> held,
                            std::size_t room)
{
    std::vector<bool> taken(candidates.size(), candidates.size() <= room);
    if (candidates.size() <= room)
        return taken;
    std::map<int, Quadrant> quadrants;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        quadrants[quadrantOf(candidates[i].tp)].open.push_back(i);
    for (auto& [key, quadrant] : quadrants) {
        const auto [low, high] =
            std::minmax_element(quadrant.open.begin(), quadrant.open.end(), [&](std::size_t a, std::size_t b) {
                return candidates[a].tp.frequency < candidates[b].tp.frequency;
            });
        quadrant.middle = candidates[*low].tp.frequency / 2 + candidates[*high].tp.frequency / 2;
    }
    for (const SateChannel& tp : held)
        if (const auto found = quadrants.find(quadrantOf(tp)); found != quadrants.end())
            found->second.holding.push_back(tp.frequency);

    const auto take = [&](Quadrant& quadrant, std::size_t i) {
        taken[i] = true;
        quadrant.holding.push_back(candidates[i].tp.frequency);
        std::erase(quadrant.open, i);
        --room;
    };
    for (auto& [key, quadrant] : quadrants)
        if (room > 0 && quadrant.holding.empty())
            take(quadrant, *pick(quadrant, candidates, bestRank(quadrant, candidates)));

    std::vector<int> ranks;
    for (const TpCandidate& candidate : candidates)
        ranks.push_back(candidate.rank);
    std::sort(ranks.begin(), ranks.end());
    ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
    for (const int rank : ranks) {
        for (bool any = true; room > 0 && any;) {
            any = false;
            for (auto& [key, quadrant] : quadrants) {
                if (room == 0)
                    break;
                if (const auto i = pick(quadrant, candidates, rank)) {
                    take(quadrant, *i);
                    any = true;
                }
            }
        }
    }
    return taken;
}
