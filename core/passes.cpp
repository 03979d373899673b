// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/passes.h"

#include <algorithm>
#include <numeric>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>

#include "core/errors.h"
#include "core/exact_quotient.h"
#include "core/quota_rules.h"
#include "core/seat_methods.h"

namespace mandati {

namespace {

std::size_t Index(int row) { return static_cast<std::size_t>(row); }

// `key` becomes the remainder text, then a filler of blanks and SignedNumberText of the party
// number, which together are the party number right-aligned in five places ("    1", "   42",
// "  100").
void WriteKey(const std::string& remainder_text, int party_number, std::string& key) {
  const std::string party = SignedNumberText(party_number);
  const bool fits = party_number >= 1 && party_number <= kMaxParties;
  key = remainder_text;
  key.append(fits ? 5 - party.size() : 1, ' ');
  key += party;
}

// The remainder queue ascends: by the remainders as the calculation ranks them (keys, or
// exact remainders), and between equal ones the party the tie rule serves first stands lower
// down, since the hand-out starts at the last row. Ranked by keys under the party order, that
// is the order of the keys' texts in the window's sorted column: the remainder texts "0", "1"
// and "0<separator><decimals>" have one digit before the separator and no trailing zeros, and
// the blank filler sorts before the separator and the digits (for every separator that starts
// after the blank), so a shorter remainder text sorts before a longer one that extends it. The
// filler keeps the party number right-aligned, so party numbers up to 999, all the programs
// admit, sort as numbers. Exact remainders are compared as doubles: whole votes for the floored
// quotas, and for Hare-Niemeyer numerators below 2^31 over one S, whose gaps stay far above a
// double's rounding, so order and equality are the numerators'.
void RankQueue(Calculation& calculation) {
  const auto& parties = calculation.parties;
  std::vector<int>& queue = calculation.queue;
  queue.resize(parties.size());
  std::iota(queue.begin(), queue.end(), 1);
  const auto row = [&](int party) {
    const PartyOutcome& outcome = parties[Index(party - 1)];
    return QueueRow{calculation.ranked_exactly ? outcome.exact_remainder
                                               : static_cast<double>(outcome.remainder_key),
                    party, outcome.votes};
  };
  std::sort(queue.begin(), queue.end(),
            [&](int a, int b) { return QueuedBefore(calculation.tie_rule, row(a), row(b)); });
}

// The allocation pass of a floored quota on the parties whose votes `calculation` holds: the
// total, the vote shares, the quota, each party's full quotas and remainder.
void Allocate(Calculation& calculation, double seat_count) {
  auto& parties = calculation.parties;
  calculation.total_votes = 0;
  for (const PartyOutcome& party : parties) {
    calculation.total_votes = ToInt32(calculation.total_votes + party.votes);
  }
  calculation.quota = ComputeQuota(FormValues{std::nullopt, seat_count, std::nullopt,
                                              calculation.method, calculation.total_votes});
  calculation.exact_quota = {calculation.quota, 1};
  for (PartyOutcome& party : parties) {
    party.share = Divide(party.votes * 100, calculation.total_votes);
    const QuotaRatio measured = MeasureInQuotas(party.votes, calculation.quota);
    party.ratio = measured.ratio;
    party.preliminary_seats = ToInt16(measured.full_quotas);
    party.remainder_key = RemainderKeyOf(measured.rest);
    party.exact_remainder =
        party.votes - static_cast<double>(party.preliminary_seats) * calculation.quota;
    party.remainder_numerator = static_cast<std::int64_t>(party.exact_remainder);
  }
}

// The allocation pass of the district's quota: Hare-Niemeyer's exact one on whole seats, or a
// floored one on whole seats or the window's typed counts.
Calculation Allocated(const QuotaDistrict& district) {
  if (RuleOf(district.method).exact) {
    const auto* seats = std::get_if<std::int32_t>(&district.counts);
    if (seats == nullptr) throw std::logic_error("Hare-Niemeyer takes whole seats");
    return ExactQuotientNumbers(district.votes, *seats);
  }
  Calculation calculation;
  calculation.method = district.method;
  calculation.parties.reserve(district.votes.size());
  for (const std::int32_t votes : district.votes) calculation.parties.emplace_back().votes = votes;
  const auto* typed = std::get_if<TypedCounts>(&district.counts);
  Allocate(calculation,
           typed != nullptr ? typed->seat_count : std::get<std::int32_t>(district.counts));
  return calculation;
}

// The seat count less the preliminary seats, none when those reach it. The window's typed
// count rounds the difference to 16 bits (see TypedCounts); whole seats need no rounding.
int SeatsLeft(const std::variant<std::int32_t, TypedCounts>& counts, int preliminary_total) {
  if (const auto* typed = std::get_if<TypedCounts>(&counts)) {
    return std::max(0, int{ToInt16(typed->seat_count - preliminary_total)});
  }
  return std::max(0, std::get<std::int32_t>(counts) - preliminary_total);
}

// The hand-out of a leftover seat starts at the queue's last row, or for the window's typed
// party count at row ToInt16(party count - 1); that row must exist.
void CheckHandOutRow(const std::variant<std::int32_t, TypedCounts>& counts, std::size_t keys) {
  const int last = static_cast<int>(keys) - 1;
  const auto* typed = std::get_if<TypedCounts>(&counts);
  const int start = keys == 0 || typed == nullptr ? last : ToInt16(typed->party_count - 1);
  if (start < 0 || start > last) throw MissingRowError("no remainder key for a leftover seat");
}

// The tie that the last, part-way round cut through, if it did.
std::vector<TieGroup> TiesAtTheCut(const Calculation& calculation) {
  const std::vector<int>& order = calculation.hand_out_order;
  const auto cut = static_cast<std::size_t>(calculation.last_round_seats);
  if (cut == 0 || !RankEqual(calculation, order[cut - 1], order[cut])) return {};
  const PartyOutcome& first = calculation.parties[Index(order[cut] - 1)];
  TieGroup tie{first.remainder_key, first.exact_remainder, {}, {}, TieRule::kOrder};
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (RankEqual(calculation, order[k], order[cut])) {
      (k < cut ? tie.served : tie.passed).push_back(order[k]);
    }
  }
  tie.decided_by = DecidingRule(calculation.tie_rule,
                                calculation.parties[Index(order[cut - 1] - 1)].votes, first.votes);
  return {tie};
}

// The hand-out of the seats left, one each from the queue's last row upwards, round after
// round until none is left.
void HandOut(Calculation& calculation) {
  calculation.hand_out_order.assign(calculation.queue.rbegin(), calculation.queue.rend());
  if (calculation.seats_left < 1) return;
  const int keys = static_cast<int>(calculation.queue.size());
  calculation.full_rounds = calculation.seats_left / keys;
  calculation.last_round_seats = calculation.seats_left % keys;
  for (int k = 0; k < keys; ++k) {
    calculation.parties[Index(calculation.hand_out_order[Index(k)] - 1)].final_seats +=
        HandOutSeats(calculation.seats_left, keys, k);
  }
  calculation.ties = TiesAtTheCut(calculation);
}

}  // namespace

QuotaRatio MeasureInQuotas(double votes, std::int32_t quota) {
  QuotaRatio measured;
  measured.ratio = Divide(votes, quota);
  measured.full_quotas = Floor(measured.ratio);
  measured.rest = measured.ratio - measured.full_quotas;
  return measured;
}

std::int64_t RemainderKeyOf(double rest) { return ScaledRound(rest, 8); }

bool QueuedBefore(TieRule rule, const QueueRow& a, const QueueRow& b) {
  if (a.remainder != b.remainder) return a.remainder < b.remainder;
  return ServedFirstInTie(rule, b.party, b.votes, a.party, a.votes);
}

std::int32_t HandOutSeats(std::int32_t seats_left, std::int32_t keys, std::int32_t place) {
  return seats_left / keys + (place < seats_left % keys ? 1 : 0);
}

std::string RemainderText(std::int64_t remainder_key, const NumberSettings& settings) {
  return NumberText(static_cast<double>(remainder_key) / static_cast<double>(kKeyScale), settings);
}

std::string RemainderKey(std::int64_t remainder_key, int party_number,
                         const NumberSettings& settings) {
  std::string key;
  WriteKey(RemainderText(remainder_key, settings), party_number, key);
  return key;
}

void CheckQuotaDistrict(QuotaMethod method, std::span<const std::int32_t> votes,
                        std::int32_t seat_count) {
  CheckDistrict(votes, seat_count);
  const std::string where =
      std::string(QuotaName(method)) + " for " + std::to_string(seat_count) + " seats: ";
  const std::int64_t total = TotalOf(votes);
  if (total > kMaxVotes) {
    throw CalculationLimitError(CalculationLimit::kTotalVotes, total, seat_count,
                                where + "the total of votes " + std::to_string(total) +
                                    " is beyond " + std::to_string(kMaxVotes));
  }
  if (seat_count + RuleOf(method).seat_offset == 0) {
    throw CalculationLimitError(CalculationLimit::kNoQuotaDivisor, seat_count, seat_count,
                                where + "the quota divides by the seat count 0");
  }
  // An exact quotient V / S is never 0, and V_i x S / V full quotas are never more than S.
  if (RuleOf(method).exact) return;
  const std::int32_t quota = ComputeQuota(
      FormValues{std::nullopt, seat_count, std::nullopt, method, static_cast<std::int32_t>(total)});
  if (quota == 0) {
    throw CalculationLimitError(CalculationLimit::kQuotaZero, total, seat_count,
                                where + "the quota is 0 votes");
  }
  const std::int64_t most = *std::max_element(votes.begin(), votes.end()) / quota;
  if (most > kMaxSeats) {
    throw CalculationLimitError(CalculationLimit::kPreliminarySeats, most, seat_count,
                                where + "a party's full quotas, " + std::to_string(most) +
                                    ", are beyond " + std::to_string(kMaxSeats));
  }
}

Calculation CalculateQuotaSeats(const QuotaDistrict& district) {
  if (district.votes.size() > static_cast<std::size_t>(kMaxParties)) {
    throw OverflowError("party numbers beyond " + std::to_string(kMaxParties));
  }
  Calculation calculation = Allocated(district);
  calculation.tie_rule = district.tie_rule;
  calculation.ranked_exactly = district.ranking == Ranking::kExact || RuleOf(district.method).exact;
  RankQueue(calculation);
  for (PartyOutcome& party : calculation.parties) {
    party.final_seats = party.preliminary_seats;
    calculation.preliminary_total += party.preliminary_seats;
  }
  calculation.seats_left = SeatsLeft(district.counts, calculation.preliminary_total);
  if (calculation.seats_left >= 1) CheckHandOutRow(district.counts, calculation.queue.size());
  HandOut(calculation);
  return calculation;
}

void RankRemaindersExactly(Calculation& calculation) {
  calculation.ranked_exactly = true;
  RankQueue(calculation);
}

std::vector<KeyMerge> KeyMerges(const Calculation& calculation) {
  std::vector<KeyMerge> merges;
  if (calculation.ranked_exactly) return merges;
  const std::vector<int>& order = calculation.hand_out_order;
  const auto party = [&](std::size_t k) -> const PartyOutcome& {
    return calculation.parties[Index(order[k] - 1)];
  };
  // Neighbours in the hand-out order: any wrong order within a group of equal keys shows
  // between two of them.
  for (std::size_t k = 0; k + 1 < order.size(); ++k) {
    if (party(k).remainder_key == party(k + 1).remainder_key &&
        party(k).exact_remainder < party(k + 1).exact_remainder) {
      merges.push_back({order[k], order[k + 1], party(k).remainder_key, false});
    }
  }
  // A seat was decided wrongly when the last round served, within the group it cut, a party
  // with a smaller exact remainder than one it left out.
  const auto cut = static_cast<std::size_t>(calculation.last_round_seats);
  if (cut == 0 || cut >= order.size()) return merges;
  const std::int64_t key = party(cut).remainder_key;
  std::size_t smallest_served = cut;
  std::size_t largest_passed = cut;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (party(k).remainder_key != key) continue;
    if (k < cut && (smallest_served == cut ||
                    party(k).exact_remainder < party(smallest_served).exact_remainder)) {
      smallest_served = k;
    }
    if (k >= cut && party(k).exact_remainder > party(largest_passed).exact_remainder) {
      largest_passed = k;
    }
  }
  if (smallest_served != cut &&
      party(smallest_served).exact_remainder < party(largest_passed).exact_remainder) {
    const KeyMerge decided{order[smallest_served], order[largest_passed], key, true};
    const auto same = std::find_if(merges.begin(), merges.end(), [&](const KeyMerge& merge) {
      return merge.ahead == decided.ahead && merge.behind == decided.behind;
    });
    if (same == merges.end()) {
      merges.push_back(decided);
    } else {
      same->seat = true;
    }
  }
  return merges;
}

bool RankEqual(const Calculation& calculation, int a, int b) {
  const PartyOutcome& party_a = calculation.parties[Index(a - 1)];
  const PartyOutcome& party_b = calculation.parties[Index(b - 1)];
  return calculation.ranked_exactly ? party_a.exact_remainder == party_b.exact_remainder
                                    : party_a.remainder_key == party_b.remainder_key;
}

int HandOutRounds(const Calculation& calculation) {
  return calculation.full_rounds + (calculation.last_round_seats > 0 ? 1 : 0);
}

std::string VoteShareText(double share, const NumberSettings& settings) {
  return FixedText(share, 2, settings);
}

std::string QuotaRatioText(double ratio, const NumberSettings& settings) {
  return FixedText(ratio, 3, settings);
}

std::vector<SeatAward> SeatAwards(const Calculation& calculation) {
  std::vector<SeatAward> awards;
  const auto keys = static_cast<int>(calculation.hand_out_order.size());
  for (int k = 0; k < calculation.seats_left && keys > 0; ++k) {
    awards.push_back({calculation.preliminary_total + k + 1,
                      calculation.hand_out_order[Index(k % keys)], k / keys + 1});
  }
  return awards;
}

}  // namespace mandati
