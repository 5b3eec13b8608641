#include "api/guarded.h"
#include "model/copy_to_field.h"
#include "model/name_compare.h"
#include "model/object_records.h"
#include "query/reference_finder.h"

using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::required;
using ordex::api::toPublic;

ORDEX_EXPORT TOrdexReturnCode Ordex_ReferenceFinder_Intern(TOrdex* instance, int mode,
                                                           int stopOnError, int total,
                                                           TOrdexProgressCallback progress) {
  return guarded([&] {
    if (!instance) return rcNoInstance;
    return toPublic(ordex::findReferences(*instance, static_cast<uint32_t>(mode), stopOnError,
                                          total, progress));
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_ReferenceFinder(TOrdex* instance, int mode, int stopOnError,
                                                    int total, TOrdexProgressCallback progress) {
  return Ordex_ReferenceFinder_Intern(instance, mode, stopOnError, total, progress);
}

namespace {

// The publishing-function queries: the stored link of the object named objectName.
template <class Object, class Link>
TOrdexReturnCode publishingFunction(TOrdex* instance, const char* moduleName,
                                    const char* objectName, char* functionName,
                                    ordex::ObjectList<Object> TModule_Intern::*list,
                                    TOrdexReturnCode notFound, Link link) {
  return guarded([&] {
    TModule_Intern& m = moduleOf(instance, moduleName);
    required(objectName);
    required(functionName);
    const Object* o = (m.*list).find(objectName);
    if (!o) return notFound;
    const TFunction_Intern* f = link(*o);
    ordex::copyToField(functionName, f ? std::string_view(f->Name) : std::string_view());
    return rcOk;
  });
}

// The queries by reference: the first object of `list` for which refersTo(object, name)
// holds. The output is emptied before searching.
template <class Object, class RefersTo>
TOrdexReturnCode firstReferrer(TOrdex* instance, const char* moduleName, const char* name,
                               char* referrerName, ordex::ObjectList<Object> TModule_Intern::*list,
                               TOrdexReturnCode notFound, RefersTo refersTo) {
  return guarded([&] {
    TModule_Intern& m = moduleOf(instance, moduleName);
    required(name);
    required(referrerName);
    const std::string_view wanted = name;
    ordex::copyToField(referrerName, "");
    for (const Object* o : m.*list) {
      if (refersTo(*o, wanted)) {
        ordex::copyToField(referrerName, o->Name);
        return rcOk;
      }
    }
    return notFound;
  });
}

bool lists(const ordex::FunctionRefList& list, std::string_view name) {
  for (const TFunctionRef* e : list) {
    if (ordex::namesEqual(e->Name, name)) return true;
  }
  return false;
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAChasPublishingFunc(TOrdex* instance, const char* moduleName,
                                                           const char* characteristicName,
                                                           char* functionName) {
  return publishingFunction(instance, moduleName, characteristicName, functionName,
                            &TModule_Intern::Characteristics, rcCharacteristicNotFound,
                            [](const TCharacteristic_Intern& c) { return c.PublishingFunction; });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAMeasPublishingFunc(TOrdex* instance, const char* moduleName,
                                                           const char* measurementName,
                                                           char* functionName) {
  return publishingFunction(instance, moduleName, measurementName, functionName,
                            &TModule_Intern::Measurements, rcMeasurementNotFound,
                            [](const TMeasurement_Intern& c) { return c.PublishingFunction; });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAFuncsPublishingFunc(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* subFunctionName,
                                                            char* functionName) {
  return publishingFunction(instance, moduleName, subFunctionName, functionName,
                            &TModule_Intern::Functions, rcFunctionNotFound,
                            [](const TFunction_Intern& f) { return f.ParentFunction; });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAFuncWithRefToCha(TOrdex* instance, const char* moduleName,
                                                         const char* characteristicName,
                                                         char* functionName) {
  return firstReferrer(instance, moduleName, characteristicName, functionName,
                       &TModule_Intern::Functions, rcFunctionNotFound,
                       [](const TFunction_Intern& f, std::string_view n) {
                         return lists(f.DefCharacteristics, n) || lists(f.RefCharacteristics, n);
                       });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAFuncWithRefToMea(TOrdex* instance, const char* moduleName,
                                                         const char* measurementName,
                                                         char* functionName) {
  return firstReferrer(instance, moduleName, measurementName, functionName,
                       &TModule_Intern::Functions, rcFunctionNotFound,
                       [](const TFunction_Intern& f, std::string_view n) {
                         return lists(f.InMeasurements, n) || lists(f.OutMeasurements, n) ||
                                lists(f.LocMeasurements, n);
                       });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAFuncWithRefToFunc(TOrdex* instance, const char* moduleName,
                                                          const char* subFunctionName,
                                                          char* functionName) {
  return firstReferrer(
      instance, moduleName, subFunctionName, functionName, &TModule_Intern::Functions,
      rcFunctionNotFound,
      [](const TFunction_Intern& f, std::string_view n) { return lists(f.SubFunctions, n); });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAChaWithRefToMea(TOrdex* instance, const char* moduleName,
                                                        const char* measurementName,
                                                        char* characteristicName) {
  return firstReferrer(instance, moduleName, measurementName, characteristicName,
                       &TModule_Intern::Characteristics, rcCharacteristicNotFound,
                       [](const TCharacteristic_Intern& c, std::string_view n) {
                         // All three axis slots, whatever the type uses.
                         bool found = false;
                         for (int i = 0; i < TCharacteristic_Intern::kAxes; ++i) {
                           c.Axes.read(i, [&](const TAxisDescr_Intern& axis) {
                             found = found || ordex::namesEqual(axis.InputQuantity, n);
                           });
                         }
                         return found;
                       });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAAxisPtsWithRefToMea(TOrdex* instance,
                                                            const char* moduleName,
                                                            const char* measurementName,
                                                            char* axisPtsName) {
  return firstReferrer(instance, moduleName, measurementName, axisPtsName, &TModule_Intern::AxisPts,
                       rcAxisPtsNotFound, [](const TAxisPts_Intern& a, std::string_view n) {
                         return ordex::namesEqual(a.InputQuantity, n);
                       });
}
