// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/embedded_catalogues.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "format/messages.h"

namespace mandati::web {
namespace {

// Every language has its catalogue in the page, byte for byte the one msgfmt compiled.
TEST(EmbeddedCatalogueTest, TheCompiledCatalogueOfEveryLanguage) {
  for (const format::LanguageCode& entry : format::kLanguageCodes) {
    const std::string path =
        MANDATI_BUILD_LOCALEDIR "/" + std::string(entry.code) + "/LC_MESSAGES/mandati.mo";
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> compiled{std::istreambuf_iterator<char>(file),
                                              std::istreambuf_iterator<char>()};
    const std::span<const unsigned char> embedded = EmbeddedCatalogue(entry.code);
    EXPECT_FALSE(compiled.empty()) << path;
    EXPECT_EQ(std::vector<unsigned char>(embedded.begin(), embedded.end()), compiled) << path;
  }
  EXPECT_TRUE(EmbeddedCatalogue("de").empty());
}

}  // namespace
}  // namespace mandati::web
