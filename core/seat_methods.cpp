// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seat_methods.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/errors.h"

namespace mandati {

const DivisorRule& DivisorRuleOf(DivisorMethod method) {
  for (const DivisorRule& rule : kDivisorRules) {
    if (rule.method == method) return rule;
  }
  throw std::logic_error("no divisor method with this number");
}

namespace {

// A party's claim on its next seat.
struct Contender {
  Average average;
  std::int32_t party;
};

// Votes below 2^31 and divisors below 2^16 keep both products far inside 64 bits.
std::int64_t CrossProduct(const Average& a, const Average& b) {
  return std::int64_t{a.votes} * std::int64_t{b.divisor};
}

bool SameAverage(const Average& a, const Average& b) {
  return CrossProduct(a, b) == CrossProduct(b, a);
}

// The order in which seats are handed out.
bool ServedFirst(const Contender& a, const Contender& b) {
  return ServedBefore(a.average, a.party, b.average, b.party);
}

bool ServedAfter(const Contender& a, const Contender& b) { return ServedFirst(b, a); }

// `waiting` holds every party's claim on its next seat, after the last seat was handed out.
std::optional<DivisorTie> TieAtLastSeat(const std::vector<DivisorSeat>& awards,
                                        std::vector<Contender> waiting) {
  if (awards.empty()) return std::nullopt;
  DivisorTie tie{awards.back().average, {}, {}};
  std::sort(waiting.begin(), waiting.end(), ServedFirst);
  for (const Contender& contender : waiting) {
    if (SameAverage(contender.average, tie.average)) tie.passed_over.push_back(contender.party);
  }
  if (tie.passed_over.empty()) return std::nullopt;
  // The averages of the awards never rise, so the awards at the last average end the list.
  auto first = awards.end();
  while (first != awards.begin() && SameAverage(std::prev(first)->average, tie.average)) --first;
  for (auto award = first; award != awards.end(); ++award) tie.served.push_back(award->party);
  return tie;
}

}  // namespace

bool ServedBefore(const Average& a, std::int32_t party_a, const Average& b, std::int32_t party_b) {
  const std::int64_t left = CrossProduct(a, b);
  const std::int64_t right = CrossProduct(b, a);
  return left != right ? left > right : party_a > party_b;
}

void CheckDistrict(std::span<const std::int32_t> votes, std::int32_t seat_count) {
  if (votes.empty() || votes.size() > static_cast<std::size_t>(kMaxParties)) {
    throw CalculationLimitError(CalculationLimit::kPartyCount,
                                static_cast<std::int64_t>(votes.size()), seat_count,
                                std::to_string(votes.size()) + " parties: a district has 1 to " +
                                    std::to_string(kMaxParties));
  }
  for (const std::int32_t party_votes : votes) {
    if (party_votes < 1) {
      throw CalculationLimitError(
          CalculationLimit::kVotes, party_votes, seat_count,
          std::to_string(party_votes) + " votes: every party has at least 1 vote");
    }
  }
  if (seat_count < 0 || seat_count > kMaxSeats) {
    throw CalculationLimitError(
        CalculationLimit::kSeatCount, seat_count, seat_count,
        std::to_string(seat_count) + " seats: a district has 0 to " + std::to_string(kMaxSeats));
  }
}

DivisorAllocation AllocateByDivisors(DivisorMethod method, std::span<const std::int32_t> votes,
                                     std::int32_t seat_count) {
  const DivisorRule& rule = DivisorRuleOf(method);
  CheckDistrict(votes, seat_count);
  DivisorAllocation result;
  result.seats.assign(votes.size(), 0);
  result.awards.reserve(static_cast<std::size_t>(seat_count));
  // A heap whose top is the claim served next.
  std::vector<Contender> waiting;
  waiting.reserve(votes.size());
  for (std::size_t i = 0; i < votes.size(); ++i) {
    waiting.push_back({{votes[i], 1}, static_cast<std::int32_t>(i + 1)});
  }
  std::make_heap(waiting.begin(), waiting.end(), ServedAfter);
  for (std::int32_t seat = 1; seat <= seat_count; ++seat) {
    std::pop_heap(waiting.begin(), waiting.end(), ServedAfter);
    Contender& next = waiting.back();
    result.awards.push_back({seat, next.party, next.average});
    const std::int32_t won = ++result.seats[static_cast<std::size_t>(next.party - 1)];
    next.average.divisor = 1 + rule.step * won;
    std::push_heap(waiting.begin(), waiting.end(), ServedAfter);
  }
  result.tie = TieAtLastSeat(result.awards, std::move(waiting));
  return result;
}

void SweepSeatCounts(const FinalSeatsFor& final_seats, std::int32_t first, std::int32_t last,
                     const SweepRowSink& on_row) {
  if (first < 0 || last > kMaxSeats || first > last) {
    throw LimitError("a seat-count range runs upwards within 0 to " + std::to_string(kMaxSeats));
  }
  if (last - first >= kMaxSweepCounts) {
    throw LimitError("a seat-count range holds at most " + std::to_string(kMaxSweepCounts) +
                     " counts");
  }
  SweepRow before{first, final_seats(first)};
  on_row(before, {});
  std::vector<AlabamaParadox> paradoxes;
  for (std::int32_t seat_count = first + 1; seat_count <= last; ++seat_count) {
    SweepRow after{seat_count, final_seats(seat_count)};
    if (after.final_seats.size() != before.final_seats.size()) {
      throw std::logic_error("every seat count of a sweep has the same parties");
    }
    paradoxes.clear();
    for (std::size_t i = 0; i < after.final_seats.size(); ++i) {
      if (after.final_seats[i] < before.final_seats[i]) {
        paradoxes.push_back({static_cast<std::int32_t>(i + 1), seat_count - 1,
                             before.final_seats[i], after.final_seats[i]});
      }
    }
    on_row(after, paradoxes);
    before = std::move(after);
  }
}

SeatSweep SweepSeatCounts(const FinalSeatsFor& final_seats, std::int32_t first, std::int32_t last) {
  SeatSweep sweep;
  SweepSeatCounts(final_seats, first, last,
                  [&](const SweepRow& row, std::span<const AlabamaParadox> paradoxes) {
                    sweep.rows.push_back(row);
                    sweep.paradoxes.insert(sweep.paradoxes.end(), paradoxes.begin(),
                                           paradoxes.end());
                  });
  return sweep;
}

std::int64_t TotalOf(std::span<const std::int32_t> counts) {
  std::int64_t total = 0;
  for (const std::int32_t count : counts) total += count;
  return total;
}

std::vector<double> SharesInPercent(std::span<const std::int32_t> counts) {
  const std::int64_t total = TotalOf(counts);
  std::vector<double> shares;
  if (total == 0) return shares;
  for (const std::int32_t count : counts) {
    shares.push_back(100.0 * count / static_cast<double>(total));
  }
  return shares;
}

std::optional<Disproportionality> MeasureDisproportionality(std::span<const std::int32_t> votes,
                                                            std::span<const std::int32_t> seats) {
  if (seats.size() != votes.size()) {
    throw std::logic_error("one seat count per party");
  }
  if (std::any_of(seats.begin(), seats.end(), [](std::int32_t s) { return s < 0; })) {
    throw std::logic_error("no party has fewer than 0 seats");
  }
  if (std::any_of(votes.begin(), votes.end(), [](std::int32_t v) { return v < 1; })) {
    throw LimitError("every party has at least 1 vote");
  }
  const std::vector<double> vote_shares = SharesInPercent(votes);
  const std::vector<double> seat_shares = SharesInPercent(seats);
  if (seat_shares.empty()) return std::nullopt;
  double squares = 0;
  double differences = 0;
  for (std::size_t i = 0; i < votes.size(); ++i) {
    const double gap = vote_shares[i] - seat_shares[i];
    squares += gap * gap;
    differences += std::abs(gap);
  }
  return Disproportionality{std::sqrt(squares / 2), differences / 2};
}

}  // namespace mandati
