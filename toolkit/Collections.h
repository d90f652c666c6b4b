// Collections: ordered, owned items that publish their own properties (status panels, header
// sections, list view columns, grid columns, the items of an extended combo box). Code that
// knows only the component model reaches an item through Item(i) and then by property name.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "foundation/Component.h"

class TCollection;

class TCollectionItem : public TPersistent {
  KORVA_CLASS(TCollectionItem, TPersistent)
 public:
  TCollectionItem() = default;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const noexcept { return collection_; }
  int Index() const noexcept { return index_; }

 protected:
  // Tells the collection (and so the control showing it) that a property of this item changed.
  void Changed();

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int index_ = -1;
};

class TCollection : public TPersistent {
  KORVA_CLASS(TCollection, TPersistent)
 public:
  TCollection() = default;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;
  ~TCollection() override;

  int Count() const noexcept { return static_cast<int>(items_.size()); }
  // 0 to Count - 1; any other index fails with "List index out of bounds (%d)".
  TCollectionItem* Item(int index) const;
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();

  // Raised after every change (once for all changes between BeginUpdate and EndUpdate).
  std::function<void()> OnChange;
  void BeginUpdate() noexcept { ++updateDepth_; }
  void EndUpdate();

 protected:
  virtual std::unique_ptr<TCollectionItem> CreateItem() const = 0;

 private:
  friend class TCollectionItem;
  void Changed();

  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int updateDepth_ = 0;
  bool changedWhileUpdating_ = false;
};

// A collection of one item kind, with typed access.
template <class T>
class TTypedCollection : public TCollection {
 public:
  T* Item(int index) const { return static_cast<T*>(TCollection::Item(index)); }
  T* Add() { return static_cast<T*>(TCollection::Add()); }

 protected:
  std::unique_ptr<TCollectionItem> CreateItem() const override { return std::make_unique<T>(); }
};
