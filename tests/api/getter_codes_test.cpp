// The codes every keyed getter shares (existence checks, letter case, missing entries and
// modules, null pointers), on one module that holds an entry of each kind.
#include <gtest/gtest.h>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::expectLookupCodes;

TEST(GetterCodes, EveryKeyedGetter) {
  ordex_test::Instance inst;
  ASSERT_EQ(ordex_test::readText(
                inst, ordex_test::inModule(
                          "/begin MOD_PAR \"\" SYSTEM_CONSTANT \"Pi\" \"3.14\"\n"
                          "  /begin MEMORY_SEGMENT Data \"\" DATA RAM INTERN 0 0x10"
                          " -1 -1 -1 -1 -1 /end MEMORY_SEGMENT\n"
                          "  /begin CALIBRATION_METHOD \"InCircuit\" 2 /end CALIBRATION_METHOD"
                          " /end MOD_PAR\n"
                          "/begin CHARACTERISTIC Kw \"\" VALUE 0 RL 0 CM 0 1 /end CHARACTERISTIC\n"
                          "/begin MEASUREMENT N_Eng \"\" UBYTE CM 1 0 0 1 /end MEASUREMENT\n"
                          "/begin AXIS_PTS Ap \"\" 0 N RL 0 CM 4 0 1 /end AXIS_PTS\n"
                          "/begin FUNCTION FnA \"\" /end FUNCTION\n"
                          "/begin COMPU_METHOD Engine_Speed \"\" RAT_FUNC \"%d\" \"\""
                          " /end COMPU_METHOD\n"
                          "/begin COMPU_VTAB Vt_State \"\" TAB_VERB 0 /end COMPU_VTAB\n"
                          "/begin RECORD_LAYOUT Rl_Word FNC_VALUES 1 UWORD ROW_DIR DIRECT"
                          " /end RECORD_LAYOUT")),
            rcOk);
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
