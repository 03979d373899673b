// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mandati::format {
namespace {

// Each text as a name: the first character refused in it, or none. The verdicts are the
// Unicode character database's: general category, Default_Ignorable_Code_Point, noncharacters.
TEST(FirstRefusedCharacterTest, DecidesByUnicodeProperties) {
  const struct {
    const char* text;
    std::optional<char32_t> refused;
  } cases[] = {
      {"\x1B[31mА", 0x1B},                // Cc
      {"А\x7F", 0x7F},                    // Cc
      {"А\xC2\x9B", 0x9B},                // Cc, a C1 control
      {"А\tБ", U'\t'},                    // a tab in a name
      {"А\u00ADБ", 0xAD},                 // Cf: SOFT HYPHEN
      {"А\u061CБ", 0x61C},                // Cf: ARABIC LETTER MARK
      {"А\u180EБ", 0x180E},               // Cf: MONGOLIAN VOWEL SEPARATOR
      {"А\u200BБ", 0x200B},               // Cf: ZERO WIDTH SPACE
      {"\u202EАБВ", 0x202E},              // Cf: RIGHT-TO-LEFT OVERRIDE
      {"А\u2066Б\u2069", 0x2066},         // Cf: an isolate
      {"А\uFEFF", 0xFEFF},                // Cf: ZERO WIDTH NO-BREAK SPACE
      {"А\uFFF9Б", 0xFFF9},               // Cf: INTERLINEAR ANNOTATION ANCHOR
      {"А\U0001D173", 0x1D173},           // Cf: MUSICAL SYMBOL BEGIN BEAM
      {"\U0001F3F4\U000E0001", 0xE0001},  // Cf: LANGUAGE TAG, even after a black flag
      {"А\u2028Б", 0x2028},               // Zl
      {"А\u2029Б", 0x2029},               // Zp
      {"А\uE000", 0xE000},                // Co
      {"А\u0378", 0x378},                 // Cn
      {"А\u2065", 0x2065},                // Cn and default-ignorable
      {"А\uFDD0", 0xFDD0},                // noncharacters
      {"А\uFFFEБ", 0xFFFE},
      {"А\U0010FFFF", 0x10FFFF},
      {"\u3164", 0x3164},     // default-ignorable: HANGUL FILLER
      {"А\u034F", 0x34F},     // COMBINING GRAPHEME JOINER
      {"\u200DА", 0x200D},    // a joiner with nothing that shows before it,
      {"А\u200D", 0x200D},    // or after it,
      {"А \u200DБ", 0x200D},  // or a blank,
      {"А\u200D\u200DБ", 0x200D},
      {"\uFE0FА", 0xFE0F},  // a variation selector after no visible character
      {"А \uFE0F", 0xFE0F},
      {"\u2764\uFE0F\uFE0F", 0xFE0F},
      {"А\U000E0067\U000E007F", 0xE0067},                       // tags after no black flag,
      {"\U0001F3F4\U000E0067\U000E0062", 0xE0067},              // not closed,
      {"\U0001F3F4\U000E007F", 0xE007F},                        // or spelling nothing
      {"Партия \"Свобода\", Κόμμα, מִפְלָגָה, حزب", std::nullopt},  // letters and marks
      {"\u4E2D\u6587\u00A0\u2800", std::nullopt},               // no-break space, a braille blank
      {"\U0001F468\u200D\U0001F469\u200D\U0001F467", std::nullopt},        // a family emoji
      {"\U0001F3F3\uFE0F\u200D\U0001F308", std::nullopt},                  // the rainbow flag
      {"\u2764\uFE0F 1\uFE0F\u20E3", std::nullopt},                        // emoji forms, a keycap
      {"\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645", std::nullopt},  // Persian, ZWNJ
      {"\u0915\u094D\u200D\u0937", std::nullopt},                          // Devanagari, ZWJ
      {"\u845B\U000E0100", std::nullopt},  // an ideographic variation sequence
      {"\U0001F3F4\U000E0067\U000E0062\U000E0073\U000E0063\U000E0074\U000E007F\u200D\U0001F3F4",
       std::nullopt},  // the flag of Scotland, joined
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FirstRefusedCharacter(c.text, /*tab_allowed=*/false), c.refused) << c.text;
  }
  EXPECT_EQ(FirstRefusedCharacter("А\t5", /*tab_allowed=*/true), std::nullopt);
}

TEST(ShowsSomethingTest, BlanksAloneShowNothing) {
  for (const char* blank : {"", " \t", "\u00A0", "\u3000\u2003", "\u2800", "\u1680"}) {
    EXPECT_FALSE(ShowsSomething(blank)) << blank;
  }
  for (const char* shown : {"\u00A0А", "\u0301", "\U0001F5F3\uFE0F"}) {
    EXPECT_TRUE(ShowsSomething(shown)) << shown;
  }
}

TEST(CharacterNameTest, CodePointAndName) {
  const struct {
    char32_t code;
    const char* name;
  } cases[] = {
      {0x202E, "U+202E RIGHT-TO-LEFT OVERRIDE"},
      {0x1B, "U+001B ESCAPE"},  // controls by their alias
      {0x9, "U+0009 CHARACTER TABULATION"},
      {0x80, "U+0080 PADDING CHARACTER"},  // a C1 control named only by a figment
      {0x2029, "U+2029 PARAGRAPH SEPARATOR"},
      {0x3164, "U+3164 HANGUL FILLER"},
      {0xFE00, "U+FE00 VARIATION SELECTOR-1"},
      {0xFE0F, "U+FE0F VARIATION SELECTOR-16"},
      {0xE01EF, "U+E01EF VARIATION SELECTOR-256"},
      {0xE007F, "U+E007F CANCEL TAG"},
      {0x378, "U+0378 (unassigned)"},
      {0xE000, "U+E000 (private use)"},
      {0xFFFF, "U+FFFF (noncharacter)"},
      {0xD800, "U+D800 (surrogate)"},
      {U'Ж', "U+0416"},  // visible characters are not named
  };
  for (const auto& c : cases) EXPECT_EQ(CharacterName(c.code), c.name);
}

TEST(ShownTest, EscapesWhatCouldDriveOrHideText) {
  EXPECT_EQ(Shown("a\u202Eb\x1B\xFF"), "a\\xE2\\x80\\xAEb\\x1B\\xFF");
  EXPECT_EQ(Shown("\u00ADА\u00A0Б"), "\\xC2\\xADА\u00A0Б");
  EXPECT_EQ(Shown("ЖЖЖ", 2), "ЖЖ...");
}

}  // namespace
}  // namespace mandati::format
