// Compiled in the place of one library: the first header is one it may use,
// the second one of a layer above it or beside it, which must not be found.
#include PEXOR_PROBE_ALLOWED
#include PEXOR_PROBE_FORBIDDEN
