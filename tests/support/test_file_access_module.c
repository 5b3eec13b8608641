/* A file-access module for the tests. It serves files stored in an encoded form: the
 * magic line "ORDEX-ENC\n" followed by every byte of the text XOR 0x5A. A plain read of
 * such a file sees no A2L text at all. Built a second time without fCloseCryptClass to
 * test a module that lacks an entry point. Every name it is asked to open is recorded, so
 * the tests can see which names the library passed. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "ordex.h"

#define EXPORT __attribute__((visibility("default")))
#define MAX_HANDLES 32
static const char kMagic[] = "ORDEX-ENC\n";

static FILE* files[MAX_HANDLES];
static char line[4096];
static char openedNames[8192];

EXPORT uint32_t fOpenCryptClass(const char* fileName, const char* mode) {
  size_t used = strlen(openedNames);
  if (used + strlen(fileName) + 2 < sizeof openedNames) {
    strcat(openedNames, fileName);
    strcat(openedNames, "\n");
  }
  if (strcmp(mode, "rb") != 0) return 0;
  for (uint32_t h = 0; h < MAX_HANDLES; ++h) {
    if (files[h]) continue;
    FILE* f = fopen(fileName, "rb");
    if (!f) return 0;
    char magic[sizeof kMagic];
    if (fread(magic, 1, sizeof kMagic - 1, f) != sizeof kMagic - 1 ||
        memcmp(magic, kMagic, sizeof kMagic - 1) != 0) {
      fclose(f);
      return 0;
    }
    files[h] = f;
    return h + 1;
  }
  return 0;
}

EXPORT int fGetCharCryptClass(uint32_t handle, unsigned char* c) {
  if (handle == 0 || handle > MAX_HANDLES || !files[handle - 1]) return 0;
  int ch = fgetc(files[handle - 1]);
  if (ch == EOF) return 0;
  *c = (unsigned char)(ch ^ 0x5A);
  return 1;
}

EXPORT const char* fGetStringCryptClass(uint32_t handle) {
  size_t n = 0;
  unsigned char c;
  while (n + 1 < sizeof line && fGetCharCryptClass(handle, &c)) {
    line[n++] = (char)c;
    if (c == '\n') break;
  }
  line[n] = '\0';
  return n ? line : NULL;
}

#ifndef WITHOUT_CLOSE_ENTRY
EXPORT int fCloseCryptClass(uint32_t handle) {
  if (handle == 0 || handle > MAX_HANDLES || !files[handle - 1]) return 0;
  fclose(files[handle - 1]);
  files[handle - 1] = NULL;
  return 1;
}
#endif

/* For the tests: the names asked for since the last call, one per line; then forgotten. */
EXPORT const char* testFileAccessOpenedNames(void) {
  static char copy[sizeof openedNames];
  strcpy(copy, openedNames);
  openedNames[0] = '\0';
  return copy;
}

/* For the tests: how many files are open now. */
EXPORT int testFileAccessOpenCount(void) {
  int n = 0;
  for (int h = 0; h < MAX_HANDLES; ++h) n += files[h] != NULL;
  return n;
}
