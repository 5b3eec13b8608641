// Null pointers never crash: every exported function is called with valid arguments in
// which, one at a time, each pointer argument is replaced by null. A null instance gives
// -103 (functions that return a buffer return null); what the other nulls give is pinned
// by the tests of each family, here only that the call returns.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;

template <class T>
struct Identity {
  using type = T;
};

template <size_t I, class R, class... P>
void callWithNullAt(R (*fn)(P...), std::tuple<P...> args, const char* name) {
  using Arg = std::tuple_element_t<I, std::tuple<P...>>;
  if constexpr (std::is_pointer_v<Arg>) {
    std::get<I>(args) = nullptr;
    if constexpr (std::is_void_v<R>) {
      std::apply(fn, args);
    } else {
      R result = std::apply(fn, args);
      if constexpr (I == 0 && std::is_same_v<Arg, TOrdex*>) {
        if constexpr (std::is_same_v<R, TOrdexReturnCode>) {
          EXPECT_EQ(result, rcNoInstance) << name;
        } else {
          EXPECT_FALSE(result) << name;
        }
      }
    }
  }
}

template <class R, class... P, size_t... I>
void sweepEach(R (*fn)(P...), const std::tuple<P...>& args, const char* name,
               std::index_sequence<I...>) {
  (callWithNullAt<I>(fn, args, name), ...);
}

// Calls fn once per pointer argument, that argument null and the others as given.
template <class R, class... P>
void sweep(const char* name, R (*fn)(P...), typename Identity<P>::type... args) {
  SCOPED_TRACE(name);
  sweepEach(fn, std::tuple<P...>(args...), name, std::index_sequence_for<P...>{});
}

#define SWEEP(fn, ...) sweep(#fn, fn, __VA_ARGS__)

// A zeroed record of its own type holding `name`, alive for the whole test.
template <class Record>
Record* rec(const char* name = "") {
  static Record r;
  std::memset(&r, 0, sizeof r);
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return &r;
}

int stopNever(int) {
  return 0;
}
int keepAll(TOrdexElementType, uint32_t) {
  return 1;
}
void onDestroy() {}

TEST(NullPointerSweep, EveryExportedFunction) {
  Instance inst;
  const std::string example = std::string(ORDEX_EXAMPLES_DIR) + "/engine_ecu.a2l";
  ASSERT_EQ(Ordex_ReadAsapFile(inst, example.c_str(), nullptr, nullptr), rcOk);
  const ordex_test::TempDir dir;
  const std::string out = dir.path() + "/out.a2l";
  TOrdex* i = inst;
  const char* mod = "Engine";
  char buf[4096];
  char name[ORDEX_TEXT_SIZE] = "";
  int n = 0;
  int v = 0;
  uint32_t u = 0;
  int32_t size = 5;
  double phys = 0;
  unsigned long address = 0;
  unsigned char bytes[64] = {0x63, 1, 2, 3, 4, 5, 6, 7, 8};
  static TCompuVTabValue vtabValue;
  static TCompuVTabEntry entries[8];
  static TRecordLayoutElementExt sorted[ORDEX_SORTED_ELEMENTS];
  static TAnnotationRecord annotation;
  static TVarCombCriterion comb;
  static TAnnotationRecord2 annotation2;
  static char annotationText[ORDEX_ANNOTATION_TEXT_SIZE];
  annotation2.Text = annotationText;
  TIfDataRecord* ifData = rec<TIfDataRecord>();

  // Lifecycle, reading, settings.
  TOrdex* created = nullptr;
  SWEEP(Ordex_CreateInstance, &created);
  Ordex_DestroyInstance(created);
  created = nullptr;
  SWEEP(Ordex_CreateInstance_Intern, &created);
  Ordex_DestroyInstance(created);
  SWEEP(Ordex_RegisterInstanceDestructorCbFunc, i, onDestroy);
  SWEEP(Ordex_SetFileAccessDll, 0, "none");
  SWEEP(Ordex_SetFileAccessDll_Intern, 0, "none");
  SWEEP(Ordex_GetReadAsapFileError, i, buf, 64);
  SWEEP(Ordex_GetReadAsapFileError_Intern, i, buf, 64);
  int32_t count = 0;
  int32_t line = 0;
  SWEEP(Ordex_GetReadAsapFileOtherCaseIncludes, i, &count, &line);
  SWEEP(Ordex_GetAsapFilePreInfo, example.c_str(), &n, &v, buf);
  SWEEP(Ordex_GetAsapFilePreInfo_Intern, example.c_str(), &n, &v, buf);

  // Getters.
  SWEEP(Ordex_GetProject, i, rec<TProject>(), 0);
  SWEEP(Ordex_GetModule, i, rec<TModule>("Engine"), 0);
  SWEEP(Ordex_GetMemorySegment, i, mod, rec<TMemorySegment>("Calibration"), 0);
  SWEEP(Ordex_GetCalibrationMethod, i, mod, rec<TCalibrationMethod>("X"), 0);
  SWEEP(Ordex_GetCalibrationHandleNumValues, i, mod, "X", 0u, &n);
  SWEEP(Ordex_GetCalibrationHandleValues, i, mod, "X", 0u, 4u, &n);
  SWEEP(Ordex_GetSystemConstant, i, mod, rec<TSystemConstant>("CYLINDERS"), 0);
  SWEEP(Ordex_GetRecordLayout, i, mod, rec<TRecordLayout>("RL_MAP_UWORD"), 0);
  SWEEP(Ordex_GetRecordLayout2, i, mod, rec<TRecordLayout2>("RL_MAP_UWORD"), 0);
  SWEEP(Ordex_GetRecordLayoutElementArraySorted, i, mod, "RL_MAP_UWORD", sorted);
  SWEEP(Ordex_GetRecordLayoutElementArraySorted_Intern, nullptr, sorted);
  SWEEP(Ordex_GetCompuMethod, i, mod, rec<TCompuMethod>("CM_RPM"), 0);
  SWEEP(Ordex_GetCompuMethod2, i, mod, rec<TCompuMethod2>("CM_RPM"), 0);
  SWEEP(Ordex_GetCompuTab, i, mod, rec<TCompuTab>("TAB_LOAD"), 0);
  SWEEP(Ordex_GetCompuVTab, i, mod, rec<TCompuVTab>("VT_STATE"), 0);
  SWEEP(Ordex_GetACompuVTabValueByIndex, i, mod, "VT_STATE", &vtabValue);
  SWEEP(Ordex_GetACompuVTabsLargeVTab, i, mod, "VT_STATE", entries);
  SWEEP(Ordex_GetCharacteristic, i, mod, rec<TCharacteristic>("IgnitionMap"), 0);
  SWEEP(Ordex_GetCharacteristic2, i, mod, rec<TCharacteristic2>("IgnitionMap"), 0);
  SWEEP(Ordex_GetAxisPts, i, mod, rec<TAxisPts>("X"), 0);
  SWEEP(Ordex_GetMeasurement, i, mod, rec<TMeasurement>("EngineSpeed"), 0);
  SWEEP(Ordex_GetFunction, i, mod, rec<TFunction>("SpeedControl"), 0);
  SWEEP(Ordex_GetVarCriterion, i, mod, rec<TVarCriterion>("X"), 0);

  // Lists and enumerators.
  using ListFn = TOrdexReturnCode (*)(TOrdex*, const char*, char*, int, const char*, const char*);
  SWEEP(Ordex_GetModuleList, i, buf, 4096, "Engine", "*");
  for (ListFn list :
       {Ordex_GetMemorySegmentList, Ordex_GetCharacteristicList, Ordex_GetMeasurementList,
        Ordex_GetFunctionList, Ordex_GetCompuMethodList, Ordex_GetCompuTabList,
        Ordex_GetCompuVTabList, Ordex_GetAxisPtsList, Ordex_GetRecordLayoutList}) {
    SWEEP(list, i, mod, buf, 4096, "", "*");
  }
  SWEEP(Ordex_GetNextModuleName, i, name, "*");
  using NextFn = TOrdexReturnCode (*)(TOrdex*, const char*, char*, const char*);
  for (NextFn next :
       {Ordex_GetNextCalibrationMethodName, Ordex_GetNextMemorySegmentName,
        Ordex_GetNextCharacteristicName, Ordex_GetNextMeasurementName, Ordex_GetNextFunctionName,
        Ordex_GetNextCompuMethodName, Ordex_GetNextCompuTabName, Ordex_GetNextCompuVTabName,
        Ordex_GetNextAxisPtsName, Ordex_GetNextRecordLayoutName, Ordex_GetNextVarCharacteristicName,
        Ordex_GetNextVarCriterionName, Ordex_GetNextVarForbiddenCombName}) {
    name[0] = '\0';
    SWEEP(next, i, mod, name, "*");
  }
  SWEEP(Ordex_GetNumObjects, i, mod, -1, &n);
  SWEEP(Ordex_GetNumObjects_Intern, nullptr, -1, &n);
  SWEEP(Ordex_GetMaxAnnotationTextSize, i, mod, &n);

  // Member enumerators.
  using MemberFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);
  for (MemberFn next :
       {Ordex_GetAFuncsNextDefChaName, Ordex_GetAFuncsNextRefChaName, Ordex_GetAFuncsNextOutMeaName,
        Ordex_GetAFuncsNextInMeaName, Ordex_GetAFuncsNextLocMeaName, Ordex_GetAFuncsNextSubFuncName,
        Ordex_GetAFuncsNextAxisPtsName}) {
    name[0] = '\0';
    SWEEP(next, i, mod, "SpeedControl", name);
  }
  SWEEP(Ordex_GetAMeasNextVirtual, i, mod, "EngineSpeed", name);
  SWEEP(Ordex_GetNextSystemConstant, i, mod, rec<TSystemConstant>());
  SWEEP(Ordex_GetAModulesNextIfData, i, mod, ifData);
  SWEEP(Ordex_GetAMemSegsNextIfData, i, mod, "Calibration", ifData);
  SWEEP(Ordex_GetAChasNextIfData, i, mod, "IgnitionMap", ifData);
  SWEEP(Ordex_GetAMeasNextIfData, i, mod, "EngineSpeed", ifData);
  SWEEP(Ordex_GetAAxisPtsNextIfData, i, mod, "X", ifData);
  SWEEP(Ordex_GetAChasNextAnnotation, i, mod, "IgnitionMap", &annotation);
  SWEEP(Ordex_GetAChasNextAnnotation2, i, mod, "IgnitionMap", &annotation2);
  SWEEP(Ordex_GetAnAxisDescrsNextAnnotation, i, mod, "IgnitionMap", 0, &annotation);
  SWEEP(Ordex_GetAnAxisDescrsNextAnnotation2, i, mod, "IgnitionMap", 0, &annotation2);
  SWEEP(Ordex_GetAMeasNextAnnotation, i, mod, "EngineSpeed", &annotation);
  SWEEP(Ordex_GetAMeasNextAnnotation2, i, mod, "EngineSpeed", &annotation2);
  SWEEP(Ordex_GetAAxisPtsNextAnnotation, i, mod, "X", &annotation);
  SWEEP(Ordex_GetAAxisPtsNextAnnotation2, i, mod, "X", &annotation2);
  SWEEP(Ordex_GetNextVarCharacteristicCriterionName, i, mod, "X", name, "*");
  SWEEP(Ordex_GetNextVarCriterionValue, i, mod, "X", name, "*");
  SWEEP(Ordex_GetNextVarCharacteristicAddress, i, mod, "X", name, &address);
  SWEEP(Ordex_GetAVarForbiddenCombsNextCriterion, i, mod, "#1", &comb);

  // References.
  SWEEP(Ordex_ReferenceFinder, i, 0xF, 1, 3, stopNever);
  SWEEP(Ordex_ReferenceFinder_Intern, i, 0xF, 1, 3, stopNever);
  for (MemberFn query :
       {Ordex_GetAChasPublishingFunc, Ordex_GetAMeasPublishingFunc, Ordex_GetAFuncsPublishingFunc,
        Ordex_GetAFuncWithRefToCha, Ordex_GetAFuncWithRefToMea, Ordex_GetAFuncWithRefToFunc,
        Ordex_GetAChaWithRefToMea, Ordex_GetAAxisPtsWithRefToMea}) {
    SWEEP(query, i, mod, "EngineSpeed", name);
  }

  // Writing.
  SWEEP(Ordex_WriteAsapFile, i, out.c_str(), mod, nullptr, "c", keepAll, stopNever);
  SWEEP(Ordex_WriteAsapFile_Intern, i, out.c_str(), mod, nullptr, "c", keepAll, stopNever);

  // Conversion and blocks.
  TCompuMethod* cm = rec<TCompuMethod>("Direct");
  cm->Coeffs[1].Value = 1;
  cm->Coeffs[5].Value = 1;
  char text[1024];
  SWEEP(Ordex_RawToPhys_Intern, bytes, dtUWord, 1, 0ul, 2ul, nullptr, '.', &phys, text);
  SWEEP(Ordex_RawToPhys, i, mod, bytes, dtUWord, 1, 0ul, "CM_RPM", '.', &phys, text);
  SWEEP(Ordex_RawToPhysMeasurement, i, mod, "EngineSpeed", bytes, '.', &phys, text);
  SWEEP(Ordex_RawToPhysDirect, bytes, dtUWord, 1, 0ul, cm, '.', &phys, text);
  SWEEP(Ordex_RawToPhysDirect2, bytes, dtString, 1, 0ul, 4ul, cm, '.', &phys, text);
  SWEEP(Ordex_GetLastConversionError, buf, 64u);
  SWEEP(Ordex_CreateMeasurementRequestBlock, i, mod, "EngineSpeed", nullptr, 1, bytes, &size);
  SWEEP(Ordex_EvaluateMeasurementResponseBlock, i, mod, "EngineSpeed", nullptr, nullptr, 1, bytes,
        9, 0, '.', &phys, text);
  SWEEP(Ordex_ConvertByteArrayToHexString, bytes, 4, text);
  SWEEP(Ordex_ConvertHexStringToByteArray, "0A 0B", bytes, &u);

  // Create, add-to and change.
  SWEEP(Ordex_CreateProject, i, rec<TProject>("P"));
  SWEEP(Ordex_CreateModule, i, rec<TModule>("Second"));
  // Each object of the module is made, then changed with a record of the same name.
#define SWEEP_CREATE_CHANGE(Kind, name)                  \
  SWEEP(Ordex_Create##Kind, i, mod, rec<T##Kind>(name)); \
  SWEEP(Ordex_Change##Kind, i, mod, rec<T##Kind>(name))
  SWEEP_CREATE_CHANGE(MemorySegment, "S");
  SWEEP_CREATE_CHANGE(Characteristic, "C");
  SWEEP_CREATE_CHANGE(Characteristic2, "C2");
  SWEEP_CREATE_CHANGE(Measurement, "M");
  SWEEP_CREATE_CHANGE(Function, "F");
  SWEEP_CREATE_CHANGE(CompuMethod, "CM");
  SWEEP_CREATE_CHANGE(CompuMethod2, "CM2");
  SWEEP_CREATE_CHANGE(CompuTab, "T");
  SWEEP_CREATE_CHANGE(CompuVTab, "V");
  SWEEP_CREATE_CHANGE(AxisPts, "A");
  SWEEP_CREATE_CHANGE(RecordLayout, "R");
  SWEEP_CREATE_CHANGE(RecordLayout2, "R2");
  using AddNameFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
  for (AddNameFn add :
       {Ordex_AddToAFuncsDefChaList, Ordex_AddToAFuncsRefChaList, Ordex_AddToAFuncsInMeaList,
        Ordex_AddToAFuncsOutMeaList, Ordex_AddToAFuncsLocMeaList, Ordex_AddToAFuncsSubFuncList,
        Ordex_AddToAAxisPtsFuncList, Ordex_AddToAAxisPtsFuncList_Intern}) {
    SWEEP(add, i, mod, "F", "C");
  }
  SWEEP(Ordex_AddToSystemConstantList, i, mod, "K", "1");
  ifData = rec<TIfDataRecord>("XCP");
  ifData->Content = "content";
  SWEEP(Ordex_AddToAMemSegsIfDataList, i, mod, "S", ifData);
  SWEEP(Ordex_AddToAChasIfDataList, i, mod, "C", ifData);
  SWEEP(Ordex_AddToAMeasIfDataList, i, mod, "M", ifData);
  SWEEP(Ordex_AddToAAxisPtsIfDataList, i, mod, "A", ifData);
  std::memset(&annotation, 0, sizeof annotation);
  SWEEP(Ordex_AddToAChasAnnotatList, i, mod, "C", &annotation);
  SWEEP(Ordex_AddToAMeasAnnotatList, i, mod, "M", &annotation);

  SWEEP(Ordex_ChangeProject, i, rec<TProject>("P"));
  SWEEP(Ordex_ChangeModule, i, rec<TModule>("Engine"));
  SWEEP(Ordex_ChangeACompuVTabsLargeVTab, i, mod, "V", entries);

  // Remove and remove-from.
  for (AddNameFn remove :
       {Ordex_RemFromAFuncsDefChaList, Ordex_RemFromAFuncsRefChaList, Ordex_RemFromAFuncsInMeaList,
        Ordex_RemFromAFuncsOutMeaList, Ordex_RemFromAFuncsLocMeaList,
        Ordex_RemFromAFuncsSubFuncList, Ordex_RemFromAFuncsAxisPtsList,
        Ordex_RemFromAMemSegsIfDataList, Ordex_RemFromAChasIfDataList, Ordex_RemFromAMeasIfDataList,
        Ordex_RemFromAAxisPtsIfDataList}) {
    SWEEP(remove, i, mod, "F", "C");
  }
  SWEEP(Ordex_RemFromSysConstantList, i, mod, "K");
  using RemoveFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*);
  for (RemoveFn remove :
       {Ordex_RemoveMemorySegment, Ordex_RemoveCharacteristic, Ordex_RemoveMeasurement,
        Ordex_RemoveFunction, Ordex_RemoveCompuMethod, Ordex_RemoveCompuTab, Ordex_RemoveCompuVTab,
        Ordex_RemoveAxisPts, Ordex_RemoveRecordLayout}) {
    SWEEP(remove, i, mod, "none");
  }
  SWEEP(Ordex_RemoveModule, i, "Second");
  SWEEP(Ordex_RemoveProject, i);
  SWEEP(Ordex_ReadAsapFile, i, example.c_str(), "unused", stopNever);
  SWEEP(Ordex_ReadAsapFile_Intern, i, example.c_str(), "unused", stopNever);
  SWEEP(Ordex_DestroyInstance, static_cast<TOrdex*>(nullptr));
  SWEEP(Ordex_DestroyInstance_Intern, static_cast<TOrdex*>(nullptr));
}

}  // namespace
