// The component model: classes that publish properties by name, components with names, owners and
// an owned list, the loading flag and the load notification.
//
// Each class declares KORVA_CLASS(Self, Parent) in its body and, in its source file,
// KORVA_IMPLEMENT_CLASS(Self, Parent) { c.String(...); c.Integer(...); ... } publishing its
// properties in declaration order. Lookup by name walks the class and then its ancestors,
// comparing without regard to ASCII case; the most derived declaration wins.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

class ClassInfo;
class TComponent;
template <class C>
class ClassBuilder;

#define KORVA_CLASS(Self, Parent)                    \
 public:                                             \
  using Inherited = Parent;                          \
  static const ClassInfo& StaticClass();             \
  const ClassInfo& Class() const override {          \
    return StaticClass();                            \
  }                                                  \
                                                     \
 private:                                            \
  friend class ClassBuilder<Self>;                   \
  static void PublishMembers(ClassBuilder<Self>& c); \
                                                     \
 public:

// Defines StaticClass() and opens the body of the publishing function (`c` is the builder).
#define KORVA_IMPLEMENT_CLASS(Self, Parent)                                                 \
  const ClassInfo& Self::StaticClass() {                                                    \
    static const ClassInfo info = ClassBuilder<Self>::Build(#Self, &Parent::StaticClass()); \
    return info;                                                                            \
  }                                                                                         \
  void Self::PublishMembers([[maybe_unused]] ClassBuilder<Self>& c)

// The root of every class that has published properties.
class TObject {
 public:
  virtual ~TObject() = default;
  static const ClassInfo& StaticClass();
  virtual const ClassInfo& Class() const { return StaticClass(); }
  const std::string& ClassName() const;
};

// Sub-objects reached through object properties (fonts, string lists, pictures).
class TPersistent : public TObject {
  KORVA_CLASS(TPersistent, TObject)
};

enum class PropKind { String, Integer, Bool, Enum, Set, Object, Event, Binary };

// A named constant an integer property accepts in a description (colour names, character sets).
struct IntegerIdent {
  std::string_view name;
  std::int64_t value;
};

// A published method of a form, bound to an event property by name.
struct MethodInfo {
  std::string name;
  // Returns the typed std::function that calls the method on `self`.
  std::function<std::any(TObject& self)> bind;
};

struct PropInfo {
  std::string name;
  PropKind kind = PropKind::Integer;
  std::span<const IntegerIdent> idents;     // Integer: named values
  std::span<const std::string_view> names;  // Enum: value names; Set: element names (bit i)
  std::function<std::string(const TObject&)> getString;
  std::function<void(TObject&, const std::string&)> setString;
  std::function<std::int64_t(const TObject&)> getOrdinal;
  std::function<void(TObject&, std::int64_t)> setOrdinal;
  std::function<TObject*(const TObject&)> getObject;
  std::function<void(TObject&, TObject*)> setObject;  // may be empty: the sub-object is edited in place
  std::function<void(TObject&, std::span<const std::uint8_t>)> setBinary;
  std::function<void(TObject&, const std::any&)> setEvent;  // a bound method, see MethodInfo
  std::function<bool(const TObject&)> isAssigned;           // Event: a handler is set
  // Whether a description would list the value (informative; the reader applies what it finds).
  std::function<bool(const TObject&)> stored;
};

class ClassInfo {
 public:
  using Factory = std::function<TComponent*(TComponent* owner)>;

  ClassInfo(std::string name, const ClassInfo* parent) : name_(std::move(name)), parent_(parent) {}

  const std::string& Name() const noexcept { return name_; }
  const ClassInfo* Parent() const noexcept { return parent_; }
  bool InheritsFrom(const ClassInfo& other) const noexcept;

  // Most derived declaration first; without regard to ASCII case. Null when absent.
  const PropInfo* FindProperty(std::string_view name) const;
  const MethodInfo* FindMethod(std::string_view name) const;
  // Published properties, ancestors first, each class in declaration order.
  std::vector<const PropInfo*> Properties() const;
  const std::vector<PropInfo>& OwnProperties() const noexcept { return properties_; }

  // Creates a component of this class (null factory: an abstract class or a sub-object kind).
  const Factory& Create() const noexcept { return factory_; }

  // The published component fields of a form class (name -> setter from a created component).
  struct FieldInfo {
    std::string name;
    std::function<bool(TObject& self, TComponent* component)> assign;  // false: wrong kind
  };
  const FieldInfo* FindField(std::string_view name) const;

 private:
  template <class C>
  friend class ClassBuilder;
  std::string name_;
  const ClassInfo* parent_;
  std::vector<PropInfo> properties_;
  std::vector<MethodInfo> methods_;
  std::vector<FieldInfo> fields_;
  Factory factory_;
};

// ---------------------------------------------------------------------------------------------
// Components

enum ComponentStateFlag : unsigned { csLoading = 1u << 0, csDesigning = 1u << 1, csDestroying = 1u << 2 };

class TComponent : public TPersistent {
  KORVA_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const noexcept { return name_; }
  // Names are unique among an owner's components without regard to ASCII case.
  void SetName(const std::string& name);
  // Grows whenever any component's name changes, so that indexes by name can tell they are stale.
  static std::uint64_t NameRevision() noexcept;
  TComponent* Owner() const noexcept { return owner_; }

  int ComponentCount() const noexcept { return static_cast<int>(components_.size()); }
  TComponent* Component(int index) const;

  std::int64_t Tag() const noexcept { return tag_; }
  void SetTag(std::int64_t tag) { tag_ = tag; }

  unsigned State() const noexcept { return state_; }
  bool Loading() const noexcept { return state_ & csLoading; }
  bool Designing() const noexcept { return state_ & csDesigning; }
  bool Destroying() const noexcept { return state_ & csDestroying; }
  void SetLoading(bool on);
  void SetDesigning(bool on);

  // Where a designer shows a component that has no position of its own (no effect at run time).
  struct DesignPoint {
    int X = 0;
    int Y = 0;
  };
  DesignPoint DesignPosition() const noexcept { return designPosition_; }
  void SetDesignPosition(DesignPoint where) { designPosition_ = where; }

  // Raised once the description has been applied; the inherited step clears the loading flag.
  virtual void LoadCompleted();

  // Where a description places a component read inside another one; controls take it as
  // their parent, other components ignore it.
  virtual void SetParentComponent(TComponent* /*parent*/) {}

  // Moves a component between owners (the owner frees what it owns).
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

 protected:
  // Told when a component owned by the same owner is removed, so references to it can be cleared.
  virtual void ComponentRemoved(TComponent* /*component*/) {}

 private:
  std::string name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::int64_t tag_ = 0;
  unsigned state_ = 0;
  DesignPoint designPosition_;
};

// ---------------------------------------------------------------------------------------------
// Reaching components and properties by name

int OwnedCount(const TComponent* owner);
TComponent* OwnedComponent(const TComponent* owner, int index);
// First owned component whose name equals `name` without regard to ASCII case; null for an empty
// name or an owner that owns nothing.
TComponent* LookupComponent(const TComponent* owner, std::string_view name);

bool HasProperty(const TObject* object, std::string_view name);
const PropInfo* FindProperty(const TObject* object, std::string_view name);
// The access functions fail with EPropertyError for a property the object lacks or of
// another type; callers test HasProperty first.
std::string ReadStringProperty(const TObject* object, std::string_view name);
void WriteStringProperty(TObject* object, std::string_view name, const std::string& value);
// Ordinal values: integers, enumerations, booleans and sets; an object property yields its
// sub-object's address (0 when none).
std::int64_t ReadOrdinalProperty(const TObject* object, std::string_view name);
void WriteOrdinalProperty(TObject* object, std::string_view name, std::int64_t value);
TObject* ReadObjectProperty(const TObject* object, std::string_view name);

// Kind tests and conversions.
template <class K>
bool Is(const TObject* object) {
  return dynamic_cast<const K*>(object) != nullptr;
}
[[noreturn]] void InvalidCast();
template <class K>
K& As(TObject* object) {
  if (auto* k = dynamic_cast<K*>(object)) return *k;
  InvalidCast();
}

// Classes a description may create, by name.
void RegisterClass(const ClassInfo& info);
const ClassInfo* FindClass(std::string_view name);

// ---------------------------------------------------------------------------------------------
// The builder behind KORVA_IMPLEMENT_CLASS.

template <class C>
class ClassBuilder {
 public:
  static ClassInfo Build(const char* name, const ClassInfo* parent) {
    ClassInfo info(name, parent);
    ClassBuilder<C> builder(info);
    if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> &&
                  std::is_constructible_v<C, TComponent*>) {
      info.factory_ = [](TComponent* owner) -> TComponent* { return new C(owner); };
    }
    C::PublishMembers(builder);
    return info;
  }

  template <class Get, class Set>
  ClassBuilder& String(std::string name, Get get, Set set) {
    PropInfo& p = Add(std::move(name), PropKind::String);
    p.getString = [get](const TObject& o) { return std::string(std::invoke(get, Self(o))); };
    p.setString = [set](TObject& o, const std::string& v) { std::invoke(set, Self(o), v); };
    return *this;
  }

  template <class Get, class Set>
  ClassBuilder& Integer(std::string name, Get get, Set set, std::span<const IntegerIdent> idents = {}) {
    PropInfo& p = Add(std::move(name), PropKind::Integer);
    p.idents = idents;
    p.getOrdinal = [get](const TObject& o) { return static_cast<std::int64_t>(std::invoke(get, Self(o))); };
    p.setOrdinal = [set](TObject& o, std::int64_t v) {
      using Arg = ArgumentOf<Set>;
      std::invoke(set, Self(o), static_cast<Arg>(v));
    };
    return *this;
  }

  template <class Get, class Set>
  ClassBuilder& Bool(std::string name, Get get, Set set) {
    PropInfo& p = Add(std::move(name), PropKind::Bool);
    p.getOrdinal = [get](const TObject& o) { return std::int64_t{std::invoke(get, Self(o)) ? 1 : 0}; };
    p.setOrdinal = [set](TObject& o, std::int64_t v) { std::invoke(set, Self(o), v != 0); };
    return *this;
  }

  // Enumerations: `names[i]` is the name of value i.
  template <class Get, class Set>
  ClassBuilder& Enum(std::string name, Get get, Set set, std::span<const std::string_view> names) {
    PropInfo& p = Add(std::move(name), PropKind::Enum);
    p.names = names;
    p.getOrdinal = [get](const TObject& o) { return static_cast<std::int64_t>(std::invoke(get, Self(o))); };
    p.setOrdinal = [set](TObject& o, std::int64_t v) {
      using Arg = ArgumentOf<Set>;
      std::invoke(set, Self(o), static_cast<Arg>(v));
    };
    return *this;
  }

  // Sets of an enumeration: bit i stands for `names[i]`.
  template <class Get, class Set>
  ClassBuilder& SetOf(std::string name, Get get, Set set, std::span<const std::string_view> names) {
    PropInfo& p = Add(std::move(name), PropKind::Set);
    p.names = names;
    p.getOrdinal = [get](const TObject& o) { return static_cast<std::int64_t>(std::invoke(get, Self(o))); };
    p.setOrdinal = [set](TObject& o, std::int64_t v) {
      using Arg = ArgumentOf<Set>;
      std::invoke(set, Self(o), static_cast<Arg>(v));
    };
    return *this;
  }

  // A sub-object. `set` may be nullptr: the description then edits the sub-object in place.
  template <class Get, class Set = std::nullptr_t>
  ClassBuilder& Object(std::string name, Get get, Set set = nullptr) {
    PropInfo& p = Add(std::move(name), PropKind::Object);
    p.getObject = [get](const TObject& o) -> TObject* {
      return const_cast<TObject*>(static_cast<const TObject*>(std::invoke(get, Self(o))));
    };
    if constexpr (!std::is_same_v<Set, std::nullptr_t>) {
      p.setObject = [set](TObject& o, TObject* v) {
        using Arg = std::remove_pointer_t<ArgumentOf<Set>>;
        std::invoke(set, Self(o), v ? &As<std::remove_const_t<Arg>>(v) : nullptr);
      };
    }
    return *this;
  }

  // Raw bytes written by a description (pictures); there is nothing to read back by name.
  template <class Set>
  ClassBuilder& Binary(std::string name, Set set) {
    PropInfo& p = Add(std::move(name), PropKind::Binary);
    p.setBinary = [set](TObject& o, std::span<const std::uint8_t> v) { std::invoke(set, Self(o), v); };
    return *this;
  }

  // An event property: a std::function member of the class or of an ancestor.
  template <class Fn, class Base>
  ClassBuilder& Event(std::string name, Fn Base::*field) {
    static_assert(std::is_base_of_v<Base, C>);
    PropInfo& p = Add(std::move(name), PropKind::Event);
    p.setEvent = [field](TObject& o, const std::any& bound) {
      if (const Fn* fn = std::any_cast<Fn>(&bound)) {
        static_cast<Base&>(Self(o)).*field = *fn;
      } else {
        ThrowEventMismatch();
      }
    };
    p.isAssigned = [field](const TObject& o) {
      return static_cast<bool>(static_cast<const Base&>(Self(o)).*field);
    };
    return *this;
  }

  // A published method (handlers of a form), bound to events of the matching signature.
  template <class... Args>
  ClassBuilder& Method(std::string name, void (C::*method)(Args...)) {
    MethodInfo m;
    m.name = std::move(name);
    m.bind = [method](TObject& self) -> std::any {
      C* target = &static_cast<C&>(self);
      return std::function<void(Args...)>(
          [target, method](Args... args) { (target->*method)(std::forward<Args>(args)...); });
    };
    info_.methods_.push_back(std::move(m));
    return *this;
  }

  // A published component field of a form, set when a component of that name is created.
  template <class K>
  ClassBuilder& Field(std::string name, K* C::*field) {
    info_.fields_.push_back({std::move(name), [field](TObject& self, TComponent* component) {
                               K* typed = dynamic_cast<K*>(component);
                               if (!typed) return false;
                               static_cast<C&>(self).*field = typed;
                               return true;
                             }});
    return *this;
  }

  // Marks the last property as listed in a description only when `stored` says so.
  template <class Pred>
  ClassBuilder& StoredWhen(Pred stored) {
    info_.properties_.back().stored = [stored](const TObject& o) { return std::invoke(stored, Self(o)); };
    return *this;
  }

 private:
  explicit ClassBuilder(ClassInfo& info) : info_(info) {}

  static C& Self(TObject& o) { return static_cast<C&>(o); }
  static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
  [[noreturn]] static void ThrowEventMismatch();

  // The value type a setter takes: the parameter of a member function, else a plain integer.
  template <class F>
  struct ArgumentOfImpl {
    using type = std::int64_t;
  };
  template <class R, class K, class A>
  struct ArgumentOfImpl<R (K::*)(A)> {
    using type = std::remove_cvref_t<A>;
  };
  template <class R, class K, class A>
  struct ArgumentOfImpl<R (K::*)(A) noexcept> {
    using type = std::remove_cvref_t<A>;
  };
  template <class F>
  using ArgumentOf = typename ArgumentOfImpl<F>::type;

  PropInfo& Add(std::string name, PropKind kind) {
    PropInfo& p = info_.properties_.emplace_back();
    p.name = std::move(name);
    p.kind = kind;
    return p;
  }

  ClassInfo& info_;
};

[[noreturn]] void ThrowInvalidEventBinding();

template <class C>
void ClassBuilder<C>::ThrowEventMismatch() {
  ThrowInvalidEventBinding();
}
