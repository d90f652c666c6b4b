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

// Lines and keys are short: a plain loop beats calling the library's search for each.
size_t FindComma(std::string_view text, size_t from = 0) {
  for (size_t i = from; i < text.size(); ++i)
    if (text[i] == ',') return i;
  return std::string_view::npos;
}

bool HasComma(std::string_view text) {
  return FindComma(text) != std::string_view::npos;
}

// The text before the first comma; the whole text when there is none.
std::string_view KeyOf(std::string_view line) {
  return line.substr(0, FindComma(line));
}

bool BeginsWithKey(std::string_view line, std::string_view key) {
  return line.size() > key.size() && line[key.size()] == ',' && line.starts_with(key);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// NameTable

bool NameTable::Current(const TComponent* owner) const {
  return valid_ && owner == owner_ && nameRevision_ == TComponent::NameRevision() &&
         static_cast<size_t>(OwnedCount(owner)) == first_.size();
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
  nameRevision_ = TComponent::NameRevision();
  first_.assign(count, 0);
  slots_.assign(CapacityFor(count), Slot{});
  mask_ = slots_.size() - 1;
  for (size_t i = 0; i < count; ++i) {
    const std::string& name = NameAt(i);
    if (name.empty()) continue;
    const std::uint64_t hash = Hash(name, true);
    size_t s = hash & mask_;
    while (slots_[s].index != Slot::kEmpty && !Matches(slots_[s], hash, name)) s = (s + 1) & mask_;
    if (slots_[s].index != Slot::kEmpty) continue;  // an earlier component bears the name
    slots_[s] = {static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(hash)};
    first_[i] = 1;
  }
  valid_ = true;
  guess_ = 0;
}

TComponent* NameTable::Find(std::string_view name) {
  if (name.empty()) return nullptr;
  if (guess_ < first_.size() && first_[guess_] && SameText(NameAt(guess_), name)) return Found(guess_);
  const std::uint64_t hash = Hash(name, true);
  for (size_t s = hash & mask_; slots_[s].index != Slot::kEmpty; s = (s + 1) & mask_)
    if (Matches(slots_[s], hash, name)) return Found(slots_[s].index);
  return nullptr;
}

TComponent* NameTable::Found(size_t index) {
  guess_ = index + 1;
  return owner_->Component(static_cast<int>(index));
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
    flags_[slot.index] &= ~kLast;  // a later line has its key now
  } else {
    ++used_;
  }
  slot = {index, static_cast<std::uint32_t>(hash)};
  flags_[index] |= kLast;
}

void KeyedLines::Build(const TStrings& lines) {
  const size_t count = static_cast<size_t>(lines.Count());
  list_ = &lines;
  flags_.assign(count, 0);
  slots_.assign(CapacityFor(count), Slot{});
  mask_ = slots_.size() - 1;
  used_ = 0;
  for (size_t i = 0; i < count; ++i) {
    const std::string& line = lines.Get(static_cast<int>(i));
    if (IsPlainCommaText(line)) flags_[i] = kPlain;
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
  if (guess_ < flags_.size() && (flags_[guess_] & kLast) &&
      BeginsWithKey(lines.Get(static_cast<int>(guess_)), key))
    return static_cast<int>(guess_++);
  const Slot& slot = slots_[SlotOf(lines, key, Hash(key, false))];
  if (slot.index == Slot::kEmpty) return -1;
  guess_ = slot.index + 1;
  return static_cast<int>(slot.index);
}

void KeyedLines::Replaced(const TStrings& lines, int index, std::string_view key, bool plain) {
  // Anything but the caller's one change (say, by a handler of the list's changes) needs a rebuild.
  if (lines.Revision() != revision_ + 1 || !BeginsWithKey(lines.Get(index), key) || HasComma(key)) {
    valid_ = false;
    return;
  }
  auto& flags = flags_[static_cast<size_t>(index)];
  flags = static_cast<std::uint8_t>(plain ? flags | kPlain : flags & ~kPlain);
  revision_ = lines.Revision();
}

void KeyedLines::Appended(const TStrings& lines, std::string_view key, bool plain) {
  const size_t index = static_cast<size_t>(lines.Count()) - 1;
  if (lines.Revision() != revision_ + 1 || !BeginsWithKey(lines.Get(static_cast<int>(index)), key) ||
      HasComma(key) || 2 * (used_ + 1) > slots_.size()) {
    valid_ = false;  // rebuilt, larger, at the next lookup
    return;
  }
  flags_.push_back(plain ? kPlain : 0);
  Insert(lines, key, static_cast<std::uint32_t>(index));
  revision_ = lines.Revision();
}

// ---------------------------------------------------------------------------------------------

bool IsPlainCommaText(std::string_view text) {
  bool plain = true;
  for (char c : text) plain &= c != '"' && static_cast<unsigned char>(c) > 32;
  return plain;
}

void SplitPlainCommaText(std::string_view text, std::vector<std::string_view>& items) {
  items.clear();
  if (text.empty()) return;
  size_t start = 0;
  for (size_t comma; (comma = FindComma(text, start)) != std::string_view::npos; start = comma + 1)
    items.push_back(text.substr(start, comma - start));
  items.push_back(text.substr(start));
}

void SplitCommaText(std::string_view text, std::vector<std::string_view>& items, TStrings& scratch) {
  if (IsPlainCommaText(text)) return SplitPlainCommaText(text, items);
  scratch.SetCommaText(text);
  items.clear();
  for (int k = 0; k < scratch.Count(); ++k) items.push_back(scratch.Get(k));
}
