// The benchmarks' main. PINARBO_FRAME_KERNELS=sse2 (or scalar) caps the frame's pixel kernels at
// that form, to measure it on a processor with AVX2: `PINARBO_FRAME_KERNELS=sse2 pinarbo_bench`.
#include "view/FrameSimd.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const char* kernels = std::getenv("PINARBO_FRAME_KERNELS");
    if (kernels && std::strcmp(kernels, "sse2") == 0) g_frameKernelLimit = EFrameKernels::Sse2;
    if (kernels && std::strcmp(kernels, "scalar") == 0) g_frameKernelLimit = EFrameKernels::Scalar;
    benchmark::AddCustomContext("frame_kernels", g_frameKernelLimit == EFrameKernels::Avx2   ? "widest"
                                                 : g_frameKernelLimit == EFrameKernels::Sse2 ? "sse2 at most"
                                                                                             : "scalar");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
