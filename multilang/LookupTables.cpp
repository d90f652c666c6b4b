#include "multilang/LookupTables.h"

#include "foundation/Component.h"
#include "foundation/StringList.h"
#include "foundation/Text.h"

namespace {

// FNV-1a; `fold` folds ASCII letters to lower case first.
std::uint64_t Hash(std::string_view text, bool fold) {
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(fold && c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    hash = (hash ^ byte) * 1099511628211ull;
  }
  return hash;
}

// A power of two with room for `count` entries at a load of at most one half.
size_t CapacityFor(size_t count) {
  size_t capacity = 16;
  while (capacity < 2 * count) capacity *= 2;
  return capacity;
}

bool HasComma(std::string_view text) {
  return text.find(',') != std::string_view::npos;
}

// The text before the first comma; the whole text when there is none.
std::string_view KeyOf(std::string_view line) {
  return line.substr(0, line.find(','));
}

bool BeginsWithKey(std::string_view line, std::string_view key) {
  return line.size() > key.size() && line[key.size()] == ',' && line.starts_with(key);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// NameTable

bool NameTable::Current(const TComponent* owner) const {
  return valid_ && owner == owner_ && static_cast<size_t>(OwnedCount(owner)) == first_.size();
}

const std::string& NameTable::NameAt(size_t index) const {
  return owner_->Component(static_cast<int>(index))->Name();
}

bool NameTable::Matches(const Slot& slot, std::uint64_t hash, std::string_view name) const {
  return slot.hash == static_cast<std::uint32_t>(hash) && SameText(NameAt(slot.index), name);
}

void NameTable::Build(const TComponent* owner) {
  const size_t count = static_cast<size_t>(OwnedCount(owner));
  owner_ = owner;
  first_.assign(count, 0);
  ends_.assign(count, 0);
  names_.clear();
  slots_.assign(CapacityFor(count), Slot{});
  mask_ = slots_.size() - 1;
  for (size_t i = 0; i < count; ++i) {
    const std::string& name = NameAt(i);
    names_ += name;
    ends_[i] = names_.size();
    if (name.empty()) continue;
    const std::uint64_t hash = Hash(name, true);
    size_t s = hash & mask_;
    while (slots_[s].index != Slot::kEmpty && !Matches(slots_[s], hash, name)) s = (s + 1) & mask_;
    if (slots_[s].index != Slot::kEmpty) continue;  // an earlier component bears the name
    slots_[s] = {static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(hash)};
    first_[i] = 1;
  }
  valid_ = true;
  checked_ = count;
}

// Compares the next unchecked component's name with the one it had when the table was built.
bool NameTable::CheckNext() {
  const size_t begin = checked_ == 0 ? 0 : ends_[checked_ - 1];
  if (std::string_view(names_).substr(begin, ends_[checked_] - begin) != NameAt(checked_)) return false;
  ++checked_;
  return true;
}

TComponent* NameTable::Found(size_t index) {
  guess_ = index + 1;
  // On a large form the components a walk is about to reach are far from the cache; fetching a
  // few ahead lets the memory work while this one is translated.
  constexpr size_t kAhead = 4;
  if (index + kAhead < first_.size()) __builtin_prefetch(owner_->Component(static_cast<int>(index + kAhead)));
  return owner_->Component(static_cast<int>(index));
}

TComponent* NameTable::Find(std::string_view name) {
  if (name.empty()) return nullptr;
  // The guess is trusted only when every component up to it has been checked.
  if (guess_ < first_.size() && guess_ <= checked_) {
    if (guess_ == checked_ && !CheckNext()) Build(owner_);
    if (first_[guess_] && SameText(NameAt(guess_), name)) return Found(guess_);
  }
  while (checked_ < first_.size())
    if (!CheckNext()) Build(owner_);
  const std::uint64_t hash = Hash(name, true);
  for (size_t s = hash & mask_; slots_[s].index != Slot::kEmpty; s = (s + 1) & mask_)
    if (Matches(slots_[s], hash, name)) return Found(slots_[s].index);
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// KeyedLines

bool KeyedLines::Current(const TStrings& lines) const {
  return valid_ && list_ == &lines && revision_ == lines.Revision();
}

size_t KeyedLines::SlotOf(const TStrings& lines, std::string_view key, std::uint64_t hash) const {
  size_t s = hash & mask_;
  while (slots_[s].index != Slot::kEmpty && !(slots_[s].hash == static_cast<std::uint32_t>(hash) &&
                                              KeyOf(lines.Get(static_cast<int>(slots_[s].index))) == key))
    s = (s + 1) & mask_;
  return s;
}

void KeyedLines::Insert(const TStrings& lines, std::string_view key, std::uint32_t index) {
  const std::uint64_t hash = Hash(key, false);
  Slot& slot = slots_[SlotOf(lines, key, hash)];
  if (slot.index != Slot::kEmpty) {
    last_[slot.index] = 0;  // a later line has its key now
  } else {
    ++used_;
  }
  slot = {index, static_cast<std::uint32_t>(hash)};
  last_[index] = 1;
}

void KeyedLines::Build(const TStrings& lines) {
  const size_t count = static_cast<size_t>(lines.Count());
  list_ = &lines;
  last_.assign(count, 0);
  slots_.assign(CapacityFor(count), Slot{});
  mask_ = slots_.size() - 1;
  used_ = 0;
  for (size_t i = 0; i < count; ++i) {
    const std::string& line = lines.Get(static_cast<int>(i));
    if (HasComma(line)) Insert(lines, KeyOf(line), static_cast<std::uint32_t>(i));
  }
  revision_ = lines.Revision();
  valid_ = true;
  guess_ = 0;
}

int KeyedLines::Find(const TStrings& lines, std::string_view key) {
  // A key that holds a comma is not the text before any line's first comma.
  if (HasComma(key)) {
    for (int i = lines.Count() - 1; i >= 0; --i)
      if (BeginsWithKey(lines.Get(i), key)) return i;
    return -1;
  }
  if (!Current(lines)) Build(lines);
  // Lines are usually looked up in the order they were written in.
  if (guess_ < last_.size() && last_[guess_] && BeginsWithKey(lines.Get(static_cast<int>(guess_)), key))
    return static_cast<int>(guess_++);
  const Slot& slot = slots_[SlotOf(lines, key, Hash(key, false))];
  if (slot.index == Slot::kEmpty) return -1;
  guess_ = slot.index + 1;
  return static_cast<int>(slot.index);
}

void KeyedLines::Replaced(const TStrings& lines, int index, std::string_view key) {
  const std::string& line = lines.Get(index);
  if (HasComma(line) && KeyOf(line) == key && !HasComma(key))
    revision_ = lines.Revision();
  else
    valid_ = false;
}

void KeyedLines::Appended(const TStrings& lines, std::string_view key) {
  const size_t index = static_cast<size_t>(lines.Count()) - 1;
  const std::string& line = lines.Get(static_cast<int>(index));
  if (!HasComma(line) || KeyOf(line) != key || HasComma(key) || 2 * (used_ + 1) > slots_.size()) {
    valid_ = false;  // rebuilt, larger, at the next lookup
    return;
  }
  last_.push_back(0);
  Insert(lines, key, static_cast<std::uint32_t>(index));
  revision_ = lines.Revision();
}

// ---------------------------------------------------------------------------------------------

void SplitCommaText(std::string_view text, std::vector<std::string_view>& items, TStrings& scratch) {
  items.clear();
  // Text without quotes, blanks, control characters and zero bytes (all the engine writes) has an
  // item ending at every comma, and an empty one after a comma at its end.
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ',') {
      items.push_back(text.substr(start, i - start));
      start = i + 1;
    } else if (c == '"' || static_cast<unsigned char>(c) <= 32) {
      items.clear();
      scratch.SetCommaText(text);
      for (int k = 0; k < scratch.Count(); ++k) items.push_back(scratch.Get(k));
      return;
    }
  }
  if (!text.empty()) items.push_back(text.substr(start));
}
