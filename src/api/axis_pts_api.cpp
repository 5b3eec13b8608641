#include "api/getter_support.h"

using ordex::copyToField;
using ordex::api::copyNumber;

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAxisPts(TOrdex* instance, const char* moduleName,
                                               TAxisPts* record, int existenceOnly) {
  return ordex::api::getObject(instance, moduleName, record, existenceOnly,
                               &TModule_Intern::AxisPts, rcAxisPtsNotFound,
                               [](const TAxisPts_Intern& a, TAxisPts& r) {
                                 copyToField(r.LongIdentifier, a.LongIdentifier);
                                 r.Address = a.Address;
                                 copyToField(r.InputQuantity, a.InputQuantity);
                                 copyToField(r.Deposit, a.Deposit);
                                 copyNumber(r.MaxDiff, a.MaxDiff);
                                 copyToField(r.Conversion, a.Conversion);
                                 r.MaxAxisPoints = a.MaxAxisPoints;
                                 copyNumber(r.LowerLimit, a.LowerLimit);
                                 copyNumber(r.UpperLimit, a.UpperLimit);
                                 r.ReadOnly = a.ReadOnly ? 1 : 0;
                                 copyToField(r.Format, a.Format);
                                 r.DepositMode = a.DepositMode;
                                 r.ByteOrder = a.ByteOrder;
                                 r.UserData = a.UserData;
                               });
}
