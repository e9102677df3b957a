#pragma once
// Allocations whose failure the program reports with its own message go through Allocate, so that
// tests can make the N-th of them fail and check that nothing is left half-built.

#include <cstddef>
#include <new>
#include <vector>

namespace zol {

// Counts one allocation; false when it is the one set to fail.
bool Allocation_Permitted();

// Makes the n-th allocation from now fail (1 = the next one); 0 lets every allocation succeed.
void Fail_Allocation_At(int n);
// Allocations counted since the last Fail_Allocation_At.
int Allocation_Count();

// Sizes v to n elements of value fill; false (v left empty) when memory cannot be had.
template <class T>
bool Allocate(std::vector<T>& v, std::size_t n, const T& fill = T{})
{
    v.clear();
    if (!Allocation_Permitted()) return false;
    try {
        v.assign(n, fill);
    } catch (const std::bad_alloc&) {
        v.clear();
        v.shrink_to_fit();
        return false;
    }
    return true;
}

// Sizes v to a copy of the n elements at data; false (v left empty) when memory cannot be had.
template <class T>
bool Allocate_Copy(std::vector<T>& v, const T* data, std::size_t n)
{
    v.clear();
    if (!Allocation_Permitted()) return false;
    try {
        v.assign(data, data + n);
    } catch (const std::bad_alloc&) {
        v.clear();
        v.shrink_to_fit();
        return false;
    }
    return true;
}

// Restores normal allocation when it goes out of scope.
struct AllocationFailureScope {
    explicit AllocationFailureScope(int n) { Fail_Allocation_At(n); }
    ~AllocationFailureScope() { Fail_Allocation_At(0); }
};

} // namespace zol
