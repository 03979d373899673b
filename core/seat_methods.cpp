// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seat_methods.h"

#include <algorithm>
#include <cmath>
#include <memory>
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

// votes × scale / divisor against the other average: votes below 2^31, a scale of at most
// 10^3 (below 2^10) and divisors below 2^16 (2 × 32767 + 1, or a first divisor of at most
// 3 × 10^3) keep both products below 2^57, inside 64 bits.
std::int64_t CrossProduct(const Average& a, const Average& b) {
  return std::int64_t{a.votes} * a.scale * b.divisor;
}

bool SameAverage(const Average& a, const Average& b) {
  return CrossProduct(a, b) == CrossProduct(b, a);
}

// The order in which seats are handed out.
bool ServedBefore(TieRule rule, const Contender& a, const Contender& b) {
  return ServedBefore(rule, a.average, a.party, b.average, b.party);
}

// The hand-out of a divisor method, a seat at a time: each seat goes to the largest claim, so
// the seats after n awards are the allocation for n seats, and one more award gives the next.
// The rule's first divisor (D, 1 + step, 1 + 2 step, …) and tie rule hold for every seat.
class DivisorHandOut {
 public:
  DivisorHandOut(const DivisorRule& rule, std::span<const std::int32_t> votes, TieRule tie_rule,
                 const Decimal& first_divisor)
      : rule_(rule),
        first_divisor_(first_divisor),
        served_after_{tie_rule},
        seats_(votes.size(), 0) {
    waiting_.reserve(votes.size());
    for (std::size_t i = 0; i < votes.size(); ++i) {
      waiting_.push_back(
          {ClaimAverage(rule, first_divisor, votes[i], 0), static_cast<std::int32_t>(i + 1)});
    }
    std::make_heap(waiting_.begin(), waiting_.end(), served_after_);
  }

  // Awards the next seat; returns the claim it served.
  Contender AwardNext() {
    std::pop_heap(waiting_.begin(), waiting_.end(), served_after_);
    Contender& next = waiting_.back();
    const Contender served = next;
    const std::int32_t won = ++seats_[static_cast<std::size_t>(next.party - 1)];
    next.average = ClaimAverage(rule_, first_divisor_, next.average.votes, won);
    std::push_heap(waiting_.begin(), waiting_.end(), served_after_);
    ++awarded_;
    return served;
  }

  std::int32_t Awarded() const { return awarded_; }
  const std::vector<std::int32_t>& Seats() const { return seats_; }
  // Every party's claim on its next seat.
  const std::vector<Contender>& Waiting() const { return waiting_; }

 private:
  // The heap's order: its top is the claim served next.
  struct ServedAfter {
    TieRule rule;
    bool operator()(const Contender& a, const Contender& b) const {
      return ServedBefore(rule, b, a);
    }
  };

  const DivisorRule& rule_;
  Decimal first_divisor_;
  ServedAfter served_after_;
  std::vector<std::int32_t> seats_;  // per party
  std::vector<Contender> waiting_;
  std::int32_t awarded_ = 0;
};

// `waiting` holds every party's claim on its next seat, after the last seat was handed out.
std::optional<DivisorTie> TieAtLastSeat(TieRule rule, const std::vector<DivisorSeat>& awards,
                                        std::vector<Contender> waiting) {
  if (awards.empty()) return std::nullopt;
  DivisorTie tie{awards.back().average, {}, {}, TieRule::kOrder, {}};
  std::vector<Average> passed_over_averages;
  std::sort(waiting.begin(), waiting.end(),
            [rule](const Contender& a, const Contender& b) { return ServedBefore(rule, a, b); });
  for (const Contender& contender : waiting) {
    if (!SameAverage(contender.average, tie.average)) continue;
    if (tie.passed_over.empty()) {
      tie.decided_by = DecidingRule(rule, awards.back().average.votes, contender.average.votes);
    }
    tie.passed_over.push_back(contender.party);
    passed_over_averages.push_back(contender.average);
  }
  if (tie.passed_over.empty()) return std::nullopt;
  // The averages of the awards never rise, so the awards at the last average end the list.
  auto first = awards.end();
  while (first != awards.begin() && SameAverage(std::prev(first)->average, tie.average)) --first;
  for (auto award = first; award != awards.end(); ++award) {
    tie.served.push_back(award->party);
    tie.averages.push_back(award->average);
  }
  tie.averages.insert(tie.averages.end(), passed_over_averages.begin(), passed_over_averages.end());
  return tie;
}

// Raises RuleError for a first divisor out of its limits, std::logic_error for one that is not
// 1 under D'Hondt.
void CheckDivisorRules(DivisorMethod method, const Decimal& first_divisor) {
  CheckFirstDivisor(first_divisor);
  if (method != DivisorMethod::SainteLague && first_divisor != kPlainFirstDivisor) {
    throw std::logic_error("only Sainte-Laguë takes another first divisor");
  }
}

}  // namespace

bool ServedBefore(TieRule rule, const Average& a, std::int32_t party_a, const Average& b,
                  std::int32_t party_b) {
  const std::int64_t left = CrossProduct(a, b);
  const std::int64_t right = CrossProduct(b, a);
  return left != right ? left > right : ServedFirstInTie(rule, party_a, a.votes, party_b, b.votes);
}

Average ClaimAverage(const DivisorRule& rule, const Decimal& first_divisor, std::int32_t votes,
                     std::int32_t seats_won) {
  // The first divisor as written, units over 10^decimals: both fit 32 bits by its limits.
  if (seats_won == 0) {
    return {votes, static_cast<std::int32_t>(first_divisor.units),
            static_cast<std::int32_t>(PowerOfTen(first_divisor.decimals))};
  }
  return {votes, 1 + rule.step * seats_won, 1};
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
                                     std::int32_t seat_count, TieRule tie_rule,
                                     Decimal first_divisor) {
  const DivisorRule& rule = DivisorRuleOf(method);
  CheckDivisorRules(method, first_divisor);
  CheckDistrict(votes, seat_count);
  DivisorHandOut hand_out(rule, votes, tie_rule, first_divisor);
  DivisorAllocation result;
  result.awards.reserve(static_cast<std::size_t>(seat_count));
  for (std::int32_t seat = 1; seat <= seat_count; ++seat) {
    const Contender served = hand_out.AwardNext();
    result.awards.push_back({seat, served.party, served.average});
  }
  result.seats = hand_out.Seats();
  result.tie = TieAtLastSeat(tie_rule, result.awards, hand_out.Waiting());
  return result;
}

DivisorSeat ClaimForSeat(DivisorMethod method, std::span<const std::int32_t> votes,
                         std::int32_t seat, TieRule tie_rule, Decimal first_divisor) {
  CheckDivisorRules(method, first_divisor);
  CheckDistrict(votes, seat);
  if (seat < 1) throw std::logic_error("seats are counted from 1");
  DivisorHandOut hand_out(DivisorRuleOf(method), votes, tie_rule, first_divisor);
  while (hand_out.Awarded() < seat - 1) hand_out.AwardNext();
  const Contender served = hand_out.AwardNext();
  return {seat, served.party, served.average};
}

FinalSeatsFor DivisorSeatsUpwards(DivisorMethod method, std::span<const std::int32_t> votes,
                                  TieRule tie_rule, Decimal first_divisor) {
  CheckDivisorRules(method, first_divisor);
  const auto hand_out =
      std::make_shared<DivisorHandOut>(DivisorRuleOf(method), votes, tie_rule, first_divisor);
  return [votes, hand_out](std::int32_t seat_count) {
    CheckDistrict(votes, seat_count);
    if (seat_count < hand_out->Awarded()) {
      throw std::logic_error("a divisor hand-out only goes on to more seats");
    }
    while (hand_out->Awarded() < seat_count) hand_out->AwardNext();
    return hand_out->Seats();
  };
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
