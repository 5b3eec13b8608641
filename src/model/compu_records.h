// The COMPU_METHOD, COMPU_TAB and COMPU_VTAB records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/object_list.h"
#include "model/sub_records.h"

struct TCompuMethod_Intern : ordex::ObjectHead {};
struct TCompuTab_Intern : ordex::ObjectHead {};
struct TCompuVTab_Intern : ordex::ObjectHead {};
