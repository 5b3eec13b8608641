#include "api/guarded.h"
#include "model/copy_to_field.h"

using ordex::copyToField;
using ordex::api::guarded;
using ordex::api::required;

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAxisPts(TOrdex* instance, const char* moduleName,
                                               TAxisPts* record, int existenceOnly) {
  return guarded([&] {
    const TModule_Intern& module = ordex::api::moduleOf(instance, moduleName);
    TAxisPts& r = required(record);
    const TAxisPts_Intern* a = module.AxisPts.find(ordex::fieldText(r.Name));
    if (!a) return rcAxisPtsNotFound;
    if (existenceOnly) return rcOk;
    copyToField(r.LongIdentifier, a->LongIdentifier);
    r.Address = a->Address;
    copyToField(r.InputQuantity, a->InputQuantity);
    copyToField(r.Deposit, a->Deposit);
    copyToField(r.MaxDiff.Text, a->MaxDiff.Text);
    r.MaxDiff.Value = a->MaxDiff.Value;
    copyToField(r.Conversion, a->Conversion);
    r.MaxAxisPoints = a->MaxAxisPoints;
    copyToField(r.LowerLimit.Text, a->LowerLimit.Text);
    r.LowerLimit.Value = a->LowerLimit.Value;
    copyToField(r.UpperLimit.Text, a->UpperLimit.Text);
    r.UpperLimit.Value = a->UpperLimit.Value;
    r.ReadOnly = a->ReadOnly ? 1 : 0;
    copyToField(r.Format, a->Format);
    r.DepositMode = a->DepositMode;
    r.ByteOrder = a->ByteOrder;
    r.UserData = a->UserData;
    return rcOk;
  });
}
