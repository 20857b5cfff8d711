#include "game_finder/steam_library_folders.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "platform/ascii_case.h"
#include "platform/byte_order_marks.h"

namespace game_finder {
namespace {

enum class Token { kString, kOpen, kClose, kEnd };

// Splits KeyValues text into strings and braces, one token at a time.
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {
    if (text_.starts_with(platform::kUtf8Mark)) pos_ = platform::kUtf8Mark.size();
  }

  // On kString, text() holds the string. A quoted string left open at the end of the text ends
  // it: a file cut short must not yield the half of a path.
  Token Next() {
    SkipSpaceAndComments();
    if (pos_ >= text_.size()) return Token::kEnd;
    switch (text_[pos_]) {
      case '{':
        ++pos_;
        return Token::kOpen;
      case '}':
        ++pos_;
        return Token::kClose;
      case '"':
        return ReadQuoted() ? Token::kString : Token::kEnd;
      default:
        ReadUnquoted();
        return Token::kString;
    }
  }

  const std::string& text() const { return token_; }

 private:
  static bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
  }

  void SkipSpaceAndComments() {
    while (pos_ < text_.size()) {
      if (IsSpace(text_[pos_])) {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "//") {
        const std::size_t lineEnd = text_.find('\n', pos_);
        pos_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;
      } else {
        return;
      }
    }
  }

  bool ReadQuoted() {
    token_.clear();
    ++pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (c == '\\' && pos_ < text_.size()) {
        const char escaped = Unescaped(text_[pos_]);
        if (escaped != '\0') {
          token_ += escaped;
          ++pos_;
          continue;
        }
      }
      token_ += c;  // an unknown escape keeps its backslash, as a hand-edited path needs
    }
    return false;
  }

  // The character an escape stands for, or NUL where `c` starts no escape.
  static char Unescaped(char c) {
    switch (c) {
      case '\\':
      case '"':
        return c;
      case 'n':
        return '\n';
      case 't':
        return '\t';
      default:
        return '\0';
    }
  }

  // Runs to a blank, a quote or a brace; no escapes.
  void ReadUnquoted() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '"' &&
           text_[pos_] != '{' && text_[pos_] != '}') {
      ++pos_;
    }
    token_.assign(text_.substr(start, pos_ - start));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string token_;
};

enum class Key { kNone, kDigits, kPath, kOther };

Key KindOf(std::string_view key) {
  constexpr std::string_view kPath = "path";
  if (platform::SameIgnoringAsciiCase(key, kPath)) return Key::kPath;
  const bool digits =
      !key.empty() && std::ranges::all_of(key, [](char c) { return c >= '0' && c <= '9'; });
  return digits ? Key::kDigits : Key::kOther;
}

// The folders found so far, each once ignoring ASCII case.
class Folders {
 public:
  void Add(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return;
    std::string folded = path;
    std::ranges::transform(folded, folded.begin(), platform::AsciiLower);
    if (seen_.insert(std::move(folded)).second) list_.push_back(path);
  }
  bool full() const { return list_.size() >= kSteamLibraryFolderLimit; }
  std::vector<std::string> Take() { return std::move(list_); }

 private:
  std::vector<std::string> list_;
  std::unordered_set<std::string> seen_;
};

}  // namespace

// Keeps a depth count, not a stack, so that any nesting costs no more than its braces. The
// root block is depth 1 and a library's block depth 2.
std::vector<std::string> SteamLibraryFolders(std::string_view vdf) {
  Tokenizer tokens(vdf);
  Folders folders;
  std::size_t depth = 0;
  Key key = Key::kNone;  // the key waiting for its value at the current depth
  bool library = false;  // at depth 2: the block is a library's and its path is still to come
  while (!folders.full()) {
    switch (tokens.Next()) {
      case Token::kEnd:
        return folders.Take();
      case Token::kOpen:
        if (depth == 1) library = key == Key::kDigits;
        ++depth;
        key = Key::kNone;
        break;
      case Token::kClose:
        if (depth == 0) break;  // a stray brace before the root block
        if (--depth == 0) return folders.Take();
        key = Key::kNone;
        break;
      case Token::kString:
        if (key == Key::kNone) {
          key = KindOf(tokens.text());
          break;
        }
        if (depth == 1 && key == Key::kDigits) folders.Add(tokens.text());
        if (depth == 2 && library && key == Key::kPath) {
          folders.Add(tokens.text());
          library = false;
        }
        key = Key::kNone;
        break;
    }
  }
  return folders.Take();
}

}  // namespace game_finder
