#pragma once
// Makes a chosen allocation fail, so that every memory-shortage path can be driven and checked
// for what it leaves behind.

namespace zol {

// Makes the n-th counted allocation from now fail (1 = the next one); 0 lets every allocation
// succeed. Installs the counting gate on first use.
void Fail_Allocation_At(int n);
// Allocations counted since the last Fail_Allocation_At.
int Allocation_Count();

// Restores normal allocation when it goes out of scope.
struct AllocationFailureScope {
    explicit AllocationFailureScope(int n) { Fail_Allocation_At(n); }
    ~AllocationFailureScope() { Fail_Allocation_At(0); }
};

} // namespace zol
