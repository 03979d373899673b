// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/machine_formats.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <span>

#include "core/quota_rules.h"
#include "format/figures.h"
#include "format/rule_values.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

// Whether a spreadsheet would run `text` as a formula: =, +, - or @ first, in ASCII or
// full width, after any blanks, the no-break and ideographic spaces among them.
bool LooksLikeFormula(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto character = DecodeUtf8(text, pos);
    if (!character) return false;
    const char32_t code = character->code;
    const bool blank = code == ' ' || code == '\t' || code == 0xA0 || code == 0x1680 ||
                       (code >= 0x2000 && code <= 0x200A) || code == 0x202F || code == 0x205F ||
                       code == 0x3000;
    if (!blank) {
      return code == '=' || code == '+' || code == '-' || code == '@' || code == 0xFF1D ||
             code == 0xFF0B || code == 0xFF0D || code == 0xFF20;
    }
    pos += character->length;
  }
  return false;
}

// A name that a spreadsheet would run as a formula gets a leading apostrophe inside double
// quotes, so that the spreadsheet shows it as text.
std::string CsvField(const std::string& text) {
  const bool formula = LooksLikeFormula(text);
  if (!formula && text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = formula ? "\"'" : "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string Joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += separator;
    text += items[i];
  }
  return text;
}

std::string JsonNumber(const std::string& text) { return text.empty() ? "null" : text; }

// A whole quota as a number, Hare-Niemeyer's fraction as a string ("159349/7").
std::string JsonQuota(const std::string& text) {
  return text.find('/') == std::string::npos ? JsonNumber(text) : JsonString(text);
}

std::string JsonList(const std::vector<int>& parties) {
  std::vector<std::string> items;
  items.reserve(parties.size());
  for (const int party : parties) items.push_back(std::to_string(party));
  return "[" + Joined(items, ", ") + "]";
}

// A seat margin in JSON: its votes, or null where no vote count does it.
std::string JsonMargin(const std::optional<std::int64_t>& votes) {
  return votes ? std::to_string(*votes) : "null";
}

std::string JsonParty(const District& district, const MethodOutcome& outcome,
                      const std::string& share, std::size_t i, const SeatMargin* margin) {
  const Party& party = district.parties[i];
  const PartyFigures figures = FiguresOf(outcome, i);
  std::string text = "{\"party\": " + std::to_string(i + 1) +
                     ", \"name\": " + (party.name.empty() ? "null" : JsonString(party.name)) +
                     ", \"votes\": " + std::to_string(party.votes) +
                     ", \"preliminary_seats\": " + JsonNumber(figures.preliminary_seats) +
                     ", \"final_seats\": " + figures.final_seats +
                     ", \"quota_ratio\": " + JsonNumber(figures.quota_ratio);
  if (!outcome.quota) text += ", \"last_divisor\": " + JsonNumber(figures.last_divisor);
  text += ", \"vote_share\": " + share;
  if (outcome.threshold) {
    text +=
        std::string(", \"under_threshold\": ") + (UnderThreshold(outcome, i) ? "true" : "false");
  }
  if (margin != nullptr) {
    text += ", \"seats_gain_margin\": " + JsonMargin(margin->gain) +
            ", \"seats_loss_margin\": " + JsonMargin(margin->loss);
  }
  return text + "}";
}

// A remainder in votes: a number, or Hare-Niemeyer's fraction as a string ("88177/7").
std::string JsonExactRemainder(const Calculation& outcome, const PartyOutcome& party) {
  if (outcome.exact_quota.denominator > 1) {
    return JsonQuota(VotesFractionText(party.remainder_numerator, outcome.exact_quota.denominator));
  }
  return NumberText(party.exact_remainder, NumberSettings{});
}

// The members --explain adds to a quota method, each on its own line.
std::vector<std::string> JsonQuotaExplanation(const District& district,
                                              const Calculation& outcome) {
  std::vector<std::string> queue;
  for (const int party : outcome.hand_out_order) {
    const PartyOutcome& figures = outcome.parties[static_cast<std::size_t>(party - 1)];
    queue.push_back("{\"party\": " + std::to_string(party) +
                    ", \"remainder\": " + RemainderText(figures.remainder_key, NumberSettings{}) +
                    (outcome.ranked_exactly
                         ? ", \"exact_remainder\": " + JsonExactRemainder(outcome, figures)
                         : std::string()) +
                    "}");
  }
  std::vector<int> order;
  for (const SeatAward& award : SeatAwards(outcome)) order.push_back(award.party);
  std::vector<std::string> ties;
  for (const TieGroup& tie : outcome.ties) {
    ties.push_back("{\"served\": " + JsonList(tie.served) +
                   ", \"passed\": " + JsonList(tie.passed) + "}");
  }
  for (const KeyMerge& merge : KeyMerges(outcome)) {
    ties.push_back("{\"key_merged\": [" + std::to_string(merge.ahead) + ", " +
                   std::to_string(merge.behind) +
                   "], \"decided_a_seat\": " + (merge.seat ? "true" : "false") + "}");
  }
  std::vector<std::string> members = {
      "\"rule\": " + JsonString(QuotaRuleText(outcome.method)),
      "\"formula\": " +
          JsonString(QuotaFormulaText(outcome.method, outcome.total_votes, district.seats)),
      "\"seats_left\": " + std::to_string(outcome.seats_left),
      "\"remainder_queue\": [\n        " + Joined(queue, ",\n        ") + "\n      ]",
      "\"leftover_seats\": " + JsonList(order)};
  if (!ties.empty()) {
    members.push_back("\"ties\": [\n        " + Joined(ties, ",\n        ") + "\n      ]");
  }
  return members;
}

// The members --explain adds to a divisor method.
std::vector<std::string> JsonDivisorExplanation(const DivisorAllocation& allocation) {
  std::vector<std::string> seats;
  for (const DivisorSeat& seat : allocation.awards) {
    seats.push_back("{\"seat\": " + std::to_string(seat.seat) +
                    ", \"party\": " + std::to_string(seat.party) +
                    ", \"votes\": " + std::to_string(seat.average.votes) +
                    ", \"divisor\": " + std::to_string(seat.average.divisor) + "}");
  }
  std::vector<std::string> members = {"\"seat_order\": [\n        " + Joined(seats, ",\n        ") +
                                      "\n      ]"};
  if (allocation.tie) {
    members.push_back("\"ties\": [{\"served\": " + JsonList(allocation.tie->served) +
                      ", \"passed\": " + JsonList(allocation.tie->passed_over) + "}]");
  }
  return members;
}

// The bar exactly, as a fraction, with the base it is of and who fell under it.
std::string JsonThreshold(const District& district, const ThresholdOutcome& threshold) {
  std::vector<int> under(threshold.under.begin(), threshold.under.end());
  std::string text = "{\"kind\": ";
  switch (threshold.kind) {
    case ThresholdKind::kShare:
      text += "\"share\", \"share\": " + DecimalText(district.rules.threshold.share);
      break;
    case ThresholdKind::kQuota:
      text += "\"quota\"";
      break;
    case ThresholdKind::kVotes:
    case ThresholdKind::kNone:
      text += "\"votes\"";
      break;
  }
  if (threshold.kind != ThresholdKind::kVotes) {
    text += ", \"base\": " + std::to_string(threshold.base) +
            ", \"base_given\": " + (threshold.given_total ? "true" : "false");
  }
  return text + ", \"bar\": " +
         JsonString(VotesFractionText(threshold.bar.numerator, threshold.bar.denominator)) +
         ", \"votes_needed\": " + std::to_string(threshold.votes_needed) +
         ", \"under\": " + JsonList(under) + "}";
}

std::string JsonMethod(const District& district, const MethodOutcome& outcome, bool explain,
                       std::span<const SeatMargin> margins) {
  std::vector<std::string> members = {"\"method\": " + JsonString(KeywordOf(outcome.method)),
                                      "\"name\": " + JsonString(NameOf(outcome.method)),
                                      "\"total_votes\": " + std::to_string(outcome.total_votes),
                                      "\"quota\": " + JsonQuota(QuotaText(outcome))};
  if (outcome.divisors) {
    members.push_back("\"divisors\": " +
                      JsonString(DivisorsText(std::get<DivisorMethod>(outcome.method),
                                              district.rules.first_divisor)));
  } else {
    members.push_back("\"ranking\": " + JsonString(RankingWord(outcome.quota->ranked_exactly)));
  }
  if (district.rules.tie_rule != TieRule::kOrder) {
    members.push_back("\"tie_rule\": " + JsonString(TieRuleKeyword(district.rules.tie_rule)));
  }
  if (outcome.threshold)
    members.push_back("\"threshold\": " + JsonThreshold(district, *outcome.threshold));
  members.push_back("\"gallagher\": " + JsonNumber(IndexText(outcome.disproportionality,
                                                             &Disproportionality::gallagher)));
  members.push_back(
      "\"loosemore_hanby\": " +
      JsonNumber(IndexText(outcome.disproportionality, &Disproportionality::loosemore_hanby)));
  const std::vector<std::string> shares = VoteShareTexts(district);
  std::vector<std::string> parties;
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    parties.push_back(
        JsonParty(district, outcome, shares[i], i, margins.empty() ? nullptr : &margins[i]));
  }
  members.push_back("\"parties\": [\n        " + Joined(parties, ",\n        ") + "\n      ]");
  if (explain) {
    for (std::string& member : outcome.quota ? JsonQuotaExplanation(district, *outcome.quota)
                                             : JsonDivisorExplanation(*outcome.divisors)) {
      members.push_back(member);
    }
  }
  return "    {\n      " + Joined(members, ",\n      ") + "\n    }";
}

}  // namespace

void WriteCsv(Sink& out, const District& district, const std::vector<MethodOutcome>& outcomes,
              const Margins& margins) {
  const bool threshold = district.rules.threshold.kind != ThresholdKind::kNone;
  const bool ties = district.rules.tie_rule != TieRule::kOrder;
  out << "quota_method,quota,total_votes,party,name,votes,preliminary_seats,final_seats,"
         "quota_ratio,vote_share,last_divisor,gallagher,loosemore_hanby,ranking"
      << (threshold ? ",under_threshold" : "") << (ties ? ",tie_rule" : "")
      << (margins.empty() ? "" : ",seats_gain_margin,seats_loss_margin") << '\n';
  const std::vector<std::string> shares = VoteShareTexts(district);
  for (std::size_t m = 0; m < outcomes.size(); ++m) {
    const MethodOutcome& outcome = outcomes[m];
    const std::string total = std::to_string(outcome.total_votes);
    const std::string gallagher =
        IndexText(outcome.disproportionality, &Disproportionality::gallagher);
    const std::string loosemore_hanby =
        IndexText(outcome.disproportionality, &Disproportionality::loosemore_hanby);
    const std::string ranking =
        outcome.quota ? RankingWord(outcome.quota->ranked_exactly) : std::string();
    for (std::size_t i = 0; i < district.parties.size(); ++i) {
      const PartyFigures figures = FiguresOf(outcome, i);
      out << Joined(
          {std::string(KeywordOf(outcome.method)), QuotaText(outcome), total, std::to_string(i + 1),
           CsvField(district.parties[i].name), std::to_string(district.parties[i].votes),
           figures.preliminary_seats, figures.final_seats, figures.quota_ratio, shares[i],
           figures.last_divisor, gallagher, loosemore_hanby, ranking},
          ",");
      if (threshold) out << (UnderThreshold(outcome, i) ? ",true" : ",false");
      if (ties) out << ',' << TieRuleKeyword(district.rules.tie_rule);
      if (!margins.empty()) {
        const SeatMargin& margin = margins[m][i];
        out << ',' << (margin.gain ? std::to_string(*margin.gain) : "") << ','
            << (margin.loss ? std::to_string(*margin.loss) : "");
      }
      out << '\n';
    }
  }
}

void WriteJson(Sink& out, const District& district, const std::vector<MethodOutcome>& outcomes,
               bool explain, const Margins& margins) {
  out << "{\n  \"seats\": " << district.seats << ",\n  \"quotas\": [\n";
  for (std::size_t m = 0; m < outcomes.size(); ++m) {
    out << (m > 0 ? ",\n" : "")
        << JsonMethod(district, outcomes[m], explain,
                      margins.empty() ? std::span<const SeatMargin>() : margins[m]);
  }
  out << "\n  ]\n}\n";
}

std::string JsonString(std::string_view text) {
  std::string literal = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      literal += '\\';
      literal += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      literal += escaped;
    } else {
      literal += c;
    }
  }
  return literal + '"';
}

}  // namespace mandati::format
