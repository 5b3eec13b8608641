/* Compiled as C99 with -Wall -Wextra -pedantic -Werror: proves that ordex.h is a valid C
 * header on its own, and that a C compiler lays out the records as the C++ library does
 * (the library is C++; a host written in C must see the same offsets). */
#include "ordex.h"

#include <stddef.h>
#include <string.h>

/* C99 has no static_assert: an array of negative size stops the build instead. */
#define ORDEX_C_CHECK(name, condition) typedef char name[(condition) ? 1 : -1]

#if defined(__x86_64__) || defined(__aarch64__)
ORDEX_C_CHECK(number_text_follows_its_8_aligned_text,
              offsetof(TCharacteristic, MaxDiff) == 776 &&
                  offsetof(TCharacteristic, MaxDiff.Value) == 1032);
ORDEX_C_CHECK(characteristic_axes_and_size, offsetof(TCharacteristic, Axes) == 2632 &&
                                                sizeof(TCharacteristic) == 8976 &&
                                                sizeof(TCharacteristic2) == 9000);
ORDEX_C_CHECK(compu_tab_pair_output_is_a_number_text,
              offsetof(TCompuTabPair, Out) == 8 && sizeof(TCompuTab) == 70416);
ORDEX_C_CHECK(record_layout_flat_groups,
              offsetof(TRecordLayout, NoAxisPtsXPosition) == 566 && sizeof(TRecordLayout) == 616);
ORDEX_C_CHECK(pointer_records, sizeof(TSystemConstant) == 264 && sizeof(TIfDataRecord) == 264 &&
                                   sizeof(TCompuVTabEntry) == 16 &&
                                   sizeof(TAnnotationRecord2) == 520);
ORDEX_C_CHECK(check_records, offsetof(TCheckFinding, Message) == 1292 &&
                                 sizeof(TCheckFinding) == 1804 && sizeof(TReferrer) == 776);
#endif

int header_c_test_fill_records(void);

/* Fills records the way a C host does before handing them to a getter or a create call. */
int header_c_test_fill_records(void) {
  TCharacteristic characteristic;
  TCompuVTabEntry entries[2];
  TAnnotationRecord2 annotation;
  char annotationText[64];

  memset(&characteristic, 0, sizeof characteristic);
  strcpy(characteristic.Name, "ENGINE_SPEED_MAP");
  characteristic.Type = 2;
  characteristic.ByteOrder = boMsbLast;
  characteristic.Axes[1].LowerLimit.Value = -40.0;

  entries[0].InVal = 0;
  entries[0].OutText = "off";
  entries[1].InVal = 1;
  entries[1].OutText = "on";

  memset(&annotation, 0, sizeof annotation);
  annotation.Text = annotationText;
  annotation.Text[0] = '\0';

  return characteristic.Name[0] == 'E' && entries[1].OutText[1] == 'n' &&
         annotation.Text[0] == '\0' && sizeof(TNumberText) == ORDEX_TEXT_SIZE + 8;
}
