// Every object record kind of a module.
#pragma once

#include "model/axis_pts_record.h"
#include "model/characteristic_record.h"
#include "model/compu_records.h"
#include "model/function_record.h"
#include "model/measurement_record.h"
#include "model/mod_par_records.h"
#include "model/record_layout_record.h"
#include "model/variant_coding_records.h"
