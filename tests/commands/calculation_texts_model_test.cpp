// SPDX-License-Identifier: GPL-3.0-or-later
// The window's texts of a calculation against a deliberately plain model of the text rules:
// printf's 15 significant digits, rounded by hand with halves away from zero, keys sorted as
// bytes and the hand-out read from the keys' last three characters, on thousands of districts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "commands/form_commands.h"
#include "core/number_rules.h"

namespace mandati {
namespace {

// x with `decimals` decimals: its "%.14e" digits D and exponent e give x ~ D x 10^(e - 14).
std::string ModelFixed(double x, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14e", x);
  const bool negative = text[0] == '-';
  std::string digits;
  const char* c = text + (negative ? 1 : 0);
  for (; *c != 'e'; ++c) {
    if (*c != '.') digits += *c;
  }
  const int shift = std::atoi(c + 1) - 14 + decimals;
  long long scaled = std::stoll(digits);
  if (shift >= 0) {
    for (int i = 0; i < shift; ++i) scaled *= 10;
  } else if (shift < -17) {
    scaled = 0;
  } else {
    long long unit = 1;
    for (int i = 0; i < -shift; ++i) unit *= 10;
    scaled = scaled / unit + (2 * (scaled % unit) >= unit ? 1 : 0);
  }
  std::string all = std::to_string(scaled);
  if (static_cast<int>(all.size()) <= decimals) {
    all.insert(0, static_cast<std::size_t>(decimals + 1) - all.size(), '0');
  }
  std::string out = (negative && scaled != 0 ? "-" : "") +
                    all.substr(0, all.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) out += "." + all.substr(all.size() - static_cast<std::size_t>(decimals));
  return out;
}

TEST(TextModelTest, FixedTextNearHalvesAndPowersOfTen) {
  const struct {
    double x;
    int decimals;
  } cases[] = {{9999999.999999994, 8},
               {-9999999.999999994, 8},
               {0.999999995, 8},
               {0.9999999949999999, 8},
               {99.995, 2},
               {9.9995, 3},
               {999.9995, 3},
               {2.675, 2},
               {1.005, 2},
               {0.125, 2},
               {-0.125, 2},
               {0.00000000499999, 8},
               {99999.9999999995, 3},
               {0.30030030030030, 8}};
  for (const auto& c : cases) {
    EXPECT_EQ(FixedText(c.x, c.decimals, NumberSettings{}), ModelFixed(c.x, c.decimals)) << c.x;
  }
  EXPECT_EQ(FixedText(9999999.999999994, 8, NumberSettings{}), "9999999.99999999");
}

struct ModelColumns {
  std::vector<std::string> shares, ratios, preliminary, finals, queue;
};

ModelColumns Model(const std::vector<int>& votes, int seats, QuotaMethod method) {
  long long total = 0;
  for (const int v : votes) total += v;
  const long long quota = method == QuotaMethod::Hare    ? total / seats
                          : method == QuotaMethod::Droop ? 1 + total / (seats + 1)
                                                         : total / (seats + 1);
  ModelColumns model;
  long long given = 0;
  for (std::size_t i = 0; i < votes.size(); ++i) {
    const double x = static_cast<double>(votes[i]) / static_cast<double>(quota);
    model.shares.push_back(ModelFixed(votes[i] * 100.0 / static_cast<double>(total), 2));
    model.ratios.push_back(ModelFixed(x, 3));
    const long long full = static_cast<long long>(x);
    given += full;
    model.preliminary.push_back(std::to_string(full));
    std::string r8 = ModelFixed(x - static_cast<double>(full), 8);
    r8.erase(r8.find_last_not_of('0') + 1);
    if (r8.back() == '.') r8.pop_back();
    const std::string number = std::to_string(i + 1);
    r8.append(5 - number.size(), ' ').append(number);
    model.queue.push_back(r8);
  }
  std::sort(model.queue.begin(), model.queue.end());
  model.finals = model.preliminary;
  for (long long k = 0; k < seats - given; ++k) {
    const std::string& key = model.queue[model.queue.size() - 1 - k % model.queue.size()];
    std::string& seat = model.finals[std::stoul(key.substr(key.size() - 3)) - 1];
    seat = std::to_string(std::stoll(seat) + 1);
  }
  return model;
}

TEST(TextModelTest, SevenColumnsOfRandomDistricts) {
  std::mt19937 random(20261208);
  const auto uniform = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  int compared = 0;
  for (int d = 0; d < 3000; ++d) {
    const int parties = uniform(1, d % 10 == 0 ? 999 : 99);
    const int seats = uniform(1, d % 3 == 0 ? 400 : 40);
    const int high = d % 4 == 0 ? 30 : (d % 4 == 1 ? 2000 : 20000000);
    FormState state;
    PartyTable& table = state.table;
    std::vector<int> votes;
    for (int i = 0; i < parties; ++i) {
      votes.push_back(uniform(1, high));
      table.VotesColumn().Append(std::to_string(votes.back()));
    }
    state.values.party_count = parties;
    state.values.seat_count = seats;
    state.values.quota_method = static_cast<QuotaMethod>(d % 3);
    long long total = 0;
    for (const int v : votes) total += v;
    if (total > 2147483647 || total < seats + 1) continue;
    CalculateSeats(state, NumberSettings{});
    const ModelColumns model = Model(votes, seats, state.values.quota_method);
    ASSERT_EQ(state.total_text, std::to_string(total));
    ASSERT_EQ(table.VoteShareColumn().Rows(), model.shares) << d;
    ASSERT_EQ(table.QuotaRatioColumn().Rows(), model.ratios) << d;
    ASSERT_EQ(table.PreliminarySeatsColumn().Rows(), model.preliminary) << d;
    ASSERT_EQ(table.RemainderQueue().Rows(), model.queue) << d;
    ASSERT_EQ(table.FinalSeatsColumn().Rows(), model.finals) << d;
    ++compared;
  }
  EXPECT_GT(compared, 2500);
}

}  // namespace
}  // namespace mandati
