#pragma once
// Allocations whose failure the program reports with its own message go through Allocate, which
// turns a memory shortage into a false result. A gate may be installed to refuse allocations on
// purpose, so that every failure path can be driven (the tests' failure counter is one).

#include <cstddef>
#include <new>
#include <vector>

namespace zol {

// Asked before each counted allocation; false makes that allocation fail.
using AllocationGate = bool (*)();
// Installs gate (null: none) and returns the one it replaces.
AllocationGate Set_Allocation_Gate(AllocationGate gate);

// Whether the next counted allocation may go ahead (the gate's answer; true without a gate).
bool Allocation_Permitted();

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

} // namespace zol
