#include "core/passes.h"

#include "core/errors.h"
#include "core/quota_rules.h"

namespace mandati {

namespace {

double Votes(const PartyTable& table, int row) {
  return LeadingNumber(table.VotesColumn().Row(row));
}

std::string Filler(int party_number) {
  if (party_number < 10) return "   ";
  if (party_number < 100) return "  ";
  return " ";
}

// Reads the party number from the last three characters of a remainder key.
int PartyRowOfKey(const std::string& key) {
  const std::string tail = key.size() >= 3 ? key.substr(key.size() - 3) : key;
  return PartyRow(LeadingNumber(tail));
}

}  // namespace

std::string RemainderKey(double r8, int party_number, const NumberSettings& settings) {
  return NumberText(r8, settings) + Filler(party_number) + SignedNumberText(party_number);
}

void AllocateQuotaSeats(PartyTable& table, FormValues& values, std::string& total_text,
                        const NumberSettings& settings) {
  values.total_votes = 0;
  ForEachParty(values, [&](int row) {
    values.total_votes = ToInt32(values.total_votes + Votes(table, row));
  });
  total_text = NumberText(values.total_votes, settings);
  ForEachParty(values, [&](int row) {
    const double share = Divide(Votes(table, row) * 100, values.total_votes);
    table.VoteShareColumn().SetRow(row, FixedText(share, 2, settings));
  });
  values.quota = ComputeQuota(values);
  const double quota = *values.quota;
  ForEachParty(values, [&](int row) {
    const double ratio = Divide(Votes(table, row), quota);
    table.PreliminarySeatsColumn().SetRow(row, NumberText(ToInt16(Floor(ratio)), settings));
    table.QuotaRatioColumn().SetRow(row, FixedText(ratio, 3, settings));
  });
  table.RemainderQueue().Clear();
  ForEachParty(values, [&](int row) {
    const double ratio = Divide(Votes(table, row), quota);
    const double remainder =
        ratio - LocaleNumber(table.PreliminarySeatsColumn().Row(row), settings);
    const double r8 = LocaleNumber(FixedText(remainder, 8, settings), settings);
    table.RemainderQueue().Append(RemainderKey(r8, row + 1, settings));
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
    final_seats.SetRow(party_row, NumberText(LeadingNumber(final_seats.Row(party_row)) + 1, settings));
    cursor -= 1;
  }
}

}  // namespace mandati
