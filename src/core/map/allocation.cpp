#include "core/map/allocation.h"

namespace zol {

namespace {
AllocationGate g_gate = nullptr;
} // namespace

AllocationGate Set_Allocation_Gate(AllocationGate gate)
{
    const AllocationGate previous = g_gate;
    g_gate = gate;
    return previous;
}

bool Allocation_Permitted()
{
    return !g_gate || g_gate();
}

} // namespace zol
