// Memory running out at every allocation of a read and of each create, add-to and change
// operation. This executable replaces the global operator new and new[]; the library is
// the shared one, whose allocations come here like any others (the sweep of a small read
// checks that they do). With a budget of N the first N allocations succeed, the next fails.
//
// For every N until the operation succeeds: it returns -3 or 0, the instance stays usable
// (every getter record can still be read) and can be destroyed, and nothing leaks (run in
// the sanitizer build, whose leak check sees every allocation). A create or add-to that
// gives -3 leaves the model exactly as it was: no record half made or half linked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "ordex.h"
#include "snapshot/model_snapshot.h"

namespace {

// -1: no limit; otherwise the number of allocations that still succeed.
long gBudget = -1;
size_t gAllocations = 0;
size_t gLargest = 0;

// Counts an allocation of n bytes; false when the budget is spent.
bool admit(size_t n) {
  if (gBudget == 0) return false;
  if (gBudget > 0) --gBudget;
  ++gAllocations;
  if (n > gLargest) gLargest = n;
  return true;
}
void* allocate(size_t n) noexcept {
  return admit(n) ? std::malloc(n ? n : 1) : nullptr;
}
void* allocateAligned(size_t n, std::align_val_t a) noexcept {
  const size_t align = static_cast<size_t>(a);
  return admit(n) ? std::aligned_alloc(align, (n + align - 1) / align * align) : nullptr;
}

}  // namespace

// The replacements pair malloc-family allocation with free, which GCC cannot see through
// when optimising.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
// clang-format off
void* operator new(size_t n) {
  if (void* p = allocate(n)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t n) { return operator new(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return allocate(n); }
void* operator new(size_t n, std::align_val_t a) {
  if (void* p = allocateAligned(n, a)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t n, std::align_val_t a) { return operator new(n, a); }
void* operator new(size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocateAligned(n, a);
}
void* operator new[](size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocateAligned(n, a);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
// clang-format on
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

using ordex_test::ModelSnapshot;

// Runs f with a budget of n allocations and returns its result. The operations below build
// their records without allocating, so every allocation counted is the library's.
template <class F>
auto withBudget(long n, F&& f) {
  struct Restore {
    ~Restore() { gBudget = -1; }
  } restore;
  gBudget = n;
  return f();
}

const std::string kExample = std::string(ORDEX_EXAMPLES_DIR) + "/engine_ecu.a2l";
constexpr long kMaxBudget = 100000;  // far more than any operation here needs

void setText(char* field, const char* text, size_t size = ORDEX_TEXT_SIZE) {
  std::snprintf(field, size, "%s", text);
}

template <class Record>
Record named(const char* name) {
  Record r;
  std::memset(&r, 0, sizeof r);
  setText(r.Name, name);
  return r;
}

TOrdex* readExample() {
  TOrdex* inst = nullptr;
  EXPECT_EQ(Ordex_CreateInstance(&inst), rcOk);
  EXPECT_EQ(Ordex_ReadAsapFile(inst, kExample.c_str(), nullptr, nullptr), rcOk);
  return inst;
}

TOrdex* emptyInstance() {
  TOrdex* inst = nullptr;
  EXPECT_EQ(Ordex_CreateInstance(&inst), rcOk);
  return inst;
}

// Runs op on a fresh instance from make() with budgets 0, 1, 2, ... until it gives anything
// but -3; after each -3, afterFailure looks at what is left, then the instance is destroyed.
// Returns the code of the first run with enough memory and the number of budgets that failed.
template <class Make, class Op, class Check>
std::pair<TOrdexReturnCode, long> sweep(Make make, Op op, Check afterFailure) {
  for (long n = 0; n < kMaxBudget; ++n) {
    TOrdex* inst = make();
    const TOrdexReturnCode rc = withBudget(n, [&] { return op(inst); });
    if (rc == rcOutOfMemory) afterFailure(inst, n);
    EXPECT_EQ(Ordex_DestroyInstance(inst), rcOk);
    if (rc != rcOutOfMemory) return {rc, n};
  }
  ADD_FAILURE() << "the operation never had enough memory";
  return {rcOutOfMemory, kMaxBudget};
}

// After -3 the model can still be walked in full.
void walk(TOrdex* inst, long) {
  ModelSnapshot::take(inst);
}

TEST(AllocationFailure, CreateInstance) {
  TOrdex* inst = reinterpret_cast<TOrdex*>(1);
  EXPECT_EQ(withBudget(0, [&] { return Ordex_CreateInstance(&inst); }), rcNoInstance);
  EXPECT_EQ(inst, nullptr);
}

// A read that fails keeps what it had built so far, which can be walked and destroyed.
TEST(AllocationFailure, EveryAllocationOfASmallRead) {
  const auto result = sweep(
      emptyInstance,
      [](TOrdex* i) { return Ordex_ReadAsapFile(i, kExample.c_str(), nullptr, nullptr); },
      [](TOrdex* i, long) {
        char report[256];
        EXPECT_EQ(Ordex_GetReadAsapFileError(i, report, sizeof report), rcOk);
        ModelSnapshot::take(i);
      });
  EXPECT_EQ(result.first, rcOk);
  EXPECT_GT(result.second, 20) << "the library's allocations do not come here";
}

// The operations that only read the model, the reference finder and the writer give -3 or
// their usual result.
TEST(AllocationFailure, QueriesFinderAndWriter) {
  const std::string out = ::testing::TempDir() + "ordex_alloc_written.a2l";
  const std::vector<std::pair<const char*, std::function<TOrdexReturnCode(TOrdex*)>>> ops = {
      {"reference finder", [](TOrdex* i) { return Ordex_ReferenceFinder(i, 0xF, 0, 0, nullptr); }},
      {"writer",
       [&](TOrdex* i) {
         return Ordex_WriteAsapFile(i, out.c_str(), nullptr, nullptr, "c", nullptr, nullptr);
       }},
      {"characteristic list",
       [](TOrdex* i) {
         char buf[512];
         return Ordex_GetCharacteristicList(i, nullptr, buf, sizeof buf, nullptr, "*");
       }},
      {"next measurement",
       [](TOrdex* i) {
         char name[ORDEX_TEXT_SIZE] = "";
         return Ordex_GetNextMeasurementName(i, "Engine", name, nullptr);
       }},
      {"get characteristic",
       [](TOrdex* i) {
         auto r = named<TCharacteristic>("IgnitionMap");
         return Ordex_GetCharacteristic(i, nullptr, &r, 0);
       }},
      {"function with reference",
       [](TOrdex* i) {
         char name[ORDEX_TEXT_SIZE];
         return Ordex_GetAFuncWithRefToMea(i, nullptr, "EngineSpeed", name);
       }},
      {"conversion",
       [](TOrdex* i) {
         unsigned char raw[2] = {0x0F, 0xA0};
         double phys;
         char text[1024];
         return Ordex_RawToPhysMeasurement(i, nullptr, "EngineState", raw, '.', &phys, text);
       }},
      {"consistency check",
       [](TOrdex* i) {
         return Ordex_CheckConsistency(
             i, nullptr, fsNote, [](const TCheckFinding*, void*) { return 0; }, nullptr);
       }},
      {"referrers",
       [](TOrdex* i) {
         return Ordex_GetReferrers(
             i, nullptr, "CM_RPM", [](const TReferrer*, void*) { return 0; }, nullptr);
       }},
  };
  for (const auto& op : ops) {
    SCOPED_TRACE(op.first);
    TOrdex* probe = readExample();
    const TOrdexReturnCode expected = op.second(probe);
    Ordex_DestroyInstance(probe);
    ASSERT_NE(expected, rcOutOfMemory);
    EXPECT_EQ(sweep(readExample, op.second, walk).first, expected);
  }
  std::remove(out.c_str());
}

using Operation = std::function<TOrdexReturnCode(TOrdex*)>;
using Operations = std::vector<std::pair<std::string, Operation>>;

// An operation that hands fn a record of the example's module named `name`, prepared by
// `setup`. The record is static: some are too large for a sanitizer build's stack.
template <class Record>
using RecordOp = TOrdexReturnCode (*)(TOrdex*, const char*, const Record*);
template <class Record, class Setup>
Operation withRecord(RecordOp<Record> fn, const char* name, Setup setup) {
  return [=](TOrdex* i) {
    static Record r;
    r = named<Record>(name);
    setup(r);
    return fn(i, nullptr, &r);
  };
}
const auto asIs = [](auto&) {};

// Create and add-to operations on the example's module. Their texts are longer than the 15
// characters a std::string keeps inline, so each text is an allocation that can fail.
Operations growingOperations() {
  Operations ops = {
      {"CreateModule",
       [](TOrdex* i) {
         auto r = named<TModule>("SecondModuleWithALongName");
         setText(r.Version, "\"1.0.0-with-a-long-version\"");
         return Ordex_CreateModule(i, &r);
       }},
      {"CreateMemorySegment",
       withRecord<TMemorySegment>(Ordex_CreateMemorySegment, "SegmentWithALongName",
                                  [](auto& r) { setText(r.LongIdentifier, "a long identifier"); })},
      {"CreateMemoryLayout",
       withRecord<TMemorySegment>(Ordex_CreateMemorySegment, "9",
                                  [](auto& r) { setText(r.LongIdentifier, "MEMORY_LAYOUT"); })},
      {"CreateCharacteristic",
       withRecord<TCharacteristic>(Ordex_CreateCharacteristic, "NewMapWithALongName",
                                   [](auto& r) {
                                     r.Type = 2;
                                     setText(r.Format, "%4.1 and a long format");
                                     for (auto& a : r.Axes) setText(a.AxisPtsRef, "NoSuchAxisRef");
                                   })},
      {"CreateCharacteristic2",
       withRecord<TCharacteristic2>(Ordex_CreateCharacteristic2, "NewCuboidWithALongName",
                                    [](auto& r) {
                                      r.Type = 3;
                                      for (auto& a : r.Axes) a.AxisPointsMode = 2;
                                    })},
      {"CreateMeasurement",
       withRecord<TMeasurement>(Ordex_CreateMeasurement, "NewMeasurementWithALongName",
                                [](auto& r) { setText(r.LowerLimit.Text, "-40"); })},
      {"CreateFunction",
       withRecord<TFunction>(Ordex_CreateFunction, "NewFunctionWithALongName", asIs)},
      {"CreateCompuMethod",
       withRecord<TCompuMethod>(Ordex_CreateCompuMethod, "NewCompuMethodWithALongName",
                                [](auto& r) {
                                  r.ConversionType = 4;
                                  setText(r.CompuTabRef, "VT_STATE");
                                })},
      {"CreateCompuMethod2",
       withRecord<TCompuMethod2>(Ordex_CreateCompuMethod2, "NewCompuMethod2WithALongName",
                                 [](auto& r) {
                                   setText(r.Formula, "X1*2 + a formula of some length");
                                   setText(r.FormulaInv, "X1/2 + a formula of some length");
                                 })},
      {"CreateCompuTab", withRecord<TCompuTab>(Ordex_CreateCompuTab, "NewCompuTabWithALongName",
                                               [](auto& r) {
                                                 r.NumberValuePairs = 40;
                                                 for (auto& pair : r.Pairs)
                                                   setText(pair.Out.Text, "3.000000000000001");
                                               })},
      // 20 pairs from the record, 10 empty.
      {"CreateCompuVTab", withRecord<TCompuVTab>(Ordex_CreateCompuVTab, "NewCompuVTabWithALongName",
                                                 [](auto& r) {
                                                   r.NumberValuePairs = 30;
                                                   for (auto& pair : r.Pairs)
                                                     setText(pair.OutText, "a long state text");
                                                 })},
      {"CreateAxisPts", withRecord<TAxisPts>(Ordex_CreateAxisPts, "NewAxisPtsWithALongName", asIs)},
      {"CreateRecordLayout",
       withRecord<TRecordLayout>(Ordex_CreateRecordLayout, "NewRecordLayoutWithALongName",
                                 [](auto& r) { r.FncValuesPosition = 1; })},
      {"CreateRecordLayout2",
       withRecord<TRecordLayout2>(Ordex_CreateRecordLayout2, "NewRecordLayout2WithALongName",
                                  [](auto& r) {
                                    for (int k = 0; k < ORDEX_RECORD_LAYOUT_RESERVED; ++k)
                                      r.Reserved[k].Position = k + 1;
                                    for (int k = 0; k < ORDEX_RECORD_LAYOUT_ELEMENTS; ++k)
                                      r.Elements[k].Position = k + 11;
                                  })},
      {"AddToSystemConstantList",
       [](TOrdex* i) {
         return Ordex_AddToSystemConstantList(i, nullptr, "NEW_CONSTANT", "a value of some length");
       }},
  };
  using AddName = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
  for (AddName fn :
       {Ordex_AddToAFuncsDefChaList, Ordex_AddToAFuncsRefChaList, Ordex_AddToAFuncsInMeaList,
        Ordex_AddToAFuncsOutMeaList, Ordex_AddToAFuncsLocMeaList, Ordex_AddToAFuncsSubFuncList,
        Ordex_AddToAAxisPtsFuncList}) {
    ops.emplace_back("AddTo a FUNCTION list " + std::to_string(ops.size()), [fn](TOrdex* i) {
      return fn(i, nullptr, "SpeedControl", "AnEntryNameWithALongName");
    });
  }
  using AddIfData = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const TIfDataRecord*);
  const std::pair<AddIfData, const char*> ifData[] = {
      {Ordex_AddToAMemSegsIfDataList, "Calibration"},
      {Ordex_AddToAChasIfDataList, "IgnitionMap"},
      {Ordex_AddToAMeasIfDataList, "EngineSpeed"},
  };
  for (const auto& e : ifData) {
    ops.emplace_back(std::string("AddTo IF_DATA of ") + e.second, [e](TOrdex* i) {
      TIfDataRecord r{};
      setText(r.Name, "XCP");
      r.Content = "/begin DAQ 0x10 /end DAQ a content longer than a short string buffer";
      return e.first(i, nullptr, e.second, &r);
    });
  }
  using AddAnnotation =
      TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const TAnnotationRecord*);
  const std::pair<AddAnnotation, const char*> annotations[] = {
      {Ordex_AddToAChasAnnotatList, "IgnitionMap"},
      {Ordex_AddToAMeasAnnotatList, "EngineSpeed"},
  };
  for (const auto& e : annotations) {
    ops.emplace_back(std::string("AddTo annotations of ") + e.second, [e](TOrdex* i) {
      static TAnnotationRecord r;
      std::memset(&r, 0, sizeof r);
      setText(r.Label, "a label long enough to leave the small string buffer");
      std::memset(r.Text, 't', 1500);
      return e.first(i, nullptr, e.second, &r);
    });
  }
  return ops;
}

// The number of objects of the example's module.
int objectCount(TOrdex* inst) {
  int n = -1;
  EXPECT_EQ(Ordex_GetNumObjects(inst, "Engine", -1, &n), rcOk);
  return n;
}

// A create or add-to that gives -3 leaves the model exactly as it was read. A record linked
// before its name was set would end the name walks of the snapshot, so the objects and the
// modules are counted too (an empty module name finds only the only module).
TEST(AllocationFailure, EachCreateAndAddToOperation) {
  for (const auto& op : growingOperations()) {
    SCOPED_TRACE(op.first);
    TOrdex* probe = readExample();
    const ModelSnapshot original = ModelSnapshot::take(probe);
    const int objects = objectCount(probe);
    Ordex_DestroyInstance(probe);
    const auto result = sweep(readExample, op.second, [&](TOrdex* inst, long n) {
      EXPECT_EQ(ordex_test::differences(original, ModelSnapshot::take(inst)),
                std::vector<std::string>{})
          << "budget " << n;
      EXPECT_EQ(objectCount(inst), objects) << "budget " << n;
      TModule only{};
      EXPECT_EQ(Ordex_GetModule(inst, &only, 1), rcOk) << "budget " << n;
    });
    EXPECT_EQ(result.first, rcOk);
    EXPECT_GT(result.second, 0) << "the operation allocated nothing";
  }
  // A project that could not be made is not there.
  const auto project = sweep(
      emptyInstance,
      [](TOrdex* i) {
        auto r = named<TProject>("P");
        setText(r.LongIdentifier, "a project with a long identifier beyond a short string");
        return Ordex_CreateProject(i, &r);
      },
      [](TOrdex* i, long) {
        TProject got{};
        EXPECT_EQ(Ordex_GetProject(i, &got, 0), rcNoProject);
      });
  EXPECT_EQ(project.first, rcOk);
}

// Change operations may have changed some fields when memory ran out; the model stays whole.
TEST(AllocationFailure, EachChangeOperation) {
  const Operations ops = {
      {"ChangeProject",
       [](TOrdex* i) {
         auto r = named<TProject>("Renamed project with a long name");
         setText(r.HeaderComment, "a header comment that does not fit a short string");
         return Ordex_ChangeProject(i, &r);
       }},
      {"ChangeModule",
       [](TOrdex* i) {
         auto r = named<TModule>("Engine");
         setText(r.Supplier, "\"a supplier name that does not fit a short string\"");
         return Ordex_ChangeModule(i, &r);
       }},
      {"ChangeCharacteristic",
       withRecord<TCharacteristic>(Ordex_ChangeCharacteristic, "IgnitionMap",
                                   [](auto& r) {
                                     r.Type = 2;
                                     for (auto& a : r.Axes) setText(a.InputQuantity, "AnInputName");
                                   })},
      {"ChangeMeasurement",
       withRecord<TMeasurement>(Ordex_ChangeMeasurement, "EngineSpeed",
                                [](auto& r) { setText(r.Conversion, "A_LONG_CONVERSION_NAME"); })},
      {"ChangeCompuVTab", withRecord<TCompuVTab>(Ordex_ChangeCompuVTab, "VT_STATE",
                                                 [](auto& r) {
                                                   r.NumberValuePairs = 25;
                                                   for (auto& pair : r.Pairs)
                                                     setText(pair.OutText, "some state text");
                                                 })},
      {"ChangeACompuVTabsLargeVTab",
       [](TOrdex* i) {
         static const TCompuVTabEntry entries[3] = {
             {1, "a text longer than a short string"}, {2, nullptr}, {3, "three"}};
         return Ordex_ChangeACompuVTabsLargeVTab(i, nullptr, "VT_STATE", entries);
       }},
      {"ChangeCompuTab", withRecord<TCompuTab>(Ordex_ChangeCompuTab, "TAB_LOAD",
                                               [](auto& r) {
                                                 r.NumberValuePairs = 30;
                                                 for (auto& pair : r.Pairs)
                                                   setText(pair.Out.Text, "1234567890123456789");
                                               })},
      {"ChangeRecordLayout2",
       withRecord<TRecordLayout2>(Ordex_ChangeRecordLayout2, "RL_MAP_UWORD", asIs)},
  };
  for (const auto& op : ops) {
    SCOPED_TRACE(op.first);
    EXPECT_EQ(sweep(readExample, op.second, walk).first, rcOk);
  }
}

// Declared counts far beyond the pairs given cost nothing: no allocation of a read, a write
// or a walk of such tables comes near the size the counts would need.
TEST(AllocationFailure, HostileCountsAllocateLittle) {
  const std::string path = ::testing::TempDir() + "ordex_alloc_hostile.a2l";
  FILE* f = std::fopen(path.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs(
      "/begin PROJECT P \"\" /begin MODULE M \"\"\n"
      "/begin COMPU_VTAB V \"\" TAB_VERB 2147483647 1 \"one\" 2 \"two\" /end COMPU_VTAB\n"
      "/begin COMPU_TAB T \"\" TAB_INTP 2147483647 1 10 2 20 /end COMPU_TAB\n"
      "/begin COMPU_VTAB N \"\" TAB_VERB -2147483648 1 \"one\" /end COMPU_VTAB\n"
      "/end MODULE /end PROJECT\n",
      f);
  std::fclose(f);
  TOrdex* inst = emptyInstance();
  gLargest = 0;
  const size_t before = gAllocations;
  EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk);
  EXPECT_LT(gAllocations - before, 1000u);
  const std::string out = path + ".out";
  EXPECT_EQ(Ordex_WriteAsapFile(inst, out.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr),
            rcOk);
  ModelSnapshot::take(inst);
  EXPECT_LT(gLargest, size_t{1} << 20);
  EXPECT_EQ(Ordex_DestroyInstance(inst), rcOk);
  std::remove(path.c_str());
  std::remove(out.c_str());
}

}  // namespace
