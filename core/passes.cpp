// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/passes.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <utility>

#include "core/errors.h"
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

// The party's remainder text, NumberText of its remainder rounded to 8 decimals ("0", "1", or
// "0", the separator and the decimals without trailing zeros: the shortest text that reads
// back as the value), and its key, that text with the party suffix. The rounded remainder
// has at most 9 digits, so that text is the key's digits: ScaledText writes it from them.
void WriteRemainderTexts(int party_number, const NumberSettings& settings, PartyOutcome& party) {
  party.remainder_text = ScaledText(party.remainder_key, 8, settings);
  WriteKey(party.remainder_text, party_number, party.key);
}

// The rows of the queue in the order of the window's sorted column: the keys' text order.
// For remainder texts "0", "0<separator>digits" and "1" followed by the blank filler, that
// is the order of the rounded remainders, then of the party numbers: the blank sorts before
// the separator, and both before the digits, so a shorter remainder text sorts before a
// longer one that extends it, and trailing zeros never occur. The filler keeps the party
// number right-aligned, so party numbers up to 999, all the programs admit, sort as numbers.
void FillQueue(Calculation& calculation) {
  const auto& parties = calculation.parties;
  std::vector<int>& queue = calculation.queue;
  queue.resize(parties.size());
  for (std::size_t i = 0; i < queue.size(); ++i) queue[i] = static_cast<int>(i + 1);
  std::sort(queue.begin(), queue.end(), [&](int a, int b) {
    return TextLess(parties[Index(a - 1)].key, parties[Index(b - 1)].key);
  });
}

// The numbers of the allocation pass, step by step, for the parties whose votes
// `calculation` holds. Each step is its own loop over the parties, as a step's errors must
// leave the earlier steps complete; `texts` receives each number as soon as it is ready.
template <typename Texts>
void AllocateNumbers(Calculation& calculation, double seat_count, const NumberSettings& settings,
                     Texts& texts) {
  auto& parties = calculation.parties;
  calculation.total_votes = 0;
  for (const PartyOutcome& party : parties) {
    calculation.total_votes = ToInt32(calculation.total_votes + party.votes);
    texts.RunningTotal(calculation.total_votes);
  }
  texts.Total(calculation.total_votes);
  for (std::size_t i = 0; i < parties.size(); ++i) {
    PartyOutcome& party = parties[i];
    party.share = Divide(party.votes * 100, calculation.total_votes);
    party.share_text = VoteShareText(party.share, settings);
    texts.Share(static_cast<int>(i), party);
  }
  calculation.quota = ComputeQuota(FormValues{std::nullopt, seat_count, std::nullopt,
                                              calculation.method, calculation.total_votes});
  texts.Quota(calculation.quota);
  for (std::size_t i = 0; i < parties.size(); ++i) {
    PartyOutcome& party = parties[i];
    const QuotaRatio measured = MeasureInQuotas(party.votes, calculation.quota);
    party.ratio = measured.ratio;
    party.preliminary_seats = ToInt16(measured.full_quotas);
    party.ratio_text = FixedText(party.ratio, 3, settings);
    texts.Seats(static_cast<int>(i), party);
    party.remainder_key = RemainderKeyOf(measured.rest);
    party.exact_remainder =
        party.votes - static_cast<double>(party.preliminary_seats) * calculation.quota;
    WriteRemainderTexts(static_cast<int>(i) + 1, settings, party);
  }
  FillQueue(calculation);
  texts.Queue(calculation);
}

// The window's party table and form values, written as the allocation pass goes.
struct TableTexts {
  PartyTable& table;
  FormValues& values;
  std::string& total_text;
  const NumberSettings& settings;

  void RunningTotal(std::int32_t total) { values.total_votes = total; }
  void Total(std::int32_t total) { total_text = NumberText(total, settings); }
  void Share(int row, const PartyOutcome& party) {
    table.VoteShareColumn().SetRow(row, party.share_text);
  }
  void Quota(std::int32_t quota) { values.quota = quota; }
  void Seats(int row, const PartyOutcome& party) {
    table.PreliminarySeatsColumn().SetRow(row, NumberText(party.preliminary_seats, settings));
    table.QuotaRatioColumn().SetRow(row, party.ratio_text);
  }
  void Queue(const Calculation& calculation) {
    table.RemainderQueue().Clear();
    for (const int party : calculation.queue) {
      table.RemainderQueue().Append(calculation.parties[Index(party - 1)].key);
    }
  }
};

// A calculation from numbers shows its numbers nowhere as it goes.
struct NoTexts {
  void RunningTotal(std::int32_t) {}
  void Total(std::int32_t) {}
  void Share(int, const PartyOutcome&) {}
  void Quota(std::int32_t) {}
  void Seats(int, const PartyOutcome&) {}
  void Queue(const Calculation&) {}
};

}  // namespace

QuotaRatio MeasureInQuotas(double votes, std::int32_t quota) {
  QuotaRatio measured;
  measured.ratio = Divide(votes, quota);
  measured.full_quotas = Floor(measured.ratio);
  measured.rest = measured.ratio - measured.full_quotas;
  return measured;
}

std::int64_t RemainderKeyOf(double rest) { return ScaledRound(rest, 8); }

bool QueuedBefore(double a, int party_a, double b, int party_b) {
  return a != b ? a < b : party_a < party_b;
}

std::int32_t HandOutSeats(std::int32_t seats_left, std::int32_t keys, std::int32_t place) {
  return seats_left / keys + (place < seats_left % keys ? 1 : 0);
}

std::string RemainderKey(double r8, int party_number, const NumberSettings& settings) {
  std::string key;
  WriteKey(NumberText(r8, settings), party_number, key);
  return key;
}

Calculation AllocateQuotaSeats(PartyTable& table, FormValues& values, std::string& total_text,
                               const NumberSettings& settings) {
  Calculation calculation;
  calculation.method = values.quota_method;
  values.total_votes = 0;
  calculation.parties.reserve(static_cast<std::size_t>(table.VotesColumn().RowCount()));
  ForEachParty(values, [&](int row) {
    if (row + 1 > kMaxParties)
      throw OverflowError("party numbers beyond " + std::to_string(kMaxParties));
    calculation.parties.emplace_back().votes = LeadingNumber(table.VotesColumn().Row(row));
  });
  TableTexts texts{table, values, total_text, settings};
  AllocateNumbers(calculation, values.seat_count.value_or(0.0), settings, texts);
  return calculation;
}

namespace {

// The tie that the last, part-way round cut through, if it did.
std::vector<TieGroup> TiesAtTheCut(const Calculation& calculation) {
  const std::vector<int>& order = calculation.hand_out_order;
  const auto cut = static_cast<std::size_t>(calculation.last_round_seats);
  if (cut == 0 || !RankEqual(calculation, order[cut - 1], order[cut])) return {};
  const PartyOutcome& first = calculation.parties[Index(order[cut] - 1)];
  TieGroup tie{first.remainder_key, first.exact_remainder, {}, {}};
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (RankEqual(calculation, order[k], order[cut])) {
      (k < cut ? tie.served : tie.passed).push_back(order[k]);
    }
  }
  return {tie};
}

}  // namespace

namespace {

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

// The limits of a quota calculation, checked before it starts. Each refusal names the value
// that failed, the method and the seat count.
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

}  // namespace

void DistributeRemainders(PartyTable& table, const FormValues& values,
                          const NumberSettings& settings, Calculation& calculation) {
  auto& parties = calculation.parties;
  double preliminary_total = 0;
  ForEachParty(values, [&](int row) {
    if (Index(row) >= parties.size()) throw MissingRowError("no calculated party in this row");
    PartyOutcome& party = parties[Index(row)];
    party.final_seats = party.preliminary_seats;
    table.FinalSeatsColumn().SetRow(row, table.PreliminarySeatsColumn().Row(row));
    preliminary_total += party.preliminary_seats;
  });
  calculation.preliminary_total = static_cast<int>(preliminary_total);
  calculation.seats_left =
      std::max(0, int{ToInt16(values.seat_count.value_or(0.0) - preliminary_total)});
  // The hand-out starts at queue row PartyCount - 1.
  const int keys = static_cast<int>(calculation.queue.size());
  if (calculation.seats_left >= 1 &&
      (keys == 0 || ToInt16(values.party_count.value_or(0.0) - 1) >= keys)) {
    throw MissingRowError("no remainder key for a leftover seat");
  }
  HandOut(calculation);
  for (std::size_t i = 0; i < parties.size(); ++i) {
    if (parties[i].final_seats != parties[i].preliminary_seats) {
      table.FinalSeatsColumn().SetRow(static_cast<int>(i),
                                      NumberText(parties[i].final_seats, settings));
    }
  }
}

Calculation CalculateQuotaSeats(QuotaMethod method, std::span<const std::int32_t> votes,
                                std::int32_t seat_count, Ranking ranking) {
  CheckQuotaDistrict(method, votes, seat_count);
  Calculation calculation;
  calculation.method = method;
  calculation.parties.reserve(votes.size());
  for (const std::int32_t party_votes : votes)
    calculation.parties.emplace_back().votes = party_votes;
  NoTexts no_texts;
  AllocateNumbers(calculation, seat_count, NumberSettings{}, no_texts);
  if (ranking == Ranking::kExact) RankRemaindersExactly(calculation);
  for (PartyOutcome& party : calculation.parties) {
    party.final_seats = party.preliminary_seats;
    calculation.preliminary_total += party.preliminary_seats;
  }
  calculation.seats_left = std::max(0, seat_count - calculation.preliminary_total);
  HandOut(calculation);
  return calculation;
}

void RankRemaindersExactly(Calculation& calculation) {
  const auto& parties = calculation.parties;
  std::sort(calculation.queue.begin(), calculation.queue.end(), [&](int a, int b) {
    return QueuedBefore(parties[Index(a - 1)].exact_remainder, a,
                        parties[Index(b - 1)].exact_remainder, b);
  });
  calculation.ranked_exactly = true;
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
