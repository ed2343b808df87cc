#include <veks.h>
#include <cstdio>

int main() {
    Vek16s v[4];
    if (veksSet_16s(-7, v, 4) != vekStsOk || v[3] != -7) return 1;
    std::printf("%s\n", veksGetLibVersion()->Version);
    return 0;
}
