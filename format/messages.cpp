// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/messages.h"

namespace mandati::format {

namespace {

Language current_language = Language::kEnglish;
Catalogue* current_catalogue = nullptr;

}  // namespace

std::string_view CodeOf(Language language) {
  for (const LanguageCode& entry : kLanguageCodes) {
    if (entry.language == language) return entry.code;
  }
  return {};
}

std::optional<Language> LanguageOfCode(std::string_view code) {
  for (const LanguageCode& entry : kLanguageCodes) {
    if (entry.code == code) return entry.language;
  }
  return std::nullopt;
}

void SetLanguage(Language language) { current_language = language; }

Language CurrentLanguage() { return current_language; }

void SetCatalogue(Catalogue* catalogue) { current_catalogue = catalogue; }

std::string Filled(std::string_view text, std::initializer_list<std::string_view> arguments) {
  std::string filled;
  filled.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t open = text.find('{', pos);
    const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
    if (close == std::string_view::npos) {
      filled += text.substr(pos);
      break;
    }
    filled += text.substr(pos, open - pos);
    const std::string_view number = text.substr(open + 1, close - open - 1);
    std::size_t index = 0;
    bool digits = !number.empty() && number.size() <= 2;
    for (const char c : number) {
      digits = digits && c >= '0' && c <= '9';
      index = index * 10 + static_cast<std::size_t>(c - '0');
    }
    if (digits && index >= 1 && index <= arguments.size()) {
      filled += *(arguments.begin() + (index - 1));
    } else {
      filled += text.substr(open, close - open + 1);
    }
    pos = close + 1;
  }
  return filled;
}

// The empty key is not asked for: in a catalogue it names the catalogue's own header.
std::string TranslatedText(std::string_view english) {
  if (current_catalogue != nullptr && !english.empty()) {
    if (const auto text = current_catalogue->Text(current_language, english)) {
      return std::string(*text);
    }
  }
  return std::string(english);
}

std::string TranslatedPlural(std::string_view singular, std::string_view plural, std::int64_t n) {
  if (current_catalogue != nullptr && !singular.empty()) {
    if (const auto text = current_catalogue->Plural(current_language, singular, plural, n)) {
      return std::string(*text);
    }
  }
  return std::string(n == 1 ? singular : plural);
}

}  // namespace mandati::format
