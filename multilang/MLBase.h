// The base of the multi-language component: a non-visual component placed on a form that keeps the
// texts of the form and of the components the form owns for a fixed number of languages, and
// optionally per-language positions and a per-language font of the form. Assigning ActiveLanguage
// switches the whole form. What a component of a given kind does with its records is left to a
// subclass (TranslateComponent, CollectComponent).
//
// Words holds records of Languages + 1 lines: a key ("%Form%" for the form's caption, a
// component's name, the continuation key `"` or the hint key `".Hint`), then one text per
// language. Positions holds one line per positioned object: its key ("%Form%" or the lower-case
// name), then per language "Left.Top.Width.Height". CharSets line k holds "FontName,CharSet" for
// language k.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Component.h"
#include "foundation/StringList.h"

class EditingTable;

enum TSwitchPositions : std::uint8_t { spNone, spControlsOnly, spFormAndControls };
enum TTranslateEdits : std::uint8_t { teNever, teReadOnly, teAlways };

using TBeforeLanguageChange = std::function<void(TObject* Sender, std::uint8_t NewLanguage, bool& AllowIt)>;
using TAfterLanguageChanged = std::function<void(TObject* Sender, std::uint8_t NewLanguage)>;
using TIdNotFoundError = std::function<void(TObject* Sender, const std::string& id, std::string& Res)>;

class TBaseMultiLang : public TComponent {
  KORVA_CLASS(TBaseMultiLang, TComponent)
 public:
  // The mark that addresses the owner form in CapturePositions and ApplyPositions; any other
  // mark addresses an owned component.
  static constexpr int kFormMark = -1;

  explicit TBaseMultiLang(TComponent* owner);
  ~TBaseMultiLang() override;

  // Always "3.80"; what is written is kept (at most 5 characters) but never read.
  std::string About() const;
  void SetAbout(const std::string& value);

  std::uint8_t DefaultLanguage() const noexcept { return defaultLanguage_; }
  void SetDefaultLanguage(std::uint8_t value);
  bool DefaultEnabled() const noexcept { return defaultEnabled_; }
  void SetDefaultEnabled(bool value);
  std::uint8_t Languages() const noexcept { return languages_; }
  void SetLanguages(std::uint8_t value);
  std::uint8_t ActiveLanguage() const noexcept { return activeLanguage_; }
  // Switches the form to `value`; runs in full also for the language already shown.
  void SetActiveLanguage(std::uint8_t value);
  TTranslateEdits TranslateEdits() const noexcept { return translateEdits_; }
  void SetTranslateEdits(TTranslateEdits value) { translateEdits_ = value; }
  TSwitchPositions SwitchPositions() const noexcept { return switchPositions_; }
  void SetSwitchPositions(TSwitchPositions value);

  // The component's own lists. Words is only ever edited in place; the other setters copy the
  // given lines into the component's list.
  TStrings* Words() const noexcept { return words_.get(); }
  TStrings* DoNot() const noexcept { return doNot_.get(); }
  void SetDoNot(const TStrings* value);
  TStrings* Positions() const noexcept { return positions_.get(); }
  void SetPositions(const TStrings* value);
  TStrings* CharSets() const noexcept { return charSets_.get(); }
  void SetCharSets(const TStrings* value);

  // Switches to StartLanguage once the form has been read, unless in a designer.
  void LoadCompleted() override;

  // Applies the records of `component` for the active language, starting at the key line
  // `cursor` points to, and leaves `cursor` at the first line after the records it consumed.
  virtual void TranslateComponent(TComponent* component, int& cursor) = 0;
  // Writes the texts of `component` for the active language into `table`, starting at `row`.
  virtual void CollectComponent(TComponent* component, int row, EditingTable* table) = 0;

  // Whether the caption, text and items of `component` are translated (its hint always is).
  bool IsTranslatable(const TComponent* component) const;

  // The form's font name and character set, per language, in CharSets.
  void CaptureFont();
  void ApplyFont();
  // The Left, Top, Width and Height of `object` (the form for kFormMark), per language, in
  // Positions, as far as SwitchPositions includes the object.
  void CapturePositions(TComponent* object, int mark);
  void ApplyPositions(TComponent* object, int mark);
  // Whether a Positions line holds different values for different languages.
  static bool PositionsDiffer(const std::string& line);

  // The text of the record whose key line is `keyLine`, for the active language; an empty text
  // falls back to the default language when DefaultEnabled. Fails with the list index error when
  // the record lacks the line.
  std::string RecordText(int keyLine) const;

  TBeforeLanguageChange BeforeLanguageChange;
  TAfterLanguageChanged AfterLanguageChanged;
  TIdNotFoundError IdNotFoundError;  // kept and stored; nothing raises it

 protected:
  // The component a record's key names: the first owned component of that name, compared
  // without regard to ASCII case; null when there is none.
  virtual TComponent* LookupRecordComponent(std::string_view key);
  // Writes the string property `property` of `component` when its kind has one, exactly as
  // HasProperty followed by WriteStringProperty, without finding the property twice.
  void SetTextIfPublished(TComponent* component, std::string_view property, const std::string& text);
  void ComponentRemoved(TComponent* component) override;

 private:
  struct LookupCache;

  void WalkWords();
  void ReshapeWords(int from, int to);

  // Declaration order follows the component's fields; the lists are created and destroyed in
  // their own orders by the constructor and destructor.
  std::string about_;
  std::uint8_t defaultLanguage_ = 0;
  bool defaultEnabled_ = false;
  std::uint8_t languages_ = 2;
  std::uint8_t activeLanguage_ = 0;
  TTranslateEdits translateEdits_ = teReadOnly;
  std::unique_ptr<TStrings> doNot_;
  std::unique_ptr<TStrings> words_;
  TSwitchPositions switchPositions_ = spNone;
  std::unique_ptr<TStrings> positions_;
  std::unique_ptr<TStrings> charSets_;
  std::unique_ptr<LookupCache> cache_;
};

// Every live TBaseMultiLang, in order of construction.
const std::vector<TBaseMultiLang*>& MultiLangInstances();

// The language every component read from a form description switches to when loading completes.
extern std::uint8_t StartLanguage;
