#pragma once
// Every allocation through operator new in the test program is counted, so a
// test can see whether the code under test allocated.

long long allocations_so_far();
