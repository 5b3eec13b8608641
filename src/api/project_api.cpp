#include "api/getter_support.h"

using ordex::copyToField;
using ordex::api::guarded;
using ordex::api::required;

ORDEX_EXPORT TOrdexReturnCode Ordex_GetProject(TOrdex* instance, TProject* record,
                                               int existenceOnly) {
  return guarded([&] {
    const TProject_Intern& p = ordex::api::projectOf(instance);
    TProject& r = required(record);
    if (existenceOnly) return rcOk;
    copyToField(r.Name, p.Name);
    copyToField(r.LongIdentifier, p.LongIdentifier);
    r.Asap2Version = p.Asap2Version;
    r.Asap2Upgrade = p.Asap2Upgrade;
    copyToField(r.FileHeadComment, p.FileHeadComment);
    copyToField(r.HeaderComment, p.HeaderComment);
    copyToField(r.HeaderVersion, p.HeaderVersion);
    copyToField(r.HeaderProjectNo, p.HeaderProjectNo);
    r.UserData = p.UserData;
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetModule(TOrdex* instance, TModule* record,
                                              int existenceOnly) {
  return guarded([&] {
    const TProject_Intern& p = ordex::api::projectOf(instance);
    TModule& r = required(record);
    std::string_view key = ordex::fieldText(r.Name);
    // An empty name selects the only module, whose name is then written into the record.
    const TModule_Intern* m =
        ordex::findModule(&p, key.empty() ? nullptr : std::string(key).c_str());
    if (!m) return rcModuleNotFound;
    if (existenceOnly) return rcOk;
    if (key.empty()) copyToField(r.Name, m->Name);
    copyToField(r.LongIdentifier, m->LongIdentifier);
    copyToField(r.ModCommonComment, m->ModCommon.Comment);
    copyToField(r.SRecLayout, m->ModCommon.SRecLayout);
    r.DepositMode = m->ModCommon.DepositMode;
    r.ByteOrder = m->ModCommon.ByteOrder;
    ordex::api::copyAlignments(r, m->ModCommon);
    copyToField(r.ModParComment, m->ModPar.Comment);
    copyToField(r.Version, m->ModPar.Version);
    r.AddrEpk = m->ModPar.AddrEpk;
    copyToField(r.Epk, m->ModPar.Epk);
    copyToField(r.Supplier, m->ModPar.Supplier);
    copyToField(r.Customer, m->ModPar.Customer);
    copyToField(r.CustomerNo, m->ModPar.CustomerNo);
    copyToField(r.User, m->ModPar.User);
    copyToField(r.PhoneNo, m->ModPar.PhoneNo);
    copyToField(r.Ecu, m->ModPar.Ecu);
    copyToField(r.CpuType, m->ModPar.CpuType);
    r.NoOfInterfaces = m->ModPar.NoOfInterfaces;
    r.EcuCalibrationOffset = m->ModPar.EcuCalibrationOffset;
    r.UserData = m->UserData;
    return rcOk;
  });
}
