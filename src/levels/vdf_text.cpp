#include "levels/vdf_text.h"

#include <utility>

#include "support/text_tools.h"

namespace velk {
namespace {

enum class TokenKind { Text, Open, Close, End };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;
};

class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);  // UTF-8 byte order mark
  }

  Token Next() {
    for (;;) {
      SkipBlanksAndComments();
      if (pos_ >= text_.size()) return {};
      const char c = text_[pos_];
      if (c == '{' || c == '}') {
        ++pos_;
        return {c == '{' ? TokenKind::Open : TokenKind::Close, {}};
      }
      Token token{TokenKind::Text, c == '"' ? Quoted() : Bare()};
      // A platform condition such as [$WIN32] after a value says nothing we need.
      if (c != '"' && token.text.size() > 1 && token.text.front() == '[' && token.text.back() == ']')
        continue;
      return token;
    }
  }

 private:
  void SkipBlanksAndComments() {
    while (pos_ < text_.size()) {
      const unsigned char c = static_cast<unsigned char>(text_[pos_]);
      if (c <= ' ') {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "//") {
        const size_t eol = text_.find('\n', pos_);
        pos_ = eol == std::string_view::npos ? text_.size() : eol + 1;
      } else {
        return;
      }
    }
  }

  std::string Quoted() {
    std::string out;
    for (++pos_; pos_ < text_.size() && text_[pos_] != '"'; ++pos_) {
      const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
      if (text_[pos_] == '\\' && (next == '\\' || next == '"')) ++pos_;
      out += text_[pos_];
    }
    ++pos_;  // the closing quote (past the end when it is missing)
    return out;
  }

  std::string Bare() {
    const size_t start = pos_;
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) > ' ' &&
           text_[pos_] != '{' && text_[pos_] != '}' && text_[pos_] != '"')
      ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

VdfEntry::~VdfEntry() {
  std::vector<VdfEntry> pending = std::move(children);
  while (!pending.empty()) {
    VdfEntry last = std::move(pending.back());
    pending.pop_back();
    for (VdfEntry& child : last.children) pending.push_back(std::move(child));
    last.children.clear();  // entries without children now
  }
}

std::optional<std::vector<VdfEntry>> ParseVdf(std::string_view text) {
  if (text.size() > kVdfMaxBytes) return std::nullopt;
  std::vector<VdfEntry> top;
  // The blocks open at this point, innermost last. No recursion, so deep nesting in a damaged
  // file cannot exhaust the stack. A block's vector only grows while it is innermost.
  std::vector<std::vector<VdfEntry>*> open = {&top};
  Tokenizer tokens(text);
  for (Token token = tokens.Next(); token.kind != TokenKind::End; token = tokens.Next()) {
    if (token.kind == TokenKind::Close) {
      if (open.size() > 1) open.pop_back();
      continue;
    }
    VdfEntry entry;
    if (token.kind == TokenKind::Text) {
      entry.key = std::move(token.text);
      token = tokens.Next();
    }
    if (token.kind == TokenKind::Text) {
      entry.value = std::move(token.text);
      open.back()->push_back(std::move(entry));
    } else if (token.kind == TokenKind::Open) {
      if (open.size() > kVdfMaxDepth) return std::nullopt;
      entry.isBlock = true;
      open.back()->push_back(std::move(entry));
      open.push_back(&open.back()->back().children);
    } else if (token.kind == TokenKind::Close) {
      if (open.size() > 1) open.pop_back();
    } else {
      break;
    }
  }
  return top;
}

const VdfEntry* FindVdfEntry(const std::vector<VdfEntry>& entries, std::string_view key) {
  for (const VdfEntry& entry : entries)
    if (EqualsNoCase(entry.key, key)) return &entry;
  return nullptr;
}

}  // namespace velk
