#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <optional>

#include "controls/BmpFile.h"
#include "controls/ColorButtonZEP.h"
#include "controls/Image.h"
#include "foundation/Description.h"
#include "foundation/Errors.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "toolkit/Forms.h"

namespace {

constexpr RgbPixel kDarkGreen = MakeRgbPixel(99, 158, 90);
constexpr RgbPixel kLightGreen = MakeRgbPixel(131, 197, 151);

// Hosts without a screen: they count repaint requests and pass the focus on as a window would.
class FakeBackend : public ToolkitBackend {
 public:
  struct Host : WindowHost {
    Host(FakeBackend& b, TWinControl& c) : backend(b), control(c) {}
    void SetBounds(const TRect&) override {}
    void SetVisible(bool) override {}
    void Invalidate(const TRect&) override { ++backend.repaints[&control]; }
    void SetFocus() override {
      if (backend.focused == this) return;
      Host* previous = backend.focused;
      backend.focused = this;
      if (previous) previous->control.HostFocusChanged(false);
      control.HostFocusChanged(true);
    }
    bool HasFocus() const override { return backend.focused == this; }
    void SetTabOrder(const std::vector<TWinControl*>&) override {}
    void SetCaption(const std::string&) override {}
    void SetFrame(BorderKind, bool, bool, bool) override {}
    TPoint FrameSize(int w, int h) const override { return {w, h}; }
    FakeBackend& backend;
    TWinControl& control;
  };

  std::unique_ptr<WindowHost> CreateHost(TWinControl& c) override { return std::make_unique<Host>(*this, c); }
  ScreenInfo Screen() const override { return {}; }
  int Run() override { return 0; }
  void Terminate() override {}

  std::map<const TWinControl*, int> repaints;
  Host* focused = nullptr;
};

// The stored form of a button picture: a 4-byte little-endian count, then a BMP file.
std::vector<std::uint8_t> StoredBitmap(int width, int height, RgbPixel color) {
  DibImage dib;
  dib.pixels = RgbImage(width, height, color);
  const std::vector<std::uint8_t> file = WriteBmpFile(dib);
  std::vector<std::uint8_t> data;
  for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<std::uint8_t>(file.size() >> shift));
  data.insert(data.end(), file.begin(), file.end());
  return data;
}

std::unique_ptr<TBitmap> MakeBitmap(int width, int height, RgbPixel color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->ReadData(StoredBitmap(width, height, color));
  return bitmap;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

class TButtonForm : public TForm {
  KORVA_CLASS(TButtonForm, TForm)
 public:
  using TForm::TForm;
  void ButtonClick(TObject* sender) { clicks.push_back(static_cast<TComponent*>(sender)->Name()); }
  std::vector<std::string> clicks;
  TColorButtonZEP* ColorButtonZEP1 = nullptr;
};
KORVA_IMPLEMENT_CLASS(TButtonForm, TForm) {
  c.Method("ButtonClick", &TButtonForm::ButtonClick);
  c.Field("ColorButtonZEP1", &TButtonForm::ColorButtonZEP1);
}

// A white window with one button on it, every window on a fake host.
class ColorButton : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetToolkitBackend(&backend);
    form = std::make_unique<TForm>(nullptr);
    form->SetColor(clWhite);
    form->SetBounds(0, 0, 400, 200);
    button = new TColorButtonZEP(form.get());
    button->SetParent(form.get());
    button->OnClick = [this](TObject*) { ++clicks; };
    form->Host();
  }
  void TearDown() override {
    form.reset();
    SetToolkitBackend(previous_);
  }

  RecordingCanvas Paint() {
    RecordingCanvas canvas;
    button->PaintWindow(canvas);
    return canvas;
  }
  int Repaints() const {
    auto it = backend.repaints.find(button);
    return it == backend.repaints.end() ? 0 : it->second;
  }

  FakeBackend backend;
  ToolkitBackend* previous_ = nullptr;
  std::unique_ptr<TForm> form;
  TColorButtonZEP* button = nullptr;
  int clicks = 0;
};

TEST_F(ColorButton, ANewButtonShowsOnlyItsParentsColourAndTheCaption) {
  EXPECT_EQ(button->Width(), 120);
  EXPECT_EQ(button->Height(), 25);
  EXPECT_TRUE(button->TabStop());
  EXPECT_EQ(button->Alignment(), taCenter);
  EXPECT_EQ(button->Layout(), TLayout::tlCenter);
  EXPECT_TRUE(button->SingleLine());
  EXPECT_EQ(button->Color1(), clWhite);
  EXPECT_EQ(button->Color2(), 9946499);
  EXPECT_TRUE(button->Bitmap1()->Empty());
  EXPECT_TRUE(button->Bitmap2()->Empty());
  EXPECT_FALSE(button->MouseOver());

  button->SetCaption("Exit");
  const RecordingCanvas canvas = Paint();
  EXPECT_EQ(canvas.calls, (std::vector{RecordingCanvas::Call::Fill, RecordingCanvas::Call::Text}));
  EXPECT_EQ(canvas.fills[0].rect, (TRect{0, 0, 120, 25}));
  EXPECT_EQ(canvas.fills[0].color, clWhite);
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, "Exit");
  EXPECT_EQ(canvas.texts[0].x, 40);  // centred both ways in 120 x 25
  EXPECT_EQ(canvas.texts[0].y, 4);
  EXPECT_EQ(canvas.texts[0].font.Color(), clWhite);
  EXPECT_EQ(canvas.texts[0].brushStyle, bsClear);
}

TEST_F(ColorButton, PublishesItsPropertiesInDescriptionOrder) {
  std::vector<std::string> own;
  for (const PropInfo& p : TColorButtonZEP::StaticClass().OwnProperties()) own.push_back(p.name);
  const std::vector<std::string> expected = {
      "Alignment", "Layout",  "SingleLine", "Caption", "FileNameOver", "FileNameNotOver", "Color1",
      "Color2",    "Bitmap1", "Bitmap2",    "Action",  "Anchors",      "Constraints",     "ShowHint",
      "Visible",   "Font",    "TabOrder",   "OnClick", "OnKeyDown",    "OnKeyPress",      "OnKeyUp"};
  EXPECT_EQ(own, expected);

  // Its own state has no default: always stored, whatever the value. The rest only when set.
  auto stored = [&](const char* name) {
    const PropInfo* p = FindProperty(button, name);
    return !p->stored || p->stored(*button);
  };
  for (const char* name : {"Alignment", "Layout", "SingleLine", "Color1", "Color2"})
    EXPECT_TRUE(stored(name)) << name;
  for (const char* name :
       {"Caption", "FileNameOver", "FileNameNotOver", "Bitmap1", "Bitmap2", "Visible", "Font"})
    EXPECT_FALSE(stored(name)) << name;
  button->SetBitmap1(MakeBitmap(2, 2, kDarkGreen).get());
  button->SetCaption("x");
  EXPECT_TRUE(stored("Bitmap1"));
  EXPECT_TRUE(stored("Caption"));

  for (const char* name : {"Color", "TabStop", "PopupMenu", "OnMouseEnter", "OnMouseLeave", "OnMouseDown",
                           "OnDblClick", "OnEnter", "OnExit"})
    EXPECT_FALSE(HasProperty(button, name)) << name;
}

TEST_F(ColorButton, ReadsItsValuesAndPicturesFromADescription) {
  RegisterControlClasses();
  const std::string description = R"(object Form: TButtonForm
  Color = clWhite
  object ColorButtonZEP1: TColorButtonZEP
    Left = 8
    Top = 16
    Width = 201
    Height = 49
    Alignment = taLeftJustify
    Layout = tlTop
    SingleLine = False
    Caption = '&Exit'
    Color1 = clWhite
    Color2 = 5938787
    Bitmap1.Data = {)" + Hex(StoredBitmap(224, 55, kDarkGreen)) +
                                  R"(}
    Bitmap2.Data = {)" + Hex(StoredBitmap(224, 55, kLightGreen)) +
                                  R"(}
    Font.Color = clWindowText
    TabOrder = 0
    OnClick = ButtonClick
  end
end
)";
  TButtonForm window(nullptr);
  LoadDescription(window, description, "button.desc");
  TColorButtonZEP* b = window.ColorButtonZEP1;
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->BoundsRect(), (TRect{8, 16, 209, 65}));
  EXPECT_EQ(b->Alignment(), taLeftJustify);
  EXPECT_EQ(b->Layout(), TLayout::tlTop);
  EXPECT_FALSE(b->SingleLine());
  EXPECT_EQ(b->Caption(), "&Exit");
  EXPECT_EQ(b->Color2(), 5938787);
  EXPECT_EQ(b->Bitmap1()->Width(), 224);
  EXPECT_EQ(b->Bitmap2()->Height(), 55);
  EXPECT_EQ(b->Color(), clWhite);  // the parent's colour
  ASSERT_TRUE(b->OnClick);
  b->OnClick(b);
  EXPECT_EQ(window.clicks, std::vector<std::string>{"ColorButtonZEP1"});

  // Only two vertical placements exist.
  TButtonForm other(nullptr);
  EXPECT_THROW(
      LoadDescription(other,
                      "object Form: TButtonForm\n  object B: TColorButtonZEP\n    Layout = tlBottom\n"
                      "  end\nend\n",
                      "bad.desc"),
      Exception);
}

TEST_F(ColorButton, RepaintsOnEveryWriteAndNotification) {
  auto picture = MakeBitmap(2, 2, kDarkGreen);
  struct Case {
    const char* what;
    std::function<void()> act;
    bool repaints;
  };
  const std::vector<Case> cases = {
      {"Alignment, same value", [&] { WriteOrdinalProperty(button, "Alignment", taCenter); }, true},
      {"Layout, same value", [&] { WriteOrdinalProperty(button, "Layout", 1); }, true},
      {"SingleLine, same value", [&] { WriteOrdinalProperty(button, "SingleLine", 1); }, true},
      {"Color1, same value", [&] { WriteOrdinalProperty(button, "Color1", clWhite); }, true},
      {"Color2", [&] { WriteOrdinalProperty(button, "Color2", 5938787); }, true},
      {"FileNameOver", [&] { WriteStringProperty(button, "FileNameOver", "a.bmp"); }, true},
      {"FileNameNotOver", [&] { WriteStringProperty(button, "FileNameNotOver", "b.bmp"); }, true},
      {"Bitmap1", [&] { button->SetBitmap1(picture.get()); }, true},
      {"Bitmap2", [&] { button->SetBitmap2(picture.get()); }, true},
      {"Caption, new text", [&] { WriteStringProperty(button, "Caption", "Exit"); }, true},
      {"Caption, same text", [&] { WriteStringProperty(button, "Caption", "Exit"); }, false},
      {"Font", [&] { button->Font()->SetHeight(-19); }, true},
      {"mouse enter", [&] { button->HostMouseEnter(); }, true},
      {"mouse leave", [&] { button->HostMouseLeave(); }, true},
      {"focus received", [&] { button->SetFocus(); }, true},
      {"focus lost", [&] { form->SetFocus(); }, true},
      {"font change message",
       [&] {
         TMessage m{WM_FONTCHANGE};
         button->Dispatch(m);
       },
       true},
      {"another message",
       [&] {
         TMessage m{0x0219};
         button->Dispatch(m);
       },
       false},
      {"right button pressed", [&] { button->HostMouseDown(mbRight, ssRight, 3, 3); }, true},
      {"right button released", [&] { button->HostMouseUp(mbRight, 0, 3, 3); }, true},
  };
  for (const Case& c : cases) {
    const int before = Repaints();
    c.act();
    EXPECT_EQ(Repaints() > before, c.repaints) << c.what;
  }
}

TEST_F(ColorButton, CopiesPicturesAssignedToIt) {
  auto mine = MakeBitmap(4, 2, kDarkGreen);
  button->SetBitmap1(mine.get());
  EXPECT_NE(button->Bitmap1(), mine.get());
  mine.reset();  // the caller frees its own
  ASSERT_EQ(button->Bitmap1()->Width(), 4);
  button->SetBitmap1(button->Bitmap1());
  EXPECT_EQ(button->Bitmap1()->Width(), 4);
  button->SetBitmap1(nullptr);
  EXPECT_TRUE(button->Bitmap1()->Empty());
}

TEST_F(ColorButton, EachLookShowsOnlyItsOwnPictureAndCaptionColour) {
  struct Case {
    const char* what;
    bool over;
    bool picture1, picture2;
    std::optional<RgbPixel> drawn;
    TColor captionColor;
  };
  const Case cases[] = {
      {"normal", false, true, true, kDarkGreen, clWhite},
      {"highlighted", true, true, true, kLightGreen, 5938787},
      {"highlighted without its picture", true, true, false, std::nullopt, 5938787},
      {"normal without its picture", false, false, true, std::nullopt, clWhite},
  };
  auto normal = MakeBitmap(224, 55, kDarkGreen);
  auto highlighted = MakeBitmap(224, 55, kLightGreen);
  auto none = std::make_unique<TBitmap>();
  button->SetBounds(0, 0, 201, 49);
  button->SetColor2(5938787);
  button->SetCaption("Web");
  button->Font()->SetColor(clWindowText);
  for (const Case& c : cases) {
    button->SetBitmap1(c.picture1 ? normal.get() : none.get());
    button->SetBitmap2(c.picture2 ? highlighted.get() : none.get());
    if (c.over)
      button->HostMouseMove(5, 5, 0);
    else
      button->HostMouseLeave();
    ASSERT_EQ(button->MouseOver(), c.over) << c.what;
    const RecordingCanvas canvas = Paint();
    if (c.drawn) {
      ASSERT_EQ(canvas.stretches.size(), 1u) << c.what;
      EXPECT_EQ(canvas.stretches[0].dest, (TRect{0, 0, 201, 49})) << c.what;
      EXPECT_EQ(canvas.stretches[0].firstPixel, *c.drawn) << c.what;
      EXPECT_EQ(canvas.calls[1], RecordingCanvas::Call::Stretch) << c.what;  // over the background
    } else {
      EXPECT_TRUE(canvas.stretches.empty()) << c.what;
    }
    ASSERT_EQ(canvas.texts.size(), 1u) << c.what;
    EXPECT_EQ(canvas.texts[0].font.Color(), c.captionColor) << c.what;
    EXPECT_EQ(canvas.texts[0].brushStyle, bsClear) << c.what;
  }
}

TEST_F(ColorButton, NamedPictureFilesChangeNothing) {
  TempDir dir;
  const auto file = dir / "over.bmp";
  {
    const auto bytes = StoredBitmap(3, 3, kLightGreen);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()) + 4,
               static_cast<std::streamsize>(bytes.size() - 4));
  }
  button->SetCaption("Web");
  const RecordingCanvas before = Paint();
  button->SetFileNameOver(file.string());
  button->SetFileNameNotOver(file.string());
  button->HostMouseEnter();
  button->HostMouseLeave();
  const RecordingCanvas after = Paint();
  EXPECT_EQ(after.calls, before.calls);
  EXPECT_TRUE(after.stretches.empty());
}

TEST_F(ColorButton, FormatFollowsLineModeAndPlacement) {
  struct Case {
    bool singleLine;
    TAlignment alignment;
    TLayout layout;
    unsigned format;
  };
  const Case cases[] = {
      {true, taCenter, TLayout::tlCenter, 33568 + DT_CENTER + DT_VCENTER},
      {true, taLeftJustify, TLayout::tlTop, 33568},
      {true, taRightJustify, TLayout::tlCenter, 33568 + DT_RIGHT + DT_VCENTER},
      {false, taCenter, TLayout::tlCenter, 33552 + DT_CENTER + DT_VCENTER},
      {false, taLeftJustify, TLayout::tlTop, 33552},
  };
  for (const Case& c : cases) {
    button->SetSingleLine(c.singleLine);
    button->SetAlignment(c.alignment);
    button->SetLayout(c.layout);
    EXPECT_EQ(button->TextFormat(), c.format) << c.singleLine << " " << c.alignment;
  }
  // Numbers outside the enumerations are refused, not stored.
  EXPECT_THROW(WriteOrdinalProperty(button, "Alignment", 3), EPropertyError);
  EXPECT_THROW(WriteOrdinalProperty(button, "Layout", 2), EPropertyError);
  EXPECT_THROW(WriteOrdinalProperty(button, "Layout", -1), EPropertyError);
  WriteOrdinalProperty(button, "Layout", 1);
  EXPECT_EQ(button->Layout(), TLayout::tlCenter);
  EXPECT_EQ(button->Alignment(), taLeftJustify);
}

TEST_F(ColorButton, DrawsCaptionsAsTheFormatLaysThemOut) {
  struct Case {
    const char* what;
    bool singleLine;
    std::string caption;
    std::vector<std::string> lines;
    int firstY;
    size_t underline;
  };
  // Fixed metrics: letters 10 px; a 120 x 25 button.
  const Case cases[] = {
      {"too wide for one line", true, "Herstellerwebseite", {"Hersteller..."}, 4, std::string::npos},
      {"word break starts at the top",
       false,
       "Zur Herstellerseite",
       {"Zur", "Hersteller..."},
       0,
       std::string::npos},
      {"ampersand", true, "&Web", {"Web"}, 4, 0},
      {"two ampersands", true, "A&&B", {"A&B"}, 4, std::string::npos},
      {"the caption ends at a zero", true, std::string("Web\0site", 8), {"Web"}, 4, std::string::npos},
  };
  for (const Case& c : cases) {
    button->SetSingleLine(c.singleLine);
    button->SetCaption(c.caption);
    const RecordingCanvas canvas = Paint();
    std::vector<std::string> lines;
    for (const auto& t : canvas.texts) lines.push_back(t.text);
    EXPECT_EQ(lines, c.lines) << c.what;
    ASSERT_FALSE(canvas.texts.empty()) << c.what;
    EXPECT_EQ(canvas.texts[0].y, c.firstY) << c.what;
    EXPECT_EQ(canvas.texts[0].underline, c.underline) << c.what;
  }
}

TEST_F(ColorButton, FocusRectangleTwoPixelsInsideWhenFocused) {
  button->SetCaption("Exit");
  EXPECT_TRUE(Paint().focusRects.empty());
  button->SetFocus();
  ASSERT_TRUE(button->Focused());
  const RecordingCanvas canvas = Paint();
  EXPECT_EQ(canvas.focusRects, std::vector<TRect>{(TRect{2, 2, 118, 23})});
  EXPECT_EQ(canvas.calls.back(), RecordingCanvas::Call::FocusRect);  // over picture and caption
}

TEST_F(ColorButton, ClicksOnlyForALeftPressReleasedInside) {
  enum Kind { Enter, Leave, Down, Up, Key };
  struct Step {
    Kind kind;
    TMouseButton button = mbLeft;
    TShiftState shift = 0;
    int x = 10, y = 10;
    std::uint16_t key = 0;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    int clicks;
    bool focused;
    bool over;
  };
  const Case cases[] = {
      {"left press and release", {{Enter}, {Down}, {Up}}, 1, true, true},
      {"released outside after leaving",
       {{Enter}, {Down}, {Leave}, {Up, mbLeft, 0, 130, 10}},
       0,
       true,
       false},
      {"released inside after coming back", {{Enter}, {Down}, {Leave}, {Enter}, {Up}}, 1, true, true},
      {"double click", {{Down}, {Up}, {Down, mbLeft, ssDouble}, {Up}}, 1, true, false},
      {"right button", {{Down, mbRight}, {Up, mbRight}}, 0, true, false},
      {"middle button", {{Down, mbMiddle}, {Up, mbMiddle}}, 0, true, false},
      {"Enter and Space", {{.kind = Key, .key = 0x0D}, {.kind = Key, .key = 0x20}}, 0, false, false},
  };
  for (const Case& c : cases) {
    clicks = 0;
    form->SetFocus();
    button->HostMouseLeave();
    for (const Step& s : c.steps) {
      switch (s.kind) {
        case Enter:
          button->HostMouseMove(s.x, s.y, 0);
          break;
        case Leave:
          button->HostMouseLeave();
          break;
        case Down:
          button->HostMouseDown(s.button, s.shift, s.x, s.y);
          break;
        case Up:
          button->HostMouseUp(s.button, s.shift, s.x, s.y);
          break;
        case Key: {
          std::uint16_t key = s.key;
          char ch = key == 0x0D ? '\r' : ' ';
          button->HostKeyDown(key, 0);
          button->HostKeyPress(ch);
          button->HostKeyUp(key, 0);
          break;
        }
      }
    }
    EXPECT_EQ(clicks, c.clicks) << c.what;
    EXPECT_EQ(button->Focused(), c.focused) << c.what;
    EXPECT_EQ(button->MouseOver(), c.over) << c.what;
  }
}

}  // namespace
