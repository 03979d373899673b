// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/figures.h"

#include <algorithm>
#include <numeric>

#include "core/column_captions.h"
#include "core/number_rules.h"
#include "core/quota_rules.h"
#include "format/messages.h"
#include "format/rule_values.h"

namespace mandati::format {

PartyFigures FiguresOf(const MethodOutcome& outcome, std::size_t party_index) {
  if (outcome.quota) {
    const PartyOutcome& party = outcome.quota->parties[party_index];
    return {std::to_string(party.preliminary_seats), std::to_string(party.final_seats),
            QuotaRatioText(party.ratio, NumberSettings{}), ""};
  }
  PartyFigures figures{"", std::to_string(outcome.final_seats[party_index]), "", ""};
  const auto party = static_cast<std::int32_t>(party_index + 1);
  for (const DivisorSeat& seat : outcome.divisors->awards) {
    if (seat.party == party) figures.last_divisor = DivisorText(seat.average);
  }
  return figures;
}

std::string UnderThresholdMark() { return Tr("under the bar"); }

std::string VotesFractionText(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t common = std::gcd(numerator, denominator);
  if (common > 1) {
    numerator /= common;
    denominator /= common;
  }
  if (denominator == 1) return std::to_string(numerator);
  return std::to_string(numerator) + "/" + std::to_string(denominator);
}

std::string DivisorText(const Average& average) {
  if (average.divisor % average.scale == 0) return std::to_string(average.divisor / average.scale);
  std::int32_t decimals = 0;
  for (std::int32_t scale = average.scale; scale > 1; scale /= 10) ++decimals;
  std::string text = DecimalText({average.divisor, decimals});
  text.erase(text.find_last_not_of('0') + 1);
  return text;
}

std::string QuotaText(const MethodOutcome& outcome) {
  if (!outcome.quota) return "";
  const Fraction& exact = outcome.quota->exact_quota;
  if (exact.denominator > 1) return VotesFractionText(exact.numerator, exact.denominator);
  return std::to_string(outcome.quota->quota);
}

std::string DivisorsText(DivisorMethod method, const Decimal& first_divisor) {
  const std::string_view divisors = DivisorRuleOf(method).divisors;
  if (method != DivisorMethod::SainteLague || first_divisor == kPlainFirstDivisor) {
    return std::string(divisors);
  }
  return DecimalText(first_divisor) + std::string(divisors.substr(divisors.find(',')));
}

std::string TitleOf(const MethodOutcome& outcome, const Decimal& first_divisor) {
  if (outcome.quota) return NameOf(outcome.method) + ": " + QuotaText(outcome);
  return NameOf(outcome.method) + ": делители " +
         DivisorsText(std::get<DivisorMethod>(outcome.method), first_divisor);
}

bool UnderThreshold(const MethodOutcome& outcome, std::size_t party_index) {
  if (!outcome.threshold) return false;
  const std::vector<std::int32_t>& under = outcome.threshold->under;
  return std::find(under.begin(), under.end(), static_cast<std::int32_t>(party_index + 1)) !=
         under.end();
}

std::string ThresholdText(const ThresholdOutcome& threshold, const Threshold& rule) {
  std::string needed = Tr("a list needs at least {1} votes", GroupedText(threshold.votes_needed));
  const std::string bar = FractionText(threshold.bar);
  const std::string base = GroupedText(threshold.base);
  switch (threshold.kind) {
    case ThresholdKind::kShare:
      if (threshold.given_total) {
        // xgettext:no-c-format (a per cent sign, no directive)
        return Tr("{1} % of {2} (the total given) = {3}: {4}", DecimalText(rule.share), base, bar,
                  needed);
      }
      // xgettext:no-c-format (a per cent sign, no directive)
      return Tr("{1} % of {2} (the listed votes) = {3}: {4}", DecimalText(rule.share), base, bar,
                needed);
    case ThresholdKind::kQuota:
      if (threshold.given_total) {
        return Tr("the Hare quotient of {1} (the total given) for the seats, {2}: {3}", base, bar,
                  needed);
      }
      return Tr("the Hare quotient of {1} (the listed votes) for the seats, {2}: {3}", base, bar,
                needed);
    case ThresholdKind::kVotes:
    case ThresholdKind::kNone:
      break;
  }
  return needed;
}

std::string ThresholdRuleText(const Threshold& threshold) {
  const std::string base =
      threshold.total ? Tr("{1} votes", GroupedText(*threshold.total)) : Tr("the listed votes");
  switch (threshold.kind) {
    case ThresholdKind::kShare:
      // xgettext:no-c-format (a per cent sign, no directive)
      return Tr("{1} % of {2}", DecimalText(threshold.share), base);
    case ThresholdKind::kQuota:
      return Tr("the Hare quotient of {1}", base);
    case ThresholdKind::kVotes:
    case ThresholdKind::kNone:
      break;
  }
  return Tr("{1} votes", GroupedText(threshold.votes));
}

std::string SweepThresholdSentence(const Threshold& threshold) {
  if (threshold.kind == ThresholdKind::kNone) return "";
  return Tr("Threshold: {1}; a party under it has 0 seats at that seat count.",
            ThresholdRuleText(threshold));
}

std::vector<std::string> ThresholdSentences(const District& district,
                                            const MethodOutcome& outcome) {
  if (!outcome.threshold) return {};
  const ThresholdOutcome& threshold = *outcome.threshold;
  std::vector<std::string> sentences = {
      Tr("Threshold: {1}.", ThresholdText(threshold, district.rules.threshold))};
  if (!threshold.under.empty()) {
    sentences.push_back(Tr("Under it, with 0 seats: {1}.", PartyLabels(district, threshold.under)));
  }
  if (!threshold.exempt_under.empty()) {
    sentences.push_back(Tr("Under it but exempt, taking part: {1}.",
                           PartyLabels(district, threshold.exempt_under)));
  }
  return sentences;
}

bool FlooredRankedExactly(const std::vector<MethodOutcome>& outcomes) {
  return std::any_of(outcomes.begin(), outcomes.end(), [](const MethodOutcome& outcome) {
    return outcome.quota && outcome.quota->ranked_exactly && !RuleOf(outcome.quota->method).exact;
  });
}

std::string TieRuleLine(TieRule rule) {
  if (rule == TieRule::kOrder) return "";
  return Tr("Equal remainders and averages go to the party with more votes first, between equal "
            "votes to the lower party number (--ties votes).") +
         "\n";
}

std::string IndexText(const std::optional<Disproportionality>& indices,
                      double Disproportionality::*index) {
  return indices ? FixedText((*indices).*index, 2, NumberSettings{}) : "";
}

std::vector<std::string> VoteShareTexts(const District& district) {
  std::vector<std::string> texts;
  for (const double share : SharesInPercent(VotesOf(district))) {
    texts.push_back(VoteShareText(share, NumberSettings{}));
  }
  return texts;
}

std::string RankingWord(bool exact) { return exact ? "exact" : "keys"; }

std::string RankingWord(Method method, bool exact) {
  return std::holds_alternative<QuotaMethod>(method) ? RankingWord(exact) : "";
}

std::string RankingLine(const std::vector<Method>& methods, bool exact) {
  const auto exact_quotient = [](Method m) {
    return std::holds_alternative<QuotaMethod>(m) && RuleOf(std::get<QuotaMethod>(m)).exact;
  };
  const auto floored = [&](Method m) {
    return std::holds_alternative<QuotaMethod>(m) && !exact_quotient(m);
  };
  std::string text;
  if (std::any_of(methods.begin(), methods.end(), floored)) {
    text =
        "\n" +
        (exact ? Tr("Remainders ranked exactly, in votes (--exact).")
               : Tr("Remainders ranked by their keys to 8 decimals, as the window ranks them.")) +
        "\n";
  }
  const auto hare_niemeyer = std::find_if(methods.begin(), methods.end(), exact_quotient);
  if (hare_niemeyer != methods.end()) {
    text += (text.empty() ? "\n" : "") +
            Tr("{1} ranks its remainders exactly, as the fractions of votes they are.",
               NameOf(*hare_niemeyer)) +
            "\n";
  }
  return text;
}

std::string NamesText(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : "; ") + name;
  return text;
}

std::string PartyLabels(const District& district, const std::vector<std::int32_t>& parties) {
  std::vector<std::string> names;
  names.reserve(parties.size());
  for (const std::int32_t party : parties) {
    names.push_back(PartyLabel(district, static_cast<std::size_t>(party - 1)));
  }
  return NamesText(names);
}

std::string MarginText(const std::optional<std::int64_t>& votes) {
  return votes ? std::to_string(*votes) : "—";
}

std::string PartyLabel(const District& district, std::size_t party_index) {
  const std::string& name = district.parties[party_index].name;
  return name.empty()
             ? std::string(CaptionOf(Caption::kParty)) + " " + std::to_string(party_index + 1)
             : name;
}

std::string DivisorNote() {
  return Tr("Divisor methods have no quota and no preliminary seats: \"делител\" is the divisor") +
         "\n" +
         Tr("by which the party won its last seat (its votes / divisor was the largest average).");
}

std::string GallagherName() { return Tr("Gallagher"); }
std::string LoosemoreHanbyName() { return Tr("Loosemore-Hanby"); }

std::string IndicesTitle() { return Tr("Disproportionality, in percentage points"); }

std::string SweepTitle(Method method) {
  return Tr("{1}: final seats per party (! fewer than at one seat fewer)", NameOf(method));
}

std::string ParadoxSentence(std::string_view label, const AlabamaParadox& paradox) {
  return Tr("Alabama paradox: {1} gets {2} of {3} seats but {4} of {5}.", label,
            std::to_string(paradox.before), std::to_string(paradox.seat_count),
            std::to_string(paradox.after), std::to_string(paradox.seat_count + 1));
}

std::string NoParadoxSentence() { return Tr("No Alabama paradox in this range."); }

std::string VotesText(std::string_view number) {
  return TrN("{1} vote", "{1} votes", number == "1" ? 1 : 2, number);
}

}  // namespace mandati::format
