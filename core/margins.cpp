// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/margins.h"

#include <algorithm>
#include <functional>

#include "core/quota_rules.h"

namespace mandati {

namespace {

using Votes = std::int64_t;

// The smallest x of [first, last] for which `holds` is true, when it is false up to some x and
// true from there on; none when it is false throughout. By bisection.
std::optional<std::int64_t> FirstHolding(std::int64_t first, std::int64_t last,
                                         const std::function<bool(std::int64_t)>& holds) {
  if (first > last || !holds(last)) return std::nullopt;
  std::int64_t failed = first - 1;
  std::int64_t held = last;
  while (held - failed > 1) {
    const std::int64_t middle = failed + (held - failed) / 2;
    (holds(middle) ? held : failed) = middle;
  }
  return held;
}

// The largest x of [first, last] for which `holds` is false, with `holds` as above.
std::optional<std::int64_t> LastFailing(std::int64_t first, std::int64_t last,
                                        const std::function<bool(std::int64_t)>& holds) {
  if (first > last || holds(first)) return std::nullopt;
  std::int64_t failed = first;
  std::int64_t held = last + 1;
  while (held - failed > 1) {
    const std::int64_t middle = failed + (held - failed) / 2;
    (holds(middle) ? held : failed) = middle;
  }
  return failed;
}

// ---------------------------------------------------------------------------------------------
// Divisor methods. The seats are the seat_count largest averages of all parties in the order
// ServedBefore gives them: each party's averages fall as its seats grow, so taking the largest
// one at a time takes the largest of all. A party therefore holds at least m seats exactly when
// its m-th average, V / (1 + step (m - 1)), is served before the (seat_count - m + 1)-th average
// of the other parties: for m = seats + 1 the last seat the others won, for m = seats the best
// claim the others have left. Its own votes move only its own averages, so each margin is the
// fewest votes whose average is served before that one (the most whose average is not), found
// by bisection with the allocation's own comparison.

struct Claim {
  Average average{0, 1};
  std::int32_t party = 0;  // 0 for none
};

// The rival claim that party `party` must beat for one more seat and the one it must stay ahead
// of to keep its last seat, from the two parties that won the last seats and the two best claims
// left: one of each pair is not the party itself.
struct RivalClaims {
  Claim last_won[2];
  Claim best_left[2];

  Claim LastWonAgainst(std::int32_t party) const {
    return last_won[0].party != party ? last_won[0] : last_won[1];
  }
  Claim BestLeftAgainst(std::int32_t party) const {
    return best_left[0].party != party ? best_left[0] : best_left[1];
  }
};

RivalClaims FindRivalClaims(std::span<const std::int32_t> votes, std::int32_t step,
                            const DivisorAllocation& allocation) {
  RivalClaims rivals;
  for (auto award = allocation.awards.rbegin(); award != allocation.awards.rend(); ++award) {
    if (rivals.last_won[0].party == 0) {
      rivals.last_won[0] = {award->average, award->party};
    } else if (award->party != rivals.last_won[0].party) {
      rivals.last_won[1] = {award->average, award->party};
      break;
    }
  }
  for (std::size_t i = 0; i < votes.size(); ++i) {
    const Claim next{{votes[i], 1 + step * allocation.seats[i]}, static_cast<std::int32_t>(i + 1)};
    const auto before = [&](const Claim& held) {
      return held.party == 0 || ServedBefore(next.average, next.party, held.average, held.party);
    };
    if (before(rivals.best_left[0])) {
      rivals.best_left[1] = rivals.best_left[0];
      rivals.best_left[0] = next;
    } else if (before(rivals.best_left[1])) {
      rivals.best_left[1] = next;
    }
  }
  return rivals;
}

std::vector<SeatMargin> DivisorMargins(DivisorMethod method, std::span<const std::int32_t> votes,
                                       std::int32_t seat_count,
                                       const DivisorAllocation& allocation) {
  const std::int32_t step = DivisorRuleOf(method).step;
  const RivalClaims rivals = FindRivalClaims(votes, step, allocation);
  std::vector<SeatMargin> margins;
  for (std::size_t i = 0; i < votes.size(); ++i) {
    const auto party = static_cast<std::int32_t>(i + 1);
    SeatMargin margin{allocation.seats[i], std::nullopt, std::nullopt};
    const Votes own = votes[i];
    // Whether the party's claim on its seat number `seat` (from 1), with `with` votes, is served
    // before `rival`.
    const auto served = [&](const Claim& rival, std::int32_t seat) {
      return [&, rival, seat](std::int64_t with) {
        const Average average{static_cast<std::int32_t>(with), 1 + step * (seat - 1)};
        return ServedBefore(average, party, rival.average, rival.party);
      };
    };
    if (margin.seats < seat_count) {
      const auto won =
          FirstHolding(own + 1, kMaxVotes, served(rivals.LastWonAgainst(party), margin.seats + 1));
      if (won) margin.gain = *won - own;
    }
    const Claim rival_left = rivals.BestLeftAgainst(party);
    if (margin.seats > 0 && rival_left.party != 0) {
      const auto lost = LastFailing(1, own - 1, served(rival_left, margin.seats));
      if (lost) margin.loss = own - *lost;
    }
    margins.push_back(margin);
  }
  return margins;
}

// ---------------------------------------------------------------------------------------------
// Quota methods. Write u for the party's votes, O for the other parties' total, D for the seat
// count plus the rule's seat offset and a for the votes the rule adds: the quota is
// q = a + floor((O + u) / D), so the counts u with quota q form a step of D counts from
// D q - D a - O, and the quota grows by one from a step to the next.
//
// 1. Within a step (q and every other party fixed) the party's seats never fall as u grows.
//    While its full quotas stay, its remainder and key only rise (the key never falls as the
//    rest grows), so its place in the hand-out only improves. At its next full quota it has one
//    seat more and one seat fewer is left, and from L seats the hand-out gives a place at most
//    one seat more than it gives any place from L - 1. So a step has a count with g seats
//    exactly when its last count has them, and the first such count is found by bisection.
// 2. From a step to the next, "the step's last count, D q + c, gives g seats" never turns false
//    once true, while q > c. That count gives g seats exactly when some number k of full quotas
//    within its reach does with the best remainder the step allows for k, at k q + q - 1 or at
//    the last count. A step later k is within reach still (the last count grows by D > k), that
//    best remainder as a part of the quota, 1 - 1/q or D - k + c/q (c < 0 then), does not fall,
//    nor does its key; each other party that keeps its full quotas has the remainder V - k q,
//    which falls, and each one that loses a full quota leaves one seat more and passes the party
//    at most once, which leaves its seats as they were: L + 1 seats from one place lower give
//    what L gave. With D full quotas or more no seat is left, so keys do not matter there, and
//    more than D are within reach only while q <= c < D: those steps are tested one by one.
// 3. The loss looks at a step's first count, D q + c - D + 1: the same argument with
//    c - D + 1 < 0 in place of c, so no step needs testing one by one.
// So the first step where the party holds g seats (for the loss, the last where it holds
// fewer) is found by bisection over the steps, up to the step from which its full quotas alone
// give it g seats, and then the count within that step. Ranked exactly, remainders in votes
// take the place of rests and keys, with the same argument.
//
// Limits. The total of kMaxVotes ends the last step early: it is tested on its own. The others'
// full quotas only fall as the party gains votes; as it loses them the quota falls, and it must
// stay 1 or more with the others' full quotas within kMaxSeats, which bounds the steps from
// below. A count where the party itself has more than kMaxSeats full quotas gives it more seats
// than it may hold, and is never the first with more seats than it has, kMaxSeats or fewer:
// within a step its full quotas grow by at most one from a count to the next, and from a step to
// the next they fall.

// Another party at the quota of the moment.
struct Rival {
  std::int32_t number;
  double rest;             // the part of a quota left over, which the key rounds
  std::int64_t remainder;  // the same in votes
};

// How many of `rests`, all on one side of a rest with the key `key`, share that key. The key
// never falls as the rest grows, so those are the nearest ones; most often the nearest one has
// another key already.
template <typename Nearer>
std::size_t SharingKey(std::vector<double>& rests, std::int64_t key, Nearer nearer) {
  if (rests.empty() ||
      RemainderKeyOf(*std::min_element(rests.begin(), rests.end(), nearer)) != key) {
    return 0;
  }
  std::sort(rests.begin(), rests.end(), nearer);
  const auto shared = std::partition_point(
      rests.begin(), rests.end(), [&](double rest) { return RemainderKeyOf(rest) == key; });
  return static_cast<std::size_t>(shared - rests.begin());
}

using StepTest = std::function<bool(std::int64_t quota)>;

class QuotaMarginSearch {
 public:
  QuotaMarginSearch(QuotaMethod method, std::span<const std::int32_t> votes,
                    std::int32_t seat_count, Ranking ranking)
      : votes_(votes),
        seat_count_(seat_count),
        ranking_(ranking),
        divisor_(seat_count + RuleOf(method).seat_offset),
        added_(RuleOf(method).added),
        total_(TotalOf(votes)) {
    rivals_.reserve(votes.size());
  }

  std::optional<Votes> Gain(std::size_t party, std::int32_t seats) {
    SetParty(party);
    const std::int64_t wanted = std::int64_t{seats} + 1;
    const Votes first = votes_[party] + 1;
    const Votes most = std::min(kMaxVotes - others_, StepEnd(kMaxVotes));
    if (wanted > kMaxSeats || first > most) return std::nullopt;
    const auto last_count = [&](std::int64_t quota) { return std::min(StepEnd(quota), most); };
    const StepTest holds = [&](std::int64_t quota) {
      Stand(quota);
      return SeatsWith(last_count(quota)) >= wanted;
    };
    const auto step = FirstStepHolding(QuotaWith(first), QuotaWith(most), wanted, holds);
    if (!step) return std::nullopt;
    Stand(*step);
    const auto won = FirstHolding(std::max(StepStart(*step), first), last_count(*step),
                                  [&](Votes with) { return SeatsWith(with) >= wanted; });
    return *won - votes_[party];
  }

  std::optional<Votes> Loss(std::size_t party, std::int32_t seats) {
    SetParty(party);
    const Votes last = votes_[party] - 1;
    const std::int64_t lowest_step = LowestStep();
    const std::int64_t last_step = QuotaWith(last);
    if (seats == 0 || last < 1 || lowest_step > last_step) return std::nullopt;
    const auto first_count = [&](std::int64_t quota) {
      return std::max<Votes>(StepStart(quota), 1);
    };
    const StepTest holds = [&](std::int64_t quota) {
      Stand(quota);
      return SeatsWith(first_count(quota)) >= seats;
    };
    const std::int64_t sure = StepWithFullQuotas(seats, StepStart(0)).value_or(last_step + 1);
    auto step = LastFailing(lowest_step + 1, std::min(last_step, sure - 1), holds);
    if (!step && !holds(lowest_step)) step = lowest_step;
    if (!step) return std::nullopt;
    Stand(*step);
    const auto lost = LastFailing(first_count(*step), std::min(StepEnd(*step), last),
                                  [&](Votes with) { return SeatsWith(with) >= seats; });
    return votes_[party] - *lost;
  }

 private:
  std::int64_t QuotaWith(Votes own) const { return added_ + (others_ + own) / divisor_; }
  Votes StepStart(std::int64_t quota) const { return divisor_ * (quota - added_) - others_; }
  Votes StepEnd(std::int64_t quota) const { return StepStart(quota) + divisor_ - 1; }

  // The first step from which the party's count D q + `offset` (a step's last count, or its
  // first) has `seats` full quotas, and so at least as many seats; none if no step far on has.
  std::optional<std::int64_t> StepWithFullQuotas(std::int64_t seats, Votes offset) const {
    if (seats >= divisor_) return std::nullopt;
    if (offset >= 0) return 0;
    return (-offset + divisor_ - seats - 1) / (divisor_ - seats);
  }

  // The first of the steps `first` to `last` whose last count gives the party `wanted` seats:
  // one by one while more than D full quotas are within reach (see 2. above), then by
  // bisection, and the last step, which the limits may cut short, on its own.
  std::optional<std::int64_t> FirstStepHolding(std::int64_t first, std::int64_t last,
                                               std::int64_t wanted, const StepTest& holds) {
    const Votes c = StepEnd(0);
    for (std::int64_t quota = first; quota <= std::min(c, last); ++quota) {
      if (holds(quota)) return quota;
    }
    const std::int64_t lowest = std::max(first, c + 1);
    const std::int64_t sure = std::max(StepWithFullQuotas(wanted, c).value_or(last), lowest);
    if (const auto step = FirstHolding(lowest, std::min(sure, last - 1), holds)) return step;
    if (last > c && holds(last)) return last;
    return std::nullopt;
  }

  // The lowest step as the party loses votes: the one it reaches with 1 vote, a quota of 1 or
  // more, and the other parties' full quotas within kMaxSeats.
  std::int64_t LowestStep() const {
    std::int64_t lowest = std::max<std::int64_t>(QuotaWith(1), 1);
    for (std::size_t j = 0; j < votes_.size(); ++j) {
      if (j != party_) lowest = std::max<std::int64_t>(lowest, votes_[j] / (kMaxSeats + 1) + 1);
    }
    return lowest;
  }

  void SetParty(std::size_t party) {
    party_ = party;
    others_ = total_ - votes_[party];
  }

  // The other parties at `quota`.
  void Stand(std::int64_t quota) {
    quota_ = quota;
    rival_full_quotas_ = 0;
    rivals_.clear();
    for (std::size_t j = 0; j < votes_.size(); ++j) {
      if (j == party_) continue;
      const QuotaRatio measured = MeasureInQuotas(votes_[j], static_cast<std::int32_t>(quota));
      const auto full = static_cast<std::int64_t>(measured.full_quotas);
      rival_full_quotas_ += full;
      rivals_.push_back(
          {static_cast<std::int32_t>(j + 1), measured.rest, votes_[j] - full * quota});
    }
  }

  // The party's seats with `own` votes at the quota of the moment.
  std::int64_t SeatsWith(Votes own) {
    const QuotaRatio measured =
        MeasureInQuotas(static_cast<double>(own), static_cast<std::int32_t>(quota_));
    const auto full = static_cast<std::int64_t>(measured.full_quotas);
    const std::int64_t left = std::max<std::int64_t>(0, seat_count_ - rival_full_quotas_ - full);
    const std::int32_t place = ranking_ == Ranking::kExact ? PlacesAheadExactly(own - full * quota_)
                                                           : PlacesAheadByKey(measured.rest);
    return full + HandOutSeats(static_cast<std::int32_t>(left),
                               static_cast<std::int32_t>(votes_.size()), place);
  }

  // The rivals above the party in the remainder queue, which the hand-out serves first.
  std::int32_t PlacesAheadExactly(std::int64_t remainder) const {
    const auto number = static_cast<int>(party_ + 1);
    std::int32_t ahead = 0;
    for (const Rival& rival : rivals_) {
      if (QueuedBefore(static_cast<double>(remainder), number, static_cast<double>(rival.remainder),
                       rival.number)) {
        ++ahead;
      }
    }
    return ahead;
  }

  // The same by keys, computing the keys of the rivals whose rests alone do not tell.
  std::int32_t PlacesAheadByKey(double rest) {
    const std::int64_t key = RemainderKeyOf(rest);
    const auto tied = static_cast<double>(key);
    const auto number = static_cast<int>(party_ + 1);
    std::size_t ahead = 0;
    above_.clear();
    below_.clear();
    for (const Rival& rival : rivals_) {
      // Whether the queue puts the rival above the party when their keys are equal.
      const bool above_when_tied = QueuedBefore(tied, number, tied, rival.number);
      if (rival.rest == rest) {
        ahead += above_when_tied ? 1 : 0;
      } else if (rival.rest > rest) {
        // A key at least the party's: above it unless equal and below when tied.
        if (above_when_tied) {
          ++ahead;
        } else {
          above_.push_back(rival.rest);
        }
      } else if (above_when_tied) {
        // A key at most the party's: above it only when equal.
        below_.push_back(rival.rest);
      }
    }
    ahead += above_.size() - SharingKey(above_, key, std::less<>()) +
             SharingKey(below_, key, std::greater<>());
    return static_cast<std::int32_t>(ahead);
  }

  std::span<const std::int32_t> votes_;
  std::int32_t seat_count_;
  Ranking ranking_;
  std::int64_t divisor_;  // the seat count plus the rule's offset
  std::int64_t added_;    // the votes the rule adds to the quota
  Votes total_;
  std::size_t party_ = 0;  // the party whose votes move
  Votes others_ = 0;       // the other parties' votes added up
  std::int64_t quota_ = 0;
  std::int64_t rival_full_quotas_ = 0;
  std::vector<Rival> rivals_;
  std::vector<double> above_;  // rests that PlacesAheadByKey sorts out
  std::vector<double> below_;
};

}  // namespace

std::vector<SeatMargin> SeatMargins(Method method, std::span<const std::int32_t> votes,
                                    std::int32_t seat_count, Ranking ranking) {
  const MethodOutcome outcome = CalculateMethod(method, votes, seat_count, ranking);
  if (outcome.divisors) {
    return DivisorMargins(std::get<DivisorMethod>(method), votes, seat_count, *outcome.divisors);
  }
  QuotaMarginSearch search(std::get<QuotaMethod>(method), votes, seat_count, ranking);
  std::vector<SeatMargin> margins;
  margins.reserve(votes.size());
  for (std::size_t i = 0; i < votes.size(); ++i) {
    const std::int32_t seats = outcome.final_seats[i];
    margins.push_back({seats, search.Gain(i, seats), search.Loss(i, seats)});
  }
  return margins;
}

}  // namespace mandati
