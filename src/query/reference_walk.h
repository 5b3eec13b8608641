// Every name by which an object of a module refers to another. The consistency check (which
// resolves each reference once and keeps, per target, what refers to it) and the referrer
// query both walk the references through forEachReference, so they always agree on what
// counts as one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/element_kind.h"
#include "model/project.h"

namespace ordex {

// The field that holds a reference. The axis fields carry the axis slot in Reference::axis.
enum class ReferenceField : uint8_t {
  CharacteristicDeposit,
  CharacteristicConversion,
  AxisInputQuantity,
  AxisConversion,
  AxisPtsRef,
  AxisPtsInputQuantity,
  AxisPtsDeposit,
  AxisPtsConversion,
  MeasurementConversion,
  MeasurementVirtual,
  CompuTabRef,
  DefCharacteristic,
  RefCharacteristic,
  InMeasurement,
  OutMeasurement,
  LocMeasurement,
  SubFunction,
  FunctionAxisPts,
  VarCharacteristic,
  VarMeasurement,
  VarSelectionCharacteristic,
};

struct Reference {
  const ObjectHead* referrer;  // the object that holds the name
  std::string_view name;       // the name as written
  ReferenceField field;
  uint8_t axis;  // axis slot 0..2 of the axis fields, else 0
};

// The field's name as the public records spell it ("Conversion", "Axes[1].InputQuantity");
// a FUNCTION list or a VIRTUAL list by its keyword ("DEF_CHARACTERISTIC").
std::string referenceFieldName(const Reference& r);

// The block keyword of the referring object ("CHARACTERISTIC", "VAR_CRITERION").
const char* referrerKeyword(const Reference& r);

// The kinds of object the name may denote, as a mask of ElementKind: one kind, or for
// the COMPU_TAB_REF of a method whose type says nothing (RAT_FUNC, FORM, a newer type)
// COMPU_TAB and COMPU_VTAB.
int32_t referenceTargets(const Reference& r);

// Whether a FUNCTION list holds the reference.
bool isFunctionListField(ReferenceField f);

// The number of axes a characteristic type has: CURVE 1, MAP 2, CUBOID 3, none for others.
int characteristicAxisCount(int32_t type);

// Calls visit(const Reference&) for every reference of the module, in this order: the
// characteristics (Deposit, Conversion, then per axis the type uses InputQuantity,
// Conversion, AxisPtsRef), the axis points, the measurements (Conversion, VIRTUAL), the
// compu methods, the functions (list by list), the variant-coding records; within a kind in
// list order. Empty names are no references, nor are NO_COMPU_METHOD as a conversion and
// NO_INPUT_QUANTITY as an input quantity (the words the standard gives for "none").
template <class Visit>
void forEachReference(const TModule_Intern& m, Visit&& visit);

// ---------------------------------------------------------------------------------------
// forEachReference

namespace detail {

inline bool isReference(std::string_view name) {
  return !name.empty();
}
inline bool isConversionReference(std::string_view name) {
  return !name.empty() && name != "NO_COMPU_METHOD";
}
inline bool isInputQuantityReference(std::string_view name) {
  return !name.empty() && name != "NO_INPUT_QUANTITY";
}

template <class Visit>
void visitList(const ObjectHead* owner, const FunctionRefList& list, ReferenceField field,
               Visit& visit) {
  for (const TFunctionRef* e : list) {
    if (isReference(e->Name)) visit(Reference{owner, e->Name.view(), field, 0});
  }
}

}  // namespace detail

template <class Visit>
void forEachReference(const TModule_Intern& m, Visit&& visit) {
  using F = ReferenceField;
  for (const TCharacteristic_Intern* c : m.Characteristics) {
    if (detail::isReference(c->Deposit))
      visit(Reference{c, c->Deposit.view(), F::CharacteristicDeposit, 0});
    if (detail::isConversionReference(c->Conversion))
      visit(Reference{c, c->Conversion.view(), F::CharacteristicConversion, 0});
    const int axes = characteristicAxisCount(c->Type);
    for (int i = 0; i < axes; ++i) {
      const TAxisDescr_Intern* a = c->Axes.find(i);
      if (!a) continue;
      const auto slot = static_cast<uint8_t>(i);
      if (detail::isInputQuantityReference(a->InputQuantity))
        visit(Reference{c, a->InputQuantity.view(), F::AxisInputQuantity, slot});
      if (detail::isConversionReference(a->Conversion))
        visit(Reference{c, a->Conversion.view(), F::AxisConversion, slot});
      if (detail::isReference(a->AxisPtsRef))
        visit(Reference{c, a->AxisPtsRef.view(), F::AxisPtsRef, slot});
    }
  }
  for (const TAxisPts_Intern* a : m.AxisPts) {
    if (detail::isInputQuantityReference(a->InputQuantity))
      visit(Reference{a, a->InputQuantity.view(), F::AxisPtsInputQuantity, 0});
    if (detail::isReference(a->Deposit))
      visit(Reference{a, a->Deposit.view(), F::AxisPtsDeposit, 0});
    if (detail::isConversionReference(a->Conversion))
      visit(Reference{a, a->Conversion.view(), F::AxisPtsConversion, 0});
  }
  for (const TMeasurement_Intern* x : m.Measurements) {
    if (detail::isConversionReference(x->Conversion))
      visit(Reference{x, x->Conversion.view(), F::MeasurementConversion, 0});
    for (const TNameEntry_Intern* v : x->Virtuals) {
      if (detail::isReference(v->Name))
        visit(Reference{x, v->Name.view(), F::MeasurementVirtual, 0});
    }
  }
  for (const TCompuMethod_Intern* cm : m.CompuMethods) {
    if (detail::isReference(cm->CompuTabRef))
      visit(Reference{cm, cm->CompuTabRef.view(), F::CompuTabRef, 0});
  }
  for (const TFunction_Intern* f : m.Functions) {
    detail::visitList(f, f->DefCharacteristics, F::DefCharacteristic, visit);
    detail::visitList(f, f->RefCharacteristics, F::RefCharacteristic, visit);
    detail::visitList(f, f->InMeasurements, F::InMeasurement, visit);
    detail::visitList(f, f->OutMeasurements, F::OutMeasurement, visit);
    detail::visitList(f, f->LocMeasurements, F::LocMeasurement, visit);
    detail::visitList(f, f->SubFunctions, F::SubFunction, visit);
    detail::visitList(f, f->AxisPts, F::FunctionAxisPts, visit);
  }
  for (const TVarCharacteristic_Intern* v : m.VarCharacteristics) {
    if (detail::isReference(v->Name)) visit(Reference{v, v->Name.view(), F::VarCharacteristic, 0});
  }
  for (const TVarCriterion_Intern* v : m.VarCriterions) {
    if (detail::isReference(v->VarMeasurement))
      visit(Reference{v, v->VarMeasurement.view(), F::VarMeasurement, 0});
    if (detail::isReference(v->VarSelectionCharacteristic))
      visit(Reference{v, v->VarSelectionCharacteristic.view(), F::VarSelectionCharacteristic, 0});
  }
}

}  // namespace ordex
