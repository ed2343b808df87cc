/* Compiled as strict C99: the header must be valid C. */
#include <stdio.h>
#include <string.h>

#include "veks.h"

int main(void) {
    const VekLibraryVersion* v = veksGetLibVersion();
    Vek32f* buf = veksMalloc_32f(16);
    Vek32fc c = {1.0f, -2.0f};
    Vek32fc* cb = veksMalloc_32fc(4);
    int ok = v != NULL && v->major == 5 && strcmp(v->Name, "libvekszn-5.3.dylib") == 0;
    ok = ok && buf != NULL && veksSet_32f(2.5f, buf, 16) == vekStsOk && buf[15] == 2.5f;
    ok = ok && cb != NULL && veksSet_32fc(c, cb, 4) == vekStsOk && cb[3].im == -2.0f;
    ok = ok && veksZero_32f(NULL, 0) == vekStsNullPtr;
    veksFree(buf);
    veksFree(cb);
    if (!ok) {
        fprintf(stderr, "C consumer: unexpected result\n");
        return 1;
    }
    return 0;
}
