#include "win/WideText.h"

#include <algorithm>
#include <climits>

#include "text/Digits.h"

namespace win {

namespace {

// The conversion calls count in int: longer texts go in pieces.
constexpr std::size_t kPieceLength = INT_MAX / 2;

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::wstring Widen(std::string_view text) {
  // A single-byte code page gives exactly one unit per byte.
  std::wstring wide(text.size(), L'\0');
  std::size_t done = 0;
  while (done < text.size()) {
    const std::size_t piece = std::min(text.size() - done, kPieceLength);
    const int written = MultiByteToWideChar(kTextCodePage, 0, text.data() + done,
                                            static_cast<int>(piece), wide.data() + done,
                                            static_cast<int>(piece));
    if (written <= 0) return {};
    done += piece;
  }
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  // A digit typed by another script's keyboard reads as the digit it is.
  const std::wstring folded = text::FoldDecimalDigits(wide);
  const std::wstring_view text = folded;
  // At most one byte per unit; a surrogate pair may give one byte or two.
  std::string narrow(text.size(), '\0');
  std::size_t read = 0;
  std::size_t written = 0;
  while (read < text.size()) {
    std::size_t piece = std::min(text.size() - read, kPieceLength);
    // A surrogate pair stays whole.
    if (read + piece < text.size() && piece > 1 && IsHighSurrogate(text[read + piece - 1])) {
      --piece;
    }
    const int count = WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, text.data() + read,
                                          static_cast<int>(piece), narrow.data() + written,
                                          static_cast<int>(piece), nullptr, nullptr);
    if (count <= 0) return {};
    read += piece;
    written += static_cast<std::size_t>(count);
  }
  narrow.resize(written);
  return narrow;
}

}  // namespace win
