#include "results/visual_res.h"

// The viewer's pages are not drawn yet: with no viewer to show them, the
// search goes on as though there were no results to look at.
int visual_res(int) { return 0; }
