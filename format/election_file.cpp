// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/election_file.h"

#include <algorithm>
#include <utility>

#include "format/errors.h"
#include "format/limits.h"
#include "format/messages.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

const FileKey* KeyNamed(std::string_view key) {
  for (const FileKey& file_key : kFileKeys) {
    if (file_key.key == key) return &file_key;
  }
  return nullptr;
}

std::string KeyList() {
  std::string list;
  for (const FileKey& key : kFileKeys) list += (list.empty() ? "" : ", ") + std::string(key.key);
  return list;
}

// An address: http:// or https:// and no blanks.
void CheckSource(std::string_view value) {
  if ((!value.starts_with("https://") && !value.starts_with("http://")) ||
      value.find_first_of(" \t") != std::string_view::npos) {
    throw InputError(Tr("source: {1} is not an address (https://...)", Quoted(value)));
  }
}

// A date as YYYY-MM-DD.
void CheckDate(std::string_view value) {
  const bool shape = value.size() == 10 && value[4] == '-' && value[7] == '-' &&
                     std::all_of(value.begin(), value.end(),
                                 [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
  const int month = shape ? (value[5] - '0') * 10 + (value[6] - '0') : 0;
  const int day = shape ? (value[8] - '0') * 10 + (value[9] - '0') : 0;
  if (month < 1 || month > 12 || day < 1 || day > 31) {
    throw InputError(Tr("date: {1} is not a date written as YYYY-MM-DD", Quoted(value)));
  }
}

// The keys given in one place (before the first district, or in one district): each key once,
// all of them before the place's parties.
struct Place {
  std::vector<std::pair<std::string_view, int>> keys;  // key, line
  std::vector<FileOption> options;
  bool parties_begun = false;
};

class ElectionReader {
 public:
  ElectionReader(Source& in, const std::string& source, OptionCheck check)
      : lines_(in, source), check_(check) {
    election_.source_name = source;
  }

  Election Read() {
    while (const auto text = lines_.Next()) {
      const std::string_view line = TrimmedBlanks(*text);
      if (line.empty()) continue;
      try {
        if (line.front() == '#') {
          KeyLine(line);
        } else {
          PartyLineOf(*text);
        }
      } catch (const InputError& error) {
        throw lines_.Refused(error.what());
      }
    }
    return Finished();
  }

 private:
  void KeyLine(std::string_view line) {
    RefuseUnsafeCharacters(line, /*tab_allowed=*/true);
    if (!IsUtf8(line)) throw InputError(Tr("the line is not UTF-8 text"));
    const std::string_view rest = line.substr(1);
    const auto colon = rest.find(':');
    const std::string_view key = TrimmedBlanks(rest.substr(0, colon));
    const FileKey* file_key = colon == std::string_view::npos ? nullptr : KeyNamed(key);
    if (file_key == nullptr) {
      throw InputError(Tr("{1} is no key of an election file (# key: value with the keys {2})",
                          Quoted(line), KeyList()));
    }
    const std::string value(TrimmedBlanks(rest.substr(colon + 1)));
    if (value.empty()) throw InputError(Tr("{1}: the value is missing", file_key->key));
    election_.has_keys = true;
    if (file_key->key == "district") return District(value);
    Place& place = districts_begun_ ? district_place_ : head_;
    if (!file_key->in_district && districts_begun_) {
      throw InputError(Tr("{1}: goes before the first district", file_key->key));
    }
    if (place.parties_begun || (!districts_begun_ && !parties_.empty())) {
      throw InputError(Tr("{1}: the keys go before the parties", file_key->key));
    }
    const auto twice = std::find_if(place.keys.begin(), place.keys.end(),
                                    [&](const auto& seen) { return seen.first == file_key->key; });
    if (!file_key->repeatable && twice != place.keys.end()) {
      throw InputError(
          Tr("{1}: given twice (first on line {2})", file_key->key, std::to_string(twice->second)));
    }
    place.keys.emplace_back(file_key->key, lines_.LineNumber());
    Describe(*file_key, value, place);
  }

  void Describe(const FileKey& key, const std::string& value, Place& place) {
    if (!key.option.empty()) {
      check_(key.option, value);
      place.options.push_back({key.option, value, lines_.LineNumber()});
    } else if (key.key == "title") {
      election_.title = value;
    } else if (key.key == "date") {
      CheckDate(value);
      election_.date = value;
    } else if (key.key == "source") {
      CheckSource(value);
      election_.source = value;
    } else if (districts_begun_) {
      districts_.back().notes.push_back(value);
    } else {
      election_.notes.push_back(value);
    }
  }

  void District(const std::string& name) {
    if (!parties_.empty() && !districts_begun_) {
      throw InputError(Tr("the parties before the first district belong to no district"));
    }
    for (const ElectionDistrict& district : districts_) {
      if (district.name == name) {
        throw InputError(Tr("the district {1} is named twice", Quoted(name)));
      }
    }
    CloseDistrict();
    districts_begun_ = true;
    district_place_ = Place{};
    ElectionDistrict district;
    district.name = name;
    district.first_line = lines_.LineNumber();
    districts_.push_back(std::move(district));
  }

  void PartyLineOf(std::string_view text) {
    if (std::exchange(first_party_line_, false) && IsHeaderLine(text)) return;
    Place& place = districts_begun_ ? district_place_ : head_;
    place.parties_begun = true;
    if (parties_.size() == static_cast<std::size_t>(kMaxParties)) {
      throw InputError(PartyCountLimit());
    }
    PartyLine read = ReadPartyLine(text, election_.has_keys);
    if (districts_begun_ && read.party.name.empty()) {
      throw InputError(
          Tr("in a file of districts every party needs a name, which matches its "
             "votes and seats across the districts"));
    }
    if (!seats_line_) seats_line_ = {read.official_seats.has_value(), lines_.LineNumber()};
    if (seats_line_->first != read.official_seats.has_value()) {
      throw InputError(seats_line_->first
                           ? Tr("no official seats in a third field, as line {1} gives them",
                                std::to_string(seats_line_->second))
                           : Tr("official seats in a third field, which line {1} does not give",
                                std::to_string(seats_line_->second)));
    }
    if (districts_begun_ && parties_.empty()) districts_.back().first_line = lines_.LineNumber();
    parties_.push_back(read.party);
    if (read.official_seats) official_seats_.push_back(*read.official_seats);
  }

  // Hands the parties read so far to the district they belong to, with the keys for it.
  void CloseDistrict() {
    if (!districts_begun_) return;
    ElectionDistrict& district = districts_.back();
    if (parties_.empty()) {
      throw InputError(Tr("the district {1} (line {2}) has no parties", Quoted(district.name),
                          std::to_string(district.first_line)));
    }
    district.options = OptionsFor(district_place_);
    district.parties = std::exchange(parties_, {});
    district.official_seats = std::exchange(official_seats_, {});
  }

  // The keys before the first district that `place` does not give itself, then its own.
  std::vector<FileOption> OptionsFor(const Place& place) const {
    std::vector<FileOption> options;
    for (const FileOption& option : head_.options) {
      if (std::none_of(place.options.begin(), place.options.end(),
                       [&](const FileOption& own) { return own.option == option.option; })) {
        options.push_back(option);
      }
    }
    options.insert(options.end(), place.options.begin(), place.options.end());
    return options;
  }

  Election Finished() {
    if (districts_begun_) {
      try {
        CloseDistrict();
      } catch (const InputError& error) {
        throw InputError(lines_.SourceName() + ": " + error.what());
      }
    } else {
      ElectionDistrict district;
      district.options = head_.options;
      district.parties = std::move(parties_);
      district.official_seats = std::move(official_seats_);
      districts_.push_back(std::move(district));
    }
    election_.districts = std::move(districts_);
    return std::move(election_);
  }

  LineReader lines_;
  OptionCheck check_;
  Election election_;
  Place head_;
  Place district_place_;
  bool districts_begun_ = false;
  bool first_party_line_ = true;
  std::vector<ElectionDistrict> districts_;
  std::vector<Party> parties_;
  std::vector<std::int32_t> official_seats_;
  std::optional<std::pair<bool, int>> seats_line_;  // whether the first party line had seats
};

}  // namespace

Election ReadElection(Source& in, const std::string& source, OptionCheck check_option) {
  return ElectionReader(in, source, check_option).Read();
}

}  // namespace mandati::format
