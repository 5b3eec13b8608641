// The RECORD_LAYOUT record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/object_list.h"
#include "model/sub_records.h"

struct TRecordLayout_Intern : ordex::ObjectHead {};
