// Member enumerations over lists whose entries go away while a walk stands on them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/copy_to_field.h"
#include "model/object_records.h"
#include "query/member_enumerators.h"

namespace {

void addRef(ordex::FunctionRefList& list, const char* name) {
  auto e = std::make_unique<TFunctionRef>();
  e->Name = name;
  list.append(std::move(e));
}

TEST(MemberEnumerationRemoval, ARemovedCurrentEntryEndsTheWalk) {
  TFunction_Intern f;
  for (const char* n : {"a", "b", "c"}) addRef(f.DefCharacteristics, n);
  ordex::EnumPosition& pos = ordex::functionCharacteristicsPosition();
  char field[256] = "";
  ordex::nextFunctionRefName(pos, f.DefCharacteristics, field);
  ordex::nextFunctionRefName(pos, f.DefCharacteristics, field);
  ASSERT_STREQ(field, "b");
  ASSERT_NE(pos.record(), nullptr);

  std::unique_ptr<TFunctionRef> removed =
      f.DefCharacteristics.unlink(f.DefCharacteristics.First->Next);
  EXPECT_EQ(pos.record(), nullptr) << "the position is cleared with the entry";
  removed.reset();
  ordex::nextFunctionRefName(pos, f.DefCharacteristics, field);
  EXPECT_STREQ(field, "") << "b is gone, so the walk by name ends";
}

TEST(MemberEnumerationRemoval, RemovingAnotherEntryKeepsThePosition) {
  TFunction_Intern f;
  for (const char* n : {"a", "b", "b", "c"}) addRef(f.DefCharacteristics, n);
  ordex::EnumPosition& pos = ordex::functionCharacteristicsPosition();
  char field[256] = "";
  for (int i = 0; i < 3; ++i) ordex::nextFunctionRefName(pos, f.DefCharacteristics, field);
  ASSERT_STREQ(field, "b");  // the second b
  f.DefCharacteristics.unlink(f.DefCharacteristics.First);
  ordex::nextFunctionRefName(pos, f.DefCharacteristics, field);
  EXPECT_STREQ(field, "c") << "the walk goes on from the second b, not the first";
}

TEST(MemberEnumerationRemoval, DestroyingTheOwnerClearsThePosition) {
  ordex::EnumPosition& pos = ordex::annotationPosition();
  char label[256] = "", origin[256] = "", text[16] = "";
  {
    auto owner = std::make_unique<TMeasurement_Intern>();
    auto a = std::make_unique<TAnnotation_Intern>();
    a->Label = "L";
    owner->Annotations.append(std::move(a));
    ordex::nextAnnotation(pos, owner->Annotations, {label, origin, text, sizeof text});
    ASSERT_STREQ(label, "L");
    ASSERT_NE(pos.record(), nullptr);
  }
  EXPECT_EQ(pos.record(), nullptr);
  EXPECT_EQ(pos.list(), nullptr);
}

}  // namespace
