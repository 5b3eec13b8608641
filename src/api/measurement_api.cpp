#include "api/guarded.h"
#include "model/copy_to_field.h"

using ordex::copyToField;
using ordex::api::guarded;
using ordex::api::required;

ORDEX_EXPORT TOrdexReturnCode Ordex_GetMeasurement(TOrdex* instance, const char* moduleName,
                                                   TMeasurement* record, int existenceOnly) {
  return guarded([&] {
    const TModule_Intern& module = ordex::api::moduleOf(instance, moduleName);
    TMeasurement& r = required(record);
    const TMeasurement_Intern* m = module.Measurements.find(ordex::fieldText(r.Name));
    if (!m) return rcMeasurementNotFound;
    if (existenceOnly) return rcOk;
    copyToField(r.LongIdentifier, m->LongIdentifier);
    r.DataType = m->DataType;
    copyToField(r.Conversion, m->Conversion);
    r.Resolution = m->Resolution;
    copyToField(r.Accuracy.Text, m->Accuracy.Text);
    r.Accuracy.Value = m->Accuracy.Value;
    // A hexadecimal limit has an empty text and the value 0 here.
    copyToField(r.LowerLimit.Text, m->LowerLimit.Text);
    r.LowerLimit.Value = m->LowerLimit.Value;
    copyToField(r.UpperLimit.Text, m->UpperLimit.Text);
    r.UpperLimit.Value = m->UpperLimit.Value;
    copyToField(r.Format, m->Format);
    r.ArraySize = m->ArraySize;
    r.BitMask = m->BitMask;
    r.ByteOrder = m->ByteOrder;
    r.MaxRefreshScalingUnit = m->MaxRefreshScalingUnit;
    r.MaxRefreshRate = m->MaxRefreshRate;
    r.EcuAddress = m->EcuAddress;
    r.UserData = m->UserData;
    return rcOk;
  });
}
