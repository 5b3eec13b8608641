// The FUNCTION record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/object_list.h"
#include "model/sub_records.h"

struct TFunction_Intern : ordex::ObjectHead {};
