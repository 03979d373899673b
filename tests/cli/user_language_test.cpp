// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/user_language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace mandati::cli {
namespace {

using format::Language;

TEST(LanguageFromEnvironmentTest, LanguageThenTheLocaleOfMessages) {
  const struct {
    std::map<std::string, std::string> environment;
    Language language;
  } cases[] = {
      {{}, Language::kEnglish},
      {{{"LANGUAGE", "bg"}}, Language::kBulgarian},
      {{{"LANG", "bg_BG.UTF-8"}}, Language::kBulgarian},
      {{{"LC_ALL", "C"}}, Language::kEnglish},
      {{{"LANGUAGE", "en"}, {"LANG", "bg_BG.UTF-8"}}, Language::kEnglish},
      // The first entry with a catalogue decides, whatever the locale, "C" included.
      {{{"LANGUAGE", "de:bg_BG:en"}, {"LC_ALL", "C"}}, Language::kBulgarian},
      {{{"LANGUAGE", "de:fr"}, {"LANG", "bg"}}, Language::kBulgarian},
      {{{"LANGUAGE", ""}, {"LC_MESSAGES", "bg_BG@cyrillic"}}, Language::kBulgarian},
      // LC_ALL before LC_MESSAGES before LANG; empty ones do not count.
      {{{"LC_ALL", "C.UTF-8"}, {"LC_MESSAGES", "bg_BG.UTF-8"}}, Language::kEnglish},
      {{{"LC_ALL", ""}, {"LC_MESSAGES", "bg_BG.UTF-8"}, {"LANG", "C"}}, Language::kBulgarian},
      {{{"LANG", "bgx_BG"}}, Language::kEnglish},
  };
  for (const auto& c : cases) {
    const auto variable = [&](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    std::string shown;
    for (const auto& [name, value] : c.environment) {
      shown.append(name).append("=").append(value) += ' ';
    }
    EXPECT_EQ(LanguageFromEnvironment(variable), c.language) << shown;
  }
}

}  // namespace
}  // namespace mandati::cli
