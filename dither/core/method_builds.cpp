#include "dithering_run.h"

namespace dither {

namespace {

bool cpuHasAvx2()
{
#if DITHER_AVX2_BUILD
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

MethodBuild& buildInUse()
{
    static MethodBuild build = cpuHasAvx2() ? MethodBuild::Avx2 : MethodBuild::Portable;
    return build;
}

} // namespace

MethodBuild methodBuild()
{
    return buildInUse();
}

bool useMethodBuild(MethodBuild build)
{
    if (build == MethodBuild::Avx2 && !cpuHasAvx2())
        return false;
    buildInUse() = build;
    return true;
}

} // namespace dither
