#include "toolkit/ItemViews.h"

#include <algorithm>

#include "foundation/Errors.h"
#include "toolkit/KindSupport.h"

namespace {

constexpr std::string_view kSortTypeNames[] = {"stNone", "stData", "stText", "stBoth"};
constexpr std::string_view kViewStyleNames[] = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};

int CompareTextNoCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Whether `a` sorts before `b` under `sort` (stable sorting keeps equal ones in their order).
bool SortsBefore(TSortType sort, const std::string& textA, std::intptr_t dataA, const std::string& textB,
                 std::intptr_t dataB) {
  if (sort == stText || sort == stBoth) {
    const int byText = CompareTextNoCase(textA, textB);
    if (byText != 0 || sort == stText) return byText < 0;
  }
  return dataA < dataB;
}

// Stable; small levels (the usual case) without the temporary buffer std::stable_sort allocates.
template <class T, class Before>
void StableSort(std::vector<T>& items, Before before) {
  if (items.size() > 32) {
    std::stable_sort(items.begin(), items.end(), before);
    return;
  }
  for (size_t i = 1; i < items.size(); ++i)
    for (size_t j = i; j > 0 && before(items[j], items[j - 1]); --j) std::swap(items[j], items[j - 1]);
}

bool SortsByText(TSortType sort) {
  return sort == stText || sort == stBoth;
}

}  // namespace

std::span<const std::string_view> SortTypeNames() {
  return kSortTypeNames;
}

KORVA_IMPLEMENT_CLASS(TTreeNode, TPersistent) {
  c.String("Text", &TTreeNode::Text, &TTreeNode::SetText);
  c.Bool("Expanded", &TTreeNode::Expanded, &TTreeNode::SetExpanded);
}

KORVA_IMPLEMENT_CLASS(TTreeNodes, TPersistent) {}

KORVA_IMPLEMENT_CLASS(TTreeView, TWinControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Items", &TTreeView::Items);
  c.Enum("SortType", &TTreeView::SortType, &TTreeView::SetSortType, kSortTypeNames);
}

KORVA_IMPLEMENT_CLASS(TListColumn, TCollectionItem) {
  c.String("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  c.Integer("Width", &TListColumn::Width, &TListColumn::SetWidth);
}

KORVA_IMPLEMENT_CLASS(TListColumns, TCollection) {}

KORVA_IMPLEMENT_CLASS(TListItem, TPersistent) {
  c.String("Caption", &TListItem::Caption, &TListItem::SetCaption);
  c.Object("SubItems", &TListItem::SubItems, &TListItem::SetSubItems);
}

KORVA_IMPLEMENT_CLASS(TListItems, TPersistent) {}

KORVA_IMPLEMENT_CLASS(TListView, TWinControl) {
  PublishLook(c);
  PublishFocus(c);
  PublishClicks(c);
  c.Object("Columns", &TListView::Columns);
  c.Object("Items", &TListView::Items);
  c.Enum("SortType", &TListView::SortType, &TListView::SetSortType, kSortTypeNames);
  c.Enum("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle, kViewStyleNames);
}

// ---------------------------------------------------------------------------------------------
// Tree view

TTreeNode::~TTreeNode() {
  // Frees the subtree without recursion, so a very deep tree cannot exhaust the call stack.
  std::vector<std::unique_ptr<TTreeNode>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<TTreeNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children_) pending.push_back(std::move(child));
    node->children_.clear();
  }
}

void TTreeNode::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  TTreeView* view = owner_->View();
  if (view && SortsByText(view->SortType())) owner_->Sort(owner_->ChildrenOf(parent_));
  if (view) view->Invalidate();
}

void TTreeNode::SetData(std::intptr_t data) {
  if (data == data_) return;
  data_ = data;
  TTreeView* view = owner_->View();
  if (view && (view->SortType() == stData || view->SortType() == stBoth))
    owner_->Sort(owner_->ChildrenOf(parent_));
}

void TTreeNode::SetExpanded(bool value) {
  if (value == expanded_) return;
  expanded_ = value;
  if (owner_->View()) owner_->View()->Invalidate();
}

TTreeNode* TTreeNode::Item(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return children_[static_cast<size_t>(index)].get();
}

TTreeNode* TTreeNode::GetNext() const {
  if (!children_.empty()) return children_.front().get();
  for (const TTreeNode* node = this; node; node = node->parent_) {
    const auto& siblings = owner_->ChildrenOf(node->parent_);
    if (static_cast<size_t>(node->index_) + 1 < siblings.size())
      return siblings[static_cast<size_t>(node->index_) + 1].get();
  }
  return nullptr;
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

TTreeNodes::TTreeNodes(TTreeView* view) : view_(view) {}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::ChildrenOf(TTreeNode* parent) {
  return parent ? parent->children_ : roots_.children_;
}

const std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::ChildrenOf(const TTreeNode* parent) const {
  return parent ? parent->children_ : roots_.children_;
}

void TTreeNodes::Renumber(std::vector<std::unique_ptr<TTreeNode>>& nodes, size_t from) {
  for (size_t i = from; i < nodes.size(); ++i) nodes[i]->index_ = static_cast<int>(i);
}

const std::vector<TTreeNode*>& TTreeNodes::DepthFirst() const {
  if (!orderValid_) {
    order_.clear();
    order_.reserve(static_cast<size_t>(count_));
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) order_.push_back(node);
    orderValid_ = true;
  }
  return order_;
}

TTreeNode* TTreeNodes::Item(int index) const {
  const auto& order = DepthFirst();
  if (index < 0 || static_cast<size_t>(index) >= order.size()) ListIndexError(index);
  return order[static_cast<size_t>(index)];
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
  return AddChild(sibling ? sibling->parent_ : nullptr, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
  auto& siblings = ChildrenOf(parent);
  siblings.push_back(std::make_unique<TTreeNode>(this, parent));
  TTreeNode* node = siblings.back().get();
  node->text_ = text;
  node->index_ = static_cast<int>(siblings.size()) - 1;
  ++count_;
  if (view_ && view_->SortType() != stNone) Sort(siblings);
  StructureChanged();
  return node;
}

void TTreeNodes::Delete(TTreeNode* node) {
  if (!node || node->owner_ != this) return;
  int removed = 0;
  for (std::vector<const TTreeNode*> pending{node}; !pending.empty();) {
    const TTreeNode* n = pending.back();
    pending.pop_back();
    ++removed;
    for (const auto& child : n->children_) pending.push_back(child.get());
  }
  auto& siblings = ChildrenOf(node->parent_);
  const size_t index = static_cast<size_t>(node->index_);
  siblings.erase(siblings.begin() + node->index_);
  Renumber(siblings, index);
  count_ -= removed;
  StructureChanged();
}

void TTreeNodes::Clear() {
  if (roots_.children_.empty()) return;
  roots_.children_.clear();
  count_ = 0;
  StructureChanged();
}

bool TTreeNodes::SortLevel(std::vector<std::unique_ptr<TTreeNode>>& nodes) {
  const TSortType sort = view_ ? view_->SortType() : stNone;
  auto before = [sort](const auto& a, const auto& b) {
    return SortsBefore(sort, a->text_, a->data_, b->text_, b->data_);
  };
  if (sort == stNone || std::is_sorted(nodes.begin(), nodes.end(), before)) return false;
  StableSort(nodes, before);
  Renumber(nodes);
  return true;
}

void TTreeNodes::Sort(std::vector<std::unique_ptr<TTreeNode>>& nodes) {
  if (SortLevel(nodes)) StructureChanged();
}

void TTreeNodes::SortAll() {
  if (!view_ || view_->SortType() == stNone) return;
  // Depth first, each level sorted before its nodes are visited, so the walk also leaves the
  // depth-first order behind (sparing a second walk through a large tree); without recursion,
  // so a very deep tree cannot exhaust the call stack.
  bool moved = SortLevel(roots_.children_);
  order_.clear();
  order_.reserve(static_cast<size_t>(count_));
  struct Level {
    const std::vector<std::unique_ptr<TTreeNode>>* nodes;
    size_t next;
  };
  for (std::vector<Level> pending{{&roots_.children_, 0}}; !pending.empty();) {
    Level& level = pending.back();
    if (level.next == level.nodes->size()) {
      pending.pop_back();
      continue;
    }
    TTreeNode* node = (*level.nodes)[level.next++].get();
    order_.push_back(node);
    if (!node->children_.empty()) {
      moved = SortLevel(node->children_) || moved;
      pending.push_back({&node->children_, 0});
    }
  }
  orderValid_ = true;
  if (moved) view_->Invalidate();
}

void TTreeNodes::StructureChanged() {
  orderValid_ = false;
  if (view_) view_->Invalidate();
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

void TTreeView::SetSortType(TSortType value) {
  AssignChanged(sortType_, value, [this] { AlphaSort(); });
}

void TTreeView::AlphaSort() {
  items_->SortAll();
}

// ---------------------------------------------------------------------------------------------
// List view

void TListColumn::SetCaption(const std::string& caption) {
  AssignChanged(caption_, caption, [this] { Changed(); });
}

void TListColumn::SetWidth(int width) {
  AssignChanged(width_, width, [this] { Changed(); });
}

TListColumn* TListColumns::AddColumn(const std::string& caption) {
  TListColumn* column = Add();
  column->SetCaption(caption);
  return column;
}

TListItem::TListItem(TListItems* owner) : owner_(owner) {
  subItems_->OnChange = [this] {
    if (owner_->View()) owner_->View()->Invalidate();
  };
}

void TListItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (TListView* view = owner_->View()) {
    if (SortsByText(view->SortType())) owner_->Sort();
    view->Invalidate();
  }
}

void TListItem::SetSubItems(const TStrings* items) {
  items ? subItems_->Assign(*items) : subItems_->Clear();
}

void TListItem::SetData(std::intptr_t data) {
  if (data == data_) return;
  data_ = data;
  TListView* view = owner_->View();
  if (view && (view->SortType() == stData || view->SortType() == stBoth)) owner_->Sort();
}

int TListItem::Index() const {
  for (int i = 0; i < owner_->Count(); ++i)
    if (owner_->items_[static_cast<size_t>(i)].get() == this) return i;
  return -1;
}

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return items_[static_cast<size_t>(index)].get();
}

TListItem* TListItems::Add(const std::string& caption) {
  items_.push_back(std::make_unique<TListItem>(this));
  TListItem* item = items_.back().get();
  item->caption_ = caption;
  if (view_ && view_->SortType() != stNone) Sort();
  if (view_) view_->Invalidate();
  return item;
}

void TListItems::Delete(int index) {
  if (index < 0 || index >= Count()) ListIndexError(index);
  items_.erase(items_.begin() + index);
  if (view_) view_->Invalidate();
}

void TListItems::Clear() {
  if (items_.empty()) return;
  items_.clear();
  if (view_) view_->Invalidate();
}

void TListItems::Sort() {
  const TSortType sort = view_ ? view_->SortType() : stNone;
  if (sort == stNone) return;
  auto before = [sort](const auto& a, const auto& b) {
    return SortsBefore(sort, a->caption_, a->data_, b->caption_, b->data_);
  };
  if (!std::is_sorted(items_.begin(), items_.end(), before)) StableSort(items_, before);
}

TListView::TListView(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
  columns_->OnChange = [this] { Invalidate(); };
}

void TListView::SetSortType(TSortType value) {
  AssignChanged(sortType_, value, [this] { AlphaSort(); });
}

void TListView::SetViewStyle(TViewStyle value) {
  AssignChanged(viewStyle_, value, [this] { Invalidate(); });
}

void TListView::AlphaSort() {
  items_->Sort();
  Invalidate();
}
