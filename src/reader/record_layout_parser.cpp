#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeRecordLayoutParser() { return nullptr; }

}  // namespace ordex
