// The table-driven passes 0x1 and 0x2 of the reference finder give exactly the links of the
// plain nested comparison of every object with every list entry: on random modules full of
// repeated names, with links left from earlier runs, and when stopped after any step.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/instance.h"
#include "query/reference_finder.h"

namespace {

using RefList = ordex::FunctionRefList TFunction_Intern::*;

const RefList kLists[] = {&TFunction_Intern::DefCharacteristics,
                          &TFunction_Intern::RefCharacteristics,
                          &TFunction_Intern::InMeasurements,
                          &TFunction_Intern::OutMeasurements,
                          &TFunction_Intern::LocMeasurements,
                          &TFunction_Intern::SubFunctions,
                          &TFunction_Intern::AxisPts};

// Stops after step `stopAt` (counted from 0); -1 never.
struct Steps {
  int stopAt = -1;
  int count = 0;
  bool step() { return count++ != stopAt; }
};

bool same(std::string_view a, std::string_view b) {
  return a == b;
}

// The passes exactly as the nested comparison describes them.
bool nestedObjectSide(TModule_Intern& m, Steps& steps) {
  for (TCharacteristic_Intern* x : m.Characteristics) {
    for (TFunction_Intern* f : m.Functions) {
      for (TFunctionRef* e : f->DefCharacteristics) {
        if (same(e->Name, x->Name)) e->Target = x, x->PublishingFunction = f;
      }
    }
    if (!steps.step()) return false;
  }
  for (TMeasurement_Intern* x : m.Measurements) {
    for (TFunction_Intern* f : m.Functions) {
      for (TFunctionRef* e : f->OutMeasurements) {
        if (same(e->Name, x->Name)) e->Target = x, x->PublishingFunction = f;
      }
    }
    if (!steps.step()) return false;
  }
  for (TFunction_Intern* g : m.Functions) {
    for (TFunction_Intern* f : m.Functions) {
      for (TFunctionRef* e : f->SubFunctions) {
        if (same(e->Name, g->Name)) e->Target = g, g->ParentFunction = f;
      }
    }
    if (!steps.step()) return false;
  }
  return true;
}

template <class Object, class Publish>
void resolveNested(TFunctionRef* e, ordex::ObjectList<Object>& objects, TFunction_Intern* f,
                   Publish publish) {
  for (Object* x : objects) {
    if (same(e->Name, x->Name)) {
      e->Target = x;
      publish(*x, f);
    }
  }
}

bool nestedFunctionSide(TModule_Intern& m, Steps& steps) {
  auto none = [](auto&, TFunction_Intern*) {};
  for (TFunction_Intern* f : m.Functions) {
    for (TFunctionRef* e : f->DefCharacteristics) {
      resolveNested(e, m.Characteristics, f, [](TCharacteristic_Intern& x, TFunction_Intern* p) {
        x.PublishingFunction = p;
      });
    }
    for (TFunctionRef* e : f->RefCharacteristics) resolveNested(e, m.Characteristics, f, none);
    for (TFunctionRef* e : f->InMeasurements) resolveNested(e, m.Measurements, f, none);
    for (TFunctionRef* e : f->OutMeasurements) {
      resolveNested(e, m.Measurements, f,
                    [](TMeasurement_Intern& x, TFunction_Intern* p) { x.PublishingFunction = p; });
    }
    for (TFunctionRef* e : f->LocMeasurements) resolveNested(e, m.Measurements, f, none);
    for (TFunctionRef* e : f->SubFunctions) {
      resolveNested(e, m.Functions, f,
                    [](TFunction_Intern& x, TFunction_Intern* p) { x.ParentFunction = p; });
    }
    if (!steps.step()) return false;
  }
  return true;
}

// A module whose objects and list entries draw their names from a small pool, so names
// repeat within every list; some entries name nothing. Links start pointing somewhere, as
// after an earlier run.
void build(TOrdex& inst, uint32_t seed) {
  std::mt19937 rng(seed);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
  const char* const pool[] = {"a", "b", "c", "d", "A"};
  inst.Project = std::make_unique<TProject_Intern>();
  for (int moduleIndex = 0; moduleIndex < 2; ++moduleIndex) {
    auto owned = std::make_unique<TModule_Intern>();
    TModule_Intern& m = *inst.Project->Modules.append(std::move(owned));
    auto named = [&](auto record) {
      record->Name = pool[pick(5)];
      return record;
    };
    for (int i = pick(6); i > 0; --i)
      m.Characteristics.append(named(std::make_unique<TCharacteristic_Intern>()));
    for (int i = pick(6); i > 0; --i)
      m.Measurements.append(named(std::make_unique<TMeasurement_Intern>()));
    for (int i = pick(6); i > 0; --i)
      m.Functions.append(named(std::make_unique<TFunction_Intern>()));
    TFunction_Intern* someFunction = m.Functions.first();
    for (TFunction_Intern* f : m.Functions) {
      for (RefList list : kLists) {
        for (int i = pick(5); i > 0; --i) {
          auto e = std::make_unique<TFunctionRef>();
          e->Name = pick(6) == 0 ? "none" : pool[pick(5)];
          if (pick(2)) e->Target = someFunction;
          (f->*list).append(std::move(e));
        }
      }
      if (pick(2)) f->ParentFunction = someFunction;
    }
    for (TCharacteristic_Intern* x : m.Characteristics) {
      if (pick(2)) x->PublishingFunction = someFunction;
    }
    for (TMeasurement_Intern* x : m.Measurements) {
      if (pick(2)) x->PublishingFunction = someFunction;
    }
  }
}

// Every link as the position of its target in its list (-1 null).
template <class Object>
int indexOf(const ordex::ObjectList<Object>& list, const ordex::ObjectHead* target) {
  if (!target) return -1;
  int i = 0;
  for (const Object* o : list) {
    if (o == target) return i;
    ++i;
  }
  return -2;
}

std::vector<int> links(const TOrdex& inst) {
  std::vector<int> out;
  for (const TModule_Intern* m : inst.Project->Modules) {
    for (const TFunction_Intern* f : m->Functions) {
      for (RefList list : kLists) {
        for (const TFunctionRef* e : f->*list) {
          const ordex::ObjectHead* t = e->Target;
          out.push_back(!t                                   ? -1
                        : t->Kind == ordex::ekCharacteristic ? 100 + indexOf(m->Characteristics, t)
                        : t->Kind == ordex::ekMeasurement    ? 200 + indexOf(m->Measurements, t)
                                                             : 300 + indexOf(m->Functions, t));
        }
      }
      out.push_back(indexOf(m->Functions, f->ParentFunction));
    }
    for (const TCharacteristic_Intern* x : m->Characteristics) {
      out.push_back(indexOf(m->Functions, x->PublishingFunction));
    }
    for (const TMeasurement_Intern* x : m->Measurements) {
      out.push_back(indexOf(m->Functions, x->PublishingFunction));
    }
  }
  return out;
}

int gCalls = 0;
int gStopAt = -1;
int stopAtStep(int) {
  return gCalls++ == gStopAt ? 1 : 0;
}

TEST(ReferenceFinderPasses, TablesGiveTheLinksOfTheNestedComparison) {
  int compared = 0;
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    for (uint32_t mode : {1u, 2u, 3u}) {
      for (int stopAt = 0;; ++stopAt) {  // until a run completes
        TOrdex expected, actual;
        build(expected, seed);
        build(actual, seed);
        ASSERT_EQ(links(expected), links(actual));

        Steps steps{stopAt};
        bool completed = true;
        for (TModule_Intern* m : expected.Project->Modules) {
          if ((mode & 1) && !(completed = nestedObjectSide(*m, steps))) break;
          if ((mode & 2) && !(completed = nestedFunctionSide(*m, steps))) break;
        }
        gCalls = 0;
        gStopAt = stopAt;
        const ordex::ReturnCode rc = ordex::findReferences(actual, mode, 0, 1, stopAtStep);
        ASSERT_EQ(rc, completed ? ordex::ReturnCode::Ok : ordex::ReturnCode::AbortedByCallback)
            << seed << " " << mode << " " << stopAt;
        ASSERT_EQ(links(actual), links(expected))
            << "seed " << seed << ", mode " << mode << ", stopped at " << stopAt;
        ++compared;
        if (completed) break;  // later stop points are never reached
      }
    }
  }
  EXPECT_GT(compared, 1000);
}

}  // namespace
