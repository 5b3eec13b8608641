// Resolve every reference, remove what they lead to, and use them again: the publishing
// function queries and the conversion find nothing (or the object made anew), never a freed
// record. Meant for the sanitizer build too, where a dangling reference is a failure.

#include <string>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::named;
using ordex_test::setText;

constexpr int kResolveAll = 0x1 | 0x2 | 0x4 | 0x8;

class EditDanglingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(rcOk, ordex_test::readText(inst, R"(/begin PROJECT P ""
      /begin MODULE M ""
        /begin COMPU_VTAB VT "" TAB_VERB 2 0 "zero" 1 "one" /end COMPU_VTAB
        /begin COMPU_TAB T "" TAB_NOINTP 2 0 10 1 20 /end COMPU_TAB
        /begin COMPU_METHOD CM_VERB "" TAB_VERB "%1.0" "" COMPU_TAB_REF VT /end COMPU_METHOD
        /begin COMPU_METHOD CM_TAB "" TAB_NOINTP "%4.1" "" COMPU_TAB_REF T /end COMPU_METHOD
        /begin MEASUREMENT Gear "" UBYTE CM_VERB 1 0 0 1 /end MEASUREMENT
        /begin MEASUREMENT Level "" UBYTE CM_TAB 1 0 0 100 /end MEASUREMENT
        /begin CHARACTERISTIC X "" VALUE 0x100 RL 0 CM_TAB 0 100 /end CHARACTERISTIC
        /begin FUNCTION F ""
          /begin DEF_CHARACTERISTIC X /end DEF_CHARACTERISTIC
          /begin OUT_MEASUREMENT Gear /end OUT_MEASUREMENT
          /begin SUB_FUNCTION G /end SUB_FUNCTION
        /end FUNCTION
        /begin FUNCTION G ""
          /begin IN_MEASUREMENT Gear Level /end IN_MEASUREMENT
          /begin REF_CHARACTERISTIC X /end REF_CHARACTERISTIC
        /end FUNCTION
      /end MODULE
    /end PROJECT)"));
    ASSERT_EQ(rcOk, Ordex_ReferenceFinder(inst, kResolveAll, 1, 0, nullptr));
  }

  // The publisher of a characteristic or measurement, or the parent of a function.
  std::string publisher(TOrdexReturnCode (*query)(TOrdex*, const char*, const char*, char*),
                        const char* name) {
    char out[ORDEX_TEXT_SIZE] = "?";
    EXPECT_EQ(rcOk, query(inst, nullptr, name, out));
    return out;
  }
  // The conversion of the raw byte `raw` of a measurement: its result code and text.
  TOrdexReturnCode convert(const char* measurement, unsigned char raw, std::string& text) {
    double value = 0;
    char buffer[1024] = "";
    TOrdexReturnCode rc =
        Ordex_RawToPhysMeasurement(inst, nullptr, measurement, &raw, '.', &value, buffer);
    text = buffer;
    return rc;
  }

  ordex_test::Instance inst;
};

TEST_F(EditDanglingTest, RemovedPublisherAndParentAreNoLongerReported) {
  ASSERT_EQ("F", publisher(Ordex_GetAChasPublishingFunc, "X"));
  ASSERT_EQ("F", publisher(Ordex_GetAMeasPublishingFunc, "Gear"));
  ASSERT_EQ("F", publisher(Ordex_GetAFuncsPublishingFunc, "G"));
  ASSERT_EQ(rcOk, Ordex_RemoveFunction(inst, nullptr, "F"));
  EXPECT_EQ("", publisher(Ordex_GetAChasPublishingFunc, "X"));
  EXPECT_EQ("", publisher(Ordex_GetAMeasPublishingFunc, "Gear"));
  EXPECT_EQ("", publisher(Ordex_GetAFuncsPublishingFunc, "G"));
  // A new F of the same name is linked again only by the finder.
  TFunction f = named<TFunction>("F");
  ASSERT_EQ(rcOk, Ordex_CreateFunction(inst, nullptr, &f));
  ASSERT_EQ(rcOk, Ordex_AddToAFuncsDefChaList(inst, nullptr, "F", "X"));
  EXPECT_EQ("", publisher(Ordex_GetAChasPublishingFunc, "X"));
  ASSERT_EQ(rcOk, Ordex_ReferenceFinder(inst, kResolveAll, 1, 0, nullptr));
  EXPECT_EQ("F", publisher(Ordex_GetAChasPublishingFunc, "X"));
}

TEST_F(EditDanglingTest, RemovedTablesAndMethodsAreResolvedAnew) {
  std::string text;
  ASSERT_EQ(rcOk, convert("Gear", 1, text));
  EXPECT_NE(std::string::npos, text.find("one")) << text;
  ASSERT_EQ(rcOk, Ordex_RemoveCompuVTab(inst, nullptr, "VT"));
  EXPECT_EQ(rcCompuVTabNotFound, convert("Gear", 1, text));
  TCompuVTab vt = named<TCompuVTab>("VT");
  vt.ConversionType = 4;
  vt.NumberValuePairs = 2;
  vt.Pairs[1].InVal = 1;
  setText(vt.Pairs[1].OutText, "uno");
  ASSERT_EQ(rcOk, Ordex_CreateCompuVTab(inst, nullptr, &vt));
  ASSERT_EQ(rcOk, convert("Gear", 1, text));
  EXPECT_NE(std::string::npos, text.find("uno")) << text;
  ASSERT_EQ(rcOk, Ordex_RemoveCompuMethod(inst, nullptr, "CM_VERB"));
  EXPECT_EQ(rcCompuMethodNotFound, convert("Gear", 1, text));

  ASSERT_EQ(rcOk, convert("Level", 1, text));
  ASSERT_EQ(rcOk, Ordex_RemoveCompuTab(inst, nullptr, "T"));
  EXPECT_EQ(rcCompuTabNotFound, convert("Level", 1, text));
}

// A change keeps the references: a measurement whose conversion name changes goes on
// converting through the method it was resolved to.
TEST_F(EditDanglingTest, ChangesKeepResolvedReferences) {
  TMeasurement gear = named<TMeasurement>("Gear");
  ASSERT_EQ(rcOk, Ordex_GetMeasurement(inst, nullptr, &gear, 0));
  setText(gear.Conversion, "NoSuchMethod");
  ASSERT_EQ(rcOk, Ordex_ChangeMeasurement(inst, nullptr, &gear));
  std::string text;
  ASSERT_EQ(rcOk, convert("Gear", 0, text));
  EXPECT_NE(std::string::npos, text.find("zero")) << text;
  TFunction f = named<TFunction>("F");
  ASSERT_EQ(rcOk, Ordex_ChangeFunction(inst, nullptr, &f));
  EXPECT_EQ("F", publisher(Ordex_GetAChasPublishingFunc, "X"));
}

}  // namespace
