// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locale_settings.h"

#include <ostream>
#include <string>

#include <QLocale>
#include <QString>

#include <gtest/gtest.h>

#include "core/number_rules.h"

namespace mandati {
namespace {

struct LocaleCase {
  const char* locale_name;  // "C" stands for QLocale::c()
  std::string decimal_separator;
  int group_size;
  std::string written_share;  // FixedText(1234.5, 2) in these settings
};

// Names the case in test output.
void PrintTo(const LocaleCase& c, std::ostream* out) { *out << c.locale_name; }

class SettingsFromLocaleTest : public ::testing::TestWithParam<LocaleCase> {};

QLocale LocaleNamed(const char* name) {
  return std::string(name) == "C" ? QLocale::c() : QLocale(QString::fromLatin1(name));
}

TEST_P(SettingsFromLocaleTest, TakesTheLocalesWayOfWritingNumbers) {
  const QLocale locale = LocaleNamed(GetParam().locale_name);
  const NumberSettings settings = SettingsFromLocale(locale);
  EXPECT_EQ(settings.decimal_separator, GetParam().decimal_separator);
  EXPECT_EQ(settings.group_separator, locale.groupSeparator().toStdString());
  EXPECT_EQ(settings.group_size, GetParam().group_size);
  EXPECT_TRUE(settings.leading_zero);
  EXPECT_EQ(settings.negative_form, NumberSettings::NegativeForm::kLeadingMinus);
}

TEST_P(SettingsFromLocaleTest, WritesNumbersAsTheLocaleDoes) {
  const QLocale locale = LocaleNamed(GetParam().locale_name);
  const NumberSettings settings = SettingsFromLocale(locale);
  EXPECT_EQ(FixedText(1234.5, 2, settings), GetParam().written_share);
  EXPECT_EQ(QString::fromStdString(FixedText(-0.25, 2, settings)), locale.toString(-0.25, 'f', 2));
}

// bg_BG groups thousands with a no-break space (U+00A0).
INSTANTIATE_TEST_SUITE_P(Locales, SettingsFromLocaleTest,
                         ::testing::Values(LocaleCase{"bg_BG", ",", 3, "1\u00a0234,50"},
                                           LocaleCase{"C", ".", 0, "1234.50"},
                                           LocaleCase{"en_US", ".", 3, "1,234.50"}),
                         [](const ::testing::TestParamInfo<LocaleCase>& case_info) {
                           return std::string(case_info.param.locale_name);
                         });

}  // namespace
}  // namespace mandati
