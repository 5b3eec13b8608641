// After a removal nothing may lead to a freed record: neither a resolved reference (set here
// directly, as the reference finder and the conversion set them) nor a remembered
// enumerator position. Run under the sanitizers, a miss shows as a use after free.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "edit/edit_index.h"
#include "edit/list_entry_edits.h"
#include "edit/object_edits.h"
#include "model/instance.h"
#include "model/name_compare.h"
#include "query/reference_finder.h"

namespace {

using ordex::edit::change;
using ordex::edit::changeMeasurement;
using ordex::edit::FunctionList;
using ordex::edit::removeFromFunctionList;
using ordex::edit::removeModule;
using ordex::edit::removeObject;

constexpr ordex::ReturnCode kOk = ordex::ReturnCode::Ok;

template <class T>
T* add(ordex::ObjectList<T>& list, TModule_Intern& m, const std::string& name) {
  auto r = std::make_unique<T>();
  r->Owner = &m;
  r->Name = name;
  return list.append(std::move(r));
}

TFunctionRef* entry(ordex::FunctionRefList& list, const std::string& name,
                    ordex::ObjectHead* target) {
  auto e = std::make_unique<TFunctionRef>();
  e->Name = name;
  e->Target = target;
  return list.append(std::move(e));
}

// In module M: F lists C, Me, G and A in its lists, all resolved; C and Me are published by
// F, G's parent is F (and F's is G); Me converts through CM, CM uses table T and CV uses V.
struct Model {
  TOrdex inst;
  TModule_Intern* m = nullptr;
  TCharacteristic_Intern* c = nullptr;
  TMeasurement_Intern* me = nullptr;
  TFunction_Intern *f = nullptr, *g = nullptr;
  TCompuMethod_Intern *cm = nullptr, *cv = nullptr;
  TCompuTab_Intern* t = nullptr;
  TCompuVTab_Intern* v = nullptr;
  TAxisPts_Intern* a = nullptr;

  Model() {
    inst.Project = std::make_unique<TProject_Intern>();
    m = addModule("M");
    c = add(m->Characteristics, *m, "C");
    me = add(m->Measurements, *m, "Me");
    f = add(m->Functions, *m, "F");
    g = add(m->Functions, *m, "G");
    cm = add(m->CompuMethods, *m, "CM");
    cv = add(m->CompuMethods, *m, "CV");
    t = add(m->CompuTabs, *m, "T");
    v = add(m->CompuVTabs, *m, "V");
    a = add(m->AxisPts, *m, "A");
    listAll(*f);
    entry(g->SubFunctions, "F", f);
    c->PublishingFunction = me->PublishingFunction = g->ParentFunction = f;
    f->ParentFunction = g;
    me->Conversion = "CM";
    me->ConversionTarget = cm;
    cm->CompuTabRef = "T";
    cm->CompuTabTarget = t;
    cv->CompuTabRef = "V";
    cv->CompuTabTarget = v;
  }
  // Fills the seven lists of a function with C, C, Me, Me, Me, G and A, resolved.
  void listAll(TFunction_Intern& function) {
    const std::pair<const char*, ordex::ObjectHead*> listed[] = {
        {"C", c}, {"C", c}, {"Me", me}, {"Me", me}, {"Me", me}, {"G", g}, {"A", a}};
    std::vector<ordex::FunctionRefList*> lists = ordex::edit::nameListsOf(function);
    for (size_t l = 0; l < lists.size(); ++l) entry(*lists[l], listed[l].first, listed[l].second);
  }
  TModule_Intern* addModule(const char* name) {
    auto module = std::make_unique<TModule_Intern>();
    module->Owner = inst.Project.get();
    module->Name = name;
    return inst.Project->Modules.append(std::move(module));
  }
};

// Removing a listed object clears the entries of F's lists (in the order of nameListsOf)
// that led to it; the others keep their targets, and every entry keeps its name.
TEST(EditDanglingRefs, RemovingAListedObjectClearsOnlyItsEntries) {
  const struct {
    ordex::ElementKind kind;
    const char* name;
    std::vector<size_t> cleared;
  } cases[] = {
      {ordex::ekCharacteristic, "C", {0, 1}},
      {ordex::ekMeasurement, "Me", {2, 3, 4}},
      {ordex::ekFunction, "G", {5}},
      {ordex::ekAxisPts, "A", {6}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    Model x;
    std::vector<ordex::FunctionRefList*> lists = ordex::edit::nameListsOf(*x.f);
    std::vector<std::pair<const ordex::ObjectHead*, std::string>> before;
    for (auto* l : lists) before.emplace_back(l->First->Target, l->First->Name.str());
    ASSERT_EQ(kOk, removeObject(*x.m, k.kind, k.name));
    for (size_t l = 0; l < lists.size(); ++l) {
      const bool cleared = std::count(k.cleared.begin(), k.cleared.end(), l) != 0;
      EXPECT_EQ(cleared ? nullptr : before[l].first, lists[l]->First->Target) << "list " << l;
      EXPECT_EQ(before[l].second, lists[l]->First->Name) << "list " << l;
    }
  }
}

// Every link from another module into a removed one is cleared; links within it stay.
TEST(EditDanglingRefs, RemovingAModuleClearsEveryLinkIntoIt) {
  Model x;
  TModule_Intern* n = x.addModule("N");
  TFunction_Intern* h = add(n->Functions, *n, "H");
  TFunction_Intern* local = add(n->Functions, *n, "L");
  TCharacteristic_Intern* nc = add(n->Characteristics, *n, "NC");
  TMeasurement_Intern* nme = add(n->Measurements, *n, "NMe");
  TCompuMethod_Intern* ncm = add(n->CompuMethods, *n, "NCM");
  TCompuMethod_Intern* ncv = add(n->CompuMethods, *n, "NCV");
  x.listAll(*h);
  h->ParentFunction = nme->PublishingFunction = x.f;
  nc->PublishingFunction = local;
  nme->Conversion = "CM";
  nme->ConversionTarget = x.cm;
  ncm->CompuTabTarget = x.t;
  ncv->CompuTabTarget = x.v;
  ASSERT_EQ(kOk, removeModule(x.inst, "M"));
  for (ordex::FunctionRefList* list : ordex::edit::nameListsOf(*h)) {
    EXPECT_EQ(nullptr, list->First->Target);
  }
  EXPECT_EQ(nullptr, h->ParentFunction);
  EXPECT_EQ(nullptr, nme->PublishingFunction);
  EXPECT_EQ(nullptr, nme->ConversionTarget);
  EXPECT_EQ(nullptr, ncm->CompuTabTarget);
  EXPECT_EQ(nullptr, ncv->CompuTabTarget);
  EXPECT_EQ(local, nc->PublishingFunction);
  EXPECT_EQ(1u, x.inst.Project->Modules.count());
}

// Changing an object keeps the links it holds, also when the name it refers by changes.
TEST(EditDanglingRefs, ChangesKeepResolvedReferences) {
  Model x;
  ASSERT_EQ(kOk, change<TCompuMethod_Intern>(
                     *x.m, "CM", [](TCompuMethod_Intern& cm) { cm.CompuTabRef = "Other"; }));
  EXPECT_EQ(x.t, x.cm->CompuTabTarget);
  ASSERT_EQ(kOk, change<TCompuVTab_Intern>(*x.m, "V",
                                           [](TCompuVTab_Intern& vt) { vt.NumberValuePairs = 3; }));
  EXPECT_EQ(x.v, x.cv->CompuTabTarget);
  ASSERT_EQ(kOk, change<TFunction_Intern>(
                     *x.m, "F", [](TFunction_Intern& f) { f.LongIdentifier = "changed"; }));
  EXPECT_EQ(x.c, x.f->DefCharacteristics.First->Target);
  EXPECT_EQ(x.g, x.f->ParentFunction);
}

// The entries are found by name: also after the object's letter case changed, for entries
// added after the first removal, and for entries that folding FUNCTION_LIST names left by a
// failed read appends later.
TEST(EditDanglingRefs, EntriesAreFoundWhateverHappenedSinceTheFirstRemoval) {
  Model x;
  TCharacteristic_Intern* d = add(x.m->Characteristics, *x.m, "D");
  TCharacteristic_Intern* e = add(x.m->Characteristics, *x.m, "e");
  x.m->FunctionListsRead.add(*d, "G");  // left by a failed read, not folded yet
  x.m->FunctionListsRead.keepPending();
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekCharacteristic, "C"));  // the index exists from here

  // An entry added through the edit layer, then resolved.
  ASSERT_EQ(kOk, ordex::edit::addToFunctionList(*x.m, "G", FunctionList::RefCharacteristic, "D"));
  x.g->RefCharacteristics.Last->Target = d;
  // The folding appends D to G's DEF_CHARACTERISTIC list; then it is resolved.
  ordex::foldModuleFunctionLists(*x.m);
  ASSERT_EQ("D", x.g->DefCharacteristics.Last->Name);
  TFunctionRef* folded = x.g->DefCharacteristics.Last;
  folded->Target = d;
  // The object renamed in letter case after its entry was resolved.
  TFunctionRef* byOldCase = entry(x.f->DefCharacteristics, "e", e);
  ordex::setCaseInsensitiveNames(true);
  ASSERT_EQ(kOk, change<TCharacteristic_Intern>(*x.m, "E", [](TCharacteristic_Intern&) {}));
  ordex::setCaseInsensitiveNames(false);
  ASSERT_EQ("E", e->Name);

  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekCharacteristic, "D"));
  EXPECT_EQ(nullptr, x.g->RefCharacteristics.Last->Target);
  EXPECT_EQ(nullptr, folded->Target);
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekCharacteristic, "E"));
  EXPECT_EQ(nullptr, byOldCase->Target);
}

// Two holders the names cannot lead to are remembered, whether the index existed before or
// not: a publisher or parent whose entry was removed from its lists, and a measurement whose
// conversion name changed after its ConversionTarget was resolved.
TEST(EditDanglingRefs, HoldersRememberedAcrossRenamesAndRemovedEntries) {
  for (bool indexFirst : {false, true}) {
    SCOPED_TRACE(indexFirst);
    Model x;
    if (indexFirst) removeObject(*x.m, ordex::ekAxisPts, "A");  // the index exists from here
    ASSERT_EQ(kOk, changeMeasurement(*x.m, "Me", "Other",
                                     [](TMeasurement_Intern& me) { me.Conversion = "Other"; }));
    ASSERT_EQ(x.cm, x.me->ConversionTarget);
    ASSERT_EQ(kOk, removeFromFunctionList(*x.m, "F", FunctionList::DefCharacteristic, "C"));
    ASSERT_EQ(kOk, removeFromFunctionList(*x.m, "F", FunctionList::SubFunction, "G"));
    ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekFunction, "F"));
    EXPECT_EQ(nullptr, x.c->PublishingFunction);
    EXPECT_EQ(nullptr, x.me->PublishingFunction);
    EXPECT_EQ(nullptr, x.g->ParentFunction);
    ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekCompuMethod, "CM"));
    EXPECT_EQ(nullptr, x.me->ConversionTarget);
  }
}

// Removed entries and the entries of a removed function leave the index: removing the
// objects they named afterwards touches no freed entry.
TEST(EditDanglingRefs, RemovedEntriesLeaveTheIndex) {
  Model x;
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekAxisPts, "A"));  // the index exists from here
  ASSERT_EQ(kOk, removeFromFunctionList(*x.m, "F", FunctionList::InMeasurement, "Me"));
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekFunction, "G"));  // G's own entries go with it
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekFunction, "F"));
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekMeasurement, "Me"));
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekCharacteristic, "C"));
}

// With two objects of one name, only the entries that lead to the removed one are cleared.
TEST(EditDanglingRefs, DuplicateNamesClearOnlyTheirOwnEntries) {
  Model x;
  TCharacteristic_Intern* second = add(x.m->Characteristics, *x.m, "C");
  x.f->RefCharacteristics.First->Target = second;
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekCharacteristic, "C"));  // the first C
  EXPECT_EQ(nullptr, x.f->DefCharacteristics.First->Target);
  EXPECT_EQ(second, x.f->RefCharacteristics.First->Target);
  ASSERT_EQ(kOk, removeObject(*x.m, ordex::ekCharacteristic, "C"));
  EXPECT_EQ(nullptr, x.f->RefCharacteristics.First->Target);
}

}  // namespace
