// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "format/calculation.h"

namespace mandati::format {

// One method's share of the seats, in per cent, party i at index i - 1.
struct ShareSeries {
  std::string method;  // the method's name as the window and the help text write it
  std::vector<double> seat_shares;
};

// A standalone SVG 1.1 picture for a slide: per party a group of bars, its share of the
// votes and its share of the seats under each method, with a legend.
std::string SharesSvg(const std::vector<std::string>& parties,
                      const std::vector<double>& vote_shares,
                      const std::vector<ShareSeries>& methods, int seats);

// A standalone SVG 1.1 picture: per method, each party's seats against the seat count, with
// every Alabama paradox marked where the party loses its seat.
std::string SweepSvg(const std::vector<std::string>& parties,
                     const std::vector<MethodSweep>& methods);

}  // namespace mandati::format
