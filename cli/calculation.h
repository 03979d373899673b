#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/party_input.h"
#include "core/party_table.h"

namespace mandati::cli {

struct District {
  std::int16_t seats = 0;
  std::vector<Party> parties;  // party i at index i - 1
};

// The window's five figures of one party, as the core's passes write them.
struct PartyFigures {
  std::string preliminary_seats;
  std::string final_seats;
  std::string quota_ratio;  // 3 decimals
  std::string vote_share;   // percent, 2 decimals
};

// One key of the remainder queue: the party and its remainder rounded to 8 decimals.
struct QueueEntry {
  int party = 0;
  std::string remainder;
};

// A district calculated under one quota.
struct QuotaOutcome {
  QuotaMethod method = QuotaMethod::Hare;
  std::string total_text;
  std::int32_t quota = 0;
  std::vector<PartyFigures> parties;  // party i at index i - 1
  std::vector<QueueEntry> queue;      // largest remainder first
};

// Runs the allocation pass and the remainder pass over the district as the window sets it
// up: party numbers 1 to n, their votes, the party and seat counts, the quota method.
// A core error becomes a CalculationError that says why the calculation cannot be done.
QuotaOutcome Calculate(const District& district, QuotaMethod method);

int SeatTotal(const std::vector<PartyFigures>& parties, std::string PartyFigures::*seats);

// The seats the remainder pass hands out: the district's seats minus the preliminary ones,
// never below 0.
int SeatsLeft(const QuotaOutcome& outcome, int seats);

// The parties that receive the leftover seats, in the order the remainder pass hands them
// out: down the queue from the largest remainder, round again from the top while seats are
// left.
std::vector<int> LeftoverSeatOrder(const QuotaOutcome& outcome, int seats);

}  // namespace mandati::cli
