#include "foundation/StringList.h"

#include <algorithm>

#include "foundation/Errors.h"
#include "foundation/Text.h"

KORVA_IMPLEMENT_CLASS(TStrings, TPersistent) {}

TStrings::TStrings(std::initializer_list<std::string> lines) {
  for (const auto& line : lines) items_.push_back({line, nullptr});
}

TStrings::TStrings(const TStrings& other) : TPersistent(), items_(other.items_) {}

TStrings& TStrings::operator=(const TStrings& other) {
  Assign(other);
  return *this;
}

void TStrings::CheckIndex(long long index, long long upper) const {
  if (index < 0 || index > upper) ListIndexError(index);
}

void TStrings::Changed() {
  ++revision_;
  if (updateDepth_ > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  if (OnChange) OnChange();
}

void TStrings::EndUpdate() {
  if (updateDepth_ > 0 && --updateDepth_ == 0 && changedWhileUpdating_) {
    changedWhileUpdating_ = false;
    Changed();
  }
}

const std::string& TStrings::Get(int index) const {
  CheckIndex(index, Count() - 1LL);
  return items_[static_cast<size_t>(index)].text;
}

void TStrings::Put(int index, const std::string& text) {
  CheckIndex(index, Count() - 1LL);
  items_[static_cast<size_t>(index)].text = text;
  Changed();
}

TObject* TStrings::Objects(int index) const {
  CheckIndex(index, Count() - 1LL);
  return items_[static_cast<size_t>(index)].object;
}

void TStrings::PutObject(int index, TObject* object) {
  CheckIndex(index, Count() - 1LL);
  items_[static_cast<size_t>(index)].object = object;
  Changed();
}

int TStrings::Add(const std::string& text, TObject* object) {
  items_.push_back({text, object});
  Changed();
  return Count() - 1;
}

void TStrings::Insert(int index, const std::string& text, TObject* object) {
  CheckIndex(index, Count());
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

void TStrings::Delete(int index) {
  CheckIndex(index, Count() - 1LL);
  items_.erase(items_.begin() + index);
  Changed();
}

void TStrings::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TStrings::Assign(const TStrings& source) {
  if (&source == this) return;
  items_ = source.items_;
  Changed();
}

int TStrings::IndexOf(std::string_view text) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (SameText(items_[i].text, text)) return static_cast<int>(i);
  return -1;
}

void TStrings::SetCommaText(std::string_view text) {
  constexpr char kDelimiter = ',';
  constexpr char kQuote = '"';
  auto isBlank = [](char c) { return c != '\0' && static_cast<unsigned char>(c) <= 32; };
  std::vector<Item> items;
  size_t p = 0;
  // A zero byte ends the text, as it ends a zero-terminated one.
  const size_t n = std::min(text.find('\0'), text.size());
  while (p < n && isBlank(text[p])) ++p;
  while (p < n) {
    std::string item;
    if (text[p] == kQuote) {
      ++p;
      while (p < n) {
        if (text[p] == kQuote) {
          if (p + 1 < n && text[p + 1] == kQuote) {
            item += kQuote;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      const size_t start = p;
      while (p<n&& static_cast<unsigned char>(text[p])> 32 && text[p] != kDelimiter) ++p;
      item.assign(text.substr(start, p - start));
    }
    items.push_back({std::move(item), nullptr});
    while (p < n && isBlank(text[p])) ++p;
    if (p < n && text[p] == kDelimiter) {
      if (p + 1 == n) items.push_back({std::string(), nullptr});
      ++p;
      while (p < n && isBlank(text[p])) ++p;
    }
  }
  items_ = std::move(items);
  Changed();
}

std::string TStrings::Text() const {
  std::string text;
  for (const auto& item : items_) {
    text += item.text;
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  std::vector<Item> items;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    items.push_back({std::string(text.substr(start, end - start)), nullptr});
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    start = end;
  }
  items_ = std::move(items);
  Changed();
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> lines;
  lines.reserve(items_.size());
  for (const auto& item : items_) lines.push_back(item.text);
  return lines;
}

bool TStrings::operator==(const TStrings& other) const {
  return items_ == other.items_;
}
