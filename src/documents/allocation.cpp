#include "documents/allocation.h"

namespace zol {

namespace {
int g_fail_at = 0;
int g_count = 0;
} // namespace

bool Allocation_Permitted()
{
    ++g_count;
    return !(g_fail_at > 0 && g_count == g_fail_at);
}

void Fail_Allocation_At(int n)
{
    g_fail_at = n;
    g_count = 0;
}

int Allocation_Count() { return g_count; }

} // namespace zol
