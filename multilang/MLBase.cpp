#include "multilang/MLBase.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <unordered_map>

#include "foundation/Errors.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Text.h"
#include "multilang/LookupTables.h"

namespace {

// Property names the engine reaches by name.
namespace prop {
constexpr std::string_view Caption = "Caption";
constexpr std::string_view Font = "Font";
constexpr std::string_view Name = "Name";
constexpr std::string_view CharSet = "CharSet";
constexpr std::string_view Action = "Action";
constexpr std::string_view EditLabel = "EditLabel";
constexpr std::string_view ReadOnly = "ReadOnly";
constexpr std::string_view Text = "Text";
constexpr std::string_view Lines = "Lines";
constexpr std::string_view Hint = "Hint";
constexpr std::string_view Bounds[] = {"Left", "Top", "Width", "Height"};
}  // namespace prop

constexpr std::string_view kFormKey = "%Form%";
constexpr const char* kAboutText = "3.80";
constexpr size_t kAboutLength = 5;

// Messages of the component.
constexpr const char* kLanguageRange = "Value must not be higher than\rnumber of available languages.";
constexpr const char* kAtLeastOneLanguage = "You have to provide at least 1 language.";
constexpr const char* kDecreaseDroppingShown =
    "You are decreasing the number of languages.\rEntries for the removed language will be lost.\r"
    "The currently displayed language will be deleted, too.\r\rDo you really want to continue?";
constexpr const char* kDecrease =
    "You are decreasing the number of languages.\rEntries for the removed language will be lost.\r\r"
    "Continue?";
constexpr const char* kDropPositions =
    "You are going to drop the positions.\rCurrently different values are stored for each language,\r"
    "Do you want to drop these values?";
constexpr const char* kDropFormPositions =
    "You are going to drop the positions for the form.\rCurrently different values are stored for "
    "each language.\rDo you want to drop these values?";
constexpr const char* kCancelled = "Cancelled.";

// The assertion a position field with fewer than four parts fails reports this unit and line, so
// that reports stay comparable whatever the build.
constexpr const char* kUnitName = "MLBase";
constexpr int kFieldShapeAssertLine = 756;

constexpr std::string_view kSwitchPositionsNames[] = {"spNone", "spControlsOnly", "spFormAndControls"};
constexpr std::string_view kTranslateEditsNames[] = {"teNever", "teReadOnly", "teAlways"};

// Never destroyed, so that a component freed during static destruction can still leave it.
std::vector<TBaseMultiLang*>& InstanceList() {
  static auto* instances = new std::vector<TBaseMultiLang*>();
  return *instances;
}

const bool kRegistered = (RegisterClass(TBaseMultiLang::StaticClass()), true);

// What the engine asks of a class, found once per class: whether a property exists depends only on
// the class, and a class never changes once built.
struct ClassTraits {
  const PropInfo* caption = nullptr;
  const PropInfo* text = nullptr;
  const PropInfo* hint = nullptr;
  const PropInfo* action = nullptr;
  bool editLabel = false;
  const PropInfo* readOnly = nullptr;
  bool textOrLines = false;
  const PropInfo* bounds[std::size(prop::Bounds)] = {};
};

bool IsOrdinalKind(PropKind kind) {
  return kind == PropKind::Integer || kind == PropKind::Bool || kind == PropKind::Enum ||
         kind == PropKind::Set;
}

// As reading and writing by name, without finding the property again.
std::int64_t ReadOrdinal(const TObject* object, const PropInfo& p) {
  if (IsOrdinalKind(p.kind)) return p.getOrdinal(*object);
  return ReadOrdinalProperty(object, p.name);  // an object's address, or the error by name
}

void WriteOrdinal(TObject* object, const PropInfo& p, std::int64_t value) {
  if (IsOrdinalKind(p.kind))
    p.setOrdinal(*object, value);
  else
    WriteOrdinalProperty(object, p.name, value);
}

}  // namespace

std::uint8_t StartLanguage = 0;

const std::vector<TBaseMultiLang*>& MultiLangInstances() {
  return InstanceList();
}

// What the switch looks up for every record and every positioned component, and buffers it
// reuses for that.
struct TBaseMultiLang::LookupCache {
  NameTable names;
  KeyedLines positions;
  std::vector<std::string_view> items;
  TStrings scratch;
  std::string key;
  std::string line;

  std::unordered_map<const ClassInfo*, ClassTraits> classes;
  const ClassInfo* lastClass = nullptr;  // components of one kind tend to come together
  const ClassTraits* lastTraits = nullptr;

  const ClassTraits& TraitsOf(const TObject* object) {
    static const ClassTraits none;
    if (!object) return none;
    const ClassInfo& info = object->Class();
    if (&info == lastClass) return *lastTraits;
    auto [it, added] = classes.try_emplace(&info);
    if (added) {
      ClassTraits& t = it->second;
      t.caption = info.FindProperty(prop::Caption);
      t.text = info.FindProperty(prop::Text);
      t.hint = info.FindProperty(prop::Hint);
      t.action = info.FindProperty(prop::Action);
      t.editLabel = info.FindProperty(prop::EditLabel) != nullptr;
      t.readOnly = info.FindProperty(prop::ReadOnly);
      t.textOrLines = t.text || info.FindProperty(prop::Lines);
      for (size_t i = 0; i < std::size(prop::Bounds); ++i) t.bounds[i] = info.FindProperty(prop::Bounds[i]);
    }
    lastClass = &info;
    lastTraits = &it->second;
    return it->second;
  }
};

KORVA_IMPLEMENT_CLASS(TBaseMultiLang, TComponent) {
  using M = TBaseMultiLang;
  c.String("About", &M::About, &M::SetAbout).StoredWhen([](const M&) { return false; });
  c.Event("BeforeLanguageChange", &M::BeforeLanguageChange).StoredWhen([](const M& m) {
    return static_cast<bool>(m.BeforeLanguageChange);
  });
  c.Event("AfterLanguageChanged", &M::AfterLanguageChanged).StoredWhen([](const M& m) {
    return static_cast<bool>(m.AfterLanguageChanged);
  });
  c.Event("IdNotFoundError", &M::IdNotFoundError).StoredWhen([](const M& m) {
    return static_cast<bool>(m.IdNotFoundError);
  });
  c.Integer("DefaultLanguage", &M::DefaultLanguage, &M::SetDefaultLanguage).StoredWhen([](const M& m) {
    return m.DefaultLanguage() != 0;
  });
  c.Bool("DefaultEnabled", &M::DefaultEnabled, &M::SetDefaultEnabled).StoredWhen([](const M& m) {
    return m.DefaultEnabled();
  });
  c.Integer("Languages", &M::Languages, &M::SetLanguages).StoredWhen([](const M&) { return true; });
  c.Integer("ActiveLanguage", &M::ActiveLanguage, &M::SetActiveLanguage).StoredWhen([](const M& m) {
    return m.ActiveLanguage() != 0;
  });
  c.Object("Words", &M::Words).StoredWhen([](const M& m) { return !m.Words()->Empty(); });
  c.Object("DoNot", &M::DoNot, &M::SetDoNot).StoredWhen([](const M& m) { return !m.DoNot()->Empty(); });
  c.Enum("SwitchPositions", &M::SwitchPositions, &M::SetSwitchPositions, kSwitchPositionsNames)
      .StoredWhen([](const M& m) { return m.SwitchPositions() != spNone; });
  c.Enum("TranslateEdits", &M::TranslateEdits, &M::SetTranslateEdits, kTranslateEditsNames)
      .StoredWhen([](const M& m) { return m.TranslateEdits() != teReadOnly; });
  c.Object("Positions", &M::Positions, &M::SetPositions).StoredWhen([](const M& m) {
    return !m.Positions()->Empty();
  });
  c.Object("CharSets", &M::CharSets, &M::SetCharSets).StoredWhen([](const M& m) {
    return !m.CharSets()->Empty();
  });
}

// ---------------------------------------------------------------------------------------------
// Life cycle

TBaseMultiLang::TBaseMultiLang(TComponent* owner)
    : TComponent(owner), cache_(std::make_unique<LookupCache>()) {
  words_ = std::make_unique<TStrings>();
  doNot_ = std::make_unique<TStrings>();
  positions_ = std::make_unique<TStrings>();
  charSets_ = std::make_unique<TStrings>();
  InstanceList().push_back(this);
}

TBaseMultiLang::~TBaseMultiLang() {
  auto& instances = InstanceList();
  if (auto it = std::find(instances.begin(), instances.end(), this); it != instances.end())
    instances.erase(it);
  charSets_.reset();
  positions_.reset();
  doNot_.reset();
  words_.reset();
}

void TBaseMultiLang::LoadCompleted() {
  TComponent::LoadCompleted();
  if (!Designing()) SetActiveLanguage(StartLanguage);
}

void TBaseMultiLang::ComponentRemoved(TComponent* /*component*/) {
  cache_->names.Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Plain properties and the list setters

std::string TBaseMultiLang::About() const {
  return kAboutText;
}

void TBaseMultiLang::SetAbout(const std::string& value) {
  about_ = value.substr(0, kAboutLength);
}

void TBaseMultiLang::SetDoNot(const TStrings* value) {
  value ? doNot_->Assign(*value) : doNot_->Clear();
}

void TBaseMultiLang::SetPositions(const TStrings* value) {
  value ? positions_->Assign(*value) : positions_->Clear();
}

void TBaseMultiLang::SetCharSets(const TStrings* value) {
  value ? charSets_->Assign(*value) : charSets_->Clear();
}

// ---------------------------------------------------------------------------------------------
// The switch

std::string TBaseMultiLang::RecordText(int keyLine) const {
  auto line = [this](std::int64_t index) -> const std::string& {
    if (index < 0 || index > std::numeric_limits<int>::max()) ListIndexError(index);
    return words_->Get(static_cast<int>(index));
  };
  const std::string& text = line(std::int64_t{keyLine} + 1 + activeLanguage_);
  if (text.empty() && defaultEnabled_) return line(std::int64_t{keyLine} + 1 + defaultLanguage_);
  return text;
}

void TBaseMultiLang::SetActiveLanguage(std::uint8_t value) {
  if (value >= languages_) {
    ShowMessageBox(kLanguageRange, TMsgDlgType::mtInformation, mbCancel);
    return;
  }
  bool allow = true;
  // Called through copies: a handler may reassign the event it runs in.
  if (TBeforeLanguageChange before = BeforeLanguageChange) before(this, value, allow);
  if (!allow) return;

  // What the form shows now belongs to the language being left.
  TComponent* owner = Owner();
  CaptureFont();
  CapturePositions(owner, kFormMark);
  const int count = OwnedCount(owner);
  for (int i = 0; i < count; ++i) CapturePositions(OwnedComponent(owner, i), 0);

  activeLanguage_ = value;
  ApplyFont();
  ApplyPositions(owner, kFormMark);
  WalkWords();

  if (TAfterLanguageChanged after = AfterLanguageChanged) after(this, activeLanguage_);
}

TComponent* TBaseMultiLang::LookupRecordComponent(std::string_view key) {
  const TComponent* owner = Owner();
  NameTable& names = cache_->names;
  if (!names.Current(owner)) names.Build(owner);
  return names.Find(key);
}

void TBaseMultiLang::WalkWords() {
  TComponent* owner = Owner();
  int cursor = 0;
  while (cursor < words_->Count()) {
    const int start = cursor;
    const std::int64_t nextRecord = std::int64_t{start} + languages_ + 1;
    const std::string key = words_->Get(cursor);
    if (key == kFormKey) {
      if (HasProperty(owner, prop::Caption)) WriteStringProperty(owner, prop::Caption, RecordText(cursor));
    } else {
      try {
        if (TComponent* component = LookupRecordComponent(key)) {
          try {
            TranslateComponent(component, cursor);
          } catch (...) {
            // An error in one component's texts must not keep the others from being translated.
          }
        }
      } catch (...) {
        // The lookup itself failed. The walk ends here: moving the cursor to some fixed line
        // instead would go on from inside a record of a larger table.
        break;
      }
    }
    // Every pass moves on by at least one record, whatever TranslateComponent did with the
    // cursor, so an error or a record cut off at the end of the table cannot stall the walk.
    if (cursor < nextRecord) {
      if (nextRecord >= words_->Count()) break;
      cursor = static_cast<int>(nextRecord);
    }
  }
}

bool TBaseMultiLang::IsTranslatable(const TComponent* component) const {
  if (translateEdits_ == teAlways) return true;
  const ClassTraits& traits = cache_->TraitsOf(component);
  // A component bound to an action takes its texts from the action.
  if (traits.action && ReadOrdinal(component, *traits.action) != 0) return false;
  if (traits.editLabel) return true;
  if (traits.readOnly && traits.textOrLines) {
    if (translateEdits_ == teNever) return false;
    return ReadOrdinal(component, *traits.readOnly) != 0;
  }
  return true;
}

void TBaseMultiLang::SetTextIfPublished(TComponent* component, std::string_view property,
                                        const std::string& text) {
  const ClassTraits& traits = cache_->TraitsOf(component);
  const PropInfo* p = SameText(property, prop::Caption) ? traits.caption
                      : SameText(property, prop::Text)  ? traits.text
                      : SameText(property, prop::Hint)  ? traits.hint
                                                        : FindProperty(component, property);
  if (!p) return;
  if (p->kind == PropKind::String)
    p->setString(*component, text);
  else
    WriteStringProperty(component, property, text);  // fails as writing by name does
}

// ---------------------------------------------------------------------------------------------
// Fonts

void TBaseMultiLang::CaptureFont() {
  std::string text;
  TComponent* owner = Owner();
  if (HasProperty(owner, prop::Font)) {
    const TObject* font = ReadObjectProperty(owner, prop::Font);
    if (HasProperty(font, prop::Name)) {
      text = ReadStringProperty(font, prop::Name);
      if (HasProperty(font, prop::CharSet))
        text += "," + IntToStr(ReadOrdinalProperty(font, prop::CharSet));
      else
        text.clear();
    }
  }
  if (text.empty()) return;
  // The first capture gives every language the font of the moment.
  while (charSets_->Count() < languages_) charSets_->Add(text);
  charSets_->Put(activeLanguage_, text);
}

void TBaseMultiLang::ApplyFont() {
  if (activeLanguage_ >= charSets_->Count()) return;
  const std::string line = charSets_->Get(activeLanguage_);
  const size_t comma = line.find(',');
  // Without a comma there is no name, and the whole line is the character set.
  const std::string name = comma == std::string::npos ? std::string() : line.substr(0, comma);
  const std::string charSetText =
      comma == std::string::npos ? line.substr(0, 999) : line.substr(comma + 1, 999);
  const std::int32_t charSet = StrToInt(charSetText);  // before anything is set
  TComponent* owner = Owner();
  if (!HasProperty(owner, prop::Font)) return;
  TObject* font = ReadObjectProperty(owner, prop::Font);
  if (HasProperty(font, prop::Name)) {
    WriteStringProperty(font, prop::Name, name);
    if (HasProperty(font, prop::CharSet)) WriteOrdinalProperty(font, prop::CharSet, charSet);
  }
}

// ---------------------------------------------------------------------------------------------
// Positions

namespace {

// The key of an object's line: "%Form%" for the form, else its name in lower case.
const std::string& PositionsKey(const TComponent* object, int mark, std::string& key) {
  if (mark == TBaseMultiLang::kFormMark) return key.assign(kFormKey);
  key.clear();
  if (object)
    for (char c : object->Name()) key += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  return key;
}

// Decimal digits with an optional minus sign, as captured values are written, are read directly;
// any other text takes StrToInt's other forms or fails with its error.
std::int32_t PartToInt(std::string_view part) {
  const std::string_view digits = part.substr(part.starts_with('-') ? 1 : 0);
  if (digits.empty() || digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return StrToInt(part);
  std::int32_t value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return digits.size() < part.size() ? -value : value;
}

}  // namespace

void TBaseMultiLang::CapturePositions(TComponent* object, int mark) {
  if (switchPositions_ == spNone || (switchPositions_ == spControlsOnly && mark == kFormMark)) return;
  LookupCache& cache = *cache_;
  const ClassTraits& traits = cache.TraitsOf(object);
  char buffer[4 * 21 + 3];
  char* end = buffer;
  for (size_t i = 0; i < std::size(prop::Bounds); ++i) {
    if (i > 0) *end++ = '.';
    if (traits.bounds[i])
      end = std::to_chars(end, buffer + sizeof buffer, ReadOrdinal(object, *traits.bounds[i])).ptr;
  }
  const std::string_view value(buffer, static_cast<size_t>(end - buffer));
  if (value == "...") return;  // the object has no position at all

  // From here on no code of the object runs, so the buffers of the cache stay ours.
  const std::string& key = PositionsKey(object, mark, cache.key);
  const int index = cache.positions.Find(*positions_, key);
  const bool current = cache.positions.Current(*positions_);
  std::string& line = cache.line;
  if (index >= 0) {
    // The field of the active language is replaced; a line written for fewer languages first
    // grows empty fields. Items are joined again unquoted.
    const std::string& old = positions_->Get(index);
    const bool plain = current ? cache.positions.Plain(index) : IsPlainCommaText(old);
    if (plain)
      SplitPlainCommaText(old, cache.items);
    else
      SplitCommaText(old, cache.items, cache.scratch);
    const size_t fields = std::max(cache.items.size(), static_cast<size_t>(languages_) + 1);
    const size_t replaced = static_cast<size_t>(activeLanguage_) + 1;
    if (replaced >= fields) ListIndexError(static_cast<long long>(replaced));
    line.clear();
    for (size_t i = 0; i < fields; ++i) {
      if (i > 0) line += ',';
      if (i == replaced)
        line += value;
      else if (i < cache.items.size())
        line += cache.items[i];
    }
    // Plain items and a value of digits, signs and full stops make a plain line.
    const bool plainNow = plain || IsPlainCommaText(line);
    positions_->Put(index, line);
    if (current) cache.positions.Replaced(*positions_, index, key, plainNow);
  } else {
    line = key + ",";
    for (int k = 0; k < languages_; ++k) {
      if (k > 0) line += ',';
      line += value;
    }
    positions_->Add(line);
    if (current) cache.positions.Appended(*positions_, key, IsPlainCommaText(key));
  }
}

void TBaseMultiLang::ApplyPositions(TComponent* object, int mark) {
  if (switchPositions_ == spNone || (switchPositions_ == spControlsOnly && mark == kFormMark)) return;
  LookupCache& cache = *cache_;
  const int index = cache.positions.Find(*positions_, PositionsKey(object, mark, cache.key));
  if (index < 0) return;
  if (cache.positions.Current(*positions_) && cache.positions.Plain(index))
    SplitPlainCommaText(positions_->Get(index), cache.items);
  else
    SplitCommaText(positions_->Get(index), cache.items, cache.scratch);
  if (cache.items.size() < static_cast<size_t>(activeLanguage_) + 2) return;
  // An empty field has not been captured for this language yet, and an empty part was captured
  // from an object without that property: either keeps the present value. The field is copied:
  // the setters below may run code that changes the lines.
  const std::string field(cache.items[activeLanguage_ + 1]);
  if (field.empty()) return;
  std::string_view rest = field;
  // Parts end at a full stop, the last one at the end of the field.
  bool atEnd = false;
  const ClassTraits& traits = cache.TraitsOf(object);
  for (const PropInfo* property : traits.bounds) {
    if (atEnd) AssertionFailure("Assertion failure", kUnitName, kFieldShapeAssertLine);
    size_t dot = 0;
    while (dot < rest.size() && rest[dot] != '.') ++dot;
    atEnd = dot == rest.size();
    const std::string_view part = rest.substr(0, dot);
    if (!part.empty() && property) WriteOrdinal(object, *property, PartToInt(part));
    rest.remove_prefix(atEnd ? rest.size() : dot + 1);
  }
}

bool TBaseMultiLang::PositionsDiffer(const std::string& line) {
  std::vector<std::string_view> items;
  TStrings scratch;
  SplitCommaText(line, items, scratch);
  for (size_t i = 2; i < items.size(); ++i)
    if (items[i] != items[1]) return true;
  return false;
}

void TBaseMultiLang::SetSwitchPositions(TSwitchPositions value) {
  if (value == switchPositions_) return;
  // Only Yes drops stored positions: a box closed from its title bar cancels like No.
  auto confirmed = [](const char* question) {
    if (ShowMessageBox(question, TMsgDlgType::mtWarning, mbYes | mbNo) == mrYes) return true;
    ShowNotice(kCancelled);
    return false;
  };
  if (value == spNone) {
    for (int i = positions_->Count() - 1; i >= 0; --i)
      if (i < positions_->Count() && PositionsDiffer(positions_->Get(i)) && !confirmed(kDropPositions))
        return;
    positions_->Clear();
  } else if (value == spControlsOnly && switchPositions_ == spFormAndControls) {
    const std::string formPrefix = std::string(kFormKey) + ",";
    for (int i = 0; i < positions_->Count(); ++i) {
      if (!positions_->Get(i).starts_with(formPrefix)) continue;
      if (PositionsDiffer(positions_->Get(i)) && !confirmed(kDropFormPositions)) return;
      positions_->Delete(i);
      break;
    }
  }
  switchPositions_ = value;
}

// ---------------------------------------------------------------------------------------------
// The language set

void TBaseMultiLang::SetLanguages(std::uint8_t value) {
  const int present = languages_;
  if (value == present) return;
  if (value < present && !Loading()) {
    if (value == 0) {
      ShowMessageBox(kAtLeastOneLanguage, TMsgDlgType::mtInformation, mbOK);
      return;
    }
    if (activeLanguage_ >= value) {
      if (ShowMessageBox(kDecreaseDroppingShown, TMsgDlgType::mtConfirmation, mbYes | mbNo) != mrYes) return;
      // The removal follows whatever this switch did, also when a handler refused it.
      SetActiveLanguage(0);
    } else if (ShowMessageBox(kDecrease, TMsgDlgType::mtConfirmation, mbYes | mbNo) != mrYes) {
      return;
    }
  }
  ReshapeWords(present, value);
  languages_ = value;
}

// Gives every record of Words `to` text lines instead of `from`: texts beyond `to` are dropped,
// added languages get "?". Records are counted from the end of the table, so lines before the
// first whole record keep their place. Built in one pass: editing line by line would cost the
// table's size for every record.
void TBaseMultiLang::ReshapeWords(int from, int to) {
  const int count = words_->Count();
  const int size = from + 1;
  TStrings reshaped;
  const int first = count % size;
  for (int i = 0; i < first; ++i) reshaped.Add(words_->Get(i), words_->Objects(i));
  for (int r = first; std::int64_t{r} + from < count; r += size) {
    const int kept = std::min(from, to);
    for (int i = r; i <= r + kept; ++i) reshaped.Add(words_->Get(i), words_->Objects(i));
    for (int k = from; k < to; ++k) reshaped.Add("?");
  }
  words_->Assign(reshaped);
}

void TBaseMultiLang::SetDefaultLanguage(std::uint8_t value) {
  if (value >= languages_) {
    ShowMessageBox(kLanguageRange, TMsgDlgType::mtInformation, mbCancel);
    return;
  }
  if (value == defaultLanguage_) return;
  defaultLanguage_ = value;
  SetActiveLanguage(activeLanguage_);  // empty texts show the new default at once
}

void TBaseMultiLang::SetDefaultEnabled(bool value) {
  if (value == defaultEnabled_) return;
  defaultEnabled_ = value;
  SetActiveLanguage(activeLanguage_);
}
