// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/passes.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/errors.h"
#include "core/quota_rules.h"

namespace mandati {

namespace {

std::size_t Index(int row) { return static_cast<std::size_t>(row); }

char* Put(std::string_view part, char* out) {
  for (const char c : part) *out++ = c;
  return out;
}

// `key` becomes the remainder text, then a filler of blanks and SignedNumberText of the party
// number, which together are the party number right-aligned in five places ("    1", "   42",
// "  100").
void WriteKey(const std::string& remainder_text, int party_number, std::string& key) {
  if (party_number < 1 || party_number > kMaxParties) {
    key = remainder_text + " " + SignedNumberText(party_number);
    return;
  }
  key.assign(remainder_text.size() + 5, ' ');
  Put(remainder_text, key.data());
  for (std::size_t end = key.size(); party_number > 0; party_number /= 10) {
    key[--end] = static_cast<char>('0' + party_number % 10);
  }
}

// The party's remainder text, NumberText of its remainder rounded to 8 decimals ("0", "1", or
// "0", the separator and the decimals without trailing zeros: the shortest text that reads
// back as the value), and its key, that text with the party suffix. For a remainder between
// 0 and 1 the key is written first and the remainder text is its front.
void WriteRemainderTexts(int party_number, const NumberSettings& settings, PartyOutcome& party) {
  const std::int64_t rounded = party.remainder_key;
  if (rounded <= 0 || rounded >= kKeyScale || party_number < 1 || party_number > kMaxParties) {
    party.remainder_text = NumberText(static_cast<double>(rounded) / kKeyScale, settings);
    WriteKey(party.remainder_text, party_number, party.key);
    return;
  }
  char written[8];  // the eight decimals, with zeros in front
  auto rest = static_cast<std::uint32_t>(rounded);
  for (std::size_t i = sizeof written; i > 0; --i, rest /= 10) {
    written[i - 1] = static_cast<char>('0' + rest % 10);
  }
  const std::string_view decimals(written, sizeof written);
  const std::string_view separator = settings.decimal_separator;
  const std::size_t length = 1 + separator.size() + decimals.find_last_not_of('0') + 1;
  std::string& key = party.key;
  key.assign(length + 5, ' ');
  key[0] = '0';
  Put(decimals.substr(0, length - 1 - separator.size()), Put(separator, key.data() + 1));
  for (std::size_t end = key.size(); party_number > 0; party_number /= 10) {
    key[--end] = static_cast<char>('0' + party_number % 10);
  }
  party.remainder_text.assign(key.data(), length);
}

// The rows of the queue as the pass fills it: by rounded remainder, then by party number,
// sorted as one whole number per party, rounded remainder x 1000 + party number (the rounded
// remainder of x - Floor(x) runs from 0 to kKeyScale, party numbers stop at 999). For remainder
// texts "0", "0<separator>digits" and "1" followed by the blank filler, the text order of the keys
// is this same order: the blank sorts before the separator, and both before the digits, so a
// shorter remainder text sorts before a longer one that extends it, and trailing zeros never occur.
// The filler keeps the party number right-aligned in three places, so party numbers up to 999, all
// the programs admit, sort as numbers.
void FillQueue(PartyTable& table, Calculation& calculation) {
  const auto& parties = calculation.parties;
  std::vector<std::int64_t> ranks(parties.size());
  for (std::size_t i = 0; i < ranks.size(); ++i) {
    ranks[i] = parties[i].remainder_key * 1000 + static_cast<std::int64_t>(i + 1);
  }
  std::sort(ranks.begin(), ranks.end());
  std::vector<int>& queue = calculation.queue;
  queue.resize(ranks.size());
  table.RemainderQueue().Clear();
  for (std::size_t i = 0; i < ranks.size(); ++i) {
    queue[i] = static_cast<int>(ranks[i] % 1000);
    table.RemainderQueue().Append(parties[Index(queue[i] - 1)].key);
  }
}

}  // namespace

std::string RemainderKey(double r8, int party_number, const NumberSettings& settings) {
  std::string key;
  WriteKey(NumberText(r8, settings), party_number, key);
  return key;
}

Calculation AllocateQuotaSeats(PartyTable& table, FormValues& values, std::string& total_text,
                               const NumberSettings& settings) {
  // Each step below is its own loop over the parties, as a step's errors must leave the
  // earlier steps' writes complete. Nothing writes the votes between the steps, so each
  // party's votes are read once.
  Calculation calculation;
  auto& parties = calculation.parties;
  calculation.method = values.quota_method;
  parties.reserve(static_cast<std::size_t>(
      std::clamp(values.party_count.value_or(0.0), 0.0, double{kMaxParties})));
  values.total_votes = 0;
  ForEachParty(values, [&](int row) {
    if (row + 1 > kMaxParties) throw OverflowError("party numbers beyond 999");
    parties.emplace_back().votes = LeadingNumber(table.VotesColumn().Row(row));
    values.total_votes = ToInt32(values.total_votes + parties.back().votes);
  });
  calculation.total_votes = values.total_votes;
  total_text = NumberText(values.total_votes, settings);
  ForEachParty(values, [&](int row) {
    PartyOutcome& party = parties[Index(row)];
    party.share = Divide(party.votes * 100, values.total_votes);
    party.share_text = FixedText(party.share, 2, settings);
    table.VoteShareColumn().SetRow(row, party.share_text);
  });
  values.quota = ComputeQuota(values);
  calculation.quota = *values.quota;
  // The remainders and keys are worked out in the same loop as the seats: they write nothing
  // to the table before the queue is filled, after the loop.
  ForEachParty(values, [&](int row) {
    PartyOutcome& party = parties[Index(row)];
    party.ratio = Divide(party.votes, calculation.quota);
    party.preliminary_seats = ToInt16(Floor(party.ratio));
    party.ratio_text = FixedText(party.ratio, 3, settings);
    table.PreliminarySeatsColumn().SetRow(row, NumberText(party.preliminary_seats, settings));
    table.QuotaRatioColumn().SetRow(row, party.ratio_text);
    party.remainder_key = ScaledRound(party.ratio - party.preliminary_seats, 8);
    party.exact_remainder =
        party.votes - static_cast<double>(party.preliminary_seats) * calculation.quota;
    WriteRemainderTexts(row + 1, settings, party);
  });
  FillQueue(table, calculation);
  return calculation;
}

namespace {

bool EqualRank(const Calculation& calculation, const PartyOutcome& a, const PartyOutcome& b) {
  return calculation.ranked_exactly ? a.exact_remainder == b.exact_remainder
                                    : a.remainder_key == b.remainder_key;
}

// The tie that the last, part-way round cut through, if it did.
std::vector<TieGroup> TiesAtTheCut(const Calculation& calculation) {
  const std::vector<int>& order = calculation.hand_out_order;
  const auto cut = static_cast<std::size_t>(calculation.last_round_seats);
  const auto party = [&](std::size_t k) -> const PartyOutcome& {
    return calculation.parties[Index(order[k] - 1)];
  };
  if (cut == 0 || !EqualRank(calculation, party(cut - 1), party(cut))) return {};
  TieGroup tie{party(cut).remainder_key, party(cut).exact_remainder, {}, {}};
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (EqualRank(calculation, party(k), party(cut))) {
      (k < cut ? tie.served : tie.passed).push_back(order[k]);
    }
  }
  return {tie};
}

}  // namespace

void DistributeRemainders(PartyTable& table, const FormValues& values,
                          const NumberSettings& settings, Calculation& calculation) {
  auto& parties = calculation.parties;
  const auto party_at = [&](int row) -> PartyOutcome& {
    if (Index(row) >= parties.size()) throw MissingRowError("no calculated party in this row");
    return parties[Index(row)];
  };
  double preliminary_total = 0;
  ForEachParty(values, [&](int row) {
    PartyOutcome& party = party_at(row);
    party.final_seats = party.preliminary_seats;
    table.FinalSeatsColumn().SetRow(row, table.PreliminarySeatsColumn().Row(row));
    preliminary_total += party.preliminary_seats;
  });
  calculation.preliminary_total = static_cast<int>(preliminary_total);
  calculation.seats_left = ToInt16(values.seat_count.value_or(0.0) - preliminary_total);
  calculation.hand_out_order.assign(calculation.queue.rbegin(), calculation.queue.rend());
  if (calculation.seats_left < 1) return;
  const int keys = static_cast<int>(calculation.queue.size());
  // The hand-out starts at queue row PartyCount - 1.
  if (keys == 0 || ToInt16(values.party_count.value_or(0.0) - 1) >= keys) {
    throw MissingRowError("no remainder key for a leftover seat");
  }
  calculation.full_rounds = calculation.seats_left / keys;
  calculation.last_round_seats = calculation.seats_left % keys;
  for (int k = 0; k < keys; ++k) {
    const int party = calculation.hand_out_order[Index(k)];
    const int seats = calculation.full_rounds + (k < calculation.last_round_seats ? 1 : 0);
    if (seats == 0) continue;
    PartyOutcome& outcome = party_at(party - 1);
    outcome.final_seats += seats;
    table.FinalSeatsColumn().SetRow(party - 1, NumberText(outcome.final_seats, settings));
  }
  calculation.ties = TiesAtTheCut(calculation);
}

void RankRemaindersExactly(Calculation& calculation) {
  const auto& parties = calculation.parties;
  std::sort(calculation.queue.begin(), calculation.queue.end(), [&](int a, int b) {
    const double ra = parties[Index(a - 1)].exact_remainder;
    const double rb = parties[Index(b - 1)].exact_remainder;
    return ra != rb ? ra < rb : a < b;
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
