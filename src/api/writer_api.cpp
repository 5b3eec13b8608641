// Writing the project of an instance as an A2L file.
#include "api/guarded.h"
#include "writer/a2l_writer.h"

using ordex::api::guarded;

ORDEX_EXPORT TOrdexReturnCode Ordex_WriteAsapFile_Intern(TOrdex* instance, const char* fileName,
                                                         const char* moduleName,
                                                         const char* modParTemplateFile,
                                                         const char* comment,
                                                         TOrdexElementCallback elementCallback,
                                                         TOrdexProgressCallback progressCallback) {
  if (!instance) return rcNoInstance;
  return guarded([&] {
    const TProject_Intern& project = ordex::api::projectOf(instance);
    ordex::WriteOptions options;
    options.moduleName = moduleName;
    options.modParTemplateFile = modParTemplateFile;
    options.comment = comment;
    options.elementCallback = elementCallback;
    options.progressCallback = progressCallback;
    return ordex::writeProjectFile(project, fileName, options);
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_WriteAsapFile(TOrdex* instance, const char* fileName,
                                                  const char* moduleName,
                                                  const char* modParTemplateFile,
                                                  const char* comment,
                                                  TOrdexElementCallback elementCallback,
                                                  TOrdexProgressCallback progressCallback) {
  return Ordex_WriteAsapFile_Intern(instance, fileName, moduleName, modParTemplateFile, comment,
                                    elementCallback, progressCallback);
}
