#include "api/getter_support.h"
#include "model/copy_to_field.h"
#include "model/object_records.h"
#include "query/member_enumerators.h"

using ordex::EnumPosition;
using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::namedObject;
using ordex::api::nonNull;
using ordex::api::required;

namespace {

using RefList = ordex::FunctionRefList TFunction_Intern::*;

// A FUNCTION name list. A missing module is reported as a missing function.
TOrdexReturnCode nextFunctionListName(EnumPosition& pos, TOrdex* instance, const char* moduleName,
                                      const char* functionName, char* name, RefList list) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    const TModule_Intern* m = ordex::findModule(instance->Project.get(), moduleName);
    if (!m) return rcFunctionNotFound;
    const TFunction_Intern& f = namedObject(m->Functions, functionName, rcFunctionNotFound);
    ordex::nextFunctionRefName(pos, f.*list, nonNull(name));
    return rcOk;
  });
}

// The IF_DATA entries of a module object; listOf gives the module's list of such objects.
template <class ListOf>
TOrdexReturnCode nextObjectIfData(TOrdex* instance, const char* moduleName, const char* ownerName,
                                  TIfDataRecord* record, ListOf listOf, TOrdexReturnCode notFound) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const auto& o = namedObject(listOf(m), ownerName, notFound);
    TIfDataRecord& r = required(record);
    ordex::nextIfData(ordex::ifDataPosition(), o.IfData, r.Name, &r.Content);
    return rcOk;
  });
}

// The annotation list of an owner, found after the module (throws the owner's codes).
using AnnotationsOf = const ordex::AnnotationList& (*)(const TModule_Intern&, const char* owner,
                                                       int axis);

TOrdexReturnCode nextAnnotation(TOrdex* instance, const char* moduleName, const char* ownerName,
                                int axis, TAnnotationRecord* record, AnnotationsOf annotationsOf) {
  return guarded([&] {
    const ordex::AnnotationList& list =
        annotationsOf(moduleOf(instance, moduleName), ownerName, axis);
    TAnnotationRecord& r = required(record);
    ordex::nextAnnotation(ordex::annotationPosition(), list,
                          {r.Label, r.Origin, r.Text, sizeof r.Text});
    return rcOk;
  });
}

// Form 2: the text goes to the caller's buffer of MaxAnnotationTextSize bytes, cut to fit.
TOrdexReturnCode nextAnnotation2(TOrdex* instance, const char* moduleName, const char* ownerName,
                                 int axis, TAnnotationRecord2* record,
                                 AnnotationsOf annotationsOf) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const ordex::AnnotationList& list = annotationsOf(m, ownerName, axis);
    TAnnotationRecord2& r = required(record);
    nonNull(r.Text);
    size_t textSize =
        m.MaxAnnotationTextSize > 1 ? static_cast<size_t>(m.MaxAnnotationTextSize) : 1;
    ordex::nextAnnotation(ordex::annotation2Position(), list,
                          {r.Label, r.Origin, r.Text, textSize});
    return rcOk;
  });
}

const ordex::AnnotationList& characteristicAnnotations(const TModule_Intern& m, const char* owner,
                                                       int) {
  return namedObject(m.Characteristics, owner, rcCharacteristicNotFound).Annotations;
}

const ordex::AnnotationList& axisAnnotations(const TModule_Intern& m, const char* owner, int axis) {
  const TCharacteristic_Intern& c = namedObject(m.Characteristics, owner, rcCharacteristicNotFound);
  if (axis < 0 || axis >= TCharacteristic_Intern::kAxes) throw rcIndexOutOfRange;
  static const ordex::AnnotationList kNone;
  const TAxisDescr_Intern* a = c.Axes.find(axis);
  return a ? a->Annotations : kNone;
}

const ordex::AnnotationList& measurementAnnotations(const TModule_Intern& m, const char* owner,
                                                    int) {
  return namedObject(m.Measurements, owner, rcMeasurementNotFound).Annotations;
}

const ordex::AnnotationList& axisPtsAnnotations(const TModule_Intern& m, const char* owner, int) {
  return namedObject(m.AxisPts, owner, rcAxisPtsNotFound).Annotations;
}

}  // namespace

// FUNCTION name lists.
#define ORDEX_FUNCTION_LIST_ENUMERATOR(Suffix, Member, Position)                             \
  ORDEX_EXPORT TOrdexReturnCode Ordex_GetAFuncsNext##Suffix(                                 \
      TOrdex* instance, const char* moduleName, const char* functionName, char* name) {      \
    return nextFunctionListName(ordex::Position(), instance, moduleName, functionName, name, \
                                &TFunction_Intern::Member);                                  \
  }

ORDEX_FUNCTION_LIST_ENUMERATOR(DefChaName, DefCharacteristics, functionCharacteristicsPosition)
ORDEX_FUNCTION_LIST_ENUMERATOR(RefChaName, RefCharacteristics, functionCharacteristicsPosition)
ORDEX_FUNCTION_LIST_ENUMERATOR(OutMeaName, OutMeasurements, functionMeasurementsPosition)
ORDEX_FUNCTION_LIST_ENUMERATOR(InMeaName, InMeasurements, functionMeasurementsPosition)
ORDEX_FUNCTION_LIST_ENUMERATOR(LocMeaName, LocMeasurements, functionMeasurementsPosition)
ORDEX_FUNCTION_LIST_ENUMERATOR(SubFuncName, SubFunctions, subFunctionsPosition)
ORDEX_FUNCTION_LIST_ENUMERATOR(AxisPtsName, AxisPts, functionAxisPtsPosition)

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAMeasNextVirtual(TOrdex* instance, const char* moduleName,
                                                        const char* measurementName, char* name) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TMeasurement_Intern& meas =
        namedObject(m.Measurements, measurementName, rcMeasurementNotFound);
    ordex::nextNameEntry(ordex::groupVPosition(), meas.Virtuals, nonNull(name));
    return rcOk;
  });
}

// System constants and IF_DATA entries (one shared position).
ORDEX_EXPORT TOrdexReturnCode Ordex_GetNextSystemConstant(TOrdex* instance, const char* moduleName,
                                                          TSystemConstant* record) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    TSystemConstant& r = required(record);
    ordex::nextSystemConstant(ordex::ifDataPosition(), m.ModPar.SystemConstants, r.Name, &r.Value);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAModulesNextIfData(TOrdex* instance, const char* moduleName,
                                                          TIfDataRecord* record) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    TIfDataRecord& r = required(record);
    ordex::nextIfData(ordex::ifDataPosition(), m.IfData, r.Name, &r.Content);
    return rcOk;
  });
}

#define ORDEX_OBJECT_IF_DATA_ENUMERATOR(Owner, List, NotFound)                                  \
  ORDEX_EXPORT TOrdexReturnCode Ordex_GetA##Owner##NextIfData(                                  \
      TOrdex* instance, const char* moduleName, const char* ownerName, TIfDataRecord* record) { \
    return nextObjectIfData(                                                                    \
        instance, moduleName, ownerName, record,                                                \
        [](const TModule_Intern& m) -> const auto& { return m.List; }, NotFound);               \
  }

ORDEX_OBJECT_IF_DATA_ENUMERATOR(MemSegs, ModPar.MemorySegments, rcMemorySegmentNotFound)
ORDEX_OBJECT_IF_DATA_ENUMERATOR(Chas, Characteristics, rcCharacteristicNotFound)
ORDEX_OBJECT_IF_DATA_ENUMERATOR(Meas, Measurements, rcMeasurementNotFound)
ORDEX_OBJECT_IF_DATA_ENUMERATOR(AxisPts, AxisPts, rcAxisPtsNotFound)

#undef ORDEX_OBJECT_IF_DATA_ENUMERATOR

// Annotations: the plain forms share one position, the forms 2 another.
#define ORDEX_ANNOTATION_ENUMERATORS(Owner, AnnotationsOf)                             \
  ORDEX_EXPORT TOrdexReturnCode Ordex_GetA##Owner##NextAnnotation(                     \
      TOrdex* instance, const char* moduleName, const char* ownerName,                 \
      TAnnotationRecord* record) {                                                     \
    return nextAnnotation(instance, moduleName, ownerName, 0, record, AnnotationsOf);  \
  }                                                                                    \
  ORDEX_EXPORT TOrdexReturnCode Ordex_GetA##Owner##NextAnnotation2(                    \
      TOrdex* instance, const char* moduleName, const char* ownerName,                 \
      TAnnotationRecord2* record) {                                                    \
    return nextAnnotation2(instance, moduleName, ownerName, 0, record, AnnotationsOf); \
  }

ORDEX_ANNOTATION_ENUMERATORS(Chas, characteristicAnnotations)
ORDEX_ANNOTATION_ENUMERATORS(Meas, measurementAnnotations)
ORDEX_ANNOTATION_ENUMERATORS(AxisPts, axisPtsAnnotations)

#undef ORDEX_ANNOTATION_ENUMERATORS

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAnAxisDescrsNextAnnotation(TOrdex* instance,
                                                                  const char* moduleName,
                                                                  const char* characteristicName,
                                                                  int axisIndex,
                                                                  TAnnotationRecord* record) {
  return nextAnnotation(instance, moduleName, characteristicName, axisIndex, record,
                        axisAnnotations);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAnAxisDescrsNextAnnotation2(TOrdex* instance,
                                                                   const char* moduleName,
                                                                   const char* characteristicName,
                                                                   int axisIndex,
                                                                   TAnnotationRecord2* record) {
  return nextAnnotation2(instance, moduleName, characteristicName, axisIndex, record,
                         axisAnnotations);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetMaxAnnotationTextSize(TOrdex* instance,
                                                             const char* moduleName, int* size) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    if (size) *size = m.MaxAnnotationTextSize;
    return rcOk;
  });
}
