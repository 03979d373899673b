#include "cli/machine_formats.h"

#include <algorithm>
#include <cstdio>

#include "core/quota_rules.h"

namespace mandati::cli {

namespace {

// A name that a spreadsheet would run as a formula (=, +, - or @ first) gets a leading
// apostrophe inside double quotes, so that the spreadsheet shows it as text.
std::string CsvField(const std::string& text) {
  const bool formula =
      !text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos;
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

std::string JsonParty(const District& district, const Calculation& outcome, std::size_t i) {
  const Party& party = district.parties[i];
  const PartyOutcome& figures = outcome.parties[i];
  return "{\"party\": " + std::to_string(i + 1) +
         ", \"name\": " + (party.name.empty() ? "null" : JsonString(party.name)) +
         ", \"votes\": " + std::to_string(party.votes) +
         ", \"preliminary_seats\": " + std::to_string(figures.preliminary_seats) +
         ", \"final_seats\": " + std::to_string(figures.final_seats) +
         ", \"quota_ratio\": " + figures.ratio_text + ", \"vote_share\": " + figures.share_text +
         "}";
}

// The members --explain adds to a quota, each on its own line.
std::vector<std::string> JsonExplanation(const District& district, const Calculation& outcome) {
  std::vector<std::string> queue;
  for (const int party : outcome.hand_out_order) {
    queue.push_back("{\"party\": " + std::to_string(party) + ", \"remainder\": " +
                    outcome.parties[static_cast<std::size_t>(party - 1)].remainder_text + "}");
  }
  std::vector<std::string> order;
  for (const SeatAward& award : SeatAwards(outcome)) order.push_back(std::to_string(award.party));
  return {"\"rule\": " + JsonString(QuotaRuleText(outcome.method)),
          "\"formula\": " +
              JsonString(QuotaFormulaText(outcome.method, outcome.total_votes, district.seats)),
          "\"seats_left\": " + std::to_string(std::max(outcome.seats_left, 0)),
          "\"remainder_queue\": [\n        " + Joined(queue, ",\n        ") + "\n      ]",
          "\"leftover_seats\": [" + Joined(order, ", ") + "]"};
}

std::string JsonQuota(const District& district, const Calculation& outcome, bool explain) {
  std::vector<std::string> members = {"\"method\": " + JsonString(RuleOf(outcome.method).keyword),
                                      "\"name\": " + JsonString(QuotaName(outcome.method)),
                                      "\"total_votes\": " + std::to_string(outcome.total_votes),
                                      "\"quota\": " + std::to_string(outcome.quota)};
  std::vector<std::string> parties;
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    parties.push_back(JsonParty(district, outcome, i));
  }
  members.push_back("\"parties\": [\n        " + Joined(parties, ",\n        ") + "\n      ]");
  if (explain) {
    for (std::string& member : JsonExplanation(district, outcome)) members.push_back(member);
  }
  return "    {\n      " + Joined(members, ",\n      ") + "\n    }";
}

}  // namespace

std::string CsvText(const District& district, const std::vector<Calculation>& outcomes) {
  std::string text =
      "quota_method,quota,total_votes,party,name,votes,preliminary_seats,final_seats,"
      "quota_ratio,vote_share\n";
  for (const Calculation& outcome : outcomes) {
    for (std::size_t i = 0; i < district.parties.size(); ++i) {
      const PartyOutcome& figures = outcome.parties[i];
      text += Joined({std::string(RuleOf(outcome.method).keyword), std::to_string(outcome.quota),
                      std::to_string(outcome.total_votes), std::to_string(i + 1),
                      CsvField(district.parties[i].name), std::to_string(district.parties[i].votes),
                      std::to_string(figures.preliminary_seats),
                      std::to_string(figures.final_seats), figures.ratio_text, figures.share_text},
                     ",") +
              '\n';
    }
  }
  return text;
}

std::string JsonText(const District& district, const std::vector<Calculation>& outcomes,
                     bool explain) {
  std::vector<std::string> quotas;
  quotas.reserve(outcomes.size());
  for (const Calculation& outcome : outcomes) {
    quotas.push_back(JsonQuota(district, outcome, explain));
  }
  return "{\n  \"seats\": " + std::to_string(district.seats) + ",\n  \"quotas\": [\n" +
         Joined(quotas, ",\n") + "\n  ]\n}\n";
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

}  // namespace mandati::cli
