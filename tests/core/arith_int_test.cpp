// Integer Add, Sub, Mul and their constant forms against the 128-bit
// reference of the scale-factor rule.
#include "arith_test_util.h"

using namespace at;

TEST(ArithInt, AddMembers) {
    rows(exact_add, {}, VEKS_SFS(Add, 8u), VEKS_SFS(Add, 16s), VEKS_SFS(Add, 16u), VEKS_SFS(Add, 32s), VEKS_ONLY(Add, 8u16u),
         VEKS_PAIR(Add, 16s), VEKS_ONLY(Add, 16u), VEKS_ONLY(Add, 32u));
    rows(exact_add, kLenFirst, VEKS_SFS(Add, 16sc), VEKS_SFS(Add, 32sc));
    vv_inplace_only("Add_16s32s_I", veksAdd_16s32s_I, exact_add);
}

TEST(ArithInt, SubMembers) {
    rows(exact_sub_rev, {}, VEKS_SFS(Sub, 8u), VEKS_SFS(Sub, 16u), VEKS_SFS(Sub, 32s), VEKS_PAIR(Sub, 16s), VEKS_SFS(Sub, 16s));
    rows(exact_sub_rev, kLenFirst, VEKS_SFS(Sub, 16sc), VEKS_SFS(Sub, 32sc));
}

TEST(ArithInt, MulMembers) {
    rows(exact_mul, {}, VEKS_SFS(Mul, 8u), VEKS_SFS(Mul, 16u), VEKS_SFS(Mul, 32s), VEKS_ONLY(Mul, 8u16u), VEKS_PAIR(Mul, 16s),
         VEKS_SFS(Mul, 16s), VEKS_SFS_ONLY(Mul, 16s32s), VEKS_SFS_ONLY(Mul, 16u16s), VEKS_SFS(Mul, 16sc), VEKS_SFS(Mul, 32sc),
         VEKS_SFS(Mul, 32s32sc));
}

TEST(ArithInt, ConstantMembers) {
    rows(exact_add, {}, VEKS_SFS(AddC, 8u), VEKS_SFS(AddC, 16u), VEKS_SFS(AddC, 32s), VEKS_SFS(AddC, 16s), VEKS_SFS(AddC, 16sc),
         VEKS_SFS(AddC, 32sc));
    rows(exact_sub, {}, VEKS_SFS(SubC, 8u), VEKS_SFS(SubC, 16u), VEKS_SFS(SubC, 32s), VEKS_SFS(SubC, 16sc), VEKS_SFS(SubC, 32sc),
         VEKS_SFS(SubC, 16s));
    rows(exact_sub_rev, {}, VEKS_SFS(SubCRev, 8u), VEKS_SFS(SubCRev, 16u), VEKS_SFS(SubCRev, 16s), VEKS_SFS(SubCRev, 32s),
         VEKS_SFS(SubCRev, 16sc), VEKS_SFS(SubCRev, 32sc));
    rows(exact_mul, {}, VEKS_SFS(MulC, 8u), VEKS_SFS(MulC, 16u), VEKS_SFS(MulC, 32s), VEKS_SFS(MulC, 16sc), VEKS_SFS(MulC, 32sc),
         VEKS_SFS(MulC, 16s));
    vc_inplace_only("AddC_16s_I", veksAddC_16s_I, exact_add);
    vc_inplace_only("SubC_16s_I", veksSubC_16s_I, exact_sub);
    vc_inplace_only("MulC_16s_I", veksMulC_16s_I, exact_mul);
}
