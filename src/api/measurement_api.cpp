#include "api/getter_support.h"

using ordex::copyToField;
using ordex::api::copyNumber;

ORDEX_EXPORT TOrdexReturnCode Ordex_GetMeasurement(TOrdex* instance, const char* moduleName,
                                                   TMeasurement* record, int existenceOnly) {
  return ordex::api::getObject(instance, moduleName, record, existenceOnly,
                               &TModule_Intern::Measurements, rcMeasurementNotFound,
                               [](const TMeasurement_Intern& m, TMeasurement& r) {
                                 copyToField(r.LongIdentifier, m.LongIdentifier);
                                 r.DataType = m.DataType;
                                 copyToField(r.Conversion, m.Conversion);
                                 r.Resolution = m.Resolution;
                                 copyNumber(r.Accuracy, m.Accuracy);
                                 // A hexadecimal limit has an empty text and the value 0 here.
                                 copyNumber(r.LowerLimit, m.LowerLimit);
                                 copyNumber(r.UpperLimit, m.UpperLimit);
                                 copyToField(r.Format, m.Format);
                                 r.ArraySize = m.ArraySize;
                                 r.BitMask = m.BitMask;
                                 r.ByteOrder = m.ByteOrder;
                                 r.MaxRefreshScalingUnit = m.MaxRefreshScalingUnit;
                                 r.MaxRefreshRate = m.MaxRefreshRate;
                                 r.EcuAddress = m.EcuAddress;
                                 r.UserData = m.UserData;
                               });
}
