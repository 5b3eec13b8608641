// Memory running out at every allocation of a read and of each create, add-to and change
// operation. This executable replaces the global operator new and new[]; the library is
// the shared one, whose allocations come here like any others (the first test checks that
// they do). With a budget of N the first N allocations succeed and the next one fails.
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

void* allocate(size_t n) noexcept {
  if (gBudget == 0) return nullptr;
  if (gBudget > 0) --gBudget;
  ++gAllocations;
  if (n > gLargest) gLargest = n;
  return std::malloc(n ? n : 1);
}

void* allocateAligned(size_t n, std::align_val_t a) noexcept {
  if (gBudget == 0) return nullptr;
  if (gBudget > 0) --gBudget;
  ++gAllocations;
  if (n > gLargest) gLargest = n;
  size_t align = static_cast<size_t>(a);
  return std::aligned_alloc(align, (n + align - 1) / align * align);
}

}  // namespace

void* operator new(size_t n) {
  if (void* p = allocate(n)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t n) {
  if (void* p = allocate(n)) return p;
  throw std::bad_alloc();
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  return allocate(n);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
  return allocate(n);
}
void* operator new(size_t n, std::align_val_t a) {
  if (void* p = allocateAligned(n, a)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t n, std::align_val_t a) {
  if (void* p = allocateAligned(n, a)) return p;
  throw std::bad_alloc();
}
void* operator new(size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocateAligned(n, a);
}
void* operator new[](size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return allocateAligned(n, a);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept {
  std::free(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  std::free(p);
}

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

TEST(AllocationFailure, TheLibrarysAllocationsComeHere) {
  TOrdex* inst = nullptr;
  ASSERT_EQ(Ordex_CreateInstance(&inst), rcOk);
  size_t before = gAllocations;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, kExample.c_str(), nullptr, nullptr), rcOk);
  EXPECT_GT(gAllocations - before, 50u);
  EXPECT_EQ(Ordex_DestroyInstance(inst), rcOk);
}

TEST(AllocationFailure, CreateInstance) {
  TOrdex* inst = reinterpret_cast<TOrdex*>(1);
  EXPECT_EQ(withBudget(0, [&] { return Ordex_CreateInstance(&inst); }), rcNoInstance);
  EXPECT_EQ(inst, nullptr);
}

// Every allocation of a small read fails once: the read gives -3 with what it had built so
// far, which can be walked, written and destroyed.
TEST(AllocationFailure, EveryAllocationOfASmallRead) {
  long n = 0;
  for (;; ++n) {
    ASSERT_LT(n, kMaxBudget);
    TOrdex* inst = nullptr;
    ASSERT_EQ(Ordex_CreateInstance(&inst), rcOk);
    TOrdexReturnCode rc =
        withBudget(n, [&] { return Ordex_ReadAsapFile(inst, kExample.c_str(), nullptr, nullptr); });
    if (rc != rcOk) {
      ASSERT_EQ(rc, rcOutOfMemory) << "budget " << n;
      char report[256];
      EXPECT_EQ(Ordex_GetReadAsapFileError(inst, report, sizeof report), rcOk);
      ModelSnapshot::take(inst);
    }
    EXPECT_EQ(Ordex_DestroyInstance(inst), rcOk);
    if (rc == rcOk) break;
  }
  EXPECT_GT(n, 50);
}

// The operations that only read the model, the reference finder and the writer, with
// memory running out: -3 or their usual result, and the model stays whole.
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
  };
  for (const auto& op : ops) {
    SCOPED_TRACE(op.first);
    TOrdex* probe = readExample();
    const TOrdexReturnCode expected = op.second(probe);
    Ordex_DestroyInstance(probe);
    ASSERT_NE(expected, rcOutOfMemory);
    for (long n = 0;; ++n) {
      ASSERT_LT(n, kMaxBudget);
      TOrdex* inst = readExample();
      TOrdexReturnCode rc = withBudget(n, [&] { return op.second(inst); });
      if (rc == rcOutOfMemory) ModelSnapshot::take(inst);
      EXPECT_EQ(Ordex_DestroyInstance(inst), rcOk);
      if (rc != rcOutOfMemory) {
        EXPECT_EQ(rc, expected) << "budget " << n;
        break;
      }
    }
  }
  std::remove(out.c_str());
}

using Operation = std::function<TOrdexReturnCode(TOrdex*)>;

// Create and add-to operations on the example's module. Their texts are longer than the 15
// characters a std::string keeps inline, so each text is an allocation that can fail.
std::vector<std::pair<std::string, Operation>> growingOperations() {
  std::vector<std::pair<std::string, Operation>> ops;
  auto add = [&](std::string name, Operation op) {
    ops.emplace_back(std::move(name), std::move(op));
  };
  add("CreateModule", [](TOrdex* i) {
    auto r = named<TModule>("SecondModuleWithALongName");
    setText(r.LongIdentifier, "a second module with a long identifier");
    setText(r.Version, "\"1.0.0-with-a-long-version\"");
    return Ordex_CreateModule(i, &r);
  });
  add("CreateMemorySegment", [](TOrdex* i) {
    auto r = named<TMemorySegment>("SegmentWithALongName");
    setText(r.LongIdentifier, "a segment with a long identifier");
    return Ordex_CreateMemorySegment(i, nullptr, &r);
  });
  add("CreateMemoryLayout", [](TOrdex* i) {
    auto r = named<TMemorySegment>("9");
    setText(r.LongIdentifier, "MEMORY_LAYOUT");
    return Ordex_CreateMemorySegment(i, nullptr, &r);
  });
  add("CreateCharacteristic", [](TOrdex* i) {
    auto r = named<TCharacteristic>("NewMapWithALongName");
    r.Type = 2;
    setText(r.Deposit, "RL_MAP_UWORD");
    setText(r.Conversion, "CM_RPM");
    setText(r.Format, "%4.1 and a long format");
    setText(r.MaxDiff.Text, "0");
    for (TAxisDescr& a : r.Axes) {
      setText(a.InputQuantity, "EngineSpeed");
      setText(a.Conversion, "CM_RPM");
      setText(a.AxisPtsRef, "NoSuchAxisWithALongName");
      a.DepositMode = 0;
    }
    return Ordex_CreateCharacteristic(i, nullptr, &r);
  });
  add("CreateCharacteristic2", [](TOrdex* i) {
    auto r = named<TCharacteristic2>("NewCuboidWithALongName");
    r.Type = 3;
    for (TAxisDescr2& a : r.Axes) {
      setText(a.InputQuantity, "CoolantTemp");
      a.AxisPointsMode = 2;
    }
    return Ordex_CreateCharacteristic2(i, nullptr, &r);
  });
  add("CreateMeasurement", [](TOrdex* i) {
    auto r = named<TMeasurement>("NewMeasurementWithALongName");
    setText(r.LongIdentifier, "a measurement with a long identifier");
    setText(r.Conversion, "CM_TEMP");
    setText(r.LowerLimit.Text, "-40");
    return Ordex_CreateMeasurement(i, nullptr, &r);
  });
  add("CreateFunction", [](TOrdex* i) {
    auto r = named<TFunction>("NewFunctionWithALongName");
    return Ordex_CreateFunction(i, nullptr, &r);
  });
  add("CreateCompuMethod", [](TOrdex* i) {
    auto r = named<TCompuMethod>("NewCompuMethodWithALongName");
    r.ConversionType = 4;
    setText(r.CompuTabRef, "VT_STATE");
    setText(r.Unit, "revolutions per minute");
    return Ordex_CreateCompuMethod(i, nullptr, &r);
  });
  add("CreateCompuMethod2", [](TOrdex* i) {
    auto r = named<TCompuMethod2>("NewCompuMethod2WithALongName");
    setText(r.Formula, "X1*2 + a formula of some length");
    setText(r.FormulaInv, "X1/2 + a formula of some length");
    return Ordex_CreateCompuMethod2(i, nullptr, &r);
  });
  add("CreateCompuTab", [](TOrdex* i) {
    static TCompuTab r;
    r = named<TCompuTab>("NewCompuTabWithALongName");
    r.NumberValuePairs = 40;
    for (int k = 0; k < 40; ++k)
      std::snprintf(r.Pairs[k].Out.Text, ORDEX_TEXT_SIZE, "%d.000000000000001", k * 3);
    setText(r.DefaultValue, "no value for this input");
    return Ordex_CreateCompuTab(i, nullptr, &r);
  });
  add("CreateCompuVTab", [](TOrdex* i) {
    static TCompuVTab r;
    r = named<TCompuVTab>("NewCompuVTabWithALongName");
    r.NumberValuePairs = 30;  // 20 from the record, 10 empty
    for (int k = 0; k < ORDEX_COMPU_VTAB_PAIRS; ++k)
      setText(r.Pairs[k].OutText, "a state text of some length");
    return Ordex_CreateCompuVTab(i, nullptr, &r);
  });
  add("CreateAxisPts", [](TOrdex* i) {
    auto r = named<TAxisPts>("NewAxisPtsWithALongName");
    setText(r.InputQuantity, "EngineSpeed");
    setText(r.Deposit, "RL_VALUE_UWORD");
    return Ordex_CreateAxisPts(i, nullptr, &r);
  });
  add("CreateRecordLayout", [](TOrdex* i) {
    auto r = named<TRecordLayout>("NewRecordLayoutWithALongName");
    r.FncValuesPosition = 1;
    return Ordex_CreateRecordLayout(i, nullptr, &r);
  });
  add("CreateRecordLayout2", [](TOrdex* i) {
    static TRecordLayout2 r;
    r = named<TRecordLayout2>("NewRecordLayout2WithALongName");
    for (int k = 0; k < ORDEX_RECORD_LAYOUT_RESERVED; ++k)
      r.Reserved[k].Position = static_cast<int16_t>(k + 1);
    for (int k = 0; k < ORDEX_RECORD_LAYOUT_ELEMENTS; ++k)
      r.Elements[k].Position = static_cast<int16_t>(k + 11);
    return Ordex_CreateRecordLayout2(i, nullptr, &r);
  });
  using AddName = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
  const std::pair<const char*, AddName> lists[] = {
      {"AddToAFuncsDefChaList", Ordex_AddToAFuncsDefChaList},
      {"AddToAFuncsRefChaList", Ordex_AddToAFuncsRefChaList},
      {"AddToAFuncsInMeaList", Ordex_AddToAFuncsInMeaList},
      {"AddToAFuncsOutMeaList", Ordex_AddToAFuncsOutMeaList},
      {"AddToAFuncsLocMeaList", Ordex_AddToAFuncsLocMeaList},
      {"AddToAFuncsSubFuncList", Ordex_AddToAFuncsSubFuncList},
      {"AddToAAxisPtsFuncList", Ordex_AddToAAxisPtsFuncList},
  };
  for (const auto& list : lists) {
    AddName fn = list.second;
    add(list.first,
        [fn](TOrdex* i) { return fn(i, nullptr, "SpeedControl", "AnEntryNameWithALongName"); });
  }
  add("AddToSystemConstantList", [](TOrdex* i) {
    return Ordex_AddToSystemConstantList(i, nullptr, "NEW_CONSTANT", "a value of some length");
  });
  using AddIfData = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const TIfDataRecord*);
  const std::tuple<const char*, AddIfData, const char*> ifData[] = {
      {"AddToAMemSegsIfDataList", Ordex_AddToAMemSegsIfDataList, "Calibration"},
      {"AddToAChasIfDataList", Ordex_AddToAChasIfDataList, "IgnitionMap"},
      {"AddToAMeasIfDataList", Ordex_AddToAMeasIfDataList, "EngineSpeed"},
  };
  for (const auto& entry : ifData) {
    AddIfData fn = std::get<1>(entry);
    const char* owner = std::get<2>(entry);
    add(std::get<0>(entry), [fn, owner](TOrdex* i) {
      TIfDataRecord r{};
      setText(r.Name, "XCP");
      r.Content = "/begin DAQ 0x10 /end DAQ a content longer than a short string buffer";
      return fn(i, nullptr, owner, &r);
    });
  }
  using AddAnnotation =
      TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const TAnnotationRecord*);
  const std::tuple<const char*, AddAnnotation, const char*> annotations[] = {
      {"AddToAChasAnnotatList", Ordex_AddToAChasAnnotatList, "IgnitionMap"},
      {"AddToAMeasAnnotatList", Ordex_AddToAMeasAnnotatList, "EngineSpeed"},
  };
  for (const auto& entry : annotations) {
    AddAnnotation fn = std::get<1>(entry);
    const char* owner = std::get<2>(entry);
    add(std::get<0>(entry), [fn, owner](TOrdex* i) {
      static TAnnotationRecord r;
      std::memset(&r, 0, sizeof r);
      setText(r.Label, "a label long enough to leave the small string buffer");
      setText(r.Origin, "an origin of some length");
      std::memset(r.Text, 't', 1500);
      return fn(i, nullptr, owner, &r);
    });
  }
  return ops;
}

TEST(AllocationFailure, EachCreateAndAddToOperation) {
  for (const auto& op : growingOperations()) {
    SCOPED_TRACE(op.first);
    TOrdex* probe = readExample();
    const ModelSnapshot original = ModelSnapshot::take(probe);
    Ordex_DestroyInstance(probe);
    long n = 0;
    for (;; ++n) {
      ASSERT_LT(n, kMaxBudget);
      TOrdex* inst = readExample();
      TOrdexReturnCode rc = withBudget(n, [&] { return op.second(inst); });
      if (rc == rcOutOfMemory) {
        // Nothing half made: the model is the one read.
        const ModelSnapshot after = ModelSnapshot::take(inst);
        EXPECT_EQ(ordex_test::differences(original, after), std::vector<std::string>{})
            << "budget " << n;
      }
      EXPECT_EQ(Ordex_DestroyInstance(inst), rcOk);
      if (rc != rcOutOfMemory) {
        EXPECT_EQ(rc, rcOk);
        break;
      }
    }
    EXPECT_GT(n, 0) << "the operation allocated nothing";
  }
}

TEST(AllocationFailure, CreateProjectOnAnEmptyInstance) {
  for (long n = 0;; ++n) {
    ASSERT_LT(n, kMaxBudget);
    TOrdex* inst = nullptr;
    ASSERT_EQ(Ordex_CreateInstance(&inst), rcOk);
    auto r = named<TProject>("P");
    setText(r.LongIdentifier, "a project with a long identifier beyond a short string");
    TOrdexReturnCode rc = withBudget(n, [&] { return Ordex_CreateProject(inst, &r); });
    TProject got{};
    // -3 leaves no project behind.
    EXPECT_EQ(Ordex_GetProject(inst, &got, 0), rc == rcOk ? rcOk : rcNoProject);
    EXPECT_EQ(Ordex_DestroyInstance(inst), rcOk);
    if (rc != rcOutOfMemory) {
      EXPECT_EQ(rc, rcOk);
      break;
    }
  }
}

// Change operations may have changed some fields when memory ran out; the model stays
// readable and can be destroyed.
TEST(AllocationFailure, EachChangeOperation) {
  const std::vector<std::pair<std::string, Operation>> ops = {
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
       [](TOrdex* i) {
         auto r = named<TCharacteristic>("IgnitionMap");
         r.Type = 2;
         setText(r.Deposit, "RL_MAP_UWORD_WITH_A_LONGER_NAME");
         for (TAxisDescr& a : r.Axes) setText(a.InputQuantity, "AnInputQuantityWithALongName");
         return Ordex_ChangeCharacteristic(i, nullptr, &r);
       }},
      {"ChangeMeasurement",
       [](TOrdex* i) {
         auto r = named<TMeasurement>("EngineSpeed");
         setText(r.Conversion, "A_CONVERSION_WITH_A_LONG_NAME");
         return Ordex_ChangeMeasurement(i, nullptr, &r);
       }},
      {"ChangeCompuVTab",
       [](TOrdex* i) {
         static TCompuVTab r;
         r = named<TCompuVTab>("VT_STATE");
         r.NumberValuePairs = 25;
         for (int k = 0; k < ORDEX_COMPU_VTAB_PAIRS; ++k)
           setText(r.Pairs[k].OutText, "some state text");
         return Ordex_ChangeCompuVTab(i, nullptr, &r);
       }},
      {"ChangeACompuVTabsLargeVTab",
       [](TOrdex* i) {
         static const TCompuVTabEntry entries[3] = {
             {1, "a text longer than a short string"}, {2, nullptr}, {3, "three"}};
         return Ordex_ChangeACompuVTabsLargeVTab(i, nullptr, "VT_STATE", entries);
       }},
      {"ChangeCompuTab",
       [](TOrdex* i) {
         static TCompuTab r;
         r = named<TCompuTab>("TAB_LOAD");
         r.NumberValuePairs = 30;
         for (int k = 0; k < 30; ++k) setText(r.Pairs[k].Out.Text, "1234567890123456789");
         return Ordex_ChangeCompuTab(i, nullptr, &r);
       }},
      {"ChangeRecordLayout2",
       [](TOrdex* i) {
         static TRecordLayout2 r;
         r = named<TRecordLayout2>("RL_MAP_UWORD");
         return Ordex_ChangeRecordLayout2(i, nullptr, &r);
       }},
  };
  for (const auto& op : ops) {
    SCOPED_TRACE(op.first);
    for (long n = 0;; ++n) {
      ASSERT_LT(n, kMaxBudget);
      TOrdex* inst = readExample();
      TOrdexReturnCode rc = withBudget(n, [&] { return op.second(inst); });
      if (rc == rcOutOfMemory) ModelSnapshot::take(inst);
      EXPECT_EQ(Ordex_DestroyInstance(inst), rcOk);
      if (rc != rcOutOfMemory) {
        EXPECT_EQ(rc, rcOk);
        break;
      }
    }
  }
}

// Declared counts far beyond the pairs given cost nothing: no allocation of a read of such
// tables comes near the size the counts would need.
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
  TOrdex* inst = nullptr;
  ASSERT_EQ(Ordex_CreateInstance(&inst), rcOk);
  gLargest = 0;
  size_t before = gAllocations;
  EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk);
  EXPECT_LT(gLargest, size_t{1} << 20);
  EXPECT_LT(gAllocations - before, 1000u);
  // Nor does anything that reads or writes them.
  gLargest = 0;
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
