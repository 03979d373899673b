// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/limits.h"

#include "core/party_table.h"
#include "core/quota_rules.h"
#include "core/seat_methods.h"
#include "format/messages.h"
#include "format/party_input.h"
#include "format/utf8.h"

namespace mandati::format {

std::string SeatCountRule() {
  return Tr("a whole number of seats from 1 to {1}", std::to_string(kMaxSeats));
}

std::string SeatRangeRule() {
  return Tr(
      "a range A..B of whole numbers of seats from 1 to {1}, with A < B and at most {2} "
      "seat counts",
      std::to_string(kMaxSeats), std::to_string(kMaxSweepCounts));
}

std::string VotesRule() {
  return Tr("a whole number of votes from 1 to {1}", std::to_string(kMaxVotes));
}

std::string NotA(std::string_view value, std::string_view rule) {
  return Tr("\"{1}\" is not {2}", Shown(value), rule);
}

std::string PartyCountLimit() {
  return Tr("more than {1} parties, the most that can be calculated", std::to_string(kMaxParties));
}

std::string LineCountLimit() {
  return Tr("more than {1} lines (blank ones included), the most that are read",
            std::to_string(kMaxLines));
}

std::string LineLengthLimit() { return Tr("longer than {1} bytes", std::to_string(kMaxLineBytes)); }

std::string CalculationLimitReason(Method method, const CalculationLimitError& error) {
  const std::string value = std::to_string(error.Value());
  switch (error.Limit()) {
    case CalculationLimit::kTotalVotes:
      return Tr("the total of votes, {1}, is beyond {2}, the most the calculator can add up", value,
                std::to_string(kMaxVotes));
    case CalculationLimit::kNoQuotaDivisor:
      return Tr("the quota {1} divides by 0, so there is no quota",
                QuotaRuleText(std::get<QuotaMethod>(method)));
    case CalculationLimit::kQuotaZero:
      return Tr(
          "the quota {1} = 0: too few votes for the seats, and no votes can be divided by "
          "a quota of 0",
          QuotaFormulaText(std::get<QuotaMethod>(method), static_cast<std::int32_t>(error.Value()),
                           error.SeatCount()));
    case CalculationLimit::kPreliminarySeats:
      return Tr("a party's full quotas, {1}, are beyond {2}, the most seats the calculator counts",
                value, std::to_string(kMaxSeats));
    case CalculationLimit::kPartyCount:
      return error.Value() > kMaxParties ? PartyCountLimit() : Tr("no parties");
    case CalculationLimit::kVotes:
      return NotA(value, VotesRule());
    case CalculationLimit::kSeatCount:
      return NotA(value, SeatCountRule());
    case CalculationLimit::kThreshold:
      break;
  }
  return error.what();
}

}  // namespace mandati::format
