/* The public header compiles on its own as C. */
#include "lumtree/lumtree.h"

#include <custcntl.h>

/* The dialog-editor entry point matches the platform's prototype. */
static LPFNCCINFOA const info_entry = CustomControlInfoA;
static TreeColumn column;
int lumtree_header_check_c(void) {
    return (int)sizeof(column) + (info_entry != 0);
}
