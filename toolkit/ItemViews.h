// Views of many items: the tree view (nodes with children) and the list view (columns, and items
// with sub-items). Both can keep their items sorted; while they do, changing an item's text moves
// the item to its sorted place at once.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "foundation/StringList.h"
#include "toolkit/Collections.h"
#include "toolkit/Controls.h"

// stData sorts by the items' Data, stText by their texts (without regard to ASCII case),
// stBoth by text and then by Data.
enum TSortType { stNone, stData, stText, stBoth };
std::span<const std::string_view> SortTypeNames();

class TTreeView;
class TTreeNodes;

class TTreeNode : public TPersistent {
  KORVA_CLASS(TTreeNode, TPersistent)
 public:
  TTreeNode(TTreeNodes* owner, TTreeNode* parent) : owner_(owner), parent_(parent) {}
  ~TTreeNode() override;
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  std::intptr_t Data() const { return data_; }
  void SetData(std::intptr_t data);
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool value);

  TTreeNodes* Owner() const { return owner_; }
  TTreeNode* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(children_.size()); }
  TTreeNode* Item(int index) const;     // a child; "List index out of bounds (%d)" outside
  int Index() const { return index_; }  // among its siblings
  int Level() const;                    // 0 for a top-level node
  // The node after this one in depth-first order (see TTreeNodes::Item), or null.
  TTreeNode* GetNext() const;

 private:
  friend class TTreeNodes;
  TTreeNodes* owner_;
  TTreeNode* parent_;  // null for a top-level node
  std::vector<std::unique_ptr<TTreeNode>> children_;
  std::string text_;
  std::intptr_t data_ = 0;
  int index_ = 0;
  bool expanded_ = false;
};

class TTreeNodes : public TPersistent {
  KORVA_CLASS(TTreeNodes, TPersistent)
 public:
  explicit TTreeNodes(TTreeView* view);
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  TTreeView* View() const { return view_; }
  // Every node of the tree.
  int Count() const { return count_; }
  // Node `index` in depth-first order: each node before its children, children in order,
  // expanded or not. "List index out of bounds (%d)" outside 0 to Count - 1.
  TTreeNode* Item(int index) const;
  // All nodes in that order.
  const std::vector<TTreeNode*>& DepthFirst() const;
  TTreeNode* GetFirstNode() const { return roots_.Count() ? roots_.Item(0) : nullptr; }

  // A new last node beside `sibling` (a top-level node when null).
  TTreeNode* Add(TTreeNode* sibling, const std::string& text);
  // A new last child of `parent` (a top-level node when null).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  void Delete(TTreeNode* node);
  void Clear();

 private:
  friend class TTreeNode;
  friend class TTreeView;
  std::vector<std::unique_ptr<TTreeNode>>& ChildrenOf(TTreeNode* parent);
  const std::vector<std::unique_ptr<TTreeNode>>& ChildrenOf(const TTreeNode* parent) const;
  static void Renumber(std::vector<std::unique_ptr<TTreeNode>>& nodes, size_t from = 0);
  // Sorts one level by the view's sorting order; true when nodes moved.
  bool SortLevel(std::vector<std::unique_ptr<TTreeNode>>& nodes);
  void Sort(std::vector<std::unique_ptr<TTreeNode>>& nodes);
  void SortAll();
  void StructureChanged();

  TTreeView* view_;
  TTreeNode roots_{this, nullptr};  // holds the top-level nodes; not itself a node of the tree
  int count_ = 0;
  mutable std::vector<TTreeNode*> order_;
  mutable bool orderValid_ = false;
};

class TTreeView : public TWinControl {
  KORVA_CLASS(TTreeView, TWinControl)
 public:
  explicit TTreeView(TComponent* owner);

  TTreeNodes* Items() const { return items_.get(); }
  TSortType SortType() const { return sortType_; }
  // Sorting again when a sorting order is chosen.
  void SetSortType(TSortType value);
  void AlphaSort();

 private:
  friend class TTreeNode;
  TSortType sortType_ = stNone;
  std::unique_ptr<TTreeNodes> items_ = std::make_unique<TTreeNodes>(this);
};

// ---------------------------------------------------------------------------------------------

class TListColumn : public TCollectionItem {
  KORVA_CLASS(TListColumn, TCollectionItem)
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Width() const { return width_; }
  void SetWidth(int width);

 private:
  std::string caption_;
  int width_ = 50;
};

class TListColumns : public TTypedCollection<TListColumn> {
  KORVA_CLASS(TListColumns, TCollection)
 public:
  TListColumn* AddColumn(const std::string& caption);
};

class TListView;
class TListItems;

class TListItem : public TPersistent {
  KORVA_CLASS(TListItem, TPersistent)
 public:
  explicit TListItem(TListItems* owner);
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TStrings* SubItems() const { return subItems_.get(); }
  void SetSubItems(const TStrings* items);
  std::intptr_t Data() const { return data_; }
  void SetData(std::intptr_t data);
  int Index() const;

 private:
  friend class TListItems;
  TListItems* owner_;
  std::string caption_;
  std::unique_ptr<TStrings> subItems_ = std::make_unique<TStrings>();
  std::intptr_t data_ = 0;
};

class TListItems : public TPersistent {
  KORVA_CLASS(TListItems, TPersistent)
 public:
  explicit TListItems(TListView* view) : view_(view) {}
  TListItems(const TListItems&) = delete;
  TListItems& operator=(const TListItems&) = delete;

  TListView* View() const { return view_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int index) const;  // "List index out of bounds (%d)" outside 0 to Count - 1
  // A new last item (sorted into place when the view sorts).
  TListItem* Add(const std::string& caption = {});
  void Delete(int index);
  void Clear();

 private:
  friend class TListItem;
  friend class TListView;
  void Sort();
  TListView* view_;
  std::vector<std::unique_ptr<TListItem>> items_;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListView : public TWinControl {
  KORVA_CLASS(TListView, TWinControl)
 public:
  explicit TListView(TComponent* owner);

  TListColumns* Columns() const { return columns_.get(); }
  TListItems* Items() const { return items_.get(); }
  TSortType SortType() const { return sortType_; }
  // Sorting again when a sorting order is chosen.
  void SetSortType(TSortType value);
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle value);
  void AlphaSort();

 private:
  friend class TListItem;
  friend class TListItems;
  TSortType sortType_ = stNone;
  TViewStyle viewStyle_ = vsIcon;
  std::unique_ptr<TListColumns> columns_ = std::make_unique<TListColumns>();
  std::unique_ptr<TListItems> items_ = std::make_unique<TListItems>(this);
};
