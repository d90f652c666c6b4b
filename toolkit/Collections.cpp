#include "toolkit/Collections.h"

#include "foundation/Errors.h"

KORVA_IMPLEMENT_CLASS(TCollectionItem, TPersistent) {}
KORVA_IMPLEMENT_CLASS(TCollection, TPersistent) {}

void TCollectionItem::Changed() {
  if (collection_) collection_->Changed();
}

TCollection::~TCollection() {
  // Items may look at their collection while they go; none is told of a change any more.
  OnChange = nullptr;
  items_.clear();
}

TCollectionItem* TCollection::Item(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return items_[static_cast<size_t>(index)].get();
}

TCollectionItem* TCollection::Add() {
  std::unique_ptr<TCollectionItem> item = CreateItem();
  item->collection_ = this;
  item->index_ = Count();
  items_.push_back(std::move(item));
  Changed();
  return items_.back().get();
}

void TCollection::Delete(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  items_.erase(items_.begin() + index);
  for (size_t i = static_cast<size_t>(index); i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i);
  Changed();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TCollection::EndUpdate() {
  if (updateDepth_ > 0 && --updateDepth_ == 0 && changedWhileUpdating_) {
    changedWhileUpdating_ = false;
    Changed();
  }
}

void TCollection::Changed() {
  if (updateDepth_ > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  if (OnChange) OnChange();
}
