#include "reader/block_parser.h"

namespace ordex {

std::unique_ptr<BlockParser> makeCharacteristicParser() { return nullptr; }

}  // namespace ordex
