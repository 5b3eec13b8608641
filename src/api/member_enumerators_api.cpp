#include "api/guarded.h"
#include "model/copy_to_field.h"
#include "model/object_records.h"
#include "query/member_enumerators.h"

using ordex::EnumPosition;
using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::required;

namespace {

// A pointer argument that must not be null (-205).
template <class T>
T* nonNull(T* p) {
  if (!p) throw rcNullArgument;
  return p;
}

// The object of `list` named `name` (the first of it, comparison mode); throws notFound.
template <class Object>
const Object& ownerOf(const ordex::ObjectList<Object>& list, const char* name,
                      TOrdexReturnCode notFound) {
  const Object* o = list.find(nonNull(name));
  if (!o) throw notFound;
  return *o;
}

using RefList = ordex::FunctionRefList TFunction_Intern::*;

// A FUNCTION name list. A missing module is reported as a missing function.
TOrdexReturnCode nextFunctionListName(EnumPosition& pos, TOrdex* instance, const char* moduleName,
                                      const char* functionName, char* name, RefList list) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    const TModule_Intern* m = ordex::findModule(instance->Project.get(), moduleName);
    if (!m) return rcFunctionNotFound;
    const TFunction_Intern& f = ownerOf(m->Functions, functionName, rcFunctionNotFound);
    ordex::nextFunctionRefName(pos, f.*list, nonNull(name));
    return rcOk;
  });
}

template <class Object>
TOrdexReturnCode nextObjectIfData(TOrdex* instance, const char* moduleName, const char* ownerName,
                                  TIfDataRecord* record,
                                  const ordex::ObjectList<Object> TModule_Intern::*list,
                                  TOrdexReturnCode notFound) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const Object& o = ownerOf(m.*list, ownerName, notFound);
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
  return ownerOf(m.Characteristics, owner, rcCharacteristicNotFound).Annotations;
}

const ordex::AnnotationList& axisAnnotations(const TModule_Intern& m, const char* owner, int axis) {
  const TCharacteristic_Intern& c = ownerOf(m.Characteristics, owner, rcCharacteristicNotFound);
  if (axis < 0 || axis >= TCharacteristic_Intern::kAxes) throw rcIndexOutOfRange;
  return c.Axes[axis].Annotations;
}

const ordex::AnnotationList& measurementAnnotations(const TModule_Intern& m, const char* owner,
                                                    int) {
  return ownerOf(m.Measurements, owner, rcMeasurementNotFound).Annotations;
}

const ordex::AnnotationList& axisPtsAnnotations(const TModule_Intern& m, const char* owner, int) {
  return ownerOf(m.AxisPts, owner, rcAxisPtsNotFound).Annotations;
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
        ownerOf(m.Measurements, measurementName, rcMeasurementNotFound);
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

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAMemSegsNextIfData(TOrdex* instance, const char* moduleName,
                                                          const char* segmentName,
                                                          TIfDataRecord* record) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TMemorySegment_Intern& s =
        ownerOf(m.ModPar.MemorySegments, segmentName, rcMemorySegmentNotFound);
    TIfDataRecord& r = required(record);
    ordex::nextIfData(ordex::ifDataPosition(), s.IfData, r.Name, &r.Content);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAChasNextIfData(TOrdex* instance, const char* moduleName,
                                                       const char* characteristicName,
                                                       TIfDataRecord* record) {
  return nextObjectIfData(instance, moduleName, characteristicName, record,
                          &TModule_Intern::Characteristics, rcCharacteristicNotFound);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAMeasNextIfData(TOrdex* instance, const char* moduleName,
                                                       const char* measurementName,
                                                       TIfDataRecord* record) {
  return nextObjectIfData(instance, moduleName, measurementName, record,
                          &TModule_Intern::Measurements, rcMeasurementNotFound);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAAxisPtsNextIfData(TOrdex* instance, const char* moduleName,
                                                          const char* axisPtsName,
                                                          TIfDataRecord* record) {
  return nextObjectIfData(instance, moduleName, axisPtsName, record, &TModule_Intern::AxisPts,
                          rcAxisPtsNotFound);
}

// Annotations: the plain forms share one position, the forms 2 another.
ORDEX_EXPORT TOrdexReturnCode Ordex_GetAChasNextAnnotation(TOrdex* instance, const char* moduleName,
                                                           const char* characteristicName,
                                                           TAnnotationRecord* record) {
  return nextAnnotation(instance, moduleName, characteristicName, 0, record,
                        characteristicAnnotations);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAChasNextAnnotation2(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* characteristicName,
                                                            TAnnotationRecord2* record) {
  return nextAnnotation2(instance, moduleName, characteristicName, 0, record,
                         characteristicAnnotations);
}

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

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAMeasNextAnnotation(TOrdex* instance, const char* moduleName,
                                                           const char* measurementName,
                                                           TAnnotationRecord* record) {
  return nextAnnotation(instance, moduleName, measurementName, 0, record, measurementAnnotations);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAMeasNextAnnotation2(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* measurementName,
                                                            TAnnotationRecord2* record) {
  return nextAnnotation2(instance, moduleName, measurementName, 0, record, measurementAnnotations);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAAxisPtsNextAnnotation(TOrdex* instance,
                                                              const char* moduleName,
                                                              const char* axisPtsName,
                                                              TAnnotationRecord* record) {
  return nextAnnotation(instance, moduleName, axisPtsName, 0, record, axisPtsAnnotations);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAAxisPtsNextAnnotation2(TOrdex* instance,
                                                               const char* moduleName,
                                                               const char* axisPtsName,
                                                               TAnnotationRecord2* record) {
  return nextAnnotation2(instance, moduleName, axisPtsName, 0, record, axisPtsAnnotations);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetMaxAnnotationTextSize(TOrdex* instance,
                                                             const char* moduleName, int* size) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    if (size) *size = m.MaxAnnotationTextSize;
    return rcOk;
  });
}
