// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/margins.h"

#include <algorithm>
#include <functional>
#include <variant>

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
// Pieces. Only the party's votes u move. A threshold's bar is of the listed votes, O + u for the
// others' O (or of a given total, which caps O + u; or a number of votes): it never falls as u
// grows, so each other party that is not exempt passes it up to some u and never again, and the
// party itself passes it from some u on (u x bar's denominator grows at least as fast as the
// bar's numerator, a share being at most 100 per cent and a quota bar dividing by S >= 1). So
// the counts 1 to the cap fall into pieces in each of which the same parties take part: at most
// one more than the parties. Within a piece the method runs on a district whose parties do not
// change and only the party's votes move, which the family searches below take as they stand:
// where the party does not take part it holds no seat, and a piece where nobody does is refused.

// Another party taking part, by its number in the district.
struct Rival {
  std::int32_t number;
  Votes votes;
};

struct Piece {
  Votes first = 1;
  Votes last = 0;
  bool party_in = true;  // the party takes part
  std::vector<Rival> rivals;
};

class Pieces {
 public:
  Pieces(const Threshold& threshold, std::span<const std::int32_t> votes, std::size_t party,
         std::int32_t seat_count)
      : threshold_(threshold), votes_(votes), party_(party), seat_count_(seat_count) {
    others_ = TotalOf(votes) - votes[party];
    cap_ = kMaxVotes;
    if (const std::optional<std::int64_t> most = MostListedVotes(threshold)) {
      cap_ = std::min(cap_, *most - others_);
    }
    starts_.push_back(1);
    if (threshold.kind == ThresholdKind::kNone) return;
    const auto passes = [&](Votes party_votes, Votes own) {
      return PassesBar(threshold_, party_votes, others_ + own, seat_count_);
    };
    for (std::size_t j = 0; j < votes.size(); ++j) {
      if (Exempt(j)) continue;
      // The first count at which another party falls under the bar, and at which the party
      // itself passes it.
      const std::optional<Votes> change =
          j == party ? FirstHolding(1, cap_, [&](Votes own) { return passes(own, own); })
                     : FirstHolding(1, cap_, [&](Votes own) { return !passes(votes[j], own); });
      if (change && *change > 1) starts_.push_back(*change);
    }
    std::sort(starts_.begin(), starts_.end());
    starts_.erase(std::unique(starts_.begin(), starts_.end()), starts_.end());
  }

  Votes Cap() const { return cap_; }
  std::size_t Count() const { return starts_.size(); }
  std::size_t Holding(Votes own) const {
    return static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), own) -
                                    starts_.begin()) -
           1;
  }

  // Piece `k`, or none where no party takes part (the calculation refuses its counts).
  std::optional<Piece> At(std::size_t k) const {
    Piece piece;
    piece.first = starts_[k];
    piece.last = k + 1 < starts_.size() ? starts_[k + 1] - 1 : cap_;
    const auto takes_part = [&](std::size_t j, Votes party_votes) {
      return threshold_.kind == ThresholdKind::kNone || Exempt(j) ||
             PassesBar(threshold_, party_votes, others_ + piece.first, seat_count_);
    };
    piece.party_in = takes_part(party_, piece.first);
    for (std::size_t j = 0; j < votes_.size(); ++j) {
      if (j != party_ && takes_part(j, votes_[j])) {
        piece.rivals.push_back({static_cast<std::int32_t>(j + 1), votes_[j]});
      }
    }
    if (!piece.party_in && piece.rivals.empty()) return std::nullopt;
    return piece;
  }

 private:
  bool Exempt(std::size_t j) const {
    return std::find(threshold_.exempt.begin(), threshold_.exempt.end(),
                     static_cast<std::int32_t>(j + 1)) != threshold_.exempt.end();
  }

  const Threshold& threshold_;
  std::span<const std::int32_t> votes_;
  std::size_t party_;
  std::int32_t seat_count_;
  Votes others_ = 0;  // all the other parties' votes, taking part or not
  Votes cap_ = 0;     // the most votes the party may have
  std::vector<Votes> starts_;
};

// The party whose votes move, with the district's seats and options. Each family's search
// below answers within one piece, for the party's counts from `first` to `last`: FirstWith, the
// fewest votes with which it holds `wanted` seats or more, and LastWithout, the most with which
// it holds fewer than `held`; none where no count does.
struct MovingParty {
  std::int32_t number;
  std::int32_t seat_count;
  const MethodRules& rules;
};

// ---------------------------------------------------------------------------------------------
// Divisor methods. The seats are the seat_count first claims of all parties in the order
// ServedBefore gives them: each party's claims come in its own order (its averages never rise
// as its seats grow), so taking the first one at a time takes the first of all. A party therefore
// holds at least m seats exactly when its m-th claim is served before the (seat_count - m + 1)-th
// claim of the other parties. Its own votes move only its own claims, and more votes serve them
// no later (a larger average, and under the tie rule by votes more votes), so within a piece the
// party's seats never fall as its votes grow, and each margin is found by bisection, comparing
// the party's claim with that one rival claim as the allocation compares them (ServedBefore).

class DivisorSearch {
 public:
  DivisorSearch(DivisorMethod method, const MovingParty& party, const Piece& piece)
      : method_(method),
        party_(party),
        first_divisor_(method == DivisorMethod::SainteLague ? party.rules.first_divisor
                                                            : kPlainFirstDivisor),
        rivals_(piece.rivals) {
    for (const Rival& rival : rivals_)
      rival_votes_.push_back(static_cast<std::int32_t>(rival.votes));
  }

  std::optional<Votes> FirstWith(std::int64_t wanted, Votes first, Votes last) const {
    if (wanted > party_.seat_count) return std::nullopt;
    return FirstHolding(first, last, Holding(wanted));
  }

  std::optional<Votes> LastWithout(std::int64_t held, Votes first, Votes last) const {
    if (held < 1) return std::nullopt;
    return LastFailing(first, last, Holding(held));
  }

 private:
  // Whether the party holds `seats` seats or more with a count of votes, 1 <= seats <= S.
  std::function<bool(Votes)> Holding(std::int64_t seats) const {
    const auto won = static_cast<std::int32_t>(seats - 1);
    const std::int32_t rank = party_.seat_count - won;
    if (rivals_.empty()) return [](Votes) { return true; };
    const DivisorSeat rival =
        ClaimForSeat(method_, rival_votes_, rank, party_.rules.tie_rule, first_divisor_);
    const std::int32_t rival_number = rivals_[static_cast<std::size_t>(rival.party - 1)].number;
    return [this, won, rival, rival_number](Votes own) {
      const Average claim =
          ClaimAverage(DivisorRuleOf(method_), first_divisor_, static_cast<std::int32_t>(own), won);
      return ServedBefore(party_.rules.tie_rule, claim, party_.number, rival.average, rival_number);
    };
  }

  DivisorMethod method_;
  const MovingParty& party_;
  Decimal first_divisor_;
  const std::vector<Rival>& rivals_;
  std::vector<std::int32_t> rival_votes_;
};

// ---------------------------------------------------------------------------------------------
// Floored quotas. Write u for the party's votes, O for the other parties' total, D for the seat
// count plus the rule's seat offset and a for the votes the rule adds: the quota is
// q = a + floor((O + u) / D), so the counts u with quota q form a step of D counts from
// D q - D a - O, and the quota grows by one from a step to the next.
//
// 1. Within a step (q and every other party fixed) the party's seats never fall as u grows.
//    While its full quotas stay, its remainder and key only rise (the key never falls as the
//    rest grows), and between equal ones the tie rule serves it no later (the party order does
//    not move, more votes come first), so its place in the hand-out only improves. At its next
//    full quota it has one seat more and one seat fewer is left, and from L seats the hand-out
//    gives a place at most one seat more than it gives any place from L - 1. So a step has a
//    count with g seats exactly when its last count has them, and the first such count is found
//    by bisection.
// 2. From a step to the next, "the step's last count, D q + c, gives g seats" never turns false
//    once true, while q > c. That count gives g seats exactly when some number k of full quotas
//    within its reach does with the best standing the step allows for k, at k q + q - 1 or at
//    the last count. A step later k is within reach still (the last count grows by D > k), that
//    best remainder as a part of the quota, 1 - 1/q or D - k + c/q (c < 0 then), does not fall,
//    nor does its key, and its votes grow, which the tie rule never holds against it; each other
//    party that keeps its full quotas has the remainder V - k q, which falls, and each one that
//    loses a full quota leaves one seat more and passes the party at most once, which leaves its
//    seats as they were: L + 1 seats from one place lower give what L gave. With D full quotas or
//    more no seat is left, so keys do not matter there, and more than D are within reach only
//    while q <= c < D: those steps are tested one by one.
// 3. The loss looks at a step's first count, D q + c - D + 1: the same argument with
//    c - D + 1 < 0 in place of c, so no step needs testing one by one.
// So the first step where the party holds g seats (for the loss, the last where it holds
// fewer) is found by bisection over the steps, up to the step from which its full quotas alone
// give it g seats, and then the count within that step. Ranked exactly, remainders in votes
// take the place of rests and keys, with the same argument.
//
// Limits. The total of kMaxVotes ends the last step early: it is tested on its own. The others'
// full quotas only fall as the party gains votes, and the quota must be 1 or more with the
// others' full quotas within kMaxSeats, which bounds the steps from below. A count where the
// party itself has more than kMaxSeats full quotas is refused; it gives more seats than the
// party may hold, so it is never the last count with fewer, and it is never the first with more
// after a count that is not: from a count to the next its full quotas grow by at most one. So
// only the first counts of a search can have too many (where a piece starts with a rival fallen
// under the bar), and those are skipped, the rest of a step at a time, since within a step the
// party's full quotas never fall.

// Another party at the quota of the moment.
struct RivalAtQuota {
  std::int32_t number;
  Votes votes;
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

class FlooredQuotaSearch {
 public:
  FlooredQuotaSearch(QuotaMethod method, const MovingParty& party, const Piece& piece)
      : party_(party),
        rivals_in_(piece.rivals),
        divisor_(party.seat_count + RuleOf(method).seat_offset),
        added_(RuleOf(method).added),
        keys_(static_cast<std::int32_t>(piece.rivals.size() + 1)) {
    for (const Rival& rival : rivals_in_) others_ += rival.votes;
    rivals_.reserve(rivals_in_.size());
  }

  std::optional<Votes> FirstWith(std::int64_t wanted, Votes lo, Votes hi) {
    const Votes most = std::min({hi, kMaxVotes - others_, StepEnd(kMaxVotes)});
    const Votes first = SkipOverfull(std::max(lo, StepStart(LowestStep(lo))), most);
    if (wanted > kMaxSeats || first > most) return std::nullopt;
    const auto last_count = [&](std::int64_t quota) { return std::min(StepEnd(quota), most); };
    const StepTest holds = [&](std::int64_t quota) {
      Stand(quota);
      return SeatsWith(last_count(quota)) >= wanted;
    };
    const auto step = FirstStepHolding(QuotaWith(first), QuotaWith(most), wanted, holds);
    if (!step) return std::nullopt;
    Stand(*step);
    return FirstHolding(std::max(StepStart(*step), first), last_count(*step),
                        [&](Votes with) { return SeatsWith(with) >= wanted; });
  }

  std::optional<Votes> LastWithout(std::int64_t held, Votes lo, Votes hi) {
    const Votes last = std::min(hi, kMaxVotes - others_);
    const std::int64_t lowest_step = LowestStep(lo);
    const std::int64_t last_step = QuotaWith(last);
    if (held == 0 || last < lo || lowest_step > last_step) return std::nullopt;
    const auto first_count = [&](std::int64_t quota) { return std::max(StepStart(quota), lo); };
    const StepTest holds = [&](std::int64_t quota) {
      Stand(quota);
      return SeatsWith(first_count(quota)) >= held;
    };
    const std::int64_t sure = StepWithFullQuotas(held, StepStart(0)).value_or(last_step + 1);
    auto step = LastFailing(lowest_step + 1, std::min(last_step, sure - 1), holds);
    if (!step && !holds(lowest_step)) step = lowest_step;
    if (!step) return std::nullopt;
    Stand(*step);
    return LastFailing(first_count(*step), std::min(StepEnd(*step), last),
                       [&](Votes with) { return SeatsWith(with) >= held; });
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

  // The lowest step from the party's count `own` up: a quota of 1 or more, and the other
  // parties' full quotas within kMaxSeats.
  std::int64_t LowestStep(Votes own) const {
    std::int64_t lowest = std::max<std::int64_t>(QuotaWith(own), 1);
    for (const Rival& rival : rivals_in_) {
      lowest = std::max<std::int64_t>(lowest, rival.votes / (kMaxSeats + 1) + 1);
    }
    return lowest;
  }

  // The first count from `own` to `most` where the party has kMaxSeats full quotas or fewer:
  // within a step its full quotas never fall, so a count with more ends its step.
  Votes SkipOverfull(Votes own, Votes most) const {
    while (own <= most && own / QuotaWith(own) > kMaxSeats) own = StepStart(QuotaWith(own) + 1);
    return own;
  }

  // The other parties at `quota`.
  void Stand(std::int64_t quota) {
    quota_ = quota;
    rival_full_quotas_ = 0;
    rivals_.clear();
    for (const Rival& rival : rivals_in_) {
      const QuotaRatio measured =
          MeasureInQuotas(static_cast<double>(rival.votes), static_cast<std::int32_t>(quota));
      const auto full = static_cast<std::int64_t>(measured.full_quotas);
      rival_full_quotas_ += full;
      rivals_.push_back({rival.number, rival.votes, measured.rest, rival.votes - full * quota});
    }
  }

  // The party's seats with `own` votes at the quota of the moment.
  std::int64_t SeatsWith(Votes own) {
    const QuotaRatio measured =
        MeasureInQuotas(static_cast<double>(own), static_cast<std::int32_t>(quota_));
    const auto full = static_cast<std::int64_t>(measured.full_quotas);
    const std::int64_t left =
        std::max<std::int64_t>(0, party_.seat_count - rival_full_quotas_ - full);
    const std::int32_t place = party_.rules.ranking == Ranking::kExact
                                   ? PlacesAheadExactly(own - full * quota_, own)
                                   : PlacesAheadByKey(measured.rest, own);
    return full + HandOutSeats(static_cast<std::int32_t>(left), keys_, place);
  }

  // The party's row in the remainder queue, and a rival's.
  QueueRow Row(double remainder, Votes own) const {
    return {remainder, party_.number, static_cast<double>(own)};
  }
  static QueueRow Row(double remainder, const RivalAtQuota& rival) {
    return {remainder, rival.number, static_cast<double>(rival.votes)};
  }

  // The rivals above the party in the remainder queue, which the hand-out serves first.
  std::int32_t PlacesAheadExactly(std::int64_t remainder, Votes own) const {
    const TieRule rule = party_.rules.tie_rule;
    std::int32_t ahead = 0;
    for (const RivalAtQuota& rival : rivals_) {
      if (QueuedBefore(rule, Row(static_cast<double>(remainder), own),
                       Row(static_cast<double>(rival.remainder), rival))) {
        ++ahead;
      }
    }
    return ahead;
  }

  // The same by keys, computing the keys of the rivals whose rests alone do not tell.
  std::int32_t PlacesAheadByKey(double rest, Votes own) {
    const TieRule rule = party_.rules.tie_rule;
    const std::int64_t key = RemainderKeyOf(rest);
    const auto tied = static_cast<double>(key);
    std::size_t ahead = 0;
    above_.clear();
    below_.clear();
    for (const RivalAtQuota& rival : rivals_) {
      // Whether the queue puts the rival above the party when their keys are equal.
      const bool above_when_tied = QueuedBefore(rule, Row(tied, own), Row(tied, rival));
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

  const MovingParty& party_;
  const std::vector<Rival>& rivals_in_;
  std::int64_t divisor_;  // the seat count plus the rule's offset
  std::int64_t added_;    // the votes the rule adds to the quota
  std::int32_t keys_;     // the rows of the remainder queue: the parties taking part
  Votes others_ = 0;      // the other parties' votes added up
  std::int64_t quota_ = 0;
  std::int64_t rival_full_quotas_ = 0;
  std::vector<RivalAtQuota> rivals_;
  std::vector<double> above_;  // rests that PlacesAheadByKey sorts out
  std::vector<double> below_;
};

// ---------------------------------------------------------------------------------------------
// Hare-Niemeyer. With T = O + u votes in all and S seats, party j holds f_j = floor(V_j S / T)
// full quotas and the remainder V_j S - f_j T, over the same T for every party. Within a segment
// of counts where every f_j, the party's own f too, stays as it is, the seats left stay, each
// other party's remainder falls as T grows, and the party's own, u (S - f) - f O, does not fall,
// nor does its standing under the tie rule: its seats never fall as u grows, and the first (or
// last) count of a segment tells whether some count in it does. A segment ends where some f_j
// changes. As u grows the others' f_j only fall, at most S times in all since they add up to S
// or less, and the party's own f only rises, and holds it the seats it wants once high enough;
// as u falls the same holds the other way round. So the search walks at most about 2 S
// segments, each tested in one count, and bisects the one where the seats change.

class ExactQuotaSearch {
 public:
  ExactQuotaSearch(const MovingParty& party, const Piece& piece)
      : party_(party),
        rivals_(piece.rivals),
        seats_(party.seat_count),
        keys_(static_cast<std::int32_t>(piece.rivals.size() + 1)) {
    for (const Rival& rival : rivals_) others_ += rival.votes;
  }

  std::optional<Votes> FirstWith(std::int64_t wanted, Votes lo, Votes hi) const {
    const Votes most = std::min(hi, kMaxVotes - others_);
    const auto holds = [&](Votes own) { return SeatsWith(own) >= wanted; };
    for (Votes own = lo; own <= most;) {
      const Votes end = std::min(SegmentEnd(own), most);
      if (holds(end)) return FirstHolding(own, end, holds);
      own = end + 1;
    }
    return std::nullopt;
  }

  std::optional<Votes> LastWithout(std::int64_t held, Votes lo, Votes hi) const {
    const auto holds = [&](Votes own) { return SeatsWith(own) >= held; };
    for (Votes own = std::min(hi, kMaxVotes - others_); own >= lo;) {
      const Votes start = std::max(SegmentStart(own), lo);
      if (!holds(start)) return LastFailing(start, own, holds);
      own = start - 1;
    }
    return std::nullopt;
  }

 private:
  std::int64_t FullQuotas(Votes votes, Votes total) const { return votes * seats_ / total; }

  // The last count with the same full quotas for every party as `own`.
  Votes SegmentEnd(Votes own) const {
    const Votes total = others_ + own;
    Votes end = kMaxVotes;
    for (const Rival& rival : rivals_) {
      const std::int64_t full = FullQuotas(rival.votes, total);
      if (full > 0) end = std::min(end, rival.votes * seats_ / full - others_);
    }
    // The party's f + 1 full quotas come at u (S - f - 1) >= (f + 1) O.
    const std::int64_t full = FullQuotas(own, total);
    if (seats_ - full - 1 > 0) {
      end = std::min(end, ((full + 1) * others_ + seats_ - full - 2) / (seats_ - full - 1) - 1);
    }
    return end;
  }

  // The first count with the same full quotas for every party as `own`.
  Votes SegmentStart(Votes own) const {
    const Votes total = others_ + own;
    Votes start = 1;
    for (const Rival& rival : rivals_) {
      const std::int64_t full = FullQuotas(rival.votes, total);
      start = std::max(start, rival.votes * seats_ / (full + 1) + 1 - others_);
    }
    // The party's f full quotas start at u (S - f) >= f O.
    const std::int64_t full = FullQuotas(own, total);
    if (full > 0 && seats_ > full) {
      start = std::max(start, (full * others_ + seats_ - full - 1) / (seats_ - full));
    }
    return start;
  }

  // The party's seats with `own` votes.
  std::int64_t SeatsWith(Votes own) const {
    const Votes total = others_ + own;
    const std::int64_t full = FullQuotas(own, total);
    const QueueRow row{static_cast<double>(own * seats_ - full * total), party_.number,
                       static_cast<double>(own)};
    std::int64_t left = seats_ - full;
    std::int32_t ahead = 0;
    for (const Rival& rival : rivals_) {
      const std::int64_t rival_full = FullQuotas(rival.votes, total);
      left -= rival_full;
      const QueueRow rival_row{static_cast<double>(rival.votes * seats_ - rival_full * total),
                               rival.number, static_cast<double>(rival.votes)};
      if (QueuedBefore(party_.rules.tie_rule, row, rival_row)) ++ahead;
    }
    return full + HandOutSeats(static_cast<std::int32_t>(left), keys_, ahead);
  }

  const MovingParty& party_;
  const std::vector<Rival>& rivals_;
  std::int64_t seats_;
  std::int32_t keys_;  // the rows of the remainder queue: the parties taking part
  Votes others_ = 0;
};

// The family search of `method` within `piece`, handed to `search`.
template <typename Search>
std::optional<Votes> InPiece(Method method, const MovingParty& party, const Piece& piece,
                             Search search) {
  if (const auto* divisor = std::get_if<DivisorMethod>(&method)) {
    return search(DivisorSearch(*divisor, party, piece));
  }
  const auto quota = std::get<QuotaMethod>(method);
  if (RuleOf(quota).exact) return search(ExactQuotaSearch(party, piece));
  return search(FlooredQuotaSearch(quota, party, piece));
}

SeatMargin MarginOf(Method method, std::span<const std::int32_t> votes, std::size_t index,
                    std::int32_t seats, const MovingParty& party) {
  SeatMargin margin{seats, std::nullopt, std::nullopt};
  const Pieces pieces(party.rules.threshold, votes, index, party.seat_count);
  const Votes own = votes[index];
  const std::size_t here = pieces.Holding(own);
  for (std::size_t k = here; k < pieces.Count() && !margin.gain && own < pieces.Cap(); ++k) {
    const std::optional<Piece> piece = pieces.At(k);
    if (!piece || !piece->party_in) continue;
    const Votes first = std::max(piece->first, own + 1);
    const auto won = InPiece(method, party, *piece, [&](auto search) {
      return search.FirstWith(std::int64_t{seats} + 1, first, piece->last);
    });
    if (won) margin.gain = *won - own;
  }
  for (std::size_t k = here + 1; k-- > 0 && !margin.loss && seats > 0 && own > 1;) {
    const std::optional<Piece> piece = pieces.At(k);
    if (!piece) continue;
    const Votes last = std::min(piece->last, own - 1);
    if (!piece->party_in) {
      margin.loss = own - last;
      continue;
    }
    const auto lost = InPiece(method, party, *piece, [&](auto search) {
      return search.LastWithout(seats, piece->first, last);
    });
    if (lost) margin.loss = own - *lost;
  }
  return margin;
}

}  // namespace

std::vector<SeatMargin> SeatMargins(Method method, std::span<const std::int32_t> votes,
                                    std::int32_t seat_count, const MethodRules& rules) {
  const MethodOutcome outcome = CalculateMethod(method, votes, seat_count, rules);
  std::vector<SeatMargin> margins;
  margins.reserve(votes.size());
  for (std::size_t i = 0; i < votes.size(); ++i) {
    const MovingParty party{static_cast<std::int32_t>(i + 1), seat_count, rules};
    margins.push_back(MarginOf(method, votes, i, outcome.final_seats[i], party));
  }
  return margins;
}

}  // namespace mandati
