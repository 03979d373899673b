#pragma once

#include <string>

#include "core/number_rules.h"
#include "core/party_table.h"

namespace mandati {

// A calculation is two passes over the party table, run one after the other:
//
//   votes column --AllocateQuotaSeats--> total, vote shares, quota, preliminary seats,
//                                        quota ratios, remainder queue
//   preliminary seats + remainder queue --DistributeRemainders--> final seats
//
// Both loop over the parties i = 1 .. PartyCount (see ForEachParty) and address row i-1.
// Errors of the number rules propagate; whatever a pass wrote before one stays written.

// The remainder queue's key for party `party_number` with the rounded remainder r8:
// NumberText(r8), a filler of blanks, then SignedNumberText(party number), so that the
// last three characters hold the party number right-aligned ("0.5   12", "0    1").
std::string RemainderKey(double r8, int party_number, const NumberSettings& settings);

// The allocation pass. Expects PartyCount >= 1 and a votes row of at least 1 for every
// party the loop visits. Writes TotalVotes, `total_text`, the vote shares, Quota, the
// preliminary seats, the quota ratios and the remainder queue.
void AllocateQuotaSeats(PartyTable& table, FormValues& values, std::string& total_text,
                        const NumberSettings& settings);

// The remainder pass. Carries the preliminary seats into the final seats, then hands the
// seats still left one each to the parties with the largest remainders, reading the queue
// from its last key upwards. When more seats are left than keys, it starts again from the
// last key, so every seat is filled. Surplus preliminary seats are never taken away.
void DistributeRemainders(PartyTable& table, const FormValues& values,
                          const NumberSettings& settings);

}  // namespace mandati
