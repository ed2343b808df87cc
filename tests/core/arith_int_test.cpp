// Integer Add, Sub, Mul and their constant forms against the 128-bit
// reference of the scale-factor rule, one row per member.
#include "arith_test_util.h"

using namespace at;

namespace {
const Opts kLenFirst = [] { Opts o; o.len_first = true; return o; }();
} // namespace

TEST(ArithInt, AddMembers) {
    vv("Add_8u_Sfs", veksAdd_8u_Sfs, veksAdd_8u_ISfs, exact_add);
    vv("Add_8u16u", veksAdd_8u16u, nullptr, exact_add);
    vv("Add_16s", veksAdd_16s, veksAdd_16s_I, exact_add);
    vv("Add_16s_Sfs", veksAdd_16s_Sfs, veksAdd_16s_ISfs, exact_add);
    vv("Add_16u", veksAdd_16u, nullptr, exact_add);
    vv("Add_16u_Sfs", veksAdd_16u_Sfs, veksAdd_16u_ISfs, exact_add);
    vv_inplace_only("Add_16s32s_I", veksAdd_16s32s_I, exact_add);
    vv("Add_16sc_Sfs", veksAdd_16sc_Sfs, veksAdd_16sc_ISfs, exact_add, kLenFirst);
    vv("Add_32sc_Sfs", veksAdd_32sc_Sfs, veksAdd_32sc_ISfs, exact_add, kLenFirst);
    vv("Add_32s_Sfs", veksAdd_32s_Sfs, veksAdd_32s_ISfs, exact_add);
    vv("Add_32u", veksAdd_32u, nullptr, exact_add);
}

TEST(ArithInt, SubMembers) {
    vv("Sub_8u_Sfs", veksSub_8u_Sfs, veksSub_8u_ISfs, exact_sub_rev);
    vv("Sub_16u_Sfs", veksSub_16u_Sfs, veksSub_16u_ISfs, exact_sub_rev);
    vv("Sub_32s_Sfs", veksSub_32s_Sfs, veksSub_32s_ISfs, exact_sub_rev);
    vv("Sub_16s", veksSub_16s, veksSub_16s_I, exact_sub_rev);
    vv("Sub_16s_Sfs", veksSub_16s_Sfs, veksSub_16s_ISfs, exact_sub_rev);
    vv("Sub_16sc_Sfs", veksSub_16sc_Sfs, veksSub_16sc_ISfs, exact_sub_rev, kLenFirst);
    vv("Sub_32sc_Sfs", veksSub_32sc_Sfs, veksSub_32sc_ISfs, exact_sub_rev, kLenFirst);
}

TEST(ArithInt, MulMembers) {
    vv("Mul_8u_Sfs", veksMul_8u_Sfs, veksMul_8u_ISfs, exact_mul);
    vv("Mul_16u_Sfs", veksMul_16u_Sfs, veksMul_16u_ISfs, exact_mul);
    vv("Mul_32s_Sfs", veksMul_32s_Sfs, veksMul_32s_ISfs, exact_mul);
    vv("Mul_8u16u", veksMul_8u16u, nullptr, exact_mul);
    vv("Mul_16s", veksMul_16s, veksMul_16s_I, exact_mul);
    vv("Mul_16s_Sfs", veksMul_16s_Sfs, veksMul_16s_ISfs, exact_mul);
    vv("Mul_16s32s_Sfs", veksMul_16s32s_Sfs, nullptr, exact_mul);
    vv("Mul_16u16s_Sfs", veksMul_16u16s_Sfs, nullptr, exact_mul);
    vv("Mul_16sc_Sfs", veksMul_16sc_Sfs, veksMul_16sc_ISfs, exact_mul);
    vv("Mul_32sc_Sfs", veksMul_32sc_Sfs, veksMul_32sc_ISfs, exact_mul);
    vv("Mul_32s32sc_Sfs", veksMul_32s32sc_Sfs, veksMul_32s32sc_ISfs, exact_mul);
}

TEST(ArithInt, ConstantMembers) {
    vc("AddC_8u_Sfs", veksAddC_8u_Sfs, veksAddC_8u_ISfs, exact_add);
    vc("AddC_16u_Sfs", veksAddC_16u_Sfs, veksAddC_16u_ISfs, exact_add);
    vc("AddC_32s_Sfs", veksAddC_32s_Sfs, veksAddC_32s_ISfs, exact_add);
    vc("AddC_16s_Sfs", veksAddC_16s_Sfs, veksAddC_16s_ISfs, exact_add);
    vc_inplace_only("AddC_16s_I", veksAddC_16s_I, exact_add);
    vc("AddC_16sc_Sfs", veksAddC_16sc_Sfs, veksAddC_16sc_ISfs, exact_add);
    vc("AddC_32sc_Sfs", veksAddC_32sc_Sfs, veksAddC_32sc_ISfs, exact_add);
    vc("SubC_8u_Sfs", veksSubC_8u_Sfs, veksSubC_8u_ISfs, exact_sub);
    vc("SubC_16u_Sfs", veksSubC_16u_Sfs, veksSubC_16u_ISfs, exact_sub);
    vc("SubC_32s_Sfs", veksSubC_32s_Sfs, veksSubC_32s_ISfs, exact_sub);
    vc("SubC_16sc_Sfs", veksSubC_16sc_Sfs, veksSubC_16sc_ISfs, exact_sub);
    vc("SubC_32sc_Sfs", veksSubC_32sc_Sfs, veksSubC_32sc_ISfs, exact_sub);
    vc("SubC_16s_Sfs", veksSubC_16s_Sfs, veksSubC_16s_ISfs, exact_sub);
    vc_inplace_only("SubC_16s_I", veksSubC_16s_I, exact_sub);
    vc("SubCRev_8u_Sfs", veksSubCRev_8u_Sfs, veksSubCRev_8u_ISfs, exact_sub_rev);
    vc("SubCRev_16u_Sfs", veksSubCRev_16u_Sfs, veksSubCRev_16u_ISfs, exact_sub_rev);
    vc("SubCRev_16s_Sfs", veksSubCRev_16s_Sfs, veksSubCRev_16s_ISfs, exact_sub_rev);
    vc("SubCRev_32s_Sfs", veksSubCRev_32s_Sfs, veksSubCRev_32s_ISfs, exact_sub_rev);
    vc("SubCRev_16sc_Sfs", veksSubCRev_16sc_Sfs, veksSubCRev_16sc_ISfs, exact_sub_rev);
    vc("SubCRev_32sc_Sfs", veksSubCRev_32sc_Sfs, veksSubCRev_32sc_ISfs, exact_sub_rev);
    vc("MulC_8u_Sfs", veksMulC_8u_Sfs, veksMulC_8u_ISfs, exact_mul);
    vc("MulC_16u_Sfs", veksMulC_16u_Sfs, veksMulC_16u_ISfs, exact_mul);
    vc("MulC_32s_Sfs", veksMulC_32s_Sfs, veksMulC_32s_ISfs, exact_mul);
    vc("MulC_16sc_Sfs", veksMulC_16sc_Sfs, veksMulC_16sc_ISfs, exact_mul);
    vc("MulC_32sc_Sfs", veksMulC_32sc_Sfs, veksMulC_32sc_ISfs, exact_mul);
    vc("MulC_16s_Sfs", veksMulC_16s_Sfs, veksMulC_16s_ISfs, exact_mul);
    vc_inplace_only("MulC_16s_I", veksMulC_16s_I, exact_mul);
}
