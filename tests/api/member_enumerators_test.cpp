// The member enumerators: FUNCTION name lists, VIRTUAL names, system constants, IF_DATA
// entries and annotations, with their shared positions.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using Names = std::vector<std::string>;

std::string inModule(const std::string& body) {
  return "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body + "\n/end MODULE\n/end PROJECT\n";
}

// A zeroed record of an enumerator (or a name field) holding a key, with room for a form-2 text.
template <class Record>
struct Slot {
  static constexpr bool kIsName = std::is_same_v<Record, char>;
  static constexpr bool kIsAnnotation =
      std::is_same_v<Record, TAnnotationRecord> || std::is_same_v<Record, TAnnotationRecord2>;
  Record r[kIsName ? 256 : 1] = {};
  char text[64] = "";
  explicit Slot(const std::string& key) {
    if constexpr (std::is_same_v<Record, TAnnotationRecord2>) r->Text = text;
    if constexpr (std::is_same_v<Record, TIfDataRecord>) r->Content = "stale";
    if constexpr (std::is_same_v<Record, TSystemConstant>) r->Value = "stale";
    std::strcpy(this->key(), key.c_str());
  }
  char* key() {
    if constexpr (kIsName) {
      return r;
    } else if constexpr (kIsAnnotation) {
      return r->Label;
    } else {
      return r->Name;
    }
  }
};

// One enumerator over a list holding the keys D, D, E: one step from `key`, giving the
// next key. `group` names the position it uses.
struct Enumerator {
  const char* name;
  const char* group;
  std::function<std::string(TOrdex*, const std::string&)> next;
};

template <class Record, class Call>
Enumerator make(const char* name, const char* group, Call call) {
  return {name, group, [call, name](TOrdex* inst, const std::string& key) {
            Slot<Record> s(key);
            EXPECT_EQ(call(inst, s.r), rcOk) << name;
            // The pointer to the library's text is cleared at the end.
            if constexpr (std::is_same_v<Record, TIfDataRecord>) {
              EXPECT_EQ(s.r->Content == nullptr, !*s.r->Name) << name;
            } else if constexpr (std::is_same_v<Record, TSystemConstant>) {
              EXPECT_EQ(s.r->Value == nullptr, !*s.r->Name) << name;
            }
            return std::string(s.key());
          }};
}

using Rc = TOrdexReturnCode;

template <class Record>
Enumerator of(const char* name, const char* group,
              Rc (*fn)(TOrdex*, const char*, const char*, Record*), const char* owner) {
  return make<Record>(name, group, [=](TOrdex* i, Record* r) { return fn(i, nullptr, owner, r); });
}
template <class Record>  // the module's own lists
Enumerator of(const char* name, const char* group, Rc (*fn)(TOrdex*, const char*, Record*)) {
  return make<Record>(name, group, [=](TOrdex* i, Record* r) { return fn(i, nullptr, r); });
}
template <class Record>  // the first axis of a characteristic
Enumerator of(const char* name, const char* group,
              Rc (*fn)(TOrdex*, const char*, const char*, int32_t, Record*), const char* owner) {
  return make<Record>(name, group,
                      [=](TOrdex* i, Record* r) { return fn(i, nullptr, owner, 0, r); });
}
template <class Extra>  // without pattern, or with an address
Enumerator of(const char* name, const char* group,
              Rc (*fn)(TOrdex*, const char*, const char*, char*, Extra*), const char* owner) {
  return make<char>(name, group, [=](TOrdex* i, char* f) {
    Extra extra{};
    return fn(i, nullptr, owner, f, std::is_const_v<Extra> ? nullptr : &extra);
  });
}

std::vector<Enumerator> allEnumerators() {
  const char *kFnCha = "FUNCTION characteristics", *kFnMea = "FUNCTION measurements",
             *kV = "group V", *kIf = "IF_DATA", *kAn = "annotation", *kAn2 = "annotation 2";
  return {
      of("DefCha", kFnCha, Ordex_GetAFuncsNextDefChaName, "F"),
      of("RefCha", kFnCha, Ordex_GetAFuncsNextRefChaName, "F"),
      of("OutMea", kFnMea, Ordex_GetAFuncsNextOutMeaName, "F"),
      of("InMea", kFnMea, Ordex_GetAFuncsNextInMeaName, "F"),
      of("LocMea", kFnMea, Ordex_GetAFuncsNextLocMeaName, "F"),
      of("SubFunc", "SUB_FUNCTION", Ordex_GetAFuncsNextSubFuncName, "F"),
      of("AxisPts", "FUNCTION AXIS_PTS", Ordex_GetAFuncsNextAxisPtsName, "F"),
      of("Virtual", kV, Ordex_GetAMeasNextVirtual, "Speed"),
      of("VarCriterionValue", kV, Ordex_GetNextVarCriterionValue, "Gear"),
      of("VarCharacteristicCriterion", kV, Ordex_GetNextVarCharacteristicCriterionName, "Map"),
      of("VarCharacteristicAddress", kV, Ordex_GetNextVarCharacteristicAddress, "Map"),
      of("SystemConstant", kIf, Ordex_GetNextSystemConstant),
      of("ModuleIfData", kIf, Ordex_GetAModulesNextIfData),
      of("SegmentIfData", kIf, Ordex_GetAMemSegsNextIfData, "Seg"),
      of("CharacteristicIfData", kIf, Ordex_GetAChasNextIfData, "Map"),
      of("MeasurementIfData", kIf, Ordex_GetAMeasNextIfData, "Speed"),
      of("AxisPtsIfData", kIf, Ordex_GetAAxisPtsNextIfData, "Ap"),
      of("CharacteristicAnnotation", kAn, Ordex_GetAChasNextAnnotation, "Map"),
      of("AxisAnnotation", kAn, Ordex_GetAnAxisDescrsNextAnnotation, "Map"),
      of("MeasurementAnnotation", kAn, Ordex_GetAMeasNextAnnotation, "Speed"),
      of("AxisPtsAnnotation", kAn, Ordex_GetAAxisPtsNextAnnotation, "Ap"),
      of("CharacteristicAnnotation2", kAn2, Ordex_GetAChasNextAnnotation2, "Map"),
      of("AxisAnnotation2", kAn2, Ordex_GetAnAxisDescrsNextAnnotation2, "Map"),
      of("MeasurementAnnotation2", kAn2, Ordex_GetAMeasNextAnnotation2, "Speed"),
      of("AxisPtsAnnotation2", kAn2, Ordex_GetAAxisPtsNextAnnotation2, "Ap"),
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
    for (std::string key = e.next(inst, ""); !key.empty() && keys.size() < 10;
         key = e.next(inst, key)) {
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
      std::string second = walked.next(inst, walked.next(inst, ""));
      ASSERT_EQ(second, "D") << walked.name;
      EXPECT_EQ(other.next(inst, ""), "D") << other.name;
      const bool shared = std::string(walked.group) == other.group;
      EXPECT_EQ(walked.next(inst, second), shared ? "D" : "E")
          << walked.name << " interleaved with " << other.name;
    }
  }
}

TEST_F(RepeatedKeys, Codes) {
  char n[256] = "";
  TIfDataRecord d{};
  TAnnotationRecord a{};
  char text[16] = "";
  TAnnotationRecord2 a2{}, noText{};
  a2.Text = text;
  EXPECT_EQ(Ordex_GetAFuncsNextDefChaName(inst, nullptr, "None", n), rcFunctionNotFound);
  // An unknown module is reported as an unknown function by the FUNCTION lists.
  EXPECT_EQ(Ordex_GetAFuncsNextDefChaName(inst, "None", "F", n), rcFunctionNotFound);
  EXPECT_EQ(Ordex_GetAFuncsNextSubFuncName(inst, nullptr, nullptr, n), rcNullArgument);
  EXPECT_EQ(Ordex_GetAFuncsNextSubFuncName(inst, nullptr, "F", nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetAFuncsNextSubFuncName(nullptr, nullptr, "F", n), rcNoInstance);
  EXPECT_EQ(Ordex_GetAMeasNextVirtual(inst, nullptr, "None", n), rcMeasurementNotFound);
  EXPECT_EQ(Ordex_GetAMeasNextVirtual(inst, "X", "Speed", n), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetAMeasNextVirtual(inst, nullptr, "Speed", nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetNextSystemConstant(inst, nullptr, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetAModulesNextIfData(inst, "None", &d), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetAModulesNextIfData(inst, nullptr, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetAMemSegsNextIfData(inst, nullptr, "None", &d), rcMemorySegmentNotFound);
  EXPECT_EQ(Ordex_GetAChasNextIfData(inst, nullptr, "None", &d), rcCharacteristicNotFound);
  EXPECT_EQ(Ordex_GetAMeasNextIfData(inst, nullptr, "None", &d), rcMeasurementNotFound);
  EXPECT_EQ(Ordex_GetAAxisPtsNextIfData(inst, nullptr, "None", &d), rcAxisPtsNotFound);
  for (int axis : {-1, 3}) {
    EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation(inst, nullptr, "Map", axis, &a),
              rcIndexOutOfRange);
    EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation2(inst, nullptr, "Map", axis, &a2),
              rcIndexOutOfRange);
  }
  EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation(inst, nullptr, "Map", 0, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation(inst, nullptr, "None", 0, nullptr),
            rcCharacteristicNotFound)
      << "the owner is looked up first";
  EXPECT_EQ(Ordex_GetAnAxisDescrsNextAnnotation2(inst, nullptr, "Map", 0, &noText), rcNullArgument);
  EXPECT_EQ(Ordex_GetAMeasNextAnnotation(inst, nullptr, "None", &a), rcMeasurementNotFound);
  EXPECT_EQ(Ordex_GetAAxisPtsNextAnnotation(inst, nullptr, "None", &a), rcAxisPtsNotFound);
  EXPECT_EQ(Ordex_GetAChasNextAnnotation(inst, "None", "Map", &a), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetMaxAnnotationTextSize(inst, "None", nullptr), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetMaxAnnotationTextSize(inst, nullptr, nullptr), rcOk);

  // A name not in the list ends the walk at once.
  std::strcpy(n, "NotListed");
  EXPECT_EQ(Ordex_GetAFuncsNextDefChaName(inst, nullptr, "F", n), rcOk);
  EXPECT_STREQ(n, "");
  // The second axis has no annotation; the third slot is not filled at all.
  for (int axis : {1, 2}) {
    a = {};
    ASSERT_EQ(Ordex_GetAnAxisDescrsNextAnnotation(inst, nullptr, "Map", axis, &a), rcOk);
    EXPECT_STREQ(a.Label, "");
  }
}

TEST_F(RepeatedKeys, ValuesAndContentsPointToTheLibrarysTexts) {
  TSystemConstant c{};
  Names values;
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(Ordex_GetNextSystemConstant(inst, nullptr, &c), rcOk);
    values.push_back(c.Value ? c.Value : "(null)");
  }
  EXPECT_EQ(values, (Names{"first", "second", "third", "(null)"}));
  EXPECT_STREQ(c.Name, "");

  TIfDataRecord r{};
  ASSERT_EQ(Ordex_GetAChasNextIfData(inst, nullptr, "Map", &r), rcOk);
  EXPECT_STREQ(r.Name, "D");
  EXPECT_STREQ(r.Content, "cha1 ");
  const char* first = r.Content;
  ASSERT_EQ(Ordex_GetAChasNextIfData(inst, nullptr, "Map", &r), rcOk);
  EXPECT_STREQ(r.Content, "cha2 ");
  EXPECT_STREQ(first, "cha1 ") << "the pointer stays valid";
}

TEST(MemberEnumerators, EmptyListsEndAtOnce) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(
                inst, inModule("/begin MEASUREMENT V \"\" UBYTE CM 1 0 0 1 /end MEASUREMENT")),
            rcOk);
  for (const Enumerator& e : {of("Virtual", "", Ordex_GetAMeasNextVirtual, "V"),
                              of("ModuleIfData", "", Ordex_GetAModulesNextIfData),
                              of("SystemConstant", "", Ordex_GetNextSystemConstant)}) {
    EXPECT_EQ(e.next(inst, ""), "") << e.name;
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

// Annotations.

// An annotation whose text is written in quoted lines of at most 1000 characters (a token
// holds at most 1023); the reader joins them.
std::string annotation(const std::string& label, const std::string& text) {
  std::string lines;
  for (size_t at = 0; at < text.size(); at += 1000) lines += " \"" + text.substr(at, 1000) + "\"\n";
  return "/begin ANNOTATION ANNOTATION_LABEL \"" + label +
         "\" ANNOTATION_ORIGIN \"o\" /begin ANNOTATION_TEXT" + lines +
         " /end ANNOTATION_TEXT /end ANNOTATION\n";
}

std::string characteristicWith(const std::string& annotations) {
  return inModule("/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1\n" + annotations +
                  "/end CHARACTERISTIC");
}

// Label, origin and text of each annotation of K, by the plain form.
Names walkAnnotations(TOrdex* inst) {
  Names out;
  TAnnotationRecord r{};
  for (int guard = 0; guard < 20; ++guard) {
    EXPECT_EQ(Ordex_GetAChasNextAnnotation(inst, nullptr, "K", &r), rcOk);
    if (!*r.Label && !*r.Origin && !*r.Text) break;
    out.push_back(std::string(r.Label) + "|" + r.Origin + "|" + r.Text);
  }
  return out;
}

// Label and text of three steps of a form-2 enumerator writing into `buffer`, which starts
// as an empty key.
Names walkAnnotations2(const std::function<TOrdexReturnCode(TAnnotationRecord2*)>& step,
                       char* buffer) {
  Names out;
  TAnnotationRecord2 r{};
  r.Text = buffer;
  buffer[0] = '\0';
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(step(&r), rcOk);
    out.push_back(std::string(r.Label) + "|" + r.Text);
  }
  return out;
}

// The whole triple is the key, compared under the comparison mode.
TEST(Annotations, KeysAreWholeTriples) {
  Instance inst;
  ASSERT_EQ(ordex_test::readText(
                inst, characteristicWith(annotation("L", "one") + annotation("L", "two") +
                                         annotation("L", "one"))),
            rcOk);
  EXPECT_EQ(walkAnnotations(inst), (Names{"L|o|one", "L|o|two", "L|o|one"}));
  TAnnotationRecord r{"l", "O", "ONE"};
  ASSERT_EQ(Ordex_GetAChasNextAnnotation(inst, nullptr, "K", &r), rcOk);
  EXPECT_STREQ(r.Label, "") << "exact comparison: the key is in no annotation";
  Ordex_ConfigureStringComparison(1);
  r = {"l", "O", "ONE"};
  ASSERT_EQ(Ordex_GetAChasNextAnnotation(inst, nullptr, "k", &r), rcOk);
  Ordex_ConfigureStringComparison(0);
  EXPECT_STREQ(r.Text, "two");
}

TEST(Annotations, LongTextIsCutByThePlainFormAndFittedByForm2) {
  const std::string longText(3000, 'a');
  Instance inst;
  ASSERT_EQ(ordex_test::readText(
                inst, characteristicWith(annotation("L", longText) + annotation("L", "short"))),
            rcOk);
  int max = 0;
  ASSERT_EQ(Ordex_GetMaxAnnotationTextSize(inst, nullptr, &max), rcOk);
  EXPECT_EQ(max, 3001);
  // The cut text is still recognised as the key, so the walk goes on to the next one.
  EXPECT_EQ(walkAnnotations(inst), (Names{"L|o|" + std::string(2047, 'a'), "L|o|short"}));
  std::vector<char> buffer(max);
  EXPECT_EQ(walkAnnotations2(
                [&](TAnnotationRecord2* r) {
                  return Ordex_GetAChasNextAnnotation2(inst, nullptr, "K", r);
                },
                buffer.data()),
            (Names{"L|" + longText, "L|short", "|"}));
}

// AXIS_PTS annotations do not raise the maximum; form 2 then cuts their text to the buffer
// that the maximum sizes, and the walk still goes on.
TEST(Annotations, Form2NeverWritesPastTheMaximumSize) {
  Instance inst;
  ASSERT_EQ(
      ordex_test::readText(inst, inModule("/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1\n" +
                                          annotation("L", "0123456789") + "/end CHARACTERISTIC\n" +
                                          "/begin AXIS_PTS Ap \"\" 0 Q RL 0 CM 4 0 1\n" +
                                          annotation("A", std::string(500, 'x')) +
                                          annotation("B", "tail") + "/end AXIS_PTS")),
      rcOk);
  int max = 0;
  ASSERT_EQ(Ordex_GetMaxAnnotationTextSize(inst, nullptr, &max), rcOk);
  ASSERT_EQ(max, 11) << "AXIS_PTS annotations leave the maximum alone";
  std::vector<char> buffer(max + 16, '#');
  EXPECT_EQ(walkAnnotations2(
                [&](TAnnotationRecord2* r) {
                  return Ordex_GetAAxisPtsNextAnnotation2(inst, nullptr, "Ap", r);
                },
                buffer.data()),
            (Names{"A|xxxxxxxxxx", "B|tail", "|"}));
  EXPECT_EQ(std::string(buffer.begin() + max, buffer.end()), std::string(16, '#'));
}

}  // namespace

// The texts of two ANNOTATION_TEXT blocks join; a read that fails inside one keeps the lines
// it read.
TEST(Annotations, TextsJoinAndAFailedReadKeepsWhatItRead) {
  Instance inst;
  const std::string twoTexts =
      "/begin ANNOTATION /begin ANNOTATION_TEXT \"a\" \"b\" /end ANNOTATION_TEXT\n"
      "/begin ANNOTATION_TEXT \"c\" /end ANNOTATION_TEXT /end ANNOTATION\n";
  ASSERT_EQ(ordex_test::readText(inst, characteristicWith(twoTexts)), rcOk);
  EXPECT_EQ(walkAnnotations(inst), (Names{"||abc"}));
  const std::string cutOff =
      "/begin PROJECT P \"\" /begin MODULE M \"\"\n"
      "/begin CHARACTERISTIC K \"\" VALUE 0 RL 0 CM 0 1\n"
      "/begin ANNOTATION /begin ANNOTATION_TEXT \"one\" \"two\"\n";
  ASSERT_NE(ordex_test::readText(inst, cutOff), rcOk);
  EXPECT_EQ(walkAnnotations(inst), (Names{"||onetwo"}));
}
