// The codes every keyed getter shares (existence checks, letter case, missing entries and
// modules, null pointers), on one module that holds an entry of each kind.
#include <gtest/gtest.h>

#include <string>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::expectLookupCodes;

TEST(GetterCodes, EveryKeyedGetter) {
  ordex_test::Instance inst;
  const std::string path = ordex_test::dataPath("read/one_of_each_keyed_kind.in");
  ASSERT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk);
  expectLookupCodes<TCharacteristic>(Ordex_GetCharacteristic, inst, "Kw", rcCharacteristicNotFound);
  expectLookupCodes<TCharacteristic2>(Ordex_GetCharacteristic2, inst, "Kw",
                                      rcCharacteristicNotFound);
  expectLookupCodes<TMeasurement>(Ordex_GetMeasurement, inst, "N_Eng", rcMeasurementNotFound);
  expectLookupCodes<TAxisPts>(Ordex_GetAxisPts, inst, "Ap", rcAxisPtsNotFound);
  expectLookupCodes<TFunction>(Ordex_GetFunction, inst, "FnA", rcFunctionNotFound);
  expectLookupCodes<TCompuMethod>(Ordex_GetCompuMethod, inst, "Engine_Speed",
                                  rcCompuMethodNotFound);
  expectLookupCodes<TCompuMethod2>(Ordex_GetCompuMethod2, inst, "Engine_Speed",
                                   rcCompuMethodNotFound);
  expectLookupCodes<TCompuVTab>(Ordex_GetCompuVTab, inst, "Vt_State", rcCompuVTabNotFound);
  expectLookupCodes<TRecordLayout>(Ordex_GetRecordLayout, inst, "Rl_Word", rcRecordLayoutNotFound);
  expectLookupCodes<TRecordLayout2>(Ordex_GetRecordLayout2, inst, "Rl_Word",
                                    rcRecordLayoutNotFound);
  expectLookupCodes<TMemorySegment>(Ordex_GetMemorySegment, inst, "Data", rcMemorySegmentNotFound);
  expectLookupCodes<TCalibrationMethod>(Ordex_GetCalibrationMethod, inst, "InCircuit",
                                        rcCalibrationMethodNotFound);
  expectLookupCodes<TSystemConstant>(Ordex_GetSystemConstant, inst, "Pi", rcSystemConstantNotFound);
}

}  // namespace
