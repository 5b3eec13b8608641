/* A host program built against an installed Ordex: reads the file named by its argument and
 * prints the project, a characteristic count and one conversion. The install test builds it
 * through find_package(Ordex) and through pkg-config and compares its output. */
#include <ordex.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
  TOrdex* instance = NULL;
  TProject project;
  TOrdexReturnCode rc;
  int count = 0;
  unsigned char raw[2] = {0x0F, 0xA0};
  double phys = 0;
  char text[1024] = "";

  if (argc != 2) {
    fprintf(stderr, "usage: consumer FILE\n");
    return 2;
  }
  if (Ordex_CreateInstance(&instance) != rcOk) return 1;
  rc = Ordex_ReadAsapFile(instance, argv[1], NULL, NULL);
  if (rc != rcOk) {
    char report[512];
    Ordex_GetReadAsapFileError(instance, report, (int)sizeof report);
    fprintf(stderr, "read failed (%d): %s\n", (int)rc, report);
    Ordex_DestroyInstance(instance);
    return 1;
  }
  memset(&project, 0, sizeof project);
  rc = Ordex_GetProject(instance, &project, 0);
  if (rc == rcOk) rc = Ordex_GetNumObjects(instance, NULL, etCharacteristic, &count);
  if (rc == rcOk)
    rc = Ordex_RawToPhysMeasurement(instance, NULL, "EngineSpeed", raw, '.', &phys, text);
  if (rc != rcOk) {
    fprintf(stderr, "failed: %d\n", (int)rc);
    Ordex_DestroyInstance(instance);
    return 1;
  }
  printf("project %s, %d characteristics, EngineSpeed 0FA0 = %s\n", project.Name, count, text);
  return Ordex_DestroyInstance(instance) == rcOk ? 0 : 1;
}
