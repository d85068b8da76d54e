#pragma once

#include <cstdint>

// The process's resident memory in bytes where the platform tells it cheaply, else 0.
uint64_t residentMemoryBytes();
