#include "core/passes.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/quota_rules.h"

namespace mandati {

namespace {

std::size_t Index(int row) { return static_cast<std::size_t>(row); }

// The remainder text, the filler and the signed party number: the last three characters
// of a key hold the party number right-aligned.
std::string WithPartySuffix(std::string remainder_text, int party_number) {
  if (party_number < 10) {
    remainder_text += "   ";
  } else {
    remainder_text += party_number < 100 ? "  " : " ";
  }
  remainder_text += SignedNumberText(party_number);
  return remainder_text;
}

// Reads the party number from the last three characters of a remainder key.
int PartyRowOfKey(const std::string& key) {
  const std::string tail = key.size() >= 3 ? key.substr(key.size() - 3) : key;
  return PartyRow(LeadingNumber(tail));
}

// The key of a remainder rounded to 8 decimals through its text. Read back and written
// again as NumberText, "0.30030030" becomes "0.3003003": the same as dropping its trailing
// zeros, which is what this does whenever the rounded text has the plain form "0.…"/"1.…".
std::string KeyOfRemainder(double remainder, int party_number, const NumberSettings& settings) {
  std::string text = FixedText(remainder, 8, settings);
  const std::string_view separator = settings.decimal_separator;
  const bool plain = settings.leading_zero && text.size() == 1 + separator.size() + 8 &&
                     (text[0] == '0' || text[0] == '1') &&
                     std::string_view(text).substr(1, separator.size()) == separator;
  if (!plain) return RemainderKey(LocaleNumber(text, settings), party_number, settings);
  while (text.back() == '0') text.pop_back();
  if (text.size() == 1 + separator.size()) text.resize(1);
  return WithPartySuffix(std::move(text), party_number);
}

}  // namespace

std::string RemainderKey(double r8, int party_number, const NumberSettings& settings) {
  return WithPartySuffix(NumberText(r8, settings), party_number);
}

void AllocateQuotaSeats(PartyTable& table, FormValues& values, std::string& total_text,
                        const NumberSettings& settings) {
  // Each step below is its own loop over the parties, as a step's errors must leave the
  // earlier steps' writes complete. Nothing writes the votes or the preliminary seats
  // between the steps, so each party's votes are read once and its preliminary seats are
  // kept as the number their text was written from.
  std::vector<double> votes;
  std::vector<std::int16_t> preliminary;
  values.total_votes = 0;
  ForEachParty(values, [&](int row) {
    votes.push_back(LeadingNumber(table.VotesColumn().Row(row)));
    values.total_votes = ToInt32(values.total_votes + votes.back());
  });
  total_text = NumberText(values.total_votes, settings);
  ForEachParty(values, [&](int row) {
    const double share = Divide(votes[Index(row)] * 100, values.total_votes);
    table.VoteShareColumn().SetRow(row, FixedText(share, 2, settings));
  });
  values.quota = ComputeQuota(values);
  const double quota = *values.quota;
  ForEachParty(values, [&](int row) {
    const double ratio = Divide(votes[Index(row)], quota);
    preliminary.push_back(ToInt16(Floor(ratio)));
    table.PreliminarySeatsColumn().SetRow(row, NumberText(preliminary.back(), settings));
    table.QuotaRatioColumn().SetRow(row, FixedText(ratio, 3, settings));
  });
  table.RemainderQueue().Clear();
  ForEachParty(values, [&](int row) {
    const double remainder = Divide(votes[Index(row)], quota) - preliminary[Index(row)];
    table.RemainderQueue().Append(KeyOfRemainder(remainder, row + 1, settings));
  });
}

void DistributeRemainders(PartyTable& table, const FormValues& values,
                          const NumberSettings& settings) {
  double preliminary_total = 0;
  ForEachParty(values, [&](int row) {
    const std::string& preliminary = table.PreliminarySeatsColumn().Row(row);
    table.FinalSeatsColumn().SetRow(row, preliminary);
    preliminary_total += LeadingNumber(preliminary);
  });
  const int seats_left = ToInt16(values.seat_count.value_or(0.0) - preliminary_total);
  const TextColumn& queue = table.RemainderQueue();
  double cursor = values.party_count.value_or(0.0) - 1;
  for (int k = seats_left; k >= 1; --k) {
    // Past the first key the hand-out goes round again from the last one.
    if (ToInt16(cursor) < 0) cursor += queue.RowCount();
    const int party_row = PartyRowOfKey(queue.Row(ToInt16(cursor)));
    TextColumn& final_seats = table.FinalSeatsColumn();
    final_seats.SetRow(party_row,
                       NumberText(LeadingNumber(final_seats.Row(party_row)) + 1, settings));
    cursor -= 1;
  }
}

}  // namespace mandati
