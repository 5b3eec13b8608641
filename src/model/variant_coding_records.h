// The VARIANT_CODING records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/object_list.h"
#include "model/sub_records.h"

struct TVarCharacteristic_Intern : ordex::ObjectHead {};
struct TVarCriterion_Intern : ordex::ObjectHead {};
struct TVarForbiddenComb_Intern : ordex::ObjectHead {};
