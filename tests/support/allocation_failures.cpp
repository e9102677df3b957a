#include "allocation_failures.h"

#include "core/map/allocation.h"

namespace zol {

namespace {
int g_fail_at = 0;
int g_count = 0;

bool Counting_Gate()
{
    ++g_count;
    return !(g_fail_at > 0 && g_count == g_fail_at);
}
} // namespace

void Fail_Allocation_At(int n)
{
    Set_Allocation_Gate(&Counting_Gate);
    g_fail_at = n;
    g_count = 0;
}

int Allocation_Count() { return g_count; }

} // namespace zol
