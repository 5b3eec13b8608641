#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeMeasurementParser() { return nullptr; }

}  // namespace ordex
