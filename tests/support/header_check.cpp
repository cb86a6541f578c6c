// The public header compiles on its own as C++.
#include "lumtree/lumtree.h"

static_assert(LUMTREEM_ADDITEM == 1029 && LUMTREEM_SETTABINTERCEPT == 1214);
int lumtree_header_check_cpp() {
    RowDrawInfo info{};
    return info.index;
}
