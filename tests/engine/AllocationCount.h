// The heap allocations of the whole test program, counted, for the tests that an audio path
// allocates nothing: AllocationCount.cpp replaces operator new, once per program that links it.
#pragma once

// Allocations through operator new since the program started.
long allocationCount();
