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
// Per component it keeps its name as it was when built and whether an earlier component bears the
// same name; an open-addressing table maps names to their first bearer. Names may change between
// walks, so each walk checks them again before trusting them. Tables are usually written in the
// owner's order, so a lookup first tries the component after the last one found and checks names
// as it goes: a walk over a large form then reads each component once, in order.
class NameTable {
 public:
  // Whether the table was built for `owner` as it is now, as far as joining and leaving go:
  // components join an owner only at its end, and their removal is reported (Invalidate).
  bool Current(const TComponent* owner) const;
  void Invalidate() { valid_ = false; }
  // From here on, names are checked again from the first component on.
  void StartWalk() { guess_ = checked_ = 0; }
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
  bool CheckNext();
  TComponent* Found(size_t index);

  const TComponent* owner_ = nullptr;
  std::vector<std::uint8_t> first_;  // 1: no earlier component bears this one's name
  std::string names_;                // every name as it was when built, one after the other
  std::vector<size_t> ends_;         // where each name ends in names_
  std::vector<Slot> slots_ = std::vector<Slot>(1);
  size_t mask_ = 0;
  size_t guess_ = 0;    // the component after the last one found
  size_t checked_ = 0;  // components whose names were found unchanged since StartWalk
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
  // Tell a current index about a line the caller has just put at `index` in place of one with
  // the key `key`, or appended with the key `key`, so that it stays current.
  void Replaced(const TStrings& lines, int index, std::string_view key);
  void Appended(const TStrings& lines, std::string_view key);

 private:
  struct Slot {
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    std::uint32_t index = kEmpty;
    std::uint32_t hash = 0;
  };
  void Build(const TStrings& lines);
  // The slot that holds `key`, or the empty slot where it would go.
  size_t SlotOf(const TStrings& lines, std::string_view key, std::uint64_t hash) const;
  void Insert(const TStrings& lines, std::string_view key, std::uint32_t index);

  const TStrings* list_ = nullptr;
  std::uint64_t revision_ = 0;
  bool valid_ = false;
  std::vector<std::uint8_t> last_;  // 1: no later line has this one's key
  std::vector<Slot> slots_ = std::vector<Slot>(1);
  size_t mask_ = 0;
  size_t used_ = 0;
  size_t guess_ = 0;  // the line after the last one found
};

// Splits `text` as comma text, exactly as TStrings::SetCommaText does, into `items`, which point
// into `text` or into `scratch`.
void SplitCommaText(std::string_view text, std::vector<std::string_view>& items, TStrings& scratch);
