#pragma once
// Included before every source on Windows: the C library's <stdlib.h> makes
// alloca a function-like macro there, which would break the member functions
// of that name. Taking <stdlib.h> in first and dropping the macro keeps later
// inclusions (guarded) from bringing it back.

#include <stdlib.h>
#include <malloc.h>
#undef alloca
