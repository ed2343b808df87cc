#include "core_test_util.h"

TEST(CoreServices, MallocVersionConstantsThreadsAndControlWord) {
    EXPECT_EQ(veksMalloc_32f(0), nullptr);
    EXPECT_EQ(veksMalloc_64fc(-2147483647 - 1), nullptr);
    veksFree(nullptr);
    // Every member: 32-byte alignment, and the whole block is usable.
    std::vector<std::pair<void*, std::size_t>> blocks;
#define MALLOC_ROW(s) blocks.push_back({veksMalloc_##s(len), sizeof(Vek##s) * len});
    for (int len : {1, 2, 3, 31, 32, 33, 1000}) {
        MALLOC_ROW(8u) MALLOC_ROW(8s) MALLOC_ROW(8sc) MALLOC_ROW(16s) MALLOC_ROW(16u) MALLOC_ROW(16sc) MALLOC_ROW(32s)
        MALLOC_ROW(32u) MALLOC_ROW(32f) MALLOC_ROW(32sc) MALLOC_ROW(32fc) MALLOC_ROW(64s) MALLOC_ROW(64f) MALLOC_ROW(64sc)
        MALLOC_ROW(64fc)
    }
#undef MALLOC_ROW
    for (auto [p, bytes] : blocks) {
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 32, 0u);
        std::memset(p, 0x5A, bytes);
    }
    for (auto [p, bytes] : blocks) veksFree(p);
    const VekLibraryVersion* v = veksGetLibVersion();
    ASSERT_EQ(v, veksGetLibVersion());
    EXPECT_EQ(v->major, 5);
    EXPECT_EQ(v->minor, 3);
    EXPECT_EQ(v->majorBuild, 85);
    EXPECT_EQ(v->build, 508);
    EXPECT_EQ(std::memcmp(v->targetCpu, "zn\0\0", 4), 0);
    EXPECT_STREQ(v->Name, "libvekszn-5.3.dylib");
    EXPECT_STREQ(v->Version, "5.3 Update 3 build 85.25");
    EXPECT_STREQ(v->BuildDate, "Apr 26 2008");
    EXPECT_TRUE(std::isinf(vekConstantOfINF_32f) && vekConstantOfINF_32f > 0);
    EXPECT_TRUE(std::isinf(vekConstantOfINF_64f) && vekConstantOfINF_64f > 0);
    EXPECT_TRUE(std::isnan(vekConstantOfNAN_32f) && std::isnan(vekConstantOfNAN_64f));
    EXPECT_GE(ownGetNumThreads(), 1);
    const unsigned saved = ps_get_cw_fpu();
    vek_set_cw_fpu(0x3FF);
#if defined(__i386__) || defined(__x86_64__)
    EXPECT_EQ(ps_get_cw_fpu() & 0x1F3F, 0x3FFu & 0x1F3F);
#endif
    vek_set_cw_fpu(saved);
    EXPECT_EQ(ps_get_cw_fpu(), saved);
}
