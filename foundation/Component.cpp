#include "foundation/Component.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "foundation/Errors.h"
#include "foundation/Text.h"

// ---------------------------------------------------------------------------------------------
// Classes

const ClassInfo& TObject::StaticClass() {
  static const ClassInfo info("TObject", nullptr);
  return info;
}

const std::string& TObject::ClassName() const {
  return Class().Name();
}

KORVA_IMPLEMENT_CLASS(TPersistent, TObject) {}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const noexcept {
  for (const ClassInfo* c = this; c; c = c->parent_)
    if (c == &other) return true;
  return false;
}

const PropInfo* ClassInfo::FindProperty(std::string_view name) const {
  for (const ClassInfo* c = this; c; c = c->parent_)
    for (const PropInfo& p : c->properties_)
      if (SameText(p.name, name)) return &p;
  return nullptr;
}

const MethodInfo* ClassInfo::FindMethod(std::string_view name) const {
  for (const ClassInfo* c = this; c; c = c->parent_)
    for (const MethodInfo& m : c->methods_)
      if (SameText(m.name, name)) return &m;
  return nullptr;
}

const ClassInfo::FieldInfo* ClassInfo::FindField(std::string_view name) const {
  for (const ClassInfo* c = this; c; c = c->parent_)
    for (const FieldInfo& f : c->fields_)
      if (SameText(f.name, name)) return &f;
  return nullptr;
}

std::vector<const PropInfo*> ClassInfo::Properties() const {
  std::vector<const ClassInfo*> chain;
  for (const ClassInfo* c = this; c; c = c->parent_) chain.push_back(c);
  std::vector<const PropInfo*> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const PropInfo& p : (*it)->properties_) result.push_back(&p);
  return result;
}

namespace {

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return AsciiLowerCase(a) < AsciiLowerCase(b);
  }
};

std::map<std::string, const ClassInfo*, CaseInsensitiveLess>& ClassRegistry() {
  static std::map<std::string, const ClassInfo*, CaseInsensitiveLess> registry;
  return registry;
}

}  // namespace

void RegisterClass(const ClassInfo& info) {
  ClassRegistry()[info.Name()] = &info;
}

const ClassInfo* FindClass(std::string_view name) {
  auto& registry = ClassRegistry();
  auto it = registry.find(std::string(name));
  return it == registry.end() ? nullptr : it->second;
}

void InvalidCast() {
  throw EInvalidCast("Invalid class typecast");
}

void ThrowInvalidEventBinding() {
  throw EPropertyError("Invalid property value");
}

// ---------------------------------------------------------------------------------------------
// Components

KORVA_IMPLEMENT_CLASS(TComponent, TPersistent) {
  c.String("Name", &TComponent::Name, &TComponent::SetName).StoredWhen([](const TComponent&) {
    return false;
  });
  c.Integer("Tag", &TComponent::Tag, &TComponent::SetTag);
}

namespace {
std::uint64_t nameRevision = 0;
}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  // The owner frees what it owns, the last first.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    delete last;  // its destructor removes it from this list
  }
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (owner_ && !name.empty()) {
    TComponent* existing = LookupComponent(owner_, name);
    if (existing && existing != this)
      throw EComponentError(Format("A component named %s already exists", name.c_str()));
  }
  name_ = name;
  ++nameRevision;
}

std::uint64_t TComponent::NameRevision() noexcept {
  return nameRevision;
}

TComponent* TComponent::Component(int index) const {
  if (index < 0 || index >= ComponentCount()) ListIndexError(index);
  return components_[static_cast<size_t>(index)];
}

void TComponent::SetLoading(bool on) {
  state_ = on ? (state_ | csLoading) : (state_ & ~csLoading);
}
void TComponent::SetDesigning(bool on) {
  state_ = on ? (state_ | csDesigning) : (state_ & ~csDesigning);
}

void TComponent::LoadCompleted() {
  SetLoading(false);
}

void TComponent::InsertComponent(TComponent* component) {
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* component) {
  // From the back: an owner being destroyed frees its components the last first, so each is
  // found at once and freeing many stays linear.
  const auto found = std::find(components_.rbegin(), components_.rend(), component);
  if (found == components_.rend()) return;
  components_.erase(std::next(found).base());
  component->owner_ = nullptr;
  if (!Destroying())
    for (TComponent* sibling : components_) sibling->ComponentRemoved(component);
}

// ---------------------------------------------------------------------------------------------
// By name

int OwnedCount(const TComponent* owner) {
  return owner ? owner->ComponentCount() : 0;
}

TComponent* OwnedComponent(const TComponent* owner, int index) {
  if (!owner) ListIndexError(index);
  return owner->Component(index);
}

TComponent* LookupComponent(const TComponent* owner, std::string_view name) {
  if (!owner || name.empty()) return nullptr;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Component(i);
    if (SameText(c->Name(), name)) return c;
  }
  return nullptr;
}

const PropInfo* FindProperty(const TObject* object, std::string_view name) {
  return object ? object->Class().FindProperty(name) : nullptr;
}

bool HasProperty(const TObject* object, std::string_view name) {
  return FindProperty(object, name) != nullptr;
}

namespace {

const PropInfo& Require(const TObject* object, std::string_view name) {
  const PropInfo* p = FindProperty(object, name);
  if (!p)
    throw EPropertyError(Format("Property %.*s does not exist", static_cast<int>(name.size()), name.data()));
  return *p;
}

[[noreturn]] void WrongType(const PropInfo& p) {
  throw EPropertyError(Format("Invalid property type: %s", p.name.c_str()));
}

bool IsOrdinal(PropKind kind) {
  return kind == PropKind::Integer || kind == PropKind::Bool || kind == PropKind::Enum ||
         kind == PropKind::Set;
}

}  // namespace

std::string ReadStringProperty(const TObject* object, std::string_view name) {
  const PropInfo& p = Require(object, name);
  if (p.kind != PropKind::String) WrongType(p);
  return p.getString(*object);
}

void WriteStringProperty(TObject* object, std::string_view name, const std::string& value) {
  const PropInfo& p = Require(object, name);
  if (p.kind != PropKind::String) WrongType(p);
  p.setString(*object, value);
}

std::int64_t ReadOrdinalProperty(const TObject* object, std::string_view name) {
  const PropInfo& p = Require(object, name);
  if (p.kind == PropKind::Object)
    return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(p.getObject(*object)));
  if (!IsOrdinal(p.kind)) WrongType(p);
  return p.getOrdinal(*object);
}

void WriteOrdinalProperty(TObject* object, std::string_view name, std::int64_t value) {
  const PropInfo& p = Require(object, name);
  if (!IsOrdinal(p.kind)) WrongType(p);
  p.setOrdinal(*object, value);
}

TObject* ReadObjectProperty(const TObject* object, std::string_view name) {
  const PropInfo& p = Require(object, name);
  if (p.kind != PropKind::Object) WrongType(p);
  return p.getObject(*object);
}
