// The CHARACTERISTIC record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/object_list.h"
#include "model/sub_records.h"

struct TCharacteristic_Intern : ordex::ObjectHead {};
