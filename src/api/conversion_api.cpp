// Raw-to-physical conversion.
#include "api/guarded.h"
#include "convert/conversion_error.h"
#include "convert/raw_decoding.h"
#include "convert/raw_to_phys.h"
#include "model/copy_to_field.h"

using ordex::ReturnCode;
using ordex::api::fromPublic;
using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::toPublic;
using ordex::convert::conversionFailed;
using ordex::convert::rawToPhys;

namespace {

// The frame of a conversion: the reason of an earlier one is forgotten, and a failure that
// brings none gets the one its code stands for.
template <class Body>
TOrdexReturnCode conversion(Body&& body) noexcept {
  ordex::convert::clearConversionError();
  return toPublic(ordex::convert::explainConversionFailure(fromPublic(guarded(body))));
}

// The byte count as a signed 32-bit number: a negative count sign-extended by the caller
// stays negative and dumps nothing.
int32_t signedCount(unsigned long byteCount) {
  return static_cast<int32_t>(static_cast<uint32_t>(byteCount));
}

bool outputsMissing(const unsigned char* raw, const double* phys, const char* text) {
  return !raw || !phys || !text;
}

}  // namespace

ORDEX_EXPORT int32_t Ordex_GetDataSizeByDataType(int32_t dataType) {
  return ordex::convert::dataSize(dataType);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_RawToPhys_Intern(const unsigned char* raw, int32_t dataType,
                                                     int32_t byteOrder, unsigned long bitMask,
                                                     unsigned long byteCount,
                                                     TCompuMethod_Intern* compuMethod,
                                                     char decimalSeparator, double* physValue,
                                                     char* text) {
  return conversion([&] {
    if (!compuMethod || outputsMissing(raw, physValue, text)) return ReturnCode::NullArgument;
    return rawToPhys(raw, dataType, byteOrder, static_cast<uint32_t>(bitMask),
                     signedCount(byteCount), *compuMethod, decimalSeparator, physValue, text);
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_RawToPhys(TOrdex* instance, const char* moduleName,
                                              const unsigned char* raw, int32_t dataType,
                                              int32_t byteOrder, unsigned long bitMask,
                                              const char* compuMethodName, char decimalSeparator,
                                              double* physValue, char* text) {
  return conversion([&] {
    const TModule_Intern& module = moduleOf(instance, moduleName);
    if (!compuMethodName || outputsMissing(raw, physValue, text)) return ReturnCode::NullArgument;
    // Conversions look names up exactly, whatever the comparison mode.
    TCompuMethod_Intern* method = module.CompuMethods.findExact(compuMethodName);
    if (!method) {
      return conversionFailed(ReturnCode::CompuMethodNotFound, "no COMPU_METHOD %s in the module",
                              compuMethodName);
    }
    return rawToPhys(raw, dataType, byteOrder, static_cast<uint32_t>(bitMask), 0, *method,
                     decimalSeparator, physValue, text);
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_RawToPhysMeasurement(TOrdex* instance, const char* moduleName,
                                                         const char* measurementName,
                                                         const unsigned char* raw,
                                                         char decimalSeparator, double* physValue,
                                                         char* text) {
  return conversion([&] {
    const TModule_Intern& module = moduleOf(instance, moduleName);
    if (!measurementName || outputsMissing(raw, physValue, text)) return ReturnCode::NullArgument;
    TMeasurement_Intern* m = module.Measurements.findExact(measurementName);
    if (!m) {
      return conversionFailed(ReturnCode::MeasurementNotFound, "no MEASUREMENT %s in the module",
                              measurementName);
    }
    TCompuMethod_Intern* method = ordex::convert::conversionOf(*m, module);
    if (!method) {
      return conversionFailed(ReturnCode::CompuMethodNotFound,
                              "MEASUREMENT %s: its COMPU_METHOD %s is not in the module",
                              measurementName, m->Conversion.view());
    }
    const ReturnCode rc = rawToPhys(raw, m->DataType, m->ByteOrder, m->BitMask, m->Resolution,
                                    *method, decimalSeparator, physValue, text);
    // A data type of a newer standard (A_UINT64, FLOAT16_IEEE) is named as it was read.
    const std::string_view kept = m->Kept.find(ordex::kKeptDataType);
    if (rc == ReturnCode::InvalidArgument && ordex::convert::dataSize(m->DataType) < 0 &&
        !kept.empty()) {
      return conversionFailed(rc, "MEASUREMENT %s: data type %s is not supported", measurementName,
                              kept);
    }
    return rc;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_RawToPhysDirect2(const unsigned char* raw, int32_t dataType,
                                                     int32_t byteOrder, unsigned long bitMask,
                                                     unsigned long byteCount,
                                                     const TCompuMethod* compuMethod,
                                                     char decimalSeparator, double* physValue,
                                                     char* text) {
  return conversion([&] {
    if (!compuMethod)
      return conversionFailed(ReturnCode::CompuMethodNotFound, "no compu method record given");
    if (outputsMissing(raw, physValue, text)) return ReturnCode::NullArgument;
    // A rational function of the record's coefficients; its type and table are not used.
    TCompuMethod_Intern method;
    method.ConversionType = ordex::convert::kRatFunc;
    method.Format = ordex::fieldText(compuMethod->Format);
    method.Unit = ordex::fieldText(compuMethod->Unit);
    for (int i = 0; i < 6; ++i) method.Coeffs[i].Value = compuMethod->Coeffs[i].Value;
    return rawToPhys(raw, dataType, byteOrder, static_cast<uint32_t>(bitMask),
                     signedCount(byteCount), method, decimalSeparator, physValue, text);
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_RawToPhysDirect(const unsigned char* raw, int32_t dataType,
                                                    int32_t byteOrder, unsigned long bitMask,
                                                    const TCompuMethod* compuMethod,
                                                    char decimalSeparator, double* physValue,
                                                    char* text) {
  return Ordex_RawToPhysDirect2(raw, dataType, byteOrder, bitMask, 0, compuMethod, decimalSeparator,
                                physValue, text);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetLastConversionError(char* buffer, uint32_t bufferSize) {
  if (!buffer) return rcNullArgument;
  if (bufferSize == 0) return rcBadSize;
  ordex::copyToField(buffer, ordex::convert::lastConversionError(), bufferSize);
  return rcOk;
}
