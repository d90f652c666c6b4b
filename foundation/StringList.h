// An ordered list of strings, each optionally carrying an object reference.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Component.h"

class TStrings : public TPersistent {
  KORVA_CLASS(TStrings, TPersistent)
 public:
  TStrings() = default;
  TStrings(std::initializer_list<std::string> lines);
  TStrings(const TStrings& other);
  TStrings& operator=(const TStrings& other);

  int Count() const noexcept { return static_cast<int>(items_.size()); }
  bool Empty() const noexcept { return items_.empty(); }

  // Get, Put, Delete and Objects take 0 to Count - 1, Insert takes 0 to Count; any other
  // index fails with "List index out of bounds (%d)".
  const std::string& Get(int index) const;
  const std::string& operator[](int index) const { return Get(index); }
  void Put(int index, const std::string& text);
  TObject* Objects(int index) const;
  void PutObject(int index, TObject* object);
  int Add(const std::string& text, TObject* object = nullptr);
  void Insert(int index, const std::string& text, TObject* object = nullptr);
  void Delete(int index);
  void Clear();
  // Replaces the whole contents by a copy of `source` (strings and their objects).
  void Assign(const TStrings& source);
  int IndexOf(std::string_view text) const;  // without regard to ASCII case; -1 when absent

  // Splits comma text: items end at a comma or at any character of code 32 or less; an item in
  // double quotes may hold those, with two quotes standing for one.
  void SetCommaText(std::string_view text);
  // The lines joined with CR LF, each line followed by one.
  std::string Text() const;
  void SetText(std::string_view text);

  std::vector<std::string> ToVector() const;
  bool operator==(const TStrings& other) const;

  // Raised after every change (not between BeginUpdate and the matching EndUpdate, which raises it once).
  std::function<void()> OnChange;
  void BeginUpdate() { ++updateDepth_; }
  void EndUpdate();
  // Grows with every change to the lines, also inside an update, so readers can keep indexes.
  std::uint64_t Revision() const noexcept { return revision_; }

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
    bool operator==(const Item&) const = default;
  };
  void CheckIndex(long long index, long long upper) const;
  void Changed();

  std::vector<Item> items_;
  int updateDepth_ = 0;
  bool changedWhileUpdating_ = false;
  std::uint64_t revision_ = 0;
};

using TStringList = TStrings;
