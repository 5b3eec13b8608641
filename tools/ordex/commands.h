#pragma once

namespace ordex_tool {

int check(const char* file);
int info(const char* file);

}  // namespace ordex_tool
