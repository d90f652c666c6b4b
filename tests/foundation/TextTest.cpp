#include <gtest/gtest.h>

#include "foundation/Errors.h"
#include "foundation/StringList.h"
#include "foundation/Text.h"

namespace {

TEST(CommaText, SplitsAsTheListExpects) {
  struct Case {
    const char* text;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"a,b", {"a", "b"}},
      {"a b", {"a", "b"}},
      {"a,", {"a", ""}},
      {"", {}},
      {"%form%,1.2.3.4.", {"%form%", "1.2.3.4."}},
      {"x, y", {"x", "y"}},
      {"x,,y", {"x", "", "y"}},
      {"  \t lead", {"lead"}},
      {"\"a b\",c", {"a b", "c"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"open", {"open"}},
      {"label4,344.184.161.73,,", {"label4", "344.184.161.73", "", ""}},
      {"a\0b", {"a"}},  // a zero byte ends a zero-terminated text
  };
  for (const Case& c : cases) {
    TStrings list;
    list.Add("stale");
    list.SetCommaText(c.text);
    EXPECT_EQ(list.ToVector(), c.items) << "text: " << c.text;
  }
  TStrings zero;
  zero.SetCommaText(std::string_view("a,\0,b", 5));
  EXPECT_EQ(zero.ToVector(), (std::vector<std::string>{"a", ""}));
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStrings list{"a", "b"};
  struct Case {
    std::function<void()> call;
    const char* message;
  };
  const Case cases[] = {
      {[&] { (void)list.Get(2); }, "List index out of bounds (2)"},
      {[&] { (void)list.Get(-1); }, "List index out of bounds (-1)"},
      {[&] { list.Put(5, "x"); }, "List index out of bounds (5)"},
      {[&] { list.Delete(2); }, "List index out of bounds (2)"},
      {[&] { list.Insert(3, "x"); }, "List index out of bounds (3)"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  list.Insert(2, "c");  // the end is a valid place to insert
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StringList, AssignCopiesAndKeepsObjectsAlongside) {
  TStrings source{"x", "y"};
  TObject marker;
  source.PutObject(1, &marker);
  TStrings copy;
  int changes = 0;
  copy.OnChange = [&] { ++changes; };
  copy.Assign(source);
  source.Put(0, "changed");
  EXPECT_EQ(copy.ToVector(), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(copy.Objects(1), &marker);
  EXPECT_EQ(changes, 1);
  copy.BeginUpdate();
  copy.Add("a");
  copy.Add("b");
  EXPECT_EQ(changes, 1);
  copy.EndUpdate();
  EXPECT_EQ(changes, 2);
}

TEST(NumberText, ConvertsBothWays) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t value;
  };
  const Case cases[] = {
      {"12", true, 12},
      {"-3", true, -3},
      {"+7", true, 7},
      {"   3", true, 3},
      {"$1A", true, 26},
      {"x1A", true, 26},
      {"X1a", true, 26},
      {"0x1A", true, 26},
      {"-$10", true, -16},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"$FFFFFFFF", true, -1},
      {"2147483648", false, 0},
      {"$100000000", false, 0},
      {"12a", false, 0},
      {"", false, 0},
      {" ", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"3 ", false, 0},
      {"1.5", false, 0},
  };
  for (const Case& c : cases) {
    std::int32_t value = 0;
    EXPECT_EQ(TryStrToInt(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
  EXPECT_EQ(IntToStr(-1), "-1");
  try {
    StrToInt("12a");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
  }
}

TEST(Errors, AssertionNamesUnitAndLine) {
  try {
    AssertionFailure("Assertion failure", "MLang", 2128);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Assertion failure (MLang, line 2128)");
    EXPECT_STREQ(e.ClassName(), "EAssertionFailed");
  }
}

}  // namespace
