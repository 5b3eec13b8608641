// The member enumerators: FUNCTION name lists, VIRTUAL names, system constants, IF_DATA
// entries and annotations, with their shared positions.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using Names = std::vector<std::string>;

std::string inModule(const std::string& body) {
  return "ASAP2_VERSION 1 61\n/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body +
         "\n/end MODULE\n/end PROJECT\n";
}

// Walks a name-field enumerator from the start to its end.
Names walk(const std::function<TOrdexReturnCode(char*)>& step) {
  Names out;
  char name[256] = "";
  for (int guard = 0; guard < 100; ++guard) {
    EXPECT_EQ(step(name), rcOk);
    if (!*name) break;
    out.emplace_back(name);
  }
  return out;
}

TAnnotationRecord annotationKey(const std::string& label) {
  TAnnotationRecord r;
  std::memset(&r, 0, sizeof r);
  std::snprintf(r.Label, sizeof r.Label, "%s", label.c_str());
  return r;
}

// One enumerator over a list holding the keys D, D, E: one step from `key`, giving the
// next key. `group` names the position it uses.
struct Enumerator {
  const char* name;
  const char* group;
  std::function<std::string(TOrdex*, const std::string&)> next;
};

template <class Fn>
Enumerator byName(const char* name, const char* group, Fn fn) {
  return {name, group, [fn](TOrdex* inst, const std::string& key) {
            char field[256];
            std::snprintf(field, sizeof field, "%s", key.c_str());
            EXPECT_EQ(fn(inst, field), rcOk);
            return std::string(field);
          }};
}

template <class Fn>
Enumerator byIfData(const char* name, Fn fn) {
  return {name, "IF_DATA", [fn](TOrdex* inst, const std::string& key) {
            TIfDataRecord r;
            std::snprintf(r.Name, sizeof r.Name, "%s", key.c_str());
            EXPECT_EQ(fn(inst, &r), rcOk);
            EXPECT_EQ(r.Content == nullptr, !*r.Name);
            return std::string(r.Name);
          }};
}

template <class Fn>
Enumerator byAnnotation(const char* name, Fn fn) {
  return {name, "annotation", [fn](TOrdex* inst, const std::string& key) {
            TAnnotationRecord r = annotationKey(key);
            EXPECT_EQ(fn(inst, &r), rcOk);
            return std::string(r.Label);
          }};
}

template <class Fn>
Enumerator byAnnotation2(const char* name, Fn fn) {
  return {name, "annotation 2", [fn](TOrdex* inst, const std::string& key) {
            TAnnotationRecord2 r;
            std::memset(&r, 0, sizeof r);
            std::snprintf(r.Label, sizeof r.Label, "%s", key.c_str());
            char text[64] = "";
            r.Text = text;
            EXPECT_EQ(fn(inst, &r), rcOk);
            return std::string(r.Label);
          }};
}

std::vector<Enumerator> allEnumerators() {
  return {
      byName("DefCha", "FUNCTION characteristics",
             [](TOrdex* i, char* f) { return Ordex_GetAFuncsNextDefChaName(i, nullptr, "F", f); }),
      byName("RefCha", "FUNCTION characteristics",
             [](TOrdex* i, char* f) { return Ordex_GetAFuncsNextRefChaName(i, nullptr, "F", f); }),
      byName("OutMea", "FUNCTION measurements",
             [](TOrdex* i, char* f) { return Ordex_GetAFuncsNextOutMeaName(i, nullptr, "F", f); }),
      byName("InMea", "FUNCTION measurements",
             [](TOrdex* i, char* f) { return Ordex_GetAFuncsNextInMeaName(i, nullptr, "F", f); }),
      byName("LocMea", "FUNCTION measurements",
             [](TOrdex* i, char* f) { return Ordex_GetAFuncsNextLocMeaName(i, nullptr, "F", f); }),
      byName("SubFunc", "SUB_FUNCTION",
             [](TOrdex* i, char* f) { return Ordex_GetAFuncsNextSubFuncName(i, nullptr, "F", f); }),
      byName("AxisPts", "FUNCTION AXIS_PTS",
             [](TOrdex* i, char* f) { return Ordex_GetAFuncsNextAxisPtsName(i, nullptr, "F", f); }),
      byName("Virtual", "group V",
             [](TOrdex* i, char* f) { return Ordex_GetAMeasNextVirtual(i, nullptr, "Speed", f); }),
      byName("VarCriterionValue", "group V",
             [](TOrdex* i, char* f) {
               return Ordex_GetNextVarCriterionValue(i, nullptr, "Gear", f, nullptr);
             }),
      byName("VarCharacteristicCriterion", "group V",
             [](TOrdex* i, char* f) {
               return Ordex_GetNextVarCharacteristicCriterionName(i, nullptr, "Map", f, nullptr);
             }),
      byName("VarCharacteristicAddress", "group V",
             [](TOrdex* i, char* f) {
               unsigned long address = 0;
               return Ordex_GetNextVarCharacteristicAddress(i, nullptr, "Map", f, &address);
             }),
      {"SystemConstant", "IF_DATA",
       [](TOrdex* inst, const std::string& key) {
         TSystemConstant r;
         std::snprintf(r.Name, sizeof r.Name, "%s", key.c_str());
         EXPECT_EQ(Ordex_GetNextSystemConstant(inst, nullptr, &r), rcOk);
         return std::string(r.Name);
       }},
      byIfData(
          "ModuleIfData",
          [](TOrdex* i, TIfDataRecord* r) { return Ordex_GetAModulesNextIfData(i, nullptr, r); }),
      byIfData("SegmentIfData",
               [](TOrdex* i, TIfDataRecord* r) {
                 return Ordex_GetAMemSegsNextIfData(i, nullptr, "Seg", r);
               }),
      byIfData("CharacteristicIfData",
               [](TOrdex* i, TIfDataRecord* r) {
                 return Ordex_GetAChasNextIfData(i, nullptr, "Map", r);
               }),
      byIfData("MeasurementIfData",
               [](TOrdex* i, TIfDataRecord* r) {
                 return Ordex_GetAMeasNextIfData(i, nullptr, "Speed", r);
               }),
      byIfData("AxisPtsIfData",
               [](TOrdex* i, TIfDataRecord* r) {
                 return Ordex_GetAAxisPtsNextIfData(i, nullptr, "Ap", r);
               }),
      byAnnotation("CharacteristicAnnotation",
                   [](TOrdex* i, TAnnotationRecord* r) {
                     return Ordex_GetAChasNextAnnotation(i, nullptr, "Map", r);
                   }),
      byAnnotation("AxisAnnotation",
                   [](TOrdex* i, TAnnotationRecord* r) {
                     return Ordex_GetAnAxisDescrsNextAnnotation(i, nullptr, "Map", 0, r);
                   }),
      byAnnotation("MeasurementAnnotation",
                   [](TOrdex* i, TAnnotationRecord* r) {
                     return Ordex_GetAMeasNextAnnotation(i, nullptr, "Speed", r);
                   }),
      byAnnotation("AxisPtsAnnotation",
                   [](TOrdex* i, TAnnotationRecord* r) {
                     return Ordex_GetAAxisPtsNextAnnotation(i, nullptr, "Ap", r);
                   }),
      byAnnotation2("CharacteristicAnnotation2",
                    [](TOrdex* i, TAnnotationRecord2* r) {
                      return Ordex_GetAChasNextAnnotation2(i, nullptr, "Map", r);
                    }),
      byAnnotation2("AxisAnnotation2",
                    [](TOrdex* i, TAnnotationRecord2* r) {
                      return Ordex_GetAnAxisDescrsNextAnnotation2(i, nullptr, "Map", 0, r);
                    }),
      byAnnotation2("MeasurementAnnotation2",
                    [](TOrdex* i, TAnnotationRecord2* r) {
                      return Ordex_GetAMeasNextAnnotation2(i, nullptr, "Speed", r);
                    }),
      byAnnotation2("AxisPtsAnnotation2",
                    [](TOrdex* i, TAnnotationRecord2* r) {
                      return Ordex_GetAAxisPtsNextAnnotation2(i, nullptr, "Ap", r);
                    }),
  };
}

class RepeatedKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(
        Ordex_ReadAsapFile(inst, ordex_test::dataPath("members_with_repeated_keys.a2l").c_str(),
                           nullptr, nullptr),
        rcOk)
        << ordex_test::readError(inst);
  }
  Instance inst;
};

TEST_F(RepeatedKeys, EveryEnumeratorWalksPastRepeatedKeysWhileItsPositionHolds) {
  for (const Enumerator& e : allEnumerators()) {
    Names keys;
    std::string key;
    for (int guard = 0; guard < 10; ++guard) {
      key = e.next(inst, key);
      if (key.empty()) break;
      keys.push_back(key);
    }
    EXPECT_EQ(keys, (Names{"D", "D", "E"})) << e.name;
  }
}

// Moving a position that another enumerator uses makes that one continue after the first
// entry of its key: on the second D it returns D once more. Enumerators of other positions
// leave it alone. This pins exactly which enumerators share a position.
TEST_F(RepeatedKeys, EnumeratorsShareExactlyTheirGroupsPosition) {
  const std::vector<Enumerator> all = allEnumerators();
  for (const Enumerator& walked : all) {
    for (const Enumerator& other : all) {
      std::string first = walked.next(inst, "");
      std::string second = walked.next(inst, first);
      ASSERT_EQ(second, "D") << walked.name;
      EXPECT_EQ(other.next(inst, ""), "D") << other.name;
      const bool shared = std::string(walked.group) == other.group;
      EXPECT_EQ(walked.next(inst, second), shared ? "D" : "E")
          << walked.name << " interleaved with " << other.name;
    }
  }
}

TEST(FunctionNameLists, AlternatingEnumeratorsOfOnePositionWalkBothListsWhole) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin FUNCTION F ""
      /begin DEF_CHARACTERISTIC a b c /end DEF_CHARACTERISTIC
      /begin REF_CHARACTERISTIC x y /end REF_CHARACTERISTIC
      /begin IN_MEASUREMENT i1 i2 /end IN_MEASUREMENT
      /begin OUT_MEASUREMENT o1 /end OUT_MEASUREMENT
      /begin LOC_MEASUREMENT l1 l2 l3 /end LOC_MEASUREMENT
    /end FUNCTION)")),
            rcOk);
  char def[256] = "", ref[256] = "";
  Names defs, refs;
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(Ordex_GetAFuncsNextDefChaName(inst, nullptr, "F", def), rcOk);
    ASSERT_EQ(Ordex_GetAFuncsNextRefChaName(inst, "M", "F", ref), rcOk);
    defs.emplace_back(def);
    refs.emplace_back(ref);
  }
  EXPECT_EQ(defs, (Names{"a", "b", "c", "", "a"}));
  EXPECT_EQ(refs, (Names{"x", "y", "", "x", "y"}));

  char in[256] = "", out[256] = "", loc[256] = "";
  Names seen;
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(Ordex_GetAFuncsNextInMeaName(inst, nullptr, "F", in), rcOk);
    ASSERT_EQ(Ordex_GetAFuncsNextOutMeaName(inst, nullptr, "F", out), rcOk);
    ASSERT_EQ(Ordex_GetAFuncsNextLocMeaName(inst, nullptr, "F", loc), rcOk);
    seen.insert(seen.end(), {in, out, loc});
  }
  EXPECT_EQ(seen, (Names{"i1", "o1", "l1", "i2", "", "l2", "", "o1", "l3", "i1", "", ""}));
}

TEST(FunctionNameLists, ContributedEntriesFollowTheOwnOnesAndCodesNameTheFunction) {
  Instance inst;
  ASSERT_EQ(
      Ordex_ReadAsapFile(inst, ordex_test::dataPath("function_lists_and_axis_pts.a2l").c_str(),
                         nullptr, nullptr),
      rcOk);
  auto list = [&](auto fn) {
    return walk([&](char* n) { return fn(inst.get(), nullptr, "FnA", n); });
  };
  EXPECT_EQ(list(Ordex_GetAFuncsNextDefChaName), (Names{"KwOwn1", "KwOwn2", "Kw1", "Kw2", "Kw2"}));
  EXPECT_EQ(list(Ordex_GetAFuncsNextRefChaName), (Names{"KwRef"}));
  EXPECT_EQ(list(Ordex_GetAFuncsNextInMeaName), (Names{"a", "b", "c", "M1"}));
  EXPECT_EQ(list(Ordex_GetAFuncsNextOutMeaName), (Names{"MOut"}));
  EXPECT_EQ(list(Ordex_GetAFuncsNextLocMeaName), (Names{"MLoc"}));
  EXPECT_EQ(list(Ordex_GetAFuncsNextSubFuncName), (Names{"FnB"}));
  EXPECT_EQ(list(Ordex_GetAFuncsNextAxisPtsName), (Names{"ApOwn", "Ap1"}));

  char name[256] = "";
  EXPECT_EQ(Ordex_GetAFuncsNextDefChaName(inst, nullptr, "NoSuch", name), rcFunctionNotFound);
  EXPECT_EQ(Ordex_GetAFuncsNextDefChaName(inst, "NoModule", "FnA", name), rcFunctionNotFound);
  EXPECT_EQ(Ordex_GetAFuncsNextSubFuncName(inst, nullptr, "FnA", nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetAFuncsNextSubFuncName(inst, nullptr, nullptr, name), rcNullArgument);
  EXPECT_EQ(Ordex_GetAFuncsNextSubFuncName(nullptr, nullptr, "FnA", name), rcNoInstance);
  // A name not in the list ends the walk at once.
  std::strcpy(name, "NotListed");
  EXPECT_EQ(Ordex_GetAFuncsNextDefChaName(inst, nullptr, "FnA", name), rcOk);
  EXPECT_STREQ(name, "");
}

TEST(MeasurementVirtuals, WalkAndCodes) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule(R"(
    /begin MEASUREMENT V "" UBYTE CM 1 0 0 255
      /begin VIRTUAL a b /end VIRTUAL
    /end MEASUREMENT
    /begin MEASUREMENT Plain "" UBYTE CM 1 0 0 255 /end MEASUREMENT)")),
            rcOk);
  EXPECT_EQ(walk([&](char* n) { return Ordex_GetAMeasNextVirtual(inst, nullptr, "V", n); }),
            (Names{"a", "b"}));
  EXPECT_EQ(walk([&](char* n) { return Ordex_GetAMeasNextVirtual(inst, nullptr, "Plain", n); }),
            Names{});
  char name[256] = "";
  EXPECT_EQ(Ordex_GetAMeasNextVirtual(inst, nullptr, "W", name), rcMeasurementNotFound);
  EXPECT_EQ(Ordex_GetAMeasNextVirtual(inst, "X", "V", name), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetAMeasNextVirtual(inst, nullptr, "V", nullptr), rcNullArgument);
}

TEST(SystemConstantsAndIfData, ValuesAndContentsPointToTheLibrarysTexts) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("members_with_repeated_keys.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  TSystemConstant c;
  c.Name[0] = '\0';
  std::vector<std::string> values;
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(Ordex_GetNextSystemConstant(inst, nullptr, &c), rcOk);
    values.push_back(c.Value ? c.Value : "(null)");
  }
  EXPECT_EQ(values, (Names{"first", "second", "third", "(null)"}));
  EXPECT_STREQ(c.Name, "");

  TIfDataRecord r;
  r.Name[0] = '\0';
  ASSERT_EQ(Ordex_GetAChasNextIfData(inst, nullptr, "Map", &r), rcOk);
  EXPECT_STREQ(r.Name, "D");
  EXPECT_STREQ(r.Content, "cha1 ");
  const char* first = r.Content;
  ASSERT_EQ(Ordex_GetAChasNextIfData(inst, nullptr, "Map", &r), rcOk);
  EXPECT_STREQ(r.Content, "cha2 ");
  EXPECT_STREQ(first, "cha1 ") << "the pointer stays valid";

  EXPECT_EQ(Ordex_GetAChasNextIfData(inst, nullptr, "None", &r), rcCharacteristicNotFound);
  EXPECT_EQ(Ordex_GetAMeasNextIfData(inst, nullptr, "None", &r), rcMeasurementNotFound);
  EXPECT_EQ(Ordex_GetAAxisPtsNextIfData(inst, nullptr, "None", &r), rcAxisPtsNotFound);
  EXPECT_EQ(Ordex_GetAMemSegsNextIfData(inst, nullptr, "None", &r), rcMemorySegmentNotFound);
  EXPECT_EQ(Ordex_GetAModulesNextIfData(inst, "None", &r), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetAModulesNextIfData(inst, nullptr, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetNextSystemConstant(inst, nullptr, nullptr), rcNullArgument);
}

TEST(SystemConstantsAndIfData, ModuleWithoutEntriesEndsAtOnce) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, inModule("")), rcOk);
  TIfDataRecord r;
  std::strcpy(r.Name, "");
  r.Content = "stale";
  ASSERT_EQ(Ordex_GetAModulesNextIfData(inst, nullptr, &r), rcOk);
  EXPECT_STREQ(r.Name, "");
  EXPECT_EQ(r.Content, nullptr);
  TSystemConstant c;
  std::strcpy(c.Name, "");
  c.Value = "stale";
  ASSERT_EQ(Ordex_GetNextSystemConstant(inst, nullptr, &c), rcOk);
  EXPECT_EQ(c.Value, nullptr);
}

// Annotations.

// An annotation whose text is written in quoted lines of at most 1000 characters (a token
// holds at most 1023); the reader joins them.
std::string annotationWithText(const std::string& label, const std::string& text) {
  std::string lines;
  for (size_t at = 0; at < text.size(); at += 1000) lines += " \"" + text.substr(at, 1000) + "\"\n";
  return "/begin ANNOTATION ANNOTATION_LABEL \"" + label +
         "\" ANNOTATION_ORIGIN \"o\" /begin ANNOTATION_TEXT" + lines +
         " /end ANNOTATION_TEXT /end ANNOTATION\n";
}

struct Triple {
  std::string label, origin, text;
  bool operator==(const Triple& o) const {
    return label == o.label && origin == o.origin && text == o.text;
  }
};
std::ostream& operator<<(std::ostream& os, const Triple& t) {
  return os << "(" << t.label << ", " << t.origin << ", " << t.text.size() << " chars)";
}

std::vector<Triple> walkAnnotations(TOrdex* inst, const char* owner) {
  std::vector<Triple> out;
  TAnnotationRecord r = annotationKey("");
  for (int guard = 0; guard < 20; ++guard) {
    EXPECT_EQ(Ordex_GetAChasNextAnnotation(inst, nullptr, owner, &r), rcOk);
    if (!*r.Label && !*r.Origin && !*r.Text) break;
    out.push_back({r.Label, r.Origin, r.Text});
  }
  return out;
}

TEST(Annotations, TheWholeTripleIsTheKey) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(
                inst, inModule("/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1\n" +
                               annotationWithText("L", "one") + annotationWithText("L", "two") +
                               annotationWithText("L", "one") + "/end CHARACTERISTIC")),
            rcOk);
  EXPECT_EQ(walkAnnotations(inst, "K"),
            (std::vector<Triple>{{"L", "o", "one"}, {"L", "o", "two"}, {"L", "o", "one"}}));
}

TEST(Annotations, LongTextIsCutByThePlainFormAndFittedByForm2) {
  const std::string longText(3000, 'a');
  Instance inst;
  ASSERT_EQ(ordex_test::readText(
                inst, inModule("/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1\n" +
                               annotationWithText("L", longText) +
                               annotationWithText("L", "short") + "/end CHARACTERISTIC")),
            rcOk);
  int max = 0;
  ASSERT_EQ(Ordex_GetMaxAnnotationTextSize(inst, nullptr, &max), rcOk);
  EXPECT_EQ(max, 3001);
  EXPECT_EQ(Ordex_GetMaxAnnotationTextSize(inst, nullptr, nullptr), rcOk);

  // The cut text is still recognised as the key, so the walk goes on to the next one.
  std::vector<Triple> plain = walkAnnotations(inst, "K");
  ASSERT_EQ(plain.size(), 2u);
  EXPECT_EQ(plain[0].text, std::string(2047, 'a'));
  EXPECT_EQ(plain[1].text, "short");

  std::vector<char> buffer(max);
  TAnnotationRecord2 r;
  std::memset(&r, 0, sizeof r);
  r.Text = buffer.data();
  ASSERT_EQ(Ordex_GetAChasNextAnnotation2(inst, nullptr, "K", &r), rcOk);
  EXPECT_EQ(std::string(r.Text), longText);
  ASSERT_EQ(Ordex_GetAChasNextAnnotation2(inst, nullptr, "K", &r), rcOk);
  EXPECT_STREQ(r.Text, "short");
  ASSERT_EQ(Ordex_GetAChasNextAnnotation2(inst, nullptr, "K", &r), rcOk);
  EXPECT_STREQ(r.Text, "");
  EXPECT_STREQ(r.Label, "");
}

// AXIS_PTS annotations do not raise the maximum; form 2 then cuts their text to the buffer
// that the maximum sizes, and the walk still goes on.
TEST(Annotations, Form2NeverWritesPastTheMaximumSize) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(
                inst, inModule("/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1\n" +
                               annotationWithText("L", "0123456789") + "/end CHARACTERISTIC\n" +
                               "/begin AXIS_PTS Ap \"\" 0 Q RL 0 CM 4 0 1\n" +
                               annotationWithText("A", std::string(500, 'x')) +
                               annotationWithText("B", "tail") + "/end AXIS_PTS")),
            rcOk);
  int max = 0;
  ASSERT_EQ(Ordex_GetMaxAnnotationTextSize(inst, nullptr, &max), rcOk);
  ASSERT_EQ(max, 11) << "AXIS_PTS annotations leave the maximum alone";

  std::vector<char> buffer(max + 16, '#');
  buffer[0] = '\0';
  TAnnotationRecord2 r;
  std::memset(&r, 0, sizeof r);
  r.Text = buffer.data();
  Names labels, texts;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(Ordex_GetAAxisPtsNextAnnotation2(inst, nullptr, "Ap", &r), rcOk);
    labels.emplace_back(r.Label);
    texts.emplace_back(r.Text);
  }
  EXPECT_EQ(labels, (Names{"A", "B", ""}));
  EXPECT_EQ(texts, (Names{"xxxxxxxxxx", "tail", ""}));
  EXPECT_EQ(std::string(buffer.begin() + max, buffer.end()), std::string(16, '#'));
}

TEST(Annotations, AxisDescriptionCodes) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("members_with_repeated_keys.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  TAnnotationRecord r = annotationKey("");
  char text[16] = "";
  TAnnotationRecord2 r2;
  std::memset(&r2, 0, sizeof r2);
  r2.Text = text;
  for (int axis : {-1, 3}) {
    EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation(inst, nullptr, "Map", axis, &r),
              rcIndexOutOfRange);
    EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation2(inst, nullptr, "Map", axis, &r2),
              rcIndexOutOfRange);
  }
  EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation(inst, nullptr, "Map", 0, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation(inst, nullptr, "None", 0, nullptr),
            rcCharacteristicNotFound)
      << "the owner is looked up first";
  r2.Text = nullptr;
  EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation2(inst, nullptr, "Map", 0, &r2), rcNullArgument);
  EXPECT_EQ(Ordex_GetAMeasNextAnnotation(inst, nullptr, "None", &r), rcMeasurementNotFound);
  EXPECT_EQ(Ordex_GetAAxisPtsNextAnnotation(inst, nullptr, "None", &r), rcAxisPtsNotFound);
  EXPECT_EQ(Ordex_GetAChasNextAnnotation(inst, "None", "Map", &r), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetMaxAnnotationTextSize(inst, "None", nullptr), rcModuleNotFound);

  // The second axis has no annotation; the third slot is not filled at all.
  for (int axis : {1, 2}) {
    r = annotationKey("");
    ASSERT_EQ(Ordex_GetAnAxisDescrsNextAnnotation(inst, nullptr, "Map", axis, &r), rcOk);
    EXPECT_STREQ(r.Label, "");
  }
}

TEST(Annotations, KeysCompareUnderTheComparisonMode) {
  Instance inst;
  ASSERT_EQ(
      ordex_test::readText(inst, inModule("/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1\n" +
                                          annotationWithText("Lab", "Text") +
                                          annotationWithText("x", "y") + "/end CHARACTERISTIC")),
      rcOk);
  TAnnotationRecord r = annotationKey("LAB");
  std::strcpy(r.Origin, "O");
  std::strcpy(r.Text, "TEXT");
  ASSERT_EQ(Ordex_GetAChasNextAnnotation(inst, nullptr, "K", &r), rcOk);
  EXPECT_STREQ(r.Label, "") << "exact comparison: the key is in no annotation";
  Ordex_ConfigureStringComparison(1);
  r = annotationKey("LAB");
  std::strcpy(r.Origin, "O");
  std::strcpy(r.Text, "TEXT");
  ASSERT_EQ(Ordex_GetAChasNextAnnotation(inst, nullptr, "k", &r), rcOk);
  Ordex_ConfigureStringComparison(0);
  EXPECT_STREQ(r.Label, "x");
}

}  // namespace
