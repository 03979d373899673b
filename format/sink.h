// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the formatting library writes its output and reads its input. Texts, characters and
// whole numbers are all it writes, and lines all it reads, so a small pair of classes does the
// work of iostreams without their locales, which were a quarter of the page's bench's file.
// The companion puts them over descriptors (cli/descriptors.h), the page over strings.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace mandati::format {

// The integer types a sink writes in digits: all but char, a character, and bool.
template <typename Type>
concept WholeNumber = std::integral<Type> && !std::same_as<Type, char> && !std::same_as<Type, bool>;

class Sink {
 public:
  Sink() = default;
  Sink(const Sink&) = delete;
  Sink& operator=(const Sink&) = delete;
  virtual ~Sink() = default;

  Sink& operator<<(std::string_view text);
  Sink& operator<<(char c) { return *this << std::string_view(&c, 1); }
  template <WholeNumber Number>
  Sink& operator<<(Number number) {
    if constexpr (std::signed_integral<Number>) {
      return Digits(std::int64_t{number});
    } else {
      return Digits(std::uint64_t{number});
    }
  }

  // Hands on what is held back; false when the output has failed, now or before.
  bool Flush();
  // After the first failure nothing more is written.
  bool Failed() const { return failed_; }
  // Why the output failed, as an errno value; 0 when the sink does not know.
  int Error() const { return error_; }

 protected:
  // Takes `text`, or calls Fail.
  virtual void Put(std::string_view text) = 0;
  // Hands on what Put held back, or calls Fail.
  virtual void Drain() {}
  void Fail(int error) {
    failed_ = true;
    error_ = error;
  }

 private:
  Sink& Digits(std::int64_t number);
  Sink& Digits(std::uint64_t number);

  bool failed_ = false;
  int error_ = 0;
};

// Holds the output in a string, up to `max_bytes`; more fails the sink as a full disk would,
// so that the output that overflows is reported like one that cannot be written.
class StringSink : public Sink {
 public:
  explicit StringSink(std::size_t max_bytes = std::numeric_limits<std::size_t>::max())
      : max_bytes_(max_bytes) {}
  const std::string& Text() const { return text_; }

 protected:
  void Put(std::string_view text) override;

 private:
  std::string text_;
  std::size_t max_bytes_;
};

class Source {
 public:
  Source() = default;
  Source(const Source&) = delete;
  Source& operator=(const Source&) = delete;
  virtual ~Source() = default;

  enum class LineRead { kLine, kTooLong, kEnd, kFailed };
  // The next line, without its line feed, in `line`: kLine; kTooLong as soon as the line is
  // seen to pass `max_bytes` (the rest of it is not read); kEnd at the end of the input;
  // kFailed when reading failed, which is never taken for the end.
  LineRead ReadLine(std::string& line, std::size_t max_bytes);
  // Why reading failed, as an errno value; 0 when the source does not know.
  int Error() const { return error_; }

 protected:
  // The next piece of the input, valid until the next call: empty at its end, nullopt when
  // reading failed.
  virtual std::optional<std::string_view> Piece() = 0;
  // For Piece: reading failed for the reason `error`.
  std::nullopt_t Fail(int error) {
    error_ = error;
    return std::nullopt;
  }

 private:
  std::string_view piece_;
  int error_ = 0;
};

// A text of its own, as one piece.
class StringSource : public Source {
 public:
  explicit StringSource(std::string text) : text_(std::move(text)) {}

 protected:
  std::optional<std::string_view> Piece() override {
    return std::exchange(served_, true) ? std::string_view() : std::string_view(text_);
  }

 private:
  std::string text_;
  bool served_ = false;
};

}  // namespace mandati::format
