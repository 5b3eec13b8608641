// Measurement request and response blocks, and the hex text helpers.
#include <string_view>

#include "api/guarded.h"
#include "convert/conversion_error.h"
#include "convert/measurement_blocks.h"
#include "convert/raw_to_phys.h"

using ordex::ReturnCode;
using ordex::api::fromPublic;
using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::toPublic;

namespace {

// The measurement a block operation works on: the caller's record when it carries the
// name asked for, else the first of the module with that exact name. *module is set when
// the module was looked up.
TMeasurement_Intern& measurementOf(TOrdex* instance, const char* moduleName, const char* name,
                                   TMeasurement_Intern* given, const TModule_Intern** module) {
  if (!instance) throw rcNoInstance;
  if (!name) throw rcNullArgument;
  if (given && given->Name == std::string_view(name)) return *given;
  *module = &moduleOf(instance, moduleName);
  TMeasurement_Intern* m = (*module)->Measurements.findExact(name);
  if (!m) throw rcMeasurementNotFound;
  return *m;
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_CreateMeasurementRequestBlock(
    TOrdex* instance, const char* moduleName, const char* measurementName,
    TMeasurement_Intern* measurement, int32_t protocol, unsigned char* block, int32_t* blockSize) {
  return guarded([&] {
    const TModule_Intern* module = nullptr;
    const TMeasurement_Intern& m =
        measurementOf(instance, moduleName, measurementName, measurement, &module);
    if (!block || !blockSize) return ReturnCode::NullArgument;
    return ordex::convert::writeRequestBlock(m, protocol, block, blockSize);
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_EvaluateMeasurementResponseBlock(
    TOrdex* instance, const char* moduleName, const char* measurementName,
    TMeasurement_Intern* measurement, TCompuMethod_Intern* compuMethod, int32_t protocol,
    const unsigned char* response, int32_t responseLength, int32_t arrayIndex,
    char decimalSeparator, double* physValue, char* text) {
  // A conversion: its failure comes with a reason, as those of Ordex_RawToPhys do.
  ordex::convert::clearConversionError();
  return toPublic(ordex::convert::explainConversionFailure(fromPublic(guarded([&] {
    const TModule_Intern* module = nullptr;
    const TMeasurement_Intern& m =
        measurementOf(instance, moduleName, measurementName, measurement, &module);
    // The measurement's ConversionTarget is neither used nor filled here.
    TCompuMethod_Intern* method = compuMethod;
    if (!method || method->Name != m.Conversion) {
      if (!module) module = &moduleOf(instance, moduleName);
      method = module->CompuMethods.findExact(m.Conversion);
      if (!method) return ReturnCode::CompuMethodNotFound;
    }
    if (!response || !physValue || !text) return ReturnCode::NullArgument;
    const ReturnCode rc = ordex::convert::checkResponseHead(protocol, response, responseLength);
    if (rc != ReturnCode::Ok) return rc;
    return ordex::convert::evaluateResponseBlock(m, *method, response, responseLength, arrayIndex,
                                                 decimalSeparator, physValue, text);
  }))));
}

ORDEX_EXPORT char* Ordex_ConvertByteArrayToHexString(const unsigned char* bytes, int32_t count,
                                                     char* text) {
  if (!text || (!bytes && count > 0)) return nullptr;
  ordex::convert::bytesToHexText(bytes, count, text);
  return text;
}

ORDEX_EXPORT unsigned char* Ordex_ConvertHexStringToByteArray(const char* text,
                                                              unsigned char* bytes,
                                                              uint32_t* count) {
  if (!text || !bytes || !count) return nullptr;
  *count = ordex::convert::hexTextToBytes(text, bytes);
  return bytes;
}
