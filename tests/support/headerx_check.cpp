// The helper header compiles on its own as C++ on both targets, wrapper class included (its C
// functions are compiled as C89 and run by tests/api/test_helpers.cpp).
#include "lumtree/lumtreex.h"

int lumtree_headerx_check_cpp() {
    const lumtree::Tree tree;
    return tree.hwnd() == nullptr && LumTree_ExpandButtonItem(0, 0) == -1;
}
