// Lookups the language switch makes for every record and every positioned component, kept from
// scanning: components by name, Positions lines by key, and splitting a line as comma text. Each
// gives exactly the result of the scan it replaces.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TComponent;
class TStrings;

// The owner's components by name, as LookupComponent finds them: the first in owner order whose
// name matches without regard to ASCII case.
//
// Per component it keeps whether an earlier component bears the same name; an open-addressing
// table maps names to their first bearer. Tables are usually written in the owner's order, so a
// lookup first tries the component after the last one found: a walk over a large form then reads
// each component once, in order.
class NameTable {
 public:
  // Whether the table was built for `owner` as it is now: components join an owner only at its
  // end, their removal is reported (Invalidate), and every change of a name shows in
  // TComponent::NameRevision.
  bool Current(const TComponent* owner) const;
  void Invalidate() { valid_ = false; }
  void Build(const TComponent* owner);
  // Needs a table that is Current for its owner. Null when no component bears the name.
  TComponent* Find(std::string_view name);

 private:
  struct Slot {
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    std::uint32_t index = kEmpty;
    std::uint32_t hash = 0;  // the low half of the name's hash
  };
  const std::string& NameAt(size_t index) const;
  bool Matches(const Slot& slot, std::uint64_t hash, std::string_view name) const;
  TComponent* Found(size_t index);

  const TComponent* owner_ = nullptr;
  std::uint64_t nameRevision_ = 0;
  std::vector<std::uint8_t> first_;  // 1: no earlier component bears this one's name
  std::vector<Slot> slots_ = std::vector<Slot>(1);
  size_t mask_ = 0;
  size_t guess_ = 0;  // the component after the last one found
  bool valid_ = false;
};

// The lines of a string list by key, the text before a line's first comma: the last line that
// begins with a key followed by a comma. Follows every change to the list (through its revision);
// changes made through Replaced and Appended keep it without a rebuild.
class KeyedLines {
 public:
  // The last line of `lines` that begins with `key` and a comma; -1 when there is none.
  int Find(const TStrings& lines, std::string_view key);
  // Whether the index follows `lines` as they are now.
  bool Current(const TStrings& lines) const;
  // Whether line `index` is plain comma text (IsPlainCommaText); needs a current index.
  bool Plain(int index) const { return flags_[static_cast<size_t>(index)] & kPlain; }
  // Tell an index that was current before the caller's one change about that change: a line put
  // at `index` in place of one with the key `key`, or appended with the key `key`, and whether it
  // is plain. The index then stays current without a rebuild.
  void Replaced(const TStrings& lines, int index, std::string_view key, bool plain);
  void Appended(const TStrings& lines, std::string_view key, bool plain);

 private:
  struct Slot {
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    std::uint32_t index = kEmpty;
    std::uint32_t hash = 0;
  };
  static constexpr std::uint8_t kLast = 1;   // no later line has this one's key
  static constexpr std::uint8_t kPlain = 2;  // plain comma text

  void Build(const TStrings& lines);
  // The slot that holds `key`, or the empty slot where it would go.
  size_t SlotOf(const TStrings& lines, std::string_view key, std::uint64_t hash) const;
  void Insert(const TStrings& lines, std::string_view key, std::uint32_t index);

  const TStrings* list_ = nullptr;
  std::uint64_t revision_ = 0;
  bool valid_ = false;
  std::vector<std::uint8_t> flags_;  // per line
  std::vector<Slot> slots_ = std::vector<Slot>(1);
  size_t mask_ = 0;
  size_t used_ = 0;
  size_t guess_ = 0;  // the line after the last one found
};

// Text without quotes, blanks, control characters and zero bytes: as comma text it has an item
// ending at every comma, and an empty one after a comma at its end. All the engine writes is such.
bool IsPlainCommaText(std::string_view text);
// Splits plain comma text into `items`, which point into `text`.
void SplitPlainCommaText(std::string_view text, std::vector<std::string_view>& items);
// Splits `text` as comma text, exactly as TStrings::SetCommaText does, into `items`, which point
// into `text` or into `scratch`.
void SplitCommaText(std::string_view text, std::vector<std::string_view>& items, TStrings& scratch);
