// The results viewer: pages through the media of the last search.
#pragma once

// `last` is the index of the last record of list_res (counter). Returns 0
// when it is -1, otherwise the key that closed the viewer: 13 or 27.
int visual_res(int last);
