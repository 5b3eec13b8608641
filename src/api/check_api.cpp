// The consistency check and the referrers of a name.
#include <cstring>

#include "api/guarded.h"
#include "model/copy_to_field.h"
#include "model/name_compare.h"
#include "query/consistency_check.h"
#include "query/reference_walk.h"

using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::projectOf;
using ordex::api::required;
using ordex::api::toPublic;

namespace {

class CallbackSink : public ordex::FindingSink {
 public:
  CallbackSink(TOrdexFindingCallback callback, void* context)
      : callback_(callback), context_(context) {}

  bool report(const TModule_Intern& module, const ordex::Finding& f) override {
    std::memset(&record_, 0, sizeof record_);
    ordex::copyToField(record_.Name, f.name);
    ordex::copyToField(record_.Module, module.Name.view());
    ordex::copyToField(record_.Keyword, f.keyword);
    record_.Kind = f.kind;
    record_.Severity = toPublic(f.severity);
    record_.Code = toPublic(f.code);
    ordex::copyToField(record_.Field, f.field);
    ordex::copyToField(record_.Value, f.value);
    ordex::copyToField(record_.Message, f.message, sizeof record_.Message);
    return callback_(&record_, context_) == 0;
  }

 private:
  TOrdexFindingCallback callback_;
  void* context_;
  TCheckFinding record_;
};

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_CheckConsistency(TOrdex* instance, const char* moduleName,
                                                     int minSeverity,
                                                     TOrdexFindingCallback callback,
                                                     void* context) {
  return guarded([&] {
    const TProject_Intern& project = projectOf(instance);
    const TModule_Intern* only = moduleName ? &moduleOf(instance, moduleName) : nullptr;
    required(callback);
    CallbackSink sink(callback, context);
    for (const TModule_Intern* m : project.Modules) {
      if (only && m != only) continue;
      if (!ordex::checkModule(project, *m, minSeverity, sink)) return rcAbortedByCallback;
    }
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetReferrers(TOrdex* instance, const char* moduleName,
                                                 const char* name, TOrdexReferrerCallback callback,
                                                 void* context) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    required(name);
    required(callback);
    const std::string_view wanted = name;
    // One query walks the references once; an index would cost that walk and more.
    TReferrer record;
    bool stopped = false;
    ordex::forEachReference(m, [&](const ordex::Reference& r) {
      if (stopped || r.name.size() != wanted.size() || !ordex::namesEqual(r.name, wanted)) return;
      std::memset(&record, 0, sizeof record);
      ordex::copyToField(record.Name, r.referrer->Name.view());
      ordex::copyToField(record.Keyword, ordex::referrerKeyword(r));
      ordex::copyToField(record.Field, ordex::referenceFieldName(r));
      record.Kind = r.referrer->Kind;
      record.TargetKinds = ordex::referenceTargets(r);
      stopped = callback(&record, context) != 0;
    });
    return stopped ? rcAbortedByCallback : rcOk;
  });
}
